#pragma once
// The SQL of the readers that need more than the store's local dialect (the
// diary, the genetics, the statistics, the web pages): written once in the
// SQL that SQLite and PostgreSQL share, with the few places where the two
// stores hold a value differently spelled by ReadingSql, and rewritten for a
// club's server by ServerReadingSql.

#include <QString>
#include <QStringList>

namespace platform {

// What a reading statement says differently on the two stores: the local
// file holds dates as ISO texts (an empty text for none) and booleans as
// 0/1, the server as dates and booleans.
class ReadingSql {
  public:
    explicit ReadingSql(bool onServer) : onServer_(onServer) {}
    bool OnServer() const { return onServer_; }

    // The date column holds a date.
    QString HasDate(const QString& column) const;
    // The date column holds none.
    QString NoDate(const QString& column) const;
    // The boolean column is set; null counts as not set.
    QString IsSet(const QString& column) const;
    // The boolean column is not cleared: set, or null.
    QString NotCleared(const QString& column) const;
    // The date `days` days after the date column.
    QString DaysAfter(const QString& column, int days) const;
    // The year of the date column, as four digits of text.
    QString YearOf(const QString& column) const;

  private:
    bool onServer_;
};

// Texts as one parameter of a server's statement: an array (`= ANY(?1::text[])`).
QString ServerTextArray(const QStringList& texts);

// The statement for a club's server:
//   - the parameters ?1, ?2, … become $1, $2, …;
//   - the names of the store's tables and columns are quoted as the server's
//     tables spell them (the server keeps their case, SQLite ignores it);
//   - COLLATE CZECH becomes the server's Czech collation;
//   - every ORDER BY term puts nulls where SQLite puts them: first when
//     ascending, last when descending.
// Quoted texts are left as they stand.
QString ServerReadingSql(const QString& sql);

}  // namespace platform
