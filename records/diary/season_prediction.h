#pragma once
// The next season of a bitch, predicted from the first days of her recorded
// seasons: the last start plus the mean of her last (up to) four intervals,
// or plus half a year while fewer than two seasons are recorded.

#include <QDate>
#include <vector>

namespace diary {

// Days added to the only recorded season.
inline constexpr int kDefaultSeasonInterval = 182;
// How many of the latest intervals the mean takes.
inline constexpr int kSeasonIntervalsAveraged = 4;

// The predicted first day of the next season; an invalid date when no valid
// start is given. The starts may come in any order; invalid ones are ignored.
QDate PredictNextSeason(std::vector<QDate> starts);

}  // namespace diary
