#pragma once
// Whole-file reads and writes for tests: the bytes of a file, and a file
// written with given bytes (its folders made first). A write that fails is a
// test failure; a file that cannot be read reads as no bytes.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace testing_support {

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        ADD_FAILURE() << "cannot write " << path.toStdString() << ": "
                      << file.errorString().toStdString();
    }
}

}  // namespace testing_support
