#pragma once
// The record sheet's print page "TISKY": the user chooses a print source
// (the record sheets or one event book), filters the animals by their main
// columns, adds the source's special selection, sets a three-level sort
// order and presses "Aktualizace"; the page builds the WHERE and ORDER BY
// texts, the data module rebuilds the source's list query, and the grid of
// the source shows the rows that the print button then prints on the
// template chosen in the source's template list.
//
// Choosing a source updates the page (the grid, the template list, the
// special selection and "Evidence  " follow the source) and refreshes the
// list. "Vyčistit filtr" empties the filter after asking; the list is
// rebuilt at the next refresh.

#include <QWidget>
#include <array>
#include <functional>

#include "app/print_sources.h"
#include "records/list_clauses.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;
class TDM1;
class TDbGridKOPA;
class TPrintBtnKopa;
class TSpecialSelectionsView;

class TPrintPage : public QWidget {
    Q_OBJECT
  public:
    explicit TPrintPage(TDM1& dm, QWidget* parent = nullptr);

    // The special selections form the page asks for its conditions.
    void SetSelections(TSpecialSelectionsView* selections) { selections_ = selections; }
    // "Evidence  ": shows the record page.
    std::function<void()> OnShowRecordPage;
    // The help button of the page.
    std::function<void()> OnHelp;

    // The position of "Výběr zdroje" (-1 when nothing is chosen).
    int Source() const;
    // Chooses a source as the user does: page update, then refresh.
    void ChooseSource(int source);
    // "Aktualizace": builds the clauses and rebuilds the source's list query.
    void Refresh();
    // "Vyčistit filtr", after the question.
    void ClearFilter();
    // What the filter rows and the sort levels hold now.
    TListFilter Filter() const;
    TSortLevels SortLevels() const;
    // The filter clause of the last refresh.
    const QString& FilterClause() const { return filterClause_; }

    // The before-report handler of the print button: the source's data
    // source and the chosen template, or the error box when nothing is
    // chosen (and no run).
    void PrintBtnKopa1BeforeReport(TPrintBtnKopa& button, bool& pokracovat);

    // "Jiná předloha..." of the source's template list: a template file of
    // the user's own, remembered per source in Harvel.INI and offered under
    // its description from then on; false when the user cancels.
    bool ChooseOwnTemplate(int source);
    // The template file the source's list names now: an installed one, the
    // user's own (a name in the template folder or a full path), or empty.
    QString ChosenTemplateFile(int source) const;
    // "Uložit jako PDF...": the chosen template run into a PDF file the user
    // names (Vrhy-2026-12-10.pdf suggested), then offered to be opened.
    void SaveAsPdf();
    // "Odeslat e-mailem...": the same PDF in a temporary folder, handed to
    // the mail program as an attachment; when none starts, the PDF is
    // offered to be saved instead.
    void SendByMail();
    // The name the PDF of the chosen source is offered under.
    QString SuggestedPdfName() const;
    // "Uložit jako tabulku...": the rows of the source's list, as the grid
    // has them (filter and order of the last refresh), into an .xlsx or .csv
    // file the user names (by its suffix), then offered to be opened.
    void SaveAsSheet();

    QComboBox* PlemenoOd() const { return plemenoOd_; }
    QComboBox* PlemenoDo() const { return plemenoDo_; }
    TPrintBtnKopa* PrintButton() const { return printButton_; }
    QComboBox* TemplateList(int source) const { return templateLists_.at(source); }
    TDbGridKOPA* Grid(int source) const { return grids_.at(source); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // One filter row: its check box and the fields it enables.
    struct TFilterRow {
        QCheckBox* check = nullptr;
        QWidget* from = nullptr;
        QWidget* to = nullptr;
        std::vector<QWidget*> others;  // pick buttons, the yes/no box
    };
    struct TSortRow {
        QComboBox* column = nullptr;
        QRadioButton* ascending = nullptr;
        QRadioButton* descending = nullptr;
    };

    // ---- layout (print_page_layout.cpp) ----
    void BuildPage();
    QWidget* BuildToolBar();
    QWidget* BuildSourceList();
    QWidget* BuildFilter();
    QWidget* BuildSpecialSelection();
    QWidget* BuildSort();
    QWidget* BuildTemplateLists();
    QWidget* BuildGrids();
    TFilterRow& AddFilterRow(const QString& key, const QString& caption);
    QLineEdit* NameField(const QString& name);
    QPushButton* PickButton(QLineEdit* field);

    // ---- behaviour (print_page.cpp) ----
    void UpdatePage();
    void FillSortLists();
    void FitColumns(TDbGridKOPA* grid);
    void EnableRow(const TFilterRow& row, bool on);
    void CopyFromIntoEmptyTo(QObject* to);
    void PickInto(QLineEdit* field);
    void OpenSpecialSelection();
    QString RangeText(const QWidget* field) const;

    // ---- templates and files (print_page_outputs.cpp) ----
    void FillOwnTemplateEntry(int source);
    void TemplateActivated(int source, int entry);
    bool GenerateOutput();
    bool WritePdf(const QString& file);
    void OfferToOpen(const QString& file);
    void SavePdfElsewhere();
    QString SuggestedFileName(const QString& suffix) const;

    TDM1& dm_;
    TSpecialSelectionsView* selections_ = nullptr;
    QString filterClause_;

    QComboBox* sources_ = nullptr;
    std::array<TFilterRow, 8> rows_;
    int rowCount_ = 0;
    QComboBox* plemenoOd_ = nullptr;
    QComboBox* plemenoDo_ = nullptr;
    QComboBox* sex_ = nullptr;
    QCheckBox* ownBreeding_ = nullptr;
    QCheckBox* owned_ = nullptr;
    QCheckBox* aktivace_ = nullptr;
    QPushButton* selectionButton_ = nullptr;
    std::array<TSortRow, 3> sortRows_;
    const QList<TSortChoice>* sortChoices_ = nullptr;  // what the sort lists offer now
    QToolButton* evidence_ = nullptr;
    TPrintBtnKopa* printButton_ = nullptr;
    std::array<QLabel*, kPrintSourceCount> templateLabels_{};
    std::array<QComboBox*, kPrintSourceCount> templateLists_{};
    std::array<QString, kPrintSourceCount> ownTemplates_;   // as remembered in Harvel.INI
    std::array<int, kPrintSourceCount> chosenTemplates_{};  // the entry before "Jiná předloha..."
    QString pdfFolder_;                                     // where the last PDF was saved
    QString sheetFolder_;                                   // where the last spreadsheet was saved
    QStackedWidget* gridPages_ = nullptr;
    std::array<TDbGridKOPA*, kPrintSourceCount> grids_{};
};
