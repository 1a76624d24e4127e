// The data side of a report over a real kennel database: preparing and
// opening the data, stepping, restoring the current record, and the values
// the report reads from fields, from events and for fields that do not exist.

#include <gtest/gtest.h>

#include "component_fixture.h"
#include "report/engine/sestavy.h"
#include "report/output/output_dump.h"
#include "tests/support/seams.h"

using component_test::DataFolder;
using testing_support::ScriptedMessages;

namespace {

class BridgeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        report.SetDataSource(data.source.get());
        report.OnNactiPredlohu = [](TSestava& r) {
            r.SetPredloha(component_test::ListTemplate());
            return true;
        };
        report.OnError = [this](TSestava&, TSestError e) {
            errors.push_back(e);
            return true;
        };
    }

    QString DumpText() const { return DumpOutput(report.Output()).join(QLatin1Char('\n')); }
    int FieldIndex(const char* name) const { return report.FindField(QString::fromLatin1(name)); }

    DataFolder data;
    TSestava report;
    std::vector<TSestError> errors;
};

TEST_F(BridgeTest, ClosedTableIsOpenedAfterAskingAndClosedAfterTheRun) {
    data.cards->Close();
    ScriptedMessages messages;
    messages.Answer(platform::mbYes);
    EXPECT_EQ(report.Generate(), seOK);
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("Připojená tabulka není aktivní. Zkusit otevřít?"));
    EXPECT_EQ(messages.Shown()[0].caption, QStringLiteral("Potvrzení"));
    EXPECT_EQ(messages.Shown()[0].buttons, platform::mbYes | platform::mbNo);
    EXPECT_FALSE(data.cards->IsActive());
    EXPECT_TRUE(DumpText().contains(QStringLiteral("Cyril od Tří dubů")));
}

TEST_F(BridgeTest, AnsweringNoStopsTheRunWithoutFurtherMessages) {
    data.cards->Close();
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    EXPECT_EQ(report.Generate(), seJina);
    EXPECT_EQ(messages.Shown().size(), 1U);
    EXPECT_FALSE(data.cards->IsActive());
    EXPECT_EQ(errors, std::vector<TSestError>{seJina});
}

TEST_F(BridgeTest, AnOpenTableStaysOpenAndKeepsItsCurrentRecord) {
    data.cards->MoveTo(1);
    ScriptedMessages messages;
    EXPECT_EQ(report.Generate(), seOK);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(data.cards->IsActive());
    EXPECT_EQ(data.cards->RecNo(), 1);
    EXPECT_EQ(data.cards->FieldByName("Jmeno_call").AsString(), QStringLiteral("Bella"));
    EXPECT_FALSE(data.cards->ControlsDisabled());
}

TEST_F(BridgeTest, MissingDataSourceOrDataSetIsReportedAndEndsWithNine) {
    {
        TSestava bare;
        ScriptedMessages messages;
        EXPECT_EQ(bare.Generate(), seJina);
        ASSERT_EQ(messages.Shown().size(), 1U);
        EXPECT_EQ(messages.Shown()[0].text, QStringLiteral("Není definován zdroj dat."));
        EXPECT_EQ(messages.Shown()[0].caption, QStringLiteral("Chyba"));
    }
    platform::DataSource empty;
    TSestava unbound;
    unbound.SetDataSource(&empty);
    ScriptedMessages messages;
    EXPECT_EQ(unbound.Generate(), seJina);
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("Ke zdroji dat není připojena žádná tabulka."));
}

TEST_F(BridgeTest, ValuesOfTextBooleanAndNullFields) {
    ASSERT_TRUE(report.PrepareData());
    ASSERT_TRUE(report.LoadFieldLists());
    const int cislo = FieldIndex("registr_cislo");
    const int owned = FieldIndex("VLASTNICTVI");
    const int cip = FieldIndex("Cip");
    ASSERT_GE(cislo, 0);
    ASSERT_GE(owned, 0);
    ASSERT_GE(cip, 0);

    ASSERT_EQ(report.StepData(sdFirst), srBof);  // Arko
    EXPECT_DOUBLE_EQ(report.ValueNumber(cislo), 1234.5);
    EXPECT_DOUBLE_EQ(report.ValueNumber(owned), 1.0);
    EXPECT_EQ(report.ValueText(owned), data.cards->FieldByName("Vlastnictvi").DisplayText());
    EXPECT_EQ(report.DataType(owned), ftsBoolean);
    EXPECT_DOUBLE_EQ(report.ValueNumber(cip), 123.0);
    EXPECT_FALSE(report.IsNull(cip));

    ASSERT_EQ(report.StepData(sdNext), srOK);          // Bella
    EXPECT_DOUBLE_EQ(report.ValueNumber(cislo), 0.0);  // "abc"
    EXPECT_DOUBLE_EQ(report.ValueNumber(owned), 0.0);
    EXPECT_TRUE(report.IsNull(cip));
    EXPECT_EQ(report.ValueText(FieldIndex("Jmeno_call")), QStringLiteral("Bella"));

    EXPECT_EQ(report.StepData(sdNext), srOK);
    EXPECT_EQ(report.StepData(sdNext), srEof);
}

TEST_F(BridgeTest, FieldBeyondTheListReadsAsPlaceholder) {
    ASSERT_TRUE(report.LoadFieldLists());
    const int beyond = report.FieldCount() + 5;
    EXPECT_EQ(report.ValueText(beyond), QStringLiteral("Položka ?"));
    EXPECT_EQ(report.ValueText(-1), QStringLiteral("Položka ?"));
    EXPECT_DOUBLE_EQ(report.ValueNumber(beyond), 0.0);
    EXPECT_FALSE(report.IsNull(beyond));
    EXPECT_EQ(report.FieldName(beyond), QString::number(beyond));
    EXPECT_TRUE(report.FieldLabel(beyond).isEmpty());
    EXPECT_EQ(report.DisplayWidth(beyond), 10);
    EXPECT_EQ(report.DataType(beyond), ftsUnknown);
    EXPECT_EQ(report.FindField(QStringLiteral("Neni_takova")), -1);
}

TEST_F(BridgeTest, TypeAndAlignmentEventsOverrideTheStore) {
    ASSERT_TRUE(report.LoadFieldLists());
    const int call = FieldIndex("Jmeno_call");
    report.OnGetDataType = [call](TSestavaD&, int index, int& type) {
        if (index == call) {
            type = ftsMemo;
        }
    };
    report.OnGetAlignment = [](TSestavaD&, int, int& alignment) { alignment = 2; };
    EXPECT_EQ(report.DataType(call), ftsMemo);
    EXPECT_EQ(report.DataType(FieldIndex("Cip")), ftsLargeint);
    EXPECT_EQ(report.Alignment(call), 2);
    EXPECT_EQ(report.Alignment(999), 2);
}

TEST_F(BridgeTest, LabelsComeFromTheStoreAndFieldListsNeedADataSet) {
    data.cards->FieldByName("Jmeno_call").SetDisplayLabel(QStringLiteral("Volací jméno"));
    ASSERT_TRUE(report.LoadFieldLists());
    EXPECT_EQ(report.FieldLabel(FieldIndex("jmeno_call")), QStringLiteral("Volací jméno"));
    EXPECT_EQ(report.FieldValues.value(0), QStringLiteral("Položka 1"));

    TSestava bare;
    bare.SetFieldNames({QStringLiteral("A")});
    EXPECT_FALSE(bare.LoadFieldLists());
    EXPECT_EQ(bare.FieldNames(), QStringList{QStringLiteral("A")});
}

TEST(BridgeEventModeTest, EveryStepIsBothWithoutAStepHandler) {
    TSestava report;
    int refreshes = 0;
    report.OnGetData = [&refreshes](TSestavaD&) { ++refreshes; };
    for (TStepDir dir : {sdFirst, sdPrior, sdNext, sdLast}) {
        EXPECT_EQ(report.StepData(dir), srBoth);
    }
    EXPECT_EQ(refreshes, 4);
    ScriptedMessages messages;
    EXPECT_TRUE(report.PrepareData());  // no data source needed
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(BridgeEventModeTest, ValuesComeFromFieldValues) {
    TSestava report;
    report.OnGetData = [](TSestavaD& r) { r.FieldValues[1] = QStringLiteral("1 234,5"); };
    report.SetFieldNames({QStringLiteral("Jmeno"), QStringLiteral("Vaha")});
    EXPECT_EQ(report.FieldValues,
              (QStringList{QStringLiteral("Položka 1"), QStringLiteral("Položka 2")}));
    report.StepData(sdFirst);
    EXPECT_EQ(report.ValueText(0), QStringLiteral("Položka 1"));
    EXPECT_DOUBLE_EQ(report.ValueNumber(1), 1234.5);
    EXPECT_EQ(report.DataType(1), ftsUnknown);
    EXPECT_EQ(report.DisplayWidth(0), 10);
    EXPECT_EQ(report.FieldPicture(0), nullptr);
    EXPECT_EQ(report.FindField(QStringLiteral("VAHA")), 1);
}

TEST(BridgeEventModeTest, AStepHandlerDrivesAWholeRun) {
    TSestava report;
    const QStringList names = {QStringLiteral("Alfa"), QStringLiteral("Beta")};
    int position = -1;
    report.SetFieldNames({QStringLiteral("Jmeno_registr"), QStringLiteral("Jmeno_call")});
    report.OnStepData = [&](TSestavaD&, TStepDir dir) {
        position = dir == sdFirst ? 0 : position + 1;
        return position < names.size() ? srOK : srEof;
    };
    report.OnGetData = [&](TSestavaD& r) {
        if (position < names.size()) {
            r.FieldValues[0] = names[position];
        }
    };
    report.OnNactiPredlohu = [](TSestava& r) {
        r.SetPredloha(component_test::ListTemplate());
        return true;
    };
    ASSERT_EQ(report.Generate(), seOK);
    const QString dump = DumpOutput(report.Output()).join(QLatin1Char('\n'));
    EXPECT_TRUE(dump.contains(QStringLiteral("Alfa")));
    EXPECT_TRUE(dump.contains(QStringLiteral("Beta")));
}

TEST(BridgeStepTest, EmptyTableStandsAtBothEnds) {
    QTemporaryDir dir;
    platform::Database::CreateSchema(dir.path());
    platform::Database database(dir.path());
    platform::Table table(database, QStringLiteral("vrhy"));
    table.Open();
    platform::DataSource source(QString(), &table);
    TBridge bridge;
    EXPECT_EQ(bridge.Step(sdFirst), srBoth);  // nothing linked
    bridge.SetDataSource(&source);
    EXPECT_TRUE(bridge.IsDatabaseDataSet());
    EXPECT_EQ(bridge.Step(sdFirst), srBoth);
    bridge.SaveBookmark();
    EXPECT_FALSE(bridge.HasBookmark());
    bridge.RestoreBookmark();  // nothing saved: nothing happens
    EXPECT_EQ(bridge.FieldText(99), QString());
    EXPECT_DOUBLE_EQ(bridge.FieldFloat(-1), 0.0);
}

TEST(BridgeMemoTest, MemoFieldsGiveTheirWholeText) {
    QTemporaryDir dir;
    platform::Database::CreateSchema(dir.path());
    platform::Database database(dir.path());
    platform::Table litters(database, QStringLiteral("vrhy"));
    litters.Open();
    litters.Append();
    litters.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Bára"));
    litters.FieldByName("JmenaStenat").SetAsString(QStringLiteral("Ája, Bóbo\nCilka"));
    litters.Post();
    platform::DataSource source(QString(), &litters);
    TSestava report;
    report.SetDataSource(&source);
    ASSERT_TRUE(report.LoadFieldLists());
    const int memo = report.FindField(QStringLiteral("jmenastenat"));
    ASSERT_GE(memo, 0);
    ASSERT_EQ(report.StepData(sdFirst) & srEof, 0);
    EXPECT_EQ(report.DataType(memo), ftsMemo);
    EXPECT_EQ(report.MemoText(memo), QStringLiteral("Ája, Bóbo\nCilka"));
    TCalcType value;
    report.LoadFieldValue(memo, value);
    EXPECT_EQ(value.text, QStringLiteral("Ája, Bóbo\nCilka"));
    EXPECT_EQ(value.kind, ckOther);
    EXPECT_FALSE(value.null);
}

}  // namespace
