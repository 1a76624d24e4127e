#include "stats_command.h"

#include "platform/standard_output.h"
#include "platform/store/database.h"
#include "platform/store/store_error.h"
#include "records/stats/breeding_stats.h"
#include "records/stats/breeding_stats_lines.h"

namespace harvel_data {
namespace {

using platform::StoreError;

const char kUsage[] = "Použití: harvel-data stats DIR [--from ROK] [--to ROK] [--breed PLEMENO]";

int YearArgument(const QString& text) {
    bool ok = false;
    const int year = text.toInt(&ok);
    if (!ok || year < 1 || year > 9999) {
        throw StoreError(
            QStringLiteral("Rok musí být celé číslo od 1 do 9999, ne „%1“.").arg(text));
    }
    return year;
}

struct StatsArguments {
    QString folder;
    breeding::StatsFilter filter;
};

StatsArguments ParseStats(const QStringList& arguments) {
    if (arguments.isEmpty() || arguments[0].startsWith(QLatin1String("--"))) {
        throw StoreError(QString::fromUtf8(kUsage));
    }
    StatsArguments parsed{arguments[0], {}};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (i + 1 >= arguments.size()) {
            throw StoreError(QString::fromUtf8(kUsage));
        }
        const QString& value = arguments[++i];
        if (argument == QLatin1String("--from")) {
            parsed.filter.fromYear = YearArgument(value);
        } else if (argument == QLatin1String("--to")) {
            parsed.filter.toYear = YearArgument(value);
        } else if (argument == QLatin1String("--breed")) {
            parsed.filter.breed = value;
        } else {
            throw StoreError(QString::fromUtf8(kUsage));
        }
    }
    const breeding::StatsFilter& filter = parsed.filter;
    if (filter.fromYear != 0 && filter.toYear != 0 && filter.fromYear > filter.toYear) {
        throw StoreError(QStringLiteral("Rok „od“ (%1) je pozdější než rok „do“ (%2).")
                             .arg(filter.fromYear)
                             .arg(filter.toYear));
    }
    return parsed;
}

}  // namespace

void StatsCommand(const QStringList& arguments, QTextStream& out) {
    const StatsArguments parsed = ParseStats(arguments);
    platform::Database database(parsed.folder, platform::OpenMode::ReadOnly);
    const breeding::BreedingStats stats = breeding::ReadBreedingStats(database, parsed.filter);
    for (const QString& line : breeding::StatsLines(stats)) {
        out << line << '\n';
    }
    for (const QString& note : breeding::OmissionNotes(stats)) {
        platform::WriteErrorLine(QStringLiteral("Upozornění: ") + note);
    }
}

}  // namespace harvel_data
