// The installation's templates against the print sources they are listed
// under: every file exists, names only columns of its source's list query,
// and is written the way the designer writes it.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "report/engine/template_field_names.h"
#include "tests/support/seams.h"

namespace {

class InstalledTemplates : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
    }
    QTemporaryDir folder_;
};

TPredloha Load(const QString& name) {
    TPredloha predloha;
    EXPECT_TRUE(predloha.LoadFromFile(QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + name))
        << name.toStdString();
    return predloha;
}

}  // namespace

// A template that names a column its list lacks would print the first
// column in its place; a template not in the designer's form would change
// on its first save.
TEST_F(InstalledTemplates, EachFitsItsSourcesColumnsAndTheDesignersForm) {
    testing_support::ScriptedMessages messages;
    TDM1 dm(folder_.path() + "/");
    int files = 0;
    for (int position = 0; position < kPrintSourceCount; ++position) {
        dm.RunBookQuery(position, QString(), QString());
        platform::DataSource* source = PrintDataSource(dm, position);
        ASSERT_TRUE(source->GetDataSet()->IsActive()) << position;
        const QStringList columns = source->GetDataSet()->FieldNames();
        for (const TPrintTemplate& entry : PrintSources().at(position).templates) {
            ++files;
            const TPredloha predloha = Load(entry.file);
            EXPECT_GT(predloha.Count(), 20) << entry.file.toStdString();
            EXPECT_GT(TemplateFieldNames(predloha).size(), 3) << entry.file.toStdString();
            EXPECT_EQ(MissingTemplateFields(predloha, columns), QStringList())
                << entry.file.toStdString();
            TSestava report;
            report.SetDataSource(source);
            report.SetPredloha(predloha);
            EXPECT_EQ(report.WriteTemplate().Lines(), predloha.Lines()) << entry.file.toStdString();
        }
    }
    EXPECT_EQ(files, 21);
    EXPECT_TRUE(messages.Shown().empty());
}

// The lists of two sources differ, so a template of one source is caught
// when it is printed over another's.
TEST_F(InstalledTemplates, ATemplateOfAnotherSourceLacksColumns) {
    TDM1 dm(folder_.path() + "/");
    dm.RunBookQuery(1, QString(), QString());
    const QStringList missing =
        MissingTemplateFields(Load("Vrhy00.pts"), dm.QPomknihy.FieldNames());
    EXPECT_TRUE(missing.contains("Jmeno_reg_otec"));
    EXPECT_TRUE(missing.contains("JmenaStenat"));
    EXPECT_FALSE(missing.contains("Jmeno_registr"));
}
