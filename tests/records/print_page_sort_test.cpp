// The print page's words and sort order over every source: grid headers and
// sort entries are captions, never column names; the sort lists offer every
// column of the source's list after the four every source has; dates and
// numbers sort as such, also in the event books; a level keeps its column
// when the next source has it.
#include <QRadioButton>
#include <QSet>

#include "app/print_sources.h"
#include "platform/store/column_captions.h"
#include "platform/store/sql_translator.h"
#include "records/print_page_grids.h"
#include "records/sort_choices.h"
#include "report/designer/dlgkonfprvku.h"
#include "report/designer/sest_fneditvyraz.h"
#include "tests/records/print_page_fixture.h"

using print_page_test::PrintPageInstallation;

namespace {

const char* const kBookTables[] = {"main_card", "osetreni",   "vystavy", "tituly",
                                   "chovnost",  "vrhy",       "kryti",   "rodokmen",
                                   "zkousky",   "foto_album", "rodokmen"};

// A text shown for `field` of `source` is a column name when it names the
// column (in any case) but is not the caption that column has in one of the
// source's tables: "Pohlavi", "plemeno" and "Jmeno_reg_otec" are; "Otec" is
// not, since that is the column's caption too.
bool IsRawName(const QString& shown, const QString& field, int source) {
    if (shown.contains('_')) {
        return true;
    }
    if (shown.compare(field, Qt::CaseInsensitive) != 0) {
        return false;
    }
    return shown != platform::ColumnCaption(QString::fromLatin1(kBookTables[source]), field) &&
           shown != platform::ColumnCaption(QStringLiteral("main_card"), field);
}

class PrintPageSort : public PrintPageInstallation {
  protected:
    QComboBox* Level(int level) const {
        return sheet_->findChild<QComboBox*>(QStringLiteral("Razeni%1").arg(level));
    }
    // Chooses the entry captioned `caption` on a level.
    void SortBy(int level, const QString& caption, bool ascending = true) {
        QComboBox* list = Level(level);
        const int entry = list->findText(caption);
        ASSERT_GE(entry, 0) << caption.toStdString();
        Pick(list, entry);
        sheet_
            ->findChild<QRadioButton*>(
                QStringLiteral("%1%2").arg(ascending ? "Vzestupne" : "Sestupne").arg(level))
            ->setChecked(true);
    }
    void NoSort() {
        for (int level = 1; level <= 3; ++level) {
            Level(level)->setCurrentIndex(-1);
        }
    }
};

}  // namespace

TEST_F(PrintPageSort, EveryGridHeaderAndSortEntryOfEverySourceIsACaption) {
    for (int source = 0; source < kPrintSourceCount; ++source) {
        ChooseSource(source);
        const QList<TPrintGridColumn> columns = PrintGridColumns(source);
        QAbstractItemModel* model = page_->Grid(source)->model();
        ASSERT_EQ(model->columnCount(), columns.size()) << source;
        for (int c = 0; c < columns.size(); ++c) {
            const QString header = model->headerData(c, Qt::Horizontal).toString();
            EXPECT_FALSE(header.trimmed().isEmpty()) << source << " " << c;
            EXPECT_FALSE(IsRawName(header, columns[c].field, source))
                << source << " " << header.toStdString();
        }
        const QList<TSortChoice>& choices = SortChoices(source);
        QComboBox* list = Level(1);
        ASSERT_EQ(list->count(), choices.size()) << source;
        QSet<QString> shown;
        for (int entry = 1; entry < list->count(); ++entry) {
            const QString caption = list->itemText(entry);
            const QString column = choices[entry].column.section('.', -1);
            EXPECT_FALSE(IsRawName(caption, column, source))
                << source << " " << caption.toStdString();
            EXPECT_FALSE(shown.contains(caption)) << source << " " << caption.toStdString();
            shown.insert(caption);
        }
    }
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
}

TEST_F(PrintPageSort, TheFourEntriesOfEverySourceComeFirstThenEveryOtherColumnOfTheList) {
    for (int source = 0; source < kPrintSourceCount; ++source) {
        ChooseSource(source);
        QComboBox* list = Level(2);
        const QStringList first = {list->itemText(0), list->itemText(1), list->itemText(2),
                                   list->itemText(3), list->itemText(4)};
        EXPECT_EQ(first, (QStringList{"", "Registrované jméno", "Plemeno", "Otec", "Matka"}))
            << source;
        // Every column of the list query but pictures and the four.
        const platform::TranslatedQuery query = platform::TranslateLocalSql(
            TDM1::BookQueryLines(source, QString(), QString()).join('\n'));
        int sortable = 0;
        for (const platform::ResultColumn& column : query.columns) {
            const QString name = column.column.name.toLower();
            if (column.column.type != platform::ColumnType::Graphic && name != "jmeno_registr" &&
                name != "plemeno" && name != "otec" && name != "matka") {
                ++sortable;
            }
        }
        EXPECT_EQ(list->count(), 5 + sortable) << source;
    }
    ChooseSource(0);
    EXPECT_GE(Level(1)->findText("Tetovací číslo"), 5);
    EXPECT_GE(Level(1)->findText("Kohoutková výška"), 5);
    ChooseSource(5);
    EXPECT_GE(Level(1)->findText("Otec vrhu"), 5);
    EXPECT_GE(Level(1)->findText("Počet fen"), 5);
}

TEST_F(PrintPageSort, DatesAndNumbersSortAsDatesAndNumbers) {
    NoSort();
    SortBy(1, "Datum narození", false);
    Click("BtnAktualizace");
    EXPECT_EQ(dm_->ListOrder, "Datum_nar DESC");
    EXPECT_EQ(GridNames(0), (QStringList{"Dora", "Cita", "Alfa z Lipové aleje", "Brok od Vltavy"}));
    NoSort();
    SortBy(2, "Čip");
    Click("BtnAktualizace");
    EXPECT_EQ(dm_->ListOrder, "Cip ASC");
    EXPECT_EQ(GridNames(0), (QStringList{"Cita", "Alfa z Lipové aleje", "Dora", "Brok od Vltavy"}));

    // The litters by their own date, then by their dam's birth date.
    ChooseSource(5);
    NoSort();
    SortBy(1, "Datum vrhu");
    Click("BtnAktualizace");
    EXPECT_EQ(dm_->ListOrder, "vrhy.Datum ASC");
    EXPECT_EQ(GridNames(5), (QStringList{"Dora", "Alfa z Lipové aleje", "Cita"}));
    NoSort();
    SortBy(3, "Datum narození", false);
    Click("BtnAktualizace");
    EXPECT_EQ(dm_->ListOrder, "main_card.Datum_nar DESC");
    EXPECT_EQ(GridNames(5), (QStringList{"Dora", "Cita", "Alfa z Lipové aleje"}));
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
}

TEST_F(PrintPageSort, ALevelKeepsItsColumnWhenTheNextSourceHasIt) {
    NoSort();
    SortBy(1, "Datum narození");
    SortBy(2, "Tetovací číslo");
    SortBy(3, "Otec");
    ChooseSource(5);
    EXPECT_EQ(Level(1)->currentText(), "Datum narození");
    EXPECT_EQ(Level(2)->currentIndex(), -1);  // the litters' list has no tattoo
    EXPECT_EQ(Level(3)->currentText(), "Otec");
    EXPECT_EQ(dm_->ListOrder, "main_card.Datum_nar ASC,Otec ASC");
    ChooseSource(0);
    EXPECT_EQ(Level(1)->currentText(), "Datum narození");
    EXPECT_EQ(dm_->ListOrder, "Datum_nar ASC,Otec ASC");
}

TEST_F(PrintPageSort, TheDesignersFieldListsOfEverySourceShowCaptions) {
    TSestava& report = dm_->Sestava1;
    for (int source = 0; source < kPrintSourceCount; ++source) {
        ChooseSource(source);
        ASSERT_TRUE(PointReportAtSource(report, *dm_, source, 0));
        ASSERT_TRUE(report.PrepareData());
        report.LoadFieldLists();
        ASSERT_GT(report.FieldCount(), 0) << source;
        // What the wizard lists and drafts as captions.
        for (int i = 0; i < report.FieldCount(); ++i) {
            EXPECT_FALSE(IsRawName(report.FieldLabel(i), report.FieldName(i), source))
                << source << " " << report.FieldLabel(i).toStdString();
        }
        // The element chooser and the expression editor: "#" and the number
        // padded to three characters, then the caption.
        const QStringList chooser =
            TDlgKonfPrvku::SourceItems(ekField, report, report.Funkce(), false);
        const QStringList editor = TSest_FnEditVyraz::FieldItems(report);
        ASSERT_EQ(chooser.size(), report.FieldCount());
        ASSERT_EQ(editor.size(), chooser.size());
        for (int i = 0; i < chooser.size(); ++i) {
            EXPECT_EQ(editor[i].toStdString(), chooser[i].toStdString());
            EXPECT_FALSE(IsRawName(chooser[i].mid(4), report.FieldName(i), source))
                << source << " " << chooser[i].toStdString();
        }
    }
}
