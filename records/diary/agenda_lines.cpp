#include "records/diary/agenda_lines.h"

#include "platform/czech_locale.h"
#include "platform/store/store_error.h"

namespace diary {
namespace {

QString OneLine(QString text) {
    text.remove('\r');
    text.replace('\n', QStringLiteral("\\n"));
    text.replace('\t', ' ');
    return text;
}

QDate RequireDate(const QString& option, const QString& text) {
    const QDate date = platform::ParseDate(text);
    if (!date.isValid()) {
        throw platform::StoreError(
            QStringLiteral("Volba %1 čeká datum ve tvaru d.M.yyyy, ne „%2“.").arg(option, text));
    }
    return date;
}

}  // namespace

QString AgendaLine(const DiaryEntry& entry) {
    QStringList columns{platform::FormatDate(entry.date), DiaryKindText(entry.kind),
                        OneLine(entry.animal), OneLine(entry.text)};
    if (entry.overdue) {
        columns << OverdueText();
    }
    return columns.join('\t');
}

DiarySpan ParseAgendaSpan(const QStringList& options, const QDate& today) {
    DiarySpan span = DefaultSpan(today);
    bool toGiven = false;
    for (qsizetype i = 0; i < options.size(); i += 2) {
        const QString& option = options[i];
        if (option != QLatin1String("--from") && option != QLatin1String("--to")) {
            throw platform::StoreError(QStringLiteral("Neznámá volba „%1“.").arg(option));
        }
        if (i + 1 >= options.size()) {
            throw platform::StoreError(QStringLiteral("Volbě %1 chybí datum.").arg(option));
        }
        const QDate date = RequireDate(option, options[i + 1]);
        if (option == QLatin1String("--from")) {
            span.from = date;
        } else {
            span.to = date;
            toGiven = true;
        }
    }
    // A start given alone keeps the default length of the span.
    if (!toGiven) {
        span.to = span.from.addDays(kDefaultDiaryDays);
    }
    if (span.to < span.from) {
        throw platform::StoreError(
            QStringLiteral("Konec období %1 je před jeho začátkem %2.")
                .arg(platform::FormatDate(span.to), platform::FormatDate(span.from)));
    }
    return span;
}

}  // namespace diary
