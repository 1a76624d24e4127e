#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "controls/K_Edit.h"
#include "controls/k_edit_mask.h"
#include "tests/support/seams.h"

using namespace kedit;

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kDate = QStringLiteral("!99.99.9999");
const QDateTime kNow(QDate(2026, 12, 9), QTime(14, 37, 21));

TEST(KEditMask, LayoutFillsAndCuts) {
    EXPECT_EQ(LayOutOnMask(QString(), kDate), QStringLiteral("__.__.____"));
    EXPECT_EQ(LayOutOnMask(QStringLiteral("05.03.2009xyz"), kDate), QStringLiteral("05.03.2009"));
    EXPECT_EQ(LayOutOnMask(QStringLiteral("5a"), QStringLiteral("99-99")), QStringLiteral("5_-__"));
    EXPECT_FALSE(MaskAcceptsDigits(QStringLiteral("00-00")));
}

TEST(KEditMask, OverwriteTypingSkipsLiterals) {
    MaskState state{LayOutOnMask(QString(), kDate), 0};
    state = TypeDigit(kDate, state, u'1', 0, 0);
    state = TypeDigit(kDate, state, u'2', 1, 0);
    EXPECT_EQ(state.text, QStringLiteral("12.__.____"));
    EXPECT_EQ(state.caret, 3);  // past the literal
    // A digit typed on a literal goes past it.
    state = TypeDigit(kDate, MaskState{state.text, 2}, u'7', 2, 0);
    EXPECT_EQ(state.text, QStringLiteral("12.7_.____"));
    EXPECT_EQ(state.caret, 4);
    // At the end nothing more fits.
    const MaskState full{QStringLiteral("12.07.2009"), 10};
    EXPECT_EQ(TypeDigit(kDate, full, u'5', 10, 0).text, full.text);
}

TEST(KEditMask, OverwriteBackspaceDeleteAndSelection) {
    MaskState state = Backspace(kDate, MaskState{QStringLiteral("12.07.2009"), 4}, 4, 0);
    EXPECT_EQ(state.text, QStringLiteral("12._7.2009"));
    EXPECT_EQ(state.caret, 3);
    state = Backspace(kDate, state, 3, 0);  // over the literal
    EXPECT_EQ(state.text, QStringLiteral("12._7.2009"));
    EXPECT_EQ(state.caret, 2);
    state = DeleteAtCaret(kDate, MaskState{QStringLiteral("12.07.2009"), 6}, 6, 0);
    EXPECT_EQ(state.text, QStringLiteral("12.07.009_"));
    EXPECT_EQ(state.caret, 6);
    state = TypeDigit(kDate, MaskState{QStringLiteral("12.07.2009"), 0}, u'3', 1, 4);
    EXPECT_EQ(state.text, QStringLiteral("13.__.2009"));
}

TEST(KEditMask, InsertModeShiftsAcrossLiterals) {
    const QString mask = QStringLiteral("99-99");
    MaskState state = TypeDigit(mask, MaskState{QStringLiteral("12-3_"), 0}, u'9', 0, 0);
    EXPECT_EQ(state.text, QStringLiteral("91-23"));
    EXPECT_EQ(state.caret, 1);
    state = Backspace(mask, MaskState{QStringLiteral("91-23"), 1}, 1, 0);
    EXPECT_EQ(state.text, QStringLiteral("12-3_"));
    state = DeleteAtCaret(mask, MaskState{QStringLiteral("12-3_"), 1}, 1, 0);
    EXPECT_EQ(state.text, QStringLiteral("13-__"));
}

TEST(KEditMask, DateRevision) {
    EXPECT_EQ(ReviseMask(QStringLiteral("5_.3_.09__"), kDate, moRevision, kNow),
              QStringLiteral("05.03.2009"));
    EXPECT_EQ(ReviseMask(QStringLiteral("__.__.____"), kDate, moRevision, kNow),
              QStringLiteral("01.01.2026"));
    EXPECT_EQ(ReviseMask(QStringLiteral("__.__.____"), kDate, moRevisionSys, kNow),
              QStringLiteral("09.12.2026"));
    EXPECT_EQ(ReviseMask(QStringLiteral("45.13.55__"), kDate, moRevision, kNow),
              QStringLiteral("05.03.1955"));
    EXPECT_EQ(ReviseMask(QStringLiteral("45.13.123_"), kDate, moRevisionSys, kNow),
              QStringLiteral("09.12.2026"));
    EXPECT_EQ(ReviseMask(QStringLiteral("00.00.15__"), kDate, moRevision, kNow),
              QStringLiteral("01.01.2015"));
    EXPECT_EQ(ReviseMask(QStringLiteral("__.__.____"), kDate, moSystem, kNow),
              QStringLiteral("09.12.2026"));
    EXPECT_EQ(ReviseMask(QStringLiteral("__.__.__"), QStringLiteral("!99.99.99"), moRevision, kNow),
              QStringLiteral("01.01.26"));
    EXPECT_EQ(ReviseMask(QStringLiteral("__.__.____"), kDate, moNone, kNow),
              QStringLiteral("__.__.____"));
    // Not a known mask: stays.
    EXPECT_EQ(ReviseMask(QStringLiteral("5_-__"), QStringLiteral("!99-99"), moRevision, kNow),
              QStringLiteral("5_-__"));
}

TEST(KEditMask, TimeRevision) {
    EXPECT_EQ(ReviseMask(QStringLiteral("10:20"), QStringLiteral("!99:15"), moRevision, kNow),
              QStringLiteral("10:__"));
    EXPECT_EQ(ReviseMask(QStringLiteral("9_:45"), QStringLiteral("!99:15"), moRevision, kNow),
              QStringLiteral("09:45"));
    EXPECT_EQ(ReviseMask(QStringLiteral("25:61:__"), QStringLiteral("!99:99:99"), moRevision, kNow),
              QStringLiteral("05:01:00"));
    EXPECT_EQ(
        ReviseMask(QStringLiteral("25:__:__"), QStringLiteral("!99:99:99"), moRevisionSys, kNow),
        QStringLiteral("14:37:21"));
    EXPECT_EQ(ReviseMask(QStringLiteral("__:__"), QStringLiteral("!99:99"), moSystem, kNow),
              QStringLiteral("14:37"));
}

TEST(KEditMask, FieldTypesDigitsAndRevisesOnLeaving) {
    testing_support::ScriptedMessages messages;
    testing_support::FixedClock clock(kNow);
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* date = new TKEdit(&form);
    date->setObjectName(QStringLiteral("EdDatum"));
    date->EditType = teMask;
    date->MaskEdit.Mask = kDate;
    date->Required = true;
    auto* next = new TKEdit(&form);
    next->setObjectName(QStringLiteral("EdDalsi"));
    layout->addWidget(date);
    layout->addWidget(next);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    TKEdit* field = form.findChild<TKEdit*>(QStringLiteral("EdDatum"));
    field->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(field->text(), QStringLiteral("__.__.____"));
    EXPECT_EQ(field->cursorPosition(), 0);

    // Nothing typed: the required check refuses the literals alone.
    QTest::keyClick(field, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Zadání položky je povinné !")});
    ASSERT_TRUE(field->hasFocus());

    field->MaskEdit.MaskOnExit = moRevision;
    field->setCursorPosition(0);
    QTest::keyClicks(field, QStringLiteral("5a."));
    EXPECT_EQ(field->text(), QStringLiteral("5_.__.____"));
    field->setCursorPosition(3);
    QTest::keyClicks(field, QStringLiteral("3"));
    field->setCursorPosition(6);
    QTest::keyClicks(field, QStringLiteral("09"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QStringLiteral("9"));
    QTest::keyClick(field, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(field->text(), QStringLiteral("05.03.2009"));
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(messages.Texts().join(QStringLiteral("|")),
              QStringLiteral("Zadání položky je povinné !"));
}

}  // namespace
