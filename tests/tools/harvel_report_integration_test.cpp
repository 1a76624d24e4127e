// Runs the built harvel-report program on a temporary data folder: text
// dumps, PDFs whose text can be extracted, PNG pages, expression answers and
// the exits for bad input.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>

#include "tests/report/engine/component_fixture.h"
#include "tests/support/program_run.h"

namespace {

using Result = testing_support::ProgramResult;

Result RunProgram(const QString& program, const QStringList& args) {
    return testing_support::RunProgram(program, args);
}

Result RunReport(const QStringList& args) {
    return RunProgram(QStringLiteral(HARVEL_BIN_DIR "/harvel-report"), args);
}

const QString kCardTemplate = QStringLiteral(HARVEL_SOURCE_DIR "/templates/EvidList01.pts");

class ReportTool : public ::testing::Test {
  protected:
    void SetUp() override {
        // Enough cards for two pages of the card list (three cards fit a page).
        const char* more[] = {"Dora", "Eda", "Fík", "Gita"};
        for (const char* name : more) {
            data.cards->Append();
            data.cards->FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
            data.cards->Post();
        }
        data.cards->Close();
        listTemplate = data.File(QStringLiteral("list.pts"));
        ASSERT_TRUE(component_test::ListTemplate().SaveToFile(listTemplate));
    }
    QStringList Base(const QString& templateFile) const {
        return {QStringLiteral("--data"),     data.Path(),
                QStringLiteral("--table"),    QStringLiteral("main_card"),
                QStringLiteral("--template"), templateFile};
    }
    QStringList Lines(const QString& file) const {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    component_test::DataFolder data;
    QString listTemplate;
};

TEST_F(ReportTool, DumpListsPagesAndElements) {
    const QString out = data.File(QStringLiteral("list.txt"));
    const Result r = RunReport(Base(listTemplate) << "--format"
                                                  << "dump"
                                                  << "--out" << out);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = Lines(out);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], QStringLiteral("page 1"));
    EXPECT_TRUE(lines.contains(QStringLiteral("2 10 5 400 20 Arko z Lesní paseky")));
    EXPECT_TRUE(lines.contains(QStringLiteral("2 10 35 400 20 Bella Šťastná hvězda")));
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^2 10 "))).size(), 7);
}

// A yes/no column reads as the program shows it, in reports as in the
// designer's sample values, which come from the same opened table.
TEST_F(ReportTool, YesNoColumnsReadAnoAndNe) {
    const QString owned = data.File(QStringLiteral("owned.pts"));
    ASSERT_TRUE(TPredloha(QStringList{
                              QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
                              QStringLiteral("I,3,2,1,30,0"),
                              QStringLiteral("T,2,Vlastnictvi,10,5,100,20,Arial,10,0,0,0,0,238,"
                                             "\"Vlastnictvi\",0,0,0,\"\",0,\"\""),
                          })
                    .SaveToFile(owned));
    const QString out = data.File(QStringLiteral("owned.txt"));
    const Result r = RunReport(Base(owned) << "--format"
                                           << "dump"
                                           << "--out" << out);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QStringList shown;
    for (const QString& line : Lines(out).filter(QRegularExpression(QStringLiteral("^2 10 ")))) {
        shown << line.section(QLatin1Char(' '), 5);
    }
    EXPECT_TRUE(shown.contains(QStringLiteral("Ano"))) << shown.join(',').toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Ne"))) << shown.join(',').toStdString();
    EXPECT_TRUE(shown.filter(QRegularExpression(QStringLiteral("True|False"))).isEmpty());
}

TEST_F(ReportTool, PageRangeAndMaxRecordsLimitTheOutput) {
    const QString out = data.File(QStringLiteral("cards.txt"));
    Result r = RunReport(Base(kCardTemplate) << "--format"
                                             << "dump"
                                             << "--out" << out);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    ASSERT_GE(Lines(out).filter(QRegularExpression(QStringLiteral("^page "))).size(), 2);

    r = RunReport(Base(kCardTemplate) << "--first"
                                      << "2"
                                      << "--last"
                                      << "2"
                                      << "--format"
                                      << "dump"
                                      << "--out" << out);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QStringList lines = Lines(out);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^page "))), QStringList{"page 2"});
    EXPECT_TRUE(lines.filter(QStringLiteral("Arko")).isEmpty());

    r = RunReport(Base(listTemplate) << "--max-records"
                                     << "2"
                                     << "--format"
                                     << "dump"
                                     << "--out" << out);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    lines = Lines(out);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^2 10 "))).size(), 2);
}

TEST_F(ReportTool, PdfKeepsTheTextSelectable) {
    const QString out = data.File(QStringLiteral("cards.pdf"));
    const Result r = RunReport(Base(kCardTemplate) << "--format"
                                                   << "pdf"
                                                   << "--out" << out);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const Result text = RunProgram(pdftotext, {out, QStringLiteral("-")});
    ASSERT_EQ(text.code, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("Kartotéka zvířat chovné stanice")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("Cyril od Tří dubů")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("Gita")));
    EXPECT_EQ(text.out.count(QLatin1Char('\f')), 2);  // one form feed per page
}

TEST_F(ReportTool, PngPagesAreNumberedAndSizedByDpi) {
    const QString out = data.File(QStringLiteral("cards.png"));
    Result r = RunReport(Base(kCardTemplate) << "--format"
                                             << "png"
                                             << "--out" << out);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QImage first(data.File(QStringLiteral("cards1.png")));
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(1239, 1754));  // A4 at 150 dpi
    EXPECT_TRUE(QFileInfo::exists(data.File(QStringLiteral("cards2.png"))));
    EXPECT_FALSE(QFileInfo::exists(out));
    // Something dark was drawn: the page is not blank.
    int dark = 0;
    for (int y = 0; y < first.height(); y += 2) {
        for (int x = 0; x < first.width(); x += 2) {
            dark += qGray(first.pixel(x, y)) < 128;
        }
    }
    EXPECT_GT(dark, 500);

    r = RunReport(Base(kCardTemplate) << "--dpi"
                                      << "50"
                                      << "--last"
                                      << "1"
                                      << "--format"
                                      << "png"
                                      << "--out" << data.File(QStringLiteral("small.png")));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(data.File(QStringLiteral("small1.png"))).size(), QSize(413, 585));
    EXPECT_FALSE(QFileInfo::exists(data.File(QStringLiteral("small2.png"))));
}

TEST_F(ReportTool, EvalAnswersOnTheFirstRecord) {
    const QStringList base = {QStringLiteral("--data"),  data.Path(),
                              QStringLiteral("--table"), QStringLiteral("main_card"),
                              QStringLiteral("--param"), QStringLiteral("1 234,5"),
                              QStringLiteral("--eval")};
    struct Case {
        const char* expression;
        const char* answer;
    } cases[] = {
        {"#Jmeno_call", "ok 2 0 0 Arko"}, {"#Cip*2", "ok 1 0 246 246"},
        {"&1", "ok 2 0 1234.5 1 234,5"},  {"#Datum_nar", "ok 0 1 0 "},
        {"#Neni", "error 1 0"},
    };
    for (const Case& c : cases) {
        const Result r = RunReport(QStringList(base) << QString::fromUtf8(c.expression));
        EXPECT_EQ(r.code, 0) << c.expression << r.err.toStdString();
        EXPECT_EQ(r.out, QString::fromUtf8(c.answer) + QLatin1Char('\n')) << c.expression;
    }
    // Division by zero: code 6; the position is the evaluator's to tell.
    const Result zero = RunReport(QStringList(base) << QStringLiteral("1/0"));
    EXPECT_EQ(zero.code, 0);
    EXPECT_TRUE(zero.out.startsWith(QStringLiteral("error 6 "))) << zero.out.toStdString();
    // Functions of a template given with --eval can be named.
    const Result function =
        RunReport(QStringList{"--data", data.Path(), "--table", "main_card", "--template",
                              kCardTemplate, "--eval", "@PocetZvirat+1"});
    EXPECT_EQ(function.out, QStringLiteral("ok 1 0 1 1\n")) << function.err.toStdString();
    const Result sql = RunReport({"--data", data.Path(), "--sql",
                                  "select Jmeno_call from main_card where Jmeno_call = 'Bella'",
                                  "--eval", "#Jmeno_call"});
    EXPECT_EQ(sql.out, QStringLiteral("ok 2 0 0 Bella\n")) << sql.err.toStdString();
}

TEST_F(ReportTool, BadInputExitsNonZeroWithAMessage) {
    const QString out = data.File(QStringLiteral("x.pdf"));
    struct Case {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        {{"--data", data.File("missing"), "--table", "main_card", "--eval", "1"}, 1, "neexistuje"},
        {{"--data", data.Path(), "--table", "nic", "--eval", "1"}, 1, "nic"},
        {Base(data.File("none.pts")) << "--format"
                                     << "pdf"
                                     << "--out" << out,
         1, "none.pts"},
        {Base(listTemplate) << "--format"
                            << "gif"
                            << "--out" << out,
         2, "gif"},
        {Base(listTemplate) << "--format"
                            << "pdf",
         2, "--out"},
        {{"--data", data.Path(), "--eval", "1"}, 2, "--table"},
        {Base(listTemplate) << "--first"
                            << "x"
                            << "--format"
                            << "pdf"
                            << "--out" << out,
         2, "--first"},
        {{"--bogus", "1"}, 2, "--bogus"},
        {{"--data", data.Path(), "--table", "main_card", "--codepage", "cp999", "--eval", "1"},
         2,
         "cp999"},
    };
    for (const Case& c : cases) {
        const Result r = RunReport(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

}  // namespace

namespace {

TEST(ReportToolHelp, HelpPrintsTheUsageAndSucceeds) {
    for (const char* flag : {"--help", "-h"}) {
        const Result help = RunReport({flag});
        EXPECT_EQ(help.code, 0) << flag;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Použití:"))) << help.out.toStdString();
        EXPECT_TRUE(help.out.contains("--format dump|pdf|png"));
        EXPECT_FALSE(help.err.contains(QStringLiteral("Neznámá volba"))) << help.err.toStdString();
    }
}

// --source takes the print page's sources 0 to 10 and the address book's 12.
TEST(ReportToolHelp, HelpNamesEverySourceTheOptionTakes) {
    const QString help = RunReport({"--help"}).out;
    EXPECT_FALSE(help.contains(QStringLiteral("--source 0-10"))) << help.toStdString();
    EXPECT_TRUE(
        help.contains(QStringLiteral("--source N [--where TEXT] [--order TEXT] --template")));
    EXPECT_TRUE(help.contains(QStringLiteral("0 až 10 zdroje tiskové stránky,")));
    EXPECT_TRUE(help.contains(QStringLiteral("12 adresář")));
}

}  // namespace
