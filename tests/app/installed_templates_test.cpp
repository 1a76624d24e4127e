// The installation's templates against the print sources they are listed
// under: every file exists, names only columns of its source's list query,
// and is written the way the designer writes it.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "report/engine/sestavy.h"
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
            EXPECT_GE(predloha.Count(), 20) << entry.file.toStdString();
            EXPECT_GT(TemplateFieldNames(predloha).size(), 3) << entry.file.toStdString();
            EXPECT_EQ(MissingTemplateFields(predloha, columns), QStringList())
                << entry.file.toStdString();
            TSestava report;
            report.SetDataSource(source);
            report.SetPredloha(predloha);
            EXPECT_EQ(report.WriteTemplate().Lines(), predloha.Lines()) << entry.file.toStdString();
        }
    }
    EXPECT_EQ(files, 24);
    EXPECT_TRUE(messages.Shown().empty());
}

namespace {

struct Box {
    int left, top, right, bottom;
};

Box BoxOf(const TLumexReportElement& e) {
    return {e.left, e.top, e.left + e.width, e.top + e.height};
}

bool Intersect(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Two texts may share a place only when each prints under a condition of
// its own (such as "Ano" and "Ne").
bool Alternatives(const TLumexReportElement& a, const TLumexReportElement& b) {
    return !a.condition.isEmpty() && !b.condition.isEmpty() && a.condition != b.condition;
}

std::string Where(const QString& file, const TOddilSestavy& section, const TLumexReportElement& e) {
    return QStringLiteral("%1 section %2 element kind %3 at %4,%5 (%6)")
        .arg(file)
        .arg(section.type)
        .arg(e.kind)
        .arg(e.left)
        .arg(e.top)
        .arg(e.sourceName.isEmpty() ? e.text : e.sourceName)
        .toStdString();
}

}  // namespace

// Every element lies inside the printable width (of one print column) and
// inside its section, no two texts overlap, and the fixed sections leave
// room for the body on a page.
TEST_F(InstalledTemplates, NothingOverlapsOrRunsPastThePrintableArea) {
    TDM1 dm(folder_.path() + "/");
    for (int position = 0; position < kPrintSourceCount; ++position) {
        dm.RunBookQuery(position, QString(), QString());
        for (const TPrintTemplate& entry : PrintSources().at(position).templates) {
            TSestava report;
            report.SetDataSource(PrintDataSource(dm, position));
            report.SetPredloha(Load(entry.file));
            const TReportSettings& settings = report.Settings();
            const int columns = std::max(1, settings.printColumns);
            const int width = settings.page.OrientedWidth() - settings.page.marginLeft -
                              settings.page.marginRight;
            const int columnWidth = (width - (columns - 1) * settings.columnGap) / columns;
            const int height = settings.page.OrientedHeight() - settings.page.marginTop -
                               settings.page.marginBottom;
            const TListOddilu& sections = report.Oddily();
            int fixed = 0;
            for (int s = 0; s < sections.Count(); ++s) {
                const TOddilSestavy& section = sections[s];
                if (section.visible && (section.type == stPageHeader ||
                                        section.type == stPageFooter || section.type == stBody)) {
                    fixed += section.height;
                }
                const int sectionWidth = section.type == stBody ? columnWidth : width;
                for (int i = 0; i < section.Count(); ++i) {
                    const TLumexReportElement& e = section[i];
                    const Box box = BoxOf(e);
                    EXPECT_GE(box.left, 0) << Where(entry.file, section, e);
                    EXPECT_GE(box.top, 0) << Where(entry.file, section, e);
                    EXPECT_LE(box.right, sectionWidth) << Where(entry.file, section, e);
                    EXPECT_LE(box.bottom, section.height) << Where(entry.file, section, e);
                    if (!TLumexReportElement::IsTextKind(e.kind)) {
                        continue;
                    }
                    for (int j = i + 1; j < section.Count(); ++j) {
                        const TLumexReportElement& other = section[j];
                        if (TLumexReportElement::IsTextKind(other.kind) &&
                            !Alternatives(e, other)) {
                            EXPECT_FALSE(Intersect(box, BoxOf(other)))
                                << Where(entry.file, section, e) << " and "
                                << Where(entry.file, section, other);
                        }
                    }
                }
            }
            EXPECT_LE(fixed, height) << entry.file.toStdString();
        }
    }
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
