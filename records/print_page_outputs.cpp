// The print page's templates and files: the entry "Jiná předloha..." that
// adds a template of the user's own to a source's list, and the commands
// "Uložit jako PDF..." and "Odeslat e-mailem..." that run the chosen
// template straight into a PDF file.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "app/print_sources.h"
#include "platform/clock.h"
#include "platform/mail_sender.h"
#include "platform/messages.h"
#include "platform/url_opener.h"
#include "platform/widgets/dialogs.h"
#include "records/print_page.h"
#include "report/engine/predloha.h"
#include "report/engine/sestavy.h"
#include "report/model/template_fields.h"
#include "report/output/export_pdf.h"

namespace {

const QString kOwnTemplateEntry = QStringLiteral("Jiná předloha...");
const QString kPdfFilter = QStringLiteral("Dokumenty PDF (*.pdf)");

// The description a template gives itself (its record I,0); empty when the
// file cannot be read or has none.
QString TemplateDescription(const QString& path) {
    TPredloha predloha;
    if (!predloha.LoadFromFile(path)) {
        return QString();
    }
    for (const QString& line : predloha.Lines()) {
        TemplateFieldReader reader(line);
        if (reader.NextField() == QLatin1String("I") && reader.NextInt(-1) == 0) {
            return reader.NextField().trimmed();
        }
    }
    return QString();
}

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

}  // namespace

// ---- "Jiná předloha..." ---------------------------------------------------------------

// The list of a source: its installed templates, the user's own one when
// there is one, and "Jiná předloha..." last.
void TPrintPage::FillOwnTemplateEntry(int source) {
    QComboBox* list = templateLists_.at(static_cast<size_t>(source));
    const int installed = static_cast<int>(PrintSources().at(source).templates.size());
    while (list->count() > installed) {
        list->removeItem(installed);
    }
    const QString& own = ownTemplates_.at(static_cast<size_t>(source));
    if (!own.isEmpty()) {
        const QString path = QDir(dm_.Sestava1.ReportDir()).absoluteFilePath(own);
        const QString description = TemplateDescription(path);
        list->addItem(description.isEmpty() ? QFileInfo(own).fileName() : description);
        list->setItemData(installed, QDir::toNativeSeparators(path), Qt::ToolTipRole);
    }
    list->addItem(kOwnTemplateEntry);
}

void TPrintPage::TemplateActivated(int source, int entry) {
    QComboBox* list = templateLists_.at(static_cast<size_t>(source));
    if (entry == list->count() - 1) {
        ChooseOwnTemplate(source);
    } else {
        chosenTemplates_.at(static_cast<size_t>(source)) = entry;
    }
}

bool TPrintPage::ChooseOwnTemplate(int source) {
    QComboBox* list = templateLists_.at(static_cast<size_t>(source));
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Open;
    request.caption = kOwnTemplateEntry.chopped(3);
    request.directory = dm_.Sestava1.ReportDir();
    request.filter = QStringLiteral("Předlohy sestav (*.pts *.PTS)");
    const QString chosen = platform::AskFileName(request, this);
    if (chosen.isEmpty()) {
        list->setCurrentIndex(chosenTemplates_.at(static_cast<size_t>(source)));
        return false;
    }
    // A file of the template folder is remembered by its name, so the
    // installation can move; any other by its full path.
    const QFileInfo file(chosen);
    const bool inTemplateFolder =
        file.absoluteDir() == QDir(QDir(dm_.Sestava1.ReportDir()).absolutePath());
    const QString remembered = inTemplateFolder ? file.fileName() : file.absoluteFilePath();
    ownTemplates_.at(static_cast<size_t>(source)) = remembered;
    WriteOwnTemplate(SettingsFilePath(), source, remembered);
    FillOwnTemplateEntry(source);
    const int entry = static_cast<int>(PrintSources().at(source).templates.size());
    list->setCurrentIndex(entry);
    chosenTemplates_.at(static_cast<size_t>(source)) = entry;
    return true;
}

QString TPrintPage::ChosenTemplateFile(int source) const {
    if (!IsPrintSource(source)) {
        return QString();
    }
    const int entry = templateLists_.at(static_cast<size_t>(source))->currentIndex();
    const int installed = static_cast<int>(PrintSources().at(source).templates.size());
    if (entry >= 0 && entry < installed) {
        return PrintTemplateFile(source, entry);
    }
    const QString& own = ownTemplates_.at(static_cast<size_t>(source));
    return entry == installed ? own : QString();
}

// ---- PDF and e-mail -------------------------------------------------------------------

QString TPrintPage::SuggestedPdfName() const {
    return SuggestedFileName(QStringLiteral("pdf"));
}

// "Vrhy-2026-12-10.<suffix>"
QString TPrintPage::SuggestedFileName(const QString& suffix) const {
    const int source = Source();
    const QString caption =
        IsPrintSource(source) ? PrintSources().at(source).caption : QStringLiteral("Sestava");
    return QString(caption).replace(QLatin1Char(' '), QLatin1Char('-')) + QLatin1Char('-') +
           platform::Today().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('.') + suffix;
}

// Runs the chosen template over the list as the print button does; false
// (the user told why) when nothing is to be written.
bool TPrintPage::GenerateOutput() {
    TSestava& report = dm_.Sestava1;
    const int source = Source();
    if (!PointReportAtSource(report, dm_, source, ChosenTemplateFile(source))) {
        ShowError(QStringLiteral("Nastala chyba při výběru, tisk nebude proveden"));
        return false;
    }
    const int result = report.Generate();
    if (result == sePreruseno || result == seCteniPredlohy) {
        return false;  // stopped by the user, or the unreadable template was named already
    }
    if (result != seOK) {
        ShowError(QStringLiteral("Sestavu se nepodařilo vytvořit (kód %1).").arg(result));
        return false;
    }
    report.PrepareOutput();
    if (report.Output().PageCount() == 0) {
        ShowError(QStringLiteral("Sestava nemá žádnou stránku."));
        return false;
    }
    return true;
}

bool TPrintPage::WritePdf(const QString& file) {
    const QString error = SavePdfFile(dm_.Sestava1.Output(), file, dm_.Sestava1.Popis());
    if (!error.isEmpty()) {
        ShowError(QStringLiteral("Soubor PDF „%1“ se nepodařilo uložit: %2")
                      .arg(QDir::toNativeSeparators(file), error));
        return false;
    }
    return true;
}

void TPrintPage::OfferToOpen(const QString& file) {
    const int answer =
        platform::ShowMessage(QStringLiteral("Sestava byla uložena do souboru „%1“.\nOtevřít ji?")
                                  .arg(QDir::toNativeSeparators(file)),
                              QStringLiteral("Informace"), platform::MessageIcon::Question,
                              platform::mbYes | platform::mbNo, platform::mbYes);
    if (answer == platform::mbYes && !platform::OpenUrlText(QUrl::fromLocalFile(file).toString())) {
        ShowError(QStringLiteral("Pro soubory PDF není nastaven žádný program, soubor zůstal "
                                 "uložen v „%1“.")
                      .arg(QDir::toNativeSeparators(file)));
    }
}

// Asks where the generated output goes and writes it there.
void TPrintPage::SavePdfElsewhere() {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.caption = QStringLiteral("Uložit jako PDF");
    request.directory =
        QDir(pdfFolder_.isEmpty() ? QDir::homePath() : pdfFolder_).filePath(SuggestedPdfName());
    request.filter = kPdfFilter;
    request.defaultSuffix = QStringLiteral("pdf");
    const QString file = platform::AskFileName(request, this);
    if (file.isEmpty() || !WritePdf(file)) {
        return;
    }
    pdfFolder_ = QFileInfo(file).absolutePath();
    OfferToOpen(file);
}

void TPrintPage::SaveAsPdf() {
    if (GenerateOutput()) {
        SavePdfElsewhere();
    }
}

void TPrintPage::SendByMail() {
    if (!GenerateOutput()) {
        return;
    }
    // The folder outlives the program's run: the mail program reads the
    // attachment when the user sends the message.
    QTemporaryDir folder(QDir(QDir::tempPath()).filePath(QStringLiteral("harvel-XXXXXX")));
    if (!folder.isValid()) {
        ShowError(QStringLiteral("Dočasnou složku pro přílohu se nepodařilo vytvořit: %1")
                      .arg(folder.errorString()));
        return;
    }
    folder.setAutoRemove(false);
    const QString attachment = folder.filePath(SuggestedPdfName());
    if (!WritePdf(attachment)) {
        return;
    }
    const QString description = dm_.Sestava1.Popis();
    const QString subject =
        description.isEmpty() ? QFileInfo(attachment).completeBaseName() : description;
    if (platform::SendFileByMail({subject, attachment})) {
        return;
    }
    QDir(folder.path()).removeRecursively();  // nobody took it
    const int answer = platform::ShowMessage(
        QStringLiteral("Poštovní program se nepodařilo spustit (xdg-email).\nUložit sestavu jako "
                       "PDF do souboru?"),
        QStringLiteral("Varování"), platform::MessageIcon::Warning,
        platform::mbYes | platform::mbNo, platform::mbYes);
    if (answer == platform::mbYes) {
        SavePdfElsewhere();
    }
}
