// SavePdfFile: the pages asked for in a PDF whose text comes back, its title
// in the document information, and the reason in words when the file cannot
// be written – with nothing left behind that looks like a finished PDF.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "report/output/export_pdf.h"
#include "tests/report/output/export_fixture.h"
#include "tests/support/small_disk.h"

using testing_support::SmallDisk;

namespace {

QString ToolOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool HavePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// `pages` pages with a line of Czech text each, numbered.
void FillPages(ExportFixture& f, int pages) {
    for (int page = 0; page < pages; ++page) {
        TLumexReportElement& text =
            f.Text(QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy %1").arg(page + 1), 600);
        f.Place(text, page, 20, 30);
    }
}

}  // namespace

TEST(ExportPdf, WritesThePagesAskedForWithTitleAndText) {
    if (!HavePoppler()) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    QTemporaryDir dir;
    ExportFixture f;
    FillPages(f, 4);
    f.output.FirstPage = 2;
    f.output.LastPage = 3;
    const QString pdf = dir.filePath(QStringLiteral("seznam.pdf"));
    ASSERT_EQ(SavePdfFile(f.output, pdf, QStringLiteral("Seznam psů")), QString());

    const QString info = ToolOutput(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Seznam psů"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+Harvel"))));
    // A4: the picture of 8.26 x 11.69 inches in whole points.
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595 x 842 pts"))))
        << info.toStdString();
    const QString first =
        ToolOutput(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                    QStringLiteral("1"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(first.contains(QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy 2")))
        << first.toStdString();
    const QString second =
        ToolOutput(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                    QStringLiteral("2"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(second.contains(QStringLiteral("ódy 3"))) << second.toStdString();
}

TEST(ExportPdf, AFileThatCannotBeCreatedGivesTheReason) {
    QTemporaryDir dir;
    ExportFixture f;
    FillPages(f, 1);
    const QString pdf = dir.filePath(QStringLiteral("chybi/seznam.pdf"));
    const QString error = SavePdfFile(f.output, pdf, QStringLiteral("Seznam"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Soubor \"%1\" nelze zapsat: ").arg(pdf)))
        << error.toStdString();
    EXPECT_GT(error.size(), QStringLiteral("Soubor \"%1\" nelze zapsat: ").arg(pdf).size());
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST(ExportPdf, AFullDiskGivesTheReasonAndLeavesNoHalfFile) {
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath(QStringLiteral("disk")), 64);
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
    }
    ExportFixture f;
    FillPages(f, 400);
    const QString pdf = disk.Folder() + QStringLiteral("/seznam.pdf");
    const QString error = SavePdfFile(f.output, pdf, QStringLiteral("Seznam"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Soubor \"%1\" nelze zapsat").arg(pdf)))
        << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(QDir(disk.Folder()).entryList(QDir::Files).isEmpty());

    // A file of that name from before stays as it was.
    QFile before(pdf);
    ASSERT_TRUE(before.open(QIODevice::WriteOnly));
    before.write("%PDF-1.4 dřívější\n");
    before.close();
    EXPECT_FALSE(SavePdfFile(f.output, pdf, QStringLiteral("Seznam")).isEmpty());
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll(), QByteArray("%PDF-1.4 dřívější\n"));
    before.close();
    EXPECT_EQ(QDir(disk.Folder()).entryList(QDir::Files),
              QStringList{QStringLiteral("seznam.pdf")});

    // The same pages fit on a disk with room.
    const QString roomy = dir.filePath(QStringLiteral("seznam.pdf"));
    EXPECT_EQ(SavePdfFile(f.output, roomy, QStringLiteral("Seznam")), QString());
    EXPECT_GT(QFileInfo(roomy).size(), 64 * 1024);
}

TEST(ExportPdf, AnOutputWithoutPagesIsRefused) {
    QTemporaryDir dir;
    ExportFixture f;
    const QString pdf = dir.filePath(QStringLiteral("prazdna.pdf"));
    EXPECT_EQ(SavePdfFile(f.output, pdf, QString()),
              QStringLiteral("Sestava nemá žádnou stránku k zápisu."));
    EXPECT_FALSE(QFileInfo::exists(pdf));
}
