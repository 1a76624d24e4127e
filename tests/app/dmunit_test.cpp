// The data module: what its creation opens, the current animal's limits,
// the record filters of the event tables, posts written at once, and a data
// folder without the database.
#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "platform/store/field.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"
#include "report/engine/sestavy.h"
#include "tests/support/seams.h"

namespace {

class DataModule : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(Folder());
    }

    QString Folder() const { return folder_.path() + "/"; }

    static void AddLitter(platform::Table& litters, const QString& dam, const QDate& born) {
        litters.Append();
        litters.FieldByName("Jmeno_registr").SetAsString(dam);
        litters.FieldByName("Datum").SetAsDate(born);
        litters.Post();
    }

    QTemporaryDir folder_;
};

}  // namespace

TEST_F(DataModule, CreationOpensTheMainTablesAndLeavesTheOthersClosed) {
    TDM1 dm(Folder());
    EXPECT_TRUE(dm.Database1.IsOpen());
    EXPECT_EQ(dm.Database1.DatabaseName(), "DM_REGDOB");
    EXPECT_EQ(dm.Database1.Folder(), Folder());
    for (platform::DataSet* open :
         std::initializer_list<platform::DataSet*>{&dm.TaMain_Card, &dm.TaVrhy, &dm.TaOsetreni,
                                                   &dm.TaKryti, &dm.TaPlemeno, &dm.QPomknihy}) {
        EXPECT_TRUE(open->IsActive()) << open->DisplayName().toStdString();
    }
    for (platform::DataSet* closed : std::initializer_list<platform::DataSet*>{
             &dm.TaVystavy, &dm.TaTituly, &dm.TaZkousky, &dm.TaChovnost, &dm.TaFoto_Album,
             &dm.TaRodokmen, &dm.TaAdresar, &dm.TaSchedule, &dm.QSeznamy, &dm.Query_MainCard}) {
        EXPECT_FALSE(closed->IsActive()) << closed->DisplayName().toStdString();
    }
    EXPECT_TRUE(dm.CurrentAnimal.JmenoRegistr().isEmpty());
}

TEST_F(DataModule, AFolderWithoutTheDatabaseIsReportedAndTheModuleGoesOn) {
    QTemporaryDir empty;
    testing_support::ScriptedMessages messages;
    TDM1 dm(empty.path() + "/");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_TRUE(messages.Shown()[0].text.contains(empty.path()))
        << messages.Texts().join("|").toStdString();
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_FALSE(dm.Database1.IsOpen());
    EXPECT_FALSE(dm.TaMain_Card.IsActive());
}

TEST_F(DataModule, CurrentAnimalTextsAreCutToFortyCharacters) {
    TDM1 dm(Folder());
    const QString longName = QString(45, QChar(u'Ž'));
    dm.CurrentAnimal.SetJmenoRegistr(longName);
    dm.CurrentAnimal.SetOtec(longName);
    dm.CurrentAnimal.SetMatka(longName);
    dm.CurrentAnimal.SetPlemeno(longName);
    EXPECT_EQ(dm.CurrentAnimal.JmenoRegistr(), QString(40, QChar(u'Ž')));
    EXPECT_EQ(dm.CurrentAnimal.Otec().size(), 40);
    EXPECT_EQ(dm.CurrentAnimal.Matka().size(), 40);
    EXPECT_EQ(dm.CurrentAnimal.Plemeno().size(), 40);
}

TEST_F(DataModule, EventFiltersAcceptTheCurrentAnimalTrimmedAndExact) {
    TDM1 dm(Folder());
    AddLitter(dm.TaVrhy, "Běta z Lesa", QDate(2020, 3, 1));
    AddLitter(dm.TaVrhy, " Běta z Lesa  ", QDate(2021, 4, 2));
    AddLitter(dm.TaVrhy, "běta z lesa", QDate(2022, 5, 3));
    AddLitter(dm.TaVrhy, "Cilka", QDate(2022, 6, 4));
    dm.CurrentAnimal.SetJmenoRegistr("  Běta z Lesa ");
    dm.TaVrhy.SetFiltered(true);
    EXPECT_EQ(dm.TaVrhy.RecordCount(), 2);
    dm.TaVrhy.SetFiltered(false);
    EXPECT_EQ(dm.TaVrhy.RecordCount(), 4);

    // tituly.db spells the column Jmeno_Registr; the filter finds it all the same.
    dm.TaTituly.Open();
    dm.TaTituly.Append();
    dm.TaTituly.FieldByName("Jmeno_Registr").SetAsString("Běta z Lesa");
    dm.TaTituly.Post();
    dm.TaTituly.Append();
    dm.TaTituly.FieldByName("Jmeno_Registr").SetAsString("Cilka");
    dm.TaTituly.Post();
    dm.TaTituly.SetFiltered(true);
    EXPECT_EQ(dm.TaTituly.RecordCount(), 1);
}

TEST_F(DataModule, APostIsOnDiskAtOnce) {
    TDM1 dm(Folder());
    AddLitter(dm.TaVrhy, "Běta z Lesa", QDate(2020, 3, 1));
    platform::Database other(Folder());
    platform::Table litters(other, "vrhy.db");
    litters.Open();
    EXPECT_EQ(litters.RecordCount(), 1);
    EXPECT_EQ(litters.FieldByName("Jmeno_registr").AsString(), "Běta z Lesa");
}

TEST_F(DataModule, WeightsAndLengthsShowTwoDecimalsABlankAndTheUnit) {
    const Parametry saved = CurrentParametry();
    CurrentParametry().JednotkaHmotnost = " kg";
    CurrentParametry().JednotkaDelka = "cm";
    {
        TDM1 dm(Folder());
        dm.TaMain_Card.Append();
        dm.TaMain_Card.FieldByName("Jmeno_registr").SetAsString("Běta z Lesa");
        dm.TaMain_Card.FieldByName("Vaha_narozeni").SetAsFloat(12.5);
        dm.TaMain_Card.FieldByName("Delka_hrbet").SetAsFloat(40.25);
        dm.TaMain_Card.Post();
        EXPECT_EQ(dm.TaMain_Card.FieldByName("Vaha_narozeni").DisplayText(), "12.50  kg");
        EXPECT_EQ(dm.TaMain_Card.FieldByName("Vaha_narozeni").EditText(), "12.50");
        EXPECT_EQ(dm.TaMain_Card.FieldByName("Delka_hrbet").DisplayText(), "40.25 cm");

        // The settings form's apply rebuilds the formats of the open module.
        CurrentParametry().JednotkaDelka = " in";
        dm.ApplyUnitFormats();
        EXPECT_EQ(dm.TaMain_Card.FieldByName("Delka_hrbet").DisplayText(), "40.25  in");
        dm.QSeznamy.Open();
        EXPECT_EQ(dm.QSeznamy.FieldByName("Delka_hrbet").DisplayText(), "40.25  in");
        EXPECT_EQ(dm.QSeznamy.FieldByName("Vaha_narozeni").DisplayText(), "12.50  kg");
    }
    CurrentParametry() = saved;
}

namespace {

void AddRow(platform::Table& table, const QString& column, const QString& name) {
    table.Append();
    table.FieldByName(column).SetAsString(name);
    table.Post();
}

QString OrphanQuestion(const QString& table, const QString& name) {
    return QStringLiteral(
               "V tabulce %1 nalezen záznam se jménem %2 , karta s tímto jménem není "
               "v hlavním evidenčním listě. Odstranit tento záznam ?")
        .arg(table, name);
}

// The tools run a book or the list themselves before reading: the book
// query waits for it instead of reading every health-card visit at once.
TEST_F(DataModule, ABookQueryThatWaitsForTheFirstBookRunsOnlyThat) {
    {
        TDM1 writer(Folder());
        AddRow(writer.TaMain_Card, "Jmeno_registr", "Běta z Lesa");
        AddLitter(writer.TaVrhy, "Běta z Lesa", QDate(2020, 3, 1));
    }
    TDM1 dm(Folder(), nullptr, platform::OpenMode::ReadOnly, TDM1::BookQueryStart::WithFirstBook);
    EXPECT_TRUE(dm.TaMain_Card.IsActive());
    EXPECT_TRUE(dm.TaOsetreni.IsActive());
    EXPECT_FALSE(dm.QPomknihy.IsActive());

    dm.RunBookQuery(5, "", "");
    ASSERT_TRUE(dm.QPomknihy.IsActive());
    ASSERT_EQ(dm.QPomknihy.RecordCount(), 1);
    EXPECT_EQ(dm.QPomknihy.FieldByName("Jmeno_registr").AsString(), "Běta z Lesa");
}

}  // namespace

TEST_F(DataModule, OrphanCheckAsksForEveryRowWithoutARecordSheetAndDeletesOnYes) {
    TDM1 dm(Folder());
    AddRow(dm.TaMain_Card, "Jmeno_registr", "Běta z Lesa");
    AddRow(dm.TaOsetreni, "Jmeno_registr", "Běta z Lesa");
    AddRow(dm.TaOsetreni, "Jmeno_registr", "Duch");
    // The store refuses a nameless visit; an older database or another tool may hold one.
    dm.Database1.Handle().Execute(
        QStringLiteral("INSERT INTO osetreni (Jmeno_registr) VALUES ('')"));
    dm.TaOsetreni.Refresh();
    AddRow(dm.TaOsetreni, "Jmeno_registr", "Duch");
    dm.TaTituly.Open();
    AddRow(dm.TaTituly, "Jmeno_Registr", "běta z lesa");  // the match is exact
    dm.TaTituly.Close();
    // The titles table is filtered to an empty current name, as after the
    // scroll synchronisation at start-up: the check still sees its rows.
    dm.TaVrhy.SetFiltered(true);
    AddLitter(dm.TaVrhy, "Cilka", QDate(2020, 1, 1));

    testing_support::ScriptedMessages messages;
    messages.Answer(platform::mbYes);  // osetreni: Duch
    messages.Answer(platform::mbNo);   // osetreni: the empty name
    messages.Answer(platform::mbYes);  // osetreni: Duch again
    messages.Answer(platform::mbNo);   // tituly
    messages.Answer(platform::mbYes);  // vrhy
    dm.RunOrphanCheck();

    EXPECT_EQ(messages.Texts().join("\n").toStdString(),
              QStringList({
                              OrphanQuestion("osetreni.db", "Duch"),
                              OrphanQuestion("osetreni.db", ""),
                              OrphanQuestion("osetreni.db", "Duch"),
                              OrphanQuestion("tituly.db", "běta z lesa"),
                              OrphanQuestion("vrhy.db", "Cilka"),
                          })
                  .join("\n")
                  .toStdString());
    for (const platform::MessageRequest& box : messages.Shown()) {
        EXPECT_EQ(box.icon, platform::MessageIcon::Error);
        EXPECT_EQ(box.buttons, platform::mbYes | platform::mbNo);
    }
    EXPECT_EQ(dm.TaOsetreni.RecordCount(), 2);  // Běta and the empty name kept
    EXPECT_TRUE(dm.TaOsetreni.IsActive());
    EXPECT_FALSE(dm.TaTituly.IsActive());  // closed again as it was
    EXPECT_TRUE(dm.TaVrhy.Filtered());     // filter switched back on
    dm.TaVrhy.SetFiltered(false);
    EXPECT_EQ(dm.TaVrhy.RecordCount(), 0);
}

TEST_F(DataModule, OrphanCheckRunsAtCreationWhenTheSettingAsksForIt) {
    {
        TDM1 dm(Folder());
        AddRow(dm.TaOsetreni, "Jmeno_registr", "Duch");
    }
    const Parametry saved = CurrentParametry();
    testing_support::ScriptedMessages messages;
    CurrentParametry().KontrolaJmen = false;
    { TDM1 dm(Folder()); }
    EXPECT_TRUE(messages.Shown().empty());
    CurrentParametry().KontrolaJmen = true;
    messages.Answer(platform::mbNo);
    { TDM1 dm(Folder()); }
    EXPECT_EQ(messages.Texts(), QStringList({OrphanQuestion("osetreni.db", "Duch")}))
        << messages.Texts().join("\n").toStdString();
    CurrentParametry() = saved;
}

TEST_F(DataModule, ListQueryIsBuiltLineByLineAndRuns) {
    TDM1 dm(Folder());
    AddRow(dm.TaMain_Card, "Jmeno_registr", "Cilka");
    AddRow(dm.TaMain_Card, "Jmeno_registr", "Běta z Lesa");
    AddRow(dm.TaMain_Card, "Jmeno_registr", "Ája");
    testing_support::ScriptedMessages messages;

    dm.RunListQuery("", "");
    EXPECT_EQ(dm.QSeznamy.SQL(), QStringList({"Select *  from Main_card"}));
    EXPECT_EQ(dm.QSeznamy.RecordCount(), 3);

    dm.RunListQuery("Jmeno_registr DESC", "Jmeno_registr <> \"Ája\"");
    EXPECT_EQ(dm.QSeznamy.SQL(),
              QStringList({"Select *  from Main_card", "Where Jmeno_registr <> \"Ája\"",
                           "order by Jmeno_registr DESC"}));
    ASSERT_EQ(dm.QSeznamy.RecordCount(), 2);
    dm.QSeznamy.First();
    EXPECT_EQ(dm.QSeznamy.FieldByName("Jmeno_registr").AsString(), "Cilka");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(DataModule, AFailingQueryShowsItsBoxAndStaysClosed) {
    TDM1 dm(Folder());
    testing_support::ScriptedMessages messages;
    dm.RunListQuery("", "Nesmysl = = 1");
    EXPECT_EQ(messages.Texts(), QStringList({"Příkaz SQL se nepovedlo provést"}));
    EXPECT_FALSE(dm.QSeznamy.IsActive());

    messages.Clear();
    dm.RunBookQuery(11, "Datum", "");
    EXPECT_EQ(dm.QPomknihy.SQL(), QStringList({"Order by Datum"}));
    EXPECT_EQ(messages.Texts(), QStringList({"Příkaz SQL se nepovedlo provést"}));
    EXPECT_FALSE(dm.QPomknihy.IsActive());
}

TEST_F(DataModule, BookQueriesJoinTheEventBookToTheRecordSheets) {
    TDM1 dm(Folder());
    AddRow(dm.TaMain_Card, "Jmeno_registr", "Běta z Lesa");
    AddLitter(dm.TaVrhy, "Běta z Lesa", QDate(2020, 3, 1));
    AddLitter(dm.TaVrhy, "Cilka", QDate(2021, 3, 1));
    testing_support::ScriptedMessages messages;

    dm.RunBookQuery(1, "", "");
    EXPECT_EQ(dm.QPomknihy.SQL().size(), 3);  // no where, no order: exactly three lines
    EXPECT_TRUE(dm.QPomknihy.IsActive());

    dm.RunBookQuery(5, "vrhy.Datum", "vrhy.Datum > \"1.1.2021\"");
    EXPECT_EQ(dm.QPomknihy.SQL(),
              QStringList({"Select vrhy.* ,",
                           "Main_Card.Otec,Main_Card.Matka,Main_Card.plemeno,Main_Card.Datum_Nar,"
                           "Main_Card.Pohlavi,Main_Card.Vlastnictvi,Main_Card.Vlast_odchov,"
                           "Main_Card.Registr,Main_Card.Registr_Cislo",
                           "from Vrhy  left Join Main_card  On Main_card.Jmeno_registr = "
                           "Vrhy.Jmeno_registr",
                           "where vrhy.Datum > \"1.1.2021\"", "Order by vrhy.Datum"}));
    ASSERT_EQ(dm.QPomknihy.RecordCount(), 1);
    EXPECT_EQ(dm.QPomknihy.FieldByName("Jmeno_registr").AsString(), "Cilka");
    EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().join("\n").toStdString();

    dm.RunBookQuery(0, "", "");  // kind 0: the list query
    EXPECT_EQ(dm.QSeznamy.SQL(), QStringList({"Select *  from Main_card"}));
}

TEST_F(DataModule, ReportComponentStartsOnThePedigreeWithTheKennelNameAsParameterOne) {
    const Parametry saved = CurrentParametry();
    CurrentParametry().Chovatel = "Ze Žluté zahrady";
    TDM1 dm(Folder());
    EXPECT_EQ(dm.Sestava1.DataSource(), &dm.SoRodokmen);
    EXPECT_EQ(dm.Sestava1.ReportName(), "rodokmen00.pts");
    EXPECT_TRUE(dm.Sestava1.ReportDir().endsWith("Predlohy/"));
    EXPECT_FALSE(dm.Sestava1.ReportDirIgnore);
    EXPECT_FALSE(dm.Sestava1.IsStored);
    EXPECT_EQ(dm.Sestava1.Parametry, QStringList({"Ze Žluté zahrady"}));
    CurrentParametry() = saved;
}
