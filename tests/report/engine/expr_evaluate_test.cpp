// The expression language: lexical rules, references, operators, precedence,
// error codes and their positions.

#include <gtest/gtest.h>

#include "report/engine/expression.h"
#include "tests/report/engine/expr_test_provider.h"

namespace {

using namespace expr_test;

class ExprEvaluateTest : public ::testing::Test, protected ProviderFixtureBase {
  protected:
    void SetUp() override {
        TCalcType date;
        date.kind = ckOther;
        date.number = 43831.5;  // 1.1.2020 12:00
        date.text = QStringLiteral("1.1.2020 12:00:00");
        provider.fields = {
            {QStringLiteral("Jmeno"), TextValue(QStringLiteral("Alba"))},
            {QStringLiteral("Pocet"), NumberValue(2, QStringLiteral("2"))},
            {QStringLiteral("Vek"), NumberValue(12, QStringLiteral("12"))},
            {QStringLiteral("Narozen"), date},
            {QStringLiteral("Chybi"), NullValue()},
            {QStringLiteral("Cislo_1$"), TextValue(QStringLiteral("1 234,5"), 1234.5)},
        };
        provider.parameters = {QStringLiteral("Kennel"), QStringLiteral("12.5")};
        provider.variables = {43831.0, 43831.25, 7, 3, 0};
    }

    // Evaluates by the cached parsed form and by the direct reading and
    // checks that both agree before returning the result.
    TEvalResult Eval(const QString& text) {
        const TEvalResult compiled = Evaluate(text);
        const TEvalResult direct = EvaluateDirect(text);
        EXPECT_EQ(compiled.error, direct.error) << text.toStdString();
        EXPECT_EQ(compiled.position, direct.position) << text.toStdString();
        EXPECT_EQ(compiled.value.kind, direct.value.kind) << text.toStdString();
        EXPECT_EQ(compiled.value.text, direct.value.text) << text.toStdString();
        EXPECT_EQ(compiled.value.null, direct.value.null) << text.toStdString();
        return compiled;
    }

    void ExpectNumber(const QString& text, double number) {
        const TEvalResult r = Eval(text);
        EXPECT_EQ(r.error, 0) << text.toStdString() << " at " << r.position;
        EXPECT_DOUBLE_EQ(r.value.number, number) << text.toStdString();
    }

    void ExpectText(const QString& text, const QString& expected, int kind = ckText) {
        const TEvalResult r = Eval(text);
        EXPECT_EQ(r.error, 0) << text.toStdString() << " at " << r.position;
        EXPECT_EQ(r.value.text, expected) << text.toStdString();
        EXPECT_EQ(r.value.kind, kind) << text.toStdString();
    }

    void ExpectError(const QString& text, int error, int position) {
        const TEvalResult r = Eval(text);
        EXPECT_EQ(r.error, error) << text.toStdString();
        EXPECT_EQ(r.position, position) << text.toStdString();
    }
};

TEST_F(ExprEvaluateTest, PrecedenceAndGrouping) {
    ExpectNumber("1+2*3", 7);
    ExpectNumber("(1+2)*3", 9);
    ExpectNumber("2^3^2", 64);  // equal precedence groups from the left
    ExpectNumber("2*3^2", 18);
    ExpectNumber("10-4-3", 3);
    ExpectNumber("12/3/2", 2);
    ExpectNumber("NOT 1 AND 0", 0);
    ExpectNumber("NOT 0 AND 1", 1);
    ExpectNumber("1 OR 0 AND 0", 1);  // AND binds tighter than OR
    ExpectNumber("1 + 1 = 2", 1);     // comparisons bind loosest
    ExpectNumber("NOT 1 = 0", 1);     // NOT binds tighter than =
    ExpectNumber("2*(-3)", -6);
    ExpectNumber("-2*3", -6);
    ExpectNumber("-(2+3)", -5);
    ExpectNumber("1 - NOT 0", 0);  // NOT right after an operator
    ExpectNumber("NOT NOT 5", 1);
    ExpectNumber("((((7))))", 7);
    ExpectNumber("  3   +4 ", 7);
}

TEST_F(ExprEvaluateTest, ArithmeticAndLogicalResultsAreNumbersWithShortestText) {
    ExpectText("1/4", "0.25", ckNumber);
    ExpectText("10/4*2", "5", ckNumber);
    ExpectText("1/3", "0.333333333333333", ckNumber);
    ExpectText("3 > 2", "1", ckNumber);
    ExpectText("3 < 2", "0", ckNumber);
    ExpectText("2 AND 0.5", "1", ckNumber);
    ExpectText("-1 OR 0", "0", ckNumber);  // true only above zero
    ExpectText("1.50", "1.5", ckNumber);
    ExpectText("1e3", "1000", ckNumber);
    ExpectText("2.5E-2", "0.025", ckNumber);
}

TEST_F(ExprEvaluateTest, PlusJoinsTextsAndAddsNumbers) {
    ExpectText("'ab'+'cd'", "abcd", ckText);
    const TEvalResult mixed = Eval("1+'2'");
    EXPECT_EQ(mixed.error, 0);
    EXPECT_EQ(mixed.value.number, 3);
    EXPECT_EQ(mixed.value.kind, ckNumber);
    // A label joined to a number field stays printable as one text.
    const TEvalResult label = Eval("'Věk: ' + #3");
    EXPECT_EQ(label.value.text, QStringLiteral("Věk: 12"));
    EXPECT_EQ(label.value.kind, ckNumber);
    ExpectText("#1 + ' ' + #jmeno", "Alba Alba");
}

TEST_F(ExprEvaluateTest, ComparisonsOfTextsAndNumbers) {
    ExpectNumber("'10' < '9'", 0);  // texts compare by their numbers
    ExpectNumber("'a' = 'A'", 0);   // exact, case-sensitive
    ExpectNumber("'a' = 'a'", 1);
    ExpectNumber("'a' <> 'A'", 1);
    ExpectNumber("'1.0' = '1'", 0);  // two texts compare as texts
    ExpectNumber("1 = '1.0'", 1);    // otherwise by numbers
    ExpectNumber("2 <= 2", 1);
    ExpectNumber("2 >= 3", 0);
    ExpectNumber("'abc' = 0", 1);  // a text that is no number reads as 0
    ExpectNumber("#1 = 'Alba'", 1);
}

TEST_F(ExprEvaluateTest, TextAndListLiterals) {
    const TEvalResult text = Eval("'12 psů'");
    EXPECT_EQ(text.value.kind, ckText);
    EXPECT_EQ(text.value.number, 12);  // the leading number of the text
    EXPECT_EQ(text.value.text, QStringLiteral("12 psů"));
    EXPECT_EQ(Eval("'x12'").value.number, 0);
    EXPECT_EQ(Eval("'3.5 kg'").value.number, 3.5);
    const TEvalResult list = Eval("[1, a,'b']");
    EXPECT_EQ(list.value.kind, ckList);
    EXPECT_EQ(list.value.text, QStringLiteral("1, a,'b'"));
    ExpectText("''", "");
}

TEST_F(ExprEvaluateTest, InLists) {
    ExpectNumber("#2 IN [1,2,3]", 1);
    ExpectNumber("#2 IN [1,3]", 0);
    ExpectNumber("'x' IN [x,y]", 1);
    ExpectNumber("'y' IN [x, y]", 1);
    ExpectNumber("'Alba' IN ['Alba','Bora']", 1);
    ExpectNumber("#1 IN [#1]", 1);      // a reference item
    ExpectNumber("12 IN [%3, #3]", 1);  // variables are items of IN lists
    ExpectNumber("0 IN [a, 0]", 1);     // text "0" equals
    ExpectNumber("5 IN [a, b]", 0);
    ExpectNumber("2 IN '1,2'", 1);  // a text read as a list
    ExpectNumber("'' IN []", 0);
    ExpectNumber("1+1 IN [2]", 1);  // IN binds loosest
}

TEST_F(ExprEvaluateTest, ReferencesByNumberAndName) {
    ExpectText("#1", "Alba");
    ExpectText("#JMENO", "Alba");  // names without regard to case
    ExpectText("#cislo_1$", "1 234,5");
    ExpectNumber("#2 * #3", 24);
    const TEvalResult param = Eval("&2");
    EXPECT_EQ(param.value.kind, ckText);
    EXPECT_EQ(param.value.number, 12.5);
    EXPECT_FALSE(param.value.null);
    ExpectNumber("%3", 7);
    ExpectNumber("%5", 0);
    // Indexes beyond what the provider has, and #0, give cleared values.
    for (const char* text : {"#99", "&9", "%99", "@5", "#0"}) {
        const TEvalResult r = Eval(text);
        EXPECT_EQ(r.error, 0) << text;
        EXPECT_EQ(r.value.kind, ckOther) << text;
        EXPECT_EQ(r.value.text, QString()) << text;
        EXPECT_FALSE(r.value.null) << text;
    }
    // Three digits at most: the fourth is a number right after an operand.
    ExpectError("#1234", eeUnexpected, 4);
}

TEST_F(ExprEvaluateTest, UnknownNamesAreErrorOne) {
    ExpectError("#nope", eeUnknownName, 0);
    ExpectError("1 + @nope", eeUnknownName, 4);
    ExpectError("&abc", eeUnknownName, 0);
    ExpectError("%abc", eeUnknownName, 0);
    ExpectError("FOO(1)", eeUnknownName, 0);
    ExpectError("1 + bar", eeUnknownName, 4);
    ExpectError("#", eeUnknownName, 0);
    ExpectError("NOT#1", eeUnknownName, 0);  // the word takes the # in
}

TEST_F(ExprEvaluateTest, NullsPropagate) {
    EXPECT_TRUE(Eval("#5 + 1").value.null);
    EXPECT_TRUE(Eval("#5 = 0").value.null);
    EXPECT_TRUE(Eval("NOT #5").value.null);
    EXPECT_TRUE(Eval("-#5").value.null);
    EXPECT_TRUE(Eval("#5 AND 0").value.null);
    EXPECT_TRUE(Eval("#5 IN [0]").value.null);
    EXPECT_FALSE(Eval("#2 + 1").value.null);
}

TEST_F(ExprEvaluateTest, DatesAreDayNumbers) {
    const TEvalResult date = Eval("#4");
    EXPECT_EQ(date.value.kind, ckOther);
    EXPECT_EQ(date.value.number, 43831.5);
    ExpectNumber("#4 + 1", 43832.5);
    EXPECT_EQ(Eval("#4 + 1").value.kind, ckNumber);
}

TEST_F(ExprEvaluateTest, EmptyExpressionIsAClearedValue) {
    for (const char* text : {"", "   "}) {
        const TEvalResult r = Eval(text);
        EXPECT_EQ(r.error, 0);
        EXPECT_EQ(r.value.kind, ckOther);
        EXPECT_EQ(r.value.number, 0);
        EXPECT_TRUE(r.value.text.isEmpty());
    }
}

TEST_F(ExprEvaluateTest, MalformedNumbersAndLiterals) {
    ExpectError("1E123", eeBadNumber, 0);
    ExpectError("12ab", eeBadNumber, 0);
    ExpectError("12a", eeUnknownName, 2);  // the last letter is read as a word
    ExpectError("1 + 2#1", eeBadNumber, 4);
    ExpectError("'abc", eeUnterminatedText, 0);
    ExpectError("1 + 'abc", eeUnterminatedText, 4);
    ExpectError("1 IN [1,2", eeUnterminatedList, 5);
    ExpectError("1.5.2", eeUnexpected, 3);
    ExpectNumber("1E+2", 100);
    ExpectNumber("1E-02", 0.01);
    ExpectNumber("12.", 12);
}

TEST_F(ExprEvaluateTest, TokensOutOfPlaceAreErrorTwo) {
    ExpectError("2*-3", eeUnexpected, 2);
    ExpectError("* 1", eeUnexpected, 0);
    ExpectError("1 + * 2", eeUnexpected, 4);
    ExpectError("1 +", eeUnexpected, 3);  // ends in an operator
    ExpectError("1 #1", eeUnexpected, 2);
    ExpectError("1 (2)", eeUnexpected, 2);
    ExpectError("1 2", eeUnexpected, 2);
    ExpectError("'a' 'b'", eeUnexpected, 4);
    ExpectError("1 NOT 1", eeUnexpected, 2);
    ExpectError("AND 1", eeUnexpected, 0);
    ExpectError("ABS 1", eeUnexpected, 4);  // a function name wants "("
    ExpectError("ABS", eeUnexpected, 3);
    ExpectError("1 ~ 2", eeUnexpected, 2);
    ExpectError("$", eeUnexpected, 0);
    ExpectError("č", eeUnexpected, 0);  // letters outside A-Z
    ExpectError("()", eeUnexpected, 1);
    ExpectError("(1+)", eeUnexpected, 3);
    ExpectError("NOT -1", eeUnexpected, 4);  // unary minus only at a group start
    ExpectError("MAX(,1)", eeUnexpected, 4);
}

TEST_F(ExprEvaluateTest, ParenthesesCommasAndArgumentCounts) {
    ExpectError("(1", eeUnclosed, 2);
    ExpectError("((1)", eeUnclosed, 4);
    ExpectError("1)", eeUnmatchedClose, 1);
    ExpectError(")", eeUnmatchedClose, 0);
    ExpectError("MAX(1)", eeArgumentCount, 5);
    ExpectError("ABS()", eeArgumentCount, 4);
    ExpectError("MAX(1,2,3)", eeComma, 7);
    ExpectError("1,2", eeComma, 1);
    ExpectError("MAX((1,2),3)", eeComma, 6);  // the comma is inside a plain parenthesis
    ExpectError("MAX(1,2", eeUnclosed, 7);
}

TEST_F(ExprEvaluateTest, DomainErrorsAtTheTokenWhereTheOperatorIsApplied) {
    ExpectError("-2^2", eeDomain, 4);  // the unary minus binds first
    ExpectError("1/0", eeDomain, 3);
    ExpectError("1/0 + 1", eeDomain, 4);
    ExpectError("0^2", eeDomain, 3);
    ExpectError("LOG(0)", eeDomain, 5);
    ExpectError("LOG(-1) + 1", eeDomain, 6);
    ExpectError("1/(2-2)", eeDomain, 7);
    ExpectError("1E99*1E99*1E99*1E99", eeDomain, 19);  // an overflow is a domain error
    // Errors come in reading order: a domain error before a later syntax error wins.
    ExpectError("1/0 + )", eeDomain, 4);
    ExpectError("1 + ) + 1/0", eeUnmatchedClose, 4);
}

TEST_F(ExprEvaluateTest, StackLimitOfFortyEntries) {
    // Forty open parentheses fit, the forty-first does not.
    ExpectNumber(QString(40, u'(') + "1" + QString(40, u')'), 1);
    ExpectError(QString(41, u'(') + "1" + QString(41, u')'), eeStackFull, 40);
    // Pending operands: each SUBSTR level keeps two.
    QString nested;
    for (int i = 0; i < 21; ++i) {
        nested += "SUBSTR('a',1,";
    }
    const TEvalResult r = Eval(nested + "1" + QString(21, u')'));
    EXPECT_EQ(r.error, eeStackFull);
    EXPECT_EQ(r.position, 20 * 13 + 7);  // the 41st operand: 'a' of the 21st level
}

TEST_F(ExprEvaluateTest, LongExpressionsAreEvaluatedWhole) {
    QString sum = "0";
    for (int i = 0; i < 200; ++i) {
        sum += "+1";
    }
    ASSERT_GT(sum.size(), 255);
    ExpectNumber(sum, 200);
    const QString text = "'" + QString(300, u'x') + "'";
    EXPECT_EQ(Eval(text).value.text.size(), 300);
}

TEST_F(ExprEvaluateTest, TextAndConditionHelpers) {
    EXPECT_EQ(EvaluateText("#1 + '!'"), QStringLiteral("Alba!"));
    EXPECT_EQ(EvaluateText("1/0"), QString());
    EXPECT_EQ(EvaluateText("2*3"), QStringLiteral("6"));
    EXPECT_TRUE(EvaluateCondition("#3 > 10"));
    EXPECT_FALSE(EvaluateCondition("#3 > 20"));
    EXPECT_FALSE(EvaluateCondition("-1"));
    EXPECT_FALSE(EvaluateCondition("1/0"));
    EXPECT_FALSE(EvaluateCondition(""));
}

TEST_F(ExprEvaluateTest, WithoutProviderReferencesAreClearedAndNamesUnknown) {
    TValueProviderScope none(nullptr);
    const TEvalResult r = Evaluate("#1");
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.value.kind, ckOther);
    EXPECT_EQ(Evaluate("#jmeno").error, eeUnknownName);
}

TEST_F(ExprEvaluateTest, CompiledExpressionFollowsTheProviderOfEachEvaluation) {
    TCompiledExpression compiled("#jmeno + '/' + #2");
    EXPECT_EQ(compiled.Evaluate().value.text, QStringLiteral("Alba/2"));
    provider.fields[0].value = TextValue(QStringLiteral("Bora"));
    EXPECT_EQ(compiled.Evaluate().value.text, QStringLiteral("Bora/2"));
    TestProvider other;
    other.fields = {{QStringLiteral("x"), TextValue("1")},
                    {QStringLiteral("Jmeno"), TextValue("Cita")}};
    TValueProviderScope scope2(&other);
    EXPECT_EQ(compiled.Evaluate().value.text, QStringLiteral("Cita/Cita"));
    TestProvider empty;
    TValueProviderScope scope3(&empty);
    const TEvalResult missing = compiled.Evaluate();
    EXPECT_EQ(missing.error, eeUnknownName);
    EXPECT_EQ(missing.position, 0);
}

}  // namespace

namespace {

TEST(ExprFieldKindTest, KindsByFieldType) {
    // Text types are texts; the number types of the table store are numbers;
    // dates, Booleans, memos, large integers and the rest are kind 0.
    for (int type : {1, 23, 24}) {
        EXPECT_EQ(CalcKindOfFieldType(type), ckText) << type;
    }
    for (int type : {2, 3, 4, 6, 7, 8, 14, 37}) {
        EXPECT_EQ(CalcKindOfFieldType(type), ckNumber) << type;
    }
    for (int type : {0, 5, 9, 10, 11, 15, 16, 18, 25, 36, 38, -1}) {
        EXPECT_EQ(CalcKindOfFieldType(type), ckOther) << type;
    }
}

}  // namespace
