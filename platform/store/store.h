#pragma once
// The table store: the kennel database on SQLite with the cursor behaviour
// the program's forms, grids and reports are built on.
//
//   Database db;                                  // one per program (DM_REGDOB)
//   db.AddParam("PATH=" + dataFolder);            // folder with harvel.sqlite
//   db.Open();
//   Table cards(db, "main_card.db");              // file name, any case, ".db" optional
//   cards.Open();                                 // first row current, Bof() true
//   while (!cards.Eof()) { cards.FieldByName("Jmeno_registr").AsString(); cards.Next(); }
//   cards.Locate("Jmeno_registr", "Rex");         // exact, case-sensitive; "a;b" for two columns
//   cards.Append(); cards.FieldByName("Cip").SetAsInteger(5); cards.Post();  // committed at once
//   Query list(db); list.SetSQL({"Select *  from Main_card", "Where Pohlavi = \"Fena\""});
//   list.Open();
//
// Data sets (Table, Query) move with First/Next/Prior/Last/MoveTo/Locate and
// tell Eof/Bof/RecNo/RecordCount; RecordCount counts the rows the record
// filter lets through while SetFiltered(true). Edit/Append/Post/Cancel/Delete
// change rows; a move while editing posts a modified record (or cancels an
// unmodified one). Database::StartTransaction/Commit/Rollback group posts.
//
// Fields (DataSet::FieldByName, Fields(i)) read and write the current record
// as text, boolean, QDate, integer, float or bytes; DisplayText/EditText go
// through the field's get-text hook or display/edit format; SetText through
// its set-text hook; a validate hook may refuse a new value by throwing.
// Field settings made by name (FieldSetup) survive re-opening a query. The
// report bridge reads FieldCount, Name, Type (FieldType ordinals),
// DisplayWidth, Alignment, DisplayText, AsString/AsFloat/AsDate/AsBytes,
// IsNull and DisplayLabel, and steps with First/Next/Eof and bookmarks.
//
// Listeners (DataSetListener, DataSourceListener) hear of scrolls, state and
// data changes; DisableControls/EnableControls hold them back. Hooks
// (DataSet::Hooks(): afterScroll, onNewRecord, beforePost, ...) always run.
// A DataSource follows one data set and can be re-pointed; DataSetModel
// shows a DataSource in a Qt grid.
//
// Errors: every failing operation throws StoreError (store_error.h) with a
// readable Czech message naming the table or column: opening a missing
// folder, database, table or column; a locked or damaged database file; a
// value that does not fit its column (bad date, number out of range, text
// where a number belongs); a duplicate key; a query outside the dialect;
// editing a query or a closed data set. Reading fields of a closed or empty
// data set gives empty values and does not throw (except the numeric
// conversions of a text that is not a number). Exceptions thrown by the
// program's own hooks pass through unchanged.

#include "platform/store/database.h"
#include "platform/store/dataset.h"
#include "platform/store/dataset_model.h"
#include "platform/store/datasource.h"
#include "platform/store/field.h"
#include "platform/store/query.h"
#include "platform/store/schema.h"
#include "platform/store/sql_translator.h"
#include "platform/store/store_error.h"
#include "platform/store/table.h"
#include "platform/store/value_text.h"
