#pragma once
// The texts the address book's "E-mail" and "WWW" captions open.

#include <QString>

// "mailto:" followed by the address trimmed of blanks ("mailto:" alone for
// an empty field).
QString MailUrl(const QString& email);
// "http://" followed by the trimmed address; an address that already names
// its scheme ("https://…", "http://…", any letter case) is opened as it is.
QString WebUrl(const QString& web);
