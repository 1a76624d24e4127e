#include "records/fovrhyzapis.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "app/dmunit.h"
#include "app/help_topics.h"
#include "app/parent_doubts.h"
#include "app/shared_messages.h"
#include "controls/K_Edit.h"
#include "controls/k_list_box.h"
#include "platform/czech_locale.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"
#include "records/date_edit_kopa.h"
#include "records/entry_form_parts.h"
#include "records/foseznam.h"
#include "records/whole_number_edit.h"

namespace {

constexpr int kHelpTopic = 306;

// Every text field takes as many characters as its column holds.
int Width(const char* table, const char* column) {
    return ColumnWidth(QString::fromLatin1(table), QString::fromLatin1(column));
}
constexpr int kHintDurationMs = 6000;

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

// Every message of the list in its own box; answers whether there was any.
bool ShowAll(const QStringList& messages) {
    for (const QString& message : messages) {
        ShowError(message);
    }
    return !messages.isEmpty();
}

template <typename Edit>
Edit* NewEdit(const char* name, int maxLength, QWidget* parent) {
    auto* edit = new Edit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    edit->CommaToPoint = false;
    edit->Loaded();
    return edit;
}

QPushButton* NewButton(const char* name, const QString& caption, QWidget* parent,
                       const QString& hint = QString()) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    if (!hint.isEmpty()) {
        button->setToolTip(hint);
        button->setToolTipDuration(kHintDurationMs);
    }
    return button;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TFoVrhyZapis::TFoVrhyZapis(TDM1& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("FoVrhyZapis"));
    setWindowTitle(QStringLiteral("Zápis vrhu"));
    BuildFields();
    BuildButtons();
    LayOut();
    SetTabOrder();
}

void TFoVrhyZapis::BuildFields() {
    Jmeno_reg_matka = new QLabel(this);
    Jmeno_reg_matka->setObjectName(QStringLiteral("Jmeno_reg_matka"));
    QFont bold = Jmeno_reg_matka->font();
    bold.setBold(true);
    Jmeno_reg_matka->setFont(bold);
    Jmeno_reg_matka->setTextInteractionFlags(Qt::TextSelectableByMouse);

    editJmenoRegOtec_ =
        NewEdit<TKEditKopa>("Edit_Jmeno_reg_otec", Width("vrhy.db", "Jmeno_reg_otec"), this);
    editDatumPorod_ = NewEdit<TDateEditKopa>("Edit_datum_porod", 0, this);
    editDatumPorod_->CommaToPoint = true;
    editPocetPes_ = NewEdit<TWholeNumberEditKopa>("EditPocetPes", 0, this);
    editPocetPes_->Caption = QStringLiteral("Počet štěňat – Pes");
    editPocetFena_ = NewEdit<TWholeNumberEditKopa>("EditPocetFena", 0, this);
    editPocetFena_->Caption = QStringLiteral("Počet štěňat – Fena");
    editJmenoStenat_ =
        NewEdit<TKEditKopa>("EditJmenoStenat", Width("main_card.db", "Jmeno_registr"), this);
    editPoznamka_ = NewEdit<TKEditKopa>("Edit_Poznamka", Width("vrhy.db", "Poznamka"), this);
    EditPlemeno = NewEdit<TKEditKopa>("EditPlemeno", Width("vrhy.db", "Plemeno"), this);

    listBoxJmenaStenat_ = new TKListBox(this);
    listBoxJmenaStenat_->setObjectName(QStringLiteral("ListBoxJmenaStenat"));
    listBoxJmenaStenat_->setFocusPolicy(Qt::ClickFocus);  // skipped by Tab
}

void TFoVrhyZapis::BuildButtons() {
    pickSire_ = NewButton("BtnOtec", QStringLiteral("C"), this);
    btnAddStene_ = NewButton("BtnAddStene", QStringLiteral("Přidat do seznamu"), this);
    button1_ = NewButton("Button1", QStringLiteral("Odstranit ze seznamu"), this);
    button1_->setFocusPolicy(Qt::ClickFocus);  // skipped by Tab
    btnWriteOnly_ = NewButton(
        "BtnWriteOnly", QStringLiteral("Pouze zápis vrhu"), this,
        QStringLiteral("Zapíše pouze vrh do tabulky. Karty štěňat se musí vytvořit ručně    "));
    btnGenerated_ = NewButton("BtnGenerated", QStringLiteral("I s vytvořením karet"), this,
                              QStringLiteral("Zapíše vrh do tabulky a vytvoří  evidenční listy"));
    btnCancel_ = NewButton("BtnCancel", QStringLiteral("Storno "), this);
    help_ = new QToolButton(this);
    help_->setObjectName(QStringLiteral("BitBtnHelp"));
    help_->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    help_->setIconSize(QSize(20, 20));
    help_->setAutoRaise(true);

    connect(pickSire_, &QPushButton::clicked, this, &TFoVrhyZapis::PickSireClick);
    connect(btnAddStene_, &QPushButton::clicked, this, &TFoVrhyZapis::BtnAddSteneClick);
    connect(button1_, &QPushButton::clicked, this, &TFoVrhyZapis::Button1Click);
    connect(btnWriteOnly_, &QPushButton::clicked, this, [this] { WriteClick(false); });
    connect(btnGenerated_, &QPushButton::clicked, this, [this] { WriteClick(true); });
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help_, &QToolButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
}

void TFoVrhyZapis::LayOut() {
    const int nameWidth = fontMetrics().horizontalAdvance(QString(30, QLatin1Char('n')));
    const int countWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16;
    for (QWidget* wide :
         {static_cast<QWidget*>(editJmenoRegOtec_), static_cast<QWidget*>(editJmenoStenat_),
          static_cast<QWidget*>(EditPlemeno)}) {
        wide->setMinimumWidth(nameWidth);
    }
    editDatumPorod_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) +
                                   20);
    editPocetPes_->setFixedWidth(countWidth);
    editPocetFena_->setFixedWidth(countWidth);
    pickSire_->setFixedWidth(pickSire_->sizeHint().height() + 4);
    listBoxJmenaStenat_->setFixedHeight(fontMetrics().height() * 8);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    int row = 0;
    grid->addWidget(Caption(QStringLiteral("Registrované\n jméno matky"), nullptr, this), row, 0);
    grid->addWidget(Jmeno_reg_matka, row++, 1, 1, 2);

    grid->addWidget(Caption(QStringLiteral("Registrované\n jméno otce"), editJmenoRegOtec_, this),
                    row, 0);
    auto* sire = new QHBoxLayout;
    sire->addWidget(editJmenoRegOtec_, 1);
    sire->addWidget(pickSire_);
    grid->addLayout(sire, row++, 1, 1, 2);

    grid->addWidget(Caption(QStringLiteral("Datum porodu"), editDatumPorod_, this), row, 0);
    grid->addWidget(editDatumPorod_, row++, 1, Qt::AlignLeft);

    grid->addWidget(Caption(QStringLiteral("Počet štěňat "), editPocetPes_, this), row, 0);
    auto* counts = new QHBoxLayout;
    counts->setSpacing(6);
    counts->addWidget(Caption(QStringLiteral("Pes"), editPocetPes_, this));
    counts->addWidget(editPocetPes_);
    counts->addSpacing(16);
    counts->addWidget(Caption(QStringLiteral("Fena"), editPocetFena_, this));
    counts->addWidget(editPocetFena_);
    counts->addStretch();
    grid->addLayout(counts, row++, 1, 1, 2);

    grid->addWidget(Caption(QStringLiteral("Jména štěňat"), editJmenoStenat_, this), row, 0);
    grid->addWidget(editJmenoStenat_, row, 1);
    grid->addWidget(btnAddStene_, row++, 2);

    grid->addWidget(Caption(QStringLiteral("Seznam jmen"), listBoxJmenaStenat_, this), row, 0,
                    Qt::AlignTop);
    grid->addWidget(listBoxJmenaStenat_, row, 1);
    grid->addWidget(button1_, row++, 2, Qt::AlignTop);

    grid->addWidget(Caption(QStringLiteral("Poznámka"), editPoznamka_, this), row, 0);
    grid->addWidget(editPoznamka_, row++, 1, 1, 2);
    grid->addWidget(Caption(QStringLiteral("Plemeno"), EditPlemeno, this), row, 0);
    grid->addWidget(EditPlemeno, row++, 1, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnWriteOnly_);
    buttons->addWidget(btnGenerated_);
    buttons->addStretch();
    buttons->addWidget(btnCancel_);
    buttons->addWidget(help_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

// Enter, Up and Down go through the input fields in this order; the list and
// its remove button are left out, the breed comes last.
void TFoVrhyZapis::SetTabOrder() {
    const QList<QWidget*> order{
        editJmenoRegOtec_, editDatumPorod_, editPocetPes_, editPocetFena_, editJmenoStenat_,
        editPoznamka_,     EditPlemeno,     btnWriteOnly_, btnGenerated_,  btnCancel_,
        btnAddStene_,      pickSire_,       help_};
    for (int i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void TFoVrhyZapis::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    editJmenoRegOtec_->setFocus(Qt::TabFocusReason);
}

// The sire's list offers males (and animals of unknown sex), never the dam.
void TFoVrhyZapis::PickSireClick() {
    TPickFilter filter;
    filter.sex = TAnimalSex::asMale;
    filter.exclude = Jmeno_reg_matka->text();
    if (const std::optional<QString> sire = PickAnimal(dm_, this, filter)) {
        editJmenoRegOtec_->setText(*sire);
        editDatumPorod_->setFocus(Qt::TabFocusReason);
    }
}

void TFoVrhyZapis::BtnAddSteneClick() {
    const int expected = CountOrZero(editPocetPes_->text()) + CountOrZero(editPocetFena_->text());
    if (const std::optional<QString> refusal = names_.Add(editJmenoStenat_->text(), expected)) {
        ShowError(*refusal);
        return;
    }
    RefreshList();
    if (names_.Count() < expected) {
        editJmenoStenat_->setFocus(Qt::TabFocusReason);
    } else {
        editPoznamka_->setFocus(Qt::TabFocusReason);
    }
}

void TFoVrhyZapis::Button1Click() {
    const int selected = listBoxJmenaStenat_->currentRow();
    if (selected < 0 || listBoxJmenaStenat_->selectedItems().isEmpty()) {
        ShowError(QStringLiteral("Není vybrána žádná položka "));
        return;
    }
    names_.RemoveAt(selected);
    RefreshList();
}

void TFoVrhyZapis::RefreshList() {
    listBoxJmenaStenat_->clear();
    listBoxJmenaStenat_->addItems(names_.Names());
}

TLitterInput TFoVrhyZapis::Input() const {
    TLitterInput input;
    input.dam = Jmeno_reg_matka->text();
    input.sire = editJmenoRegOtec_->text();
    input.birth = editDatumPorod_->text();
    input.males = editPocetPes_->text();
    input.females = editPocetFena_->text();
    input.names = names_.Names();
    input.note = editPoznamka_->text();
    input.breed = EditPlemeno->text();
    return input;
}

void TFoVrhyZapis::WriteClick(bool createCards) {
    createCards_ = createCards;
    if (WriteChecked()) {
        ShowCommandDone();
        accept();
    }
}

bool TFoVrhyZapis::WriteChecked() {
    const TLitterInput input = Input();
    try {
        if (ShowAll(LitterInputFailures(dm_, input)) ||
            ShowAll(PuppyNameFailures(dm_, input.names)) ||
            (createCards_ && ShowAll(PuppySheetFailures()))) {
            ShowError(QStringLiteral("Nelze zapsat, opravte data"));
            return false;
        }
        // Parents that cannot be are asked about; the litter's birth date
        // is the puppies' birth date.
        if (!ConfirmParents(dm_.Database1,
                            {QString(), platform::ParseDate(input.birth), input.sire, input.dam})) {
            return false;
        }
        WriteLitter(dm_, input, createCards_);
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
        return false;
    } catch (const std::exception& error) {
        ShowError(QString::fromLocal8Bit(error.what()));
        return false;
    }
    return true;
}
