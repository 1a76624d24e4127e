// harvel-report --draft: a new template drafted from chosen fields of the
// data, written to a file that then prints; an unknown field writes nothing.

#include <gtest/gtest.h>

#include <QFile>

#include "report/engine/predloha.h"
#include "tests/report/engine/component_fixture.h"
#include "tests/support/program_run.h"

namespace {

using Result = testing_support::ProgramResult;

Result RunReport(const QStringList& args) {
    return testing_support::RunProgram(QStringLiteral(HARVEL_BIN_DIR "/harvel-report"), args);
}

class DraftTool : public ::testing::Test {
  protected:
    void SetUp() override { data.cards->Close(); }
    QStringList Base() const {
        return {QStringLiteral("--data"), data.Path(), QStringLiteral("--table"),
                QStringLiteral("main_card")};
    }
    component_test::DataFolder data;
};

}  // namespace

TEST_F(DraftTool, DraftsTheColumnListAndItPrints) {
    const QString out = data.File(QStringLiteral("novy.pts"));
    const Result r = RunReport(
        Base() << QStringLiteral("--draft") << out << QStringLiteral("--fields")
               << QStringLiteral("Jmeno_registr,Jmeno_call") << QStringLiteral("--by-name"));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    TPredloha drafted;
    ASSERT_TRUE(drafted.LoadFromFile(out));
    const QStringList& lines = drafted.Lines();
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("I,5,0"));
    EXPECT_EQ(lines[1], QStringLiteral("I,6,0,8,8"));
    EXPECT_EQ(lines[2], QStringLiteral("I,3,0,1,96"));
    bool field = false;
    for (const QString& line : lines) {
        field = field || line.startsWith(QStringLiteral("T,2,Jmeno_call,"));
    }
    EXPECT_TRUE(field);
    const QString dump = data.File(QStringLiteral("novy.txt"));
    const Result printed =
        RunReport(Base() << QStringLiteral("--template") << out << QStringLiteral("--format")
                         << QStringLiteral("dump") << QStringLiteral("--out") << dump);
    ASSERT_EQ(printed.code, 0) << printed.err.toStdString();
    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Nadpis sestavy")));
    EXPECT_TRUE(text.contains(QStringLiteral("Cyril od Tří dubů")));
}

TEST_F(DraftTool, RowStyleWithTextCaptions) {
    const QString out = data.File(QStringLiteral("radky.pts"));
    const Result r = RunReport(Base() << QStringLiteral("--draft") << out
                                      << QStringLiteral("--fields") << QStringLiteral("Jmeno_call")
                                      << QStringLiteral("--style") << QStringLiteral("row")
                                      << QStringLiteral("--captions") << QStringLiteral("text"));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    TPredloha drafted;
    ASSERT_TRUE(drafted.LoadFromFile(out));
    EXPECT_TRUE(drafted.Lines().contains(QStringLiteral("I,3,1,1,16")));
    bool caption = false;
    for (const QString& line : drafted.Lines()) {
        caption = caption || (line.startsWith(QStringLiteral("T,1,0,0,0,84,20,")) &&
                              line.endsWith(QLatin1String("\"")));
    }
    EXPECT_TRUE(caption);
}

TEST_F(DraftTool, AnUnknownFieldWritesNothing) {
    const QString out = data.File(QStringLiteral("zadny.pts"));
    const Result r =
        RunReport(Base() << QStringLiteral("--draft") << out << QStringLiteral("--fields")
                         << QStringLiteral("Jmeno_registr,Vaha_psa"));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("Položka \"Vaha_psa\" není mezi položkami dat sestavy.")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(DraftTool, BadStyleIsAUsageError) {
    const Result r =
        RunReport(Base() << QStringLiteral("--draft") << data.File(QStringLiteral("x.pts"))
                         << QStringLiteral("--fields") << QStringLiteral("Jmeno_call")
                         << QStringLiteral("--style") << QStringLiteral("diagonal"));
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Neznámý styl \"diagonal\"")));
}

// A column named with a letter Windows-1250 lacks (a query's alias) used to be
// drafted as "?": the template named a field that is not there and its caption
// printed "?".
TEST_F(DraftTool, NamesBeyondWindows1250AreDraftedAsTheyAre) {
    const QString out = data.File(QStringLiteral("omega.pts"));
    const QStringList base = {
        QStringLiteral("--data"), data.Path(), QStringLiteral("--sql"),
        QStringLiteral("Select Jmeno_registr AS Odpor_Ω, Jmeno_call from Main_card")};
    const Result r = RunReport(
        QStringList(base) << QStringLiteral("--draft") << out << QStringLiteral("--fields")
                          << QStringLiteral("Odpor_Ω,Jmeno_call") << QStringLiteral("--by-name")
                          << QStringLiteral("--captions") << QStringLiteral("text"));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(bytes.contains('?'));
    TPredloha drafted;
    ASSERT_TRUE(drafted.LoadFromFile(out));
    EXPECT_EQ(drafted.ToBytes(), bytes);
    EXPECT_EQ(drafted.Lines().filter(QStringLiteral("T,2,Odpor_Ω,")).size(), 1);
    EXPECT_EQ(drafted.Lines().filter(QStringLiteral(",\"Odpor_Ω\"")).size(), 1);

    // It prints the field and its caption.
    const QString dump = data.File(QStringLiteral("omega.txt"));
    const Result printed = RunReport(
        QStringList(base) << QStringLiteral("--template") << out << QStringLiteral("--format")
                          << QStringLiteral("dump") << QStringLiteral("--out") << dump
                          << QStringLiteral("--strict"));
    ASSERT_EQ(printed.code, 0) << printed.err.toStdString();
    QFile text(dump);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString pages = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(pages.contains(QStringLiteral(" Odpor_Ω\n"))) << pages.toStdString();
    EXPECT_TRUE(pages.contains(QStringLiteral("Cyril od Tří dubů")));
}
