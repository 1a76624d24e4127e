#include <gtest/gtest.h>

#include <QFile>

#include "platform/store/sqlite_handle.h"
#include "store_fixture.h"

using platform::DataSetState;
using platform::StoreError;
using platform::Table;

namespace {

QString MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const StoreError& e) {
        return e.Message();
    }
    return QString();
}

class TableTest : public store_test::StoreFixture {
  protected:
    void AddThree() {
        AddCard("Brok", {{"Pohlavi", "Pes"}, {"Cip", "2"}});
        AddCard("Alan", {{"Pohlavi", "Pes"}, {"Cip", "1"}});
        AddCard("Cilka", {{"Pohlavi", "Fena"}, {"Cip", "3"}});
    }
};

TEST(DatabaseOpen, NamesTheMissingFolderOrFile) {
    QTemporaryDir dir;
    platform::Database missingFolder;
    missingFolder.AddParam("PATH=" + dir.filePath("nic"));
    EXPECT_TRUE(MessageOf([&] { missingFolder.Open(); }).contains("nic"));
    platform::Database noFile;
    noFile.AddParam("PATH=" + dir.path());
    EXPECT_TRUE(MessageOf([&] { noFile.Open(); }).contains("harvel.sqlite"));
    EXPECT_FALSE(noFile.IsOpen());
}

TEST(DatabaseOpen, RefusesAFileThatIsNotADatabase) {
    QTemporaryDir dir;
    QFile file(platform::Database::DatabaseFile(dir.path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    platform::Database db;
    db.AddParam("PATH=" + dir.path());
    EXPECT_TRUE(MessageOf([&] { db.Open(); }).contains(QStringLiteral("poškozen")));
}

TEST_F(TableTest, LockedDatabaseRefusesThePostAndKeepsTheRecord) {
    SKIP_ON_SERVER_STORE("the server lets several officials write at once");
    platform::Database other(folder_);
    other.StartTransaction();  // another program holds the write lock
    Table t(*db_, "main_card.db");
    t.Open();
    t.Append();
    t.FieldByName("Jmeno_registr").SetAsString("Rex");
    EXPECT_TRUE(MessageOf([&] { t.Post(); }).contains(QStringLiteral("zamčena")));
    EXPECT_EQ(t.State(), DataSetState::Insert);
    other.Rollback();
    t.Post();
    EXPECT_EQ(t.RecordCount(), 1);
}

TEST_F(TableTest, MissingTableIsNamed) {
    {
        Table t(*db_, "vystavy.db");
        ExecuteSql("DROP TABLE vystavy");
        EXPECT_TRUE(MessageOf([&] { t.Open(); }).contains("vystavy.db"));
        EXPECT_FALSE(t.IsActive());
    }
    EXPECT_TRUE(MessageOf([&] { Table bad(*db_, "psi.db"); }).contains("psi.db"));
}

TEST_F(TableTest, AddressedByFileNameInAnyCase) {
    AddThree();
    for (const char* name : {"main_card.db", "MAIN_CARD.DB", "Main_Card", "main_card.DB"}) {
        Table t(*db_, name);
        t.Open();
        EXPECT_EQ(t.RecordCount(), 3) << name;
        EXPECT_EQ(t.TableName(), "main_card.db");
    }
}

TEST_F(TableTest, MovesAndEndFlags) {
    AddThree();
    Table t(*db_, "main_card.db");
    t.Open();
    EXPECT_TRUE(t.Bof());
    EXPECT_FALSE(t.Eof());
    EXPECT_EQ(Column(t, "Jmeno_registr"), (QStringList{"Alan", "Brok", "Cilka"}));
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("jmeno_REGISTR").AsString(), "Cilka");  // stays on the last row
    t.Prior();
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Brok");
    EXPECT_FALSE(t.Eof());
    t.Prior();
    t.Prior();
    EXPECT_TRUE(t.Bof());
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Alan");
    t.Last();
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.RecNo(), 2);
}

TEST_F(TableTest, LocateOneOrTwoColumnsExactAndCaseSensitive) {
    AddThree();
    Table t(*db_, "main_card.db");
    t.Open();
    t.Last();
    EXPECT_FALSE(t.Locate("Jmeno_registr", "brok"));
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Cilka");  // not found: no move
    EXPECT_FALSE(t.Locate("Jmeno_registr", "Bro"));
    EXPECT_TRUE(t.Locate("Jmeno_registr", "Brok"));
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_TRUE(t.Locate("Pohlavi;Cip", QVariantList{"Pes", 1}));
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Alan");
    EXPECT_FALSE(t.Locate("Pohlavi;Cip", QVariantList{"Fena", 1}));
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Alan");
    EXPECT_THROW(t.Locate("Nic", "x"), StoreError);
}

TEST_F(TableTest, NarrowedFilterKeepsExactlyTheRowsTheFilterAccepts) {
    AddCard("  Brok ", {{"Pohlavi", "Pes"}});
    AddCard("Brokát", {{"Pohlavi", "Pes"}});
    AddCard("Alan", {{"Pohlavi", "Pes"}});
    AddCard("Brok", {{"Pohlavi", "Fena"}});
    Table t(*db_, "main_card.db");
    QString wanted = " Brok";
    int filterCalls = 0;
    t.SetOnFilterRecord([&](platform::DataSet& ds) {
        ++filterCalls;
        return ds.FieldByName("Jmeno_registr").AsString().trimmed() == wanted.trimmed();
    });
    t.SetFilterNarrowing({"JMENO_REGISTR", [&] { return wanted.trimmed(); }});
    t.Open();
    t.SetFiltered(true);
    // "Alan" is never read; "Brokát" holds the text but the filter refuses it.
    EXPECT_EQ(filterCalls, 3);
    EXPECT_EQ(Column(t, "Jmeno_registr"), (QStringList{"  Brok ", "Brok"}));
    // An empty text narrows nothing, so the filter sees every row again.
    wanted.clear();
    filterCalls = 0;
    t.SetFiltered(true);
    EXPECT_EQ(filterCalls, 4);
    EXPECT_EQ(t.RecordCount(), 0);
}

TEST_F(TableTest, FilterCountsOnlyAcceptedRowsAndIsReEvaluatedOnSwitch) {
    AddThree();
    Table t(*db_, "main_card.db");
    QString wanted = "Pes";
    t.SetOnFilterRecord(
        [&](platform::DataSet& ds) { return ds.FieldByName("Pohlavi").AsString() == wanted; });
    t.Open();
    EXPECT_EQ(t.RecordCount(), 3);  // the switch is off
    t.SetFiltered(true);
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(Column(t, "Jmeno_registr"), (QStringList{"Alan", "Brok"}));
    EXPECT_FALSE(t.Locate("Jmeno_registr", "Cilka"));  // filtered out
    wanted = "Fena";
    EXPECT_EQ(t.RecordCount(), 2);  // not re-evaluated until switched
    t.SetFiltered(false);
    t.SetFiltered(true);
    EXPECT_EQ(Column(t, "Jmeno_registr"), QStringList{"Cilka"});
    // A posted row that no longer passes leaves the filtered view.
    t.First();
    t.Edit();
    t.FieldByName("Pohlavi").SetAsString("Pes");
    t.Post();
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_TRUE(t.Eof());
}

TEST_F(TableTest, PostIsCommittedAtOnceAndKeyOrderKept) {
    AddThree();
    Table t(*db_, "main_card.db");
    t.Open();
    t.Append();
    EXPECT_EQ(t.State(), DataSetState::Insert);
    t.FieldByName("Jmeno_registr").SetAsString("Bára");
    t.Post();
    EXPECT_EQ(t.State(), DataSetState::Browse);
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Bára");
    EXPECT_EQ(t.RecNo(), 1);  // Alan, Bára, Brok, Cilka
    // Another connection sees the row: it is on disk, not in a pending transaction.
    platform::Database other(folder_);
    Table seen(other, "main_card.db");
    seen.Open();
    EXPECT_EQ(Column(seen, "Jmeno_registr"), (QStringList{"Alan", "Bára", "Brok", "Cilka"}));
}

TEST_F(TableTest, EditCancelAndAutomaticPostOnMove) {
    AddThree();
    Table t(*db_, "main_card.db");
    t.Open();
    t.Edit();
    t.FieldByName("Jmeno_call").SetAsString("Al");
    EXPECT_TRUE(t.Modified());
    t.Cancel();
    EXPECT_TRUE(t.FieldByName("Jmeno_call").IsNull());
    t.Edit();
    t.FieldByName("Jmeno_call").SetAsString("Al");
    t.Next();  // posts
    t.First();
    EXPECT_EQ(t.FieldByName("Jmeno_call").AsString(), "Al");
    EXPECT_THROW(t.FieldByName("Jmeno_call").SetAsString("x"), StoreError);  // browse state
}

TEST_F(TableTest, DeleteMakesTheNextRowCurrent) {
    AddThree();
    Table t(*db_, "main_card.db");
    t.Open();
    t.Next();
    t.Delete();
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Cilka");
    t.Delete();  // the last row: the new last becomes current
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Alan");
    t.Delete();
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_TRUE(t.Eof() && t.Bof());
    EXPECT_THROW(t.Delete(), StoreError);
}

TEST_F(TableTest, DuplicateKeyIsRefusedAndTheRecordStaysInEditing) {
    AddThree();
    Table t(*db_, "main_card.db");
    t.Open();
    t.Append();
    t.FieldByName("Jmeno_registr").SetAsString("Brok");
    const QString message = MessageOf([&] { t.Post(); });
    EXPECT_TRUE(message.contains("Brok")) << message.toStdString();
    EXPECT_EQ(t.State(), DataSetState::Insert);
    t.Cancel();
    EXPECT_EQ(t.RecordCount(), 3);
}

TEST_F(TableTest, TextIsCutAndNumbersAreRangeChecked) {
    Table t(*db_, "main_card.db");
    t.Open();
    t.Append();
    t.FieldByName("Jmeno_call").SetAsString(QStringLiteral("Příliš dlouhé volací jméno"));
    EXPECT_EQ(t.FieldByName("Jmeno_call").AsString(), QStringLiteral("Příliš dlouhé v"));
    EXPECT_TRUE(MessageOf([&] { t.FieldByName("Barva").SetAsString("70000"); }).contains("Barva"));
    EXPECT_TRUE(MessageOf([&] { t.FieldByName("Barva").SetAsInteger(-32769); }).contains("Barva"));
    EXPECT_TRUE(
        MessageOf([&] { t.FieldByName("Cip").SetAsString("1000000000000000"); }).contains("Cip"));
    EXPECT_TRUE(MessageOf([&] { t.FieldByName("Cip").SetAsString("12a"); }).contains("Cip"));
    EXPECT_TRUE(MessageOf([&] {
                    t.FieldByName("Datum_nar").SetAsString("31.2.2005");
                }).contains("31.2.2005"));
    EXPECT_TRUE(MessageOf([&] {
                    t.FieldByName("Vaha_narozeni").SetAsString("1,5");
                }).contains("Vaha_narozeni"));
    t.FieldByName("Barva").SetAsString("-32768");
    t.FieldByName("Cip").SetAsInteger(2147483647);
    t.FieldByName("Jmeno_registr").SetAsString("Max");
    t.Post();
    EXPECT_EQ(t.FieldByName("Barva").AsInteger(), -32768);
    EXPECT_EQ(t.FieldByName("Cip").AsInteger(), 2147483647);
    EXPECT_EQ(t.FieldByName("Jmeno_call").AsString().size(), 15);
}

TEST_F(TableTest, ValuesReadBackInEveryType) {
    Table t(*db_, "main_card.db");
    t.Open();
    t.Append();
    auto f = [&](const char* n) -> platform::Field& { return t.FieldByName(n); };
    f("Jmeno_registr").SetAsString("Rex");
    f("Vlastnictvi").SetAsString("Ano");
    f("Vlast_odchov").SetAsBoolean(false);
    f("Datum_nar").SetAsDate(QDate(2020, 2, 29));
    f("Vaha_narozeni").SetAsFloat(0.45);
    f("Poznamka").SetAsString("dva\nřádky");
    t.Post();
    EXPECT_TRUE(f("Vlastnictvi").AsBoolean());
    EXPECT_EQ(f("Vlastnictvi").DisplayText(), "True");
    EXPECT_EQ(f("Vlast_odchov").AsString(), "False");
    EXPECT_EQ(f("Datum_nar").AsDate(), QDate(2020, 2, 29));
    EXPECT_EQ(f("Datum_nar").AsString(), "29.2.2020");
    EXPECT_DOUBLE_EQ(f("Datum_nar").AsFloat(), 43890.0);  // day number of 29.2.2020
    EXPECT_DOUBLE_EQ(f("Vaha_narozeni").AsFloat(), 0.45);
    EXPECT_EQ(f("Vaha_narozeni").AsString(), "0.45");
    EXPECT_EQ(f("Poznamka").AsString(), QStringLiteral("dva\nřádky"));
    EXPECT_TRUE(f("Datum_uhyn").IsNull());
    EXPECT_FALSE(f("Datum_uhyn").AsDate().isValid());
    EXPECT_EQ(f("Cip").Type(), platform::FieldType::Largeint);
    EXPECT_EQ(f("Cip").Alignment(), 1);
    EXPECT_EQ(f("Jmeno_registr").DisplayWidth(), 40);
    EXPECT_EQ(static_cast<int>(f("Datum_nar").Type()), 9);
}

TEST_F(TableTest, EmptyTextIsNull) {
    AddCard("Rex", {{"DKK", ""}});
    Table t(*db_, "main_card.db");
    t.Open();
    EXPECT_TRUE(t.FieldByName("DKK").IsNull());
    EXPECT_TRUE(t.Locate("DKK", ""));
    EXPECT_TRUE(t.Locate("DKK", QVariant()));
}

TEST_F(TableTest, PicturesKeepTheirBytes) {
    // The bytes hold NULs, so their count comes from the literal itself
    // (without its closing NUL), never from a number written beside it.
    static constexpr char kBytes[] = "\xFF\xD8\xFF\xE0\0\x10JFIF\0binary\0data";
    const QByteArray jpeg(kBytes, sizeof kBytes - 1);
    ASSERT_EQ(jpeg.size(), 22);
    ASSERT_TRUE(jpeg.endsWith("data"));
    Table t(*db_, "foto_album.db");
    t.Open();
    t.Append();
    t.FieldByName("Jmeno_registr").SetAsString("Rex");
    t.FieldByName("Foto_1").SetAsBytes(jpeg);
    t.Post();
    t.Refresh();
    EXPECT_EQ(t.FieldByName("Foto_1").AsBytes(), jpeg);
    EXPECT_EQ(t.FieldByName("Foto_1").Type(), platform::FieldType::Graphic);
    EXPECT_TRUE(t.FieldByName("Foto_2").IsNull());
}

TEST_F(TableTest, BookmarksReturnAndSurviveInserts) {
    AddThree();
    Table t(*db_, "main_card.db");
    t.Open();
    t.Locate("Jmeno_registr", "Brok");
    platform::Bookmark mark = t.GetBookmark();
    t.Append();
    t.FieldByName("Jmeno_registr").SetAsString("Aaron");  // goes before Brok
    t.Post();
    t.Last();
    ASSERT_TRUE(t.GotoBookmark(mark));
    EXPECT_EQ(t.FieldByName("Jmeno_registr").AsString(), "Brok");
    t.Delete();
    EXPECT_FALSE(t.BookmarkValid(mark));
    EXPECT_FALSE(t.GotoBookmark(mark));
    t.FreeBookmark(mark);
    EXPECT_FALSE(mark.IsValid());
}

TEST_F(TableTest, RollbackUndoesPostsAndRereadsOpenTables) {
    AddThree();
    Table t(*db_, "main_card.db");
    t.Open();
    db_->StartTransaction();
    t.Append();
    t.FieldByName("Jmeno_registr").SetAsString("Dora");
    t.Post();
    t.First();
    t.Delete();
    EXPECT_EQ(Column(t, "Jmeno_registr"),
              (QStringList{"Brok", "Cilka", "Dora"}));  // uncommitted rows are seen
    db_->Rollback();
    EXPECT_EQ(Column(t, "Jmeno_registr"), (QStringList{"Alan", "Brok", "Cilka"}));
    EXPECT_THROW(db_->Rollback(), StoreError);
    db_->StartTransaction();
    EXPECT_THROW(db_->StartTransaction(), StoreError);
    t.Append();
    t.FieldByName("Jmeno_registr").SetAsString("Dora");
    t.Post();
    db_->Commit();
    platform::Database other(folder_);
    Table seen(other, "main_card.db");
    seen.Open();
    EXPECT_EQ(seen.RecordCount(), 4);
}

TEST_F(TableTest, HooksRunAndNotificationsCanBeHeldBack) {
    AddThree();
    struct Recorder : platform::DataSetListener {
        std::vector<platform::DataEventKind> events;
        void OnDataEvent(platform::DataSet&, const platform::DataEvent& e) override {
            events.push_back(e.kind);
        }
    } recorder;
    Table t(*db_, "main_card.db");
    int scrolls = 0;
    t.Hooks().afterScroll = [&](platform::DataSet&) { ++scrolls; };
    t.Hooks().onNewRecord = [](platform::DataSet& ds) {
        ds.FieldByName("Vlastnictvi").SetAsBoolean(true);
    };
    t.AddListener(&recorder);
    t.Open();
    EXPECT_EQ(scrolls, 1);  // opening a non-empty table runs the after-move step
    t.DisableControls();
    const size_t before = recorder.events.size();
    t.Next();
    t.Next();
    EXPECT_EQ(recorder.events.size(), before);
    EXPECT_EQ(scrolls, 3);  // hooks are not held back
    t.EnableControls();
    ASSERT_EQ(recorder.events.size(), before + 1);
    EXPECT_EQ(recorder.events.back(), platform::DataEventKind::DataSetChanged);
    t.Append();
    EXPECT_TRUE(t.FieldByName("Vlastnictvi").AsBoolean());
    EXPECT_FALSE(t.Modified());
    t.Next();  // an untouched new row is dropped, not posted
    EXPECT_EQ(t.RecordCount(), 3);
    t.RemoveListener(&recorder);
}

TEST_F(TableTest, FieldHooksFormatsAndLabels) {
    AddCard("Rex", {{"Vaha_narozeni", "0.456"}, {"Vlastnictvi", "false"}});
    Table t(*db_, "main_card.db");
    auto& weight = t.FieldByName("Vaha_narozeni");
    weight.SetDisplayFormat("0.00 kg");
    weight.SetEditFormat("0.00");
    t.FieldByName("Jmeno_registr").SetDisplayLabel(QStringLiteral("Registrované jméno"));
    t.FieldByName("Vlastnictvi").Options().onGetText = [](const platform::Field& f, bool) {
        return f.AsBoolean() ? QStringLiteral("Ano") : QStringLiteral("Ne");
    };
    auto& breed = t.FieldByName("Plemeno");
    breed.Options().onValidate = [](platform::Field& f) {
        if (f.AsString().trimmed().isEmpty()) {
            throw std::runtime_error("empty breed");
        }
    };
    breed.Options().onSetText = [](platform::Field& f, const QString& text) {
        f.SetAsString(text.toUpper());
    };
    t.Open();
    EXPECT_EQ(weight.DisplayText(), "0.46 kg");
    EXPECT_EQ(weight.EditText(), "0.46");
    EXPECT_EQ(t.FieldByName("Jmeno_registr").DisplayLabel(), QStringLiteral("Registrované jméno"));
    EXPECT_EQ(t.FieldByName("Vlastnictvi").DisplayText(), "Ne");
    t.Edit();
    breed.SetText("bígl");
    EXPECT_EQ(breed.AsString(), QStringLiteral("BÍGL"));
    EXPECT_THROW(breed.SetText("  "), std::runtime_error);
    EXPECT_EQ(breed.AsString(), QStringLiteral("BÍGL"));  // the refused value is not kept
    t.Post();
}

TEST_F(TableTest, ClosedAndEmptyDataSetsAnswerWithoutCrashing) {
    Table t(*db_, "main_card.db");
    EXPECT_THROW(t.First(), StoreError);
    EXPECT_TRUE(t.FieldByName("Jmeno_registr").IsNull());
    t.Open();
    EXPECT_TRUE(t.IsEmpty());
    t.Next();
    t.Prior();
    EXPECT_TRUE(t.Eof() && t.Bof());
    EXPECT_EQ(t.FieldByName("Cip").AsInteger(), 0);
    EXPECT_FALSE(t.GetBookmark().IsValid());
    EXPECT_FALSE(t.Locate("Jmeno_registr", "Rex"));
    t.Edit();  // an empty table edits a new row
    EXPECT_EQ(t.State(), DataSetState::Insert);
    t.Cancel();
    t.Close();
    EXPECT_THROW(t.RowAt(0), StoreError);
}

TEST_F(TableTest, DatabaseGoingAwayDetachesItsTables) {
    auto t = std::make_unique<Table>(*db_, "main_card.db");
    t->Open();
    db_.reset();
    EXPECT_FALSE(t->IsActive());
    EXPECT_THROW(t->Open(), StoreError);
}

}  // namespace
