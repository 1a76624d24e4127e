// The print page's "Uložit jako tabulku...": the rows of the chosen
// source's list, exactly as its grid shows them, handed to a spreadsheet.
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "platform/messages.h"
#include "platform/sheets/sheet_export.h"
#include "platform/url_opener.h"
#include "platform/widgets/dialogs.h"
#include "records/print_page.h"

namespace {

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

void OfferToOpenSheet(const QString& file, const platform::SheetResult& result) {
    QString text = QStringLiteral("Tabulka (%1 řádků) byla uložena do souboru „%2“.")
                       .arg(result.rows)
                       .arg(QDir::toNativeSeparators(file));
    for (const QString& note : result.notes) {
        text += u'\n' + note;
    }
    const int answer = platform::ShowMessage(
        text + QStringLiteral("\nOtevřít ji?"), QStringLiteral("Informace"),
        platform::MessageIcon::Question, platform::mbYes | platform::mbNo, platform::mbYes);
    if (answer == platform::mbYes && !platform::OpenUrlText(QUrl::fromLocalFile(file).toString())) {
        ShowError(QStringLiteral("Pro tabulky není nastaven žádný program, soubor zůstal "
                                 "uložen v „%1“.")
                      .arg(QDir::toNativeSeparators(file)));
    }
}

}  // namespace

void TPrintPage::SaveAsSheet() {
    const int source = Source();
    platform::DataSource* rows = PrintDataSource(dm_, source);
    if (rows == nullptr || rows->GetDataSet() == nullptr || !rows->GetDataSet()->IsActive()) {
        ShowError(QStringLiteral("Seznam zdroje není načten, stiskněte „Aktualizace“."));
        return;
    }
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.caption = QStringLiteral("Uložit jako tabulku");
    request.directory = QDir(sheetFolder_.isEmpty() ? QDir::homePath() : sheetFolder_)
                            .filePath(SuggestedFileName(QStringLiteral("xlsx")));
    request.filter = QStringLiteral("Sešit Excel (*.xlsx);;Text CSV se středníky (*.csv)");
    request.defaultSuffix = QStringLiteral("xlsx");
    const QString file = platform::AskFileName(request, this);
    if (file.isEmpty()) {
        return;
    }
    const platform::SheetResult result =
        platform::WriteSheet(*rows->GetDataSet(), file, platform::SheetFormatOfFile(file),
                             PrintSources().at(source).caption);
    if (!result.Ok()) {
        ShowError(QStringLiteral("Tabulku „%1“ se nepodařilo uložit: %2")
                      .arg(QDir::toNativeSeparators(file), result.error));
        return;
    }
    sheetFolder_ = QFileInfo(file).absolutePath();
    OfferToOpenSheet(file, result);
}
