#include "records/fomain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <utility>

#include "app/dmunit.h"
#include "app/help_topics.h"
#include "app/parametry.h"
#include "app/parent_doubts.h"
#include "app/window_placement.h"
#include "controls/combo_check.h"
#include "controls/db_image.h"
#include "controls/field_captions.h"
#include "controls/field_data_link.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"
#include "records/print_page.h"

namespace {

const QString kRecordPage = QStringLiteral("Evidlist");
const QString kPrintPage = QStringLiteral("TISKY");

bool IsEditing(const platform::DataSet& dataSet) {
    return dataSet.State() == platform::DataSetState::Edit ||
           dataSet.State() == platform::DataSetState::Insert;
}

}  // namespace

TFoMain::TFoMain(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoMain"));
    setWindowTitle(QStringLiteral("Evidenční list"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
}

// The sheet goes before the data module (its fields listen to the module's
// sources), so the module is told it is gone.
TFoMain::~TFoMain() {
    if (dm_ != nullptr && dm_->RecordSheet() == this) {
        dm_->SetRecordSheet(nullptr);
    }
}

void TFoMain::AttachDataModule(TDM1& dataModule) {
    if (dm_ != nullptr) {
        return;
    }
    dm_ = &dataModule;
    BuildForm();
    printPage_->SetSelections(selections_);
    GiveFieldsTheirCaptions(*this, dm_->TaMain_Card);
    SetBreedLists(breeds_);
    ApplySettings(CurrentParametry());
    ApplyModeBinding();
    ShowPage(kRecordPage);
    resize(1000, 700);
    PlaceWindow(*this);
    dm_->SetRecordSheet(this);
}

void TFoMain::ShowPhoto(bool bound) {
    photoBound_ = bound;
    if (photo_ != nullptr) {
        photo_->SetDataField(bound ? QStringLiteral("foto_1") : QString());
    }
}

void TFoMain::SetBreedLists(const QStringList& breeds) {
    breeds_ = breeds;
    for (QComboBox* list : {static_cast<QComboBox*>(breedCombo_), plemenoOd_, plemenoDo_}) {
        if (list == nullptr) {
            continue;
        }
        const QString shown = list->currentText();
        list->clear();
        list->addItems(breeds_);
        list->setEditText(shown);
    }
}

void TFoMain::ApplySettings(const Parametry& settings) {
    if (fotoButton_ != nullptr) {
        fotoButton_->setEnabled(!settings.OnlineFoto);
    }
    if (titulyButton_ != nullptr) {
        titulyButton_->setEnabled(!settings.OnlineTituly);
    }
}

void TFoMain::AttachSelections(TSpecialSelectionsView& selections) {
    selections_ = &selections;
    if (printPage_ != nullptr) {
        printPage_->SetSelections(selections_);
    }
}

platform::DataSet& TFoMain::CardDataSet() const {
    if (editMode_) {
        return dm_->TaMain_Card;
    }
    return dm_->QSeznamy;
}

void TFoMain::ApplyModeBinding() {
    QLabel* modeText = findChild<QLabel*>(QStringLiteral("StatusMode"));
    if (editMode_) {
        dm_->SoMainCard.SetDataSet(&dm_->TaMain_Card);
        modeText->setText(
            QStringLiteral("Tento režim umožnuje úpravu dat bez možnosti vlastního třídění"));
        return;
    }
    try {
        dm_->QSeznamy.Open();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
    dm_->SoMainCard.SetDataSet(&dm_->QSeznamy);
    modeText->setText(
        QStringLiteral("Tento režim umožnuje třídění a filtrování dat bez možnosti úprav"));
}

void TFoMain::PrepareEntry(TRecordSheetEntry entry) {
    ShowPhoto(false);
    editMode_ = entry == TRecordSheetEntry::reEdit;
    ApplyModeBinding();
    // The titles and the photo are those of the card shown, whatever moved
    // while the sheet was hidden.
    try {
        dm_->SynchroniseCard(CardDataSet());
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
    ShowPage(editMode_ ? kRecordPage : kPrintPage);
    tisky_->setEnabled(!editMode_);
}

void TFoMain::ShowEntry(TRecordSheetEntry entry) {
    PrepareEntry(entry);
    platform::ExecModal(*this);
}

void TFoMain::ShowPage(const QString& pageName) {
    if (pageName.compare(kPrintPage, Qt::CaseInsensitive) == 0) {
        pages_->setCurrentWidget(printPage_);
    } else if (pageName.compare(kRecordPage, Qt::CaseInsensitive) == 0) {
        pages_->setCurrentWidget(recordPage_);
    }
}

QString TFoMain::CurrentPageName() const {
    return pages_->currentWidget()->objectName();
}

void TFoMain::CommitPendingInput() {
    if (CardDataSet().IsActive()) {
        UpdateBoundControls(CardDataSet());
    }
}

// Parents that cannot be are asked about before the card is written.
bool TFoMain::ConfirmCardParents() {
    platform::DataSet& card = dm_->TaMain_Card;
    const auto text = [&card](const char* column) {
        return card.FieldByName(QString::fromLatin1(column)).AsString();
    };
    return ConfirmParents(dm_->Database1, {text("Jmeno_registr"),
                                           card.FieldByName(QStringLiteral("Datum_nar")).AsDate(),
                                           text("Otec"), text("Matka")});
}

// "Ulož": the card's typed values, the parents' questions, then the post; a
// refusal is shown and the card stays in editing.
void TFoMain::PostCard() {
    try {
        CommitPendingInput();
        if (IsEditing(dm_->TaMain_Card) && ConfirmCardParents()) {
            dm_->TaMain_Card.Post();
        }
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
}

// Yes posts the card (a refused post is shown and the sheet stays open),
// No drops the changes, Cancel keeps the sheet open.
bool TFoMain::ConfirmClosing() {
    platform::DataSet& card = dm_->TaMain_Card;
    try {
        CommitPendingInput();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return false;
    }
    if (!card.IsActive() || !IsEditing(card)) {
        return true;
    }
    const int answer = platform::ShowMessage(
        QStringLiteral("V evidenčním listu nejsou uloženy změny, uložit ?"), QString(),
        platform::MessageIcon::Warning, platform::mbYes | platform::mbNo | platform::mbCancel);
    if (answer == platform::mbCancel) {
        return false;
    }
    try {
        if (answer == platform::mbYes) {
            if (!ConfirmCardParents()) {
                return false;
            }
            card.Post();
        } else {
            card.Cancel();
        }
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return false;
    }
    return true;
}

void TFoMain::CloseSheet() {
    reject();
}

void TFoMain::reject() {
    if (dm_ == nullptr || ConfirmClosing()) {
        QDialog::reject();
    }
}

void TFoMain::ShowHelpTopic(int topic) {
    ::ShowHelpTopic(topic);
}

bool TFoMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched == photo_) {
        photoPressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // Only a click that began on the photo opens the full view: a release
        // without its press there (the one that closed a message box standing
        // over the photo) is none, or such a box would open itself again at
        // every OK.
        const bool pressedHere = std::exchange(photoPressed_, false);
        if (watched == photo_ && pressedHere && mouse->button() == Qt::LeftButton &&
            photo_->rect().contains(mouse->position().toPoint())) {
            PhotoClicked();
        } else if (watched == fotoButton_ && fotoButton_->isEnabled()) {
            FotoRelease();
        } else if (watched == titulyButton_ && titulyButton_->isEnabled()) {
            TitulyRelease();
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Only a move to another field of the form counts as leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::OtherFocusReason) {
            MoveOnFromField(watched);
        }
    }
    return QDialog::eventFilter(watched, event);
}
