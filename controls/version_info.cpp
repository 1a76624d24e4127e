#include "controls/version_info.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// Blocks are small; a longer run without the closing NUL byte is no block.
constexpr qsizetype kMaxBlockSize = 64 * 1024;
constexpr int kVersionParts = 4;

// Built at run time, so this copy of the marker never looks like a block
// in the program file itself.
QByteArray Marker() {
    return QByteArray("\x7f") + QByteArray("HarvelVersionInfo") + '\n';
}

bool ParseTranslation(const QString& text, quint32& translation) {
    bool ok = false;
    translation = text.toUInt(&ok, 16);
    return ok && text.size() == 8;
}

bool ParseTranslations(const QString& value, QList<quint32>& translations) {
    for (const QString& item : value.split(u' ', Qt::SkipEmptyParts)) {
        quint32 translation = 0;
        if (!ParseTranslation(item, translation)) {
            return false;
        }
        translations << translation;
    }
    return !translations.isEmpty();
}

// Reads the lines that follow the marker; false when they make no block.
bool ParseLines(const QStringList& lines, VersionBlock& block) {
    QMap<QString, QString>* section = nullptr;
    for (const QString& rawLine : lines) {
        const QString line = rawLine.endsWith(u'\r') ? rawLine.chopped(1) : rawLine;
        if (line.isEmpty()) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            quint32 translation = 0;
            if (!ParseTranslation(line.mid(1, line.size() - 2), translation)) {
                return false;
            }
            section = &block.texts[translation];
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) {
            return false;
        }
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (section != nullptr) {
            section->insert(key, value);
        } else if (key == QLatin1String("Translation")) {
            if (!ParseTranslations(value, block.translations)) {
                return false;
            }
        } else if (key == QLatin1String("FileVersionNum")) {
            block.fileVersionNum = value;
        } else if (key == QLatin1String("FileDate")) {
            block.fileDate = QDateTime::fromString(value, Qt::ISODate);
        }
    }
    return !block.translations.isEmpty();
}

bool ParseBlockAt(QByteArrayView bytes, qsizetype start, VersionBlock& block) {
    const QByteArrayView rest = bytes.sliced(start, std::min(bytes.size() - start, kMaxBlockSize));
    const qsizetype end = rest.indexOf('\0');
    if (end < 0) {
        return false;
    }
    const QString text = QString::fromUtf8(rest.first(end));
    block = VersionBlock();
    return ParseLines(text.split(u'\n'), block);
}

QString Hex8(quint32 value) {
    return QStringLiteral("%1").arg(value, 8, 16, QChar(u'0')).toUpper();
}

}  // namespace

bool FindVersionBlock(QByteArrayView bytes, VersionBlock& block) {
    const QByteArray marker = Marker();
    for (qsizetype at = bytes.indexOf(marker); at >= 0; at = bytes.indexOf(marker, at + 1)) {
        if (ParseBlockAt(bytes, at + marker.size(), block)) {
            return true;
        }
    }
    block = VersionBlock();
    return false;
}

QByteArray VersionBlockBytes(const VersionBlock& block) {
    QStringList translations;
    for (quint32 translation : block.translations) {
        translations << Hex8(translation);
    }
    QString text = QStringLiteral("Translation=") + translations.join(u' ') + u'\n';
    if (!block.fileVersionNum.isEmpty()) {
        text += QStringLiteral("FileVersionNum=") + block.fileVersionNum + u'\n';
    }
    if (block.fileDate.isValid()) {
        text += QStringLiteral("FileDate=") + block.fileDate.toString(Qt::ISODate) + u'\n';
    }
    for (auto section = block.texts.begin(); section != block.texts.end(); ++section) {
        text += u'[' + Hex8(section.key()) + QStringLiteral("]\n");
        for (auto entry = section->begin(); entry != section->end(); ++entry) {
            text += entry.key() + u'=' + entry.value() + u'\n';
        }
    }
    return Marker() + text.toUtf8() + '\0';
}

quint64 PackVersionNumber(const QString& text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() > kVersionParts) {
        return 0;
    }
    quint64 packed = 0;
    for (int i = 0; i < kVersionParts; ++i) {
        quint64 part = 0;
        if (i < parts.size()) {
            bool ok = false;
            part = parts[i].trimmed().toUInt(&ok);
            if (!ok || part > 0xFFFF) {
                return 0;
            }
        }
        packed = (packed << 16) | part;
    }
    return packed;
}

void TVerInfo::Clear() {
    valid_ = false;
    language_ = vlUnknown;
    charSet_ = 0;
    versionNum_ = 0;
    fileDate_ = QDateTime();
    texts_.clear();
}

void TVerInfo::SetFileName(const QString& fileName) {
    fileName_ = fileName;
    Clear();
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return;
    }
    // Executables can be large: look through a mapping rather than a copy.
    const qint64 size = file.size();
    uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    const QByteArray read = mapped == nullptr ? file.readAll() : QByteArray();
    const QByteArrayView bytes = mapped != nullptr
                                     ? QByteArrayView(reinterpret_cast<const char*>(mapped), size)
                                     : QByteArrayView(read);
    VersionBlock block;
    const bool found = FindVersionBlock(bytes, block);
    if (mapped != nullptr) {
        file.unmap(mapped);
    }
    if (found) {
        Apply(block, QFileInfo(file).lastModified());
    }
}

void TVerInfo::Apply(const VersionBlock& block, const QDateTime& fileModified) {
    valid_ = true;
    const quint32 first = block.translations.first();
    language_ = VersionLanguageFromId(static_cast<quint16>(first >> 16));
    charSet_ = static_cast<int>(first & 0xFFFF);
    versionNum_ = PackVersionNumber(block.fileVersionNum);
    fileDate_ = block.fileDate.isValid() ? block.fileDate : fileModified;
    texts_ = block.texts.value(first);
}

void TVerInfo::SetFileNameToProgram() {
    // Without an application object the running executable is still known
    // to the system.
    SetFileName(QCoreApplication::instance() != nullptr
                    ? QCoreApplication::applicationFilePath()
                    : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    // A program whose file cannot be read (replaced while it runs) still
    // knows the block it was built with.
    VersionBlock block;
    if (!valid_ && FindVersionBlock(ProgramVersionBlock(), block)) {
        Apply(block, QDateTime());
    }
}
