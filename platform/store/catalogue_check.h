#pragma once
// Whether a database holds exactly the kennel's catalogue: the tables,
// columns and indexes a new data folder gets (schema.h) and nothing else —
// no trigger, no view, no other table or index. A file that passes can be
// put in place of the data folder's database without any statement of its
// own running later (a trigger that deletes litters on every new card).
//
// SQLite keeps each object's CREATE statement in its catalogue as written,
// so the file's statements are compared as texts with the ones the schema
// makes; nothing is parsed here. The query planner's statistics tables
// (sqlite_stat1, sqlite_stat4), which ANALYZE adds, are the only other
// objects allowed. What a later version added (schema_upgrade.h) may be
// missing: an older backup is still a kennel's database.

#include <sqlite3.h>

#include <QString>

namespace platform {

// Empty when the catalogue of the open database is exactly the kennel's;
// otherwise what differs, in Czech, e.g. "obsahuje navíc spoušť „smaz“".
// Throws StoreError when the catalogue cannot be read.
QString CatalogueMismatch(sqlite3* db);

}  // namespace platform
