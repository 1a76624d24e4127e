// Lists handed to spreadsheets: the .csv text as Czech spreadsheet programs
// read it, the .xlsx workbook read back by openpyxl (types, captions, a
// frozen header, formula-looking texts kept as text), the current row kept,
// and a failed write that leaves the target as it was.

#include "platform/sheets/sheet_export.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/store/store.h"
#include "tests/platform/store/store_fixture.h"
#include "tests/support/test_files.h"

namespace {

using platform::SheetFormat;
using testing_support::ReadFile;

class SheetExport : public store_test::StoreFixture {
  protected:
    void SetUp() override {
        StoreFixture::SetUp();
        AddCard(QStringLiteral("Áron z Lipové aleje"), {{"Jmeno_call", "Ári"},
                                                        {"Datum_nar", "3.4.2021"},
                                                        {"Vaha_narozeni", "0.45"},
                                                        {"Vlastnictvi", "true"},
                                                        {"Poznamka", "=SUM(A1:A9)"}});
        AddCard(QStringLiteral("Čiperka"), {{"Jmeno_call", "-ťapka-"}, {"Poznamka", "@dnes"}});
        query_ = std::make_unique<platform::Query>(*db_);
        query_->SetSQL(
            {QStringLiteral("Select Jmeno_registr, Jmeno_call, Datum_nar, "
                            "Vaha_narozeni, Vlastnictvi, Poznamka from Main_card "
                            "order by Jmeno_registr")});
        query_->Open();
        query_->FieldByName("Vaha_narozeni").SetDisplayFormat(QStringLiteral("0.00  kg"));
    }

    QString Out(const QString& name) const { return dir_.filePath(name); }

    std::unique_ptr<platform::Query> query_;
};

TEST_F(SheetExport, CsvIsUtf8WithAMarkSemicolonsDecimalCommasAndTextThatIsNoFormula) {
    const platform::SheetResult result =
        platform::WriteSheet(*query_, Out("seznam.csv"), SheetFormat::Csv, "Evidenční listy");
    ASSERT_TRUE(result.Ok()) << result.error.toStdString();
    EXPECT_EQ(result.rows, 2);
    const QByteArray bytes = ReadFile(Out("seznam.csv"));
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);  // header, two rows, the end of the last line
    EXPECT_EQ(lines[0].toStdString(),
              "Registrované jméno;Jméno volací;Datum narození;"
              "Váha při narození (kg);Ve vlastnictví;Poznámky");
    EXPECT_EQ(lines[1].toStdString(), "Áron z Lipové aleje;Ári;3.4.2021;0,45;Ano;'=SUM(A1:A9)");
    EXPECT_EQ(lines[2].toStdString(), "Čiperka;'-ťapka-;;;Ne;'@dnes");
    EXPECT_TRUE(lines[3].isEmpty());
}

// The workbook as openpyxl reads it: "<coordinate> <type> <format> <value>"
// per cell, plus the sheet's name, frozen cell, filter and column widths.
QStringList ReadBack(const QString& file) {
    QProcess python;
    // Debian's own Python, which has the package, before any other on the path.
    const QString program = QFile::exists(QStringLiteral("/usr/bin/python3"))
                                ? QStringLiteral("/usr/bin/python3")
                                : QStringLiteral("python3");
    python.start(program,
                 {QStringLiteral(HARVEL_SOURCE_DIR "/tests/platform/sheets/read_xlsx.py"), file});
    if (!python.waitForFinished(60000)) {
        return {QStringLiteral("python3 did not run")};
    }
    if (python.exitCode() == 77) {
        return {};
    }
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

TEST_F(SheetExport, WorkbookReadBackHasCaptionsDatesNumbersAndTextsAsTheListShowsThem) {
    const platform::SheetResult result =
        platform::WriteSheet(*query_, Out("seznam.xlsx"), SheetFormat::Xlsx, "Evidenční listy");
    ASSERT_TRUE(result.Ok()) << result.error.toStdString();
    const QStringList lines = ReadBack(Out("seznam.xlsx"));
    if (lines.isEmpty()) {
        GTEST_SKIP() << "python3-openpyxl is not installed";
    }
    const auto has = [&lines](const QString& line) {
        EXPECT_TRUE(lines.contains(line)) << line.toStdString() << "\nin:\n"
                                          << lines.join(u'\n').toStdString();
    };
    has(QStringLiteral("sheet Evidenční listy"));
    has(QStringLiteral("freeze A2"));
    has(QStringLiteral("filter A1:F3"));
    has(QStringLiteral("cell A1 s General Registrované jméno"));
    has(QStringLiteral("cell D1 s General Váha při narození"));
    has(QStringLiteral("cell A2 s General Áron z Lipové aleje"));
    has(QStringLiteral("cell C2 d d.m.yyyy 2021-04-03"));
    has(QStringLiteral("cell D2 n 0.00\" kg\" 0.45"));
    has(QStringLiteral("cell E2 s General Ano"));
    // Formula-looking texts stay texts.
    has(QStringLiteral("cell F2 s General =SUM(A1:A9)"));
    has(QStringLiteral("cell B3 s General -ťapka-"));
    has(QStringLiteral("cell F3 s General @dnes"));
    // The name column is as wide as its caption with the filter's arrow (20
    // characters) and a bit; openpyxl adds the library's padding.
    has(QStringLiteral("width A 21.71"));
    EXPECT_FALSE(lines.contains(QStringLiteral("cell D3 n General 0")))
        << "an empty weight is no zero";
}

TEST_F(SheetExport, TheCurrentRowStaysAndTheScrollHookIsNotRunForEveryRow) {
    query_->Last();
    int scrolls = 0;
    query_->Hooks().afterScroll = [&scrolls](platform::DataSet&) { ++scrolls; };
    ASSERT_TRUE(platform::WriteSheet(*query_, Out("a.csv"), SheetFormat::Csv, "x").Ok());
    EXPECT_EQ(query_->RecNo(), 1);
    EXPECT_LE(scrolls, 1);
    EXPECT_TRUE(static_cast<bool>(query_->Hooks().afterScroll));
}

TEST_F(SheetExport, AFailedWriteSaysWhyAndLeavesTheTargetAsItWas) {
    for (const SheetFormat format : {SheetFormat::Csv, SheetFormat::Xlsx}) {
        const platform::SheetResult full = platform::WriteSheet(*query_, "/dev/full", format, "x");
        EXPECT_FALSE(full.Ok());
        EXPECT_TRUE(full.error.contains(QStringLiteral("/dev/full"))) << full.error.toStdString();
        const QString missing = Out("no/such/folder/list.xlsx");
        const platform::SheetResult none = platform::WriteSheet(*query_, missing, format, "x");
        EXPECT_FALSE(none.Ok());
        EXPECT_FALSE(QFile::exists(missing));
    }
    testing_support::WriteFile(Out("kept.csv"), "old");
    query_->Close();
    EXPECT_FALSE(platform::WriteSheet(*query_, Out("kept.csv"), SheetFormat::Csv, "x").Ok());
    EXPECT_EQ(ReadFile(Out("kept.csv")), QByteArray("old"));
}

TEST(SheetFormat, NamedAndBySuffix) {
    EXPECT_EQ(platform::SheetFormatNamed("xlsx"), SheetFormat::Xlsx);
    EXPECT_EQ(platform::SheetFormatNamed("csv"), SheetFormat::Csv);
    EXPECT_FALSE(platform::SheetFormatNamed("ods").has_value());
    EXPECT_EQ(platform::SheetFormatOfFile("a/Seznam.CSV"), SheetFormat::Csv);
    EXPECT_EQ(platform::SheetFormatOfFile("a/Seznam.xlsx"), SheetFormat::Xlsx);
}

}  // namespace
