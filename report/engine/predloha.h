#pragma once
// A report template: the ordered text lines of a .pts file, one record per
// line. On disk the lines are Windows-1250 text separated by CR LF; a
// template holding a character that code page lacks (✓, ♂, ♀) is UTF-8
// behind a byte-order mark instead. An empty file is an empty template.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class TPredloha {
  public:
    TPredloha() = default;
    explicit TPredloha(QStringList lines) : lines_(std::move(lines)) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    bool IsEmpty() const { return lines_.isEmpty(); }
    const QString& operator[](int index) const { return lines_[index]; }
    QString& operator[](int index) { return lines_[index]; }
    const QStringList& Lines() const { return lines_; }

    void Add(const QString& line) { lines_.append(line); }
    void Clear() { lines_.clear(); }

    // Replaces the lines by those of a string list, or copies them out.
    void LoadFromStrings(const QStringList& lines) { lines_ = lines; }
    void SaveToStrings(QStringList& lines) const { lines = lines_; }

    // Replaces the lines by the file's. A line ends at CR LF, at a lone LF or
    // at a lone CR; the last line needs no end. A file starting with the
    // UTF-8 byte-order mark is UTF-8, any other Windows-1250. Bytes that
    // Windows-1250 leaves undefined are kept as the control characters of the
    // same value, so they are written back unchanged. False (and no lines)
    // when the file cannot be read.
    bool LoadFromFile(const QString& fileName);
    // Writes every line followed by CR LF: in Windows-1250 when every
    // character fits (byte for byte what older installations read), else as
    // UTF-8 with a byte-order mark, so no character is lost. The file is
    // replaced only when the whole template was written; false when that
    // fails.
    bool SaveToFile(const QString& fileName) const;

    // The same conversions on bytes in memory (stored templates, streams).
    void LoadFromBytes(QByteArrayView bytes);
    QByteArray ToBytes() const;

    bool operator==(const TPredloha& other) const { return lines_ == other.lines_; }

  private:
    QStringList lines_;
};
