#include "app/old_installation_takeover.h"

#include <QDir>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "app/takeover_progress.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"

namespace {

using platform::paradox::ImportRequest;
using platform::paradox::ImportResult;

const QString kCaption = QStringLiteral("Převzetí dat z dřívější instalace");

QString AskOldFolder(QWidget* parent) {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Folder;
    request.caption = QStringLiteral("Složka dřívější instalace (nebo její složka DATA)");
    request.directory = QDir::homePath();
    return platform::AskFileName(request, parent);
}

ImportResult RunWithProgress(QWidget* parent, const ImportRequest& request) {
    TFoPrevzeti progress(parent);
    progress.setModal(true);
    progress.show();
    return platform::paradox::ImportOldInstallation(
        request,
        [&progress](const platform::paradox::ImportProgress& p) { return progress.Progress(p); });
}

// A module that found no data folder at start opens the one just filled;
// one that had it open re-reads its tables.
void RefreshTables(TDM1* dm) {
    if (dm == nullptr) {
        return;
    }
    if (!dm->Database1.IsOpen()) {
        dm->OpenDataFolderIfClosed();
        return;
    }
    for (platform::Table* table :
         {&dm->TaMain_Card, &dm->TaVrhy, &dm->TaKryti, &dm->TaOsetreni, &dm->TaVystavy,
          &dm->TaTituly, &dm->TaZkousky, &dm->TaChovnost, &dm->TaFoto_Album, &dm->TaRodokmen,
          &dm->TaAdresar, &dm->TaPlemeno, &dm->TaSchedule, &dm->TaHarani}) {
        try {
            if (table->IsActive()) {
                table->Refresh();
            }
        } catch (const platform::StoreError&) {
            // A table being edited keeps its rows until its edit ends.
        }
    }
}

void Show(const QString& text, platform::MessageIcon icon) {
    platform::ShowMessage(text, kCaption, icon, platform::mbOK);
}

}  // namespace

void TakeOverOldInstallation(QWidget* parent, TDM1* dataModule) {
    const QString folder = AskOldFolder(parent);
    if (folder.isEmpty()) {
        return;
    }
    ImportRequest request;
    request.source = folder;
    request.target = platform::DataFolder();
    request.templatesTarget = platform::TemplateFolder();
    request.backupsToKeep = platform::BackupsToKeep(SettingsFilePath());
    try {
        ImportResult result = RunWithProgress(parent, request);
        if (result.interrupted) {
            Show(QStringLiteral("Převzetí dat bylo přerušeno, nic nebylo zapsáno."),
                 platform::MessageIcon::Warning);
            return;
        }
        if (!result.committed) {
            const int answer = platform::ShowMessage(
                QStringLiteral("Tyto řádky nelze převzít, proto nebylo zapsáno nic:\n\n") +
                    result.RefusalText() + QStringLiteral("\nPřevzít ostatní řádky bez nich?"),
                kCaption, platform::MessageIcon::Question, platform::mbYes | platform::mbNo);
            if (answer != platform::mbYes) {
                return;
            }
            request.keepGoing = true;
            result = RunWithProgress(parent, request);
            if (!result.committed) {
                Show(QStringLiteral("Převzetí dat bylo přerušeno, nic nebylo zapsáno."),
                     platform::MessageIcon::Warning);
                return;
            }
        }
        RefreshTables(dataModule);
        QString text =
            QStringLiteral("Data dřívější instalace byla převzata.\n\n") + result.SummaryLines();
        if (!result.refusals.empty()) {
            text += QStringLiteral("\nNezapsané řádky:\n") + result.RefusalText();
        }
        Show(text.trimmed(), platform::MessageIcon::Information);
    } catch (const platform::StoreError& e) {
        Show(e.Message(), platform::MessageIcon::Error);
    }
}
