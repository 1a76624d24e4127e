#pragma once
// The caption of every column of the kennel database: the word the forms
// show the user for it ("Datum narození" for Datum_nar of main_card.db,
// "Tetovací číslo" for Tetovaci_cislo). Grid headers, sort lists, the report
// designer's field lists, drafted template captions and messages about a
// column all name it by this one table, so the user reads the same words
// everywhere; stored files (templates, queries) keep the column names.

#include <QString>

namespace platform {

// The caption of `column` of `table` (file name or bare name, "kryti.DB",
// "Kryti"; case is ignored for both); empty when either is unknown.
QString ColumnCaption(const QString& table, const QString& column);

}  // namespace platform
