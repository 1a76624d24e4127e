// harvel-report writes every export format from a real data folder and template.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "tests/support/html_scan.h"

namespace {

const QString kBin = QStringLiteral(HARVEL_BIN_DIR);
const QString kTemplate = QStringLiteral(HARVEL_SOURCE_DIR "/templates/EvidList01.pts");

int RunTool(const QString& program, const QStringList& args, QString* errors = nullptr) {
    QProcess process;
    process.start(kBin + "/" + program, args);
    process.waitForFinished(120000);
    if (errors) {
        *errors = QString::fromUtf8(process.readAllStandardError());
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

class ReportExports : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath("DATA");
        ASSERT_EQ(RunTool("harvel-data", {"init", data_}), 0);
        QFile csv(dir_.filePath("m.csv"));
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write(
            "Jmeno_registr,Jmeno_call,Pohlavi,Plemeno\n"
            "Šťastná Bára,Bárka,fena,Beagle\nAron z Tří dubů,Ari,pes,Beagle\n");
        csv.close();
        ASSERT_EQ(RunTool("harvel-data", {"load", data_, "main_card.db", csv.fileName()}), 0);
    }

    int Export(const QString& format, const QString& out, const QStringList& extra = {}) {
        QString errors;
        const int rc =
            RunTool("harvel-report",
                    QStringList{"--data", data_, "--table", "main_card.db", "--template", kTemplate,
                                "--format", format, "--out", dir_.filePath(out)} +
                        extra,
                    &errors);
        EXPECT_EQ(rc, 0) << errors.toStdString();
        return rc;
    }

    QByteArray Read(const QString& name) {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    QString data_;
};

}  // namespace

TEST_F(ReportExports, HtmlPagesAreNumberedAndCarryTheHeader) {
    Export("html", "karty.html");
    const QByteArray page = Read("karty1.html");
    EXPECT_TRUE(page.startsWith("<HTML> <HEAD> <TITLE> </TITLE>\n"));
    // Characters beyond ASCII travel as numeric character references.
    EXPECT_TRUE(page.contains("B&#225;rka")) << page.left(400).constData();
    EXPECT_TRUE(page.endsWith("</PRE></BODY> </HTML>\n"));
}

// A name beyond the basic plane comes back whole from the pages, and the
// output's own name is their index, linking every page in order.
TEST_F(ReportExports, HtmlPagesKeepEveryCharacterAndHaveAnIndex) {
    const QString name = QStringLiteral("\U0001F415 Ťapka z Lipové aleje");
    QFile csv(dir_.filePath("emoji.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(
        ("Jmeno_registr,Jmeno_call,Pohlavi,Plemeno\n" + name + ",Ťapka,fena,Beagle\n").toUtf8());
    csv.close();
    ASSERT_EQ(RunTool("harvel-data", {"load", data_, "main_card.db", csv.fileName()}), 0);
    Export("html", "karty.html");
    const auto index = testing_support::ScanHtml(QString::fromUtf8(Read("karty.html")));
    QStringList links;
    for (const testing_support::HtmlTag& tag : index.tags) {
        if (tag.name == "a") {
            links << QUrl::fromPercentEncoding(tag.attributes.value("href").toUtf8());
        }
    }
    ASSERT_FALSE(links.isEmpty());
    QString text;
    for (int page = 1; page <= links.size(); ++page) {
        EXPECT_EQ(links[page - 1], QStringLiteral("karty%1.html").arg(page));
        text += testing_support::DecodeHtml(
            testing_support::ScanHtml(QString::fromUtf8(Read(links[page - 1]))).text);
    }
    EXPECT_FALSE(
        QFile::exists(dir_.filePath(QStringLiteral("karty%1.html").arg(links.size() + 1))));
    EXPECT_TRUE(text.contains(name)) << text.toStdString();
}

TEST_F(ReportExports, RtfAndSpoolAndMetafilesAreWritten) {
    Export("rtf", "karty.rtf");
    EXPECT_TRUE(Read("karty.rtf").startsWith("{\\rtf1"));
    Export("emf", "strana.emf");
    const QByteArray emf = Read("strana1.emf");
    ASSERT_GE(emf.size(), 44);
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
    Export("wmf", "strana.wmf");
    EXPECT_TRUE(Read("strana1.wmf").startsWith(QByteArray("\xD7\xCD\xC6\x9A", 4)));
    Export("spl", "karty.spl");
    EXPECT_GT(Read("karty.spl").size(), 100);
}

TEST_F(ReportExports, TextIsWrittenInTheChosenCodePage) {
    Export("txt", "karty.txt", {"--codepage", "cp852"});
    const QByteArray text = Read("karty.txt");
    // "Š" is 0xE6 in code page 852 and "ť" 0x9C.
    EXPECT_TRUE(
        text.contains("\xE6\x9C"
                      "astn"))
        << text.toHex().left(200).constData();
}
