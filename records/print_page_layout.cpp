// The print page's layout: the tool bar with "Aktualizace", "Vyčistit
// filtr", "Evidence  " and the print button above; on the left the source
// list, the filter rows, the special selection and the sort levels; on the
// right the ten template lists and the grid of the chosen source.
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "app/print_sources.h"
#include "controls/K_Edit.h"
#include "controls/db_grid.h"
#include "records/date_edit_kopa.h"
#include "records/print_btn_kopa.h"
#include "records/print_page.h"
#include "records/print_page_grids.h"

namespace {

const QString kRowHint = QStringLiteral("Aktivace zadaného  výběru");

enum TFilterColumn { fcCheck, fcFrom, fcFromPick, fcTo, fcToPick };

QToolButton* ToolButton(const QString& name, const QString& caption, const QString& hint) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setMinimumWidth(90);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

// Characters of a template caption that the closed list shows at the least.
constexpr int kTemplateListChars = 18;

QComboBox* ClosedList(const QString& name, const QStringList& items) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->addItems(items);
    return list;
}

}  // namespace

void TPrintPage::BuildPage() {
    auto* left = new QVBoxLayout;
    left->addWidget(BuildSourceList());
    left->addWidget(BuildFilter());
    left->addWidget(BuildSpecialSelection());
    left->addWidget(BuildSort());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildTemplateLists());
    right->addWidget(BuildGrids(), 1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildToolBar());
    layout->addLayout(body, 1);
}

QWidget* TPrintPage::BuildToolBar() {
    auto* bar = new QFrame;
    bar->setObjectName(QStringLiteral("ToolBarTisky"));
    bar->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);

    QToolButton* refresh =
        ToolButton(QStringLiteral("BtnAktualizace"), QStringLiteral("Aktualizace"),
                   QStringLiteral("Aktualizace tabulky podle právě nastaveného výběru "));
    connect(refresh, &QToolButton::clicked, this, &TPrintPage::Refresh);
    QToolButton* clear =
        ToolButton(QStringLiteral("BtnVycistitFiltr"), QStringLiteral("Vyčistit filtr"), QString());
    connect(clear, &QToolButton::clicked, this, &TPrintPage::ClearFilter);
    evidence_ = ToolButton(QStringLiteral("BtnEvidence"), QStringLiteral("Evidence  "),
                           QStringLiteral("Detail evidenčního listu (k prohlížení)"));
    connect(evidence_, &QToolButton::clicked, this, [this] {
        if (OnShowRecordPage) {
            OnShowRecordPage();
        }
    });

    printButton_ = new TPrintBtnKopa;
    printButton_->setObjectName(QStringLiteral("PrintBtnKopa1"));
    printButton_->setToolTip(
        QStringLiteral("Pomocí pravého tlačítka myši lze měnit funkci tlačítka"));
    printButton_->setMinimumWidth(90);
    printButton_->setIconSize(QSize(24, 24));
    printButton_->SetImages(PrintButtonImages());
    printButton_->SetCaption(kpPreview, QStringLiteral("Náhled"));
    printButton_->SetCaption(kpPrint, QStringLiteral("Tisk"));
    printButton_->SetCaption(kpEdit, QStringLiteral("Editace"));
    printButton_->ZoomPreview = 75;
    printButton_->SetKindPrint(kpPreview);
    printButton_->SetReport(&dm_.Sestava1);
    printButton_->OnBeforeReport = [this](TPrintBtnKopa& button, bool& pokracovat) {
        PrintBtnKopa1BeforeReport(button, pokracovat);
    };

    auto* help = new QToolButton;
    help->setObjectName(QStringLiteral("BtnHelp400"));
    help->setText(QStringLiteral("?"));
    help->setToolTip(QStringLiteral("Nápověda"));
    connect(help, &QToolButton::clicked, this, [this] {
        if (OnHelp) {
            OnHelp();
        }
    });

    QToolButton* pdf =
        ToolButton(QStringLiteral("BtnUlozitPdf"), QStringLiteral("Uložit jako PDF..."),
                   QStringLiteral("Vytvoří sestavu podle zvolené předlohy a uloží ji jako PDF"));
    connect(pdf, &QToolButton::clicked, this, &TPrintPage::SaveAsPdf);
    QToolButton* sheet = ToolButton(
        QStringLiteral("BtnUlozitTabulku"), QStringLiteral("Uložit jako tabulku..."),
        QStringLiteral(
            "Uloží řádky seznamu jako tabulku pro tabulkový procesor (.xlsx nebo .csv)"));
    connect(sheet, &QToolButton::clicked, this, &TPrintPage::SaveAsSheet);
    QToolButton* mail = ToolButton(
        QStringLiteral("BtnOdeslatEmail"), QStringLiteral("Odeslat e-mailem..."),
        QStringLiteral("Vytvoří sestavu jako PDF a otevře poštovní program s ní jako přílohou"));
    connect(mail, &QToolButton::clicked, this, &TPrintPage::SendByMail);

    for (QToolButton* button : {refresh, clear, evidence_}) {
        row->addWidget(button);
    }
    row->addSpacing(16);
    row->addWidget(printButton_);
    row->addWidget(pdf);
    row->addWidget(sheet);
    row->addWidget(mail);
    row->addStretch(1);
    row->addWidget(help);
    return bar;
}

QWidget* TPrintPage::BuildSourceList() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    QStringList captions;
    for (const TPrintSource& source : PrintSources()) {
        captions << source.caption;
    }
    sources_ = ClosedList(QStringLiteral("VyberZdroje"), captions);
    sources_->setCurrentIndex(0);
    connect(sources_, &QComboBox::activated, this, [this](int index) { ChooseSource(index); });
    auto* label = new QLabel(QStringLiteral("Výběr zdroje"));
    label->setBuddy(sources_);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    row->addWidget(label);
    row->addWidget(sources_, 1);
    return box;
}

QLineEdit* TPrintPage::NameField(const QString& name) {
    auto* field = new TKEditKopa;
    field->setObjectName(name);
    field->CommaToPoint = false;
    field->setMaxLength(40);
    field->Loaded();
    return field;
}

QPushButton* TPrintPage::PickButton(QLineEdit* field) {
    auto* pick = new QPushButton(QStringLiteral("C"));
    pick->setObjectName(QStringLiteral("Btn") + field->objectName());
    pick->setAutoDefault(false);
    pick->setFixedWidth(26);
    connect(pick, &QPushButton::clicked, this, [this, field] { PickInto(field); });
    return pick;
}

TPrintPage::TFilterRow& TPrintPage::AddFilterRow(const QString& key, const QString& caption) {
    TFilterRow& row = rows_.at(static_cast<size_t>(rowCount_++));
    row.check = new QCheckBox(caption);
    row.check->setObjectName(QStringLiteral("Chb") + key);
    row.check->setToolTip(kRowHint);
    connect(row.check, &QCheckBox::toggled, this, [this, &row](bool on) { EnableRow(row, on); });
    return row;
}

QWidget* TPrintPage::BuildFilter() {
    auto* group = new QGroupBox(QStringLiteral("Filtr"));
    group->setObjectName(QStringLiteral("GroupFiltr"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    auto* fromHeading = new QLabel(QStringLiteral("Od"));
    auto* toHeading = new QLabel(QStringLiteral("Do"));
    grid->addWidget(fromHeading, 0, fcFrom, Qt::AlignCenter);
    grid->addWidget(toHeading, 0, fcTo, Qt::AlignCenter);

    int line = 1;
    const auto place = [&](TFilterRow& row) {
        grid->addWidget(row.check, line, fcCheck);
        if (row.from != nullptr) {
            grid->addWidget(row.from, line, fcFrom);
        }
        if (row.to != nullptr) {
            grid->addWidget(row.to, line, fcTo);
        }
        ++line;
    };
    const auto nameRow = [&](const QString& key, const QString& caption) {
        TFilterRow& row = AddFilterRow(key, caption);
        auto* from = NameField(key + QStringLiteral("Od"));
        auto* to = NameField(key + QStringLiteral("Do"));
        row.from = from;
        row.to = to;
        QPushButton* fromPick = PickButton(from);
        QPushButton* toPick = PickButton(to);
        row.others = {fromPick, toPick};
        grid->addWidget(fromPick, line, fcFromPick);
        grid->addWidget(toPick, line, fcToPick);
        place(row);
        return &row;
    };

    nameRow(QStringLiteral("Jmeno"), QStringLiteral("  Reg. jméno "));
    fromHeading->setBuddy(rows_[0].from);
    toHeading->setBuddy(rows_[0].to);

    TFilterRow& breed = AddFilterRow(QStringLiteral("Plemeno"), QStringLiteral("  Plemeno"));
    plemenoOd_ = new QComboBox;
    plemenoOd_->setObjectName(QStringLiteral("PlemenoOd"));
    plemenoDo_ = new QComboBox;
    plemenoDo_->setObjectName(QStringLiteral("PlemenoDo"));
    for (QComboBox* list : {plemenoOd_, plemenoDo_}) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->lineEdit()->setMaxLength(40);
        list->setCurrentIndex(-1);
        list->setMinimumWidth(140);
    }
    breed.from = plemenoOd_;
    breed.to = plemenoDo_;
    place(breed);

    nameRow(QStringLiteral("Otec"), QStringLiteral("  Otec"));
    nameRow(QStringLiteral("Matka"), QStringLiteral("  Matka"));

    TFilterRow& born = AddFilterRow(QStringLiteral("DatumNar"), QStringLiteral("  Datum nar."));
    for (QWidget** field : {&born.from, &born.to}) {
        auto* date = new TDateEditKopa;
        date->setObjectName(field == &born.from ? QStringLiteral("DatumNarOd")
                                                : QStringLiteral("DatumNarDo"));
        date->setMaxLength(10);
        date->Loaded();
        *field = date;
    }
    place(born);

    TFilterRow& sex = AddFilterRow(QStringLiteral("Pohlavi"), QStringLiteral("  Pohlaví"));
    sex_ = ClosedList(QStringLiteral("Pohlavi"), {QStringLiteral("Fena"), QStringLiteral("Pes")});
    sex_->setCurrentIndex(-1);
    sex.from = sex_;
    place(sex);

    TFilterRow& ownBreeding =
        AddFilterRow(QStringLiteral("VlastOdchov"), QStringLiteral("  Vlastní odchov"));
    ownBreeding_ = new QCheckBox(QStringLiteral("ano"));
    ownBreeding_->setObjectName(QStringLiteral("VlastOdchovAno"));
    ownBreeding.others = {ownBreeding_};
    grid->addWidget(ownBreeding_, line, fcFrom);
    place(ownBreeding);

    TFilterRow& owned =
        AddFilterRow(QStringLiteral("Vlastnictvi"), QStringLiteral("  Ve vlastnictví"));
    owned_ = new QCheckBox(QStringLiteral("ano"));
    owned_->setObjectName(QStringLiteral("VlastnictviAno"));
    owned.others = {owned_};
    grid->addWidget(owned_, line, fcFrom);
    place(owned);

    for (const TFilterRow& row : rows_) {
        for (QWidget* field : {row.from, row.to}) {
            if (field != nullptr) {
                field->setAccessibleName(row.check->text().trimmed());
            }
        }
        EnableRow(row, false);
    }
    // Entering an empty "Do" field takes the "Od" value.
    for (int i : {0, 1, 2, 3, 4}) {
        QWidget* to = rows_[static_cast<size_t>(i)].to;
        to->installEventFilter(this);
        if (auto* list = qobject_cast<QComboBox*>(to)) {
            list->lineEdit()->installEventFilter(this);
        }
    }
    grid->setColumnStretch(fcFrom, 1);
    grid->setColumnStretch(fcTo, 1);
    return group;
}

QWidget* TPrintPage::BuildSpecialSelection() {
    auto* group = new QGroupBox(QStringLiteral("Specifický výběr "));
    group->setObjectName(QStringLiteral("GroupSpecificky"));
    auto* row = new QHBoxLayout(group);
    aktivace_ = new QCheckBox(QStringLiteral("Aktivace"));
    aktivace_->setObjectName(QStringLiteral("ChbAktivace"));
    selectionButton_ = new QPushButton(QStringLiteral("Zvláštní výběry"));
    selectionButton_->setObjectName(QStringLiteral("BtnVybery"));
    selectionButton_->setAutoDefault(false);
    connect(selectionButton_, &QPushButton::clicked, this, &TPrintPage::OpenSpecialSelection);
    row->addWidget(aktivace_);
    row->addWidget(selectionButton_);
    row->addStretch(1);
    return group;
}

QWidget* TPrintPage::BuildSort() {
    auto* group = new QGroupBox(QStringLiteral("Skládané řazení"));
    group->setObjectName(QStringLiteral("GroupRazeni"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(3);
    sortChoices_ = &BasicSortChoices();
    QStringList entries;
    for (const TSortChoice& choice : *sortChoices_) {
        entries << choice.caption;
    }
    const QString captions[] = {QStringLiteral("Seřadit podle "), QStringLiteral("Dále podle"),
                                QStringLiteral("Pak podle")};
    for (int level = 0; level < 3; ++level) {
        TSortRow& row = sortRows_[static_cast<size_t>(level)];
        const QString number = QString::number(level + 1);
        row.column = ClosedList(QStringLiteral("Razeni") + number, entries);
        row.column->setCurrentIndex(level == 0 ? scJmenoRegistr : -1);
        row.column->setMinimumWidth(150);
        row.column->setMaxVisibleItems(20);
        row.ascending = new QRadioButton(QStringLiteral("Vzestupně"));
        row.ascending->setObjectName(QStringLiteral("Vzestupne") + number);
        row.ascending->setChecked(true);
        row.descending = new QRadioButton(QStringLiteral("Sestupně"));
        row.descending->setObjectName(QStringLiteral("Sestupne") + number);
        auto* direction = new QButtonGroup(group);
        direction->addButton(row.ascending);
        direction->addButton(row.descending);
        auto* label = new QLabel(captions[level]);
        label->setBuddy(row.column);
        grid->addWidget(label, level, 0);
        grid->addWidget(row.column, level, 1);
        grid->addWidget(row.ascending, level, 2);
        grid->addWidget(row.descending, level, 3);
    }
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* TPrintPage::BuildTemplateLists() {
    auto* group = new QGroupBox(QStringLiteral("Tiskové předlohy"));
    group->setObjectName(QStringLiteral("GroupPredlohy"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(3);
    const QList<TPrintSource>& sources = PrintSources();
    for (int i = 0; i < sources.size(); ++i) {
        QStringList entries;
        for (const TPrintTemplate& entry : sources[i].templates) {
            entries << entry.caption;
        }
        QComboBox* list = ClosedList(QStringLiteral("Predlohy%1").arg(i), entries);
        templateLists_[static_cast<size_t>(i)] = list;
        ownTemplates_[static_cast<size_t>(i)] = ReadOwnTemplate(SettingsFilePath(), i);
        FillOwnTemplateEntry(i);
        list->setCurrentIndex(0);
        // The list may be narrower than its longest caption, so the page fits
        // a laptop screen; the open list is as wide as its captions.
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(kTemplateListChars);
        list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) +
                                      list->view()->verticalScrollBar()->sizeHint().width());
        list->setToolTip(list->currentText());
        connect(list, &QComboBox::currentTextChanged, list, &QComboBox::setToolTip);
        connect(list, &QComboBox::activated, this,
                [this, i](int entry) { TemplateActivated(i, entry); });
        auto* label = new QLabel(sources[i].listLabel);
        label->setObjectName(QStringLiteral("LabelPredlohy%1").arg(i));
        label->setBuddy(list);
        templateLabels_[static_cast<size_t>(i)] = label;
        // Two columns of lists, so the page fits a laptop screen.
        const int rows = (static_cast<int>(sources.size()) + 1) / 2;
        const int row = i % rows;
        const int column = (i / rows) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(list, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* TPrintPage::BuildGrids() {
    gridPages_ = new QStackedWidget;
    gridPages_->setObjectName(QStringLiteral("GridPages"));
    for (int source = 0; source < kPrintSourceCount; ++source) {
        auto* grid = new TDbGridKOPA;
        grid->setObjectName(QStringLiteral("DBGridTisk%1").arg(source));
        grid->SetDataSource(source == tzEvidencniListy ? &dm_.SoMainCard
                                                       : PrintDataSource(dm_, source));
        SetUpPrintGrid(*grid, source);
        // A rebuilt list gets its columns fitted to what it shows.
        connect(grid->model(), &QAbstractItemModel::modelReset, this,
                [this, grid] { FitColumns(grid); });
        grids_[static_cast<size_t>(source)] = grid;
        gridPages_->addWidget(grid);
    }
    return gridPages_;
}
