#pragma once
// TVerInfo: reads the version information of a file.
//
// Our programs carry their version information as a block of text inside
// the executable (see ProgramVersionBlock), which any file may carry too:
//
//   <marker line>
//   Translation=040504E2 040904E4      language and code page pairs, in hex
//   FileVersionNum=1.0.0.0             four numbers
//   FileDate=2026-12-09T10:00:00       optional, ISO date and time
//   [040504E2]                          the texts of one translation
//   CompanyName=...
//   ...
//   <NUL byte>
//
// Setting FileName reads that file's block; Valid tells whether it had one.
// The texts are those of the first translation the block lists.

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

#include "controls/version_language.h"

// What a version block holds.
struct VersionBlock {
    QList<quint32> translations;                  // language id << 16 | code page
    QString fileVersionNum;                       // "major.minor.release.build"
    QDateTime fileDate;                           // invalid when the block names none
    QMap<quint32, QMap<QString, QString>> texts;  // per translation
};

// The first well-formed block in `bytes`; false when there is none.
bool FindVersionBlock(QByteArrayView bytes, VersionBlock& block);
// The bytes of a block, as a file would carry it.
QByteArray VersionBlockBytes(const VersionBlock& block);
// The block built into this program, closing NUL byte included.
QByteArrayView ProgramVersionBlock();

class TVerInfo {
  public:
    TVerInfo() = default;
    explicit TVerInfo(const QString& fileName) { SetFileName(fileName); }

    const QString& FileName() const { return fileName_; }
    // Reads the file's version information; a missing or unreadable file,
    // or one without a block, leaves Valid false and every text empty.
    void SetFileName(const QString& fileName);
    // Sets FileName to this program's own executable.
    void SetFileNameToProgram();

    bool Valid() const { return valid_; }
    TVersionLanguage VersionLanguage() const { return language_; }
    // The code page of the translation the texts come from (1250, 65001, ...).
    int VersionCharSet() const { return charSet_; }
    // The file version as four 16-bit numbers, major in the highest bits.
    quint64 VersionNum() const { return versionNum_; }
    // The block's file date, else the file's last modification.
    const QDateTime& VerFileDate() const { return fileDate_; }

    QString Comments() const { return Text("Comments"); }
    QString CompanyName() const { return Text("CompanyName"); }
    QString FileDescription() const { return Text("FileDescription"); }
    QString FileVersion() const { return Text("FileVersion"); }
    QString InternalName() const { return Text("InternalName"); }
    QString LegalCopyright() const { return Text("LegalCopyright"); }
    QString LegalTrademarks() const { return Text("LegalTrademarks"); }
    QString OriginalFilename() const { return Text("OriginalFilename"); }
    QString ProductVersion() const { return Text("ProductVersion"); }
    QString ProductName() const { return Text("ProductName"); }
    QString SpecialBuild() const { return Text("SpecialBuild"); }
    QString PrivateBuild() const { return Text("PrivateBuild"); }

  private:
    QString Text(const char* key) const { return texts_.value(QString::fromLatin1(key)); }
    void Clear();
    void Apply(const VersionBlock& block, const QDateTime& fileModified);

    QString fileName_;
    bool valid_ = false;
    TVersionLanguage language_ = vlUnknown;
    int charSet_ = 0;
    quint64 versionNum_ = 0;
    QDateTime fileDate_;
    QMap<QString, QString> texts_;
};

// "1.2.3.4" packed as TVerInfo::VersionNum gives it; missing parts are 0,
// parts that are no number below 65536 make the whole text 0.
quint64 PackVersionNumber(const QString& text);
