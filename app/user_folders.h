#pragma once
// An installed program's folders in the user's home (platform/folders.h),
// made ready before the program or a tool uses them:
//   - the settings folder ~/.config/Harvel/ and the template folder
//     ~/.local/share/Harvel/Predlohy/ are created when missing;
//   - the data folder ~/.local/share/Harvel/DATA/ gets the thirteen empty
//     tables when it holds no database yet (an existing one is never touched);
//   - the shipped templates (and their pictures) are copied into the
//     template folder: a file the folder lacks is added, a file the user has
//     not changed since it was shipped follows the new shipped one, and a
//     file the user edited stays as it is. What was shipped last is recorded
//     in the template folder's file ".harvel-shipped" (name TAB SHA-256 per
//     line), which is how an edited file is told from an untouched one.
// A build folder's layout is the build's business: nothing happens there.

#include <QStringList>

#include "platform/folders.h"

inline constexpr char kShippedListFileName[] = ".harvel-shipped";

// Prepares the folders; answers one line per problem (a folder or file that
// could not be made), empty when all went well.
QStringList PrepareUserFolders(const platform::InstallationFolders& folders);

// The same for the folders the program runs with (platform::CurrentFolders()).
QStringList PrepareCurrentUserFolders();
