// Reading and writing single element records.

#include <gtest/gtest.h>

#include "tests/report/engine/template_test_layout.h"

namespace {

class ElementRecord : public ::testing::Test {
  protected:
    TLumexReportElement Parse(const char* line) {
        TLumexReportElement element(&layout);
        element.ParseElement(QString::fromUtf8(line));
        return element;
    }
    // Parses and formats again under the same section code.
    QString Reformat(const char* line) {
        return Parse(line).FormatElement(TemplateRecordCode(QString::fromUtf8(line)));
    }

    TestLayout layout{KennelFields()};
};

TEST_F(ElementRecord, StaticTextReadsEveryField) {
    const TLumexReportElement e = Parse(
        R"(T,1,0,10,20,300,40,Arial,12,9,3,0x,5,238,"Datum ""narození""",4,90,7,"#3 > 1",1,"id1")");
    EXPECT_EQ(e.kind, ekText);
    EXPECT_EQ(e.left, 10);
    EXPECT_EQ(e.top, 20);
    EXPECT_EQ(e.width, 300);
    EXPECT_EQ(e.height, 40);
    EXPECT_EQ(e.font.name, "Arial");
    EXPECT_EQ(e.font.size, 12);
    EXPECT_EQ(e.font.color, 255);  // table entry 9, červená
    EXPECT_EQ(e.font.style, fsBold | fsItalic);
    EXPECT_EQ(e.alignment, eaLeft);  // "0x" is not a number
    EXPECT_EQ(e.frameFlags, ffLeft | ffRight);
    EXPECT_EQ(e.font.charset, 238);
    EXPECT_EQ(e.text, R"(Datum "narození")");
    EXPECT_EQ(e.letterSpacing, 4);
    EXPECT_EQ(e.angle, 90);
    EXPECT_EQ(e.spare, 7);
    EXPECT_EQ(e.condition, "#3 > 1");
    EXPECT_TRUE(e.handler);
    EXPECT_EQ(e.ident, "id1");
    EXPECT_TRUE(e.printable);
}

TEST_F(ElementRecord, AlignmentByteSplitsIntoAlignmentAndFlags) {
    // 0x36: centre, bit 2 (dropped), multi-line, justify.
    TLumexReportElement e = Parse("T,1,0,0,0,10,10,Arial,10,0,0,54,0,238");
    EXPECT_EQ(e.alignment, eaCenter);
    EXPECT_EQ(e.textFlags, tfMultiline | tfJustify);
    EXPECT_EQ(e.EffectiveAlignment(), eaJustify);
    EXPECT_TRUE(e.Multiline());
    e = Parse("T,1,0,0,0,10,10,Arial,10,0,0,201,0,238");  // 0xC9
    EXPECT_EQ(e.alignment, eaRight);
    EXPECT_EQ(e.textFlags, tfRtf | tfVariableHeight | tfReserved);
    EXPECT_EQ(e.EffectiveAlignment(), eaRight);
    EXPECT_TRUE(e.VariableHeight());
    EXPECT_TRUE(e.RtfText());
}

TEST_F(ElementRecord, FontRuleStripsScriptSuffixOfFontsNotInstalled) {
    TLumexReportElement e = Parse("T,1,0,0,0,10,10,Times New Roman CE,10,0,0,0,0,0");
    EXPECT_EQ(e.font.name, "Times New Roman");
    EXPECT_EQ(e.font.charset, csEastEurope);
    e = Parse("T,1,0,0,0,10,10,Arial Greek,10,0,0,0,0,238");
    EXPECT_EQ(e.font.name, "Arial");
    EXPECT_EQ(e.font.charset, csGreek);
    e = Parse("T,1,0,0,0,10,10,Arial TUR,10,0,0,0,0,238");
    EXPECT_EQ(e.font.charset, csTurkish);
    e = Parse("T,1,0,0,0,10,10,Arial Baltic,10,0,0,0,0,238");
    EXPECT_EQ(e.font.charset, csBaltic);
    e = Parse("T,1,0,0,0,10,10,Courier New CYR,10,0,0,0,0,238");
    EXPECT_EQ(e.font.name, "Courier New");
    EXPECT_EQ(e.font.charset, csCyrillic);
    // " CE" is tested before " CYR".
    e = Parse("T,1,0,0,0,10,10,Foo CE CYR,10,0,0,0,0,0");
    EXPECT_EQ(e.font.name, "Foo");
    EXPECT_EQ(e.font.charset, csEastEurope);
}

TEST_F(ElementRecord, FontRuleKeepsInstalledNamesAndPlainNames) {
    layout.fonts.append("Times New Roman CE");
    TLumexReportElement e = Parse("T,1,0,0,0,10,10,Times New Roman CE,10,0,0,0,0,0");
    EXPECT_EQ(e.font.name, "Times New Roman CE");
    EXPECT_EQ(e.font.charset, 0);
    e = Parse("T,1,0,0,0,10,10,Verdana,10,0,0,0,0,161");
    EXPECT_EQ(e.font.name, "Verdana");
    EXPECT_EQ(e.font.charset, 161);
}

TEST_F(ElementRecord, FontSizeColourAndStyle) {
    TLumexReportElement e = Parse("T,1,0,0,0,10,10,Arial,-50,15,31,0,0,238");
    EXPECT_EQ(e.font.size, 36);
    EXPECT_EQ(e.font.color, 0xFFFFFF);
    EXPECT_EQ(e.font.style, 15);  // only the four style bits
    e = Parse("T,1,0,0,0,10,10,Arial,-2147483648,16,0,0,0,238");
    EXPECT_EQ(e.font.size, static_cast<int>(2147483648LL * 72 / 100));
    EXPECT_EQ(e.font.color, 16);
    const platform::Font font = Parse("T,1,0,0,0,10,10,Arial,11,12,5,0,0,238").font.CanvasFont();
    EXPECT_EQ(font.size, 11);
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    EXPECT_TRUE(font.underline);
    EXPECT_EQ(font.color, QColor(0, 0, 255));
}

TEST_F(ElementRecord, DataFieldSourceByNameOrNumber) {
    TLumexReportElement e = Parse(R"(T,2,lek,0,0,10,10,Arial,10,0,0,0,0,238,"ignored")");
    EXPECT_EQ(e.source, 3);  // "Lek", compared without regard to case
    EXPECT_EQ(e.sourceName, "lek");
    EXPECT_EQ(e.text, "lek");
    EXPECT_EQ(e.FormatElement("T").section(u',', 2, 2), "lek");

    e = Parse("T,3,Neexistuje,0,0,10,10,Arial,10,0,0,0,0,238");
    EXPECT_EQ(e.source, 0);
    EXPECT_EQ(e.sourceName, "Neexistuje");  // kept, so it is written back

    e = Parse(R"(T,2,5,0,0,10,10,Arial,10,0,0,0,0,238,"stale")");
    EXPECT_EQ(e.source, 5);
    EXPECT_TRUE(e.sourceName.isEmpty());
    EXPECT_TRUE(e.text.isEmpty());
    EXPECT_EQ(Parse("T,2,10,0,0,10,10").source, 0);  // beyond the ten fields
    EXPECT_EQ(Parse("T,3,-1,0,0,10,10").source, 0);  // not a digit: a name, not found
    EXPECT_EQ(Parse("T,2,x,0,0,10,10").sourceName, "x");
    EXPECT_EQ(Parse("T,2,9,0,0,10,10").source, 9);
}

TEST_F(ElementRecord, SourceNamesAreCutTo32Characters) {
    const TLumexReportElement e = Parse(
        "T,2,ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijkl,0,0,10,10,"
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijkl,10");
    EXPECT_EQ(e.sourceName, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef");
    EXPECT_EQ(e.font.name, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef");
}

TEST_F(ElementRecord, NamedSourceOfOtherKindsIsZero) {
    const TLumexReportElement e = Parse("T,4,Param,0,0,10,10,Arial,10,0,0,0,0,238");
    EXPECT_EQ(e.source, 0);
    EXPECT_EQ(e.FormatElement("T").section(u',', 2, 2), "0");
}

TEST_F(ElementRecord, VersionRuleShiftsOldVariableNumbers) {
    layout.ApplyTemplate(Lines({"I,1,1,0,2"}));
    EXPECT_EQ(Parse("T,5,4,0,0,10,10").source, 5);
    EXPECT_EQ(Parse("T,5,3,0,0,10,10").source, 3);
    EXPECT_EQ(Parse("T,6,4,0,0,10,10").source, 4);                    // only variables
    EXPECT_EQ(Parse("T,5,2147483647,0,0,10,10").source, 2147483647);  // no overflow
    layout.ApplyTemplate(Lines({"I,1,10,52,6"}));
    EXPECT_EQ(Parse("T,5,4,0,0,10,10").source, 4);
    layout.ApplyTemplate(Lines({"I,1,1,0,3"}));
    EXPECT_EQ(Parse("T,5,4,0,0,10,10").source, 4);
    layout.ApplyTemplate(Lines({"I,1,2,0,0"}));
    EXPECT_EQ(Parse("T,5,4,0,0,10,10").source, 4);
}

TEST_F(ElementRecord, VariableKeepsItsDisplayFormat) {
    const TLumexReportElement e = Parse(R"(P,5,3,0,0,100,20,Arial,8,0,0,1,0,238,"Strana %d")");
    EXPECT_EQ(e.source, vaPageNumber);
    EXPECT_EQ(e.text, "Strana %d");
    EXPECT_EQ(e.alignment, eaRight);
}

TEST_F(ElementRecord, LinePenStyleAndWidth) {
    TLumexReportElement e = Parse("T,7,0,0,0,100,0,,3,9,2,2,15,0");
    EXPECT_EQ(e.penWidth, 3);
    EXPECT_EQ(e.penStyle, psSolid);  // a line wider than 1 is solid
    EXPECT_EQ(e.penColor, 255);
    EXPECT_EQ(e.frameFlags, ffTop);
    e = Parse("T,7,0,0,0,100,0,,1,0,2,112");
    EXPECT_EQ(e.penStyle, psDot);
    EXPECT_EQ(e.frameFlags, ffLineDiagonalUp | ffLineDiagonalDown | ffLineEllipse);
    e = Parse("T,8,0,0,0,100,50,,-4,0,3,15,11,0");
    EXPECT_EQ(e.penWidth, 1);
    EXPECT_EQ(e.penStyle, psDashDot);
    EXPECT_EQ(e.fillColor, 0x00FFFF);  // žlutá
    EXPECT_EQ(e.source, ekFrame);
    EXPECT_EQ(Parse("T,8,0,0,0,100,50,,4,0,3").penStyle, psDashDot);  // frames keep the style
}

TEST_F(ElementRecord, GraphicDefaults) {
    const TLumexReportElement e = Parse("T,10,77,1,2,3,4");
    EXPECT_EQ(e.source, ekEllipse);
    EXPECT_EQ(e.penWidth, 1);
    EXPECT_EQ(e.penColor, 0);
    EXPECT_EQ(e.fillColor, 0xFFFFFF);
    EXPECT_EQ(e.scale, 0);
    EXPECT_TRUE(e.condition.isEmpty());
    EXPECT_FALSE(e.handler);
    EXPECT_EQ(Parse("T,9,0,0,0,1,1").source, ekRoundFrame);
}

TEST_F(ElementRecord, PictureKeepsItsListAndIsLoaded) {
    const TLumexReportElement e =
        Parse(R"(T,11,0,0,0,200,150,,1,0,0,48,15,0,"pes.jpg,#Foto",,,,"",0,"")");
    EXPECT_EQ(e.text, "pes.jpg,#Foto");
    EXPECT_EQ(e.frameFlags, ffPictureStretch | ffPictureKeepAspect);
    EXPECT_EQ(layout.picturesLoaded, QStringList{"pes.jpg,#Foto"});
}

TEST_F(ElementRecord, BarcodeFields) {
    const TLumexReportElement e =
        Parse(R"(T,12,0,0,0,300,100,,16,0,5,112,15,0,"#Cip",2,90,3,"#3>0",1,"kod")");
    EXPECT_EQ(e.penWidth, 16);  // narrowest bar in 1/600 inch
    EXPECT_EQ(e.penStyle, 5);   // barcode type
    EXPECT_EQ(e.frameFlags, ffBarcodeCheckDigit | ffBarcodeText | ffBarcodeGuards);
    EXPECT_EQ(e.text, "#Cip");
    EXPECT_EQ(e.letterSpacing, 2);
    EXPECT_EQ(e.angle, 90);
    EXPECT_EQ(e.spare, 3);
    EXPECT_EQ(e.condition, "#3>0");
    EXPECT_TRUE(e.handler);
    EXPECT_EQ(e.ident, "kod");
}

TEST_F(ElementRecord, PaintBoxScaleIsClamped) {
    EXPECT_EQ(Parse("T,13,2,0,0,10,10,,1,0,0,64,15,0").scale, 1);
    EXPECT_EQ(Parse("T,13,2,0,0,10,10,,1,0,0,64,15,-3").scale, 1);
    EXPECT_EQ(Parse("T,13,2,0,0,10,10,,1,0,0,64,15,4").scale, 4);
    const TLumexReportElement e = Parse("T,13,2,0,0,10,10,,1,0,0,64,15,9");
    EXPECT_EQ(e.scale, 6);
    EXPECT_EQ(e.source, 2);
    EXPECT_TRUE(e.VariableHeight());
}

TEST_F(ElementRecord, DetailPlacementHasSevenFields) {
    const TLumexReportElement e = Parse(R"(T,15,1,10,20,500,80,Arial,12,"x",1)");
    EXPECT_EQ(e.kind, ekDetail);
    EXPECT_EQ(e.source, 1);
    EXPECT_EQ(e.height, 80);
    EXPECT_TRUE(e.condition.isEmpty());
    EXPECT_EQ(e.FormatElement("T"), "T,15,1,10,20,500,80");
}

TEST_F(ElementRecord, UnknownKindsKeepPositionAndCondition) {
    const TLumexReportElement e =
        Parse(R"(T,14,3,1,2,3,4,Arial,99,99,99,99,99,99,"text",9,9,9,"#1>0",1,"u")");
    EXPECT_EQ(e.kind, 14);
    EXPECT_EQ(e.source, 3);
    EXPECT_EQ(e.width, 3);
    EXPECT_EQ(e.penWidth, 1);
    EXPECT_TRUE(e.text.isEmpty());
    EXPECT_EQ(e.condition, "#1>0");
    EXPECT_EQ(e.ident, "u");
    const QString written = e.FormatElement("T");
    EXPECT_EQ(written, R"(T,14,3,1,2,3,4,,1,0,0,0,15,0,,,,,"#1>0",1,"u")");
    EXPECT_EQ(Reformat(written.toUtf8().constData()), written);
}

TEST_F(ElementRecord, TextKindsWriteAllTwentyOneFields) {
    const char* line =
        R"(Z,1,0,10,20,300,40,Arial,12,9,3,16,5,238,"Seznam ""zvířat""",0,0,0,"",0,"")";
    EXPECT_EQ(Reformat(line), QString::fromUtf8(line));
    const TLumexReportElement e = Parse("T,2,Lek,0,0,10,10,Arial,10,0,0,0,0,238");
    EXPECT_EQ(e.FormatElement("S0"),
              R"(S0,2,Lek,0,0,10,10,Arial,10,0,0,0,0,238,"Lek",0,0,0,"",0,"")");
    // Colours that are table entries are written by index.
    TLumexReportElement colored(&layout);
    colored.kind = ekText;
    colored.font.color = 0x808080;
    EXPECT_EQ(colored.FormatElement("T").section(u',', 9, 9), "7");
    colored.font.color = 0x010203;
    EXPECT_EQ(colored.FormatElement("T").section(u',', 9, 9), QString::number(0x010203));
}

TEST_F(ElementRecord, GraphicKindsWriteTheirOwnFieldLayout) {
    EXPECT_EQ(Reformat("T,7,0,0,5,400,0,,2,7,0,2,15,0,,,,,\"\",0,\"\""),
              "T,7,0,0,5,400,0,,2,7,0,2,15,0,,,,,\"\",0,\"\"");
    EXPECT_EQ(Reformat(R"(T,12,0,0,0,300,100,,16,0,5,112,15,0,"#Cip",2,90,3,"",0,"")"),
              R"(T,12,0,0,0,300,100,,16,0,5,112,15,0,"#Cip",2,90,3,"",0,"")");
    // Fields 15 to 18 of frames are empty whatever the record held.
    EXPECT_EQ(Reformat(R"(H,8,0,0,0,100,50,,1,0,0,0,15,0,"x",1,2,3,"",0,"")"),
              R"(H,8,8,0,0,100,50,,1,0,0,0,15,0,,,,,"",0,"")");
}

TEST_F(ElementRecord, PictureFileIsStoredWithoutItsFolder) {
    TLumexReportElement e(&layout);
    e.kind = ekPicture;
    e.text = R"(C:\Obrazky\pes.jpg)";
    EXPECT_EQ(e.FormatElement("T").section(u',', 14, 14), R"("pes.jpg")");
    e.text = "/home/chovatel/obrazky/pes.jpg";
    EXPECT_EQ(e.FormatElement("T").section(u',', 14, 14), R"("pes.jpg")");
    e.text = "D:logo.bmp";
    EXPECT_EQ(e.FormatElement("T").section(u',', 14, 14), R"("logo.bmp")");
}

TEST_F(ElementRecord, ValueListsAndBarcodesAreStoredWhole) {
    // Cutting these at a colon or backslash would change what they say.
    TLumexReportElement e(&layout);
    e.kind = ekPicture;
    e.text = R"('C:\Obrazky\pes.jpg',#Foto)";
    TLumexReportElement back(&layout);
    back.ParseElement(e.FormatElement("T"));
    EXPECT_EQ(back.text, e.text);
    e.text = R"([IIF(#1 > 0, 'a\b.jpg', 'c.jpg')])";
    back.ParseElement(e.FormatElement("T"));
    EXPECT_EQ(back.text, e.text);
    e.kind = ekBarcode;
    e.text = "'12:30'";
    back.ParseElement(e.FormatElement("T"));
    EXPECT_EQ(back.text, "'12:30'");
}

TEST_F(ElementRecord, QuotedTextsSurviveWithQuotesAndCommas) {
    TLumexReportElement e(&layout);
    e.kind = ekText;
    e.text = R"(Řekl "ahoj", pak odešel)";
    e.condition = R"(#1 = "a,b")";
    e.ident = R"(id "1", 2)";
    e.font.name = "Weird, Font";
    TLumexReportElement back(&layout);
    back.ParseElement(e.FormatElement("T"));
    EXPECT_EQ(back.text, e.text);
    EXPECT_EQ(back.condition, e.condition);
    EXPECT_EQ(back.ident, e.ident);
    EXPECT_EQ(back.font.name, e.font.name);
    EXPECT_EQ(back.FormatElement("T"), e.FormatElement("T"));
}

TEST_F(ElementRecord, SourceNameWithCommaSurvives) {
    TestLayout odd({"a", "Cena, Kč", "b"});
    TLumexReportElement e(&odd);
    e.kind = ekField;
    e.sourceName = "Cena, Kč";
    e.text = e.sourceName;
    TLumexReportElement back(&odd);
    back.ParseElement(e.FormatElement("T"));
    EXPECT_EQ(back.sourceName, "Cena, Kč");
    EXPECT_EQ(back.source, 1);
    EXPECT_EQ(back.left, 0);
}

TEST_F(ElementRecord, KindNames) {
    EXPECT_EQ(ElementKindName(ekPaintBox), "Kreslicí plocha");
    EXPECT_EQ(ElementKindName(ekBarcode), "Čárový kód");
    EXPECT_EQ(ElementKindName(14), "Neznámý");
}

}  // namespace
