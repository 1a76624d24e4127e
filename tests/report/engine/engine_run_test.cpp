// Report runs over small templates whose layout is worked out by hand:
// positions and texts are read from the output dump, not from the engine.
// A4 paper with margins 50/50/70/70 leaves a printable area 726 x 1029.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>

#include "report/engine/predloha.h"
#include "report/engine/sestavyt.h"
#include "report/output/output_dump.h"
#include "report/output/sestprn.h"
#include "tests/support/qt_printers.h"
#include "tests/support/seams.h"

namespace {

// A report over records held in memory; every field is text.
class MemoryReport : public TSestavaTyp {
  public:
    QStringList names;
    std::vector<QStringList> records;

    int FieldCount() const override { return int(names.size()); }
    int FindField(const QString& name) const override {
        for (int i = 0; i < names.size(); ++i) {
            if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }
    int DataType(int) override { return ftsString; }
    QString ValueText(int i) override {
        if (current_ < 0 || current_ >= int(records.size())) {
            return QString();
        }
        return records[current_].value(i);
    }
    double ValueNumber(int i) override { return ValueText(i).toDouble(); }
    QString FieldName(int i) override { return names.value(i); }
    TStepResult StepData(TStepDir dir) override {
        if (dir == sdFirst) {
            current_ = 0;
        } else if (dir == sdNext) {
            ++current_;
        }
        if (records.empty()) {
            return srBoth;
        }
        if (current_ >= int(records.size())) {
            current_ = int(records.size());
            return srEof;
        }
        return srOK;
    }

  private:
    int current_ = -1;
};

const QString kHeader = QStringLiteral("I,1,10,52,6\nI,2,0,826,1169,50,50,70,70,1,0\n");

// A text element record: section code, kind, source, box and text.
QString Element(const QString& code, int kind, int source, int left, int top, int width, int height,
                const QString& text = QString(), int alignByte = 0) {
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,Arial,10,0,0,%8,0,238,\"%9\",0,0,0,\"\",0,\"\"\n")
        .arg(code)
        .arg(kind)
        .arg(source)
        .arg(left)
        .arg(top)
        .arg(width)
        .arg(height)
        .arg(alignByte)
        .arg(text);
}

TPredloha Template(const QString& text) {
    QStringList lines = (kHeader + text).split('\n');
    lines.removeAll(QString());
    return TPredloha(lines);
}

// The dump with the elements of each page ordered by top, then left (the
// dump itself is in drawing order, which is not what these tests check).
QStringList ByPosition(const QStringList& dump) {
    QStringList sorted;
    QStringList page;
    auto flush = [&] {
        std::sort(page.begin(), page.end(), [](const QString& a, const QString& b) {
            const int ta = a.section(' ', 2, 2).toInt();
            const int tb = b.section(' ', 2, 2).toInt();
            if (ta != tb) {
                return ta < tb;
            }
            return a.section(' ', 1, 1).toInt() < b.section(' ', 1, 1).toInt();
        });
        sorted << page;
        page.clear();
    };
    for (const QString& line : dump) {
        if (line.startsWith("page ")) {
            flush();
            sorted << line;
        } else {
            page << line;
        }
    }
    flush();
    return sorted;
}

std::vector<QStringList> Rows(std::initializer_list<QStringList> rows) {
    return rows;
}

class EngineRun : public ::testing::Test {
  protected:
    void SetUp() override { savedPaper_ = PaperSetup(); }
    void TearDown() override { PaperSetup() = savedPaper_; }

    QStringList RunReport(MemoryReport& report, const QString& templateText) {
        report.SetPredloha(Template(templateText));
        EXPECT_EQ(report.Run(true), 0);
        return ByPosition(DumpOutput(report.Output()));
    }

  private:
    TPaperSetup savedPaper_;
    testing_support::FixedClock clock_{QDate(2026, 12, 9)};
};

}  // namespace

TEST_F(EngineRun, EmptyDataPrintsEverySectionOnceWithEmptyBody) {
    MemoryReport report;
    report.names = {"Jmeno"};
    const QStringList dump = RunReport(report, QStringLiteral("I,3,0,1,30,0\nI,3,1,1,40,0\n"
                                                              "I,3,2,1,20,0\nI,3,3,1,20,0\n") +
                                                   Element("Z", 1, 0, 0, 0, 200, 20, "Začátek") +
                                                   Element("H", 1, 0, 0, 0, 200, 20, "Hlava") +
                                                   Element("T", 2, 0, 0, 0, 200, 20) +
                                                   Element("K", 1, 0, 0, 0, 200, 20, "Konec"));
    // Report header first at 0, then the page header below it, the body, the footer.
    EXPECT_EQ(dump, QStringList({"page 1", "1 0 0 200 20 Začátek", "1 0 30 200 20 Hlava",
                                 "2 0 70 200 20 ", "1 0 90 200 20 Konec"}));
}

TEST_F(EngineRun, MaxRecordsPrintsThreeBodiesAndFooterShowsTheThird) {
    MemoryReport report;
    report.names = {"Jmeno"};
    for (int i = 1; i <= 10; ++i) {
        report.records.push_back({QStringLiteral("Pes %1").arg(i)});
    }
    report.MaxRecords = 3;
    const QStringList dump = RunReport(report, QStringLiteral("I,3,2,1,20,0\nI,3,3,1,20,0\n") +
                                                   Element("T", 2, 0, 0, 0, 200, 20) +
                                                   Element("K", 2, 0, 10, 0, 200, 20));
    EXPECT_EQ(dump, QStringList({"page 1", "2 0 0 200 20 Pes 1", "2 0 20 200 20 Pes 2",
                                 "2 0 40 200 20 Pes 3", "2 10 60 200 20 Pes 3"}));
}

TEST_F(EngineRun, NestedGroupsCloseInnerThenOuterShowingTheFinishedGroup) {
    MemoryReport report;
    report.names = {"Plemeno", "Pohlavi", "Jmeno"};
    report.records = Rows({{"A", "pes", "1"}, {"A", "fena", "2"}, {"B", "fena", "3"}});
    const QString groups = QStringLiteral(
        "I,3,2,1,20,0\n"
        "I,4,0,\"Plemeno\",1,20,1,20,0\n"
        "I,4,1,\"Pohlavi\",1,20,1,20,0\n");
    const QStringList dump = RunReport(
        report, groups + Element("T", 2, 2, 0, 0, 50, 20) + Element("S0", 2, 0, 0, 0, 50, 20) +
                    Element("U0", 2, 0, 100, 0, 50, 20) + Element("S1", 2, 1, 0, 0, 50, 20) +
                    Element("U1", 2, 1, 100, 0, 50, 20) + Element("U1", 5, 8, 200, 0, 50, 20));
    // The element at x 200 of the inner footer is variable 8, "Číslo skupiny 2" (the inner group).
    EXPECT_EQ(dump, QStringList({"page 1",
                                 "2 0 0 50 20 A",         // outer header
                                 "2 0 20 50 20 pes",      // inner header
                                 "2 0 40 50 20 1",        // body 1
                                 "2 100 60 50 20 pes",    // inner footer shows the finished group
                                 "5 200 60 50 20 1",      // first inner group of A
                                 "2 0 80 50 20 fena",     // inner header (record 2)
                                 "2 0 100 50 20 2",       // body 2
                                 "2 100 120 50 20 fena",  // inner footer (record 2)
                                 "5 200 120 50 20 2",     // second inner group of A
                                 "2 100 140 50 20 A",     // outer footer (record 2)
                                 "2 0 160 50 20 B",       // outer header (record 3)
                                 "2 0 180 50 20 fena",    // inner header (record 3)
                                 "2 0 200 50 20 3",       // body 3
                                 "2 100 220 50 20 fena",  // inner footer at the end
                                 "5 200 220 50 20 1",     // restarts at 1 under the new outer group
                                 "2 100 240 50 20 B"}));
}

TEST_F(EngineRun, PageBreaksRepeatHeaderAndFooterWithTheTotalPageCount) {
    MemoryReport report;
    report.names = {"Jmeno"};
    for (int i = 1; i <= 5; ++i) {
        report.records.push_back({QString::number(i)});
    }
    const QStringList dump =
        RunReport(report, QStringLiteral("I,3,1,1,50,0\nI,3,2,1,400,0\nI,3,4,1,50,0\n") +
                              Element("H", 5, 3, 0, 0, 50, 20) + Element("T", 2, 0, 0, 0, 50, 20) +
                              Element("P", 5, 4, 0, 0, 50, 20));
    // Two bodies fit under the header (50 + 800 <= 979); the footer sits at 1029 - 50.
    EXPECT_EQ(dump, QStringList({"page 1", "5 0 0 50 20 1", "2 0 50 50 20 1", "2 0 450 50 20 2",
                                 "5 0 979 50 20 3", "page 2", "5 0 0 50 20 2", "2 0 50 50 20 3",
                                 "2 0 450 50 20 4", "5 0 979 50 20 3", "page 3", "5 0 0 50 20 3",
                                 "2 0 50 50 20 5", "5 0 979 50 20 3"}));
}

TEST_F(EngineRun, HeaderFlagBitOneLeavesPagesAfterABreakWithoutHeader) {
    MemoryReport report;
    report.names = {"Jmeno"};
    for (int i = 1; i <= 3; ++i) {
        report.records.push_back({QString::number(i)});
    }
    const QStringList dump = RunReport(report, QStringLiteral("I,3,1,1,50,2\nI,3,2,1,600,0\n") +
                                                   Element("H", 1, 0, 0, 0, 50, 20, "Hlava") +
                                                   Element("T", 2, 0, 0, 0, 50, 20));
    EXPECT_EQ(dump, QStringList({"page 1", "1 0 0 50 20 Hlava", "2 0 50 50 20 1", "page 2",
                                 "2 0 0 50 20 2", "page 3", "2 0 0 50 20 3"}));
}

TEST_F(EngineRun, EndPageTwoStopsAfterTheSecondPageWithoutReportFooter) {
    MemoryReport report;
    report.names = {"Jmeno"};
    for (int i = 1; i <= 6; ++i) {
        report.records.push_back({QString::number(i)});
    }
    report.EndPage = 2;
    const QStringList dump = RunReport(report, QStringLiteral("I,3,2,1,600,0\nI,3,3,1,20,0\n") +
                                                   Element("T", 2, 0, 0, 0, 50, 20) +
                                                   Element("K", 1, 0, 0, 0, 50, 20, "Konec"));
    EXPECT_EQ(dump, QStringList({"page 1", "2 0 0 50 20 1", "page 2", "2 0 0 50 20 2"}));
}

TEST_F(EngineRun, UnpagedModeMakesOnePageAsLongAsItsContent) {
    MemoryReport report;
    report.names = {"Jmeno"};
    for (int i = 1; i <= 4; ++i) {
        report.records.push_back({QString::number(i)});
    }
    report.Unpaged = true;
    const QStringList dump = RunReport(report, QStringLiteral("I,3,2,1,600,0\nI,3,4,1,30,0\n") +
                                                   Element("T", 2, 0, 0, 0, 50, 20) +
                                                   Element("P", 1, 0, 0, 0, 50, 20, "Pata"));
    EXPECT_EQ(dump, QStringList({"page 1", "2 0 0 50 20 1", "2 0 600 50 20 2", "2 0 1200 50 20 3",
                                 "2 0 1800 50 20 4", "1 0 2400 50 20 Pata"}));
    EXPECT_EQ(report.Output().PageBottom, 2430);
}

TEST_F(EngineRun, ThreePrintColumnsWithAGroupChangeInColumnTwo) {
    MemoryReport report;
    report.names = {"Skupina", "Jmeno"};
    report.records = Rows({{"A", "1"}, {"A", "2"}, {"A", "3"}, {"A", "4"}, {"B", "5"}});
    // Printable width 726, no gap: columns at 0, 242, 484.
    const QStringList dump =
        RunReport(report, QStringLiteral("I,2,0,826,1169,50,50,70,70,3,0\nI,3,2,1,20,0\n"
                                         "I,4,0,\"Skupina\",0,20,1,20,0\n") +
                              Element("T", 2, 1, 0, 0, 50, 20) + Element("U0", 2, 0, 0, 0, 50, 20));
    EXPECT_EQ(dump, QStringList({"page 1", "2 0 0 50 20 1", "2 242 0 50 20 2", "2 484 0 50 20 3",
                                 "2 0 20 50 20 4",
                                 // group change in column 2: next row first, then the footer
                                 "2 0 40 50 20 A", "2 0 60 50 20 5", "2 0 80 50 20 B"}));
}

TEST_F(EngineRun, ReportFooterAlignedToThePageFooter) {
    MemoryReport report;
    report.names = {"Jmeno"};
    report.records = Rows({{"1"}});
    const QStringList dump = RunReport(
        report, QStringLiteral("I,3,2,1,20,0\nI,3,3,1,40,2\nI,3,4,1,30,0\n") +
                    Element("T", 2, 0, 0, 0, 50, 20) + Element("K", 1, 0, 0, 0, 50, 20, "Konec") +
                    Element("P", 1, 0, 0, 0, 50, 20, "Pata"));
    // 1029 - 40 - 30 = 959 for the report footer; page footer at 999.
    EXPECT_EQ(dump, QStringList(
                        {"page 1", "2 0 0 50 20 1", "1 0 959 50 20 Konec", "1 0 999 50 20 Pata"}));
}

TEST_F(EngineRun, VariableHeightTextSplitsAcrossPagesAndPushesTheNextBand) {
    MemoryReport report;
    report.names = {"Poznamka"};
    QStringList many;
    for (int i = 1; i <= 120; ++i) {
        many << QStringLiteral("řádek %1").arg(i);
    }
    report.records = Rows({{many.join('\n')}});
    // Body: a growing text at 0 (height 20) and a text below it at 30.
    const QStringList dump =
        RunReport(report, QStringLiteral("I,3,1,1,40,0\nI,3,2,1,50,0\n") +
                              Element("H", 1, 0, 0, 0, 50, 20, "Hlava") +
                              Element("T", 2, 0, 0, 40, 300, 20, QString(), 0x50) +
                              Element("T", 1, 0, 0, 40 + 30, 100, 20, "Pod"));
    ASSERT_GE(dump.size(), 6);
    EXPECT_EQ(dump[0], "page 1");
    const int page2 = dump.indexOf("page 2");
    ASSERT_GT(page2, 0);
    // First part right under the header on page 1 down to the bottom of the page.
    EXPECT_TRUE(dump[2].startsWith("2 0 80 300 ")) << dump.join('\n').toStdString();
    // The second part starts right under the header of page 2.
    const QStringList secondPart = dump.filter(QRegularExpression("^2 0 40 300 "));
    ASSERT_EQ(secondPart.size(), 1);
    const int secondHeight = secondPart[0].section(' ', 4, 4).toInt();
    // The next band follows the end of the second part (the gap of 10 kept).
    const QString below = dump.filter(QRegularExpression(" Pod$")).value(0);
    EXPECT_EQ(below.section(' ', 2, 2).toInt(), 40 + secondHeight + 10) << below.toStdString();
    EXPECT_GT(dump.indexOf(below), page2);
}

TEST_F(EngineRun, VariableHeightTextNeedingLessThanItsHeightKeepsTheLayout) {
    MemoryReport report;
    report.names = {"Poznamka"};
    report.records = Rows({{"krátké"}, {"také krátké"}});
    const QStringList dump =
        RunReport(report, QStringLiteral("I,3,2,1,100,0\n") +
                              Element("T", 2, 0, 0, 0, 300, 60, QString(), 0x50) +
                              Element("T", 1, 0, 0, 70, 100, 20, "Pod"));
    EXPECT_EQ(dump, QStringList({"page 1", "2 0 0 300 60 krátké", "1 0 70 100 20 Pod",
                                 "2 0 100 300 60 také krátké", "1 0 170 100 20 Pod"}));
}

TEST_F(EngineRun, DetailReportIsPlacedInsideTheBody) {
    MemoryReport master;
    master.names = {"Jmeno"};
    master.records = Rows({{"Alfa"}});
    MemoryReport detail;
    detail.names = {"Vrh"};
    detail.records = Rows({{"V1"}, {"V2"}});
    master.Detaily().Add(&detail);
    detail.SetMaster(&master);
    const QStringList dump =
        RunReport(master, QStringLiteral("I,3,2,1,60,0\n") + Element("T", 2, 0, 0, 0, 100, 20) +
                              QStringLiteral("T,15,0,0,20,300,20\n") +
                              Element("T", 1, 0, 0, 40, 100, 20, "Pod") +
                              QStringLiteral("D0,I,3,2,1,20,0\n") + QStringLiteral("D0,") +
                              Element("T", 2, 0, 20, 0, 100, 20));
    EXPECT_EQ(dump, QStringList({"page 1", "2 0 0 100 20 Alfa", "2 20 20 100 20 V1",
                                 "2 20 40 100 20 V2", "1 0 60 100 20 Pod"}));
}

TEST_F(EngineRun, MissingFieldsFunctionsDetailsAndPicturesDoNotStopTheRun) {
    MemoryReport report;
    report.names = {"Jmeno"};
    report.records = Rows({{"A"}});
    const QStringList dump = RunReport(
        report, QStringLiteral("I,3,2,1,100,0\n") + Element("T", 2, 7, 0, 0, 50, 20) +
                    Element("T", 6, 9, 0, 20, 50, 20) + QStringLiteral("T,15,5,0,40,50,20\n") +
                    QStringLiteral("T,11,0,0,60,50,20,,1,0,0,0,0,0,\"neni.bmp\",,,,\"\",0,\"\"\n") +
                    Element("T", 1, 0, 90000, 90000, 50, 20, "Daleko"));
    EXPECT_TRUE(dump.contains("1 90000 90000 50 20 Daleko")) << dump.join('\n').toStdString();
}

namespace {

// A progress window whose user cancels at the first poll.
class CancelAtOnce : public TRunProgress {
  public:
    void SetText(const QString&) override {}
    bool Poll() override { return true; }
};

}  // namespace

// The expression evaluator reads the current value provider; a run makes
// itself current and gives the provider back however it ends.
TEST_F(EngineRun, EveryEndOfARunGivesTheValueProviderBack) {
    MemoryReport outer;
    const TValueProviderScope outerCurrent(&outer);
    const TPredloha body = Template(Element("T", 2, 0, 0, 0, 100, 20));

    MemoryReport finished;
    finished.names = {"Jmeno"};
    finished.records = Rows({{"A"}, {"B"}});
    finished.SetPredloha(body);
    EXPECT_EQ(finished.Run(true), TSestavaTyp::rrFinished);
    EXPECT_EQ(CurrentValueProvider(), &outer);

    // A detail without records ends before it lays anything out.
    MemoryReport emptyDetail;
    emptyDetail.names = {"Jmeno"};
    emptyDetail.SetPredloha(body);
    EXPECT_EQ(emptyDetail.Run(false), TSestavaTyp::rrFinished);
    EXPECT_EQ(CurrentValueProvider(), &outer);

    MemoryReport cancelled;
    cancelled.names = {"Jmeno"};
    cancelled.records = Rows({{"A"}, {"B"}});
    cancelled.SetPredloha(body);
    SetRunProgressFactory([] { return std::make_unique<CancelAtOnce>(); });
    EXPECT_EQ(cancelled.Run(true), TSestavaTyp::rrCancelled);
    SetRunProgressFactory(nullptr);
    EXPECT_EQ(CurrentValueProvider(), &outer);
}
