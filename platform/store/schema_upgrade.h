#pragma once
// Brings a database of an older version up to the tables and indexes a new
// data folder gets: what a later version added (schema.h, `addedLater`) and
// the older file lacks is created, empty. Nothing that exists is changed, so
// an old installation's rows stay exactly as they are.

#include <QSet>
#include <QString>

namespace platform {

class Connection;

// The catalogue names of everything a later version added: such an object
// may be missing from a kennel's database (an older backup).
const QSet<QString>& LaterObjectNames();

// Creates the missing later objects in one transaction. Throws StoreError.
void AddLaterObjects(Connection& connection);

// For a database of an older version opened for reading only: every table
// that lacks later columns is shown through a temporary view of the same
// name (temporary objects come first in SQLite's name look-up) that adds
// them empty, so every query of the schema's columns, "Select *" included,
// reads the older file. The file itself is not touched.
void ShowLaterColumnsEmpty(Connection& connection);

}  // namespace platform
