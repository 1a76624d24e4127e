// harvel-data web, run as a user runs it, on the hand-made kennel: the site
// is written, every page parses as HTML5 (html5lib), and failures are told.
#include <gtest/gtest.h>

#include <QFile>

#include "tests/records/site/site_kennel_fixture.h"
#include "tests/support/program_run.h"

namespace {

using testing_support::RunDataTool;
using testing_support::RunProgram;

// Debian's interpreter, where python3-html5lib installs.
QString SystemPython() {
    return QFile::exists("/usr/bin/python3") ? QStringLiteral("/usr/bin/python3")
                                             : QStringLiteral("python3");
}

class WebCommand : public site_test::SiteKennelFixture {
  protected:
    void SetUp() override {
        SiteKennelFixture::SetUp();
        db_.reset();  // the program opens the folder itself
        site_ = dir_.filePath(QStringLiteral("web"));
    }
    QString site_;
};

TEST_F(WebCommand, WritesTheSiteAndSaysWhatItWrote) {
    const auto result = RunDataTool({"web", folder_, site_});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Webové stránky byly zapsány do složky „%1“: 4 zvířata, "
                                         "2 vrhy, 1 fotografie.\n")
                              .arg(site_));
    EXPECT_TRUE(result.err.contains("Upozornění: Fotografii zvířete „Hugo“ nelze přečíst"));
    EXPECT_TRUE(QFile::exists(site_ + "/zvirata/aja-z-lipove-aleje.html"));
    EXPECT_TRUE(QFile::exists(site_ + "/foto/aja-z-lipove-aleje-nahled.jpg"));
    for (const QString& file : SiteFiles(site_)) {
        for (const QString& secret : site_test::kPrivate + QStringList{"Skrytý Rex"}) {
            EXPECT_FALSE(FileText(site_ + u'/' + file).contains(secret)) << file.toStdString();
        }
    }
    EXPECT_TRUE(RunDataTool({"--help"}).out.contains("harvel-data web DIR OUTDIR"));
}

TEST_F(WebCommand, EveryPageParsesAsHtml5) {
    ASSERT_EQ(RunDataTool({"web", folder_, site_}).code, 0);
    const auto check = RunProgram(
        SystemPython(), {QStringLiteral(HARVEL_SOURCE_DIR "/tests/tools/check_html5.py"), site_});
    if (check.code == 77) {
        GTEST_SKIP() << check.err.toStdString();
    }
    EXPECT_EQ(check.code, 0) << check.out.toStdString() << check.err.toStdString();
    EXPECT_TRUE(check.out.contains("6 stránek, 0 chyb")) << check.out.toStdString();
}

TEST_F(WebCommand, FailuresAreToldAndExitOne) {
    QFile blocker(site_);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto result = RunDataTool({"web", folder_, site_});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains("nelze vytvořit")) << result.err.toStdString();
    result = RunDataTool({"web", dir_.filePath("nic"), dir_.filePath("web2")});
    EXPECT_EQ(result.code, 1);
    EXPECT_FALSE(QFile::exists(dir_.filePath("web2")));
    EXPECT_EQ(RunDataTool({"web", folder_}).code, 2);
}

}  // namespace
