#include "records/diary/diary_entry.h"

#include <algorithm>

#include "platform/store/czech_collation.h"

namespace diary {

QString DiaryKindText(DiaryKind kind) {
    switch (kind) {
        case DiaryKind::NextVisit:
            return QStringLiteral("Další návštěva");
        case DiaryKind::ExpectedSeason:
            return QStringLiteral("Předpokládané hárání");
        case DiaryKind::ExpectedLitter:
            return QStringLiteral("Předpokládaný vrh");
        case DiaryKind::Reminder:
            return QStringLiteral("Upozornění");
    }
    return QString();
}

QString OverdueText() {
    return QStringLiteral("po termínu");
}

DiarySpan DefaultSpan(const QDate& today) {
    return {today, today.addDays(kDefaultDiaryDays)};
}

bool Shows(const DiarySpan& span, const DiaryEntry& entry) {
    return entry.overdue || (entry.date >= span.from && entry.date <= span.to);
}

void SortEntries(std::vector<DiaryEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const DiaryEntry& a, const DiaryEntry& b) {
        if (a.date != b.date) {
            return a.date < b.date;
        }
        if (a.kind != b.kind) {
            return a.kind < b.kind;
        }
        const int byName = platform::CompareCzech(a.animal, b.animal);
        if (byName != 0) {
            return byName < 0;
        }
        return platform::CompareCzech(a.text, b.text) < 0;
    });
}

}  // namespace diary
