// harvel-report on a disk that fills up: every output format fails with the
// disk named as full, exits 1, and leaves the target folder as it was (the
// old file of the same name untouched, no partial and no temporary file),
// whether the first write fails or a later one. A device that takes no bytes
// (a node of /dev/full) fails the same way.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/program_run.h"
#include "tests/support/small_disk.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::ReadFile;

using Result = testing_support::ProgramResult;
using testing_support::SmallDisk;

const QString kBin = QStringLiteral(HARVEL_BIN_DIR);
const QString kTemplate = QStringLiteral(HARVEL_SOURCE_DIR "/templates/EvidList01.pts");

// Each format with the file its run writes first (multi-file formats number their pages).
struct Format {
    const char* name;
    const char* out;
    const char* firstFile;
};

const Format kFormats[] = {
    {"dump", "karty.txt", "karty.txt"},        {"pdf", "karty.pdf", "karty.pdf"},
    {"png", "karty.png", "karty1.png"},        {"html", "karty.html", "karty1.html"},
    {"html-single", "karty.htm", "karty.htm"}, {"rtf", "karty.rtf", "karty.rtf"},
    {"txt", "karty.txt", "karty.txt"},         {"emf", "karty.emf", "karty1.emf"},
    {"wmf", "karty.wmf", "karty1.wmf"},        {"spl", "karty.spl", "karty.spl"},
};

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

class FailedWrites : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath("DATA");
        ASSERT_EQ(Run("harvel-data", {"init", data_}).code, 0);
        QByteArray csv = "Jmeno_registr,Jmeno_call,Pohlavi,Plemeno,Povaha\n";
        for (int i = 0; i < 40; ++i) {
            csv += "Pes číslo " + QByteArray::number(i) + ",Pes,pes,Bígl," + QByteArray(150, 'p') +
                   "\n";
        }
        QFile file(dir_.filePath("karty.csv"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(csv);
        file.close();
        ASSERT_EQ(Run("harvel-data", {"load", data_, "main_card.db", file.fileName()}).code, 0);
    }
    Result Run(const QString& program, const QStringList& args) {
        return testing_support::RunProgram(kBin + "/" + program, args);
    }
    Result Report(const Format& format, const QString& out) {
        return Run("harvel-report", {"--data", data_, "--table", "main_card.db", "--template",
                                     kTemplate, "--format", format.name, "--out", out});
    }
    QTemporaryDir dir_;
    QString data_;
};

TEST_F(FailedWrites, AFullDiskFailsEveryFormatAndKeepsTheOldFile) {
    // With no byte free the first write fails; with a few pages free a later one.
    for (const qint64 spare : {qint64(0), qint64(8192)}) {
        for (const Format& format : kFormats) {
            SCOPED_TRACE(std::string(format.name) + ", free " + std::to_string(spare));
            SmallDisk disk(dir_.filePath("disk"), 256);
            if (!disk.IsMounted()) {
                GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
            }
            const QString old = disk.Folder() + "/" + format.firstFile;
            QFile oldFile(old);
            ASSERT_TRUE(oldFile.open(QIODevice::WriteOnly));
            oldFile.write("předchozí výstup");
            oldFile.close();
            disk.Fill(spare);
            const QStringList before = Entries(disk.Folder());
            const Result r = Report(format, disk.Folder() + "/" + format.out);
            EXPECT_EQ(r.code, 1) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains("nelze zapsat: na disku není místo")) << r.err.toStdString();
            EXPECT_EQ(Entries(disk.Folder()), before);
            EXPECT_EQ(ReadFile(old), "předchozí výstup");
        }
    }
}

TEST_F(FailedWrites, ADeviceThatTakesNoBytesFailsEverySingleFileFormat) {
    const QString full = dir_.filePath("full");
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "a device node of the test's own needs root (mknod)";
    }
    for (const Format& format : kFormats) {
        if (QByteArray(format.out) != format.firstFile) {
            continue;
        }
        SCOPED_TRACE(format.name);
        const Result r = Report(format, full);
        EXPECT_EQ(r.code, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("na disku není místo")) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo(full).isFile()) << "the device was replaced by a file";
    }
}

TEST_F(FailedWrites, StandardOutputToDevFullFails) {
    const QString full = dir_.filePath("full");
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "a device node of the test's own needs root (mknod)";
    }
    QProcess p;
    p.setStandardOutputFile(full);
    p.start(kBin + "/harvel-report",
            {"--data", data_, "--table", "main_card.db", "--eval", "UPPER(#1)"});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("Výstup nelze zapsat"));
}

}  // namespace
