#pragma once
// Whether the paper of a template can be printed and exported: a page of no
// size, of a negative size or larger than any page a PDF can hold would make
// broken files, and margins that leave no room make pages nothing fits on.

#include <QString>

struct TPageSettings;

// Paper sizes a report accepts, hundredths of an inch.
constexpr int kMinPaperSize = 50;     // half an inch (small labels)
constexpr int kMaxPaperSize = 20000;  // 200 inches, the largest page of a PDF

// Empty when the paper and margins are usable; otherwise what is wrong with
// them, with the values (for the message that names the template).
QString PageSetupProblem(const TPageSettings& page);
