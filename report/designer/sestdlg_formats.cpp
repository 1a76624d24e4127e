// TSestDlg: the paper formats of "Papír": choosing one, showing or editing
// it, adding a user format and dropping one. User formats are saved to the
// report library's settings file at once.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "platform/messages.h"
#include "report/designer/dlg_format_papiru.h"
#include "report/designer/sestdlg.h"

void TSestDlg::FillFormats(int select) {
    formatsBox_->blockSignals(true);
    formatsBox_->clear();
    formatsBox_->addItems(formats_.Names());
    formatsBox_->setCurrentIndex(select);
    formatsBox_->blockSignals(false);
}

void TSestDlg::ChooseFormat(int index) {
    const TFormatPapiru format = formats_.Format(index);
    if (index < 0 || index >= formats_.Count()) {
        return;
    }
    if (format.Width <= 0 || format.Height <= 0) {
        // A damaged user format in the settings file: the paper stays as it was.
        platform::ShowMessage(
            QStringLiteral("Formát papíru \"%1\" nemá platné rozměry.").arg(format.Name),
            QStringLiteral("Chyba"), platform::MessageIcon::Warning);
        formatsBox_->setCurrentIndex(chosenFormat_);
        return;
    }
    chosenFormat_ = index;
    values_.paper.PaperWidth = format.Width;
    values_.paper.PaperHeight = format.Height;
    const bool user = index >= TListFormatu::kBuiltInCount;
    editFormat_->setText(user ? QStringLiteral("Oprav") : QStringLiteral("Ukaž"));
    dropFormat_->setEnabled(user && !values_.isDetail);
    PageChanged();
}

bool TSestDlg::SaveFormats() {
    if (formats_.Save(host_.IniPath())) {
        return true;
    }
    platform::ShowMessage(QStringLiteral("Formáty papíru se nepodařilo uložit do souboru \"%1\".")
                              .arg(host_.IniPath()),
                          QStringLiteral("Chyba"), platform::MessageIcon::Error);
    return false;
}

void TSestDlg::EditFormat() {
    const int index = formatsBox_->currentIndex();
    if (index < 0) {
        return;
    }
    const bool editable = index >= TListFormatu::kBuiltInCount;
    if (EditPaperFormat(formats_, index, editable, infoUnit_->text(), shownUnit_, this) !=
            QDialog::Accepted ||
        !editable) {
        return;
    }
    SaveFormats();
    FillFormats(index);
    ChooseFormat(index);
}

void TSestDlg::AddFormat() {
    const TFormatPapiru chosen = formats_.Format(formatsBox_->currentIndex());
    TFormatPapiru format{QStringLiteral("uživ. formát"), chosen.Width, chosen.Height};
    if (EditNewPaperFormat(format, infoUnit_->text(), shownUnit_, this) != QDialog::Accepted) {
        return;
    }
    const int index = formats_.Add(format);
    SaveFormats();
    FillFormats(index);
    ChooseFormat(index);
}

void TSestDlg::DropFormat() {
    const int index = formatsBox_->currentIndex();
    if (index < TListFormatu::kBuiltInCount || index >= formats_.Count()) {
        return;
    }
    if (platform::ShowMessage(QStringLiteral("Zrušit vybraný uživatelský formát?"),
                              QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
                              platform::mbYes | platform::mbNo) != platform::mbYes) {
        return;
    }
    TListFormatu kept;
    for (int i = TListFormatu::kBuiltInCount; i < formats_.Count(); ++i) {
        if (i != index) {
            kept.Add(formats_.Format(i));
        }
    }
    formats_ = kept;
    SaveFormats();
    FillFormats(0);
    ChooseFormat(0);
}
