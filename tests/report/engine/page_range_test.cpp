// How far a run goes: every page of the report unless a page range is set,
// and a set range that ends the run early says so once. One record a page
// over a small template, so that ten thousand pages stay quick.
#include <gtest/gtest.h>

#include "report/engine/predloha.h"
#include "report/engine/sestavyt.h"
#include "report/output/sestprn.h"
#include "tests/support/seams.h"

namespace {

// `records` records whose one field is the record's number, 1-based.
class NumberedReport : public TSestavaTyp {
  public:
    explicit NumberedReport(int records) : records_(records) {}
    int FieldCount() const override { return 1; }
    int FindField(const QString&) const override { return 0; }
    int DataType(int) override { return ftsInteger; }
    QString ValueText(int) override { return QString::number(current_ + 1); }
    double ValueNumber(int) override { return current_ + 1; }
    TStepResult StepData(TStepDir dir) override {
        current_ = dir == sdFirst ? 0 : current_ + 1;
        return current_ < records_ ? srOK : srEof;
    }

  private:
    int records_;
    int current_ = 0;
};

QString Text(const QString& code, int kind, int source, int left, const QString& pattern) {
    return QStringLiteral("%1,%2,%3,%4,0,100,18,Arial,9,0,0,0,0,238,\"%5\",0,0,0,\"\",0,\"\"")
        .arg(code)
        .arg(kind)
        .arg(source)
        .arg(left)
        .arg(pattern);
}

// A4 with a printable height of 1029: a header of 9, a body of 1000 and a
// footer of 20 leave room for one record a page. The footer shows "page /
// total"; the header begins every page, also one begun past a range.
TPredloha OneRecordAPage() {
    return TPredloha(QStringList{
        "I,0,\"Karty\"",
        "I,1,10,52,6",
        "I,2,0,826,1169,50,50,70,70,1,0",
        "I,3,1,1,9,0",
        "I,3,2,1,1000,0",
        "I,3,4,1,20,0",
        Text("H", 1, 0, 0, "Karty"),
        Text("T", 2, 0, 0, QString()),
        Text("P", 5, 3, 400, "%d"),
        Text("P", 5, 4, 520, "/ %d"),
    });
}

// The texts of one page, in drawing order.
QStringList PageTexts(const TSestVystup& output, int page) {
    QStringList texts;
    const TStranaPrvku& elements = output.ReadPage(page);
    for (int i = 0; i < elements.Count(); ++i) {
        texts << elements.Item(i).GetText();
    }
    texts.sort();
    return texts;
}

QString RangeMessage(int lastPage) {
    return QStringLiteral(
               "Sestava \"Karty\" skončila na stránce %1, jak určil zadaný rozsah stránek; "
               "další stránky nebyly vytvořeny.")
        .arg(lastPage);
}

class PageRange : public ::testing::Test {
  protected:
    void SetUp() override { savedPaper_ = PaperSetup(); }
    void TearDown() override { PaperSetup() = savedPaper_; }

    // Runs the report, counting the warning events it raises.
    void Run(NumberedReport& report) {
        report.OnRunError = [this](TSestavaTyp&, const TRunError&) { ++warnings; };
        report.SetPredloha(OneRecordAPage());
        ASSERT_EQ(report.Run(true), 0);
    }

    int warnings = 0;

  private:
    TPaperSetup savedPaper_;
    testing_support::FixedClock clock_{QDate(2026, 12, 10)};
};

}  // namespace

// Past the 9,999 pages that once were every run's silent end.
TEST_F(PageRange, WithoutARangeEveryPageIsMadeAndCounted) {
    NumberedReport report(10001);
    Run(report);
    const TSestVystup& output = report.Output();
    ASSERT_EQ(output.PageCount(), 10001);
    EXPECT_EQ(PageTexts(output, 10000), (QStringList{"/ 10001", "10001", "10001", "Karty"}));
    EXPECT_EQ(PageTexts(output, 9998), (QStringList{"/ 10001", "9999", "9999", "Karty"}));
    EXPECT_EQ(warnings, 0);
    EXPECT_TRUE(report.RunErrors().IsEmpty());
}

TEST_F(PageRange, ARangeEndingBeforeTheReportsEndIsHonouredAndReportedOnce) {
    NumberedReport report(10);
    report.EndPage = 4;
    Run(report);
    const TSestVystup& output = report.Output();
    ASSERT_EQ(output.PageCount(), 4);
    // The total counts the pages the range keeps, not the one begun past it.
    EXPECT_EQ(PageTexts(output, 3), (QStringList{"/ 4", "4", "4", "Karty"}));
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(report.RunErrors().Messages(), QStringList{RangeMessage(4)});

    // The output's range set again before showing it drops nothing more and says nothing more.
    report.Output().SetRange(report.StartPage, report.EndPage, QString(), slUndefined, 1);
    EXPECT_EQ(output.PageCount(), 4);
    EXPECT_EQ(warnings, 1);
}

TEST_F(PageRange, ARangeThatTheReportDoesNotPassSaysNothing) {
    for (const int lastPage : {10, 11}) {
        NumberedReport report(10);
        report.EndPage = lastPage;
        warnings = 0;
        Run(report);
        EXPECT_EQ(report.Output().PageCount(), 10) << lastPage;
        EXPECT_EQ(warnings, 0) << lastPage;
    }
    // A first page alone does not end the run early.
    NumberedReport fromThird(10);
    fromThird.StartPage = 3;
    warnings = 0;
    Run(fromThird);
    EXPECT_EQ(fromThird.Output().PageCount(), 10);
    EXPECT_EQ(warnings, 0);
}

// A record whose text grows over several pages makes pages past the range
// without passing a record boundary; the range drops them and says so.
TEST_F(PageRange, PagesMadePastTheRangeByAGrowingTextAreReported) {
    NumberedReport report(1);
    report.EndPage = 2;
    report.OnRunError = [this](TSestavaTyp&, const TRunError&) { ++warnings; };
    QString lines;
    for (int i = 0; i < 400; ++i) {
        lines += QStringLiteral("řádek %1 ").arg(i);
    }
    // Variable height (0x40) and multi-line (0x10): the text runs over pages.
    report.SetPredloha(TPredloha(QStringList{
        "I,0,\"Karty\"", "I,1,10,52,6", "I,2,0,826,1169,50,50,70,70,1,0", "I,3,2,1,30,0",
        QStringLiteral("T,1,0,0,0,60,20,Arial,9,0,0,80,0,238,\"%1\",0,0,0,\"\",0,\"\"")
            .arg(lines)}));
    ASSERT_EQ(report.Run(true), 0);
    EXPECT_EQ(report.Output().PageCount(), 2);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(report.RunErrors().Messages(), QStringList{RangeMessage(2)});
}

// A text taller than ten thousand pages is laid out whole: every line lands
// on a page, none is left out and nothing is reported.
TEST_F(PageRange, AGrowingTextOverMoreThanTenThousandPagesKeepsEveryLine) {
    constexpr int kLines = 10005;
    NumberedReport report(1);
    report.OnRunError = [this](TSestavaTyp&, const TRunError&) { ++warnings; };
    // Single-letter words; the last one differs, so a cut end shows.
    QStringList words(kLines - 1, QStringLiteral("x"));
    words << QStringLiteral("z");
    // A font so large that one line fills a page, and a column so narrow
    // that every word is a line of its own.
    report.SetPredloha(TPredloha(QStringList{
        "I,0,\"Karty\"", "I,1,10,52,6", "I,2,0,826,1169,50,50,70,70,1,0", "I,3,2,1,30,0",
        QStringLiteral("T,1,0,0,0,60,20,Arial,400,0,0,80,0,238,\"%1\",0,0,0,\"\",0,\"\"")
            .arg(words.join(' '))}));
    ASSERT_EQ(report.Run(true), 0);
    const TSestVystup& output = report.Output();
    ASSERT_GE(output.PageCount(), kLines);
    QString printed;
    for (int page = 0; page < output.PageCount(); ++page) {
        printed += PageTexts(output, page).join(QString()).trimmed();
    }
    EXPECT_EQ(printed, words.join(QString()));
    EXPECT_EQ(warnings, 0);
}

// An application's drawing that never says it has ended stops after ten
// thousand pages, and the run says so.
TEST_F(PageRange, ADrawingThatNeverEndsIsCutAndReported) {
    NumberedReport report(1);
    report.OnRunError = [this](TSestavaTyp&, const TRunError&) { ++warnings; };
    int calls = 0;
    report.OnPaintBoxSize = [&calls](TSestavaTyp&, int, int, int, int& pos, int& next,
                                     platform::Canvas&) {
        ++calls;
        pos = 0;
        next = 1;
    };
    // Kind 13 is the application's drawing area, growing (0x40).
    report.SetPredloha(TPredloha(QStringList{
        "I,0,\"Karty\"", "I,1,10,52,6", "I,2,0,826,1169,50,50,70,70,1,0", "I,3,2,1,30,0",
        "T,13,0,0,0,60,20,Arial,9,0,0,64,0,238,\"\",0,0,0,\"\",0,\"\""}));
    ASSERT_EQ(report.Run(true), 0);
    EXPECT_EQ(calls, 10000);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(report.RunErrors().Messages(),
              QStringList{QStringLiteral("Kreslicí plocha sestavy \"Karty\" nekončila ani po "
                                         "10000 stránkách; další její stránky nebyly vytvořeny.")});
}
