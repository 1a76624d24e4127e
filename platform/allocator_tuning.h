#pragma once
// Process-wide tuning of the C library's memory allocator for Harvel's work.
//
// A report run builds and drops millions of small objects (laid-out texts,
// values of every record) and now and then asks for one larger block (the
// element list of a page). glibc keeps freed small blocks in "fast bins" and
// sweeps all of them together before it serves a larger request; in a run
// that sweep, once a page, took a fifth of the whole run. Without fast bins a
// freed block is merged at once and no such sweep happens.
//
// Called once at the start of each program (before anything allocates much);
// a no-op where the C library is not glibc.

namespace platform {

void TuneAllocator();

}  // namespace platform
