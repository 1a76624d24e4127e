// User functions: defaults, resets, the eight aggregations, reset levels,
// display texts and deleting with renumbering.

#include <gtest/gtest.h>

#include <cmath>

#include "report/engine/sest_fn.h"
#include "tests/report/engine/expr_test_provider.h"

namespace {

using namespace expr_test;

class UserFunctionsTest : public ::testing::Test, protected ProviderFixtureBase {
  protected:
    void SetUp() override {
        provider.fields = {{QStringLiteral("Hodnota"), NumberValue(0, "0")},
                           {QStringLiteral("Skupina"), TextValue("A")}};
        provider.functions = &list;
    }

    TRadekFunkce& AddFunction(const QString& expression, int aggregation, int resetLevel = 0) {
        TRadekFunkce& f = list.AddNew();
        f.expression = expression;
        f.aggregation = aggregation;
        f.resetLevel = resetLevel;
        return f;
    }

    // Loads one record: field 1 holds the number (null when NaN).
    void Record(double value, const QString& group = "A") {
        provider.fields[0].value =
            std::isnan(value) ? NullValue() : NumberValue(value, GeneralNumberText(value));
        provider.fields[1].value = TextValue(group);
    }

    void RunRecords(const std::vector<double>& values) {
        list.RequestReset(-1);
        for (double v : values) {
            Record(v);
            list.ComputeAll();
        }
    }

    TListFunkci list;
};

TEST_F(UserFunctionsTest, NewFunctionDefaults) {
    TRadekFunkce& f = list.AddNew();
    EXPECT_EQ(f.name, QStringLiteral("Funkce1"));
    EXPECT_EQ(f.description, QStringLiteral("Funkce1"));
    EXPECT_EQ(f.resultType, ftNumber);
    EXPECT_EQ(f.initialValue, QStringLiteral("0"));
    EXPECT_EQ(f.resetLevel, 0);
    EXPECT_TRUE(f.expression.isEmpty());
    EXPECT_EQ(f.aggregation, agNone);
    EXPECT_EQ(f.precision, 15);
    EXPECT_EQ(f.digits, 2);
    EXPECT_EQ(f.numberFormat, nfFixed);
    EXPECT_EQ(f.value.kind, ckNumber);
    EXPECT_EQ(list.AddNew().name, QStringLiteral("Funkce2"));
    EXPECT_EQ(f.Caption(), QStringLiteral("Funkce1 - Funkce1"));
}

TEST_F(UserFunctionsTest, ValueKindFollowsTheResultType) {
    TRadekFunkce text;
    text.resultType = ftText;
    EXPECT_EQ(list.Add(text).value.kind, ckText);
    TRadekFunkce other;
    other.resultType = 5;
    EXPECT_EQ(list.Add(other).value.kind, ckOther);
}

TEST_F(UserFunctionsTest, FindFunctionIgnoresCase) {
    list.AddNew();
    list.AddNew().name = QStringLiteral("Součet");
    EXPECT_EQ(list.FindFunction("funkce1"), 0);
    EXPECT_EQ(list.FindFunction("SOUČET"), 1);
    EXPECT_EQ(list.FindFunction("Funkce2"), -1);
}

TEST_F(UserFunctionsTest, ResetTakesTheInitialValue) {
    TRadekFunkce& f = list.AddNew();
    f.initialValue = QStringLiteral("12.5");
    f.count = 3;
    f.total = 9;
    f.sumOfSquares = 27;
    f.resetPending = true;
    f.Reset();
    EXPECT_EQ(f.value.number, 12.5);
    EXPECT_EQ(f.value.text, QStringLiteral("12.5"));
    EXPECT_EQ(f.count, 0);
    EXPECT_EQ(f.total, 0);
    EXPECT_EQ(f.sumOfSquares, 0);
    EXPECT_FALSE(f.resetPending);
    f.initialValue = QStringLiteral("abc");
    f.Reset();
    EXPECT_EQ(f.value.number, 0);  // not a number: cleared
    EXPECT_EQ(f.value.text, QStringLiteral("abc"));
}

TEST_F(UserFunctionsTest, AllEightAggregations) {
    TRadekFunkce& none = AddFunction("#1 * 10", agNone);
    TRadekFunkce& count = AddFunction("#1", agCount);
    TRadekFunkce& sum = AddFunction("#1", agSum);
    TRadekFunkce& average = AddFunction("#1", agAverage);
    TRadekFunkce& minimum = AddFunction("#1", agMinimum);
    TRadekFunkce& maximum = AddFunction("#1", agMaximum);
    TRadekFunkce& deviation = AddFunction("#1", agStdDeviation);
    TRadekFunkce& relative = AddFunction("#1", agRelStdDeviation);
    RunRecords({2, 4, 4, 4, 5, 5, 7, 9});
    EXPECT_EQ(none.value.number, 90);
    EXPECT_EQ(none.value.text, QStringLiteral("90"));
    EXPECT_EQ(count.value.number, 8);
    EXPECT_EQ(sum.value.number, 40);
    EXPECT_EQ(average.value.number, 5);
    EXPECT_EQ(minimum.value.number, 2);
    EXPECT_EQ(maximum.value.number, 9);
    EXPECT_NEAR(deviation.value.number, std::sqrt(32.0 / 7.0), 1e-12);
    EXPECT_NEAR(relative.value.number, std::sqrt(32.0 / 7.0) / 5.0, 1e-12);
    // Aggregations change only the number; the text keeps the initial value.
    EXPECT_EQ(sum.value.text, QStringLiteral("0"));
}

TEST_F(UserFunctionsTest, DeviationsNeedTwoRecordsAndANonZeroTotal) {
    TRadekFunkce& deviation = AddFunction("#1", agStdDeviation);
    TRadekFunkce& relative = AddFunction("#1", agRelStdDeviation);
    RunRecords({3});
    EXPECT_EQ(deviation.value.number, 0);
    EXPECT_TRUE(deviation.value.text.isEmpty());  // cleared
    RunRecords({-1, 1});
    EXPECT_NEAR(deviation.value.number, std::sqrt(2.0), 1e-12);
    EXPECT_EQ(relative.value.number, 0);  // total 0: cleared
    RunRecords({1e8 + 0.1, 1e8 + 0.1, 1e8 + 0.1});
    EXPECT_GE(deviation.value.number, 0);  // rounding never makes the root of a negative
    EXPECT_FALSE(std::isnan(deviation.value.number));
}

TEST_F(UserFunctionsTest, SkippingNulls) {
    TRadekFunkce& count = AddFunction("#1", agCount);
    TRadekFunkce& average = AddFunction("#1", agAverage);
    TRadekFunkce& minimum = AddFunction("#1", agMinimum);
    TRadekFunkce& plain = AddFunction("#1", agNone);
    const double null = std::nan("");
    list.SetSkipNulls(true);
    RunRecords({4, null, 8, null});
    EXPECT_EQ(count.value.number, 2);
    EXPECT_EQ(average.value.number, 6);
    EXPECT_EQ(minimum.value.number, 4);  // the skipped nulls are not a minimum of 0
    EXPECT_TRUE(plain.value.null);
    EXPECT_EQ(plain.DisplayText(), QString());  // a null prints as empty text
    list.SetSkipNulls(false);
    RunRecords({4, null, 8});
    EXPECT_EQ(count.value.number, 3);
    EXPECT_EQ(minimum.value.number, 0);  // without skipping a null counts as 0
    EXPECT_EQ(plain.DisplayText(), QStringLiteral("8.00"));
}

TEST_F(UserFunctionsTest, AverageOverNoRecordsShowsTheInitialValue) {
    TRadekFunkce& average = AddFunction("#1", agAverage);
    average.initialValue = QStringLiteral("5");
    list.SetSkipNulls(true);
    RunRecords({std::nan("")});
    EXPECT_EQ(average.DisplayText(), QStringLiteral("5.00"));
}

TEST_F(UserFunctionsTest, FailingExpressionClearsTheResult) {
    TRadekFunkce& plain = AddFunction("1/#1", agNone);
    TRadekFunkce& sum = AddFunction("1E99*1E99*1E99*1E99*#1", agSum);
    RunRecords({0});
    EXPECT_EQ(plain.value.number, 0);
    EXPECT_FALSE(plain.value.null);
    EXPECT_EQ(plain.value.kind, ckOther);
    EXPECT_EQ(sum.value.number, 0);
    Record(2);
    list.ComputeAll();
    EXPECT_EQ(plain.value.number, 0.5);
}

TEST_F(UserFunctionsTest, GroupResetShowsTheFinishedGroupInItsFooter) {
    TRadekFunkce& total = AddFunction("#1", agSum, rlGroup + 0);
    TRadekFunkce& report = AddFunction("#1", agSum, rlReport);
    struct Row {
        double value;
        const char* group;
    };
    const Row rows[] = {{1, "A"}, {2, "A"}, {10, "B"}, {20, "B"}, {5, "C"}};
    QStringList footers;
    list.RequestReset(-1);
    QString lastGroup;
    for (const Row& row : rows) {
        if (!lastGroup.isEmpty() && lastGroup != row.group) {
            footers << total.DisplayText();  // the footer prints before the reset
            list.RequestReset(rlGroup + 0);
        }
        lastGroup = row.group;
        Record(row.value, row.group);
        list.ComputeAll();
    }
    footers << total.DisplayText();
    EXPECT_EQ(footers, QStringList({"3.00", "30.00", "5.00"}));
    EXPECT_EQ(report.value.number, 38);
}

TEST_F(UserFunctionsTest, RequestResetMarksOnlyItsLevel) {
    TRadekFunkce& report = AddFunction("1", agCount, rlReport);
    TRadekFunkce& page = AddFunction("1", agCount, rlPage);
    TRadekFunkce& group1 = AddFunction("1", agCount, rlGroup + 1);
    list.RequestReset(rlPage);
    EXPECT_FALSE(report.resetPending);
    EXPECT_TRUE(page.resetPending);
    EXPECT_FALSE(group1.resetPending);
    list.RequestReset(rlGroup + 1);
    EXPECT_TRUE(group1.resetPending);
    list.ComputeAll();
    list.ComputeAll();
    list.RequestReset(rlPage);
    list.ComputeAll();
    EXPECT_EQ(report.value.number, 3);
    EXPECT_EQ(page.value.number, 1);
    EXPECT_EQ(group1.value.number, 3);  // its one reset came before the first record
}

TEST_F(UserFunctionsTest, ReferencesBetweenFunctions) {
    // Function 2 sees function 1 of this record; function 1 sees function 2
    // of the previous record.
    AddFunction("#1 + @2", agNone);
    AddFunction("@1 * 10", agNone);
    RunRecords({1});
    EXPECT_EQ(list[0].value.number, 1);  // @2 still holds its initial 0
    EXPECT_EQ(list[1].value.number, 10);
    Record(2);
    list.ComputeAll();
    EXPECT_EQ(list[0].value.number, 12);
    EXPECT_EQ(list[1].value.number, 120);
    list[1].expression = QStringLiteral("@funkce1 + 1");
    list.ComputeAll();
    EXPECT_EQ(list[0].value.number, 122);  // 2 + the previous 120
    EXPECT_EQ(list[1].value.number, 123);
}

TEST_F(UserFunctionsTest, DisplayTextInTheFiveNumberFormats) {
    TRadekFunkce& f = AddFunction("1234.5678", agNone);
    RunRecords({0});
    f.numberFormat = nfGeneral;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("1234.5678"));
    f.precision = 5;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("1234.6"));
    f.precision = 4;
    f.numberFormat = nfExponent;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("1.235E+03"));
    f.precision = 15;
    f.numberFormat = nfFixed;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("1234.57"));
    f.numberFormat = nfNumber;
    f.digits = 1;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("1 234.6"));
    f.numberFormat = nfCurrency;
    f.digits = 2;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("1 234.57 Kč"));
    f.numberFormat = 9;  // above 4: fixed
    EXPECT_EQ(f.DisplayText(), QStringLiteral("1234.57"));
}

TEST_F(UserFunctionsTest, DisplayTextOfTextAndOtherTypes) {
    TRadekFunkce& f = AddFunction("UPPER(#2) + '-' + #1", agNone);
    f.resultType = ftText;
    Record(7, "b");
    list.RequestReset(-1);
    list.ComputeAll();
    EXPECT_EQ(f.DisplayText(), QStringLiteral("B-7"));
    f.resultType = 2;
    EXPECT_EQ(f.DisplayText(), QString());
}

TEST_F(UserFunctionsTest, DeletingRenumbersLaterReferences) {
    for (int i = 0; i < 4; ++i) {
        list.AddNew();
    }
    list[0].expression = QStringLiteral("@1+@2+@3+@4+@12+@Funkce3+'@4'+@1234");
    list[3].expression = QStringLiteral("@3*@30");
    list.Delete(1);  // function 2
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0].expression, QStringLiteral("@1+@2+@2+@3+@11+@Funkce3+'@4'+@1234"));
    EXPECT_EQ(list[2].expression, QStringLiteral("@2*@29"));
    EXPECT_EQ(list[2].name, QStringLiteral("Funkce4"));  // names stay
    list.Delete(7);                                      // no such function: nothing happens
    EXPECT_EQ(list.Count(), 3);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(UserFunctionsRenumberTest, OnlyNumberedReferencesAboveTheRemovedOne) {
    EXPECT_EQ(RenumberFunctionReferences("@5 + @05 + @2", 3), QStringLiteral("@4 + @4 + @2"));
    EXPECT_EQ(RenumberFunctionReferences("#5 + &5 + %5", 1), QStringLiteral("#5 + &5 + %5"));
    EXPECT_EQ(RenumberFunctionReferences("@x5 + @", 1), QStringLiteral("@x5 + @"));
    EXPECT_EQ(RenumberFunctionReferences("'unterminated @9", 1),
              QStringLiteral("'unterminated @9"));
    EXPECT_EQ(RenumberFunctionReferences("@2 IN [@3, 'x@3']", 1),
              QStringLiteral("@1 IN [@2, 'x@3']"));
}

}  // namespace
