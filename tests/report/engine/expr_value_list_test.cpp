// Value lists of picture and barcode elements.

#include <gtest/gtest.h>

#include "report/engine/expression.h"
#include "tests/report/engine/expr_test_provider.h"

namespace {

using namespace expr_test;

class ExprValueListTest : public ::testing::Test, protected ProviderFixtureBase {
  protected:
    void SetUp() override {
        provider.fields = {
            {QStringLiteral("Foto"), TextValue(QStringLiteral("alba.jpg"))},
            {QStringLiteral("Cip"), NumberValue(123456, QStringLiteral("123456"))},
        };
        provider.parameters = {QStringLiteral("logo.bmp")};
        functions.AddNew().value = TextValue(QStringLiteral("f1.png"));
        provider.functions = &functions;
    }
    TListFunkci functions;
};

TEST_F(ExprValueListTest, PlainTextIsKeptAsWritten) {
    EXPECT_EQ(SplitValueList("a.jpg,b.jpg"), QStringList({"a.jpg", "b.jpg"}));
    EXPECT_EQ(SplitValueList(" a b ,c"), QStringList({" a b ", "c"}));
    EXPECT_EQ(SplitValueList("a,,b,"), QStringList({"a", "", "b", ""}));
    EXPECT_EQ(SplitValueList(""), QStringList());
}

TEST_F(ExprValueListTest, LiteralsReferencesAndExpressions) {
    EXPECT_EQ(SplitValueList("'a,b.jpg',x"), QStringList({"a,b.jpg", "x"}));
    EXPECT_EQ(SplitValueList("#1, #cip"), QStringList({"alba.jpg", "123456"}));
    EXPECT_EQ(SplitValueList("&1,@1,@funkce1"), QStringList({"logo.bmp", "f1.png", "f1.png"}));
    EXPECT_EQ(SplitValueList("[#1 + '.bak'],[UPPER('x') + ',']"),
              QStringList({"alba.jpg.bak", "X,"}));
    EXPECT_EQ(SplitValueList("[1/0],z"), QStringList({"", "z"}));  // failing expressions are empty
    EXPECT_EQ(SplitValueList("[#2 IN [1,123456]]"), QStringList({"1"}));  // nested brackets
}

TEST_F(ExprValueListTest, VariablesAndUnknownReferencesAreText) {
    EXPECT_EQ(SplitValueList("%1"), QStringList({"%1"}));
    EXPECT_EQ(SplitValueList("#nope"), QStringList({"#nope"}));
    EXPECT_EQ(SplitValueList("#1.jpg"), QStringList({"#1.jpg"}));  // not a whole reference
    EXPECT_EQ(SplitValueList("#99"), QStringList({""}));           // beyond the fields: cleared
}

TEST_F(ExprValueListTest, UnterminatedPiecesDoNotLoseText) {
    EXPECT_EQ(SplitValueList("'abc"), QStringList({"abc"}));
    EXPECT_EQ(SplitValueList("[1+2,x"), QStringList({"[1+2", "x"}));
}

}  // namespace
