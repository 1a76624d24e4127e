// The launcher's "Převzít data z dřívější instalace...": the folder asked
// through the file dialog seam, the progress window with "Přerušit", the
// summary, the refusal question and the errors in message boxes.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/fouvod.h"
#include "app/takeover_progress.h"
#include "platform/folders.h"
#include "platform/store/store.h"
#include "tests/support/paradox_writer.h"
#include "tests/support/seams.h"

namespace {

namespace pw = paradox_writer;

void WriteTable(const QString& folder, const QString& name, const pw::Table& t) {
    QDir().mkpath(folder);
    const pw::Files files = pw::Write(t);
    QFile db(folder + "/" + name);
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.write(files.db);
    if (!files.mb.isEmpty()) {
        QFile mb(folder + "/" + QFileInfo(name).completeBaseName() + ".mb");
        ASSERT_TRUE(mb.open(QIODevice::WriteOnly));
        mb.write(files.mb);
    }
}

pw::Table Cards(const std::vector<std::string>& names) {
    pw::Table t;
    t.keyFields = 1;
    t.fields = {{"Jmeno_registr", pw::kAlpha, 40}, {"Poznamka", pw::kMemo, 11}};
    for (const std::string& n : names) {
        t.rows.push_back(
            {QByteArray::fromStdString(n), pw::Blob{QByteArray("memo of ") + n.c_str()}});
    }
    return t;
}

pw::Table Litters(int count) {
    pw::Table t;
    t.fields = {{"Jmeno_registr", pw::kAlpha, 40}, {"Datum", pw::kDate, 4}};
    for (int i = 0; i < count; ++i) {
        t.rows.push_back({QByteArray("Fena"), QDate(2000, 1, 1).addDays(i)});
    }
    return t;
}

class TakeOver : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        // A program folder in bin\: the data folder and the templates beside it.
        platform::SetProgramFolderOverride(folder_.filePath("bin"));
        old_ = folder_.filePath("stara/DATA");
    }
    void TearDown() override { platform::SetProgramFolderOverride(QString()); }

    QString Trigger(TFoUvod& launcher) {
        QAction* action = launcher.findChild<QAction*>("MenuPrevzitData");
        EXPECT_NE(action, nullptr);
        platform::FileDialogRequest asked;
        testing_support::ScriptedFileDialog dialog([&](const platform::FileDialogRequest& r) {
            asked = r;
            return old_;
        });
        action->trigger();
        EXPECT_EQ(asked.kind, platform::FileDialogKind::Folder);
        return asked.caption;
    }
    int Rows(const QString& table) {
        platform::Database db(platform::DataFolder());
        platform::Table t(db, table);
        t.Open();
        return t.RecordCount();
    }

    QTemporaryDir folder_;
    QString old_;
    testing_support::ScriptedMessages messages_;
};

TEST_F(TakeOver, TheMenuItemTakesTheOldTablesOverAndShowsTheSummary) {
    WriteTable(old_, "MAIN_CARD.DB", Cards({"Aron", "Brok"}));
    WriteTable(old_, "vrhy.db", Litters(3));
    QDir().mkpath(folder_.filePath("stara/Predlohy"));
    QFile pts(folder_.filePath("stara/Predlohy/Moje.pts"));
    ASSERT_TRUE(pts.open(QIODevice::WriteOnly));
    pts.write("\xC8");
    pts.close();
    TFoUvod launcher(nullptr);
    QAction* action = launcher.findChild<QAction*>("MenuPrevzitData");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), "Převzít data z dřívější instalace...");
    EXPECT_FALSE(Trigger(launcher).isEmpty());
    ASSERT_EQ(messages_.Shown().size(), 1u);
    const platform::MessageRequest& m = messages_.Shown()[0];
    EXPECT_EQ(m.caption, "Převzetí dat z dřívější instalace");
    EXPECT_EQ(m.icon, platform::MessageIcon::Information);
    EXPECT_TRUE(
        m.text.startsWith("Data dřívější instalace byla převzata.\n\n"
                          "main_card.db: přečteno 2, zapsáno 2, odmítnuto 0, poznámky 2, "
                          "obrázky 0\n"
                          "vrhy.db: přečteno 3, zapsáno 3, odmítnuto 0, poznámky 0, "
                          "obrázky 0\n"))
        << m.text.toStdString();
    EXPECT_TRUE(m.text.contains("Zkopírováno předloh: 1"));
    EXPECT_EQ(Rows("main_card.db"), 2);
    EXPECT_EQ(Rows("vrhy.db"), 3);
    EXPECT_TRUE(QFile::exists(folder_.filePath("Predlohy/Moje.pts")));
}

TEST_F(TakeOver, RefusedRowsAreAskedAboutAndTakenOverOnlyWhenTheUserSaysYes) {
    WriteTable(old_, "main_card.db", Cards({"Aron", "Aron", "Cyril"}));
    TFoUvod launcher(nullptr);
    messages_.Answer(platform::mbNo);
    Trigger(launcher);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Question);
    EXPECT_TRUE(messages_.Shown()[0].text.startsWith(
        "Tyto řádky nelze převzít, proto nebylo zapsáno nic:\n\nmain_card.db, řádek 2 („Aron“): "))
        << messages_.Shown()[0].text.toStdString();
    EXPECT_TRUE(messages_.Shown()[0].text.endsWith("\nPřevzít ostatní řádky bez nich?"));
    EXPECT_EQ(Rows("main_card.db"), 0);

    messages_.Clear();
    messages_.Answer(platform::mbYes);
    Trigger(launcher);
    ASSERT_EQ(messages_.Shown().size(), 2u);
    EXPECT_TRUE(
        messages_.Shown()[1].text.contains("main_card.db: přečteno 3, zapsáno 2, odmítnuto 1"));
    EXPECT_TRUE(messages_.Shown()[1].text.contains("Nezapsané řádky:\nmain_card.db, řádek 2"));
    EXPECT_EQ(Rows("main_card.db"), 2);
}

TEST_F(TakeOver, PrerusitStopsTheImportAndNothingIsWritten) {
    WriteTable(old_, "vrhy.db", Litters(3000));
    TFoUvod launcher(nullptr);
    QTimer::singleShot(0, &launcher, [&launcher] {
        auto* progress = launcher.findChild<TFoPrevzeti*>("FoPrevzeti");
        ASSERT_NE(progress, nullptr);
        EXPECT_TRUE(progress->isVisible());
        auto* button = progress->findChild<QPushButton*>("BtnPrerusit");
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), "Přerušit");
        QTest::mouseClick(button, Qt::LeftButton);
    });
    Trigger(launcher);
    EXPECT_EQ(messages_.Texts(), QStringList{"Převzetí dat bylo přerušeno, nic nebylo zapsáno."});
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_EQ(launcher.findChild<TFoPrevzeti*>("FoPrevzeti"), nullptr);  // closed with the run
}

TEST_F(TakeOver, AFolderThatAlreadyHoldsDataIsRefusedWithAnErrorBox) {
    WriteTable(old_, "main_card.db", Cards({"Aron"}));
    TFoUvod launcher(nullptr);
    Trigger(launcher);
    messages_.Clear();
    Trigger(launcher);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(messages_.Shown()[0].text.contains("už obsahuje data"));
    EXPECT_EQ(Rows("main_card.db"), 1);
}

TEST_F(TakeOver, ADamagedOldTableIsNamedAndACancelledDialogDoesNothing) {
    WriteTable(old_, "main_card.db", Cards({"Aron"}));
    QFile::remove(old_ + "/main_card.mb");
    TFoUvod launcher(nullptr);
    Trigger(launcher);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text,
              "Tabulka main_card.db: chybí soubor main_card.MB s poznámkami a obrázky tabulky");
    messages_.Clear();
    testing_support::ScriptedFileDialog cancel(
        [](const platform::FileDialogRequest&) { return QString(); });
    launcher.findChild<QAction*>("MenuPrevzitData")->trigger();
    EXPECT_TRUE(messages_.Shown().empty());
}

}  // namespace
