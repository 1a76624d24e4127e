// The data module's duties towards the record sheet: titles and photo kept
// in step with the animal shown, and the breed lists of the card and of the
// list filter.
#include "app/dmunit.h"
#include "app/parametry.h"
#include "app/record_sheet_view.h"
#include "platform/store/field.h"

namespace {

const QString kRegisteredName = QStringLiteral("Jmeno_registr");

QString RegisteredNameOf(platform::DataSet& dataSet) {
    if (!dataSet.IsActive() || dataSet.RecNo() < 0) {
        return QString();
    }
    return dataSet.FieldByName(kRegisteredName).AsString();
}

}  // namespace

void TDM1::SetRecordSheet(TRecordSheetView* recordSheet) {
    recordSheet_ = recordSheet;
    if (recordSheet_ != nullptr) {
        recordSheet_->SetBreedLists(breeds_);
    }
}

bool TDM1::SheetInEditMode() const {
    return recordSheet_ == nullptr || recordSheet_->IsEditMode();
}

void TDM1::InstallScrollSynchronisation() {
    const auto synchronise = [this](platform::DataSet& moved) { SynchroniseCard(moved); };
    TaMain_Card.Hooks().afterScroll = synchronise;
    QSeznamy.Hooks().afterScroll = synchronise;
}

void TDM1::SynchroniseCard(platform::DataSet& moved) {
    const Parametry& settings = CurrentParametry();
    const bool movedMainCard = &moved == &TaMain_Card;
    if (settings.OnlineTituly) {
        // A move of main_card.db while the sheet browses the list (a pick
        // list or the print page moving the table) names the list's animal:
        // the titles follow what the card shows.
        platform::DataSet& shown = movedMainCard && SheetInEditMode()
                                       ? static_cast<platform::DataSet&>(TaMain_Card)
                                       : static_cast<platform::DataSet&>(QSeznamy);
        // Switching the filter on re-reads the table with the new name; a
        // filter that is on already is not switched off first, which would
        // read all the titles once more for nothing.
        TaTituly.Open();
        CurrentAnimal.SetJmenoRegistr(RegisteredNameOf(shown));
        TaTituly.SetFiltered(true);
    } else if (TaTituly.IsActive()) {
        TaTituly.Close();
    }
    if (settings.OnlineFoto) {
        TaFoto_Album.Open();
        const QString name = RegisteredNameOf(movedMainCard ? TaMain_Card : moved);
        const bool found = TaFoto_Album.Locate(kRegisteredName, name);
        if (recordSheet_ != nullptr) {
            recordSheet_->ShowPhoto(found);
        }
    }
}

void TDM1::FillBreedLists() {
    breeds_.clear();
    TaPlemeno.Open();
    for (TaPlemeno.First(); !TaPlemeno.Eof(); TaPlemeno.Next()) {
        if (TaPlemeno.FieldByName(QStringLiteral("Ukazat")).AsBoolean()) {
            breeds_ << TaPlemeno.FieldByName(QStringLiteral("Plemeno")).AsString();
        }
    }
    if (recordSheet_ != nullptr) {
        recordSheet_->SetBreedLists(breeds_);
    }
}
