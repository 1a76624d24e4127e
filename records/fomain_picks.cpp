// The record sheet's own actions on the card: sire and dam picked from the
// list of animals, breeder and owner from the address book, the photo and
// the titles on demand, the full view of the photo, and the moves from the
// last field of one tab to the next tab.
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/dmunit.h"
#include "app/shared_messages.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"
#include "records/fofullnahled.h"
#include "records/fomain.h"
#include "records/foseznam.h"

namespace {

const QString kRegisteredName = QStringLiteral("Jmeno_registr");
const QString kNoPhoto = QStringLiteral("Obrázek k této kartě není založen");

bool IsEditing(const platform::DataSet& dataSet) {
    return dataSet.State() == platform::DataSetState::Edit ||
           dataSet.State() == platform::DataSetState::Insert;
}

void ShowInformation(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Information, platform::mbOK);
}

void ShowStoreError(const platform::StoreError& error) {
    platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error, platform::mbOK);
}

}  // namespace

bool TFoMain::RefuseInBrowseMode() {
    if (editMode_) {
        return false;
    }
    platform::ShowMessage(QStringLiteral("Evidenční list je v režimu prohližení, nelze ! "),
                          QString(), platform::MessageIcon::Error, platform::mbOK);
    return true;
}

// Writes a picked value into the card, which enters editing when it is
// only browsing; the change then needs "Ulož" or is asked for on closing.
void TFoMain::PutIntoCard(const QString& column, const QString& value) {
    platform::DataSet& card = dm_->TaMain_Card;
    try {
        if (!IsEditing(card)) {
            card.RecNo() < 0 ? card.Append() : card.Edit();
        }
        card.FieldByName(column).SetAsString(value);
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
}

void TFoMain::PickParent(const QString& column) {
    if (RefuseInBrowseMode()) {
        return;
    }
    // The sire's list offers males, the dam's females (and both animals of
    // unknown sex), never the animal of the card itself.
    TPickFilter filter;
    filter.sex = column == QLatin1String("Otec") ? TAnimalSex::asMale : TAnimalSex::asFemale;
    filter.exclude = CardRegisteredName(dm_->TaMain_Card);
    if (const std::optional<QString> picked = PickAnimal(*dm_, this, filter)) {
        PutIntoCard(column, *picked);
    }
}

void TFoMain::PickAddress(const QString& column) {
    if (RefuseInBrowseMode()) {
        return;
    }
    const auto* edit = findChild<QLineEdit*>(QStringLiteral("DBE_") + column);
    const QString current = edit != nullptr ? edit->text() : QString();
    QString key;
    try {
        key = dm_->AddressLookup(current);
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return;
    }
    if (key.isEmpty()) {
        return;
    }
    if (!current.trimmed().isEmpty() &&
        platform::ShowMessage(QStringLiteral("Přepsat údajem z adresáře ?"), QString(),
                              platform::MessageIcon::Question,
                              platform::mbYes | platform::mbNo) != platform::mbYes) {
        return;
    }
    PutIntoCard(column, key);
}

// "Foto" and "Tituly" close their table when the mouse button is released;
// the click that follows opens it again for the animal of main_card.db.
void TFoMain::FotoRelease() {
    dm_->TaFoto_Album.Close();
}

void TFoMain::FotoClick() {
    try {
        dm_->TaFoto_Album.Open();
        const bool found =
            dm_->TaFoto_Album.Locate(kRegisteredName, CardRegisteredName(dm_->TaMain_Card));
        ShowPhoto(found);
        if (!found) {
            ShowInformation(kNoPhoto);
        }
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
}

void TFoMain::TitulyRelease() {
    dm_->TaTituly.SetFiltered(false);
    dm_->TaTituly.Close();
}

void TFoMain::TitulyClick() {
    try {
        dm_->TaTituly.Open();
        dm_->CurrentAnimal.SetJmenoRegistr(CardRegisteredName(dm_->TaMain_Card));
        dm_->TaTituly.SetFiltered(true);
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
}

void TFoMain::PhotoClicked() {
    try {
        dm_->TaFoto_Album.Open();
        if (dm_->TaFoto_Album.Locate(kRegisteredName, CardRegisteredName(CardDataSet()))) {
            TFoFullNahled view(*dm_, this);
            platform::ExecModal(view);
        } else {
            ShowInformation(kNoPhoto);
        }
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
}

// Leaving "Majitel" while the card is being changed goes on to the height at
// the withers on the next tab; leaving "Luxace" shows the last tab, whose
// birth date is display only, so the input stays where it is.
void TFoMain::MoveOnFromField(QObject* field) {
    const QString name = field->objectName();
    if (name != QLatin1String("DBE_Majitel") && name != QLatin1String("DBE_Luxace")) {
        return;
    }
    if (!editMode_ || !IsEditing(dm_->TaMain_Card)) {
        return;
    }
    if (name == QLatin1String("DBE_Majitel")) {
        tabs_->setCurrentIndex(1);
        auto* height = findChild<QLineEdit*>(QStringLiteral("DBE_Vyska_kohout"));
        if (height != nullptr && height->isEnabled() && height->focusPolicy() != Qt::NoFocus) {
            height->setFocus(Qt::TabFocusReason);
        }
    } else {
        tabs_->setCurrentIndex(2);
        auto* born = findChild<QLineEdit*>(QStringLiteral("DBE_Datum_nar_zobrazeni"));
        if (born != nullptr && born->focusPolicy() != Qt::NoFocus) {
            born->setFocus(Qt::TabFocusReason);
        }
    }
}
