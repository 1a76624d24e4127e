#pragma once
// harvel-data stats DIR [--from YEAR] [--to YEAR] [--breed B]: the figures of
// the breeding statistics window as tab-separated lines (breeding_stats_lines.h).
// What the figures leave out is said on stderr as "Upozornění: …" lines; a
// bad argument throws platform::StoreError with the usage.

#include <QStringList>
#include <QTextStream>

namespace harvel_data {

void StatsCommand(const QStringList& arguments, QTextStream& out);

}  // namespace harvel_data
