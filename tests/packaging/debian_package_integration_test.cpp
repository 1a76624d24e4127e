// The Debian package: cpack builds harvel_<version>_amd64.deb from this
// build, dpkg-deb lists every file of the installation below /usr, the
// dependencies come from the libraries the programs link, and lintian finds
// no error.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/packaging/installed_files.h"
#include "tests/support/program_run.h"

namespace {

using testing_support::RunProgram;

class DebianPackage : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QStandardPaths::findExecutable("dpkg-deb").isEmpty() ||
            QStandardPaths::findExecutable("dpkg-shlibdeps").isEmpty()) {
            return;  // each test skips
        }
        outDir_ = new QTemporaryDir;
        const auto result =
            RunProgram(QStringLiteral(HARVEL_CPACK),
                       {"-G", "DEB", "--config", HARVEL_BUILD_DIR "/CPackConfig.cmake", "-B",
                        outDir_->path()});
        ASSERT_EQ(result.code, 0) << result.out.toStdString() << result.err.toStdString();
    }
    static void TearDownTestSuite() {
        delete outDir_;
        outDir_ = nullptr;
    }
    void SetUp() override {
        if (outDir_ == nullptr) {
            GTEST_SKIP() << "dpkg-dev is needed to build the package";
        }
    }
    static QString Package() {
        return outDir_->filePath("harvel_" HARVEL_PROJECT_VERSION "_amd64.deb");
    }

    static QTemporaryDir* outDir_;
};

QTemporaryDir* DebianPackage::outDir_ = nullptr;

TEST_F(DebianPackage, ListsEveryFileBelowUsr) {
    ASSERT_TRUE(QFileInfo::exists(Package()));
    const auto contents = RunProgram("dpkg-deb", {"--contents", Package()});
    ASSERT_EQ(contents.code, 0) << contents.err.toStdString();
    for (const QString& file : packaging_test::InstalledFiles()) {
        EXPECT_TRUE(contents.out.contains("./usr/" + file + "\n")) << file.toStdString();
    }
    EXPECT_FALSE(contents.out.contains("harvel-pictures"));
}

TEST_F(DebianPackage, DependsOnTheLibrariesTheProgramsLink) {
    const auto fields =
        RunProgram("dpkg-deb", {"--field", Package(), "Package", "Version", "Depends"});
    ASSERT_EQ(fields.code, 0) << fields.err.toStdString();
    EXPECT_TRUE(fields.out.contains("Package: harvel\n"));
    EXPECT_TRUE(fields.out.contains("Version: " HARVEL_PROJECT_VERSION "\n"));
    for (const char* library : {"libqt6widgets6", "libsqlite3-0", "libcups2", "qt6-qpa-plugins"}) {
        EXPECT_TRUE(fields.out.contains(library)) << library;
    }
}

TEST_F(DebianPackage, LintianFindsNoError) {
    const QString lintian = QStandardPaths::findExecutable("lintian");
    if (lintian.isEmpty()) {
        GTEST_SKIP() << "lintian is not installed";
    }
    const auto result = RunProgram(lintian, {"--tag-display-limit", "0", Package()});
    const QStringList errors = result.out.split('\n').filter(QRegularExpression("^E: "));
    EXPECT_TRUE(errors.isEmpty()) << result.out.toStdString();
    EXPECT_NE(result.code, -1) << "lintian ended";
}

}  // namespace
