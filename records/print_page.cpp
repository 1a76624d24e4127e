#include "records/print_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <algorithm>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "app/special_selections_view.h"
#include "controls/db_grid.h"
#include "platform/messages.h"
#include "records/foseznam.h"
#include "records/print_btn_kopa.h"
#include "records/sort_choices.h"

namespace {

constexpr int kWidestColumn = 220;

enum TRow {
    rwJmeno,
    rwPlemeno,
    rwOtec,
    rwMatka,
    rwDatumNar,
    rwPohlavi,
    rwVlastOdchov,
    rwVlastnictvi
};

// The special selections' page of each source; empty: none.
QString SelectionPageName(int source) {
    static const char* const pages[] = {"Evidlist", "osetreni", "vystavy", "tituly",  "chovnost",
                                        "vrhy",     "kryti",    "",        "Zkousky", ""};
    if (source < 0 || source >= static_cast<int>(std::size(pages))) {
        return QString();
    }
    return QString::fromLatin1(pages[source]);
}

bool HasSpecialSelection(int source) {
    return source != tzRodokmen && source != tzFoto && source != tzRodokmenEvid;
}

QString FieldText(const QWidget* field) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(field)) {
        return edit->text();
    }
    if (const auto* list = qobject_cast<const QComboBox*>(field)) {
        return list->currentText();
    }
    return QString();
}

void SetFieldText(QWidget* field, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setText(text);
    } else if (auto* list = qobject_cast<QComboBox*>(field)) {
        list->setEditText(text);
    }
}

}  // namespace

TPrintPage::TPrintPage(TDM1& dm, QWidget* parent) : QWidget(parent), dm_(dm) {
    setObjectName(QStringLiteral("TISKY"));
    BuildPage();
    UpdatePage();
}

int TPrintPage::Source() const {
    return sources_->currentIndex();
}

void TPrintPage::ChooseSource(int source) {
    if (source != sources_->currentIndex()) {
        sources_->setCurrentIndex(source);
    }
    UpdatePage();
    Refresh();
}

void TPrintPage::UpdatePage() {
    const int source = Source();
    const bool selection = HasSpecialSelection(source);
    selectionButton_->setEnabled(selection);
    aktivace_->setEnabled(selection);
    evidence_->setEnabled(source == tzEvidencniListy);
    if (IsPrintSource(source)) {
        gridPages_->setCurrentIndex(source);
    }
    FillSortLists();
    for (int i = 0; i < kPrintSourceCount; ++i) {
        templateLists_[static_cast<size_t>(i)]->setEnabled(i == source);
        templateLabels_[static_cast<size_t>(i)]->setEnabled(i == source);
    }
}

// The sort lists offer the source's columns; a level keeps its column when
// the new source's list has it and shows no entry otherwise.
void TPrintPage::FillSortLists() {
    const QList<TSortChoice>& choices = SortChoices(Source());
    if (sortChoices_ == &choices) {
        return;
    }
    QStringList captions;
    for (const TSortChoice& choice : choices) {
        captions << choice.caption;
    }
    for (TSortRow& row : sortRows_) {
        const int old = row.column->currentIndex();
        int kept = -1;
        if (sortChoices_ != nullptr && old >= 0 && old < sortChoices_->size()) {
            kept = FindSortChoice(choices, sortChoices_->at(old));
        }
        row.column->clear();
        row.column->addItems(captions);
        row.column->setCurrentIndex(kept);
    }
    sortChoices_ = &choices;
}

void TPrintPage::EnableRow(const TFilterRow& row, bool on) {
    for (QWidget* field : {row.from, row.to}) {
        if (field != nullptr) {
            field->setEnabled(on);
        }
    }
    for (QWidget* other : row.others) {
        other->setEnabled(on);
    }
}

QString TPrintPage::RangeText(const QWidget* field) const {
    return FieldText(field);
}

TListFilter TPrintPage::Filter() const {
    const auto range = [this](int index) {
        const TFilterRow& row = rows_[static_cast<size_t>(index)];
        return TFilterRange{row.check->isChecked(), RangeText(row.from), RangeText(row.to)};
    };
    TListFilter filter;
    filter.name = range(rwJmeno);
    filter.breed = range(rwPlemeno);
    filter.sire = range(rwOtec);
    filter.dam = range(rwMatka);
    filter.born = range(rwDatumNar);
    filter.sexActive = rows_[rwPohlavi].check->isChecked();
    filter.sex = sex_->currentIndex() < 0 ? QString() : sex_->currentText();
    filter.ownBreedingActive = rows_[rwVlastOdchov].check->isChecked();
    filter.ownBreeding = ownBreeding_->isChecked();
    filter.ownedActive = rows_[rwVlastnictvi].check->isChecked();
    filter.owned = owned_->isChecked();
    return filter;
}

TSortLevels TPrintPage::SortLevels() const {
    TSortLevels levels;
    for (size_t i = 0; i < levels.size(); ++i) {
        levels[i].column = sortRows_[i].column->currentIndex();
        levels[i].ascending = sortRows_[i].ascending->isChecked();
    }
    return levels;
}

void TPrintPage::Refresh() {
    const int source = Source();
    dm_.ListOrder = BuildOrderClause(SortLevels(), SortChoices(source));
    QString parts = FilterRowParts(Filter(), RecordSheetColumnPrefix(source));
    if (aktivace_->isChecked() && selections_ != nullptr) {
        parts += selections_->SelectionCondition(source);
    }
    filterClause_ = FinishFilterClause(parts);
    dm_.RunBookQuery(source, dm_.ListOrder, filterClause_);
}

// Columns as wide as what they show, within reason, so that the names and
// dates of the list can be read without widening each column by hand.
void TPrintPage::FitColumns(TDbGridKOPA* grid) {
    grid->resizeColumnsToContents();
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        grid->setColumnWidth(column, std::min(grid->columnWidth(column), kWidestColumn));
    }
}

void TPrintPage::ClearFilter() {
    if (platform::ShowMessage(QStringLiteral("Vyčistit filtrovací podmínky ?"), QString(),
                              platform::MessageIcon::Information,
                              platform::mbYes | platform::mbNo) != platform::mbYes) {
        return;
    }
    for (int index : {rwJmeno, rwPlemeno, rwOtec, rwMatka, rwDatumNar}) {
        const TFilterRow& row = rows_[static_cast<size_t>(index)];
        SetFieldText(row.from, QString());
        SetFieldText(row.to, QString());
    }
    ownBreeding_->setChecked(false);
    owned_->setChecked(false);
    for (const TFilterRow& row : rows_) {
        row.check->setChecked(false);
    }
}

void TPrintPage::CopyFromIntoEmptyTo(QObject* watched) {
    for (int index : {rwJmeno, rwPlemeno, rwOtec, rwMatka, rwDatumNar}) {
        const TFilterRow& row = rows_[static_cast<size_t>(index)];
        const auto* list = qobject_cast<QComboBox*>(row.to);
        if (watched != row.to && (list == nullptr || watched != list->lineEdit())) {
            continue;
        }
        if (FieldText(row.to).isEmpty()) {
            SetFieldText(row.to, FieldText(row.from));
        }
        return;
    }
}

bool TPrintPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        CopyFromIntoEmptyTo(watched);
    }
    return QWidget::eventFilter(watched, event);
}

void TPrintPage::PickInto(QLineEdit* field) {
    if (const std::optional<QString> picked = PickAnimal(dm_, this)) {
        field->setText(*picked);
    }
}

void TPrintPage::OpenSpecialSelection() {
    const QString page = SelectionPageName(Source());
    if (page.isEmpty() || selections_ == nullptr) {
        platform::ShowMessage(QStringLiteral("  Filtr není k dispozici  "), QString(),
                              platform::MessageIcon::Information, platform::mbOK);
        return;
    }
    aktivace_->setChecked(selections_->ShowPage(page));
}

void TPrintPage::PrintBtnKopa1BeforeReport(TPrintBtnKopa&, bool& pokracovat) {
    const int source = Source();
    pokracovat = PointReportAtSource(dm_.Sestava1, dm_, source, ChosenTemplateFile(source));
    if (!pokracovat) {
        platform::ShowMessage(QStringLiteral("Nastala chyba při výběru, tisk nebude proveden"),
                              QString(), platform::MessageIcon::Error, platform::mbOK);
    }
}
