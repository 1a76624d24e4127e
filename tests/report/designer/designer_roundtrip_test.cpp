// Every template of the installation goes through the designer unchanged:
// opened and written back line for line, saved without edits to the same
// file, opened again, and printing the same pages before and after.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "report/output/output_dump.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;

namespace {

QStringList InstalledTemplates() {
    const QDir folder(QStringLiteral(HARVEL_SOURCE_DIR "/templates"));
    QStringList files;
    for (const QString& name :
         folder.entryList({QStringLiteral("*.pts")}, QDir::Files, QDir::Name)) {
        files << folder.filePath(name);
    }
    return files;
}

QStringList Lines(const QString& file) {
    TPredloha lines;
    lines.LoadFromFile(file);
    return lines.Lines();
}

QStringList PrintedPages(DesignerFixture& f) {
    f.report.SetPredloha(TPredloha());
    EXPECT_EQ(f.report.Generate(), seOK);
    return DumpOutput(f.report.Output());
}

class InstalledTemplate : public testing::TestWithParam<QString> {};

}  // namespace

TEST(DesignerRoundTrip, TheInstallationHasTemplates) {
    EXPECT_GE(InstalledTemplates().size(), 3);
}

TEST_P(InstalledTemplate, SurvivesOpenSaveOpen) {
    const QStringList original = Lines(GetParam());
    ASSERT_FALSE(original.isEmpty());
    DesignerFixture f(original);
    const QStringList before = PrintedPages(f);
    EXPECT_GT(before.size(), 1);
    f.report.LoadTemplate(true);
    {
        TFormSestE& w = f.Open();
        EXPECT_EQ(w.WriteState().Lines(), original);
        ASSERT_TRUE(w.Save());
        f.window.reset();
    }
    EXPECT_EQ(f.FileLines(), original);
    f.report.LoadTemplate(true);
    TFormSestE& again = f.Open();
    EXPECT_EQ(again.WriteState().Lines(), original);
    f.window.reset();
    EXPECT_EQ(PrintedPages(f), before);
}

INSTANTIATE_TEST_SUITE_P(Installation, InstalledTemplate, testing::ValuesIn(InstalledTemplates()),
                         [](const testing::TestParamInfo<QString>& info) {
                             QString name = QFileInfo(info.param).completeBaseName();
                             name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
                             return name.toStdString();
                         });
