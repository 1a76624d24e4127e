#include "report/engine/predloha.h"

#include <QFile>

#include "platform/atomic_file.h"
#include "platform/codepage1250.h"

bool TPredloha::LoadFromFile(const QString& fileName) {
    lines_.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    LoadFromBytes(bytes);
    return true;
}

bool TPredloha::SaveToFile(const QString& fileName) const {
    // The old template stays in place unless every byte of the new one reached the disk.
    platform::AtomicFile file(fileName);
    if (!file.Open()) {
        return false;
    }
    const QByteArray bytes = ToBytes();
    return file.write(bytes) == bytes.size() && file.Commit();
}

void TPredloha::LoadFromBytes(QByteArrayView bytes) {
    lines_.clear();
    const QString text = platform::FromCp1250OrUtf8(bytes, platform::UndefinedBytes::Keep);
    const qsizetype length = text.size();
    qsizetype start = 0;
    for (qsizetype pos = 0; pos < length; ++pos) {
        const QChar c = text[pos];
        if (c != u'\r' && c != u'\n') {
            continue;
        }
        lines_.append(text.mid(start, pos - start));
        if (c == u'\r' && pos + 1 < length && text[pos + 1] == u'\n') {
            ++pos;
        }
        start = pos + 1;
    }
    if (start < length) {
        lines_.append(text.mid(start));
    }
}

QByteArray TPredloha::ToBytes() const {
    QString text;
    for (const QString& line : lines_) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return platform::ToCp1250OrUtf8(text);
}
