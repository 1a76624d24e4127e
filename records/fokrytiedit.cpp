#include "records/fokrytiedit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "controls/db_grid.h"
#include "controls/db_memo.h"
#include "controls/field_data_link.h"
#include "controls/k_db_edit.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "records/address_copy.h"
#include "records/bound_parts.h"
#include "records/entry_form_parts.h"
#include "records/foseznam.h"
#include "records/mating_entry.h"

namespace {

constexpr int kIntentionLength = 100;
constexpr int kNoteLength = 255;

}  // namespace

TFoKrytiEditace::TFoKrytiEditace(TDM1& dm, QWidget* parent)
    : TBoundEditDialog(QStringLiteral("FoKrytiEditace"), QStringLiteral("Krytí - úpravy"),
                       dm.TaKryti, dm.SoKryti,
                       {{QStringLiteral("Datum_kryti_1"), QStringLiteral("Datum 1. krytí")},
                        {QStringLiteral("Jmeno_partner"), QStringLiteral("Partner")}},
                       parent),
      dm_(dm) {
    BuildControls();
    BuildPickButtons();
    LayOut();
}

void TFoKrytiEditace::BuildControls() {
    // The text fields take as many characters as their columns hold.
    platform::DataSource& source = Source();
    animal_ = NewBoundNameLabel("DBEditJmeno_registr", source, this);
    partner_ = NewBoundEdit("DBEditJmeno_partner", source, "Jmeno_partner", 0, false, this);
    owner_ = NewBoundEdit("DBEditMajitel", source, "Majitel", 0, false, this);
    assistance_ = NewBoundEdit("DBEditAsistence", source, "Asistence", 0, false, this);
    for (int i = 0; i < 3; ++i) {
        const QString number = QString::number(i + 1);
        dates_[i] = NewBoundEdit(QStringLiteral("DBEditDatum_kryti_") + number, source,
                                 QStringLiteral("Datum_kryti_") + number, 0, true, this);
        manners_[i] =
            NewBoundCombo(QStringLiteral("DBComboZpusob_Kryti_") + number, source,
                          QStringLiteral("Zpusob_Kryti_") + number, MatingManners(), this);
        places_[i] = NewBoundEdit(QStringLiteral("DBEditMisto_Kryti_") + number, source,
                                  QStringLiteral("Misto_Kryti_") + number, 0, false, this);
    }
    intention_ =
        NewBoundMemo("DBMemoChovatel_zamer", source, "Chovatel_zamer", kIntentionLength, this);
    note_ = NewBoundMemo("DBMemoPoznamka", source, "Poznamka", kNoteLength, this);
    males_ = NewBoundEdit("DBEditPocet_pes", source, "Pocet_pes", 0, false, this);
    females_ = NewBoundEdit("DBEditPocet_fena", source, "Pocet_fena", 0, false, this);
    covered_ = new TDBCheckboxMy(this);
    covered_->setObjectName(QStringLiteral("DBCheckboxNakryta_Ano_Ne"));
    covered_->setText(QStringLiteral("Nakryta"));
    covered_->ValueChecked = QStringLiteral("Pravda");
    covered_->ValueUnchecked = QStringLiteral("Nepravda");
    covered_->SetDataSource(&source);
    covered_->SetDataField(QStringLiteral("Nakryta_Ano_Ne"));
    litterDate_ = NewBoundEdit("DBEditDatum_vrhu", source, "Datum_vrhu", 0, false, this);
}

// The "C" buttons act as the entry form's do, on the current mating.
void TFoKrytiEditace::BuildPickButtons() {
    pickPartner_ = NewFormButton("BtnPartner", QStringLiteral("C"), this,
                                 QStringLiteral("Výběr partnera ze seznamu evidovaných jedinců"));
    pickOwner_ = NewFormButton("BtnMajitel", QStringLiteral("C"), this,
                               QStringLiteral("Výběr majitele z adresáře"));
    pickAssistance_ = NewFormButton("BtnAsistence", QStringLiteral("C"), this,
                                    QStringLiteral("Výběr asistence z adresáře"));
    for (QPushButton* pick : {pickPartner_, pickOwner_, pickAssistance_}) {
        pick->setFocusPolicy(Qt::NoFocus);  // the bound field keeps its change until left
    }
    connect(pickPartner_, &QPushButton::clicked, this, &TFoKrytiEditace::PickPartnerClick);
    connect(pickOwner_, &QPushButton::clicked, this,
            [this] { CopyFromAddressBook("Majitel", owner_); });
    connect(pickAssistance_, &QPushButton::clicked, this,
            [this] { CopyFromAddressBook("Asistence", assistance_); });
}

void TFoKrytiEditace::LayOut() {
    const QFontMetrics metrics = fontMetrics();
    const int nameWidth = metrics.horizontalAdvance(QString(32, QLatin1Char('n')));
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("00.00.0000")) + 20;
    const int countWidth = metrics.horizontalAdvance(QStringLiteral("00000")) + 16;
    Grid()->setColumnWidth(0, dateWidth + 30);
    Grid()->horizontalHeader()->setStretchLastSection(true);
    Grid()->setMinimumWidth(dateWidth + 30 + nameWidth);
    const int pickWidth = pickPartner_->sizeHint().height() + 4;

    auto* people = new QGridLayout;
    people->setColumnStretch(1, 1);
    people->addWidget(NewCaption(QStringLiteral("Registr. jméno  "), animal_, this), 0, 0);
    people->addWidget(animal_, 0, 1, 1, 2);
    const std::pair<const char*, std::pair<TKDBEditKopa*, QPushButton*>> rows[] = {
        {"Partner", {partner_, pickPartner_}},
        {"Majitel", {owner_, pickOwner_}},
        {"Asistence", {assistance_, pickAssistance_}},
    };
    int row = 1;
    for (const auto& [caption, widgets] : rows) {
        widgets.first->setMinimumWidth(nameWidth);
        widgets.second->setFixedWidth(pickWidth);
        people->addWidget(NewCaption(QString::fromUtf8(caption), widgets.first, this), row, 0);
        people->addWidget(widgets.first, row, 1);
        people->addWidget(widgets.second, row++, 2);
    }

    auto* terms = new QGroupBox(QStringLiteral("Termíny a způsob krytí"), this);
    auto* termGrid = new QGridLayout(terms);
    const int mannerWidth = metrics.horizontalAdvance(MatingManners().first()) + 40;
    for (int i = 0; i < 3; ++i) {
        dates_[i]->setFixedWidth(dateWidth);
        manners_[i]->setMinimumWidth(mannerWidth);
        places_[i]->setMinimumWidth(metrics.horizontalAdvance(QString(15, QLatin1Char('n'))));
        QLabel* rowCaption = NewCaption(QStringLiteral("%1 krytí").arg(i + 1), dates_[i], this);
        QFont bold = rowCaption->font();
        bold.setBold(true);
        rowCaption->setFont(bold);
        termGrid->addWidget(rowCaption, i, 0);
        termGrid->addWidget(NewCaption(QStringLiteral("Datum"), dates_[i], this), i, 1);
        termGrid->addWidget(dates_[i], i, 2);
        termGrid->addWidget(NewCaption(QStringLiteral("Způsob"), manners_[i], this), i, 3);
        termGrid->addWidget(manners_[i], i, 4);
        termGrid->addWidget(NewCaption(QStringLiteral("Místo"), places_[i], this), i, 5);
        termGrid->addWidget(places_[i], i, 6);
    }
    termGrid->setColumnStretch(6, 1);

    intention_->setFixedHeight(metrics.height() * 3 + 10);
    note_->setFixedHeight(metrics.height() * 4 + 10);
    males_->setFixedWidth(countWidth);
    females_->setFixedWidth(countWidth);
    litterDate_->setFixedWidth(dateWidth);
    auto* later = new QGridLayout;
    later->setColumnStretch(1, 1);
    later->addWidget(NewCaption(QStringLiteral("Chovatelský záměr"), intention_, this), 0, 0,
                     Qt::AlignTop);
    later->addWidget(intention_, 0, 1);
    auto* outcome = new QHBoxLayout;
    outcome->setSpacing(6);
    outcome->addWidget(NewCaption(QStringLiteral("Pes"), males_, this));
    outcome->addWidget(males_);
    outcome->addSpacing(12);
    outcome->addWidget(NewCaption(QStringLiteral("Fena"), females_, this));
    outcome->addWidget(females_);
    outcome->addSpacing(24);
    outcome->addWidget(covered_);
    outcome->addSpacing(24);
    outcome->addWidget(NewCaption(QStringLiteral("Datum vrhu"), litterDate_, this));
    outcome->addWidget(litterDate_);
    outcome->addStretch();
    later->addWidget(NewCaption(QStringLiteral("Počet štěňat "), males_, this), 1, 0);
    later->addLayout(outcome, 1, 1);
    later->addWidget(NewCaption(QStringLiteral("Poznámka"), note_, this), 2, 0, Qt::AlignTop);
    later->addWidget(note_, 2, 1);

    auto* detail = new QVBoxLayout;
    detail->addLayout(people);
    detail->addWidget(terms);
    detail->addLayout(later);
    detail->addStretch();
    LayOutAround(detail);
}

void TFoKrytiEditace::SetCurrentField(const char* column, const QString& value) {
    platform::DataSet& matings = dm_.TaKryti;
    if (!matings.IsActive() || matings.RecNo() < 0) {
        return;
    }
    try {
        if (matings.State() == platform::DataSetState::Browse) {
            matings.Edit();
        }
        UpdateBoundControls(matings);
        matings.FieldByName(QString::fromLatin1(column)).SetAsString(value);
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
}

void TFoKrytiEditace::PickPartnerClick() {
    if (const std::optional<QString> partner = PickAnimal(dm_, this)) {
        SetCurrentField("Jmeno_partner", *partner);
    }
}

void TFoKrytiEditace::CopyFromAddressBook(const char* column, TKDBEditKopa* field) {
    // The address book moves adresar.db only; the mating stays current.
    if (const std::optional<QString> key = AddressKeyForField(dm_, field->text())) {
        SetCurrentField(column, *key);
    }
}
