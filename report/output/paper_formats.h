#pragma once
// The named paper formats the page-setup dialog offers: 17 built in, then the
// user's own, which live in the report library's INI file (SestDLL.ini),
// section "FormatyPapiru":
//
//   PocetFormatu=2
//   Format1=Moje,850,1200
//   Format2="Štítek 10,5 cm",413,300
//
// All sizes are hundredths of an inch.

#include <QString>
#include <QStringList>
#include <vector>

namespace platform {
class IniFile;
}

struct TFormatPapiru {
    QString Name;  // at most 31 characters
    int Width = 0;
    int Height = 0;
    bool operator==(const TFormatPapiru&) const = default;
};

class TListFormatu {
  public:
    static constexpr int kBuiltInCount = 17;
    static constexpr int kMaxNameLength = 31;
    // More user formats than this in an INI file are not read (a damaged
    // count must not fill the memory).
    static constexpr int kMaxUserFormats = 1000;

    // A list with the built-in formats only.
    TListFormatu();

    // Fills the built-in formats, then reads the user formats from `ini`.
    void Load(const platform::IniFile& ini);
    // The same from the INI file at `iniPath`; false when the file exists but
    // cannot be read (the list then holds the built-in formats).
    bool Load(const QString& iniPath);

    // Writes the user formats into `ini` (in memory).
    void Save(platform::IniFile& ini) const;
    // Writes them into the INI file at `iniPath`, keeping everything else in
    // it; false when the file cannot be read or written.
    bool Save(const QString& iniPath) const;

    int Count() const { return int(formats_.size()); }
    // The format at `index`; an empty one for an index outside the list.
    TFormatPapiru Format(int index) const;
    // Replaces the format at `index` (the name is cut to 31 characters);
    // false for an index outside the list.
    bool SetFormat(int index, const TFormatPapiru& format);
    // Appends a format (the name cut to 31 characters); returns its index.
    int Add(const TFormatPapiru& format);
    QStringList Names() const;

    // The first format whose width and height are both within 1 % of the
    // given ones; when there is none, a new format "uživ. formát" of exactly
    // that size is appended (not saved) and its index returned.
    int FindOrAdd(int width, int height);

  private:
    void FillBuiltIn();

    std::vector<TFormatPapiru> formats_;
};

// The INI file of the report library: a bare file name (such as the
// component's "SestDLL.ini") lies in the settings folder (platform/folders.h); a path is used as
// it stands.
QString ReportIniPath(const QString& iniFileName);
