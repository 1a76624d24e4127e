#include "records/fokrytizapis.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "controls/memo_limit.h"
#include "records/address_copy.h"
#include "records/date_edit_kopa.h"
#include "records/entry_form_parts.h"
#include "records/foseznam.h"
#include "records/litter_inbreeding_label.h"
#include "records/whole_number_edit.h"

namespace {

constexpr int kHelpTopic = 305;
const QString kTable = QStringLiteral("kryti.DB");

// Every text field takes as many characters as its column holds.
int Width(const char* column) {
    return ColumnWidth(kTable, QString::fromLatin1(column));
}

}  // namespace

TFoKrytiZapis::TFoKrytiZapis(TDM1& dm, QWidget* parent)
    : TEntryDialog(QStringLiteral("FoKrytiZapis"), QStringLiteral("Krytí - zápis"), parent),
      dm_(dm) {
    BuildFields();
    BuildButtons();
    LayOut();
    SetTabOrder();
}

void TFoKrytiZapis::BuildFields() {
    Jmeno_registr = NewRegisteredNameLabel("Jmeno_registr", this);

    editPartner_ = NewEntryEdit<TKEditKopa>("EditPartner", Width("Jmeno_partner"), false, this);
    editMajitel_ = NewEntryEdit<TKEditKopa>("Edit_Majitel", Width("Majitel"), false, this);
    editAsistence_ = NewEntryEdit<TKEditKopa>("EditAsistence", Width("Asistence"), false, this);
    for (int i = 0; i < 3; ++i) {
        const QByteArray number = QByteArray::number(i + 1);
        editDatum_[i] =
            NewEntryEdit<TDateEditKopa>(("Edit_datum_kryti_" + number).constData(), 0, true, this);
        comboZpusob_[i] = new TComboBoxKopa(this);
        comboZpusob_[i]->setObjectName(QStringLiteral("ComboZpusob_Kryti_") + number);
        comboZpusob_[i]->SetStyle(csDropDown);
        comboZpusob_[i]->SetItems(MatingManners());
        comboZpusob_[i]->SetText(QString());
        comboZpusob_[i]->lineEdit()->setMaxLength(Width("Zpusob_Kryti_1"));
        editMisto_[i] = NewEntryEdit<TKEditKopa>(("EditMisto" + number).constData(),
                                                 Width("Misto_Kryti_1"), false, this);
    }
    memoZamer_ = new QPlainTextEdit(this);
    memoZamer_->setObjectName(QStringLiteral("MemoZamer"));
    memoZamer_->setTabChangesFocus(true);
    LimitMemoLength(memoZamer_, Width("Chovatel_zamer"));
    editPocetPes_ = NewEntryEdit<TWholeNumberEditKopa>("EditPocetPes", 0, false, this);
    editPocetPes_->Caption = QStringLiteral("Počet štěňat – Pes");
    editPocetFena_ = NewEntryEdit<TWholeNumberEditKopa>("EditPocetFena", 0, false, this);
    editPocetFena_->Caption = QStringLiteral("Počet štěňat – Fena");
    auto* check = new TCheckboxMy(this);
    check->setText(QStringLiteral("Nakryta"));
    checkNakryto_ = check;
    checkNakryto_->setObjectName(QStringLiteral("CheckboxNakryto_Ano_Ne"));
    editDatumVrh_ = NewEntryEdit<TDateEditKopa>("EditDatumVrh", 0, false, this);
}

void TFoKrytiZapis::BuildButtons() {
    pickPartner_ = NewFormButton("BtnPartner", QStringLiteral("C"), this,
                                 QStringLiteral("Výběr partnera ze seznamu evidovaných jedinců"));
    pickMajitel_ = NewFormButton("BtnMajitel", QStringLiteral("C"), this,
                                 QStringLiteral("Výběr majitele z adresáře"));
    pickAsistence_ = NewFormButton("BtnAsistence", QStringLiteral("C"), this,
                                   QStringLiteral("Výběr asistence z adresáře"));
    write_ = NewFormButton("Button2", QStringLiteral("Zápis"), this);
    cancel_ = NewFormButton("Button1", QStringLiteral("Storno"), this);
    help_ = NewHelpButton(kHelpTopic, this);

    connect(pickPartner_, &QPushButton::clicked, this, &TFoKrytiZapis::PickPartnerClick);
    connect(pickMajitel_, &QPushButton::clicked, this,
            [this] { CopyFromAddressBook(editMajitel_); });
    connect(pickAsistence_, &QPushButton::clicked, this,
            [this] { CopyFromAddressBook(editAsistence_); });
    connect(write_, &QPushButton::clicked, this, &TFoKrytiZapis::WriteClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(editPartner_, &QLineEdit::textChanged, this, &TFoKrytiZapis::ShowLitterInbreeding);
}

void TFoKrytiZapis::LayOut() {
    const QFontMetrics metrics = fontMetrics();
    const int nameWidth = metrics.horizontalAdvance(QString(32, QLatin1Char('n')));
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("00.00.0000")) + 20;
    const int countWidth = metrics.horizontalAdvance(QStringLiteral("00000")) + 16;
    const int pickWidth = pickPartner_->sizeHint().height() + 4;
    for (QWidget* wide : {static_cast<QWidget*>(editPartner_), static_cast<QWidget*>(editMajitel_),
                          static_cast<QWidget*>(editAsistence_)}) {
        wide->setMinimumWidth(nameWidth);
    }
    for (QPushButton* pick : {pickPartner_, pickMajitel_, pickAsistence_}) {
        pick->setFixedWidth(pickWidth);
    }

    auto* people = new QGridLayout;
    people->setColumnStretch(1, 1);
    people->addWidget(NewCaption(QStringLiteral("Registr. jméno  "), nullptr, this), 0, 0);
    people->addWidget(Jmeno_registr, 0, 1, 1, 2);
    const std::pair<const char*, std::pair<TKEditKopa*, QPushButton*>> rows[] = {
        {"Partner", {editPartner_, pickPartner_}},
        {"Majitel", {editMajitel_, pickMajitel_}},
        {"Asistence", {editAsistence_, pickAsistence_}},
    };
    int row = 1;
    for (const auto& [caption, widgets] : rows) {
        people->addWidget(NewCaption(QString::fromUtf8(caption), widgets.first, this), row, 0);
        people->addWidget(widgets.first, row, 1);
        people->addWidget(widgets.second, row++, 2);
    }

    auto* terms = new QGroupBox(QStringLiteral("Termíny a způsob krytí"), this);
    terms->setObjectName(QStringLiteral("GroupBoxTerminy"));
    auto* termGrid = new QGridLayout(terms);
    const int mannerWidth = metrics.horizontalAdvance(MatingManners().first()) + 40;
    for (int i = 0; i < 3; ++i) {
        editDatum_[i]->setFixedWidth(dateWidth);
        comboZpusob_[i]->setMinimumWidth(mannerWidth);
        editMisto_[i]->setMinimumWidth(metrics.horizontalAdvance(QString(15, QLatin1Char('n'))));
        QLabel* rowCaption = NewCaption(QStringLiteral("%1 krytí").arg(i + 1), editDatum_[i], this);
        QFont bold = rowCaption->font();
        bold.setBold(true);
        rowCaption->setFont(bold);
        termGrid->addWidget(rowCaption, i, 0);
        termGrid->addWidget(NewCaption(QStringLiteral("Datum"), editDatum_[i], this), i, 1);
        termGrid->addWidget(editDatum_[i], i, 2);
        termGrid->addWidget(NewCaption(QStringLiteral("Způsob"), comboZpusob_[i], this), i, 3);
        termGrid->addWidget(comboZpusob_[i], i, 4);
        termGrid->addWidget(NewCaption(QStringLiteral("Místo"), editMisto_[i], this), i, 5);
        termGrid->addWidget(editMisto_[i], i, 6);
    }
    termGrid->setColumnStretch(6, 1);

    memoZamer_->setFixedHeight(metrics.height() * 4);
    editPocetPes_->setFixedWidth(countWidth);
    editPocetFena_->setFixedWidth(countWidth);
    editDatumVrh_->setFixedWidth(dateWidth);
    auto* later = new QGridLayout;
    later->setColumnStretch(1, 1);
    later->addWidget(NewCaption(QStringLiteral("Chovatelský záměr"), memoZamer_, this), 0, 0,
                     Qt::AlignTop);
    later->addWidget(memoZamer_, 0, 1);
    auto* outcome = new QHBoxLayout;
    outcome->setSpacing(6);
    outcome->addWidget(NewCaption(QStringLiteral("Pes"), editPocetPes_, this));
    outcome->addWidget(editPocetPes_);
    outcome->addSpacing(12);
    outcome->addWidget(NewCaption(QStringLiteral("Fena"), editPocetFena_, this));
    outcome->addWidget(editPocetFena_);
    outcome->addSpacing(24);
    outcome->addWidget(checkNakryto_);
    outcome->addSpacing(24);
    outcome->addWidget(NewCaption(QStringLiteral("Datum vrhu"), editDatumVrh_, this));
    outcome->addWidget(editDatumVrh_);
    outcome->addStretch();
    later->addWidget(NewCaption(QStringLiteral("Počet štěňat "), editPocetPes_, this), 1, 0);
    later->addLayout(outcome, 1, 1);

    bottomRows_ = new QVBoxLayout;
    litterInbreeding_ = new TLitterInbreedingLabel(dm_.Database1, this);
    bottomRows_->addWidget(litterInbreeding_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(people);
    layout->addWidget(terms);
    layout->addLayout(later);
    layout->addLayout(bottomRows_);
    AddButtonRow(layout, 6, {write_}, {cancel_, help_});
}

// Enter, Up and Down follow this order through the fields; the buttons
// come after the last field.
void TFoKrytiZapis::SetTabOrder() {
    QList<QWidget*> order{editPartner_, editMajitel_, editAsistence_};
    for (int i = 0; i < 3; ++i) {
        order << editDatum_[i] << comboZpusob_[i] << editMisto_[i];
    }
    order << memoZamer_ << editPocetPes_ << editPocetFena_ << checkNakryto_ << editDatumVrh_
          << write_ << cancel_ << pickPartner_ << pickMajitel_ << pickAsistence_ << help_;
    ChainTabOrder(order);
}

void TFoKrytiZapis::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowLitterInbreeding();
    editPartner_->setFocus(Qt::TabFocusReason);
}

void TFoKrytiZapis::ShowLitterInbreeding() {
    litterInbreeding_->ShowLitter(Jmeno_registr->text(), editPartner_->text());
}

void TFoKrytiZapis::PickPartnerClick() {
    if (const std::optional<QString> partner = PickAnimal(dm_, this)) {
        editPartner_->setText(*partner);
    }
}

void TFoKrytiZapis::CopyFromAddressBook(TKEditKopa* field) {
    if (const std::optional<QString> key = AddressKeyForField(dm_, field->text())) {
        field->setText(*key);
    }
}

TMatingInput TFoKrytiZapis::Input() const {
    TMatingInput input;
    input.animal = Jmeno_registr->text();
    input.partner = editPartner_->text();
    input.owner = editMajitel_->text();
    input.assistance = editAsistence_->text();
    for (int i = 0; i < 3; ++i) {
        input.dates[i] = editDatum_[i]->text();
        input.manners[i] = comboZpusob_[i]->Text();
        input.places[i] = editMisto_[i]->text();
    }
    input.intention = memoZamer_->toPlainText();
    input.males = editPocetPes_->text();
    input.females = editPocetFena_->text();
    input.covered = checkNakryto_->isChecked();
    input.litterDate = editDatumVrh_->text();
    return input;
}

QStringList TFoKrytiZapis::InputFailures() {
    return MatingInputFailures(Input());
}

void TFoKrytiZapis::WriteEntry() {
    WriteMating(dm_, Input());
}
