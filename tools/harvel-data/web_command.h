#pragma once
// harvel-data web DIR OUTDIR: writes the kennel's web site (records/site)
// into OUTDIR and says what it wrote; the kennel's name comes from
// Harvel.INI. A failure throws platform::StoreError.

#include <QStringList>
#include <QTextStream>

namespace harvel_data {

void WebCommand(const QString& dataFolder, const QString& outFolder, QTextStream& out);

}  // namespace harvel_data
