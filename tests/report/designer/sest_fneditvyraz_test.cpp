// The expression editor and the function settings dialog: the lists and
// what their items insert, the operator buttons, the syntax check with its
// error code and caret, and every field of a user function.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "report/designer/funkcedlg.h"
#include "report/designer/sest_fneditvyraz.h"
#include "tests/report/designer/field_report.h"
#include "tests/support/seams.h"

using designer_test::FieldReport;
using designer_test::KennelFields;
using Editor = TSest_FnEditVyraz;

namespace {

QStringList Items(QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

QPushButton* Button(QWidget& w, const QString& name) {
    return w.findChild<QPushButton*>(name);
}

// Clicks an item of a list as the user does.
void ClickItem(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

struct EditorFixture {
    EditorFixture() : report(KennelFields()) {
        report.Parametry = QStringList{"Chovatelská stanice", "2024"};
        report.AddGroup(0, "#Plemeno", false, 24, false, 24, false);
        report.AddGroup(1, "#Pohlavi", false, 24, false, 24, false);
        report.Funkce().AddNew();
        report.Funkce()[0].name = "Soucet";
    }
    FieldReport report;
    testing_support::ScriptedMessages messages;
};

}  // namespace

TEST(ExpressionEditor, TheListsCarryTheirReferences) {
    EditorFixture f;
    Editor editor(f.report, f.report.Funkce(), false, false, QString());
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Tvorba výrazu pro výpočet funkce"));
    const QStringList fields = Items(editor.List(Editor::elFields));
    ASSERT_EQ(fields.size(), 5);
    // Fields are listed by their captions; their references stay numbers and names.
    EXPECT_EQ(fields[0], QStringLiteral("#1  Jméno"));
    EXPECT_EQ(fields[1], QStringLiteral("#2  Volací jméno"));
    EXPECT_EQ(Items(editor.List(Editor::elParameters)),
              (QStringList{"&1  Parametr 1", "&2  Parametr 2"}));
    EXPECT_EQ(Items(editor.List(Editor::elVariables)),
              (QStringList{"%1  Datum tisku", "%2  Čas tisku", "%3  Číslo řádku",
                           "%4  Číslo stránky", "%6  Číslo ř. ve sk.1", "%7  Číslo skupiny 1",
                           "%8  Číslo ř. ve sk.2", "%9  Číslo skupiny 2"}));
    EXPECT_EQ(Items(editor.List(Editor::elFunctions)), (QStringList{"@1  Soucet"}));
    const QStringList math = Items(editor.List(Editor::elMath));
    EXPECT_EQ(math.size(), 17);
    EXPECT_EQ(math[0], QStringLiteral("ABS()"));
    EXPECT_EQ(math[3], QStringLiteral("MAX(,)"));
    EXPECT_TRUE(Items(editor.List(Editor::elText)).contains(QStringLiteral("SUBSTR(,,)")));
    EXPECT_EQ(Items(editor.List(Editor::elDate)).size(), 9);
    EXPECT_EQ(Items(editor.List(Editor::elLogical)), (QStringList{"IIF(,,)", "ISNULL()"}));
}

TEST(ExpressionEditor, ADetailReportOffersNoPageNumber) {
    FieldReport master(KennelFields());
    FieldReport detail(KennelFields());
    detail.SetMaster(&master);
    const QStringList items = Editor::VariableItems(detail);
    EXPECT_EQ(items, (QStringList{"%1  Datum tisku", "%2  Čas tisku", "%3  Číslo řádku"}));
}

TEST(ExpressionEditor, InsertingAFieldByNumberOrByName) {
    EditorFixture f;
    Editor editor(f.report, f.report.Funkce(), false, false, QString());
    editor.show();
    QPushButton* insert = Button(editor, "BitBtnVlozit");
    EXPECT_FALSE(insert->isEnabled());
    ClickItem(editor.List(Editor::elFields), 1);
    EXPECT_TRUE(insert->isEnabled());
    EXPECT_TRUE(Button(editor, "SbInsert1")->isEnabled());
    QTest::mouseClick(insert, Qt::LeftButton);
    EXPECT_EQ(editor.Text(), QStringLiteral("#2"));
    EXPECT_EQ(editor.Editor()->cursorPosition(), 2);
    // The list's selection and buttons are cleared after inserting.
    EXPECT_EQ(editor.List(Editor::elFields)->currentRow(), -1);
    EXPECT_FALSE(insert->isEnabled());

    Editor byName(f.report, f.report.Funkce(), false, true, QString());
    byName.show();
    ClickItem(byName.List(Editor::elFields), 0);
    QTest::mouseClick(Button(byName, "SbInsert1"), Qt::LeftButton);
    // The item shows "Jméno"; the field's name goes into the expression.
    EXPECT_EQ(byName.Text(), QStringLiteral("#Jmeno_registr"));
    ClickItem(byName.List(Editor::elFunctions), 0);
    QTest::mouseClick(Button(byName, "SbInsert4"), Qt::LeftButton);
    EXPECT_EQ(byName.Text(), QStringLiteral("#Jmeno_registr@Soucet"));
    // Variables keep their number even with names.
    ClickItem(byName.List(Editor::elVariables), 6);
    QTest::mouseClick(Button(byName, "SbInsert3"), Qt::LeftButton);
    EXPECT_EQ(byName.Text(), QStringLiteral("#Jmeno_registr@Soucet%8"));
}

TEST(ExpressionEditor, EnteringAnotherListClearsTheFormerChoice) {
    EditorFixture f;
    Editor editor(f.report, f.report.Funkce(), false, false, QString());
    editor.show();
    ClickItem(editor.List(Editor::elFields), 0);
    ClickItem(editor.List(Editor::elParameters), 1);
    EXPECT_EQ(editor.List(Editor::elFields)->currentRow(), -1);
    EXPECT_FALSE(Button(editor, "SbInsert1")->isEnabled());
    EXPECT_TRUE(Button(editor, "SbInsert2")->isEnabled());
    QTest::mouseClick(Button(editor, "BitBtnVlozit"), Qt::LeftButton);
    EXPECT_EQ(editor.Text(), QStringLiteral("&2"));
}

TEST(ExpressionEditor, BuiltInFunctionsPutTheCaretInsideTheParenthesis) {
    EditorFixture f;
    Editor editor(f.report, f.report.Funkce(), false, false, QStringLiteral("1+"));
    editor.show();
    editor.Editor()->setCursorPosition(2);
    ClickItem(editor.List(Editor::elMath), 3);  // MAX(,)
    QTest::mouseClick(Button(editor, "SbInsert5"), Qt::LeftButton);
    EXPECT_EQ(editor.Text(), QStringLiteral("1+MAX(,)"));
    EXPECT_EQ(editor.Editor()->cursorPosition(), 6);  // right after "MAX("
}

TEST(ExpressionEditor, OperatorsReplaceTheSelectionAndStepTheCaret) {
    EditorFixture f;
    Editor editor(f.report, f.report.Funkce(), false, false, QStringLiteral("#1xx#2"));
    editor.show();
    editor.Editor()->setSelection(2, 2);
    QTest::mouseClick(Button(editor, "SbOperator14"), Qt::LeftButton);  // " AND "
    EXPECT_EQ(editor.Text(), QStringLiteral("#1 AND #2"));
    EXPECT_EQ(editor.Editor()->cursorPosition(), 7);
    editor.Editor()->setCursorPosition(0);
    QTest::mouseClick(Button(editor, "SbOperator16"), Qt::LeftButton);  // " IN "
    EXPECT_EQ(editor.Text(), QStringLiteral(" IN[]#1 AND #2"));
    EXPECT_EQ(editor.Editor()->cursorPosition(), 5);  // inside the brackets
    editor.Editor()->setCursorPosition(0);
    QTest::mouseClick(Button(editor, "SbOperator1"), Qt::LeftButton);  // "()"
    EXPECT_EQ(editor.Editor()->cursorPosition(), 1);
    QTest::mouseClick(Button(editor, "SbOperator10"), Qt::LeftButton);  // "<>"
    EXPECT_EQ(editor.Text().left(4), QStringLiteral("(<>)"));
    EXPECT_EQ(editor.Editor()->cursorPosition(), 3);
}

TEST(ExpressionEditor, TheCheckOfAGoodExpression) {
    EditorFixture f;
    Editor editor(f.report, f.report.Funkce(), false, false,
                  QStringLiteral("IIF(#3>5, UPPER(#1), &1)"));
    editor.show();
    QTest::mouseClick(Button(editor, "BitBtnValid"), Qt::LeftButton);
    ASSERT_EQ(f.messages.Shown().size(), 1u);
    EXPECT_EQ(f.messages.Shown()[0].text, QStringLiteral("Výraz je v pořádku."));
    EXPECT_EQ(f.messages.Shown()[0].caption, QStringLiteral("Informace"));
    EXPECT_EQ(f.messages.Shown()[0].icon, platform::MessageIcon::Information);
}

TEST(ExpressionEditor, AnUnclosedParenthesisIsError5AtTheEnd) {
    EditorFixture f;
    const QString text = QStringLiteral("MAX(#3, 2");
    Editor editor(f.report, f.report.Funkce(), false, false, text);
    editor.show();
    QTest::mouseClick(Button(editor, "BitBtnValid"), Qt::LeftButton);
    ASSERT_EQ(f.messages.Shown().size(), 1u);
    EXPECT_EQ(
        f.messages.Shown()[0].text,
        QStringLiteral("Chyba : \"5 – chybí pravá závorka\" na pozici %1").arg(text.size() + 1));
    EXPECT_EQ(f.messages.Shown()[0].caption, QStringLiteral("Chyba"));
    EXPECT_EQ(f.messages.Shown()[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(editor.Editor()->cursorPosition(), text.size());
    EXPECT_EQ(editor.Text(), text);  // the check never changes the text
    EXPECT_EQ(editor.findChild<QLabel*>("LabelPosition")->text(), QString::number(text.size() + 1));
}

TEST(ExpressionEditor, AnErrorInEveryPositionIsShownWhereItIs) {
    EditorFixture f;
    const QString good = QStringLiteral("ABS(#3)+LEFT(#1,2)");
    for (int at = 0; at <= good.size(); ++at) {
        QString bad = good;
        bad.insert(at, QLatin1Char('$'));
        Editor editor(f.report, f.report.Funkce(), false, false, bad);
        f.messages.Clear();
        editor.Check();
        ASSERT_EQ(f.messages.Shown().size(), 1u) << bad.toStdString();
        TValueProviderScope scope(&f.report);
        const TEvalResult expected = Evaluate(bad);
        ASSERT_NE(expected.error, eeOK) << bad.toStdString();
        EXPECT_EQ(f.messages.Shown()[0].text,
                  ExpressionErrorMessage(expected.error, expected.position));
        EXPECT_TRUE(f.messages.Shown()[0].text.startsWith(
            QStringLiteral("Chyba : \"%1 – ").arg(expected.error)));
        EXPECT_EQ(editor.Editor()->cursorPosition(), expected.position);
        EXPECT_EQ(editor.Text(), bad);
    }
}

TEST(ExpressionEditor, ThePositionLabelFollowsTheCaret) {
    EditorFixture f;
    Editor editor(f.report, f.report.Funkce(), false, false, QStringLiteral("#1+#2"));
    editor.show();
    editor.activateWindow();
    QLabel* position = editor.findChild<QLabel*>("LabelPosition");
    editor.Editor()->setFocus();
    editor.Editor()->setCursorPosition(0);
    QTest::keyClick(editor.Editor(), Qt::Key_Right);
    EXPECT_EQ(position->text(), QStringLiteral("2"));
    QTest::keyClick(editor.Editor(), Qt::Key_End);
    EXPECT_EQ(position->text(), QStringLiteral("6"));
}

TEST(ExpressionEditor, TheGroupExpressionEditorHasNoFunctions) {
    EditorFixture f;
    Editor editor(f.report, f.report.Funkce(), true, false, QString());
    EXPECT_FALSE(editor.List(Editor::elFunctions)->isEnabled());
    editor.List(Editor::elFunctions)->setCurrentRow(0);
    editor.InsertFromList(Editor::elFunctions);
    EXPECT_EQ(editor.Text(), QString());
}

TEST(ExpressionEditor, EditExpressionGivesTheTextOnlyOnOk) {
    EditorFixture f;
    QString text = QStringLiteral("#1");
    {
        testing_support::ScriptedModal script([](QDialog& d) {
            auto& editor = static_cast<Editor&>(d);
            editor.Editor()->setText(QStringLiteral("UPPER(#1)"));
            QTest::mouseClick(d.findChild<QPushButton*>("BitBtnOK"), Qt::LeftButton);
            return d.result();
        });
        EXPECT_TRUE(EditExpression(f.report, f.report.Funkce(), false, false, text));
    }
    EXPECT_EQ(text, QStringLiteral("UPPER(#1)"));
    testing_support::ScriptedModal cancel([](QDialog& d) {
        static_cast<Editor&>(d).Editor()->setText(QStringLiteral("zahozeno"));
        QTest::mouseClick(d.findChild<QPushButton*>("BitBtnStorno"), Qt::LeftButton);
        return d.result();
    });
    EXPECT_FALSE(EditExpression(f.report, f.report.Funkce(), false, false, text));
    EXPECT_EQ(text, QStringLiteral("UPPER(#1)"));
}

// ---- function settings ----------------------------------------------------------------------

TEST(FunctionDialog, TheResetListHasAnItemPerGroup) {
    EditorFixture f;
    TFunkceDlg dialog(f.report, f.report.Funkce(), false, 2, f.report.Funkce()[0]);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nastavení parametrů funkce"));
    auto* reset = dialog.findChild<QComboBox*>("CBFnPhn");
    QStringList items;
    for (int i = 0; i < reset->count(); ++i) {
        items << reset->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Sestavy", "Stránky", "Skupiny 1", "Skupiny 2"}));
}

TEST(FunctionDialog, ATextFunctionHidesTheNumberControlsAndKeepsTheirValues) {
    EditorFixture f;
    TRadekFunkce& function = f.report.Funkce()[0];
    function.aggregation = agSum;
    function.numberFormat = nfNumber;
    TFunkceDlg dialog(f.report, f.report.Funkce(), false, 2, function);
    dialog.show();
    QWidget* numeric = dialog.findChild<QWidget*>("PanelNumeric");
    EXPECT_TRUE(numeric->isVisible());
    dialog.findChild<QComboBox*>("CBFnTyp")->setCurrentIndex(1);
    EXPECT_FALSE(numeric->isVisible());
    dialog.TakeInto(function);
    EXPECT_EQ(function.resultType, ftText);
    EXPECT_EQ(function.aggregation, agSum);
    EXPECT_EQ(function.numberFormat, nfNumber);
}

TEST(FunctionDialog, OkWritesEveryFieldAndBadNumbersKeepTheOldOnes) {
    EditorFixture f;
    TRadekFunkce function = f.report.Funkce()[0];
    function.precision = 9;
    function.digits = 3;
    testing_support::ScriptedModal script([](QDialog& d) {
        d.findChild<QLineEdit*>("EditFnNaz")->setText("Pocet");
        d.findChild<QLineEdit*>("EditFnPop")->setText("Počet psů");
        d.findChild<QLineEdit*>("EditFnVyr")->setText("1");
        d.findChild<QLineEdit*>("EditFnPoh")->setText("0");
        d.findChild<QComboBox*>("CBFnPhn")->setCurrentIndex(3);
        d.findChild<QRadioButton*>("RGDalZpr2")->setChecked(true);
        d.findChild<QComboBox*>("CbFnFrm")->setCurrentIndex(0);
        d.findChild<QLineEdit*>("EditFnSir")->setText("dvanáct");
        d.findChild<QLineEdit*>("EditFnDes")->setText("0");
        QTest::mouseClick(d.findChild<QPushButton*>("BitBtnOK"), Qt::LeftButton);
        return d.result();
    });
    EXPECT_EQ(EditFunction(f.report, f.report.Funkce(), false, 2, function), 1);
    EXPECT_EQ(function.name, QStringLiteral("Pocet"));
    EXPECT_EQ(function.description, QStringLiteral("Počet psů"));
    EXPECT_EQ(function.expression, QStringLiteral("1"));
    EXPECT_EQ(function.resetLevel, rlGroup + 1);
    EXPECT_EQ(function.aggregation, agSum);
    EXPECT_EQ(function.numberFormat, nfGeneral);
    EXPECT_EQ(function.precision, 9);  // "dvanáct" is no number
    EXPECT_EQ(function.digits, 0);
}

TEST(FunctionDialog, StornoChangesNothingAndTheExpressionButtonOpensTheEditor) {
    EditorFixture f;
    TRadekFunkce function = f.report.Funkce()[0];
    function.expression = "#3";
    testing_support::ScriptedModal script([](QDialog& d) {
        if (auto* editor = qobject_cast<Editor*>(&d)) {
            EXPECT_TRUE(editor->List(Editor::elFunctions)->isEnabled());
            EXPECT_EQ(editor->Text(), QStringLiteral("#3"));
            editor->Editor()->setText("#3*2");
            return int(QDialog::Accepted);
        }
        QTest::mouseClick(d.findChild<QPushButton*>("SpeedButtonFnV"), Qt::LeftButton);
        EXPECT_EQ(d.findChild<QLineEdit*>("EditFnVyr")->text(), QStringLiteral("#3*2"));
        QTest::mouseClick(d.findChild<QPushButton*>("BitBtnStorno"), Qt::LeftButton);
        return d.result();
    });
    EXPECT_EQ(EditFunction(f.report, f.report.Funkce(), false, 2, function), 2);
    EXPECT_EQ(function.expression, QStringLiteral("#3"));
}
