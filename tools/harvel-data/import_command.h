#pragma once
// harvel-data import SRC DIR [--keep-going] [--templates DIR] [--settings DIR] [--codepage N]

#include <QStringList>
#include <QTextStream>

namespace harvel_data {

// `args` are the command's own arguments (after "import"). Prints the
// per-table summary; throws platform::StoreError with the refusal list when
// nothing was written. Returns 2 for arguments it does not understand.
int ImportCommand(const QStringList& args, QTextStream& out);

}  // namespace harvel_data
