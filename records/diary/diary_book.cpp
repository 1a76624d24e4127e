#include "records/diary/diary_book.h"

#include <QStringList>
#include <algorithm>

#include "platform/czech_locale.h"
#include "platform/store/sqlite_handle.h"
#include "records/diary/season_prediction.h"

namespace diary {
namespace {

// The animal's record sheet (m) says it is neither dead nor removed from the
// register; an event row without a record sheet counts as in the register.
// A dead or removed animal's next visit or litter would otherwise stay
// overdue for ever, as no visit or litter can close it any more.
QString InRegister() {
    return QStringLiteral(
        "(m.Datum_uhyn IS NULL OR m.Datum_uhyn = '') AND "
        "(m.Datum_vyr IS NULL OR m.Datum_vyr = '')");
}

// Dates are stored as ISO texts, so they compare as texts.
QString Iso(const QDate& date) {
    return date.toString(Qt::ISODate);
}

QString Text(const platform::Statement& row, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row.Raw(), column));
    return text == nullptr ? QString() : QString::fromUtf8(text);
}

// A damaged date (another tool's text) counts as empty, as in every query.
QDate DateOf(const platform::Statement& row, int column) {
    return QDate::fromString(Text(row, column), Qt::ISODate);
}

// Entries dated after the span's end are never shown; overdue ones are
// dated before today, so the later of the two bounds what is read.
QDate LastDayRead(const DiarySpan& span, const QDate& today) {
    return std::max(span.to, today.addDays(-1));
}

class DiaryReader {
  public:
    DiaryReader(platform::Connection& connection, const DiarySpan& span, const QDate& today)
        : db_(connection.Raw()),
          connection_(connection),
          span_(span),
          today_(today),
          lastDay_(LastDayRead(span, today)) {}

    std::vector<DiaryEntry> Read() {
        ReadNextVisits();
        ReadExpectedLitters();
        ReadExpectedSeasons();
        ReadReminders();
        SortEntries(entries_);
        return std::move(entries_);
    }

  private:
    void Add(DiaryEntry entry) {
        entry.overdue = entry.date < today_;
        if (Shows(span_, entry)) {
            entries_.push_back(std::move(entry));
        }
    }

    void ReadNextVisits() {
        platform::Statement rows(
            db_, QStringLiteral("SELECT o.Jmeno_registr, o.Dalsi_navsteva, o.Duvod_osetreni, "
                                "o.Popis_osetreni FROM osetreni o "
                                "LEFT JOIN main_card m ON m.Jmeno_registr = o.Jmeno_registr "
                                "WHERE o.Dalsi_navsteva > '' AND o.Dalsi_navsteva <= ?1 AND ") +
                     InRegister() +
                     QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM osetreni v "
                                    "WHERE v.Jmeno_registr = o.Jmeno_registr "
                                    "AND v.Datum_osetreni >= o.Dalsi_navsteva)"));
        rows.Bind(1, platform::Value(Iso(lastDay_)));
        while (rows.Step()) {
            const QDate date = DateOf(rows, 1);
            if (date.isValid()) {
                Add({date, DiaryKind::NextVisit, Text(rows, 0), VisitText(rows), false, 0});
            }
        }
    }

    static QString VisitText(const platform::Statement& row) {
        QStringList parts;
        for (int column : {2, 3}) {
            const QString part = Text(row, column).trimmed();
            if (!part.isEmpty()) {
                parts << part;
            }
        }
        return parts.isEmpty() ? QStringLiteral("návštěva lékaře")
                               : parts.join(QStringLiteral(": "));
    }

    void ReadExpectedLitters() {
        platform::Statement rows(
            db_, QStringLiteral(
                     "SELECT k.Jmeno_registr, k.Datum_kryti_1, k.Jmeno_partner FROM kryti k "
                     "LEFT JOIN main_card m ON m.Jmeno_registr = k.Jmeno_registr "
                     "WHERE k.Datum_kryti_1 > '' AND k.Datum_kryti_1 <= ?1 AND %3 "
                     "AND (k.Datum_vrhu IS NULL OR k.Datum_vrhu = '') "
                     "AND (k.Nakryta_Ano_Ne IS NULL OR k.Nakryta_Ano_Ne <> 0) "
                     "AND NOT EXISTS (SELECT 1 FROM vrhy v WHERE v.Jmeno_registr = k.Jmeno_registr "
                     "AND v.Datum BETWEEN date(k.Datum_kryti_1, '+%1 days') "
                     "AND date(k.Datum_kryti_1, '+%2 days'))")
                     .arg(kLitterWindowFirstDay)
                     .arg(kLitterWindowLastDay)
                     .arg(InRegister()));
        rows.Bind(1, platform::Value(Iso(lastDay_.addDays(-kGestationDays))));
        while (rows.Step()) {
            const QDate mating = DateOf(rows, 1);
            if (!mating.isValid()) {
                continue;
            }
            QString text = QStringLiteral("krytí %1").arg(platform::FormatDate(mating));
            const QString partner = Text(rows, 2).trimmed();
            if (!partner.isEmpty()) {
                text += QStringLiteral(", pes %1").arg(partner);
            }
            Add({mating.addDays(kGestationDays), DiaryKind::ExpectedLitter, Text(rows, 0), text,
                 false, 0});
        }
    }

    // The seasons of the bitches that can be in season, by bitch and date.
    void ReadExpectedSeasons() {
        if (!connection_.TableExists(QStringLiteral("harani"))) {
            return;  // a read-only data folder of an older version
        }
        platform::Statement rows(
            db_,
            QStringLiteral("SELECT h.Jmeno_registr, h.Datum FROM harani h "
                           "JOIN main_card m ON m.Jmeno_registr = h.Jmeno_registr "
                           "WHERE m.Vlastnictvi <> 0 AND %1 "
                           "AND (m.Pohlavi IS NULL OR trim(m.Pohlavi) <> 'Pes' COLLATE NOCASE) "
                           "ORDER BY h.Jmeno_registr, h.Datum")
                .arg(InRegister()));
        QString bitch;
        std::vector<QDate> starts;
        while (rows.Step()) {
            const QString name = Text(rows, 0);
            if (name != bitch) {
                AddSeason(bitch, starts);
                bitch = name;
                starts.clear();
            }
            starts.push_back(DateOf(rows, 1));
        }
        AddSeason(bitch, starts);
    }

    void AddSeason(const QString& bitch, const std::vector<QDate>& starts) {
        const QDate next = PredictNextSeason(starts);
        if (!next.isValid()) {
            return;
        }
        const QDate last = *std::max_element(starts.begin(), starts.end());
        Add({next, DiaryKind::ExpectedSeason, bitch,
             QStringLiteral("poslední hárání %1").arg(platform::FormatDate(last)), false, 0});
    }

    void ReadReminders() {
        platform::Statement rows(db_, QStringLiteral("SELECT rowid, Datum, Akce FROM schedule "
                                                     "WHERE Upozornit <> 0 AND Datum <= ?1"));
        rows.Bind(1, platform::Value(Iso(lastDay_)));
        while (rows.Step()) {
            const QDate date = DateOf(rows, 1);
            if (date.isValid()) {
                Add({date, DiaryKind::Reminder, QString(), Text(rows, 2), false,
                     rows.ColumnInt(0)});
            }
        }
    }

    sqlite3* db_;
    platform::Connection& connection_;
    DiarySpan span_;
    QDate today_;
    QDate lastDay_;
    std::vector<DiaryEntry> entries_;
};

}  // namespace

std::vector<DiaryEntry> ReadDiary(platform::Connection& connection, const DiarySpan& span,
                                  const QDate& today) {
    return DiaryReader(connection, span, today).Read();
}

}  // namespace diary
