#pragma once
// Settings files in the Windows INI form shared with the rest of the kennel's
// tools (Harvel.INI, SestDLL.ini):
//
//   [Section]
//   key=value
//
// - Section and key names compare case-insensitively; blanks around them do
//   not count. The value is everything after the first "=", kept exactly as
//   written, leading and trailing blanks included (" cm" stays " cm").
// - Lines that are neither a section nor a key (comments starting with ";",
//   blank lines, text before the first section, lines without "=") are kept
//   and written back unchanged, as are all sections and keys nobody touched.
// - On disk the file is Windows-1250 with CR LF line ends, as long as every
//   character fits that code page (older installations read it so). A file
//   holding any other character (a kennel name with "✓") is written as UTF-8
//   behind a byte-order mark instead, and a file starting with the mark is
//   read as UTF-8. Reading also accepts LF or CR alone. Every byte of an
//   untouched line of a Windows-1250 file survives a read and write
//   (undefined code-page bytes included).
// - When a section or key occurs twice, the first one counts, for reading and
//   for writing.
//
// The file is read whole into memory by Load and written whole by Save, which
// replaces it atomically (a crash never leaves half a file). Writers should
// Load, change and Save in one go, so that two parts of the program that keep
// settings in the same file do not overwrite each other's values.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform {

class IniFile {
  public:
    IniFile() = default;
    explicit IniFile(QString path) : path_(std::move(path)) {}

    // Reads the file. A file that does not exist reads as an empty document
    // and succeeds; a file that exists but cannot be read gives false.
    bool Load();
    // Writes the document to the file; false (with ErrorText) when the file
    // or its folder cannot be written. The previous content then stays.
    bool Save();

    // The document from / as the bytes of a file (for tests and fuzzing).
    static IniFile FromBytes(QByteArrayView bytes);
    QByteArray ToBytes() const;

    const QString& Path() const { return path_; }
    // What went wrong in the last failed Load or Save.
    const QString& ErrorText() const { return error_; }

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // Section names in file order, each once, as first written in the file.
    QStringList Sections() const;
    // Key names of a section in file order, each once; empty for a missing section.
    QStringList Keys(const QString& section) const;

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    // A decimal integer (blanks around it allowed); a missing key, an empty
    // value or one that is not an integer gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // An integer, non-zero meaning true; "true" and "false" (any case) are
    // understood too. Anything else gives the default.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // Sets a value, adding the key at the end of its section, or the section
    // at the end of the file, when absent. A line break inside the value
    // would break the file's structure, so each CR or LF is stored as a blank.
    // False (nothing changed) for a name the format cannot hold: an empty or
    // all-blank name, a key with "=", or a name with "]" or a line break.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    // Written as "1" or "0".
    bool WriteBool(const QString& section, const QString& key, bool value);

    void DeleteKey(const QString& section, const QString& key);
    // Removes the section's header and every line up to the next section.
    void EraseSection(const QString& section);

  private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        QString text;  // the line as it stands in the file, without its line end
        LineKind kind = LineKind::Other;
        QString name;               // section or key name, trimmed
        qsizetype valueStart = -1;  // keys: where the value begins in `text`
    };
    struct SectionRange {
        qsizetype header = -1;  // index of the [Section] line; -1 when absent
        qsizetype end = 0;      // one past the section's last line
    };

    static Line ParseLine(const QString& text, bool insideSection);
    SectionRange FindSection(const QString& section) const;
    qsizetype FindKey(const SectionRange& range, const QString& key) const;
    void ParseText(const QString& text);

    QString path_;
    QString error_;
    std::vector<Line> lines_;
};

}  // namespace platform
