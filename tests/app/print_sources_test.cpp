// The print sources: the ten entries of "Výběr zdroje" with their template
// lists, the data source each prints from, and every installation template
// fitting the columns of its source's list query.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "report/engine/template_field_names.h"
#include "tests/support/seams.h"

TEST(PrintSources, TenSourcesInTheOrderOfTheList) {
    const QStringList captions = {
        "Evidenční listy", "Zdravotní karta", "Výstavy", "Tituly", "Chovnost", "Vrhy",
        "Krytí",           "Rodokmen",        "Zkoušky", "Foto"};
    ASSERT_EQ(PrintSources().size(), 10u);
    for (int i = 0; i < 10; ++i) {
        ASSERT_NE(FindPrintSource(i), nullptr);
        EXPECT_EQ(FindPrintSource(i)->position, i);
        EXPECT_EQ(FindPrintSource(i)->caption, captions[i]);
    }
    EXPECT_EQ(FindPrintSource(-1), nullptr);
    EXPECT_EQ(FindPrintSource(10), nullptr);
}

TEST(PrintSources, TemplateListsKeepTheirEntriesAndFiles) {
    const TPrintSource& cards = *FindPrintSource(0);
    EXPECT_EQ(cards.templateLabel, "Evidenční list");
    ASSERT_EQ(cards.templates.size(), 4u);
    EXPECT_EQ(cards.templates[3].caption, "Evidenční list - časové a jiné údaje");
    EXPECT_EQ(cards.templates[3].file, "EvidList03.pts");
    const TPrintSource& pedigree = *FindPrintSource(7);
    ASSERT_EQ(pedigree.templates.size(), 3u);
    // The double blanks are the list's own.
    EXPECT_EQ(pedigree.templates[1].caption, "3  generace včetně titulů");
    EXPECT_EQ(pedigree.templates[2].file, "rodokmen02.pts");
    EXPECT_EQ(FindPrintSource(1)->templateLabel, "Zdrav. karta");
    EXPECT_EQ(FindPrintSource(6)->templates[2].caption, "Uživatelská 01");
    int files = 0;
    for (const TPrintSource& source : PrintSources()) {
        files += static_cast<int>(source.templates.size());
    }
    EXPECT_EQ(files, 21);
}

class PrintSourceQueries : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
    }
    QTemporaryDir folder_;
};

TEST_F(PrintSourceQueries, CardsPrintFromTheListQueryAndBooksFromTheBookQuery) {
    TDM1 dm(folder_.path() + "/");
    EXPECT_EQ(&PrintSourceDataSource(dm, 0), &dm.SoQSeznamy);
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(&PrintSourceDataSource(dm, i), &dm.SoQPomknihy);
    }
}

// Each installation template names only columns its source's list has, so
// none prints the first column in place of a field it lacks; and each is in
// the designer's own form.
TEST_F(PrintSourceQueries, EveryInstallationTemplateFitsItsSourcesColumns) {
    testing_support::ScriptedMessages messages;
    TDM1 dm(folder_.path() + "/");
    for (const TPrintSource& source : PrintSources()) {
        dm.RunBookQuery(source.position, QString(), QString());
        platform::DataSet* list = PrintSourceDataSource(dm, source.position).GetDataSet();
        ASSERT_TRUE(list->IsActive()) << source.position;
        for (const TPrintTemplate& entry : source.templates) {
            const QString file = QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + entry.file;
            TPredloha predloha;
            ASSERT_TRUE(predloha.LoadFromFile(file)) << file.toStdString();
            EXPECT_GT(predloha.Count(), 20) << file.toStdString();
            EXPECT_FALSE(TemplateFieldNames(predloha).isEmpty()) << file.toStdString();
            EXPECT_EQ(MissingTemplateFields(predloha, list->FieldNames()), QStringList())
                << file.toStdString();
            // Written as the designer writes it, so a save changes nothing.
            TSestava report;
            report.SetDataSource(&PrintSourceDataSource(dm, source.position));
            report.SetPredloha(predloha);
            EXPECT_EQ(report.WriteTemplate().Lines(), predloha.Lines()) << file.toStdString();
        }
    }
    EXPECT_TRUE(messages.Shown().empty());
}

// The lists of two sources differ, so a template of one source is caught
// when it is printed over another's.
TEST_F(PrintSourceQueries, ATemplateOfAnotherSourceLacksColumns) {
    TDM1 dm(folder_.path() + "/");
    dm.RunBookQuery(1, QString(), QString());
    TPredloha litters;
    ASSERT_TRUE(litters.LoadFromFile(QStringLiteral(HARVEL_SOURCE_DIR "/templates/Vrhy00.pts")));
    const QStringList missing = MissingTemplateFields(litters, dm.QPomknihy.FieldNames());
    EXPECT_TRUE(missing.contains("Jmeno_reg_otec"));
    EXPECT_TRUE(missing.contains("JmenaStenat"));
}
