#include "records/diary/season_prediction.h"

#include <algorithm>
#include <cmath>

namespace diary {

QDate PredictNextSeason(std::vector<QDate> starts) {
    std::erase_if(starts, [](const QDate& date) { return !date.isValid(); });
    if (starts.empty()) {
        return QDate();
    }
    std::sort(starts.begin(), starts.end());
    const QDate last = starts.back();
    if (starts.size() < 2) {
        return last.addDays(kDefaultSeasonInterval);
    }
    const size_t intervals = std::min<size_t>(starts.size() - 1, kSeasonIntervalsAveraged);
    const QDate first = starts[starts.size() - 1 - intervals];
    // The mean of consecutive intervals is the whole span over their count.
    const double mean = static_cast<double>(first.daysTo(last)) / static_cast<double>(intervals);
    return last.addDays(std::llround(mean));
}

}  // namespace diary
