#include "records/fovrhyzapis.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "app/parent_doubts.h"
#include "controls/k_list_box.h"
#include "platform/czech_locale.h"
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

}  // namespace

TFoVrhyZapis::TFoVrhyZapis(TDM1& dm, QWidget* parent)
    : TEntryDialog(QStringLiteral("FoVrhyZapis"), QStringLiteral("Zápis vrhu"), parent), dm_(dm) {
    BuildFields();
    BuildButtons();
    LayOut();
    SetTabOrder();
}

void TFoVrhyZapis::BuildFields() {
    Jmeno_reg_matka = NewRegisteredNameLabel("Jmeno_reg_matka", this);

    editJmenoRegOtec_ = NewEntryEdit<TKEditKopa>("Edit_Jmeno_reg_otec",
                                                 Width("vrhy.db", "Jmeno_reg_otec"), false, this);
    editDatumPorod_ = NewEntryEdit<TDateEditKopa>("Edit_datum_porod", 0, true, this);
    editPocetPes_ = NewEntryEdit<TWholeNumberEditKopa>("EditPocetPes", 0, false, this);
    editPocetPes_->Caption = QStringLiteral("Počet štěňat – Pes");
    editPocetFena_ = NewEntryEdit<TWholeNumberEditKopa>("EditPocetFena", 0, false, this);
    editPocetFena_->Caption = QStringLiteral("Počet štěňat – Fena");
    editJmenoStenat_ = NewEntryEdit<TKEditKopa>(
        "EditJmenoStenat", Width("main_card.db", "Jmeno_registr"), false, this);
    editPoznamka_ =
        NewEntryEdit<TKEditKopa>("Edit_Poznamka", Width("vrhy.db", "Poznamka"), false, this);
    EditPlemeno = NewEntryEdit<TKEditKopa>("EditPlemeno", Width("vrhy.db", "Plemeno"), false, this);

    listBoxJmenaStenat_ = new TKListBox(this);
    listBoxJmenaStenat_->setObjectName(QStringLiteral("ListBoxJmenaStenat"));
    listBoxJmenaStenat_->setFocusPolicy(Qt::ClickFocus);  // skipped by Tab
}

void TFoVrhyZapis::BuildButtons() {
    pickSire_ = NewFormButton("BtnOtec", QStringLiteral("C"), this);
    btnAddStene_ = NewFormButton("BtnAddStene", QStringLiteral("Přidat do seznamu"), this);
    removeName_ = NewFormButton("Button1", QStringLiteral("Odstranit ze seznamu"), this);
    removeName_->setFocusPolicy(Qt::ClickFocus);  // skipped by Tab
    btnWriteOnly_ = NewFormButton(
        "BtnWriteOnly", QStringLiteral("Pouze zápis vrhu"), this,
        QStringLiteral("Zapíše pouze vrh do tabulky. Karty štěňat se musí vytvořit ručně    "));
    btnGenerated_ =
        NewFormButton("BtnGenerated", QStringLiteral("I s vytvořením karet"), this,
                      QStringLiteral("Zapíše vrh do tabulky a vytvoří  evidenční listy"));
    btnCancel_ = NewFormButton("BtnCancel", QStringLiteral("Storno "), this);
    help_ = NewHelpButton(kHelpTopic, this);

    connect(pickSire_, &QPushButton::clicked, this, &TFoVrhyZapis::PickSireClick);
    connect(btnAddStene_, &QPushButton::clicked, this, &TFoVrhyZapis::BtnAddSteneClick);
    connect(removeName_, &QPushButton::clicked, this, &TFoVrhyZapis::RemoveNameClick);
    connect(btnWriteOnly_, &QPushButton::clicked, this, [this] { WriteLitterClick(false); });
    connect(btnGenerated_, &QPushButton::clicked, this, [this] { WriteLitterClick(true); });
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
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
    grid->addWidget(NewCaption(QStringLiteral("Registrované\n jméno matky"), nullptr, this), row,
                    0);
    grid->addWidget(Jmeno_reg_matka, row++, 1, 1, 2);

    grid->addWidget(
        NewCaption(QStringLiteral("Registrované\n jméno otce"), editJmenoRegOtec_, this), row, 0);
    auto* sire = new QHBoxLayout;
    sire->addWidget(editJmenoRegOtec_, 1);
    sire->addWidget(pickSire_);
    grid->addLayout(sire, row++, 1, 1, 2);

    grid->addWidget(NewCaption(QStringLiteral("Datum porodu"), editDatumPorod_, this), row, 0);
    grid->addWidget(editDatumPorod_, row++, 1, Qt::AlignLeft);

    grid->addWidget(NewCaption(QStringLiteral("Počet štěňat "), editPocetPes_, this), row, 0);
    auto* counts = new QHBoxLayout;
    counts->setSpacing(6);
    counts->addWidget(NewCaption(QStringLiteral("Pes"), editPocetPes_, this));
    counts->addWidget(editPocetPes_);
    counts->addSpacing(16);
    counts->addWidget(NewCaption(QStringLiteral("Fena"), editPocetFena_, this));
    counts->addWidget(editPocetFena_);
    counts->addStretch();
    grid->addLayout(counts, row++, 1, 1, 2);

    grid->addWidget(NewCaption(QStringLiteral("Jména štěňat"), editJmenoStenat_, this), row, 0);
    grid->addWidget(editJmenoStenat_, row, 1);
    grid->addWidget(btnAddStene_, row++, 2);

    grid->addWidget(NewCaption(QStringLiteral("Seznam jmen"), listBoxJmenaStenat_, this), row, 0,
                    Qt::AlignTop);
    grid->addWidget(listBoxJmenaStenat_, row, 1);
    grid->addWidget(removeName_, row++, 2, Qt::AlignTop);

    grid->addWidget(NewCaption(QStringLiteral("Poznámka"), editPoznamka_, this), row, 0);
    grid->addWidget(editPoznamka_, row++, 1, 1, 2);
    grid->addWidget(NewCaption(QStringLiteral("Plemeno"), EditPlemeno, this), row, 0);
    grid->addWidget(EditPlemeno, row++, 1, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddButtonRow(layout, 8, {btnWriteOnly_, btnGenerated_}, {btnCancel_, help_});
}

// Enter, Up and Down go through the input fields in this order; the list and
// its remove button are left out, the breed comes last.
void TFoVrhyZapis::SetTabOrder() {
    const QList<QWidget*> order{
        editJmenoRegOtec_, editDatumPorod_, editPocetPes_, editPocetFena_, editJmenoStenat_,
        editPoznamka_,     EditPlemeno,     btnWriteOnly_, btnGenerated_,  btnCancel_,
        btnAddStene_,      pickSire_,       help_};
    ChainTabOrder(order);
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
        ShowErrorBox(*refusal);
        return;
    }
    RefreshList();
    if (names_.Count() < expected) {
        editJmenoStenat_->setFocus(Qt::TabFocusReason);
    } else {
        editPoznamka_->setFocus(Qt::TabFocusReason);
    }
}

void TFoVrhyZapis::RemoveNameClick() {
    const int selected = listBoxJmenaStenat_->currentRow();
    if (selected < 0 || listBoxJmenaStenat_->selectedItems().isEmpty()) {
        ShowErrorBox(QStringLiteral("Není vybrána žádná položka "));
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

void TFoVrhyZapis::WriteLitterClick(bool createCards) {
    createCards_ = createCards;
    TEntryDialog::WriteClick();
}

// The checks come in three groups, each shown only when the one before
// passed: the litter's inputs, the puppy names, the puppy sheets.
QStringList TFoVrhyZapis::InputFailures() {
    const TLitterInput input = Input();
    QStringList failures = LitterInputFailures(dm_, input);
    if (failures.isEmpty()) {
        failures = PuppyNameFailures(dm_, input.names);
    }
    if (failures.isEmpty() && createCards_) {
        failures = PuppySheetFailures();
    }
    return failures;
}

// Parents that cannot be are asked about; the litter's birth date is the
// puppies' birth date.
bool TFoVrhyZapis::ConfirmWrite() {
    const TLitterInput input = Input();
    return ConfirmParents(dm_.Database1,
                          {QString(), platform::ParseDate(input.birth), input.sire, input.dam});
}

void TFoVrhyZapis::WriteEntry() {
    WriteLitter(dm_, Input(), createCards_);
}
