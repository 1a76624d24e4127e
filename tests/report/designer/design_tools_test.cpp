// The element records insertions create, per kind and tool, and the
// descriptive names of elements.

#include <gtest/gtest.h>

#include "report/designer/design_tools.h"
#include "report/engine/sestavad.h"
#include "report/model/lumex_element.h"

namespace {

TInsertion Resolve(int tool, const TInsertChoice& choice = {}, int designWidth = 726) {
    return ResolveInsertion(tool, choice, TDesignerSettings(), designWidth, 40);
}

}  // namespace

TEST(DesignInsertion, FieldWidthFollowsDisplayWidthAndFontSize) {
    TInsertChoice choice;
    choice.fieldDisplayWidth = 10;
    choice.fieldAlignment = 0x81;
    TInsertion what = Resolve(tcDb, choice);
    EXPECT_EQ(what.kind, ekField);
    EXPECT_EQ(what.width, 75);
    EXPECT_EQ(what.alignment, 1);
    EXPECT_EQ(Resolve(tcDb, choice, 100).width, 50);
    choice.fieldDisplayWidth = 0;
    EXPECT_EQ(Resolve(tcLb, choice).width, 3);
    EXPECT_EQ(Resolve(tcLb, choice).kind, ekFieldLabel);
}

TEST(DesignInsertion, VariablesAreNarrowerThanTheDefaultWidth) {
    EXPECT_EQ(Resolve(tcDate).width, 100);
    EXPECT_EQ(Resolve(tcTime).width, 100);
    EXPECT_EQ(Resolve(tcStr).width, 60);
    EXPECT_EQ(Resolve(tcStr).source, QStringLiteral("3"));
    EXPECT_EQ(Resolve(tcStr).alignment, 1);  // "ImplZarovnaniCi"
    TInsertChoice group;
    group.groupIndex = 1;
    EXPECT_EQ(Resolve(tcRadSk, group).source, QStringLiteral("7"));
    EXPECT_EQ(Resolve(tcSkCis, group).source, QStringLiteral("8"));
}

TEST(DesignInsertion, FieldsAndFunctionsByNameWithSledPodle) {
    TDesignerSettings s;
    s.sledPodle = true;
    TInsertChoice choice;
    choice.chooserIndex = 3;
    choice.sourceName = QStringLiteral("Plemeno");
    EXPECT_EQ(ResolveInsertion(tcDb, choice, s, 726, 0).source, QStringLiteral("Plemeno"));
    EXPECT_EQ(ResolveInsertion(tcDb, choice, TDesignerSettings(), 726, 0).source,
              QStringLiteral("3"));
    choice.functionIndex = 2;
    choice.sourceName = QStringLiteral("Soucet");
    choice.functionIsNumber = true;
    const TInsertion fn = ResolveInsertion(tcFn, choice, s, 726, 0);
    EXPECT_EQ(fn.source, QStringLiteral("Soucet"));
    EXPECT_EQ(fn.alignment, 1);
    EXPECT_EQ(fn.width, 200);
}

TEST(DesignInsertion, DetailsSpanTheDesignWidth) {
    TInsertChoice choice;
    choice.detailIndex = 1;
    const TInsertion what = Resolve(tcDetail, choice, 700);
    EXPECT_EQ(what.kind, ekDetail);
    EXPECT_EQ(what.left, 0);
    EXPECT_EQ(what.width, 700);
    EXPECT_EQ(what.source, QStringLiteral("1"));
}

TEST(DesignInsertion, TextRecordCarriesTheFontDefaults) {
    const TInsertion what = Resolve(tcGrText);
    EXPECT_EQ(InsertionRecord(QStringLiteral("T"), what, 16, TDesignerSettings()),
              QStringLiteral("T,1,0,40,16,200,20,Arial,10,0,0,0,0,1"));
}

TEST(DesignInsertion, ShapeRecordsCarryPenAndFill) {
    EXPECT_EQ(InsertionRecord(QStringLiteral("S0"), Resolve(tcGrCara), 8, TDesignerSettings()),
              QStringLiteral("S0,7,0,40,8,200,20,Arial,1,0,0,0,15,0"));
    EXPECT_EQ(InsertionRecord(QStringLiteral("Z"), Resolve(tcElip), 8, TDesignerSettings()),
              QStringLiteral("Z,10,0,40,8,200,20,Arial,1,0,0,0,15,0"));
    const TInsertion picture = Resolve(tcObr);
    EXPECT_EQ(picture.kind, ekPicture);
    EXPECT_EQ(picture.alignment, 0);
    EXPECT_EQ(Resolve(tcBarc).kind, ekBarcode);
    EXPECT_EQ(Resolve(tcPaintB).kind, ekPaintBox);
    EXPECT_EQ(Resolve(tcRoRect).kind, ekRoundFrame);
    EXPECT_EQ(Resolve(tcGrRect).kind, ekFrame);
}

TEST(DesignInsertion, RecordsReadBackAsTheElement) {
    TLumexReportElement element;
    element.ParseElement(
        InsertionRecord(QStringLiteral("T"), Resolve(tcGrRect), 24, TDesignerSettings()));
    EXPECT_EQ(element.kind, ekFrame);
    EXPECT_EQ(element.left, 40);
    EXPECT_EQ(element.top, 24);
    EXPECT_EQ(element.width, 200);
    EXPECT_EQ(element.height, 20);
    EXPECT_EQ(element.penWidth, 1);
    EXPECT_EQ(element.fillColor, kColorWhite);
}

TEST(DesignTools, EveryToolHasItsHintAndCode) {
    ASSERT_NE(FindTool(tcDate), nullptr);
    EXPECT_EQ(FindTool(tcDate)->hint, QStringLiteral("Datum tisku"));
    EXPECT_EQ(FindTool(tcDetail)->action, QStringLiteral("ActionDetail"));
    EXPECT_EQ(FindTool(tcBarc)->hint, QStringLiteral("Čárový kód"));
    EXPECT_EQ(DesignTools().size(), 21u);
    EXPECT_EQ(FindTool(12345), nullptr);
}

TEST(DesignNames, DescriptiveNamesPerKind) {
    TSestavaD report;
    report.SetFieldNames({QStringLiteral("Jmeno"), QStringLiteral("Plemeno")});
    report.SetFieldLabels({QStringLiteral("Jméno psa"), QStringLiteral("Plemeno psa")});
    TLumexReportElement e;
    e.kind = ekField;
    e.source = 1;
    // Fields are named by their labels (the columns' captions) in any case.
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Položka Plemeno psa"));
    EXPECT_EQ(ElementDescription(report, e, true), QStringLiteral("Položka Plemeno psa"));
    e.kind = ekFieldLabel;
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Popis položky Plemeno psa"));
    // A field without a label keeps its name.
    report.SetFieldLabels({QStringLiteral("Jméno psa"), QString()});
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Popis položky Plemeno"));
    e.kind = ekVariable;
    e.source = 7;
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Číslo řádku ve skupině 2"));
    e.source = 8;
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Číslo skupiny 2"));
    e.source = 3;
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Číslo strany"));
    e.kind = ekFunction;
    e.source = 4;
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Funkce 5  ???"));
    e.kind = ekDetail;
    e.source = 0;
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Detail 1: "));
    e.kind = 14;
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Neznamy"));
    e.kind = ekRoundFrame;
    EXPECT_EQ(ElementDescription(report, e, false), QStringLiteral("Zaoblený rámeček"));
}
