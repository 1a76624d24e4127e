#include "platform/ini_file.h"

#include <QFile>
#include <QFileInfo>

#include "platform/atomic_file.h"
#include "platform/codepage1250.h"

namespace platform {
namespace {

bool SameName(const QString& left, const QString& right) {
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

bool IsValidSectionName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(u']') && !name.contains(u'\r') &&
           !name.contains(u'\n');
}

bool IsValidKeyName(const QString& name) {
    return IsValidSectionName(name) && !name.contains(u'=') && !name.trimmed().startsWith(u';') &&
           !name.trimmed().startsWith(u'[');
}

QString OneLine(QString value) {
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

// Splits at CR LF, LF or CR alone. A final line end does not start another line.
QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype length = text.size();
    for (qsizetype index = 0; index < length; ++index) {
        const QChar character = text[index];
        if (character != u'\r' && character != u'\n') {
            continue;
        }
        lines.append(text.mid(start, index - start));
        if (character == u'\r' && index + 1 < length && text[index + 1] == u'\n') {
            ++index;
        }
        start = index + 1;
    }
    if (start < length) {
        lines.append(text.mid(start));
    }
    return lines;
}

}  // namespace

IniFile::Line IniFile::ParseLine(const QString& text, bool insideSection) {
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'[')) {
        line.kind = LineKind::Section;
        const qsizetype close = trimmed.indexOf(u']');
        line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (!insideSection || equals < 0 || trimmed.startsWith(u';')) {
        return line;
    }
    const QString key = text.left(equals).trimmed();
    if (key.isEmpty()) {
        return line;
    }
    line.kind = LineKind::Key;
    line.name = key;
    line.valueStart = equals + 1;
    return line;
}

void IniFile::ParseText(const QString& text) {
    lines_.clear();
    bool insideSection = false;
    for (const QString& lineText : SplitLines(text)) {
        lines_.push_back(ParseLine(lineText, insideSection));
        insideSection = insideSection || lines_.back().kind == LineKind::Section;
    }
}

IniFile IniFile::FromBytes(QByteArrayView bytes) {
    IniFile file;
    file.ParseText(FromCp1250OrUtf8(bytes, UndefinedBytes::Keep));
    return file;
}

QByteArray IniFile::ToBytes() const {
    QString text;
    for (const Line& line : lines_) {
        text += line.text;
        text += QStringLiteral("\r\n");
    }
    return ToCp1250OrUtf8(text);
}

bool IniFile::Load() {
    error_.clear();
    QFile file(path_);
    if (!file.exists()) {
        lines_.clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error_ = file.errorString();
        return false;
    }
    const QString path = path_;
    *this = FromBytes(bytes);
    path_ = path;
    return true;
}

bool IniFile::Save() {
    error_.clear();
    const QFileInfo info(path_);
    if (info.exists() && (!info.isFile() || !info.isWritable())) {
        error_ = QStringLiteral("Soubor %1 nelze přepsat.").arg(path_);
        return false;
    }
    const QByteArray bytes = ToBytes();
    // The old file stays unless every byte of the new one reached the disk
    // (a small file fits in a write buffer, so only the close finds a full disk).
    AtomicFile file(path_);
    if (file.Open()) {
        if (file.write(bytes) == bytes.size() && file.Commit()) {
            return true;
        }
        error_ = file.FailureText();
        return false;
    }
    // A folder where no temporary file can be created may still hold a
    // writable file: then write it in place, unbuffered, each write checked.
    QFile inPlace(path_);
    if (!info.exists() ||
        !inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error_ = file.FailureText();
        return false;
    }
    if (inPlace.write(bytes) != bytes.size() || !inPlace.flush()) {
        error_ = inPlace.errorString();
        return false;
    }
    return true;
}

IniFile::SectionRange IniFile::FindSection(const QString& section) const {
    SectionRange range;
    const QString wanted = section.trimmed();
    for (qsizetype index = 0; index < qsizetype(lines_.size()); ++index) {
        const Line& line = lines_[index];
        if (line.kind != LineKind::Section) {
            continue;
        }
        if (range.header >= 0) {
            range.end = index;
            return range;
        }
        if (SameName(line.name, wanted)) {
            range.header = index;
        }
    }
    range.end = qsizetype(lines_.size());
    return range;
}

qsizetype IniFile::FindKey(const SectionRange& range, const QString& key) const {
    if (range.header < 0) {
        return -1;
    }
    const QString wanted = key.trimmed();
    for (qsizetype index = range.header + 1; index < range.end; ++index) {
        if (lines_[index].kind == LineKind::Key && SameName(lines_[index].name, wanted)) {
            return index;
        }
    }
    return -1;
}

bool IniFile::SectionExists(const QString& section) const {
    return FindSection(section).header >= 0;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return FindKey(FindSection(section), key) >= 0;
}

QStringList IniFile::Sections() const {
    QStringList names;
    for (const Line& line : lines_) {
        if (line.kind == LineKind::Section && !names.contains(line.name, Qt::CaseInsensitive)) {
            names.append(line.name);
        }
    }
    return names;
}

QStringList IniFile::Keys(const QString& section) const {
    QStringList names;
    const SectionRange range = FindSection(section);
    if (range.header < 0) {
        return names;
    }
    for (qsizetype index = range.header + 1; index < range.end; ++index) {
        const Line& line = lines_[index];
        if (line.kind == LineKind::Key && !names.contains(line.name, Qt::CaseInsensitive)) {
            names.append(line.name);
        }
    }
    return names;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const qsizetype index = FindKey(FindSection(section), key);
    if (index < 0) {
        return defaultValue;
    }
    return lines_[index].text.mid(lines_[index].valueStart);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    bool ok = false;
    const int value = ReadString(section, key).trimmed().toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    const QString text = ReadString(section, key).trimmed();
    if (SameName(text, QStringLiteral("true"))) {
        return true;
    }
    if (SameName(text, QStringLiteral("false"))) {
        return false;
    }
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (!IsValidSectionName(section) || !IsValidKeyName(key)) {
        return false;
    }
    const QString storedValue = OneLine(value);
    SectionRange range = FindSection(section);
    const qsizetype existing = FindKey(range, key);
    if (existing >= 0) {
        Line& line = lines_[existing];
        line.text = line.text.left(line.valueStart) + storedValue;
        return true;
    }
    if (range.header < 0) {
        if (!lines_.empty() && !lines_.back().text.trimmed().isEmpty()) {
            lines_.push_back(ParseLine(QString(), true));
        }
        lines_.push_back(ParseLine(u'[' + section.trimmed() + u']', false));
        range.header = qsizetype(lines_.size()) - 1;
        range.end = qsizetype(lines_.size());
    }
    // After the section's last key, so that blank lines and comments ahead
    // of the next section stay where they are.
    qsizetype insertAt = range.header + 1;
    for (qsizetype index = range.header + 1; index < range.end; ++index) {
        if (lines_[index].kind == LineKind::Key) {
            insertAt = index + 1;
        }
    }
    lines_.insert(lines_.begin() + insertAt, ParseLine(key.trimmed() + u'=' + storedValue, true));
    return true;
}

bool IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

bool IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::DeleteKey(const QString& section, const QString& key) {
    const qsizetype index = FindKey(FindSection(section), key);
    if (index >= 0) {
        lines_.erase(lines_.begin() + index);
    }
}

void IniFile::EraseSection(const QString& section) {
    const SectionRange range = FindSection(section);
    if (range.header >= 0) {
        lines_.erase(lines_.begin() + range.header, lines_.begin() + range.end);
    }
}

}  // namespace platform
