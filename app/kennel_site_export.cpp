#include "app/kennel_site_export.h"

#include <QDir>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"
#include "records/site/kennel_site.h"

namespace {

const QString kCaption = QStringLiteral("Webové stránky chovné stanice");

QString AskSiteFolder(QWidget* parent) {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Folder;
    request.caption = QStringLiteral("Složka pro webové stránky chovné stanice");
    request.directory = QDir::homePath();
    return platform::AskFileName(request, parent);
}

}  // namespace

bool WriteKennelSiteFromLauncher(TDM1& dataModule, QWidget* parent) {
    const QString folder = AskSiteFolder(parent);
    if (folder.isEmpty()) {
        return false;
    }
    try {
        const site::SiteWritten written =
            site::WriteKennelSite(dataModule.Database1, CurrentParametry().Chovatel, folder);
        QString text = site::SiteSummary(written, folder);
        if (!written.notes.isEmpty()) {
            text += QStringLiteral("\n\n") + written.notes.join(u'\n');
        }
        platform::ShowMessage(text, kCaption, platform::MessageIcon::Information, platform::mbOK);
        return true;
    } catch (const platform::StoreError& error) {
        platform::ShowMessage(
            QStringLiteral("Webové stránky nelze zapsat: %1").arg(error.Message()), kCaption,
            platform::MessageIcon::Error, platform::mbOK);
        return false;
    }
}
