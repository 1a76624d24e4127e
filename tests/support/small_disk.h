#pragma once
// A small disk of its own for tests of full and write-protected media: a
// tmpfs of a given size mounted on a folder. Mounting needs root (the test
// machines run the suite as root); without it IsMounted() is false and the
// test skips with a message.

#include <sys/mount.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace testing_support {

class SmallDisk {
  public:
    SmallDisk(const QString& folder, qint64 kilobytes) : folder_(folder) {
        QDir().mkpath(folder_);
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        mounted_ = ::mount("tmpfs", folder_.toLocal8Bit().constData(), "tmpfs", 0,
                           options.constData()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount2(folder_.toLocal8Bit().constData(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool IsMounted() const { return mounted_; }
    const QString& Folder() const { return folder_; }

    // Write-protects the medium, as a locked memory stick is.
    bool MakeReadOnly() {
        return mounted_ && ::mount(nullptr, folder_.toLocal8Bit().constData(), nullptr,
                                   MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    // Fills the disk with a file of zeros until nothing more fits, leaving
    // `spareBytes` free (the filler is cut back by that much).
    void Fill(qint64 spareBytes = 0) {
        QFile filler(QDir(folder_).filePath(QStringLiteral("vypln.bin")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return;
        }
        const QByteArray block(4096, '\0');
        while (filler.write(block) == block.size()) {
        }
        const qint64 size = filler.size();
        filler.close();
        if (spareBytes > 0) {
            QFile::resize(filler.fileName(), std::max<qint64>(0, size - spareBytes));
        }
    }

  private:
    QString folder_;
    bool mounted_ = false;
};

}  // namespace testing_support
