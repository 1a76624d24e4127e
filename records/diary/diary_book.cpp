#include "records/diary/diary_book.h"

#include <QStringList>
#include <algorithm>

#include "platform/czech_locale.h"
#include "platform/store/database.h"
#include "platform/store/reading_sql.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_statement.h"
#include "records/diary/season_prediction.h"

namespace diary {
namespace {

// The animal's record sheet (m) says it is neither dead nor removed from the
// register; an event row without a record sheet counts as in the register.
// A dead or removed animal's next visit or litter would otherwise stay
// overdue for ever, as no visit or litter can close it any more.
QString InRegister(const platform::ReadingSql& sql) {
    return sql.NoDate(QStringLiteral("m.Datum_uhyn")) + QStringLiteral(" AND ") +
           sql.NoDate(QStringLiteral("m.Datum_vyr"));
}

// Dates are stored as ISO texts, so they compare as texts.
QString Iso(const QDate& date) {
    return date.toString(Qt::ISODate);
}

// A damaged date (another tool's text) counts as empty, as in every query.
QDate DateOf(const platform::StoreStatement& row, int column) {
    return QDate::fromString(row.Text(column), Qt::ISODate);
}

// Entries dated after the span's end are never shown; overdue ones are
// dated before today, so the later of the two bounds what is read.
QDate LastDayRead(const DiarySpan& span, const QDate& today) {
    return std::max(span.to, today.addDays(-1));
}

class DiaryReader {
  public:
    // On either store, or on a reading connection of the file of its own.
    DiaryReader(platform::Database* database, platform::Connection* connection,
                const DiarySpan& span, const QDate& today)
        : database_(database),
          connection_(connection),
          sql_(database != nullptr && database->IsServer()),
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
    platform::StoreStatement Statement(const QString& sql) {
        if (connection_ != nullptr) {
            return platform::StoreStatement(*connection_, sql);
        }
        return platform::StoreStatement(*database_, sql);
    }

    bool HasSeasons() {
        if (sql_.OnServer()) {
            return true;
        }
        platform::Connection& file = connection_ != nullptr ? *connection_ : database_->Handle();
        return file.TableExists(QStringLiteral("harani"));
    }

    void Add(DiaryEntry entry) {
        entry.overdue = entry.date < today_;
        if (Shows(span_, entry)) {
            entries_.push_back(std::move(entry));
        }
    }

    void ReadNextVisits() {
        platform::StoreStatement rows =
            Statement(QStringLiteral("SELECT o.Jmeno_registr, o.Dalsi_navsteva, o.Duvod_osetreni, "
                                     "o.Popis_osetreni FROM osetreni o "
                                     "LEFT JOIN main_card m ON m.Jmeno_registr = o.Jmeno_registr "
                                     "WHERE %1 AND o.Dalsi_navsteva <= ?1 AND %2 "
                                     "AND NOT EXISTS (SELECT 1 FROM osetreni v "
                                     "WHERE v.Jmeno_registr = o.Jmeno_registr "
                                     "AND v.Datum_osetreni >= o.Dalsi_navsteva)")
                          .arg(sql_.HasDate(QStringLiteral("o.Dalsi_navsteva")), InRegister(sql_)));
        rows.Bind(1, platform::Value(Iso(lastDay_)));
        while (rows.Step()) {
            const QDate date = DateOf(rows, 1);
            if (date.isValid()) {
                Add({date, DiaryKind::NextVisit, rows.Text(0), VisitText(rows), false, 0});
            }
        }
    }

    static QString VisitText(const platform::StoreStatement& row) {
        QStringList parts;
        for (int column : {2, 3}) {
            const QString part = row.Text(column).trimmed();
            if (!part.isEmpty()) {
                parts << part;
            }
        }
        return parts.isEmpty() ? QStringLiteral("návštěva lékaře")
                               : parts.join(QStringLiteral(": "));
    }

    void ReadExpectedLitters() {
        const QString mating = QStringLiteral("k.Datum_kryti_1");
        platform::StoreStatement rows = Statement(
            QStringLiteral("SELECT k.Jmeno_registr, k.Datum_kryti_1, k.Jmeno_partner FROM kryti k "
                           "LEFT JOIN main_card m ON m.Jmeno_registr = k.Jmeno_registr "
                           "WHERE %1 AND k.Datum_kryti_1 <= ?1 AND %2 AND %3 AND %4 "
                           "AND NOT EXISTS (SELECT 1 FROM vrhy v "
                           "WHERE v.Jmeno_registr = k.Jmeno_registr AND v.Datum BETWEEN %5 AND %6)")
                .arg(sql_.HasDate(mating), InRegister(sql_),
                     sql_.NoDate(QStringLiteral("k.Datum_vrhu")),
                     sql_.NotCleared(QStringLiteral("k.Nakryta_Ano_Ne")),
                     sql_.DaysAfter(mating, kLitterWindowFirstDay),
                     sql_.DaysAfter(mating, kLitterWindowLastDay)));
        rows.Bind(1, platform::Value(Iso(lastDay_.addDays(-kGestationDays))));
        while (rows.Step()) {
            const QDate matingDay = DateOf(rows, 1);
            if (!matingDay.isValid()) {
                continue;
            }
            QString text = QStringLiteral("krytí %1").arg(platform::FormatDate(matingDay));
            const QString partner = rows.Text(2).trimmed();
            if (!partner.isEmpty()) {
                text += QStringLiteral(", pes %1").arg(partner);
            }
            Add({matingDay.addDays(kGestationDays), DiaryKind::ExpectedLitter, rows.Text(0), text,
                 false, 0});
        }
    }

    // The seasons of the bitches that can be in season, by bitch and date.
    void ReadExpectedSeasons() {
        if (!HasSeasons()) {
            return;  // a read-only data folder of an older version
        }
        // lower() folds only ASCII letters in the file, which is all "Pes" has.
        platform::StoreStatement rows =
            Statement(QStringLiteral("SELECT h.Jmeno_registr, h.Datum FROM harani h "
                                     "JOIN main_card m ON m.Jmeno_registr = h.Jmeno_registr "
                                     "WHERE %1 AND %2 "
                                     "AND (m.Pohlavi IS NULL OR lower(trim(m.Pohlavi)) <> 'pes') "
                                     "ORDER BY h.Jmeno_registr, h.Datum")
                          .arg(sql_.IsSet(QStringLiteral("m.Vlastnictvi")), InRegister(sql_)));
        QString bitch;
        std::vector<QDate> starts;
        while (rows.Step()) {
            const QString name = rows.Text(0);
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
        platform::StoreStatement rows = Statement(
            QStringLiteral("SELECT rowid, Datum, Akce FROM schedule WHERE %1 AND Datum <= ?1")
                .arg(sql_.IsSet(QStringLiteral("Upozornit"))));
        rows.Bind(1, platform::Value(Iso(lastDay_)));
        while (rows.Step()) {
            const QDate date = DateOf(rows, 1);
            if (date.isValid()) {
                Add({date, DiaryKind::Reminder, QString(), rows.Text(2), false, rows.Int(0)});
            }
        }
    }

    platform::Database* database_;
    platform::Connection* connection_;
    platform::ReadingSql sql_;
    DiarySpan span_;
    QDate today_;
    QDate lastDay_;
    std::vector<DiaryEntry> entries_;
};

}  // namespace

std::vector<DiaryEntry> ReadDiary(platform::Database& database, const DiarySpan& span,
                                  const QDate& today) {
    return DiaryReader(&database, nullptr, span, today).Read();
}

std::vector<DiaryEntry> ReadDiary(platform::Connection& connection, const DiarySpan& span,
                                  const QDate& today) {
    return DiaryReader(nullptr, &connection, span, today).Read();
}

}  // namespace diary
