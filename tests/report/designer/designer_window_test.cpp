// The designer window on a real report: opening, selection rules, drags and
// resizes on the surface, insertion, undo and redo, the clipboard, delete
// questions, align to the grid, keyboard moves, band heights, saving.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "report/designer/design_properties.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;
using designer_test::ListLines;

namespace {

// Presses at an element-relative pixel, drags to another and releases.
void Drag(TSesPrvek& element, QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
    element.Press(from, mods, false);
    element.MoveMouse(to, mods);
    element.Release(to, mods);
}

TElementBox BoxOf(TSesPrvek& e) {
    return e.Box();
}

}  // namespace

// ---- opening -----------------------------------------------------------------------------------

TEST(DesignerOpen, BandsAndElementsOfTheTemplate) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    EXPECT_EQ(w.Paper()->DisplayedBands().size(), 2u);  // Z and T visible
    EXPECT_EQ(f.Band(0).Elements().size(), 2u);
    EXPECT_EQ(f.Band(2).Elements().size(), 2u);
    EXPECT_EQ(f.Band(0).y(), 0);
    EXPECT_EQ(f.Band(0).height(), 40 + 16);
    EXPECT_EQ(f.Band(2).y(), 56);
    EXPECT_EQ(w.Paper()->height(), 56 + 46 + 1);
    EXPECT_EQ(w.Paper()->width(), 726);
    EXPECT_EQ(f.Element(2, 0).geometry(), QRect(16, 8, 400, 20));
    EXPECT_EQ(f.Element(2, 0).toolTip(), QStringLiteral("Položka Registrované jméno"));
    EXPECT_TRUE(w.CaptionText().startsWith(
        QStringLiteral("Oprava předlohy tiskové sestavy - Seznam psů (")));
    EXPECT_TRUE(w.CaptionText().endsWith(QStringLiteral("seznam.pts)")));
    EXPECT_FALSE(w.Modified());
    EXPECT_FALSE(w.Action(QStringLiteral("ActionUndo"))->isEnabled());
    EXPECT_EQ(w.Action(QStringLiteral("ActionUndo"))->toolTip(), QStringLiteral("Zrušit změny"));
    // The field elements show the first record.
    EXPECT_EQ(f.Element(2, 0).Element().value.text, QStringLiteral("Arko z Lesní paseky"));
}

TEST(DesignerOpen, ZoomRelaysBandsAndElements) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.SetZoomLevel(9);  // 200 %
    EXPECT_EQ(f.Band(0).height(), 80 + 16);
    EXPECT_EQ(f.Element(2, 0).geometry(), QRect(32, 16, 800, 40));
    EXPECT_EQ(w.Paper()->width(), 1452);
    w.SetZoomLevel(0);
    EXPECT_DOUBLE_EQ(w.Paper()->Zoom(), 0.32);
}

TEST(DesignerOpen, TheWriteStateOfAnUnchangedTemplateIsTheTemplate) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    EXPECT_EQ(w.WriteState().Lines(), ListLines());
}

// ---- selection ---------------------------------------------------------------------------------

TEST(DesignerSelection, FocusMarkUnmarkAndClear) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& a = f.Element(2, 0);
    TSesPrvek& b = f.Element(2, 1);
    a.Press(QPoint(50, 10), {}, false);
    a.Release(QPoint(50, 10), {});
    EXPECT_EQ(w.FocusedElement(), &a);
    EXPECT_TRUE(a.Focused());
    EXPECT_FALSE(a.Marked());
    EXPECT_EQ(w.MarkedCount(), 1);

    b.Press(QPoint(5, 5), Qt::ControlModifier, false);
    EXPECT_EQ(w.MarkedCount(), 2);
    EXPECT_TRUE(a.Marked());
    EXPECT_TRUE(b.Marked());
    EXPECT_EQ(w.FocusedElement(), &a);

    // Ctrl on the focused element unmarks it; the other one is left alone.
    a.Press(QPoint(5, 5), Qt::ControlModifier, false);
    EXPECT_EQ(w.FocusedElement(), &b);
    EXPECT_EQ(w.MarkedCount(), 1);
    EXPECT_FALSE(b.Marked());
    EXPECT_FALSE(a.Focused());

    // A plain press on an empty band area clears the selection.
    f.Band(2).Press(QPoint(700, 2), {}, false);
    f.Band(2).Release(QPoint(700, 2), {});
    EXPECT_EQ(w.FocusedElement(), nullptr);
    EXPECT_EQ(w.MarkedCount(), 0);
    EXPECT_FALSE(b.Focused());
}

TEST(DesignerSelection, FocusingAnUnmarkedElementClearsTheMarks) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& a = f.Element(2, 0);
    TSesPrvek& b = f.Element(2, 1);
    TSesPrvek& title = f.Element(0, 0);
    w.FocusElement(&a);
    w.MarkElement(&b);
    w.FocusElement(&title);
    EXPECT_FALSE(a.Marked());
    EXPECT_FALSE(b.Marked());
    EXPECT_EQ(w.MarkedCount(), 1);
    EXPECT_EQ(w.FocusedElement(), &title);
}

TEST(DesignerSelection, RubberBandMarksTheElementsItTouches) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TOddil& body = f.Band(2);
    body.Press(QPoint(2, 2), {}, false);
    body.MoveMouse(QPoint(500, 25), {});
    body.Release(QPoint(500, 25), {});
    EXPECT_EQ(w.MarkedCount(), 2);
    EXPECT_TRUE(f.Element(2, 0).Marked());
    EXPECT_TRUE(f.Element(2, 1).Marked());
    // An empty area selects nothing.
    body.Press(QPoint(640, 29), {}, false);
    body.Release(QPoint(700, 29), {});
    EXPECT_EQ(w.MarkedCount(), 0);
}

TEST(DesignerSelection, ShiftPressOnAnElementAddsARubberBand) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.FocusElement(&f.Element(2, 0));
    TSesPrvek& b = f.Element(2, 1);
    b.Press(QPoint(3, 3), Qt::ShiftModifier, false);
    f.Band(2).Release(b.pos() + QPoint(10, 10), Qt::ShiftModifier);
    EXPECT_EQ(w.MarkedCount(), 2);
    EXPECT_TRUE(b.Marked());
}

// ---- drags -------------------------------------------------------------------------------------

TEST(DesignerDrag, MoveWithSnapMovesBySnappedSteps) {
    DesignerFixture f;  // grid 8, snapping on
    TFormSestE& w = f.Open();
    TSesPrvek& e = f.Element(2, 0);
    e.Element().left = 13;
    e.Relay();
    Drag(e, QPoint(100, 10), QPoint(110, 10));
    EXPECT_EQ(BoxOf(e), (TElementBox{21, 8, 400, 20}));
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("posun prvku"));
    EXPECT_EQ(w.Action(QStringLiteral("ActionUndo"))->toolTip(),
              QStringLiteral("Zrušit posun prvku"));
}

TEST(DesignerDrag, MoveWithoutSnapAndResizeByHandles) {
    DesignerFixture f([] {
        QStringList lines = ListLines();
        lines[9] = QStringLiteral("I,6,0,8,8,0,1,1,0");
        lines[5] = QStringLiteral("I,3,2,1,60,0");
        return lines;
    }());
    TFormSestE& w = f.Open();
    TSesPrvek& e = f.Element(2, 1);  // 424, 8, 200 x 20
    Drag(e, QPoint(50, 10), QPoint(55, 13));
    EXPECT_EQ(BoxOf(e), (TElementBox{429, 11, 200, 20}));
    // Bottom-right handle.
    Drag(e, QPoint(199, 19), QPoint(209, 22));
    EXPECT_EQ(BoxOf(e), (TElementBox{429, 11, 210, 23}));
    // Left middle handle: the right edge stays.
    Drag(e, QPoint(1, 11), QPoint(-9, 11));
    EXPECT_EQ(BoxOf(e), (TElementBox{419, 11, 220, 23}));
    // Top middle handle past the bottom: 3 high, the bottom edge stays.
    Drag(e, QPoint(110, 1), QPoint(110, 60));
    EXPECT_EQ(BoxOf(e), (TElementBox{419, 31, 220, 3}));
    EXPECT_EQ(w.History().Count(), 5);
    // The property panel shows the new size.
    EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("EditHeight"))->text(), QStringLiteral("3"));
}

TEST(DesignerDrag, AnElementCannotLeaveItsBandUnlessAllowed) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& e = f.Element(2, 0);
    Drag(e, QPoint(10, 10), QPoint(10, -50));
    EXPECT_EQ(BoxOf(e).top, 0);
    w.Settings().posunMimo = true;
    Drag(e, QPoint(10, 10), QPoint(10, -30));
    EXPECT_LT(BoxOf(e).top, 0);
}

TEST(DesignerDrag, MarkedElementsMoveTogether) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& a = f.Element(2, 0);
    TSesPrvek& b = f.Element(2, 1);
    w.FocusElement(&a);
    w.MarkElement(&b);
    Drag(a, QPoint(100, 10), QPoint(84, 10));
    EXPECT_EQ(BoxOf(a).left, 0);
    EXPECT_EQ(BoxOf(b).left, 408);
}

TEST(DesignerDrag, UndoAndRedoRestoreTheGeometry) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    Drag(f.Element(2, 0), QPoint(100, 10), QPoint(132, 10));
    EXPECT_EQ(BoxOf(f.Element(2, 0)).left, 48);
    w.Undo();
    EXPECT_EQ(BoxOf(f.Element(2, 0)).left, 16);
    EXPECT_FALSE(w.Action(QStringLiteral("ActionUndo"))->isEnabled());
    EXPECT_EQ(w.Action(QStringLiteral("ActionRedo"))->toolTip(),
              QStringLiteral("Znovu posun prvku"));
    w.Redo();
    EXPECT_EQ(BoxOf(f.Element(2, 0)).left, 48);
    EXPECT_FALSE(w.Action(QStringLiteral("ActionRedo"))->isEnabled());
}

// ---- bands -------------------------------------------------------------------------------------

TEST(DesignerBands, HeightDragSnapsAndRecordsAStep) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TOddil& header = f.Band(0);
    header.Press(QPoint(100, 45), {}, false);  // in the bar
    header.MoveMouse(QPoint(100, 66), {});
    header.Release(QPoint(100, 66), {});
    EXPECT_EQ(header.BandHeight(), 64);  // 40 + 21, snapped to 8
    EXPECT_EQ(header.height(), 80);
    EXPECT_EQ(f.Band(2).y(), 80);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("změna výšky oddílu"));
    EXPECT_TRUE(w.WriteState().Lines().contains(QStringLiteral("I,3,0,1,64,0")));
    header.Press(QPoint(100, 75), {}, false);
    header.MoveMouse(QPoint(100, -200), {});
    header.Release(QPoint(100, -200), {});
    EXPECT_EQ(header.BandHeight(), 16);  // at least 14, on the grid
}

// ---- insertion ---------------------------------------------------------------------------------

TEST(DesignerInsert, AToolInsertsAtTheSnappedPointAndReturnsToSelection) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.SetTool(tcGrText);
    f.Band(2).Press(QPoint(101, 3), {}, false);
    ASSERT_EQ(f.Band(2).Elements().size(), 3u);
    TSesPrvek& added = *f.Band(2).Elements().back();
    EXPECT_EQ(added.Element().FormatElement(QStringLiteral("T")),
              QStringLiteral("T,1,0,104,0,200,20,Arial,10,0,0,0,0,1,\"\",0,0,0,\"\",0,\"\""));
    EXPECT_EQ(w.FocusedElement(), &added);
    EXPECT_EQ(w.ActiveToolCode(), tcSelect);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("vložení prvku"));
}

TEST(DesignerInsert, CtrlKeepsTheToolAndStepsTheChooser) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.SetTool(tcDb);
    w.SetChooserIndex(0);
    f.Band(2).Press(QPoint(0, 0), Qt::ControlModifier, false);
    f.Band(2).Press(QPoint(0, 16), Qt::ControlModifier, false);
    EXPECT_EQ(w.ActiveToolCode(), tcDb);
    ASSERT_EQ(f.Band(2).Elements().size(), 4u);
    EXPECT_EQ(f.Band(2).Elements()[2]->Element().source, 0);
    EXPECT_EQ(f.Band(2).Elements()[3]->Element().source, 1);
    EXPECT_EQ(f.Band(2).Elements()[3]->toolTip(), QStringLiteral("Položka Jméno volací"));
}

TEST(DesignerInsert, FieldsFollowTheirNameWithSledPodle) {
    DesignerFixture f;
    f.Setting(QStringLiteral("EditorSestav"), QStringLiteral("SledPodle"), QStringLiteral("1"));
    TFormSestE& w = f.Open();
    w.SetTool(tcDb);
    w.SetChooserIndex(1);
    f.Band(0).Press(QPoint(500, 0), {}, false);
    const QString line = f.Band(0).Elements().back()->Element().FormatElement(QStringLiteral("Z"));
    EXPECT_TRUE(line.startsWith(QStringLiteral("Z,2,Jmeno_call,496,0,"))) << line.toStdString();
    EXPECT_EQ(w.FocusedElement()->Element().source, 1);
}

// ---- clipboard ---------------------------------------------------------------------------------

TEST(DesignerClipboardWindow, CopyTwoAndPasteKeepsTheirOffsets) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& a = f.Element(2, 0);  // 16, 8
    TSesPrvek& b = f.Element(2, 1);  // 424, 8
    w.FocusElement(&b);
    w.MarkElement(&a);
    w.Copy();
    const QString text = ReadClipboardText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("LumexEditor\r\n424\r\n8\r\n1\r\nX,2,")));
    EXPECT_TRUE(w.Action(QStringLiteral("ActionPaste"))->isEnabled());
    w.StartPaste();
    EXPECT_EQ(w.ActiveTool(), tcPaste);
    f.Band(0).Press(QPoint(104, 16), {}, false);
    ASSERT_EQ(f.Band(0).Elements().size(), 4u);
    TSesPrvek& pastedA = *f.Band(0).Elements()[2];
    TSesPrvek& pastedB = *f.Band(0).Elements()[3];
    EXPECT_EQ(BoxOf(pastedB).left, 104);
    EXPECT_EQ(BoxOf(pastedB).top, 16);
    EXPECT_EQ(BoxOf(pastedA).left, 104 - 408);
    EXPECT_EQ(BoxOf(pastedA).top, 16);
    EXPECT_EQ(w.FocusedElement(), &pastedB);
    EXPECT_TRUE(pastedA.Marked());
    EXPECT_TRUE(pastedB.Marked());
    EXPECT_FALSE(w.PasteMode());
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("vložení z úschovy"));
}

TEST(DesignerClipboardWindow, PasteFromAnotherWindowsClipboard) {
    DesignerFixture source;
    TFormSestE& from = source.Open();
    from.FocusElement(&source.Element(0, 0));
    from.Copy();
    DesignerFixture target;
    TFormSestE& to = target.Open();
    to.StartPaste();
    target.Band(2).Press(QPoint(8, 0), {}, false);
    ASSERT_EQ(target.Band(2).Elements().size(), 3u);
    TSesPrvek& pasted = *target.Band(2).Elements().back();
    EXPECT_EQ(pasted.Element().text, QStringLiteral("Seznam psů"));
    EXPECT_EQ(BoxOf(pasted), (TElementBox{8, 0, 400, 24}));
    EXPECT_EQ(to.FocusedElement(), &pasted);
    EXPECT_FALSE(pasted.Marked());
}

TEST(DesignerClipboardWindow, ForeignClipboardTextUsesTheLastCopyOrNothing) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    WriteClipboardText(QStringLiteral("Nákup: granule, obojek"));
    w.StartPaste();
    f.Band(2).Press(QPoint(0, 0), {}, false);
    EXPECT_EQ(f.Band(2).Elements().size(), 2u);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("vložení z úschovy"));
    w.FocusElement(&f.Element(0, 1));
    w.Copy();
    WriteClipboardText(QStringLiteral("cizí text\n1\n2\n3\n4"));
    w.StartPaste();
    f.Band(2).Press(QPoint(0, 16), {}, false);
    ASSERT_EQ(f.Band(2).Elements().size(), 3u);
    EXPECT_EQ(f.Band(2).Elements().back()->Element().kind, ekLine);
}

TEST(DesignerClipboardWindow, CutRemovesAndRecords) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.FocusElement(&f.Element(2, 0));
    w.Cut();
    EXPECT_EQ(f.Band(2).Elements().size(), 1u);
    EXPECT_EQ(w.FocusedElement(), nullptr);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("vystřižení do úschovy"));
    EXPECT_EQ(w.WriteState().Count(), ListLines().size() - 1);
}

TEST(DesignerClipboardWindow, SecondPasteCommandEndsPasteMode) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.StartPaste();
    EXPECT_TRUE(w.PasteMode());
    w.StartPaste();
    EXPECT_FALSE(w.PasteMode());
    EXPECT_EQ(w.ActiveTool(), tcSelect);
}

// ---- delete ------------------------------------------------------------------------------------

TEST(DesignerDelete, OneElementWithoutQuestionByDefault) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.FocusElement(&f.Element(2, 0));
    w.DeleteSelected();
    EXPECT_TRUE(f.messages.Shown().empty());
    EXPECT_EQ(f.Band(2).Elements().size(), 1u);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("zrušení prvku"));
}

TEST(DesignerDelete, SeveralElementsAskByDefaultAndNoKeepsThem) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.FocusElement(&f.Element(2, 0));
    w.MarkElement(&f.Element(2, 1));
    f.messages.Answer(platform::mbNo);
    w.DeleteSelected();
    ASSERT_EQ(f.messages.Shown().size(), 1u);
    EXPECT_EQ(f.messages.Shown()[0].text, QStringLiteral("Smazat všechny vybrané prvky?"));
    EXPECT_EQ(f.messages.Shown()[0].caption, QStringLiteral("Potvrzení"));
    EXPECT_EQ(f.Band(2).Elements().size(), 2u);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("zrušení prvku"));
    f.messages.Answer(platform::mbYes);
    w.DeleteSelected();
    EXPECT_TRUE(f.Band(2).Elements().empty());
}

TEST(DesignerDelete, OneElementAsksWithMazaniJedne) {
    DesignerFixture f;
    f.Setting(QStringLiteral("EditorSestav"), QStringLiteral("MazaniJedne"), QStringLiteral("1"));
    f.Setting(QStringLiteral("EditorSestav"), QStringLiteral("MazaniVice"), QStringLiteral("0"));
    TFormSestE& w = f.Open();
    w.FocusElement(&f.Element(2, 0));
    f.messages.Answer(platform::mbYes);
    QTest::keyClick(&w, Qt::Key_Delete);
    ASSERT_EQ(f.messages.Shown().size(), 1u);
    EXPECT_EQ(f.messages.Shown()[0].text, QStringLiteral("Smazat vybraný prvek?"));
    EXPECT_EQ(f.Band(2).Elements().size(), 1u);
    w.FocusElement(&f.Element(0, 0));
    w.MarkElement(&f.Element(0, 1));
    w.DeleteSelected();
    EXPECT_EQ(f.messages.Shown().size(), 1u);  // no question for several
    EXPECT_TRUE(f.Band(0).Elements().empty());
}

// ---- grid and keyboard -------------------------------------------------------------------------

TEST(DesignerGrid, AlignSelectedAndAll) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    f.Element(2, 0).SetBox({13, 5, 50, 18});
    f.Element(2, 1).SetBox({421, 3, 1, 1});
    w.FocusElement(&f.Element(2, 0));
    w.AlignSelectedToGrid();
    EXPECT_EQ(BoxOf(f.Element(2, 0)), (TElementBox{16, 8, 48, 16}));
    EXPECT_EQ(BoxOf(f.Element(2, 1)), (TElementBox{421, 3, 1, 1}));
    w.AlignAllToGrid();
    EXPECT_EQ(BoxOf(f.Element(2, 1)), (TElementBox{424, 0, 3, 3}));
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("posun prvku"));
}

TEST(DesignerKeyboard, ArrowsMoveByGridStepOrHundredthAndResize) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.show();
    w.FocusElement(&f.Element(2, 0));  // 16, 8, 400 x 20
    QTest::keyClick(&w, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(BoxOf(f.Element(2, 0)), (TElementBox{24, 8, 400, 20}));
    QTest::keyClick(&w, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(BoxOf(f.Element(2, 0)), (TElementBox{23, 8, 400, 20}));
    QTest::keyClick(&w, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(BoxOf(f.Element(2, 0)), (TElementBox{23, 8, 400, 21}));
    QTest::keyClick(&w, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(BoxOf(f.Element(2, 0)), (TElementBox{23, 0, 400, 21}));
    EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("EditLeft"))->text(), QStringLiteral("23"));
    EXPECT_EQ(w.History().Count(), 5);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(BoxOf(f.Element(2, 0)), (TElementBox{23, 8, 400, 21}));
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(BoxOf(f.Element(2, 0)).top, 0);
}

TEST(DesignerKeyboard, GridStepInMillimetresTruncates) {
    QStringList lines = ListLines();
    lines[8] = QStringLiteral("I,5,1");  // raster 8 in 0,1 mm: a step of 3.1496
    DesignerFixture f(lines);
    TFormSestE& w = f.Open();
    w.FocusElement(&f.Element(2, 0));
    w.KeyboardStep(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(BoxOf(f.Element(2, 0)).left, 19);
}

// ---- property panel ----------------------------------------------------------------------------

TEST(DesignerProperties, LengthsInTheUnitAndEnterAppliesThem) {
    QStringList lines = ListLines();
    lines[8] = QStringLiteral("I,5,1");
    DesignerFixture f(lines);
    TFormSestE& w = f.Open();
    w.FocusElement(&f.Element(2, 0));
    auto* width = w.findChild<QLineEdit*>(QStringLiteral("EditWidth"));
    EXPECT_EQ(width->text(), QStringLiteral("1016"));  // 400 hundredths in 0,1 mm
    width->setText(QStringLiteral("254"));
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(BoxOf(f.Element(2, 0)).width, 100);
    width->setText(QStringLiteral("nesmysl"));
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(BoxOf(f.Element(2, 0)).width, 100);
    EXPECT_EQ(width->text(), QStringLiteral("254"));
}

TEST(DesignerProperties, TextAlignmentAndFrameOfATextElement) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& title = f.Element(0, 0);
    w.FocusElement(&title);
    auto* text = w.findChild<QLineEdit*>(QStringLiteral("EditText"));
    EXPECT_FALSE(text->isReadOnly());
    EXPECT_EQ(text->text(), QStringLiteral("Seznam psů"));
    text->selectAll();
    QTest::keyClicks(text, QStringLiteral("Psi"));
    EXPECT_EQ(title.Element().text, QStringLiteral("Psi"));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("změna textu"));
    w.findChild<QToolButton*>(QStringLiteral("BtnVpravo"))->click();
    EXPECT_EQ(title.Element().alignment, eaRight);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("změna zarovnávání"));
    w.findChild<QToolButton*>(QStringLiteral("BtnRamB"))->click();
    EXPECT_EQ(title.Element().frameFlags, ffBottom);
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("nastavení prvku"));
    // A field element shows its descriptive name, read-only.
    w.FocusElement(&f.Element(2, 0));
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->text(), QStringLiteral("Položka Registrované jméno"));
}

TEST(DesignerProperties, LineColourWidthAndSegments) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& rule = f.Element(0, 1);
    w.FocusElement(&rule);
    auto* panel = w.findChild<QWidget*>(QStringLiteral("PanelCara"));
    EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("PanelText"))->isHidden());
    auto* colour = w.findChild<QComboBox*>(QStringLiteral("ComboBarvaCary"));
    EXPECT_EQ(colour->count(), 16);
    EXPECT_EQ(colour->itemText(12), QStringLiteral("modrá"));
    colour->setCurrentIndex(9);
    emit colour->activated(9);
    EXPECT_EQ(rule.Element().penColor, 255);  // "červená"
    w.findChild<QSpinBox*>(QStringLiteral("SpinSirkaCary"))->setValue(3);
    EXPECT_EQ(rule.Element().penWidth, 3);
    w.findChild<QToolButton*>(QStringLiteral("BtnCaraUp"))->click();
    EXPECT_EQ(rule.Element().frameFlags, ffBottom | ffLineDiagonalUp);
}

TEST(DesignerProperties, FrontAndBackReorderTheBand) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek* first = &f.Element(2, 0);
    w.FocusElement(first);
    w.BringToFront();
    EXPECT_EQ(f.Band(2).Elements().back(), first);
    EXPECT_EQ(f.report.Oddily().Fixed(2)[1].sourceName, QStringLiteral("Jmeno_registr"));
    w.SendToBack();
    EXPECT_EQ(f.Band(2).Elements().front(), first);
}

// ---- units and coordinates ---------------------------------------------------------------------

TEST(DesignerUnits, CoordinatesInTheUnit) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.ShowMouse(100, 50);
    EXPECT_EQ(w.CoordinatesText(), QStringLiteral("[ 1.00; 0.50] inch"));
    w.SetUnit(1);
    w.ShowMouse(100, 50);
    EXPECT_EQ(w.CoordinatesText(), QStringLiteral("[ 2.54; 1.27] cm"));
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("změna měrných jednotek"));
    EXPECT_TRUE(w.WriteState().Lines().contains(QStringLiteral("I,5,1")));
    w.SetUnit(3);
    w.ShowMouse(100, 50);
    EXPECT_EQ(w.CoordinatesText(), QStringLiteral("[   72;   36] point"));
    w.ShowMouse(-1, -1);
    EXPECT_TRUE(w.CoordinatesText().isEmpty());
    w.MouseOverBand(2);
    EXPECT_EQ(w.MouseBandText(), QStringLiteral("Tělo sestavy"));
}
