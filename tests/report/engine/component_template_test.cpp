// The report component: template file names, loading and saving templates,
// the checks before a run, details, the busy flag and the results of the
// operations, over a real data folder.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "component_fixture.h"
#include "platform/folders.h"
#include "report/engine/sestavy.h"
#include "report/output/output_dump.h"
#include "tests/support/seams.h"

using component_test::DataFolder;
using testing_support::ScriptedMessages;

namespace {

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class ComponentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        report.SetDataSource(data.source.get());
        report.OnError = [this](TSestava&, TSestError e) {
            errors.push_back(e);
            return true;
        };
        platform::SetProgramFolderOverride(data.Folder() + QStringLiteral("bin/"));
    }
    void TearDown() override {
        platform::SetProgramFolderOverride(QString());
        SetDesignerHook(nullptr);
        SetTemplateSaveDialog(nullptr);
    }
    // Points the report at a template file in the temporary folder.
    void UseTemplate(const QString& name) {
        report.ReportDirIgnore = false;
        report.SetReportDir(data.Folder());
        report.SetReportName(name);
    }

    DataFolder data;
    TSestava report;
    std::vector<TSestError> errors;
};

TEST_F(ComponentTest, DefaultsAtCreation) {
    EXPECT_EQ(report.Popis(), QStringLiteral("Tisková úloha Lumex"));
    EXPECT_EQ(report.IniFileName, QStringLiteral("SestDLL.ini"));
    EXPECT_EQ(report.PrintCopies, 1);
    EXPECT_EQ(report.StartPage, 1);
    EXPECT_EQ(report.EndPage, kToLastPage);  // every page the report has
    EXPECT_EQ(report.MaxRecords, 0);
    EXPECT_TRUE(report.ReportDirIgnore);
    EXPECT_FALSE(report.IsStored);
    EXPECT_FALSE(report.PrintBackground());
    EXPECT_FALSE(report.TiskJedenZaznam);
    EXPECT_EQ(report.ExportLanguage, slUndefined);
}

TEST_F(ComponentTest, ReportNameGetsThePtsExtension) {
    report.SetReportName(QStringLiteral("lists"));
    EXPECT_EQ(report.ReportName(), QStringLiteral("lists.pts"));
    report.SetReportName(QStringLiteral("sub.dir/lists.txt"));
    EXPECT_EQ(report.ReportName(), QStringLiteral("sub.dir/lists.pts"));
    report.SetReportName(QStringLiteral("Seznam00.PTS"));  // kept: the file system tells case apart
    EXPECT_EQ(report.ReportName(), QStringLiteral("Seznam00.PTS"));
}

TEST_F(ComponentTest, ReportDirAndAliasExcludeEachOther) {
    report.SetReportAlias(QStringLiteral("HARVEL"));
    report.SetReportDir(QStringLiteral("/srv/predlohy"));
    EXPECT_EQ(report.ReportDir(), QStringLiteral("/srv/predlohy/"));
    EXPECT_TRUE(report.ReportAlias().isEmpty());
    report.SetReportAlias(QStringLiteral("HARVEL"));
    EXPECT_TRUE(report.ReportDir().isEmpty());
    report.SetReportDir(QStringLiteral("/srv/x/"));
    EXPECT_EQ(report.ReportDir(), QStringLiteral("/srv/x/"));
}

TEST_F(ComponentTest, IgnoredReportDirUsesTheProgramFolder) {
    report.SetReportDir(QStringLiteral("/nowhere"));
    report.SetReportName(QStringLiteral("lists"));
    EXPECT_EQ(report.TemplateFileName(), data.Folder() + QStringLiteral("bin/lists.pts"));
    report.ReportDirIgnore = false;
    EXPECT_EQ(report.TemplateFileName(), QStringLiteral("/nowhere/lists.pts"));
}

TEST_F(ComponentTest, AliasResolvesThroughTheDatabaseOrWarns) {
    report.SetReportName(QStringLiteral("lists"));
    report.SetReportAlias(QStringLiteral("KENNEL"));
    {
        ScriptedMessages messages;  // the database has no such name
        EXPECT_EQ(report.TemplateFileName(), data.Folder() + QStringLiteral("bin/lists.pts"));
        ASSERT_EQ(messages.Shown().size(), 2U);
        EXPECT_TRUE(
            messages.Shown()[0].text.startsWith(QStringLiteral("Function GetAliasPath error: ")));
        EXPECT_EQ(messages.Shown()[1].text,
                  QStringLiteral("Neznámý alias: KENNEL\nBude použito stand. nastavení"));
        EXPECT_EQ(messages.Shown()[1].caption, QStringLiteral("Varování"));
    }
    data.database->SetDatabaseName(QStringLiteral("kennel"));
    EXPECT_EQ(report.TemplateFileName(), data.Path() + QStringLiteral("/lists.pts"));

    TSestava unbound;
    unbound.SetReportName(QStringLiteral("lists"));
    unbound.SetReportAlias(QStringLiteral("KENNEL"));
    ScriptedMessages messages;
    unbound.TemplateFileName();
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(
        messages.Shown()[0].text,
        QStringLiteral(
            "Nelze použít alias, protože není definován zdroj dat nebo není typu TDBDataSet"));
}

TEST_F(ComponentTest, GenerateRunsTheTemplateFileOverTheData) {
    UseTemplate(QStringLiteral("list.pts"));
    ASSERT_TRUE(component_test::ListTemplate().SaveToFile(report.TemplateFileName()));
    ASSERT_EQ(report.Generate(), seOK);
    const QStringList dump = DumpOutput(report.Output());
    EXPECT_EQ(dump.value(0), QStringLiteral("page 1"));
    EXPECT_TRUE(dump.join(QLatin1Char('\n')).contains(QStringLiteral("Arko z Lesní paseky")));
    EXPECT_EQ(dump.filter(QStringLiteral("Bella")).size(), 2);  // name and call name
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(report.TemplateFolder(), data.Folder());
}

TEST_F(ComponentTest, MaxRecordsAndParametersReachTheRun) {
    UseTemplate(QStringLiteral("list.pts"));
    ASSERT_TRUE(component_test::ListTemplate().SaveToFile(report.TemplateFileName()));
    report.MaxRecords = 1;
    ASSERT_EQ(report.Generate(), seOK);
    const QString dump = DumpOutput(report.Output()).join(QLatin1Char('\n'));
    EXPECT_TRUE(dump.contains(QStringLiteral("Arko")));
    EXPECT_FALSE(dump.contains(QStringLiteral("Bella")));
}

TEST_F(ComponentTest, MissingTemplateForARunIsAnError) {
    UseTemplate(QStringLiteral("missing.pts"));
    ScriptedMessages messages;
    EXPECT_EQ(report.Generate(), seCteniPredlohy);
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"")
                  .arg(report.TemplateFileName()));
    EXPECT_EQ(messages.Shown()[0].caption, QStringLiteral("Chyba"));
    EXPECT_EQ(errors, std::vector<TSestError>{seCteniPredlohy});  // told once
    EXPECT_FALSE(QFileInfo::exists(report.TemplateFileName()));
}

// A run of a template with nothing to print is refused, once, with the
// reason; no preview opens on a blank or earlier output.
TEST_F(ComponentTest, EmptyOrDamagedTemplatesAreRefusedForARunWithTheReason) {
    const QString longLine(60, QLatin1Char('x'));
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {"", "je prázdná."},
        {"\r\n  \r\n", "je prázdná."},
        {"I,0,\"Jen nastavení\"\r\nI,3,2,1,30,0\r\n", "je prázdná."},
        {"<html>\r\n<body>Ahoj</body>\r\n",
         "je poškozená: řádek 1 není záznam předlohy (\"<html>\")."},
        {",Z,1\r\n", "je poškozená: řádek 1 není záznam předlohy (\",Z,1\")."},
        {"\r\nI,1,10,52,6\r\nGIF89a\x01\x02,T\r\n",
         "je poškozená: řádek 3 není záznam předlohy (\"GIF89a\uFFFD\uFFFD,T\")."},
        {longLine.toLatin1(),
         QStringLiteral("je poškozená: řádek 1 není záznam předlohy (\"%1…\").")
             .arg(longLine.left(40))},
    };
    int previews = 0;
    SetPreviewWindowHook([&](TSestava&, const TWindowPlace&) { return ++previews, true; });
    UseTemplate(QStringLiteral("bad.pts"));
    for (const auto& [bytes, reason] : cases) {
        QFile file(report.TemplateFileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        errors.clear();
        ScriptedMessages messages;
        EXPECT_FALSE(report.Preview());
        ASSERT_EQ(messages.Shown().size(), 1U) << bytes.toStdString();
        EXPECT_EQ(messages.Shown()[0].text,
                  QStringLiteral("Předloha \"%1\" ").arg(report.TemplateFileName()) + reason);
        EXPECT_EQ(messages.Shown()[0].caption, QStringLiteral("Chyba"));
        EXPECT_EQ(errors, std::vector<TSestError>{seCteniPredlohy});
    }
    EXPECT_EQ(previews, 0);

    // A missing file is told by its own message, and no preview follows either.
    UseTemplate(QStringLiteral("missing.pts"));
    ScriptedMessages messages;
    report.Preview();
    EXPECT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(previews, 0);
    SetPreviewWindowHook(nullptr);
}

// Lines the format does not know are still passed over in a template that
// has elements, and an empty template still opens in the designer.
TEST_F(ComponentTest, OnlyRunsOfTemplatesWithNothingToPrintAreRefused) {
    UseTemplate(QStringLiteral("list.pts"));
    TPredloha lines = component_test::ListTemplate();
    lines.Add(QStringLiteral("poznámka, kterou starší nástroj připsal"));
    ASSERT_TRUE(lines.SaveToFile(report.TemplateFileName()));
    ScriptedMessages messages;
    EXPECT_EQ(report.Generate(), seOK);
    EXPECT_EQ(report.Output().PageCount(), 1);

    UseTemplate(QStringLiteral("empty.pts"));
    ASSERT_TRUE(QFile(report.TemplateFileName()).open(QIODevice::WriteOnly));
    int designerOpened = 0;
    SetDesignerHook(
        [&](TSestava&, const TWindowPlace&) { return ++designerOpened, int(sePreruseno); });
    EXPECT_EQ(report.Edit(), sePreruseno);
    EXPECT_EQ(designerOpened, 1);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(ComponentTest, EditingAMissingTemplateAsksToCreateIt) {
    UseTemplate(QStringLiteral("new.pts"));
    int designerOpened = 0;
    int elementsSeen = -1;
    SetDesignerHook([&](TSestava& r, const TWindowPlace&) {
        ++designerOpened;
        elementsSeen = r.Predloha().Count();
        return int(sePreruseno);
    });
    ScriptedMessages messages;
    messages.Answer(platform::mbYes);
    EXPECT_EQ(report.Edit(), sePreruseno);
    ASSERT_GE(messages.Shown().size(), 1U);
    EXPECT_EQ(
        messages.Shown()[0].text,
        QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\". Založit nový?")
            .arg(report.TemplateFileName()));
    EXPECT_EQ(messages.Shown()[0].caption, QStringLiteral("Potvrzení"));
    EXPECT_TRUE(QFileInfo(report.TemplateFileName()).isFile());
    EXPECT_EQ(QFileInfo(report.TemplateFileName()).size(), 0);
    EXPECT_EQ(designerOpened, 1);
    EXPECT_EQ(elementsSeen, 0);
}

TEST_F(ComponentTest, RefusingToCreateEndsTheEditWithFour) {
    UseTemplate(QStringLiteral("new.pts"));
    bool designerOpened = false;
    SetDesignerHook([&](TSestava&, const TWindowPlace&) {
        designerOpened = true;
        return 0;
    });
    int before = 0, after = 0;
    report.BeforeEdit = [&](TSestava&) { ++before; };
    report.AfterEdit = [&](TSestava&) { ++after; };
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    EXPECT_EQ(report.Edit(), seCteniPredlohy);
    EXPECT_FALSE(designerOpened);
    EXPECT_FALSE(QFileInfo::exists(report.TemplateFileName()));
    EXPECT_EQ(errors, std::vector<TSestError>{seCteniPredlohy});
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
}

TEST_F(ComponentTest, SavingKeepsThePreviousVersionAsBak) {
    UseTemplate(QStringLiteral("list.pts"));
    const QString file = report.TemplateFileName();
    ASSERT_TRUE(component_test::ListTemplate().SaveToFile(file));
    const QByteArray old = ReadAll(file);
    report.SetPredloha(TPredloha(QStringList{QStringLiteral("I,0,\"Nová\"")}));
    ASSERT_EQ(report.SaveTemplate(), seOK);
    EXPECT_EQ(ReadAll(data.File(QStringLiteral("list.BAK"))), old);
    TPredloha saved;
    ASSERT_TRUE(saved.LoadFromFile(file));
    EXPECT_EQ(saved.Lines(), QStringList{QStringLiteral("I,0,\"Nová\"")});
}

TEST_F(ComponentTest, SaveFailureIsToldByMessageOrOnError) {
    report.ReportDirIgnore = false;
    report.SetReportDir(data.File(QStringLiteral("no/such/folder")));
    report.SetReportName(QStringLiteral("x"));
    EXPECT_EQ(report.SaveTemplate(), seUkladaniPredlohy);
    EXPECT_EQ(errors, std::vector<TSestError>{seUkladaniPredlohy});
    report.OnError = nullptr;
    ScriptedMessages messages;
    EXPECT_EQ(report.SaveTemplate(), seUkladaniPredlohy);
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(messages.Shown()[0].text, QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
}

TEST_F(ComponentTest, StoredTemplateIsSavedAndLoadedWithoutFiles) {
    UseTemplate(QStringLiteral("stored.pts"));
    report.IsStored = true;
    report.SetPredloha(component_test::ListTemplate());
    EXPECT_EQ(report.SaveTemplate(), seOK);
    EXPECT_FALSE(QFileInfo::exists(report.TemplateFileName()));
    EXPECT_EQ(report.StoredPredloha(), component_test::ListTemplate());
    report.SetPredloha(TPredloha());
    EXPECT_EQ(report.LoadTemplate(false), seOK);
    EXPECT_EQ(report.Predloha(), component_test::ListTemplate());
    ASSERT_EQ(report.Generate(), seOK);
    EXPECT_TRUE(
        DumpOutput(report.Output()).join(QLatin1Char(' ')).contains(QStringLiteral("Cyril")));
}

TEST_F(ComponentTest, TemplateEventsReplaceTheFiles) {
    int assigned = 0;
    report.OnSetPredloha = [&](TSestava&) { ++assigned; };
    report.OnNactiPredlohu = [](TSestava&) { return false; };
    EXPECT_EQ(report.LoadTemplate(false), seCteniPredlohy);
    report.OnUlozPredlohu = [](TSestava&) { return false; };
    EXPECT_EQ(report.SaveTemplate(), seUkladaniPredlohy);
    report.OnUlozPredlohuJako = [](TSestava&, QString& soubor) {
        soubor = QStringLiteral("jiny");
        return true;
    };
    EXPECT_EQ(report.SaveTemplateAs(), seOK);
    EXPECT_EQ(report.ReportName(), QStringLiteral("jiny.pts"));
    report.SetPredloha(component_test::ListTemplate());
    EXPECT_EQ(assigned, 1);
    EXPECT_EQ(errors, (std::vector<TSestError>{seCteniPredlohy, seUkladaniPredlohy}));
}

TEST_F(ComponentTest, SaveAsTakesTheChosenFolderAndName) {
    report.SetReportDir(QString());
    report.SetReportAlias(QStringLiteral("x"));  // clears ReportDir
    report.SetReportAlias(QString());
    report.SetReportName(QStringLiteral("list"));
    report.SetPredloha(component_test::ListTemplate());
    TTemplateSaveRequest asked;
    SetTemplateSaveDialog([&](const TTemplateSaveRequest& request) {
        asked = request;
        return data.File(QStringLiteral("Kopie.pts"));
    });
    ASSERT_EQ(report.SaveTemplateAs(), seOK);
    EXPECT_EQ(asked.caption, QStringLiteral("Výběr souboru"));
    EXPECT_EQ(report.ReportName(), QStringLiteral("Kopie.pts"));
    EXPECT_EQ(report.ReportDir(), data.Folder());
    EXPECT_EQ(report.TemplateFileName(), data.File(QStringLiteral("Kopie.pts")));
    TPredloha saved;
    ASSERT_TRUE(saved.LoadFromFile(data.File(QStringLiteral("Kopie.pts"))));
    EXPECT_EQ(saved, component_test::ListTemplate());

    SetTemplateSaveDialog([](const TTemplateSaveRequest&) { return QString(); });  // cancelled
    ScriptedMessages messages;
    EXPECT_EQ(report.SaveTemplateAs(), seUkladaniPredlohy);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(ComponentTest, NoTemplateNameIsReportedBeforeTheRun) {
    ScriptedMessages messages;
    EXPECT_EQ(report.Generate(), seJina);
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("Není definována cesta a název souboru s předlohou."));
    EXPECT_EQ(errors, std::vector<TSestError>{seJina});
}

TEST_F(ComponentTest, ASecondPrintWhileOneRunsAnswersBusy) {
    UseTemplate(QStringLiteral("list.pts"));
    ASSERT_TRUE(component_test::ListTemplate().SaveToFile(report.TemplateFileName()));
    TSestava other;
    int inner = -1;
    report.BeforePrint = [&](TSestava&) {
        EXPECT_TRUE(TSestava::PrintBusy());
        inner = other.PrintOn(0);
    };
    int sent = 0;
    SetPrinterHook([&](TSestava&, int, const QString&) {
        ++sent;
        return 0;
    });
    ScriptedMessages messages;
    report.PrintOn(0);
    SetPrinterHook(nullptr);
    EXPECT_EQ(inner, seBusy);
    EXPECT_FALSE(TSestava::PrintBusy());
}

TEST_F(ComponentTest, DetailsAttachDetachAndFollowTheirMaster) {
    auto master = std::make_unique<TSestava>();
    TSestava second;
    TSestDetail a, b;
    a.SetMasterSestava(master.get());
    b.SetMasterSestava(master.get());
    ASSERT_EQ(master->Detaily().Count(), 2);
    EXPECT_EQ(master->Detaily().IndexOf(&b), 1);
    EXPECT_TRUE(a.IsDetail());
    a.SetMasterSestava(&second);
    EXPECT_EQ(master->Detaily().Count(), 1);
    EXPECT_EQ(master->Detaily().IndexOf(&b), 0);
    EXPECT_EQ(second.Detaily().IndexOf(&a), 0);
    EXPECT_EQ(a.LoadTemplate(false), seJina);
    {
        TSestDetail temporary;
        temporary.SetMasterSestava(&second);
        EXPECT_EQ(second.Detaily().Count(), 2);
    }
    EXPECT_EQ(second.Detaily().Count(), 1);
    master.reset();
    EXPECT_EQ(b.MasterSestava(), nullptr);
    EXPECT_FALSE(b.IsDetail());
}

}  // namespace
