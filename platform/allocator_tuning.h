#pragma once
// Tuning of the C library's memory allocator for report runs.
//
// A report run builds and drops millions of small objects (laid-out texts,
// values of every record) and now and then asks for one larger block (the
// element list of a page). glibc keeps freed small blocks in "fast bins" and
// sweeps all of them together before it serves a larger request; in a run
// that sweep, once a page, took a fifth of the whole run. Without fast bins a
// freed block is merged at once and no such sweep happens. Loops that only
// allocate and free small blocks (an expression evaluated over and over) are
// a little faster with them, so they are off only where reports are made.
//
// The setting is process-wide; the report engine and the programs use it
// from the user-interface thread only. Where the C library is not glibc all
// of this does nothing.

namespace platform {

// Fast bins off for the rest of the process (a program that only makes
// reports, called first in its main).
void TuneAllocator();

// Fast bins off while it lives (a report run in the windowed program).
// Scopes nest; the last one to end turns them back on unless TuneAllocator
// turned them off for good.
class ReportAllocationScope {
  public:
    ReportAllocationScope();
    ~ReportAllocationScope();
    ReportAllocationScope(const ReportAllocationScope&) = delete;
    ReportAllocationScope& operator=(const ReportAllocationScope&) = delete;
};

}  // namespace platform
