// The parsed form reused for many evaluations must give exactly what one
// reading of the text gives: values, error codes and positions. And no text,
// however broken, long or deep, may crash or hang the evaluator.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cmath>
#include <cstring>
#include <random>

#include "report/engine/expression.h"
#include "tests/report/engine/expr_test_provider.h"

namespace {

using namespace expr_test;

class ExprAgreementTest : public ::testing::Test, protected ProviderFixtureBase {
  protected:
    void SetUp() override {
        provider.fields = {
            {QStringLiteral("Jmeno"), TextValue(QStringLiteral("Alba"))},
            {QStringLiteral("Pocet"), NumberValue(2, QStringLiteral("2"))},
            {QStringLiteral("Vek"), NumberValue(12, QStringLiteral("12"))},
            {QStringLiteral("Nic"), NullValue()},
        };
        provider.parameters = {QStringLiteral("7"), QStringLiteral("abc")};
        provider.variables = {43831.0, 0.5, 3, 1, 0};
    }

    static bool SameNumber(double a, double b) {
        return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
    }

    // Evaluates the text three ways: a fresh reading, the cached parsed form
    // (twice, so the second run reuses it) and an expression object.
    void ExpectAgreement(const QString& text) {
        const TEvalResult direct = EvaluateDirect(text);
        const TEvalResult first = Evaluate(text);
        const TEvalResult again = Evaluate(text);
        const TEvalResult compiled = TCompiledExpression(text).Evaluate();
        for (const TEvalResult* r : {&first, &again, &compiled}) {
            ASSERT_EQ(r->error, direct.error) << text.toStdString();
            ASSERT_EQ(r->position, direct.position) << text.toStdString();
            if (direct.error == eeOK) {
                ASSERT_EQ(r->value.kind, direct.value.kind) << text.toStdString();
                ASSERT_TRUE(SameNumber(r->value.number, direct.value.number)) << text.toStdString();
                ASSERT_EQ(r->value.text, direct.value.text) << text.toStdString();
                ASSERT_EQ(r->value.null, direct.value.null) << text.toStdString();
            }
        }
    }
};

TEST_F(ExprAgreementTest, HandPickedExpressions) {
    const char* texts[] = {
        "",
        "1+2*3",
        "IIF(#3 > 10, UPPER(#1) + ' ' + #2, '')",
        "#jmeno + &2 + %3",
        "#4 + 1",
        "ISNULL(#4) AND NOT #2 = 2",
        "1/0",
        "(1/0",
        "1/0)",
        "LOG(0) + (",
        "MAX(1,2,3)",
        "MIN(1)",
        "#nic",
        "'abc",
        "[1,2",
        "12ab",
        "2^3^2",
        "-2^2",
        "NOT 1 AND 0",
        "#2 IN [1, 2, #3]",
        "FORMAT(#3 * 1000.5, '#,##0.00')",
        "FORMATDT(%1 + %2, 'dddd d. mmmm yyyy hh:nn')",
        "SUBSTR(#1, 2, 2) + RIGHT(#1, 1)",
        "EXROUND(#3 / 7, -0.25)",
        "ASIN(1) + ACOS(-1)",
        "a b c",
        "((((((((((((((((((((((((((((((((((((((((((1))))))))))))))))))))))))))))))))))))))))))",
    };
    for (const char* text : texts) {
        ExpectAgreement(QString::fromUtf8(text));
    }
}

// Random token soups: mostly syntax errors, many valid expressions among them.
TEST_F(ExprAgreementTest, RandomTokenSequences) {
    const char* tokens[] = {
        "1",     "2.5",    "0",       "1E3",   "12ab",   "'ab'", "'1.5'",   "''",
        "[1,2]", "[x",     "#1",      "#2",    "#3",     "#4",   "#9",      "#vek",
        "#bad",  "&1",     "&2",      "%1",    "%3",     "@1",   "+",       "-",
        "*",     "/",      "^",       "=",     "<>",     "<",    ">",       "<=",
        ">=",    " AND ",  " OR ",    " NOT ", " IN ",   "(",    ")",       ",",
        "ABS(",  "MAX(",   "IIF(",    "LEFT(", "UPPER(", "LOG(", "ISNULL(", "FORMAT(",
        "ASIN(", "ROUND(", "SUBSTR(", "POS(",  " ",      "$",    "'",
    };
    constexpr int kTokens = static_cast<int>(std::size(tokens));
    std::mt19937 random(20240601);
    int valid = 0;
    for (int n = 0; n < 20000; ++n) {
        QString text;
        const int length = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            text += QString::fromUtf8(tokens[random() % kTokens]);
        }
        ExpectAgreement(text);
        if (HasFatalFailure()) {
            return;
        }
        valid += EvaluateDirect(text).error == eeOK ? 1 : 0;
    }
    EXPECT_GT(valid, 500);  // the soup holds enough valid expressions to matter
}

// Well-formed random arithmetic: every error here is a domain error.
TEST_F(ExprAgreementTest, RandomWellFormedExpressions) {
    std::mt19937 random(7);
    const char* operators[] = {"+", "-", "*", "/", "^", " AND ", " OR ", "=", "<", ">="};
    const char* operands[] = {"0", "1", "2", "0.5", "#2", "#3", "#4", "'3'", "&1", "%3"};
    for (int n = 0; n < 5000; ++n) {
        QString text = operands[random() % 10];
        const int length = static_cast<int>(random() % 8);
        for (int i = 0; i < length; ++i) {
            text += operators[random() % 10];
            if (random() % 4 == 0) {
                text += QStringLiteral("(") + operands[random() % 10] + operators[random() % 10] +
                        operands[random() % 10] + ")";
            } else {
                text += operands[random() % 10];
            }
        }
        ExpectAgreement(text);
        if (HasFatalFailure()) {
            return;
        }
        const int error = EvaluateDirect(text).error;
        EXPECT_TRUE(error == eeOK || error == eeDomain) << text.toStdString();
    }
}

// --- bad input ------------------------------------------------------------------

TEST_F(ExprAgreementTest, GarbageNeverCrashes) {
    std::mt19937 random(99);
    for (int n = 0; n < 5000; ++n) {
        QString text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            // Printable ASCII mostly, some control characters, Czech letters
            // and lone surrogate halves.
            const unsigned pick = random() % 100;
            char16_t c = static_cast<char16_t>(32 + random() % 95);
            if (pick < 5) {
                c = static_cast<char16_t>(random() % 32);
            } else if (pick < 8) {
                c = u'ř';
            } else if (pick < 10) {
                c = static_cast<char16_t>(0xD800 + random() % 0x800);
            }
            text += QChar(c);
        }
        ExpectAgreement(text);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST_F(ExprAgreementTest, DeepNestingIsRefusedWithErrorThree) {
    const QString deep = QString(10000, u'(') + "1" + QString(10000, u')');
    const TEvalResult r = Evaluate(deep);
    EXPECT_EQ(r.error, eeStackFull);
    EXPECT_EQ(r.position, 40);
    QString calls;
    for (int i = 0; i < 5000; ++i) {
        calls += "ABS(";
    }
    EXPECT_EQ(Evaluate(calls + "1" + QString(5000, u')')).error, eeStackFull);
    QString unary;
    for (int i = 0; i < 5000; ++i) {
        unary += "NOT ";
    }
    EXPECT_EQ(Evaluate(unary + "1").error, eeStackFull);
    ExpectAgreement(deep);
}

TEST_F(ExprAgreementTest, TenThousandCharacterExpressions) {
    QElapsedTimer timer;
    timer.start();
    QString sum = "0";
    while (sum.size() < 10000) {
        sum += "+#3";
    }
    const TEvalResult r = Evaluate(sum);
    ASSERT_EQ(r.error, eeOK);
    EXPECT_EQ(r.value.number, 12.0 * ((sum.size() - 1) / 3));
    ExpectAgreement(sum);

    QString text = "'" + QString(10000, u'x') + "'";
    EXPECT_EQ(Evaluate(text).value.text.size(), 10000);
    EXPECT_EQ(Evaluate("UPPER(" + text + ") + " + text).value.text.size(), 20000);
    EXPECT_EQ(Evaluate(QString(10000, u'-')).error, eeUnexpected);
    EXPECT_EQ(Evaluate(QString(10000, u'1')).error, eeBadNumber);  // overflows a double
    EXPECT_EQ(Evaluate("'" + QString(10000, u'x')).error, eeUnterminatedText);
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST_F(ExprAgreementTest, HugeNumbers) {
    EXPECT_EQ(Evaluate(QString(400, u'9')).error, eeBadNumber);
    EXPECT_EQ(Evaluate(QString(300, u'9')).error, eeOK);
    EXPECT_EQ(Evaluate("1E99^99").error, eeDomain);
    EXPECT_EQ(Evaluate("EXP(1E99)").error, eeDomain);
    // Exponents take at most two digits, so huge values are products.
    EXPECT_EQ(Evaluate("1E300").error, eeBadNumber);
    const QString huge = "(1E99*1E99*1E99)";
    EXPECT_EQ(Evaluate("LEFT('abc', " + huge + ")").value.text, QStringLiteral("abc"));
    EXPECT_EQ(Evaluate("SUBSTR('abc', -" + huge + ", " + huge + ")").value.text,
              QStringLiteral("abc"));
    EXPECT_EQ(Evaluate("CHR(" + huge + ")").value.text, QString());
    EXPECT_EQ(Evaluate("EXROUND(" + huge + ", 1/" + huge + ")").error, eeOK);
    EXPECT_EQ(Evaluate("EXROUND(0.5, 1/" + huge + ")").error, eeOK);
    EXPECT_EQ(Evaluate("FORMAT(" + huge + ", '#,##0.00')").value.text, QStringLiteral("1E297"));
    EXPECT_EQ(Evaluate("FORMAT(1/" + huge + ", '0.0E+0000')").value.text,
              QStringLiteral("1.0E-0297"));
    EXPECT_EQ(Evaluate("FORMATDT(" + huge + ", 'yyyy')").error, eeDomain);
    EXPECT_EQ(Evaluate("STRTONUM('" + QString(400, u'9') + "')").value.number, 0);
}

TEST_F(ExprAgreementTest, CacheOfParsedFormsStaysBounded) {
    // Many distinct texts (built on the fly) must not make the cache grow
    // without bound; the results stay right after it is emptied.
    for (int i = 0; i < 10000; ++i) {
        const QString text = QString::number(i) + "+1";
        ASSERT_EQ(Evaluate(text).value.number, i + 1);
    }
    ClearExpressionCache();
    EXPECT_EQ(Evaluate("1+1").value.number, 2);
}

}  // namespace
