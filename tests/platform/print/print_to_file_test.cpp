// Print jobs that go to a file instead of a queue: the file is replaced only
// when the whole job reached the disk; on a full disk the job fails with the
// reason and the file keeps what it held.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "platform/print/print_jobs.h"
#include "tests/support/small_disk.h"
#include "tests/support/test_files.h"

namespace platform {
namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

// The disk is filled up to a little room, less than the job needs.
struct FullDisk {
    QTemporaryDir root;
    testing_support::SmallDisk disk{root.filePath(QStringLiteral("disk")), 512};
    QString Target() const { return disk.Folder() + QStringLiteral("/vystup.prn"); }
};

TEST(PrintToFile, RawJobReplacesTheFileWithEveryByte) {
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("vystup.prn"));
    WriteFile(target, "stary obsah");
    RawJob job(QString(), QStringLiteral("Seznam"), 1, target);
    const QByteArray text = QByteArray(10000, 'x') + "\f";
    ASSERT_TRUE(job.WriteRaw(text));
    ASSERT_TRUE(job.End()) << job.ErrorText().toStdString();
    EXPECT_EQ(ReadFile(target), text);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(PrintToFile, RawJobOnAFullDiskFailsAndKeepsTheOldFile) {
    FullDisk full;
    if (!full.disk.IsMounted()) {
        GTEST_SKIP() << "mounting a small disk needs root";
    }
    WriteFile(full.Target(), "stary obsah");
    full.disk.Fill(2048);
    RawJob job(QString(), QStringLiteral("Seznam"), 1, full.Target());
    // Small enough to sit in a write buffer: the disk refuses it only at the end.
    ASSERT_TRUE(job.WriteRaw(QByteArray(8192, 'x')));
    EXPECT_FALSE(job.End());
    EXPECT_TRUE(job.Aborted());
    EXPECT_TRUE(job.ErrorText().contains(QStringLiteral("není místo")))
        << job.ErrorText().toStdString();
    EXPECT_EQ(ReadFile(full.Target()), "stary obsah");
}

TEST(PrintToFile, GraphicJobOnAFullDiskFailsAndKeepsTheOldFile) {
    FullDisk full;
    if (!full.disk.IsMounted()) {
        GTEST_SKIP() << "mounting a small disk needs root";
    }
    WriteFile(full.Target(), "stary obsah");
    full.disk.Fill(1024);
    QPrinter printer(QPrinter::HighResolution);
    QPrinterJob job(printer, QString(), QStringLiteral("Karty"), full.Target());
    ASSERT_NE(job.Painter(), nullptr) << job.ErrorText().toStdString();
    for (int page = 0; page < 5; ++page) {
        job.Painter()->drawText(QPointF(100, 100), QStringLiteral("Strana %1 žluťoučký").arg(page));
        if (page < 4) {
            ASSERT_TRUE(job.NewPage());
        }
    }
    EXPECT_FALSE(job.End());
    EXPECT_TRUE(job.ErrorText().contains(QStringLiteral("není místo")))
        << job.ErrorText().toStdString();
    EXPECT_EQ(ReadFile(full.Target()), "stary obsah");
}

TEST(PrintToFile, GraphicJobWritesTheWholePdf) {
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("karty.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    QPrinterJob job(printer, QString(), QStringLiteral("Karty"), target);
    ASSERT_NE(job.Painter(), nullptr) << job.ErrorText().toStdString();
    job.Painter()->drawText(QPointF(100, 100), QStringLiteral("Karta"));
    ASSERT_TRUE(job.End()) << job.ErrorText().toStdString();
    const QByteArray pdf = ReadFile(target);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
}

}  // namespace
}  // namespace platform
