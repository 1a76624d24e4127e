#include "app/complete_date.h"

#include "platform/clock.h"
#include "platform/czech_locale.h"
#include "platform/messages.h"

namespace {

constexpr qsizetype kSignificantLength = 10;

// A whole number as the date rule reads it: anything else reads as 0.
int WholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

}  // namespace

std::optional<QDate> CompleteDate(const QString& text, const QDate& reference) {
    const QString typed = text.left(kSignificantLength);
    const qsizetype firstDot = typed.indexOf(u'.');
    if (firstDot == 0 || firstDot >= 3) {
        return std::nullopt;
    }
    const int day = WholeNumber(firstDot < 0 ? typed : typed.left(firstDot));
    if (!InRange(day, 1, 31)) {
        return std::nullopt;
    }

    int month = reference.month();
    int year = reference.year();
    if (firstDot > 0) {
        const qsizetype secondDot = typed.indexOf(u'.', firstDot + 1);
        const QString monthText = secondDot < 0 ? typed.mid(firstDot + 1)
                                                : typed.mid(firstDot + 1, secondDot - firstDot - 1);
        if (!monthText.isEmpty()) {
            month = WholeNumber(monthText);
            if (!InRange(month, 1, 12)) {
                return std::nullopt;
            }
        }
        if (secondDot >= 0 && secondDot < typed.size() - 1) {
            year = WholeNumber(typed.mid(secondDot + 1));
            if (!InRange(year, 1900, 2099)) {
                return std::nullopt;
            }
        }
    }

    const QDate date =
        platform::ParseDate(QStringLiteral("%1.%2.%3").arg(day).arg(month).arg(year));
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

std::optional<QDate> CompleteDate(const QString& text) {
    return CompleteDate(text, platform::Today());
}

std::optional<QString> CompleteDateField(const QString& typed) {
    if (typed.trimmed().isEmpty()) {
        return QString();
    }
    if (const std::optional<QDate> date = CompleteDate(typed)) {
        return platform::FormatDate(*date);
    }
    platform::ShowMessage(QStringLiteral("Chybné datum !"), QString(), platform::MessageIcon::Error,
                          platform::mbOK);
    return std::nullopt;
}
