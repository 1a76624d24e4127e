// The built-in functions of the expression language.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "report/engine/expression.h"
#include "tests/report/engine/expr_test_provider.h"

namespace {

using namespace expr_test;

class ExprBuiltinsTest : public ::testing::Test, protected ProviderFixtureBase {
  protected:
    void SetUp() override {
        provider.fields = {
            {QStringLiteral("Text"), TextValue(QStringLiteral("  Alba \t"))},
            {QStringLiteral("Nic"), NullValue()},
            {QStringLiteral("NicText"), NullValue(ckText)},
        };
    }

    TCalcType Ok(const QString& text) {
        const TEvalResult r = Evaluate(text);
        EXPECT_EQ(r.error, 0) << text.toStdString() << " at " << r.position;
        const TEvalResult direct = EvaluateDirect(text);
        EXPECT_EQ(direct.value.text, r.value.text) << text.toStdString();
        return r.value;
    }
    double Number(const QString& text) {
        const TCalcType v = Ok(text);
        EXPECT_EQ(v.kind, ckNumber) << text.toStdString();
        return v.number;
    }
    QString Text(const QString& text) {
        const TCalcType v = Ok(text);
        EXPECT_EQ(v.kind, ckText) << text.toStdString();
        return v.text;
    }
    int Error(const QString& text) { return Evaluate(text).error; }
};

TEST_F(ExprBuiltinsTest, NumericFunctions) {
    EXPECT_EQ(Number("ABS(-2.5)"), 2.5);
    EXPECT_EQ(Number("INT(2.9)"), 2);
    EXPECT_EQ(Number("INT(-2.9)"), -2);  // towards zero
    EXPECT_EQ(Number("SGN(-0.1)"), -1);
    EXPECT_EQ(Number("SGN(0)"), 0);
    EXPECT_EQ(Number("SGN(7)"), 1);
    EXPECT_EQ(Number("MAX(1, 2)"), 2);
    EXPECT_EQ(Number("MAX(3, -2)"), 3);
    EXPECT_EQ(Number("MIN(1, 2)"), 1);
    EXPECT_EQ(Number("MIN(3, -2)"), -2);
    EXPECT_EQ(Number("ROUND(2.5)"), 2);  // halves to the even neighbour
    EXPECT_EQ(Number("ROUND(3.5)"), 4);
    EXPECT_EQ(Number("ROUND(-2.5)"), -2);
    EXPECT_EQ(Number("ROUND(2.51)"), 3);
    EXPECT_EQ(Ok("ABS(-3)").text, QStringLiteral("3"));
}

TEST_F(ExprBuiltinsTest, ExRoundRaisesOrLowersTheFraction) {
    EXPECT_DOUBLE_EQ(Number("EXROUND(2.3, 0.5)"), 2.5);
    EXPECT_DOUBLE_EQ(Number("EXROUND(2.3, -0.5)"), 2);
    EXPECT_DOUBLE_EQ(Number("EXROUND(2.75, 0.5)"), 3);
    EXPECT_DOUBLE_EQ(Number("EXROUND(2.5, 0.5)"), 2.5);
    EXPECT_DOUBLE_EQ(Number("EXROUND(2.3, 0)"), 2.3);
    EXPECT_DOUBLE_EQ(Number("EXROUND(2.3, 0.25)"), 2.5);
    EXPECT_DOUBLE_EQ(Number("EXROUND(2.8, -0.25)"), 2.75);
    // A step so small that counting it would take ages is taken in one jump.
    EXPECT_NEAR(Number("EXROUND(2.5, 1E-12)"), 2.5, 1e-9);
    EXPECT_NEAR(Number("EXROUND(2.5, -1E-12)"), 2.5, 1e-9);
}

TEST_F(ExprBuiltinsTest, Iif) {
    const TCalcType a = Ok("IIF(1, 'ano', 'ne')");
    EXPECT_EQ(a.text, QStringLiteral("ano"));
    EXPECT_EQ(a.kind, ckText);
    const TCalcType b = Ok("IIF(0, 'ano', 5)");
    EXPECT_EQ(b.text, QStringLiteral("5"));
    EXPECT_EQ(b.number, 5);
    EXPECT_EQ(b.kind, ckNumber);               // not both texts
    EXPECT_EQ(Ok("IIF(-1, 1, 2)").number, 2);  // true only above zero
    EXPECT_TRUE(Ok("IIF(#2, 1, 2)").null);
    EXPECT_TRUE(Ok("IIF(1, 1, #2)").null);
    // Both branches are evaluated: an error in the other one is an error.
    EXPECT_EQ(Error("IIF(1, 1, 1/0)"), eeDomain);
}

TEST_F(ExprBuiltinsTest, TextPieces) {
    EXPECT_EQ(Text("LEFT('Alba', 2)"), QStringLiteral("Al"));
    EXPECT_EQ(Text("RIGHT('Alba', 2)"), QStringLiteral("ba"));
    EXPECT_EQ(Text("SUBSTR('Alba', 2, 2)"), QStringLiteral("lb"));
    EXPECT_EQ(Text("LEFT('Alba', 2.9)"), QStringLiteral("Al"));
    EXPECT_EQ(Text("LEFT('Alba', -1)"), QString());
    EXPECT_EQ(Text("LEFT('Alba', 99)"), QStringLiteral("Alba"));
    EXPECT_EQ(Text("RIGHT('Alba', 1E30)"), QStringLiteral("Alba"));
    EXPECT_EQ(Text("SUBSTR('Alba', 0, 2)"), QStringLiteral("Al"));
    EXPECT_EQ(Text("SUBSTR('Alba', 9, 2)"), QString());
    EXPECT_EQ(Text("SUBSTR('Alba', 3, 99)"), QStringLiteral("ba"));
    EXPECT_EQ(Number("POS('bz', 'Alba')"), 3);  // the first character only
    EXPECT_EQ(Number("POS('x', 'Alba')"), 0);
    EXPECT_EQ(Number("POS('', 'Alba')"), 0);
    EXPECT_EQ(Number("LENGTH('Žluťoučký')"), 9);
    EXPECT_EQ(Ok("LENGTH('abc')").text, QString());  // its text is empty
    EXPECT_EQ(Text("LEFT('12ab', 2)"), QStringLiteral("12"));
    EXPECT_EQ(Ok("LEFT('12ab', 2)").number, 12);
}

TEST_F(ExprBuiltinsTest, CaseAndTrimming) {
    EXPECT_EQ(Text("UPPER('čeřovská')"), QStringLiteral("ČEŘOVSKÁ"));
    EXPECT_EQ(Text("LOWER('ŽLUŤOUČKÝ Kůň')"), QStringLiteral("žluťoučký kůň"));
    EXPECT_EQ(Text("LTRIM(#1)"), QStringLiteral("Alba \t"));
    EXPECT_EQ(Text("RTRIM(#1)"), QStringLiteral("  Alba"));
    EXPECT_EQ(Text("ALLTRIM(#1)"), QStringLiteral("Alba"));
    const TCalcType trimmed = Ok("ALLTRIM(' 1 234,5 ')");
    EXPECT_EQ(trimmed.number, 1234.5);  // the text converted to a number
    EXPECT_EQ(trimmed.text, QStringLiteral("1 234,5"));
}

TEST_F(ExprBuiltinsTest, Trigonometry) {
    EXPECT_NEAR(Number("SIN(1)"), std::sin(1.0), 1e-15);
    EXPECT_NEAR(Number("COS(1)"), std::cos(1.0), 1e-15);
    EXPECT_NEAR(Number("TAN(1)"), std::tan(1.0), 1e-14);
    EXPECT_NEAR(Number("COTG(1)"), 1 / std::tan(1.0), 1e-14);
    EXPECT_EQ(Error("COTG(0)"), eeDomain);
    EXPECT_NEAR(Number("EXP(1)"), std::numbers::e, 1e-15);
    EXPECT_NEAR(Number("LOG(10)"), std::log(10.0), 1e-15);
    EXPECT_EQ(Error("LOG(0)"), eeDomain);
    EXPECT_EQ(Error("EXP(1000)"), eeDomain);  // overflow
    EXPECT_NEAR(Number("ATAN(1)"), std::numbers::pi / 4, 1e-15);
    EXPECT_NEAR(Number("ACOTG(1)"), std::numbers::pi / 4, 1e-15);
    EXPECT_NEAR(Number("ACOTG(0)"), std::numbers::pi / 2, 1e-15);
}

TEST_F(ExprBuiltinsTest, InverseSineAndCosineAreTrueInverses) {
    EXPECT_NEAR(Number("ASIN(0.5)"), std::numbers::pi / 6, 1e-15);
    EXPECT_NEAR(Number("ASIN(1)"), std::numbers::pi / 2, 1e-15);
    EXPECT_NEAR(Number("ASIN(-1)"), -std::numbers::pi / 2, 1e-15);
    EXPECT_NEAR(Number("ACOS(0.5)"), std::numbers::pi / 3, 1e-15);
    EXPECT_NEAR(Number("ACOS(0)"), std::numbers::pi / 2, 1e-15);
    EXPECT_NEAR(Number("ACOS(1)"), 0, 1e-15);
    EXPECT_NEAR(Number("ACOS(-1)"), std::numbers::pi, 1e-15);
    EXPECT_EQ(Error("ASIN(1.01)"), eeDomain);
    EXPECT_EQ(Error("ACOS(-1.5)"), eeDomain);
}

TEST_F(ExprBuiltinsTest, CharactersAndCodesInWindows1250) {
    EXPECT_EQ(Text("CHR(65.4)"), QStringLiteral("A"));
    EXPECT_EQ(Text("CHR(0)"), QString());
    EXPECT_EQ(Text("CHR(256)"), QString());
    EXPECT_EQ(Text("CHR(200)"), QStringLiteral("Č"));
    EXPECT_EQ(Number("ORD('Č')"), 200);
    EXPECT_EQ(Number("ORD('A')"), 65);
    EXPECT_EQ(Number("ORD('')"), 0);
    EXPECT_EQ(Number("ORD('€')"), 128);
}

TEST_F(ExprBuiltinsTest, NullArguments) {
    EXPECT_EQ(Number("ISNULL(#2)"), 1);
    EXPECT_FALSE(Ok("ISNULL(#2)").null);
    EXPECT_EQ(Number("ISNULL(1)"), 0);
    EXPECT_TRUE(Ok("ABS(#2)").null);
    EXPECT_TRUE(Ok("LEFT(#3, 2)").null);
    EXPECT_TRUE(Ok("UPPER(#3)").null);
    EXPECT_TRUE(Ok("MAX(1, #2)").null);
    EXPECT_FALSE(Ok("MAX(1, 2)").null);
}

TEST_F(ExprBuiltinsTest, DatesAndTimes) {
    // 5.3.2009 9:05:07 is day 39877 and 9:05:07 of the next.
    const QString when = "(39877 + (9*3600 + 5*60 + 7)/86400)";
    EXPECT_EQ(Number("YEAR" + when), 2009);
    EXPECT_EQ(Number("MONTH" + when), 3);
    EXPECT_EQ(Number("DAY" + when), 5);
    EXPECT_EQ(Number("HOUR" + when), 9);
    EXPECT_EQ(Number("MINUTE" + when), 5);
    EXPECT_EQ(Number("SECOND" + when), 7);
    EXPECT_EQ(Number("YEAR(0)"), 1899);
    EXPECT_EQ(Number("DAY(-1)"), 29);
    EXPECT_EQ(Number("STRTODA('5.3.2009')"), 39877);
    EXPECT_EQ(Number("STRTODA('31.2.2009')"), 0);
    EXPECT_EQ(Number("STRTODA('abc')"), 0);
    EXPECT_DOUBLE_EQ(Number("STRTODT('5.3.2009 12:00:00')"), 39877.5);
    EXPECT_DOUBLE_EQ(Number("STRTODT('6:00')"), 0.25);
    EXPECT_EQ(Number("STRTODT('x')"), 0);
    EXPECT_EQ(Text("FORMATDT(39877.5, 'd.m.yyyy hh:nn')"), QStringLiteral("5.3.2009 12:00"));
    // Dates outside years 1 to 9999 have no calendar form.
    EXPECT_EQ(Error("YEAR(1E10)"), eeDomain);
    EXPECT_EQ(Error("FORMATDT(-1E9, 'yyyy')"), eeDomain);
}

TEST_F(ExprBuiltinsTest, ConversionsBetweenTextsAndNumbers) {
    const TCalcType number = Ok("STRTONUM('1 234,5')");
    EXPECT_EQ(number.kind, ckNumber);
    EXPECT_EQ(number.number, 1234.5);
    EXPECT_EQ(number.text, QStringLiteral("1 234,5"));  // the text stays
    EXPECT_EQ(Number("STRTONUM('abc')"), 0);
    EXPECT_EQ(Text("NUMTOSTR(1/8)"), QStringLiteral("0.125"));
    EXPECT_EQ(Text("NUMTOSTR(1E20)"), QStringLiteral("1E20"));
    EXPECT_EQ(Text("FORMAT(1234.5, '#,##0.00')"), QStringLiteral("1 234.50"));
}

TEST_F(ExprBuiltinsTest, EveryFunctionChecksItsArgumentCount) {
    struct Arity {
        const char* name;
        int arguments;
    };
    const Arity all[] = {
        {"ABS", 1},     {"INT", 1},      {"SGN", 1},      {"MAX", 2},      {"MIN", 2},
        {"IIF", 3},     {"LEFT", 2},     {"RIGHT", 2},    {"SUBSTR", 3},   {"UPPER", 1},
        {"LOWER", 1},   {"LTRIM", 1},    {"RTRIM", 1},    {"ALLTRIM", 1},  {"FORMAT", 2},
        {"SIN", 1},     {"COS", 1},      {"TAN", 1},      {"COTG", 1},     {"EXP", 1},
        {"LOG", 1},     {"ASIN", 1},     {"ACOS", 1},     {"ATAN", 1},     {"ACOTG", 1},
        {"CHR", 1},     {"ORD", 1},      {"LENGTH", 1},   {"POS", 2},      {"ISNULL", 1},
        {"YEAR", 1},    {"MONTH", 1},    {"DAY", 1},      {"HOUR", 1},     {"MINUTE", 1},
        {"SECOND", 1},  {"FORMATDT", 2}, {"STRTONUM", 1}, {"NUMTOSTR", 1}, {"ROUND", 1},
        {"EXROUND", 2}, {"STRTODA", 1},  {"STRTODT", 1},
    };
    ASSERT_EQ(std::size(all), 43u);
    for (const Arity& f : all) {
        QString args;
        for (int i = 0; i < f.arguments; ++i) {
            args += i == 0 ? "0.5" : ",0.5";
        }
        const QString name = QString::fromLatin1(f.name);
        EXPECT_EQ(Error(name + "(" + args + ")"), eeOK) << f.name;
        EXPECT_EQ(Error(name.toLower() + "(" + args + ")"), eeOK) << f.name;  // any case
        if (f.arguments > 1) {
            EXPECT_EQ(Error(name + "(0.5)"), eeArgumentCount) << f.name;
        }
        EXPECT_EQ(Error(name + "(" + args + ",1)"), eeComma) << f.name;
    }
}

TEST_F(ExprBuiltinsTest, CallsBindTighterThanOperatorsAndNest) {
    EXPECT_EQ(Number("ABS(-2)^2"), 4);
    EXPECT_EQ(Number("2*ABS(-3)+1"), 7);
    EXPECT_EQ(Number("MAX(MIN(5, 3), ABS(-4)) * 2"), 8);
    EXPECT_EQ(Error("-ABS(-2)^2"), eeDomain);  // the unary minus applies before ^
}

}  // namespace
