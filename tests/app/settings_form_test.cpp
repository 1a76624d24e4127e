// The settings form: reading at creation, "P&oužít", "&OK", "Ob&nov",
// "&Storno" and Escape, field limits and moves, and the write failure.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/foparametry.h"
#include "platform/folders.h"
#include "tests/support/seams.h"

namespace {

class SettingsForm : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::SetProgramFolderOverride(folder_.path());
        CurrentParametry() = Parametry();
    }
    void TearDown() override {
        platform::SetProgramFolderOverride(QString());
        CurrentParametry() = Parametry();
    }

    QString IniPath() const { return folder_.filePath("Harvel.INI"); }

    void PutIni(const QByteArray& bytes) {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray IniBytes() const {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    template <typename T>
    static T* Control(TFoParametry& form, const char* name) {
        T* control = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    static void Press(TFoParametry& form, const char* name) {
        QTest::mouseClick(Control<QPushButton>(form, name), Qt::LeftButton);
    }

    static void Retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        edit->insert(text);  // as typed (QTest types ASCII keys only)
    }

    QTemporaryDir folder_;
    testing_support::ScriptedMessages messages_;
};

}  // namespace

TEST_F(SettingsForm, CaptionsHintsAndTheOneTab) {
    TFoParametry form;
    EXPECT_EQ(form.windowTitle(), "Nastavení parametrů");
    auto* tabs = Control<QTabWidget>(form, "PageControl1");
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "Evid. list");
    EXPECT_EQ(Control<QCheckBox>(form, "CBOnlineTituly")->text(),
              "Ukazovat tituly a ocenění v realném čase");
    EXPECT_EQ(Control<QCheckBox>(form, "CBOnlineFoto")->text(),
              "Ukazovat fotografii  v realném čase");
    auto* check = Control<QCheckBox>(form, "CBKontrolaJmen");
    EXPECT_EQ(check->text(), "Provádět kontroly pomocných knih při spuštění programu");
    EXPECT_TRUE(
        check->toolTip().startsWith("Provádí se kontrola na existenci registrovaného "
                                    "jména.\nPokud program nalezne"));
    const struct {
        const char* name;
        QString caption;
        QString hint;
    } buttons[] = {
        {"ButtonApli", "P&oužít",
         "Aktuální nastavení bude použito  pro aplikaci  bez uzavření formuláře"},
        {"ButtonOk", "&OK", "Aktuální nastavení bude použito  pro aplikaci  s uzavřením formuláře"},
        {"ButtonObn", "Ob&nov", "Obnoví původní nastavení všech parametrů"},
        {"ButtonStor", "&Storno", "Obnoví se původní nastavení a zavře se formulář"},
    };
    for (const auto& entry : buttons) {
        SCOPED_TRACE(entry.name);
        auto* button = Control<QPushButton>(form, entry.name);
        EXPECT_EQ(button->text(), entry.caption);
        EXPECT_EQ(button->toolTip(), entry.hint);
    }
    EXPECT_TRUE(Control<QPushButton>(form, "ButtonOk")->isDefault());
}

TEST_F(SettingsForm, CreationReadsTheFileAndKeepsDefaultsOfMissingKeys) {
    PutIni(
        "[EvidList]\r\nKontrolaJmen=1\r\nOnlineFoto=0\r\nJednotkaDelka= mm\r\nChovatel=Od "
        "Lesa\r\n");
    TFoParametry form;
    EXPECT_TRUE(Control<QCheckBox>(form, "CBKontrolaJmen")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(form, "CBOnlineFoto")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(form, "CBOnlineTituly")->isChecked());  // default
    EXPECT_EQ(Control<QLineEdit>(form, "EdJednotkaDelka")->text(), " mm");
    EXPECT_EQ(Control<QLineEdit>(form, "EdJednotkaHmotnost")->text(), " kg");  // default
    EXPECT_EQ(Control<QLineEdit>(form, "EdChovatel")->text(), "Od Lesa");
    EXPECT_TRUE(CurrentParametry().KontrolaJmen);
    EXPECT_FALSE(CurrentParametry().OnlineFoto);
    EXPECT_EQ(CurrentParametry().JednotkaDelka, " mm");
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(SettingsForm, OkWritesReadsAppliesAndCloses) {
    TFoParametry form;
    QSignalSpy applied(&form, &TFoParametry::Applied);
    form.show();
    QTest::mouseClick(Control<QCheckBox>(form, "CBOnlineTituly"), Qt::LeftButton);
    Retype(Control<QLineEdit>(form, "EdJednotkaHmotnost"), " g");
    Retype(Control<QLineEdit>(form, "EdChovatel"), "Ze Žluté zahrady");
    Press(form, "ButtonOk");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(applied.count(), 1);
    EXPECT_EQ(IniBytes(),
              QByteArray("[EvidList]\r\nOnlineTituly=0\r\nOnlineFoto=1\r\nKontrolaJmen=0\r\n"
                         "JednotkaDelka= cm\r\nJednotkaHmotnost= g\r\nChovatel=Ze ") +
                  QByteArray("\x8E") +
                  "lut\xE9 zahrady\r\nUpozornitDni=7\r\n");  // Windows-1250 on disk
    EXPECT_FALSE(CurrentParametry().OnlineTituly);
    EXPECT_EQ(CurrentParametry().JednotkaHmotnost, " g");
    EXPECT_EQ(CurrentParametry().Chovatel, "Ze Žluté zahrady");
}

// A kennel name with a character Windows-1250 lacks used to come back as "?".
TEST_F(SettingsForm, AKennelNameBeyondWindows1250IsKeptAsTyped) {
    PutIni("; Harvel\r\n[EvidList]\r\nOnlineFoto=0\r\n");
    const QString typed = QStringLiteral("Od Lesa ✓ ♂♀");
    {
        TFoParametry form;
        form.show();
        Retype(Control<QLineEdit>(form, "EdChovatel"), typed);
        Press(form, "ButtonOk");
    }
    const QByteArray bytes = IniBytes();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF; Harvel\r\n[EvidList]\r\n")) << bytes.toStdString();
    EXPECT_FALSE(bytes.contains('?'));
    CurrentParametry() = Parametry();
    TFoParametry reopened;
    EXPECT_EQ(Control<QLineEdit>(reopened, "EdChovatel")->text(), typed);
    EXPECT_EQ(CurrentParametry().Chovatel, typed);
    EXPECT_FALSE(CurrentParametry().OnlineFoto);
}

TEST_F(SettingsForm, ApplyWritesAndStaysOpen) {
    TFoParametry form;
    QSignalSpy applied(&form, &TFoParametry::Applied);
    form.show();
    QTest::mouseClick(Control<QCheckBox>(form, "CBKontrolaJmen"), Qt::LeftButton);
    Press(form, "ButtonApli");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(applied.count(), 1);
    EXPECT_TRUE(IniBytes().contains("KontrolaJmen=1\r\n"));
    EXPECT_TRUE(CurrentParametry().KontrolaJmen);
}

TEST_F(SettingsForm, RestoreReplacesEditsByStoredValuesAndKeepsEditsOfAbsentKeys) {
    PutIni("[EvidList]\r\nOnlineFoto=1\r\nJednotkaDelka= cm\r\n");
    TFoParametry form;
    form.show();
    QTest::mouseClick(Control<QCheckBox>(form, "CBOnlineFoto"), Qt::LeftButton);
    QTest::mouseClick(Control<QCheckBox>(form, "CBKontrolaJmen"), Qt::LeftButton);
    Retype(Control<QLineEdit>(form, "EdJednotkaDelka"), "in");
    Retype(Control<QLineEdit>(form, "EdJednotkaHmotnost"), "lb");
    Press(form, "ButtonObn");
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(Control<QCheckBox>(form, "CBOnlineFoto")->isChecked());       // stored
    EXPECT_EQ(Control<QLineEdit>(form, "EdJednotkaDelka")->text(), " cm");    // stored
    EXPECT_TRUE(Control<QCheckBox>(form, "CBKontrolaJmen")->isChecked());     // absent: edit kept
    EXPECT_EQ(Control<QLineEdit>(form, "EdJednotkaHmotnost")->text(), "lb");  // absent: edit kept
    EXPECT_EQ(IniBytes(), QByteArray("[EvidList]\r\nOnlineFoto=1\r\nJednotkaDelka= cm\r\n"));
}

TEST_F(SettingsForm, CancelAndEscapeReadTheStoredValuesAndCloseWithoutWriting) {
    PutIni("[EvidList]\r\nOnlineTituly=1\r\n");
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Storno");
        TFoParametry form;
        form.show();
        QTest::mouseClick(Control<QCheckBox>(form, "CBOnlineTituly"), Qt::LeftButton);
        if (escape) {
            QTest::keyClick(&form, Qt::Key_Escape);
        } else {
            Press(form, "ButtonStor");
        }
        EXPECT_EQ(form.result(), QDialog::Rejected);
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(Control<QCheckBox>(form, "CBOnlineTituly")->isChecked());
        EXPECT_TRUE(CurrentParametry().OnlineTituly);
        EXPECT_EQ(IniBytes(), QByteArray("[EvidList]\r\nOnlineTituly=1\r\n"));
    }
}

TEST_F(SettingsForm, UnitFieldsTakeThreeCharactersAndEnterMovesOn) {
    TFoParametry form;
    form.show();
    QApplication::setActiveWindow(&form);
    auto* length = Control<QLineEdit>(form, "EdJednotkaDelka");
    auto* weight = Control<QLineEdit>(form, "EdJednotkaHmotnost");
    length->selectAll();
    QTest::keyClicks(length, "metr");
    EXPECT_EQ(length->text(), "met");
    length->setFocus();
    QTest::keyClick(length, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());  // Enter did not press the default button
    EXPECT_TRUE(weight->hasFocus());
    QTest::keyClick(weight, Qt::Key_Up);
    EXPECT_TRUE(length->hasFocus());
    QTest::keyClick(length, Qt::Key_Down);
    EXPECT_TRUE(weight->hasFocus());
}

TEST_F(SettingsForm, AFileThatCannotBeWrittenIsReportedAndTheFormStaysUsable) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir("Harvel.INI"));  // a folder in the file's place
    TFoParametry form;
    form.show();
    Press(form, "ButtonApli");
    EXPECT_EQ(messages_.Texts(), QStringList({"Chyba při ukládání parametrického souboru"}));
    EXPECT_TRUE(form.isVisible());
}

TEST_F(SettingsForm, RemindDaysAheadHasItsCaptionAndIsWritten) {
    PutIni("[EvidList]\r\nUpozornitDni=3\r\n");
    TFoParametry form;
    auto* days = Control<QSpinBox>(form, "SpinUpozornitDni");
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->value(), 3);
    EXPECT_EQ(days->maximum(), 365);
    bool captioned = false;
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        captioned =
            captioned || (label->buddy() == days && label->text() == "Upozornit dní předem");
    }
    EXPECT_TRUE(captioned);
    form.show();
    days->setValue(0);
    Press(form, "ButtonOk");
    EXPECT_TRUE(IniBytes().contains("UpozornitDni=0\r\n"));
    EXPECT_EQ(CurrentParametry().UpozornitDni, 0);
}
