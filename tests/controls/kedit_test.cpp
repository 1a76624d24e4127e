#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "controls/K_Edit.h"
#include "tests/support/seams.h"

using testing_support::ScriptedMessages;

// Readable failure output for Qt texts.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << texts.join(QStringLiteral(" | ")).toStdString();
}

namespace {

// Types text character by character, also letters outside ASCII.
void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// A form with three fields in tab order, shown and active, as an entry form is.
class KEditForm : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(form.get());
        for (const char* name : {"EdJmeno", "EdCislo", "EdCastka"}) {
            auto* edit = new TKEdit(form.get());
            edit->setObjectName(QString::fromLatin1(name));
            layout->addWidget(edit);
        }
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    TKEdit* Field(const char* name) { return form->findChild<TKEdit*>(QString::fromLatin1(name)); }

    void Load() {
        for (TKEdit* edit : form->findChildren<TKEdit*>()) {
            edit->Loaded();
        }
    }

    void Enter(TKEdit* edit) {
        edit->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_TRUE(edit->hasFocus());
    }

    // Leaves with Enter and lets a field that takes the focus back do so.
    void LeaveWithEnter(TKEdit* edit) {
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
        QApplication::processEvents();
    }

    std::unique_ptr<QWidget> form;
    ScriptedMessages messages;
};

TEST_F(KEditForm, EnterDownAndUpMoveLikeTab) {
    TKEdit* first = Field("EdJmeno");
    TKEdit* second = Field("EdCislo");
    TKEdit* third = Field("EdCastka");
    Load();
    Enter(first);
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Down);
    EXPECT_TRUE(third->hasFocus());
    QTest::keyClick(third, Qt::Key_Up);
    EXPECT_TRUE(second->hasFocus());

    // FocusControl overrides the form order; PgDown without a target stays.
    second->FocusControl.Down = first;
    QTest::keyClick(second, Qt::Key_Down);
    EXPECT_TRUE(first->hasFocus());
    QTest::keyClick(first, Qt::Key_PageDown);
    EXPECT_TRUE(first->hasFocus());

    // Without keyDownUp the arrows stay in the field.
    first->KeyLikeTab = keyEnter;
    QTest::keyClick(first, Qt::Key_Down);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(KEditForm, FocusColourComesAndGoes) {
    TKEdit* first = Field("EdJmeno");
    Load();
    const QColor before = first->palette().color(QPalette::Base);
    Enter(first);
    EXPECT_EQ(first->palette().color(QPalette::Base), QColor(Qt::yellow));
    LeaveWithEnter(first);
    EXPECT_EQ(first->palette().color(QPalette::Base), before);
    first->setEnabled(false);
    EXPECT_EQ(first->palette().color(QPalette::Base), first->ColorOnDisabled);
}

TEST_F(KEditForm, RequiredFieldKeepsFocusWithItsMessage) {
    TKEdit* name = Field("EdJmeno");
    name->Required = true;
    Load();
    Enter(name);
    LeaveWithEnter(name);
    ASSERT_EQ(messages.Texts(), QStringList{QStringLiteral("Zadání položky je povinné !")});
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(messages.Shown()[0].buttons, platform::mbOK);
    EXPECT_TRUE(name->hasFocus());

    messages.Clear();
    Type(name, QStringLiteral("Bára"));
    LeaveWithEnter(name);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(Field("EdCislo")->hasFocus());
    EXPECT_EQ(name->text(), QStringLiteral("Bára"));
}

TEST_F(KEditForm, RequiredMessageGoesToOnErrorWhenSet) {
    TKEdit* name = Field("EdJmeno");
    name->Required = true;
    QString received;
    name->OnError = [&](TKEdit*, const QString& text) { received = text; };
    Load();
    Enter(name);
    LeaveWithEnter(name);
    EXPECT_EQ(received, QStringLiteral("Zadání položky je povinné !"));
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(name->hasFocus());
}

TEST_F(KEditForm, TextModeCaseAndFilter) {
    TKEdit* name = Field("EdJmeno");
    name->CaseMode = cmProperCase;
    Load();
    Enter(name);
    Type(name, QStringLiteral("jan novák"));
    EXPECT_EQ(name->text(), QStringLiteral("Jan Novák"));

    TKEdit* code = Field("EdCislo");
    code->CaseMode = cmUpperCase;
    code->StringEdit.Filtr = QStringLiteral("abcABC");
    code->StringEdit.FiltrUse = true;
    Enter(code);
    Type(code, QStringLiteral("axb1c"));
    EXPECT_EQ(code->text(), QStringLiteral("ABC"));
}

TEST_F(KEditForm, IntegerClampsToLimitsWithoutMessage) {
    TKEdit* count = Field("EdCislo");
    count->EditType = teInteger;
    count->Number.ValueMin = 1;
    count->Number.ValueMax = 100;
    count->Number.Valid = true;
    Load();
    Enter(count);
    Type(count, QStringLiteral("123"));
    LeaveWithEnter(count);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(count->PlainText(), QStringLiteral("100"));
    EXPECT_DOUBLE_EQ(count->Value(), 100);
    EXPECT_TRUE(Field("EdCastka")->hasFocus());
}

TEST_F(KEditForm, IntegerAboveMaximumRestoresTextBeforeLastCharacter) {
    TKEdit* count = Field("EdCislo");
    count->EditType = teInteger;
    count->Number.ValueMin = 1;
    count->Number.ValueMax = 100;
    count->Number.Valid = true;
    count->Number.NumberTextToValue = false;
    Load();
    Enter(count);
    Type(count, QStringLiteral("123"));
    LeaveWithEnter(count);
    ASSERT_EQ(messages.Texts(),
              QStringList{QStringLiteral("Maximální číselná hodnota je \"100\"")});
    EXPECT_EQ(count->text(), QStringLiteral("12"));
    EXPECT_TRUE(count->hasFocus());
    EXPECT_EQ(count->cursorPosition(), 2);
    EXPECT_FALSE(count->hasSelectedText());

    // Below the minimum, the next failing check.
    messages.Clear();
    count->selectAll();
    Type(count, QStringLiteral("0"));
    LeaveWithEnter(count);
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Minimální číselná hodnota je \"1\"")});
}

TEST_F(KEditForm, NumberAreaMessages) {
    TKEdit* amount = Field("EdCastka");
    amount->EditType = teFloat;
    amount->Number.NumberArea = naOnlyPositive;
    amount->Number.Valid = true;
    Load();
    Enter(amount);
    Type(amount, QStringLiteral("-5"));
    EXPECT_EQ(amount->text(), QStringLiteral("5"));  // "-" is not allowed here
    amount->setText(QStringLiteral("0"));
    LeaveWithEnter(amount);
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("Zadání je pouze pro kladná čísla.\n0.00 nevyhovuje.")});
    // The field cannot be left until the value passes.
    ASSERT_TRUE(amount->hasFocus());
    amount->setText(QStringLiteral("2"));
    LeaveWithEnter(amount);

    messages.Clear();
    TKEdit* other = Field("EdCislo");
    other->EditType = teFloat;
    other->Number.NumberArea = naNegative;
    other->Number.Valid = true;
    other->Loaded();
    Enter(other);
    Type(other, QStringLiteral("1234.5"));
    LeaveWithEnter(other);
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("Zadání platí pro záporná čísla.\n1 234.50 nevyhovuje.")});
    EXPECT_EQ(other->text(), QStringLiteral("1234."));
}

TEST_F(KEditForm, MinusOnlyFirstAndOnceSeparatorOnce) {
    TKEdit* amount = Field("EdCastka");
    amount->EditType = teFloat;
    Load();
    Enter(amount);
    Type(amount, QStringLiteral("1-2,5.3-"));
    EXPECT_EQ(amount->text(), QStringLiteral("12.53"));
    amount->setCursorPosition(0);
    Type(amount, QStringLiteral("--"));
    EXPECT_EQ(amount->text(), QStringLiteral("-12.53"));
    amount->setCursorPosition(0);
    Type(amount, QStringLiteral(".a"));
    EXPECT_EQ(amount->text(), QStringLiteral("-12.53"));
}

TEST_F(KEditForm, FloatKeepsPlainFormAfterLeaving) {
    TKEdit* amount = Field("EdCastka");
    amount->EditType = teFloat;
    amount->Number.NumberCount = 0;
    Load();
    Enter(amount);
    Type(amount, QStringLiteral("1,5"));
    EXPECT_EQ(amount->text(), QStringLiteral("1.5"));
    LeaveWithEnter(amount);
    EXPECT_EQ(amount->text(), QStringLiteral("1.5"));
    EXPECT_DOUBLE_EQ(amount->Value(), 1.5);

    TKEdit* fixed = Field("EdCislo");
    fixed->EditType = teFloat;
    fixed->Number.NumberCount = 0;
    fixed->Number.NumberTextToValue = false;
    Enter(fixed);
    Type(fixed, QStringLiteral("1.5"));
    LeaveWithEnter(fixed);
    EXPECT_EQ(fixed->text(), QStringLiteral("1.50"));
}

TEST_F(KEditForm, PastedTextLeavesAsItsNumber) {
    TKEdit* amount = Field("EdCastka");
    amount->EditType = teFloat;
    amount->Number.NumberCount = 0;
    amount->Number.Valid = true;
    Load();
    Enter(amount);
    amount->setText(QStringLiteral("x12,345kg"));  // as a paste would leave it
    LeaveWithEnter(amount);
    EXPECT_EQ(amount->text(), QStringLiteral("12.34"));
    EXPECT_DOUBLE_EQ(amount->Value(), 12.34);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(KEditForm, EmptyNumberFieldShowsZeroOrMinimum) {
    TKEdit* count = Field("EdCislo");
    count->EditType = teInteger;
    TKEdit* amount = Field("EdCastka");
    amount->EditType = teInteger;
    amount->Number.ValueMin = 5;
    Load();
    Enter(count);
    LeaveWithEnter(count);
    EXPECT_EQ(count->text(), QStringLiteral("0"));
    LeaveWithEnter(amount);
    EXPECT_EQ(amount->text(), QStringLiteral("5"));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(KEditForm, CurrencyShownGroupedWithCurrencyAndPlainWhileEdited) {
    TKEdit* amount = Field("EdCastka");
    amount->EditType = teCurrency;
    amount->setText(QStringLiteral("1234567,50"));
    Load();
    EXPECT_EQ(amount->text(), QStringLiteral("1 234 567.50 Kč"));
    EXPECT_EQ(amount->PlainText(), QStringLiteral("1234567.50"));
    EXPECT_DOUBLE_EQ(amount->Value(), 1234567.5);
    Enter(amount);
    EXPECT_EQ(amount->text(), QStringLiteral("1234567.50"));
    EXPECT_EQ(amount->cursorPosition(), amount->text().size());  // cfEnd
    LeaveWithEnter(amount);
    EXPECT_EQ(amount->text(), QStringLiteral("1 234 567.50 Kč"));

    amount->Number.CurrPosition = ncCurrLeft;
    amount->SetValue(-7.25);
    EXPECT_EQ(amount->text(), QStringLiteral("Kč-7.25"));
}

TEST_F(KEditForm, IntegerLoadedWithDecimalsKeepsWholePart) {
    TKEdit* count = Field("EdCislo");
    count->EditType = teInteger;
    count->setText(QStringLiteral("12,7"));
    count->Loaded();
    EXPECT_EQ(count->PlainText(), QStringLiteral("12"));
    count->setText(QStringLiteral("abc"));
    count->Loaded();
    EXPECT_EQ(count->PlainText(), QString());
}

TEST_F(KEditForm, ValueSetByProgramIsClampedAndCut) {
    TKEdit* amount = Field("EdCastka");
    amount->EditType = teFloat;
    amount->Number.ValueMax = 50;
    amount->Number.NumberCount = 0;
    amount->SetValue(75.5);
    EXPECT_DOUBLE_EQ(amount->Value(), 50);
    amount->SetValue(3.14159);
    EXPECT_EQ(amount->PlainText(), QStringLiteral("3.14"));
    amount->EditType = teInteger;
    amount->SetValue(2.6);
    EXPECT_EQ(amount->PlainText(), QStringLiteral("3"));
}

TEST_F(KEditForm, ZeroSelectedForOverwriteWithCursorZeroOver) {
    TKEdit* count = Field("EdCislo");
    count->EditType = teInteger;
    count->Number.CursorZeroOver = true;
    count->setText(QStringLiteral("0"));
    Load();
    Enter(count);
    EXPECT_EQ(count->selectedText(), QStringLiteral("0"));
    Type(count, QStringLiteral("7"));
    EXPECT_EQ(count->text(), QStringLiteral("7"));
}

TEST(KEditNumbers, NormaliseNumber) {
    EXPECT_EQ(kedit::NormaliseNumber(QStringLiteral("007,5"), 2, 2), QStringLiteral("7.50"));
    EXPECT_EQ(kedit::NormaliseNumber(QStringLiteral(".5"), 2, 2), QStringLiteral("0.50"));
    EXPECT_EQ(kedit::NormaliseNumber(QStringLiteral("-0.00"), 2, 2), QStringLiteral("0.00"));
    EXPECT_EQ(kedit::NormaliseNumber(QStringLiteral("-12.999"), 0, 0), QStringLiteral("-12"));
    EXPECT_EQ(kedit::NormaliseNumber(QStringLiteral("3"), 1, 3), QStringLiteral("3.000"));
    EXPECT_EQ(kedit::NormaliseNumber(QStringLiteral("-"), 2, 2), QString());
    EXPECT_EQ(kedit::PlainNumber(0.29, 2), QStringLiteral("0.29"));
    EXPECT_EQ(kedit::PlainNumber(-0.001, 2), QStringLiteral("0"));
    EXPECT_EQ(kedit::GroupDigits(QStringLiteral("-1234567.5"), 3), QStringLiteral("-1 234 567.5"));
    EXPECT_EQ(kedit::GroupDigits(QStringLiteral("123"), 3), QStringLiteral("123"));
}

}  // namespace
