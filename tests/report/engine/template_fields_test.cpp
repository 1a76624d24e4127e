// Reading and writing single fields of template records.

#include <gtest/gtest.h>

#include <QStringList>
#include <limits>

#include "report/model/template_fields.h"

namespace {

QStringList AllFields(const QString& line, int count) {
    TemplateFieldReader reader(line);
    QStringList fields;
    for (int index = 0; index < count; ++index) {
        fields.append(reader.NextField());
    }
    return fields;
}

TEST(TemplateFieldReader, QuotedFieldUndoublesQuotesAndEndsAtSingleQuote) {
    EXPECT_EQ(AllFields(R"("a""b",x)", 2), (QStringList{R"(a"b)", "x"}));
    // Text after the closing quote still belongs to the field up to the comma.
    EXPECT_EQ(AllFields(R"("ab"cd,x)", 2), (QStringList{"abcd", "x"}));
    // A quote after the closing quote is an ordinary character.
    EXPECT_EQ(AllFields(R"("ab"c"d,x)", 2), (QStringList{R"(abc"d)", "x"}));
    // Commas inside quotes do not end the field.
    EXPECT_EQ(AllFields(R"("a,b",c)", 2), (QStringList{"a,b", "c"}));
    // An unterminated quote runs to the end of the line.
    EXPECT_EQ(AllFields(R"("a,b)", 2), (QStringList{"a,b", ""}));
    EXPECT_EQ(AllFields(R"("")", 1), QStringList{""});
    EXPECT_EQ(AllFields(R"("""")", 1), QStringList{R"(")"});
}

TEST(TemplateFieldReader, UnquotedFieldKeepsInnerQuotesAndEndsAtComma) {
    EXPECT_EQ(AllFields(R"(a"b,c)", 2), (QStringList{R"(a"b)", "c"}));
    EXPECT_EQ(AllFields(" a b ,c", 2), (QStringList{" a b ", "c"}));
}

TEST(TemplateFieldReader, MissingFieldsReadEmptyAndSurplusIsLeft) {
    EXPECT_EQ(AllFields("a,,b,", 6), (QStringList{"a", "", "b", "", "", ""}));
    EXPECT_EQ(AllFields("", 2), (QStringList{"", ""}));
    TemplateFieldReader reader(u"1,2,3,4");
    EXPECT_EQ(reader.NextInt(), 1);
    reader.SkipField();
    EXPECT_EQ(reader.Rest(), u"3,4");
}

TEST(TemplateFieldReader, SkipFieldHonoursQuotes) {
    TemplateFieldReader reader(uR"("a,b",c)");
    reader.SkipField();
    EXPECT_EQ(reader.NextField(), "c");
}

TEST(TemplateFieldReader, IntegersTakeTheirDefaultWhenInvalid) {
    TemplateFieldReader reader(
        uR"(12,-7,+3, 5,5 ,x,,99999999999,-2147483648,2147483648,"42",0x10)");
    EXPECT_EQ(reader.NextInt(9), 12);
    EXPECT_EQ(reader.NextInt(9), -7);
    EXPECT_EQ(reader.NextInt(9), 3);
    EXPECT_EQ(reader.NextInt(9), 5);  // leading blanks are allowed
    EXPECT_EQ(reader.NextInt(9), 9);  // trailing ones are not
    EXPECT_EQ(reader.NextInt(9), 9);
    EXPECT_EQ(reader.NextInt(9), 9);  // empty
    EXPECT_EQ(reader.NextInt(9), 9);  // beyond 32 bits
    EXPECT_EQ(reader.NextInt(9), std::numeric_limits<int>::min());
    EXPECT_EQ(reader.NextInt(9), 9);
    EXPECT_EQ(reader.NextInt(9), 42);  // a quoted number is still a number
    EXPECT_EQ(reader.NextInt(9), 9);   // decimal only
    EXPECT_EQ(reader.NextInt(9), 9);   // past the end
}

TEST(TemplateFieldReader, FlagsAreAnyNonZeroValue) {
    TemplateFieldReader reader(u"0,1,-1,7,x,");
    EXPECT_FALSE(reader.NextFlag());
    EXPECT_TRUE(reader.NextFlag());
    EXPECT_TRUE(reader.NextFlag());
    EXPECT_TRUE(reader.NextFlag());
    EXPECT_FALSE(reader.NextFlag());
    EXPECT_FALSE(reader.NextFlag());
}

TEST(TemplateFieldReader, OptionalIntegersTellMissingFromZero) {
    TemplateFieldReader reader(u"0,,x");
    EXPECT_EQ(reader.NextOptionalInt(), 0);
    EXPECT_EQ(reader.NextOptionalInt(), std::nullopt);
    EXPECT_EQ(reader.NextOptionalInt(), std::nullopt);
    EXPECT_EQ(reader.NextOptionalInt(), std::nullopt);
}

TEST(TemplateRecordCode, IsTheFirstField) {
    EXPECT_EQ(TemplateRecordCode(u"S12,1,2"), "S12");
    EXPECT_EQ(TemplateRecordCode(u"T"), "T");
    EXPECT_EQ(TemplateRecordCode(uR"("T",1)"), "T");
}

TEST(TemplateFieldWriting, QuotedFieldsReadBackExactly) {
    for (const QString& text :
         {QString(), QStringLiteral("plain"), QStringLiteral(R"(a"b)"), QStringLiteral(R"("""")"),
          QStringLiteral("a,b"), QStringLiteral(R"(IIF(#1 = "x", 'a,b', ""))"),
          QStringLiteral("Žluťoučký kůň")}) {
        const QString line = QuotedField(text) + QStringLiteral(",next");
        TemplateFieldReader reader(line);
        EXPECT_EQ(reader.NextField(), text);
        EXPECT_EQ(reader.NextField(), "next");
    }
    EXPECT_EQ(QuotedField(R"(a"b)"), R"("a""b")");
}

TEST(TemplateFieldWriting, BareFieldsStayBareUnlessTheyWouldBreak) {
    EXPECT_EQ(BareField("Funkce1"), "Funkce1");
    EXPECT_EQ(BareField(R"(a"b)"), R"(a"b)");  // an inner quote reads back as it is
    for (const QString& text : {QStringLiteral("a,b"), QStringLiteral(R"("ab)"),
                                QStringLiteral(R"(",")"), QStringLiteral("pes.jpg")}) {
        const QString line = BareField(text) + QStringLiteral(",next");
        TemplateFieldReader reader(line);
        EXPECT_EQ(reader.NextField(), text) << text.toStdString();
        EXPECT_EQ(reader.NextField(), "next");
    }
}

TEST(TemplateFieldWriting, LineBreaksNeverSplitARecord) {
    EXPECT_EQ(QuotedField("a\r\nb\nc\rd"), R"("a b c d")");
    EXPECT_FALSE(BareField("a\nb").contains(u'\n'));
}

TEST(TemplateColors, TableIndexesAndIntegers) {
    EXPECT_EQ(TemplateColorToRgb(0), 0);
    EXPECT_EQ(TemplateColorToRgb(9), 255);           // červená
    EXPECT_EQ(TemplateColorToRgb(12), 255 * 65536);  // modrá
    EXPECT_EQ(TemplateColorToRgb(8), 192 + 192 * 256 + 192 * 65536);
    EXPECT_EQ(TemplateColorToRgb(15), 0xFFFFFF);  // bílá
    EXPECT_EQ(TemplateColorToRgb(16), 16);        // red 16, not a table entry
    EXPECT_EQ(TemplateColorToRgb(0x123456), 0x123456);
    EXPECT_EQ(TemplateColorToRgb(-5), 0);  // not a colour: black
    // Larger values are kept as read (and written back); drawing uses the colour bytes.
    EXPECT_EQ(TemplateColorToRgb(0x02000003), 0x02000003);
    EXPECT_EQ(RgbToTemplateColor(0x02000003), 0x02000003);
}

TEST(TemplateColors, WritingUsesTheTableWhereItCan) {
    for (int index = 0; index < kTemplateColorCount; ++index) {
        EXPECT_EQ(RgbToTemplateColor(TemplateColorTable(index)), index);
    }
    EXPECT_EQ(RgbToTemplateColor(16), 16);
    EXPECT_EQ(RgbToTemplateColor(0x123456), 0x123456);
}

}  // namespace
