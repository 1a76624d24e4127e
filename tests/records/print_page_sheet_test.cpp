// The print page's "Uložit jako tabulku...": the rows of the chosen source's
// list, in the order the user set and with the grid's filter, written as the
// .csv or .xlsx file the user names (by its suffix), then offered to be
// opened; a file that cannot be written is said and nothing is offered.
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QUrl>

#include "platform/url_opener.h"
#include "tests/records/print_page_fixture.h"
#include "tests/support/test_files.h"

using print_page_test::PrintPageInstallation;
using testing_support::ScriptedFileDialog;

namespace {

class PrintPageSheet : public PrintPageInstallation {
  protected:
    void TearDown() override {
        platform::SetUrlHandler(nullptr);
        PrintPageInstallation::TearDown();
    }

    // The litters newest first, as the user sorts them.
    void SortLittersNewestFirst() {
        ChooseSource(5);
        auto* level = sheet_->findChild<QComboBox*>(QStringLiteral("Razeni1"));
        Pick(level, level->findText(QStringLiteral("Datum vrhu")));
        sheet_->findChild<QRadioButton*>(QStringLiteral("Sestupne1"))->setChecked(true);
        Click("BtnAktualizace");
    }

    // Saves through the button into `file`; the name the dialog suggested.
    QString SaveInto(const QString& file) {
        QString suggested;
        ScriptedFileDialog dialog([&](const platform::FileDialogRequest& request) {
            EXPECT_EQ(request.kind, platform::FileDialogKind::Save);
            suggested = QFileInfo(request.directory).fileName();
            return file;
        });
        Click("BtnUlozitTabulku");
        return suggested;
    }
};

TEST_F(PrintPageSheet, TheListsRowsGoToACsvFileInTheGridsOrderAndAreOfferedToBeOpened) {
    testing_support::FixedClock clock(QDate(2026, 12, 10));
    SortLittersNewestFirst();
    const QStringList grid = GridNames(5);
    ASSERT_EQ(grid, QStringList({"Cita", "Alfa z Lipové aleje", "Dora"}));
    QStringList opened;
    platform::SetUrlHandler([&](const QString& url) { return opened << url, true; });
    messages_.Answer(platform::mbYes);
    const QString csv = root_.filePath("vrhy.csv");
    EXPECT_EQ(SaveInto(csv), "Vrhy-2026-12-10.xlsx");
    const QStringList lines =
        QString::fromUtf8(testing_support::ReadFile(csv).mid(3)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Registrované jméno matky;Datum vrhu;")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Cita;20.1.2024;")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Alfa z Lipové aleje;3.10.2023;")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Dora;9.5.2022;")));
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_TRUE(messages_.Texts()[0].contains("3 řádků")) << messages_.Texts()[0].toStdString();
    EXPECT_EQ(opened, QStringList{QUrl::fromLocalFile(csv).toString()});
    // The grid still shows the same row.
    EXPECT_EQ(dm_->QPomknihy.RecNo(), 0);
}

TEST_F(PrintPageSheet, ANameEndingInXlsxGetsAWorkbookAndAFailedWriteIsSaid) {
    SortLittersNewestFirst();
    messages_.Answer(platform::mbNo);
    const QString xlsx = root_.filePath("vrhy.xlsx");
    SaveInto(xlsx);
    EXPECT_TRUE(testing_support::ReadFile(xlsx).startsWith("PK")) << "a workbook is a zip file";
    const QString nowhere = root_.filePath("no/such/folder/vrhy.xlsx");
    SaveInto(nowhere);
    ASSERT_EQ(messages_.Shown().size(), 2u);
    EXPECT_EQ(messages_.Shown()[1].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(messages_.Texts()[1].contains(QStringLiteral("se nepodařilo uložit")))
        << messages_.Texts()[1].toStdString();
    EXPECT_FALSE(QFile::exists(nowhere));
}

}  // namespace
