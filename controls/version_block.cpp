// The version information built into every program that reads it: the text
// block TVerInfo finds in the executable file. The numbers come from the
// project version the build passes in.
#include "controls/version_info.h"

#ifndef HARVEL_VERSION_TEXT
#error "the build passes HARVEL_VERSION_TEXT, the project version"
#endif

namespace {

// Czech texts in UTF-8 (code page 65001).
[[gnu::used]] const char kProgramVersionBlock[] =
    "\x7f"
    "HarvelVersionInfo\n"
    "Translation=0405FDE9\n"
    "FileVersionNum=" HARVEL_VERSION_TEXT
    "\n"
    "[0405FDE9]\n"
    "FileDescription=Harvel\n"
    "FileVersion=" HARVEL_VERSION_TEXT
    "\n"
    "InternalName=Harvel\n"
    "OriginalFilename=harvel\n"
    "ProductName=Harvel\n"
    "ProductVersion=" HARVEL_VERSION_TEXT "\n";

}  // namespace

QByteArrayView ProgramVersionBlock() {
    // With the closing NUL byte, as the block stands in the file.
    return QByteArrayView(kProgramVersionBlock, sizeof(kProgramVersionBlock));
}
