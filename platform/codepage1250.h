#pragma once
// Windows-1250 (Central European) <-> Unicode. Text is QString inside the
// program; files that other programs of the kennel's machine share with us
// (settings INI files, templates, text exports) hold Windows-1250 bytes.
//
// Five byte values have no character in Windows-1250: 0x81, 0x83, 0x88, 0x90
// and 0x98. How they decode is chosen by the caller:
//  - UndefinedBytes::Replace (the default) gives U+FFFD, the visible
//    replacement character, for text that is shown to the user;
//  - UndefinedBytes::Keep gives the C1 control of the same value (U+0081 ...),
//    as Windows itself does, so a file read and written back keeps every
//    byte it had (the INI writer relies on this).
// Encoding turns every character that Windows-1250 cannot hold into '?'
// (one '?' per character, also for characters outside the BMP); U+0081,
// U+0083, U+0088, U+0090 and U+0098 encode back to their own byte values.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

enum class UndefinedBytes { Replace, Keep };

// The character the byte stands for (bytes below 0x80 are ASCII).
char16_t Cp1250ToUnicode(unsigned char byte, UndefinedBytes undefined = UndefinedBytes::Replace);

// The byte for one UTF-16 code unit; false when Windows-1250 has no such
// character (the byte is then left unchanged).
bool UnicodeToCp1250(char16_t character, unsigned char* byte);

// True when every character of `text` has a Windows-1250 byte.
bool FitsCp1250(QStringView text);

QString FromCp1250(QByteArrayView bytes, UndefinedBytes undefined = UndefinedBytes::Replace);
// '?' stands for every character Windows-1250 has no byte for; when `lost`
// is given, each such character not listed in it yet is appended to it.
QByteArray ToCp1250(QStringView text, QString* lost = nullptr);

// Text files that older installations read too (templates, settings INI
// files): Windows-1250 whenever every character fits, so those files stay
// byte for byte what they always were; text holding any other character is
// written as UTF-8 behind the byte-order mark EF BB BF instead of losing it
// to '?'. Reading takes a file that starts with the mark as UTF-8 (`utf8`
// tells which it was) and any other file as Windows-1250.
QString FromCp1250OrUtf8(QByteArrayView bytes, UndefinedBytes undefined = UndefinedBytes::Replace,
                         bool* utf8 = nullptr);
QByteArray ToCp1250OrUtf8(QStringView text);

}  // namespace platform
