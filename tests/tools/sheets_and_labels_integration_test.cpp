// harvel-report over the demo kennel: lists handed to spreadsheets (--format
// xlsx read back by openpyxl, --format csv opened by LibreOffice Calc), the
// address book as print source 12 filtered by kind, and the envelopes and
// label sheets at their sizes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>

#include "platform/codepage1250.h"
#include "tests/support/demo_installation.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace {

using Result = testing_support::ProgramResult;

// Debian's own Python, which has openpyxl, before any other on the path.
QString Python() {
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

// The lines of read_xlsx.py for a workbook; empty when openpyxl is missing.
QStringList ReadWorkbook(const QString& file) {
    const Result r = testing_support::RunProgram(
        Python(), {QStringLiteral(HARVEL_SOURCE_DIR "/tests/platform/sheets/read_xlsx.py"), file});
    if (r.code == 77) {
        return {};
    }
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return r.out.split(u'\n', Qt::SkipEmptyParts);
}

// The cells of one row ("cell A2 d d.m.yyyy 2017-11-02" → "d 2017-11-02"), by column letter.
QMap<QString, QString> Row(const QStringList& lines, int row) {
    QMap<QString, QString> cells;
    const QRegularExpression cell(QStringLiteral("^cell ([A-Z]+)%1 (\\S) (\\S+) (.*)$").arg(row));
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = cell.match(line);
        if (m.hasMatch()) {
            cells.insert(m.captured(1), m.captured(2) + u' ' + m.captured(4));
        }
    }
    return cells;
}

// The program beside a Harvel.INI naming the kennel, and the demo kennel.
class SheetsAndLabels : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        demo_ = new testing_support::DemoInstallation(
            QStringLiteral("[EvidList]\r\nChovatel=Chovatelská stanice z Lipové aleje\r\n"));
        ASSERT_TRUE(demo_->Failure().isEmpty()) << demo_->Failure().toStdString();
    }
    static void TearDownTestSuite() {
        delete demo_;
        demo_ = nullptr;
    }

    static QString Data() { return demo_->Data(); }
    static QString Out(const QString& name) { return demo_->Out(name); }
    static Result Report(const QStringList& args) { return demo_->Report(args); }

    // The text dump of a template over a source, one line per element.
    static QStringList Dump(int source, const QString& templateName, const QStringList& more) {
        const QString out = Out(templateName + ".txt");
        const Result r =
            Report(QStringList{"--source", QString::number(source), "--template",
                               QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + templateName,
                               "--format", "dump", "--out", out} +
                   more);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return QString::fromUtf8(testing_support::ReadFile(out)).split(u'\n', Qt::SkipEmptyParts);
    }

    static testing_support::DemoInstallation* demo_;
};

testing_support::DemoInstallation* SheetsAndLabels::demo_ = nullptr;

// "2 <left> <top> <width> <height> <text>": the left and top of the element showing `text`.
QPoint PlaceOf(const QStringList& dump, const QString& text) {
    const QRegularExpression element(QStringLiteral("^\\d+ (-?\\d+) (-?\\d+) \\d+ \\d+ (.*)$"));
    for (const QString& line : dump) {
        const QRegularExpressionMatch m = element.match(line);
        if (m.hasMatch() && m.captured(3) == text) {
            return {m.captured(1).toInt(), m.captured(2).toInt()};
        }
    }
    return {-1, -1};
}

TEST_F(SheetsAndLabels, LitterListAsWorkbookHasCaptionsDatesNumbersInTheChosenOrder) {
    const Result r = Report({"--source", "5", "--order", "vrhy.Datum DESC", "--format", "xlsx",
                             "--out", Out("vrhy.xlsx")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = ReadWorkbook(Out("vrhy.xlsx"));
    if (lines.isEmpty()) {
        GTEST_SKIP() << "python3-openpyxl is not installed";
    }
    EXPECT_TRUE(lines.contains("sheet Vrhy"));
    EXPECT_TRUE(lines.contains("freeze A2"));
    const QMap<QString, QString> header = Row(lines, 1);
    EXPECT_EQ(header.value("A"), QStringLiteral("s Registrované jméno matky"));
    EXPECT_EQ(header.value("B"), QStringLiteral("s Datum vrhu"));
    EXPECT_EQ(header.value("F"), QStringLiteral("s Počet psů"));
    // The newest litter first; dates are dates, counts numbers.
    const QMap<QString, QString> first = Row(lines, 2);
    EXPECT_EQ(first.value("B"), QStringLiteral("d 2026-06-03")) << first.value("B").toStdString();
    EXPECT_TRUE(first.value("F").startsWith(QStringLiteral("n ")))
        << first.value("F").toStdString();
    QStringList dates;
    for (int row = 2; !Row(lines, row).isEmpty(); ++row) {
        dates << Row(lines, row).value("B");
    }
    QStringList sorted = dates;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    EXPECT_EQ(dates, sorted);
    EXPECT_GE(dates.size(), 4);
}

TEST_F(SheetsAndLabels, AddressBookOfOneKindAsWorkbookNamesTheKind) {
    const Result r = Report({"--source", "12", "--where", "Typ = 1", "--order", "Nazev ASC",
                             "--format", "xlsx", "--out", Out("chovatele.xlsx")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = ReadWorkbook(Out("chovatele.xlsx"));
    if (lines.isEmpty()) {
        GTEST_SKIP() << "python3-openpyxl is not installed";
    }
    EXPECT_TRUE(lines.contains("sheet Adresář"));
    EXPECT_EQ(Row(lines, 1).value("C"), QStringLiteral("s Druh adresy"));
    int breeders = 0;
    for (int row = 2; !Row(lines, row).isEmpty(); ++row, ++breeders) {
        EXPECT_EQ(Row(lines, row).value("C"), QStringLiteral("s Chovatel")) << row;
    }
    EXPECT_EQ(Row(lines, 2).value("B"), QStringLiteral("s Chovatelská stanice od Jizery"));
    EXPECT_GE(breeders, 3);
}

TEST_F(SheetsAndLabels, CsvWithCzechLettersOpensRightInLibreOfficeCalc) {
    const Result r = Report({"--source", "0", "--order", "Jmeno_registr ASC", "--format", "csv",
                             "--out", Out("karty.csv")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    // Calc's CSV filter as a Czech user's import dialog has it: semicolons,
    // double quotes, UTF-8, from line 1, Czech language.
    QTemporaryDir profile;
    const Result calc = testing_support::RunProgram(
        soffice, {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                  "--headless", "--infilter=CSV:59,34,76,1,,1029", "--convert-to", "xlsx",
                  "--outdir", Out("calc"), Out("karty.csv")});
    ASSERT_EQ(calc.code, 0) << calc.err.toStdString();
    const QStringList lines = ReadWorkbook(Out("calc/karty.xlsx"));
    if (lines.isEmpty()) {
        GTEST_SKIP() << "python3-openpyxl is not installed";
    }
    EXPECT_EQ(Row(lines, 1).value("A"), QStringLiteral("s Registrované jméno"));
    EXPECT_EQ(Row(lines, 1).value("G"), QStringLiteral("s Datum narození"));
    EXPECT_EQ(Row(lines, 1).size(), 58);
    const QMap<QString, QString> bara = Row(lines, 3);
    EXPECT_EQ(bara.value("A"), QStringLiteral("s Bára Šťastná"));
    // Calc took the date for a date.
    EXPECT_EQ(bara.value("G"), QStringLiteral("d 2016-04-03")) << bara.value("G").toStdString();
}

TEST_F(SheetsAndLabels, AddressLabelsAndCageLabelsStandAtTheLabelPitch) {
    // 3 x 8 labels of 70 x 37 mm on A4: 275 and 146 hundredths of an inch.
    const QStringList labels = Dump(12, "AdresarStitky00.pts", {"--order", "Nazev ASC"});
    EXPECT_EQ(labels.count("page 1"), 1);
    EXPECT_FALSE(labels.contains("page 2"));
    const QStringList keys = {"Chovatelská stanice od Jizery", "Chovatelská stanice z Lipové aleje",
                              "Chovatelská stanice z Tří dubů",
                              "Chovatelská stanice ze Slunečné \\nstráně", "Jana Procházková"};
    for (int i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(PlaceOf(labels, keys[i]), QPoint(16 + 275 * (i % 3), 14 + 146 * (i / 3)))
            << keys[i].toStdString();
    }
    const QStringList cage = Dump(0, "EvidStitky00.pts", {"--order", "Jmeno_registr ASC"});
    const QStringList animals = {"Aron z Tří dubů", "Bára Šťastná", "Čenda od Jizery",
                                 "Dáša z Lipové aleje", "Eliška z Lipové aleje"};
    for (int i = 0; i < animals.size(); ++i) {
        EXPECT_EQ(PlaceOf(cage, animals[i]), QPoint(16 + 275 * (i % 3), 12 + 146 * (i / 3)))
            << animals[i].toStdString();
    }
    EXPECT_EQ(PlaceOf(cage, "Ari"), QPoint(16 + 82, 50));
}

TEST_F(SheetsAndLabels, EnvelopesArePagesOfTheirSizeOneEntryEach) {
    struct Envelope {
        const char* file;
        QSize pixels;  // at 100 dots per inch: the size in hundredths of an inch
    };
    for (const Envelope& e : {Envelope{"AdresarObalkaC6.pts", {637, 449}},
                              Envelope{"AdresarObalkaDL.pts", {866, 433}}}) {
        const QString out = Out(QString::fromLatin1(e.file) + ".png");
        const Result r = Report({"--source", "12", "--where", "Typ = 2", "--template",
                                 QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + e.file,
                                 "--format", "png", "--dpi", "100", "--out", out});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QString first = Out(QString::fromLatin1(e.file) + "1.png");
        EXPECT_EQ(QImage(first).size(), e.pixels) << e.file;
        // The two vets of the demo kennel: two envelopes.
        EXPECT_TRUE(QFile::exists(Out(QString::fromLatin1(e.file) + "2.png"))) << e.file;
        EXPECT_FALSE(QFile::exists(Out(QString::fromLatin1(e.file) + "3.png"))) << e.file;
    }
    const QStringList c6 = Dump(12, "AdresarObalkaC6.pts", {"--where", "Typ = 2"});
    EXPECT_TRUE(c6.contains(QStringLiteral("4 0 14 300 18 Chovatelská stanice z Lipové aleje")))
        << c6.join(u'\n').toStdString();
}

TEST_F(SheetsAndLabels, SheetFormatsNeedNoTemplateButAPlaceToWrite) {
    const Result noOut = Report({"--source", "0", "--format", "xlsx"});
    EXPECT_EQ(noOut.code, 2);
    EXPECT_TRUE(noOut.err.contains("--out")) << noOut.err.toStdString();
    const Result full = Report({"--source", "0", "--format", "csv", "--out", "/dev/full"});
    EXPECT_EQ(full.code, 1);
    EXPECT_TRUE(full.err.contains("/dev/full")) << full.err.toStdString();
    const Result badSource = Report({"--source", "11", "--format", "csv", "--out", Out("x.csv")});
    EXPECT_EQ(badSource.code, 2);
    EXPECT_FALSE(QFile::exists(Out("x.csv")));
}

}  // namespace
