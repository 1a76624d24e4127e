#pragma once
// The reason a write failed, in the user's words: a full disk, a missing
// permission, a write-protected medium. Every writer of files and of the
// standard output reports its failure through it.

#include <QString>

namespace platform {

// "na disku není místo" for ENOSPC, and so on; the system's own text for a
// reason without a Czech name.
QString WriteFailureReason(int systemError);

}  // namespace platform
