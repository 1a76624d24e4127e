// .ci/check-layers: passes on the source tree and names every include that
// crosses a layer the wrong way in a small tree of its own.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::ProgramResult;
using testing_support::RunProgram;
using testing_support::WriteFile;

ProgramResult CheckLayers(const QString& root) {
    return RunProgram(QStringLiteral("python3"),
                      {QStringLiteral(HARVEL_SOURCE_DIR "/.ci/check-layers"), root});
}

TEST(CheckLayers, PassesOnTheSourceTree) {
    const ProgramResult result = CheckLayers(QStringLiteral(HARVEL_SOURCE_DIR));
    EXPECT_EQ(result.code, 0) << result.out.toStdString() << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
}

class PlantedTree : public ::testing::Test {
  protected:
    void Write(const QString& path, const QByteArray& text) {
        WriteFile(dir_.filePath(path), text);
    }
    ProgramResult Check() { return CheckLayers(dir_.path()); }

    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        Write(QStringLiteral("CMakeLists.txt"),
              "set(HARVEL_APP_DATA_FILES\n    dmunit.h dmunit.cpp)\n");
    }

    QTemporaryDir dir_;
};

TEST_F(PlantedTree, IncludesDownwardAndBesideTheFilePass) {
    Write(QStringLiteral("report/engine/run.cpp"),
          "#include \"run.h\"\n#include \"report/output/sestvyst.h\"\n"
          "#include \"report/model/lumex_element.h\"\n#include <QString>\n");
    Write(QStringLiteral("app/dmunit.cpp"), "#include \"report/engine/sestavy.h\"\n");
    Write(QStringLiteral("app/fouvod.cpp"), "#include \"app/dmunit.h\"\n");
    Write(QStringLiteral("app/main.cpp"), "#include \"records/fomain.h\"\n");
    Write(QStringLiteral("tools/harvel-report/main.cpp"), "#include \"app/dmunit.h\"\n");
    const ProgramResult result = Check();
    EXPECT_EQ(result.code, 0) << result.out.toStdString() << result.err.toStdString();
}

TEST_F(PlantedTree, EveryWrongWayIncludeIsNamedWithItsLine) {
    Write(QStringLiteral("report/output/sestvyst.cpp"),
          "#include \"report/output/sestvyst.h\"\n#include \"report/engine/sestavy.h\"\n");
    Write(QStringLiteral("report/engine/sestavy.cpp"), "#include \"platform/widgets/dialogs.h\"\n");
    Write(QStringLiteral("app/dmunit.cpp"), "#include \"app/foadresar.h\"\n");
    Write(QStringLiteral("app/fouvod.cpp"), "#include \"records/fomain.h\"\n");
    Write(QStringLiteral("tools/harvel-report/main.cpp"), "#include \"app/fouvod.h\"\n");
    const ProgramResult result = Check();
    EXPECT_EQ(result.code, 1);
    const QStringList expected = {
        "app/dmunit.cpp:1: includes \"app/foadresar.h\", but app/data may not include app/shell",
        "app/fouvod.cpp:1: includes \"records/fomain.h\", but app/shell may not include records",
        "report/engine/sestavy.cpp:1: includes \"platform/widgets/dialogs.h\", but report/engine "
        "may not include platform/widgets",
        "report/output/sestvyst.cpp:2: includes \"report/engine/sestavy.h\", but report/output "
        "may not include report/engine",
        "tools/harvel-report/main.cpp:1: includes \"app/fouvod.h\", but tools/harvel-report may "
        "not include app/shell",
    };
    for (const QString& line : expected) {
        EXPECT_TRUE(result.out.contains(line)) << line.toStdString() << "\n"
                                               << result.out.toStdString();
    }
    EXPECT_TRUE(result.out.contains("5 fault(s)")) << result.out.toStdString();
}

TEST_F(PlantedTree, AFolderOutsideEveryLayerFails) {
    Write(QStringLiteral("records/newbook/book.cpp"), "#include <QString>\n");
    const ProgramResult result = Check();
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.out.contains("records/newbook/book.cpp: the folder has no layer"))
        << result.out.toStdString();
}

}  // namespace
