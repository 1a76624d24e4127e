#pragma once
// The commands that reach a club's database on a PostgreSQL server: creating
// its tables and roles, and copying a whole store between a data folder and
// a server (either way, or between two of either).

#include <QString>
#include <QTextStream>

namespace harvel_data {

// init on a "postgresql://" address: the tables and the two roles.
void InitServerCommand(const QString& address, QTextStream& out);
void CopyCommand(const QString& source, const QString& destination, QTextStream& out);

}  // namespace harvel_data
