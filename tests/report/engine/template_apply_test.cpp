// Applying whole templates to a report: settings records, reading order,
// groups, user functions, sections, details; and the canonical writer.

#include <gtest/gtest.h>

#include "tests/report/engine/template_test_layout.h"

namespace {

TEST(TemplateSettings, DescriptionOnlyWhenNotEmpty) {
    TestLayout layout;
    EXPECT_EQ(layout.Popis(), "Tisková úloha Lumex");
    layout.ApplyTemplate(Lines({R"(I,0,"Seznam ""zvířat""")"}));
    EXPECT_EQ(layout.Popis(), R"(Seznam "zvířat")");
    layout.ApplyTemplate(Lines({R"(I,0,"")"}));
    EXPECT_EQ(layout.Popis(), R"(Seznam "zvířat")");
}

TEST(TemplateSettings, VersionIsKeptFromThePreviousTemplateWhenMissing) {
    TestLayout layout;
    EXPECT_EQ(layout.TemplateVersion(), (TTemplateVersion{10, 52, 6}));
    layout.SetPredloha(Lines({"I,1,1,0,2"}));
    EXPECT_EQ(layout.TemplateVersion(), (TTemplateVersion{1, 0, 2}));
    layout.SetPredloha(Lines({"T,5,4,0,0,10,10"}));
    EXPECT_EQ(layout.TemplateVersion(), (TTemplateVersion{1, 0, 2}));
    EXPECT_EQ(layout.Oddily().Fixed(stBody)[0].source, 5);
}

TEST(TemplateSettings, PaperRecord) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({"I,2,3,850,1100,60,61,62,63,2,25,99"}));
    const TPageSettings& page = layout.Settings().page;
    EXPECT_EQ(page.orientation, 1);
    EXPECT_TRUE(page.orientationMayChange);
    EXPECT_EQ(page.paperWidth, 850);
    EXPECT_EQ(page.paperHeight, 1100);
    EXPECT_EQ(page.marginLeft, 60);
    EXPECT_EQ(page.marginRight, 61);
    EXPECT_EQ(page.marginTop, 62);
    EXPECT_EQ(page.marginBottom, 63);
    EXPECT_EQ(layout.Settings().printColumns, 2);
    EXPECT_EQ(layout.Settings().columnGap, 25);
    ASSERT_EQ(layout.pageSetups.size(), 1U);
    EXPECT_EQ(layout.pageSetups[0], page);

    layout.ApplyTemplate(Lines({"I,2,-4,826,1169,50,50,70,70"}));
    EXPECT_EQ(layout.Settings().page.orientation, 0);
    EXPECT_FALSE(layout.Settings().page.orientationMayChange);
    EXPECT_EQ(layout.Settings().printColumns, 1);  // default
    layout.ApplyTemplate(Lines({"I,2,2,826,1169,50,50,70,70,0"}));
    EXPECT_EQ(layout.Settings().page.orientation, 0);
    EXPECT_TRUE(layout.Settings().page.orientationMayChange);
    EXPECT_EQ(layout.Settings().printColumns, 1);  // no report prints in no column
}

TEST(TemplateSettings, VersionZeroPaperRecordHasNoPaperSize) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({"I,1,0,0,0", "I,2,1,50,50,40,40"}));
    const TPageSettings& page = layout.Settings().page;
    EXPECT_EQ(page.orientation, 1);
    EXPECT_EQ(page.paperWidth, 826);
    EXPECT_EQ(page.paperHeight, 1169);
    EXPECT_EQ(page.marginLeft, 50);
    EXPECT_EQ(page.marginRight, 50);
    EXPECT_EQ(page.marginTop, 40);
    EXPECT_EQ(page.marginBottom, 40);
}

TEST(TemplateSettings, DetailDiscardsThePaperButKeepsColumns) {
    TestLayout detail({}, true);
    detail.ApplyTemplate(Lines({"I,2,1,500,500,1,1,1,1,3,10"}));
    EXPECT_EQ(detail.Settings().page, TPageSettings{});
    EXPECT_TRUE(detail.pageSetups.empty());
    EXPECT_EQ(detail.Settings().printColumns, 3);
    EXPECT_EQ(detail.Settings().columnGap, 10);
}

TEST(TemplateSettings, FixedSectionsKeepTheirSettingsUntilAnI3Record) {
    TestLayout layout;
    EXPECT_FALSE(layout.Oddily().Fixed(stBody).visible);
    EXPECT_EQ(layout.Oddily().Fixed(stBody).height, 0);
    layout.SetPredloha(Lines({"I,3,2,1,40,1", "I,3,4,1,30,3", "I,3,5,1,99,1", "I,3,-1,1,99,1"}));
    EXPECT_TRUE(layout.Oddily().Fixed(stBody).visible);
    EXPECT_EQ(layout.Oddily().Fixed(stBody).height, 40);
    EXPECT_TRUE(layout.SectionFlag(stBody, sfBodyOnNewPage));
    EXPECT_TRUE(layout.SectionFlag(stPageFooter, sfNoPageFooterOnLastPage));
    EXPECT_TRUE(layout.SectionFlag(stPageFooter, sfPageFooterOnlyOnFirstPage));
    EXPECT_FALSE(layout.SectionFlag(stReportHeader, sfPageBreakAfterReportHeader));
    EXPECT_EQ(layout.Oddily().Count(), kFixedSectionCount);
    layout.SetPredloha(Lines({R"(I,0,"jiná")"}));
    EXPECT_TRUE(layout.Oddily().Fixed(stBody).visible);
    EXPECT_EQ(layout.Oddily().Fixed(stBody).height, 40);
    layout.SetPredloha(Lines({"I,3,2,0,12"}));
    EXPECT_FALSE(layout.Oddily().Fixed(stBody).visible);
    EXPECT_EQ(layout.Oddily().Fixed(stBody).flags, 0);
}

TEST(TemplateSettings, LaterRecordsOfTheSameNumberWin) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({"I,5,1", R"(I,0,"a")", "I,5,3", R"(I,0,"b")"}));
    EXPECT_EQ(layout.Settings().unit, duPoint);
    EXPECT_EQ(layout.Popis(), "b");
}

TEST(TemplateSettings, CharacterModeRaster) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({"I,6,1,0,0,2,2"}));
    const TRasterSettings& raster = layout.Settings().raster;
    EXPECT_TRUE(raster.CharacterMode());
    EXPECT_FLOAT_EQ(raster.cellWidth, 6.0F);
    EXPECT_FLOAT_EQ(raster.cellHeight, 33.3333321F);
    EXPECT_EQ(raster.rasterX, 6);
    EXPECT_EQ(raster.rasterY, 33);
    EXPECT_FALSE(raster.showRasterGiven);

    layout.ApplyTemplate(Lines({"I,6,1,8,8,0,1,1,0"}));
    EXPECT_FLOAT_EQ(layout.Settings().raster.cellWidth, 8.33333302F);
    EXPECT_FLOAT_EQ(layout.Settings().raster.cellHeight, 16.6666660F);
    EXPECT_EQ(layout.Settings().raster.rasterX, 8);
    EXPECT_EQ(layout.Settings().raster.rasterY, 16);
    layout.ApplyTemplate(Lines({"I,6,1,8,8,1,0"}));
    EXPECT_EQ(layout.Settings().raster.rasterX, 10);
    EXPECT_EQ(layout.Settings().raster.rasterY, 25);
    layout.ApplyTemplate(Lines({"I,6,1,8,8,7,7"}));
    EXPECT_EQ(layout.Settings().raster.cellWidth, 0.0F);
    EXPECT_EQ(layout.Settings().raster.rasterX, 0);
}

TEST(TemplateSettings, GraphicRaster) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({"I,6,3,0,-5,1,2,1,1"}));
    const TRasterSettings& raster = layout.Settings().raster;
    EXPECT_FALSE(raster.CharacterMode());
    EXPECT_EQ(raster.rasterType, 0);
    EXPECT_EQ(raster.rasterX, 8);
    EXPECT_EQ(raster.rasterY, 8);
    EXPECT_EQ(raster.cellWidth, 0.0F);
    EXPECT_TRUE(raster.showRaster);
    EXPECT_TRUE(raster.snapToRaster);
    EXPECT_TRUE(raster.rasterXGiven);
    EXPECT_TRUE(raster.snapToRasterGiven);
    layout.ApplyTemplate(Lines({"I,6,0,12"}));
    EXPECT_EQ(layout.Settings().raster.rasterX, 12);
    EXPECT_EQ(layout.Settings().raster.rasterY, 8);
    EXPECT_EQ(layout.Settings().raster.pitch, 1);
    EXPECT_FALSE(layout.Settings().raster.rasterYGiven);
}

TEST(TemplateSettings, Background) {
    TestLayout layout;
    layout.ApplyTemplate(
        Lines({"I,2,1,826,1169,50,50,70,70", "I,7,1,1,1,10,20,0,0,pozadí, verze 2.jpg"}));
    const TBackgroundSettings& background = layout.Settings().background;
    EXPECT_TRUE(background.ownBackground);
    EXPECT_TRUE(background.printBackground);
    EXPECT_TRUE(background.placed);
    EXPECT_EQ(background.fileName, "pozadí, verze 2.jpg");  // the rest of the line
    EXPECT_EQ(background.width, 0);
    EXPECT_EQ(background.rect, QRect(10, 20, 1169, 826));  // landscape paper
    layout.ApplyTemplate(Lines({R"(I,7,0,0,0,0,0,300,200,"a""b.jpg")"}));
    EXPECT_EQ(layout.Settings().background.fileName, R"(a"b.jpg)");
    EXPECT_EQ(layout.Settings().background.rect, QRect(0, 0, 300, 200));
    layout.ApplyTemplate(Lines({"I,7,0,1"}));
    EXPECT_TRUE(layout.Settings().background.fileName.isEmpty());
}

TEST(TemplateSettings, ShortAndUnknownRecordsAreIgnored) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({"I", "I,8,1,2", "I,-1", "F", "X,1,2", "", "i,0,\"x\""}));
    EXPECT_EQ(layout.Popis(), "Tisková úloha Lumex");
    EXPECT_EQ(layout.Funkce().Count(), 0);
    EXPECT_EQ(layout.Skupiny().Count(), 0);
}

TEST(TemplateGroups, GroupRecordsAppendGroupsWithTheirSections) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({R"(I,4,0,"Plemeno",1,24,0,30,1)", R"(I,4,1,"3",0,10,1,12,0)"}));
    ASSERT_EQ(layout.Skupiny().Count(), 2);
    const TPolSkup& first = layout.Skupiny()[0];
    EXPECT_EQ(first.expression, "#Plemeno");
    EXPECT_EQ(first.Name(), "Skupina 1");
    EXPECT_TRUE(first.newPage);
    EXPECT_EQ(first.header->type, 5);
    EXPECT_TRUE(first.header->visible);
    EXPECT_EQ(first.header->height, 24);
    EXPECT_EQ(first.footer->type, 6);
    EXPECT_FALSE(first.footer->visible);
    EXPECT_EQ(first.footer->height, 30);
    EXPECT_EQ(first.lastKey, "");
    EXPECT_EQ(first.rowInGroup, 1);
    EXPECT_EQ(first.groupNumber, 1);
    const TPolSkup& second = layout.Skupiny()[1];
    EXPECT_EQ(second.expression, "#4");
    EXPECT_EQ(second.header->type, 7);
    EXPECT_EQ(second.footer->type, 8);
    EXPECT_EQ(second.Name(), "Skupina 2");
    ASSERT_EQ(layout.Oddily().Count(), 9);
    EXPECT_EQ(&layout.Oddily()[5], first.header);
    EXPECT_EQ(&layout.Oddily()[6], first.footer);
    EXPECT_EQ(&layout.Oddily()[7], second.header);
}

TEST(TemplateGroups, ExpressionNormalisation) {
    EXPECT_EQ(NormaliseGroupExpression("Plemeno"), "#Plemeno");
    EXPECT_EQ(NormaliseGroupExpression("_x$1"), "#_x$1");
    EXPECT_EQ(NormaliseGroupExpression("3"), "#4");
    EXPECT_EQ(NormaliseGroupExpression("0"), "#1");
    EXPECT_EQ(NormaliseGroupExpression("UPPER(#1)"), "UPPER(#1)");
    EXPECT_EQ(NormaliseGroupExpression("#Plemeno"), "#Plemeno");
    EXPECT_EQ(NormaliseGroupExpression("$x"), "$x");
    EXPECT_EQ(NormaliseGroupExpression("Plemeno psa"), "Plemeno psa");
    EXPECT_EQ(NormaliseGroupExpression("Čip"), "Čip");  // not A-Z
    EXPECT_EQ(NormaliseGroupExpression(""), "");
    EXPECT_EQ(NormaliseGroupExpression("99999999999"), "99999999999");
    // Normalising twice changes nothing, so written templates read the same.
    for (const QString& text : QStringList{"Plemeno", "3", "UPPER(#1)", "_a"}) {
        EXPECT_EQ(NormaliseGroupExpression(NormaliseGroupExpression(text)),
                  NormaliseGroupExpression(text));
    }
}

TEST(TemplateGroups, HugeOrNegativeGroupIndexesCannotClashWithFixedSections) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({R"(I,4,-3,"a",1,1,1,1,0)", R"(I,4,2147483647,"b",1,1,1,1,0)"}));
    ASSERT_EQ(layout.Skupiny().Count(), 2);
    EXPECT_EQ(layout.Skupiny()[0].header->type, 5);
    EXPECT_GT(layout.Skupiny()[1].footer->type, 5);
    EXPECT_FALSE(layout.Skupiny()[1].Name().isEmpty());
}

TEST(TemplateElements, ElementsGoToTheirSectionsInFileOrder) {
    TestLayout layout(KennelFields());
    layout.ApplyTemplate(Lines({
        R"(S0,1,0,1,0,10,10,Arial,10,0,0,0,0,238,"s0a")",
        R"(T,1,0,2,0,10,10,Arial,10,0,0,0,0,238,"t1")",
        R"(Z,1,0,3,0,10,10,Arial,10,0,0,0,0,238,"z")",
        R"(U0,1,0,4,0,10,10,Arial,10,0,0,0,0,238,"u0")",
        R"(S1,1,0,5,0,10,10,Arial,10,0,0,0,0,238,"ignored: one group")",
        R"(S01,1,0,5,0,10,10,Arial,10,0,0,0,0,238,"ignored: not the code")",
        R"(t,1,0,5,0,10,10,Arial,10,0,0,0,0,238,"ignored: case")",
        R"(T,1,0,6,0,10,10,Arial,10,0,0,0,0,238,"t2")",
        R"(S0,1,0,7,0,10,10,Arial,10,0,0,0,0,238,"s0b")",
        R"(H,1,0,8,0,10,10,Arial,10,0,0,0,0,238,"h")",
        R"(P,1,0,9,0,10,10,Arial,10,0,0,0,0,238,"p")",
        R"(I,4,0,"Plemeno",1,24,1,24,0)",
    }));
    const TListOddilu& sections = layout.Oddily();
    ASSERT_EQ(sections.Fixed(stBody).Count(), 2);
    EXPECT_EQ(sections.Fixed(stBody)[0].text, "t1");
    EXPECT_EQ(sections.Fixed(stBody)[1].text, "t2");
    EXPECT_EQ(sections.Fixed(stBody)[1].section, &sections.Fixed(stBody));
    EXPECT_EQ(sections.Fixed(stReportHeader)[0].text, "z");
    EXPECT_EQ(sections.Fixed(stPageHeader).Count(), 1);
    EXPECT_EQ(sections.Fixed(stPageFooter).Count(), 1);
    const TPolSkup& group = layout.Skupiny()[0];
    ASSERT_EQ(group.header->Count(), 2);
    EXPECT_EQ((*group.header)[0].text, "s0a");
    EXPECT_EQ((*group.header)[1].text, "s0b");
    EXPECT_EQ((*group.footer)[0].text, "u0");
    int total = 0;
    for (int index = 0; index < sections.Count(); ++index) {
        total += sections[index].Count();
    }
    EXPECT_EQ(total, 8);
}

TEST(TemplateElements, DetailReportSkipsPageHeaderAndFooter) {
    TestLayout detail({}, true);
    detail.ApplyTemplate(Lines({"H,7,0,0,0,10,0", "P,7,0,0,0,10,0", "T,7,0,0,0,10,0"}));
    EXPECT_EQ(detail.Oddily().Fixed(stPageHeader).Count(), 0);
    EXPECT_EQ(detail.Oddily().Fixed(stPageFooter).Count(), 0);
    EXPECT_EQ(detail.Oddily().Fixed(stBody).Count(), 1);
}

TEST(TemplateElements, VersionAndFunctionsApplyWhereverTheirRecordsStand) {
    TestLayout layout(KennelFields());
    layout.ApplyTemplate(Lines({
        "T,5,4,0,0,10,10,Arial,10,0,0,0,0,238",
        "T,6,Soucet,0,0,10,10,Arial,10,0,0,0,0,238",
        R"(F,0,Pocet,"",0,"0",0,"1",2,15,0,2)",
        R"(F,1,soucet,"",0,"0",0,"#9",2,15,2,2)",
        "I,1,1,2,2",
    }));
    const TOddilSestavy& body = layout.Oddily().Fixed(stBody);
    EXPECT_EQ(body[0].source, 5);
    EXPECT_EQ(body[1].source, 1);
    EXPECT_EQ(body[1].sourceName, "Soucet");
}

TEST(TemplateFunctions, FunctionRecordsReplaceTheFunctionList) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({R"(F,0,Stara,"",0,"0",0,"1",0,15,2,2)"}));
    layout.ApplyTemplate(Lines({
        R"(F,7,Vaha,"Průměrná ""váha""",0,"0",2,"#Vaha",3,12,1,3)",
        R"(F,0,Jmena,"Jména",1,"",1,"UPPER(#1) + ""x""",0,0,0,9)",
        R"(F,1,Kratka)",
        R"(F,2,Zaporna,"",0,"",0,"",0,0,0,-1)",
    }));
    ASSERT_EQ(layout.Funkce().Count(), 4);
    const TRadekFunkce& vaha = layout.Funkce()[0];
    EXPECT_EQ(vaha.name, "Vaha");
    EXPECT_EQ(vaha.description, R"(Průměrná "váha")");
    EXPECT_EQ(vaha.resultType, ftNumber);
    EXPECT_EQ(vaha.initialValue, "0");
    EXPECT_EQ(vaha.resetLevel, 2);
    EXPECT_EQ(vaha.expression, "#Vaha");
    EXPECT_EQ(vaha.aggregation, agAverage);
    EXPECT_EQ(vaha.precision, 12);
    EXPECT_EQ(vaha.digits, 1);
    EXPECT_EQ(vaha.numberFormat, 3);
    const TRadekFunkce& jmena = layout.Funkce()[1];
    EXPECT_EQ(jmena.resultType, ftText);
    EXPECT_EQ(jmena.expression, R"(UPPER(#1) + "x")");
    EXPECT_EQ(jmena.numberFormat, 2);  // above 4
    const TRadekFunkce& kratka = layout.Funkce()[2];
    EXPECT_EQ(kratka.initialValue, "");
    EXPECT_EQ(kratka.precision, 0);
    EXPECT_EQ(kratka.digits, 0);
    EXPECT_EQ(kratka.numberFormat, 2);
    EXPECT_EQ(layout.Funkce()[3].numberFormat, 2);
    EXPECT_EQ(layout.Funkce().FindFunction("stara"), -1);
}

TEST(TemplateDetails, DetailLinesBecomeTheDetailsTemplates) {
    TestLayout master(KennelFields());
    TestLayout first({}, true);
    TestLayout second({}, true);
    master.Detaily().Add(&first);
    master.Detaily().Add(&second);
    master.ApplyTemplate(Lines({
        "T,15,0,0,0,500,100",
        "D0,T,2,1,0,0,10,10",
        "D1,I,1,10,52,6",
        "D0,T,7,0,0,0,100,0",
        "D2,T,7,0,0,0,100,0",
        "D1,D0,T,7,0,0,0,1,0",
        "D00,T,7,0,0,0,100,0",
    }));
    EXPECT_EQ(first.Predloha().Lines(), (QStringList{"T,2,1,0,0,10,10", "T,7,0,0,0,100,0"}));
    EXPECT_EQ(first.Oddily().Fixed(stBody).Count(), 2);
    EXPECT_EQ(second.Predloha().Lines(), (QStringList{"I,1,10,52,6", "D0,T,7,0,0,0,1,0"}));
    EXPECT_EQ(master.Oddily().Fixed(stBody).Count(), 1);
    EXPECT_EQ(master.Oddily().Fixed(stBody)[0].kind, ekDetail);

    // A new master template without D lines empties the details.
    master.SetPredloha(Lines({"T,7,0,0,0,100,0"}));
    EXPECT_TRUE(first.Predloha().IsEmpty());
    EXPECT_EQ(first.Oddily().Fixed(stBody).Count(), 0);
}

TEST(TemplateDetails, AReportAttachedBelowItselfIsSkipped) {
    TestLayout layout;
    layout.Detaily().Add(&layout);
    layout.ApplyTemplate(Lines({"D0,T,7,0,0,0,1,0", "T,7,0,0,0,1,0"}));
    EXPECT_EQ(layout.Oddily().Fixed(stBody).Count(), 1);
}

TEST(TemplateClearing, SettingATemplateReplacesTheLayout) {
    TestLayout layout;
    layout.SetPredloha(Lines({R"(I,4,0,"a",1,1,1,1,0)", "T,7,0,0,0,1,0", "S0,7,0,0,0,1,0"}));
    EXPECT_EQ(layout.Skupiny().Count(), 1);
    layout.SetPredloha(Lines({"T,8,0,0,0,1,1"}));
    EXPECT_EQ(layout.Skupiny().Count(), 0);
    EXPECT_EQ(layout.Oddily().Count(), kFixedSectionCount);
    ASSERT_EQ(layout.Oddily().Fixed(stBody).Count(), 1);
    EXPECT_EQ(layout.Oddily().Fixed(stBody)[0].kind, ekFrame);
    EXPECT_EQ(layout.Predloha().Lines(), QStringList{"T,8,0,0,0,1,1"});
    // Applying without clearing adds to the layout.
    layout.ApplyTemplate(layout.Predloha());
    EXPECT_EQ(layout.Oddily().Fixed(stBody).Count(), 2);

    TPredloha copy = layout.Predloha();
    layout.ClearTemplate(copy);
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(layout.Oddily().Fixed(stBody).Count(), 0);
}

TEST(TemplateClearing, SettingTheSameTemplateAgainKeepsIt) {
    TestLayout layout;
    layout.SetPredloha(Lines({"T,8,0,0,0,1,1"}));
    layout.SetPredloha(layout.Predloha());
    EXPECT_EQ(layout.Oddily().Fixed(stBody).Count(), 1);
    EXPECT_EQ(layout.Predloha().Count(), 1);
}

TEST(TemplateWriter, CanonicalOrderAndFields) {
    TestLayout layout(KennelFields());
    TestLayout detail({}, true);
    layout.Detaily().Add(&detail);
    layout.ApplyTemplate(Lines({
        "D0,T,7,0,0,0,100,0",
        R"(S0,1,0,0,0,10,10,Arial,10,0,0,0,0,238,"s")",
        R"(T,2,Lek,0,0,100,20,Arial,10,0,0,0,0,238)",
        R"(Z,1,0,0,0,100,20,Arial,14,0,1,2,0,238,"Seznam")",
        R"(F,0,Pocet,"Počet",0,"0",0,"1",1,15,0,2)",
        "I,7,0,0,0,0,0,0,0,",
        "I,6,0,8,8,0,1,1,1",
        "I,5,1",
        R"(I,4,0,"Plemeno",1,24,0,24,0)",
        "I,3,2,1,20,0",
        "I,2,0,826,1169,50,50,70,70,1,0",
        "I,1,10,52,6",
        R"(I,0,"Léky")",
    }));
    const QStringList expected = {
        R"(I,0,"Léky")",
        "I,1,10,52,6",
        "I,2,0,826,1169,50,50,70,70,1,0",
        "I,3,0,0,0,0",
        "I,3,1,0,0,0",
        "I,3,2,1,20,0",
        "I,3,3,0,0,0",
        "I,3,4,0,0,0",
        R"(I,4,0,"#Plemeno",1,24,0,24,0)",
        "I,5,1",
        "I,6,0,8,8,0,1,1,1",
        "I,7,0,0,0,0,0,0,0,",
        R"(F,0,Pocet,"Počet",0,"0",0,"1",1,15,0,2)",
        R"(Z,1,0,0,0,100,20,Arial,14,0,1,2,0,238,"Seznam",0,0,0,"",0,"")",
        R"(T,2,Lek,0,0,100,20,Arial,10,0,0,0,0,238,"Lek",0,0,0,"",0,"")",
        R"(S0,1,0,0,0,10,10,Arial,10,0,0,0,0,238,"s",0,0,0,"",0,"")",
        "D0,T,7,0,0,0,100,0",
    };
    EXPECT_EQ(layout.WriteTemplate().Lines(), expected);
}

TEST(TemplateWriter, OldVersionsAreWrittenAsTheCurrentOne) {
    TestLayout layout;
    layout.ApplyTemplate(Lines({"I,1,1,0,2", "T,5,4,0,0,10,10,Arial,10,0,0,0,0,238"}));
    const TPredloha written = layout.WriteTemplate();
    EXPECT_TRUE(written.Lines().contains("I,1,10,52,6"));
    TestLayout again;
    again.ApplyTemplate(written);
    EXPECT_EQ(again.Oddily().Fixed(stBody)[0].source, 5);
}

TEST(TemplateWriter, MendsQuotesAndCommasInEveryTextAndName) {
    TestLayout layout;
    layout.SetPopis(R"(Seznam "A, B")");
    layout.AddGroup(0, R"(IIF(#1 = "x", 'a', 'b'))", true, 24, true, 24, false);
    TRadekFunkce function;
    function.name = "Moje, \"funkce\"";
    function.description = R"(popis "1")";
    function.initialValue = R"(")";
    function.expression = R"(#1 + "a,b")";
    layout.Funkce().Add(function);
    layout.Settings().background.fileName = R"(obrázky, "nové"\pes.jpg)";
    auto element = std::make_unique<TLumexReportElement>(&layout);
    element->condition = R"(#1 <> "")";
    element->ident = R"("x")";
    layout.Oddily().Fixed(stBody).Add(std::move(element));

    const TPredloha written = layout.WriteTemplate();
    TestLayout back;
    back.ApplyTemplate(written);
    EXPECT_EQ(back.Popis(), layout.Popis());
    EXPECT_EQ(back.Skupiny()[0].expression, layout.Skupiny()[0].expression);
    EXPECT_EQ(back.Funkce()[0].name, function.name);
    EXPECT_EQ(back.Funkce()[0].description, function.description);
    EXPECT_EQ(back.Funkce()[0].initialValue, function.initialValue);
    EXPECT_EQ(back.Funkce()[0].expression, function.expression);
    EXPECT_EQ(back.Funkce()[0].precision, 15);
    EXPECT_EQ(back.Settings().background.fileName, layout.Settings().background.fileName);
    EXPECT_EQ(back.Oddily().Fixed(stBody)[0].condition, R"(#1 <> "")");
    EXPECT_EQ(back.Oddily().Fixed(stBody)[0].ident, R"("x")");
    EXPECT_EQ(back.WriteTemplate().Lines(), written.Lines());
}

TEST(TemplateSections, CodesOfSections) {
    TestLayout layout;
    layout.AddGroup(0, "#1", false, 24, false, 24, false);
    layout.AddGroup(5, "#2", false, 24, false, 24, false);
    EXPECT_EQ(layout.SectionForCode(u"K"), &layout.Oddily().Fixed(stReportFooter));
    EXPECT_EQ(layout.SectionForCode(u"U1"), layout.Skupiny()[1].footer);
    EXPECT_EQ(layout.SectionForCode(u"S2"), nullptr);
    EXPECT_EQ(layout.SectionForCode(u"X"), nullptr);
    EXPECT_EQ(layout.SectionForCode(u"S"), nullptr);
    EXPECT_EQ(layout.SectionForCode(u"S-1"), nullptr);
    EXPECT_EQ(layout.CodeOfSection(*layout.Skupiny()[1].header), "S1");
    EXPECT_EQ(layout.Skupiny()[1].header->type, 15);
    EXPECT_EQ(layout.CodeOfSection(layout.Oddily().Fixed(stPageFooter)), "P");
    layout.DeleteGroup(0);
    EXPECT_EQ(layout.Oddily().Count(), kFixedSectionCount + 2);
    EXPECT_EQ(layout.CodeOfSection(*layout.Skupiny()[0].header), "S0");
}

}  // namespace

#include "report/output/sestprn.h"

namespace {

// A report that keeps nothing of the paper itself: the paper record goes to
// the process-wide setup and the writer stores what that setup holds.
TEST(TemplateSettings, PaperGoesToTheProcessWidePaperSetup) {
    const TPaperSetup saved = PaperSetup();
    TSestavaLayout layout;
    layout.ApplyTemplate(Lines({"I,2,1,850,1100,10,11,12,13"}));
    EXPECT_EQ(PaperSetup().Orientation, 1);
    EXPECT_EQ(PaperSetup().PaperWidth, 850);
    EXPECT_EQ(PaperSetup().MarginBottom, 13);
    PaperSetup().MarginLeft = 99;  // as the page-setup dialog would
    EXPECT_TRUE(layout.WriteTemplate().Lines().contains("I,2,1,850,1100,99,11,12,13,1,0"));
    PaperSetup() = saved;
}

}  // namespace
