// The RTF export read by a real word processor: LibreOffice Writer turns the
// RTF of installed templates over the demo kennel into PDF, which must have
// the pages of our own PDF with the same words on each page. Skips where
// LibreOffice (Debian's libreoffice-writer-nogui) or pdftotext is missing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>

#include "report/output/sestexport.h"
#include "tests/report/output/export_fixture.h"
#include "tests/support/program_run.h"

namespace {

using testing_support::RunProgram;

const QString kBin = QStringLiteral(HARVEL_BIN_DIR);

struct Tools {
    QString office;
    QString pdftotext;
};

std::optional<Tools> FindTools() {
    const Tools tools{QStandardPaths::findExecutable(QStringLiteral("libreoffice")),
                      QStandardPaths::findExecutable(QStringLiteral("pdftotext"))};
    if (tools.office.isEmpty() || tools.pdftotext.isEmpty()) {
        return std::nullopt;
    }
    return tools;
}

// Converts the RTF files into PDF files of the same names in `folder` with
// one start of LibreOffice.
void ConvertToPdf(const Tools& tools, const QStringList& rtfFiles, const QString& folder) {
    QProcess convert;
    convert.start(tools.office,
                  QStringList{QStringLiteral("-env:UserInstallation=file://") + folder + "/lo",
                              QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                              QStringLiteral("pdf"), QStringLiteral("--outdir"), folder} +
                      rtfFiles);
    convert.waitForFinished(120000);
}

QString PdfOf(const QString& rtf) {
    const QFileInfo info(rtf);
    return info.dir().filePath(info.completeBaseName() + ".pdf");
}

// The words of every page of a PDF, sorted; nothing when it cannot be read.
std::optional<QVector<QStringList>> PageWords(const Tools& tools, const QString& pdf) {
    if (!QFile::exists(pdf)) {
        return std::nullopt;
    }
    QProcess text;
    text.start(tools.pdftotext, {pdf, QStringLiteral("-")});
    text.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();  // pdftotext ends every page with a form feed
    }
    QVector<QStringList> words;
    for (const QString& page : pages) {
        QStringList list =
            page.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        list.sort();
        words.append(list);
    }
    return words;
}

class RtfInLibreOffice : public testing::Test {
  protected:
    void SetUp() override {
        tools_ = FindTools();
        if (!tools_) {
            GTEST_SKIP() << "LibreOffice Writer or pdftotext is not installed "
                            "(Debian: libreoffice-writer-nogui, poppler-utils)";
        }
        ASSERT_TRUE(dir_.isValid());
    }

    // Our PDF and LibreOffice's reading of our RTF hold the same pages with
    // the same words.
    void ExpectSamePages(const QString& ours, const QString& rtf) {
        const auto expected = PageWords(*tools_, ours);
        const auto read = PageWords(*tools_, PdfOf(rtf));
        ASSERT_TRUE(expected.has_value()) << ours.toStdString();
        ASSERT_TRUE(read.has_value()) << "LibreOffice did not read " << rtf.toStdString();
        ASSERT_GT(expected->size(), 1);
        ASSERT_EQ(read->size(), expected->size()) << rtf.toStdString();
        for (int page = 0; page < expected->size(); ++page) {
            EXPECT_EQ((*read)[page].join(' ').toStdString(),
                      (*expected)[page].join(' ').toStdString())
                << QFileInfo(rtf).fileName().toStdString() << ", page " << page + 1;
        }
    }

    std::optional<Tools> tools_;
    QTemporaryDir dir_;
};

TEST_F(RtfInLibreOffice, InstalledTemplatesOverTheDemoKennelReadLikeOurPdf) {
    const QString data = dir_.filePath(QStringLiteral("DATA"));
    const auto load = RunProgram(
        QStringLiteral("/bin/sh"),
        {QStringLiteral(HARVEL_SOURCE_DIR "/demo/load-demo.sh"), data, kBin + "/harvel-data"});
    ASSERT_EQ(load.code, 0) << load.err.toStdString();
    const QString templates = QStringLiteral(HARVEL_SOURCE_DIR "/templates/");
    struct Report {
        QString name;
        QStringList arguments;
    };
    const Report reports[] = {
        // The identification list, two animals a page with grey name bands.
        {QStringLiteral("evidence"),
         {"--table", "main_card.db", "--template", templates + "EvidList00.pts"}},
        // A list: the litters of each animal.
        {QStringLiteral("vrhy"),
         {"--source", "5", "--template", templates + "Vrhy00.pts", "--order", "Jmeno_registr ASC"}},
    };
    QStringList rtfFiles;
    for (const Report& report : reports) {
        for (const char* format : {"pdf", "rtf"}) {
            const QString out = dir_.filePath(report.name + "." + format);
            const auto run = RunProgram(
                kBin + "/harvel-report",
                QStringList{"--data", data, "--format", format, "--out", out} + report.arguments);
            ASSERT_EQ(run.code, 0) << run.err.toStdString();
        }
        // LibreOffice writes "name.pdf": our own PDF is kept apart.
        ASSERT_TRUE(QFile::rename(dir_.filePath(report.name + ".pdf"),
                                  dir_.filePath(report.name + "-ours.pdf")));
        rtfFiles << dir_.filePath(report.name + ".rtf");
    }
    ConvertToPdf(*tools_, rtfFiles, dir_.path());
    for (const Report& report : reports) {
        ExpectSamePages(dir_.filePath(report.name + "-ours.pdf"),
                        dir_.filePath(report.name + ".rtf"));
    }
}

TEST_F(RtfInLibreOffice, EveryCharacterAndEveryPageComesThrough) {
    ExportFixture f;
    f.Place(f.Text(QStringLiteral("Zdravotní karta")), 0, 0, 0);
    f.Place(f.Text(QStringLiteral("Čert {a} \\ Ř")), 0, 0, 100);
    f.Place(f.Text(QStringLiteral("Kontrola čipu: ověřeno ✓ pes ♂ fena ♀"), 600), 0, 0, 200);
    f.Place(f.Text(QStringLiteral("Druhá strana")), 1, 0, 0);
    const QString rtf = dir_.filePath(QStringLiteral("karta.rtf"));
    ASSERT_TRUE(SaveRtfFile(f.output, rtf));
    ConvertToPdf(*tools_, {rtf}, dir_.path());
    const auto pages = PageWords(*tools_, PdfOf(rtf));
    ASSERT_TRUE(pages.has_value()) << "LibreOffice refused the exported RTF";
    ASSERT_EQ(pages->size(), 2);
    auto words = [](const char* text) {
        QStringList list = QString::fromUtf8(text).split(QChar(' '));
        list.sort();
        return list.join(' ').toStdString();
    };
    EXPECT_EQ((*pages)[0].join(' ').toStdString(),
              words("Zdravotní karta Čert {a} \\ Ř Kontrola čipu: ověřeno ✓ pes ♂ "
                    "fena ♀"));
    EXPECT_EQ((*pages)[1].join(' ').toStdString(), words("Druhá strana"));
}

}  // namespace
