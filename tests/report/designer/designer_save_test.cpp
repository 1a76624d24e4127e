// Saving from the designer: the file with its .BAK, the history after a save,
// a folder that cannot be written, closing with changes, new templates, and
// damaged templates and missing details.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include "report/designer/dlg_nova_sestava.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;
using designer_test::ListLines;

namespace {

void MoveFirstBodyElement(DesignerFixture& f, int dx) {
    TSesPrvek& e = f.Element(2, 0);
    e.Press(QPoint(50, 10), {}, false);
    e.MoveMouse(QPoint(50 + dx, 10), {});
    e.Release(QPoint(50 + dx, 10), {});
}

}  // namespace

TEST(DesignerSave, WritesTheFileKeepsABackupAndCollapsesTheHistory) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    MoveFirstBodyElement(f, 16);
    ASSERT_TRUE(w.Save());
    EXPECT_FALSE(w.Modified());
    QStringList expected = ListLines();
    expected[13].replace(QStringLiteral("Jmeno_registr,16,8"),
                         QStringLiteral("Jmeno_registr,32,8"));
    EXPECT_EQ(f.FileLines(), expected);
    TPredloha backup;
    ASSERT_TRUE(backup.LoadFromFile(f.data.File(QStringLiteral("seznam.BAK"))));
    EXPECT_EQ(backup.Lines(), ListLines());
    EXPECT_FALSE(w.Action(QStringLiteral("ActionUndo"))->isEnabled());
    EXPECT_EQ(w.Action(QStringLiteral("ActionUndo"))->toolTip(), QStringLiteral("Zrušit změny"));
    EXPECT_EQ(w.History().Count(), 1);
}

TEST(DesignerSave, UndoSaveKeepsTheHistory) {
    DesignerFixture f;
    f.Setting(QStringLiteral("EditorSestav"), QStringLiteral("UndoSave"), QStringLiteral("1"));
    TFormSestE& w = f.Open();
    MoveFirstBodyElement(f, 16);
    ASSERT_TRUE(w.Save());
    EXPECT_TRUE(w.Action(QStringLiteral("ActionUndo"))->isEnabled());
    EXPECT_EQ(w.History().Count(), 2);
}

TEST(DesignerSave, AReadOnlyFolderFailsWithTheMessageAndKeepsTheFile) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    MoveFirstBodyElement(f, 16);
    const QString folder = f.data.Folder();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(folder + QStringLiteral("probe")).isWritable() ||
        QFile(folder + QStringLiteral("probe")).open(QIODevice::WriteOnly)) {
        QFile::setPermissions(
            folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "the folder stays writable for this user (root)";
    }
    EXPECT_FALSE(w.Save());
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QStringList texts = f.messages.Texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Předlohu se nepodařilo uložit.")));
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(f.FileLines(), ListLines());
    EXPECT_TRUE(w.Action(QStringLiteral("ActionUndo"))->isEnabled());
}

TEST(DesignerSave, AFileThatCannotBeReplacedFailsWithTheMessage) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    MoveFirstBodyElement(f, 16);
    // A folder where the backup must go makes the save fail, whoever runs the test.
    QDir().mkpath(f.data.File(QStringLiteral("seznam.BAK/x")));
    EXPECT_FALSE(w.Save());
    EXPECT_TRUE(f.messages.Texts().contains(QStringLiteral("Předlohu se nepodařilo uložit.")));
    for (const platform::MessageRequest& shown : f.messages.Shown()) {
        if (shown.text == QStringLiteral("Předlohu se nepodařilo uložit.")) {
            EXPECT_EQ(shown.caption, QStringLiteral("Chyba"));
        }
    }
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(f.FileLines(), ListLines());
}

TEST(DesignerSave, SaveAsWritesTheCurrentEntryUnderTheChosenName) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    MoveFirstBodyElement(f, 16);
    const QString chosen = f.data.File(QStringLiteral("kopie.pts"));
    SetTemplateSaveDialog([&](const TTemplateSaveRequest& request) {
        EXPECT_EQ(request.caption, QStringLiteral("Výběr souboru"));
        return chosen;
    });
    EXPECT_TRUE(w.SaveAs());
    SetTemplateSaveDialog(nullptr);
    TPredloha written;
    ASSERT_TRUE(written.LoadFromFile(chosen));
    EXPECT_TRUE(written.Lines()[13].contains(QStringLiteral(",32,8,")));
    EXPECT_EQ(f.FileLines(), ListLines());
    EXPECT_TRUE(w.CaptionText().endsWith(QStringLiteral("kopie.pts)")));
    EXPECT_FALSE(w.Modified());
}

// "Uložit předlohu" used to write every character Windows-1250 lacks as "?".
TEST(DesignerSave, TypedCharactersBeyondWindows1250AreSavedAsTyped) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.FocusElement(&f.Element(0, 0));
    auto* text = w.findChild<QLineEdit*>(QStringLiteral("EditText"));
    ASSERT_NE(text, nullptr);
    const QString typed = QStringLiteral("Kontrola čipu: ověřeno ✓ ♂ ♀ Ω");
    text->selectAll();
    for (QChar c : typed) {
        QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QTest::keyClick(text, Qt::Key_Return);
    ASSERT_EQ(f.Element(0, 0).Element().text, typed);
    w.Action(QStringLiteral("ActionUlozit"))->trigger();
    EXPECT_FALSE(w.Modified());

    QFile file(f.TemplatePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(bytes.contains('?'));
    QStringList expected = ListLines();
    expected[11].replace(QStringLiteral("\"Seznam psů\""), u'"' + typed + u'"');
    EXPECT_EQ(f.FileLines(), expected);
    // Opened again, the designer shows what was typed.
    ASSERT_EQ(f.report.LoadTemplate(true), seOK);
    f.Open();
    EXPECT_EQ(f.Element(0, 0).Element().text, typed);
}

TEST(DesignerClose, ChangesAskWhetherToSave) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.show();
    MoveFirstBodyElement(f, 16);
    f.messages.Answer(platform::mbCancel);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(f.messages.Shown().size(), 1u);
    EXPECT_EQ(f.messages.Shown()[0].text,
              QStringLiteral("V předloze sestavy byly provedeny změny. Uložit?"));
    EXPECT_EQ(f.messages.Shown()[0].buttons, platform::mbYes | platform::mbNo | platform::mbCancel);
    f.messages.Answer(platform::mbYes);
    w.Action(QStringLiteral("ActionKonec"))->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(f.FileLines()[13].contains(QStringLiteral(",32,8,")));
}

TEST(DesignerClose, NoChangesCloseWithoutAQuestion) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.show();
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(f.messages.Shown().empty());
}

// "Nová předloha..." begins a new document: the installed template it
// replaces on screen is never written by "Uložit".
TEST(DesignerNew, ANewTemplateIsUntitledAndSaveAsksForAName) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    int wizards = 0;
    testing_support::ScriptedModal byHand([&](QDialog&) {
        ++wizards;
        return TDlgNovaSestava::kByHand;
    });
    w.Action(QStringLiteral("ActionNova"))->trigger();
    EXPECT_EQ(wizards, 1);
    EXPECT_TRUE(f.messages.Shown().empty()) << "nothing was changed, nothing to ask";
    EXPECT_TRUE(w.Paper()->AllElements().empty());
    EXPECT_TRUE(w.Untitled());
    EXPECT_FALSE(w.CaptionText().contains(QStringLiteral("Seznam psů")));
    EXPECT_FALSE(w.CaptionText().contains(QStringLiteral("seznam.pts")));
    EXPECT_TRUE(w.CaptionText().contains(kUntitledCaption));
    EXPECT_FALSE(w.Action(QStringLiteral("ActionUndo"))->isEnabled());

    w.SetTool(tcGrText);
    w.Paper()->Band(2)->SetBandHeight(40);
    w.InsertAt(2, 0, 0);
    ASSERT_EQ(w.Paper()->AllElements().size(), 1u);

    QString offered;
    const QString chosen = f.data.File(QStringLiteral("MujSeznam.pts"));
    SetTemplateSaveDialog([&](const TTemplateSaveRequest& request) {
        offered = request.startFile;
        return chosen;
    });
    w.Action(QStringLiteral("ActionUlozit"))->trigger();
    SetTemplateSaveDialog(nullptr);
    EXPECT_TRUE(offered.endsWith(QStringLiteral("/NovaPredloha.pts"))) << offered.toStdString();
    EXPECT_EQ(f.FileLines(), ListLines());
    TPredloha written;
    ASSERT_TRUE(written.LoadFromFile(chosen));
    EXPECT_EQ(written.Lines().filter(QRegularExpression(QStringLiteral("^[ZHTKP],"))).size(), 1);
    EXPECT_FALSE(written.Lines().join('\n').contains(QStringLiteral("Seznam psů")));
    EXPECT_FALSE(w.Untitled());
    EXPECT_FALSE(w.Modified());
    EXPECT_TRUE(w.CaptionText().endsWith(QStringLiteral("MujSeznam.pts)")));
}

TEST(DesignerNew, TheOpenTemplateIsClosedFirstAndComesBackWhenTheWizardIsCancelled) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    MoveFirstBodyElement(f, 16);
    int wizards = 0;
    testing_support::ScriptedModal cancel([&](QDialog&) {
        ++wizards;
        return TDlgNovaSestava::kCancel;
    });

    f.messages.Answer(platform::mbCancel);
    w.NewTemplate();
    ASSERT_EQ(f.messages.Shown().size(), 1u);
    EXPECT_EQ(f.messages.Shown()[0].text,
              QStringLiteral("V předloze sestavy byly provedeny změny. Uložit?"));
    EXPECT_EQ(wizards, 0);
    EXPECT_EQ(w.Paper()->AllElements().size(), 4u);

    f.messages.Answer(platform::mbYes);
    w.NewTemplate();
    EXPECT_EQ(wizards, 1);
    EXPECT_TRUE(f.FileLines()[13].contains(QStringLiteral("Jmeno_registr,32,8")));
    // Cancelled: the template that was open is back, under its own name.
    EXPECT_EQ(w.Paper()->AllElements().size(), 4u);
    EXPECT_FALSE(w.Untitled());
    EXPECT_TRUE(w.CaptionText().startsWith(
        QStringLiteral("Oprava předlohy tiskové sestavy - Seznam psů (")));
    EXPECT_TRUE(w.CaptionText().endsWith(QStringLiteral("seznam.pts)")));
}

TEST(DesignerBadInput, ADamagedTemplateOpensAndWritesWhatItRead) {
    DesignerFixture f(QStringList{
        QStringLiteral("I,3,2,1,40,0"),
        QStringLiteral("nesmysl"),
        QStringLiteral("I"),
        QStringLiteral("T,14,0,5,5,50,20"),
        QStringLiteral("T,1,0,-30,5,-10,-20,Arial,10,0,0,0,0,238,\"záporné\",0,0,0,\"\",0,\"\""),
        QStringLiteral("S7,1,0,0,0,10,10"),
        QStringLiteral("T,7,0,10,10,100,2,,1,0"),
    });
    TFormSestE& w = f.Open();
    ASSERT_EQ(f.Band(2).Elements().size(), 3u);
    for (TSesPrvek* e : f.Band(2).Elements()) {
        EXPECT_GE(e->width(), 1);
        EXPECT_GE(e->height(), 1);
    }
    w.show();
    QApplication::processEvents();
    const TPredloha written = w.WriteState();
    EXPECT_TRUE(written.Lines().contains(QStringLiteral("I,3,2,1,40,0")));
    EXPECT_FALSE(written.Lines().contains(QStringLiteral("nesmysl")));
    // A keyboard move pulls the one outside back into the band.
    TSesPrvek& negative = *f.Band(2).Elements()[1];
    w.FocusElement(&negative);
    w.KeyboardStep(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(negative.Box().left, 0);
}

TEST(DesignerBadInput, AMissingDetailIsReportedAndNothingOpens) {
    DesignerFixture f(QStringList{
        QStringLiteral("I,3,2,1,40,0"),
        QStringLiteral("T,15,3,0,0,726,30"),
    });
    TFormSestE& w = f.Open();
    TSesPrvek& detail = f.Element(2, 0);
    EXPECT_EQ(detail.toolTip(), QStringLiteral("Detail 4: "));
    w.FocusElement(&detail);
    detail.Press(QPoint(5, 5), {}, true);
    ASSERT_FALSE(f.messages.Shown().empty());
    EXPECT_EQ(f.messages.Shown().back().text, QStringLiteral("Detail 4 této sestavy neexistuje."));
    EXPECT_EQ(w.WriteState().Lines().last(), QStringLiteral("T,15,3,0,0,726,30"));
}
