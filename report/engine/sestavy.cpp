#include "report/engine/sestavy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/print/printer_system.h"
#include "report/engine/template_check.h"
#include "report/output/sestexport.h"

namespace {

const QString kChyba = QStringLiteral("Chyba");
const QString kVarovani = QStringLiteral("Varování");

bool g_printBusy = false;

TTemplateSaveDialog& SaveDialogHook() {
    static TTemplateSaveDialog hook;
    return hook;
}
TPreviewWindowHook& PreviewHook() {
    static TPreviewWindowHook hook;
    return hook;
}
TDesignerHook& DesignerHook() {
    static TDesignerHook hook;
    return hook;
}
TPrinterHook& PrinterHook() {
    static TPrinterHook hook;
    return hook;
}

template <typename Hook>
Hook Replace(Hook& slot, Hook hook) {
    Hook previous = std::move(slot);
    slot = std::move(hook);
    return previous;
}

// The file name with its extension replaced (or added).
QString ChangeExtension(const QString& fileName, const QString& extension) {
    const qsizetype slash =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = (dot > slash) ? fileName.left(dot) : fileName;
    return stem + extension;
}

bool EndsWithSeparator(const QString& path) {
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'));
}

bool AnyPrinterInstalled() {
    try {
        return platform::Printers().PrinterCount() > 0;
    } catch (const std::exception&) {
        return false;
    }
}

// Sets a flag for the lifetime of the guard.
class TBusyGuard {
  public:
    explicit TBusyGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TBusyGuard() { flag_ = false; }
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

  private:
    bool& flag_;
};

// Marks a flag for the lifetime of the object unless it was set already.
class TExclusiveUse {
  public:
    explicit TExclusiveUse(bool& flag) : flag_(flag), taken_(!flag) { flag_ = true; }
    ~TExclusiveUse() {
        if (taken_) {
            flag_ = false;
        }
    }
    TExclusiveUse(const TExclusiveUse&) = delete;
    TExclusiveUse& operator=(const TExclusiveUse&) = delete;
    bool Taken() const { return taken_; }

  private:
    bool& flag_;
    bool taken_;
};

}  // namespace

TTemplateSaveDialog SetTemplateSaveDialog(TTemplateSaveDialog hook) {
    return Replace(SaveDialogHook(), std::move(hook));
}
TPreviewWindowHook SetPreviewWindowHook(TPreviewWindowHook hook) {
    return Replace(PreviewHook(), std::move(hook));
}
TDesignerHook SetDesignerHook(TDesignerHook hook) {
    return Replace(DesignerHook(), std::move(hook));
}
TPrinterHook SetPrinterHook(TPrinterHook hook) {
    return Replace(PrinterHook(), std::move(hook));
}

// ---- creation and properties -------------------------------------------------------------

TSestava::TSestava() : reportDir_(QStringLiteral("./")) {
    PaperFormats.Load(ReportIniPath(IniFileName));
    Output().OnPreparePicture = [this](platform::Picture& picture, int width, int height) {
        if (OnPreparePicture) {
            OnPreparePicture(*this, picture, width, height);
        }
    };
}

TSestava::~TSestava() {
    Output().OnPreparePicture = nullptr;
    DetachDetails(*this);
}

void TSestava::SetReportName(const QString& name) {
    // An existing ".pts" extension is kept as written: on a case-sensitive
    // file system "LIST.PTS" and "LIST.pts" are different files.
    if (name.isEmpty() || name.endsWith(QLatin1String(kTemplateExtension), Qt::CaseInsensitive)) {
        reportName_ = name;
    } else {
        reportName_ = ChangeExtension(name, QLatin1String(kTemplateExtension));
    }
}

void TSestava::SetReportAlias(const QString& alias) {
    reportAlias_ = alias;
    if (!alias.isEmpty()) {
        reportDir_.clear();
    }
}

void TSestava::SetReportDir(const QString& dir) {
    reportDir_ = dir;
    if (!dir.isEmpty()) {
        if (!EndsWithSeparator(dir)) {
            reportDir_ += QLatin1Char('/');
        }
        reportAlias_.clear();
    }
}

void TSestava::SetPredloha(TPredloha predloha) {
    ClearRunErrors();
    TSestavaD::SetPredloha(std::move(predloha));
    if (OnSetPredloha) {
        OnSetPredloha(*this);
    }
}

int TSestava::Report(int result) {
    if (result != seOK && OnError) {
        OnError(*this, static_cast<TSestError>(result));
    }
    return result;
}

// ---- template file ---------------------------------------------------------------------

QString TSestava::TemplateFileName() {
    // A template chosen from anywhere on the disk is named by its full path.
    if (QDir::isAbsolutePath(reportName_)) {
        return reportName_;
    }
    if (!reportAlias_.isEmpty()) {
        if (Bridge().IsDatabaseDataSet()) {
            const QString folder = Bridge().AliasPath(reportAlias_);
            if (!folder.isEmpty()) {
                return EndsWithSeparator(folder) ? folder + reportName_
                                                 : folder + QLatin1Char('/') + reportName_;
            }
            platform::ShowMessage(QStringLiteral("Neznámý alias: %1\nBude použito stand. nastavení")
                                      .arg(reportAlias_),
                                  kVarovani, platform::MessageIcon::Warning);
        } else {
            platform::ShowMessage(
                QStringLiteral(
                    "Nelze použít alias, protože není definován zdroj dat nebo není typu "
                    "TDBDataSet"),
                kVarovani, platform::MessageIcon::Warning);
        }
    }
    if (!ReportDirIgnore) {
        return reportDir_ + reportName_;
    }
    return platform::ProgramFolder() + reportName_;
}

QString TSestava::TemplateName() const {
    if (!resolvedTemplate_.isEmpty()) {
        return QFileInfo(resolvedTemplate_).fileName();
    }
    return reportName_.isEmpty() ? TSestavaD::TemplateName() : reportName_;
}

QString TSestava::TemplateFolder() const {
    if (resolvedTemplate_.isEmpty()) {
        return QString();
    }
    return QFileInfo(resolvedTemplate_).absolutePath() + QLatin1Char('/');
}

bool TSestava::CheckBeforeRun() {
    if (!PrepareData()) {
        return false;
    }
    if (Predloha().IsEmpty() && !IsStored && !OnNactiPredlohu && reportName_.isEmpty()) {
        platform::ShowMessage(QStringLiteral("Není definována cesta a název souboru s předlohou."),
                              kChyba, platform::MessageIcon::Error);
        return false;
    }
    return true;
}

int TSestava::LoadTemplate(bool forEdit) {
    int r = seCteniPredlohy;
    if (OnNactiPredlohu) {
        if (OnNactiPredlohu(*this)) {
            r = seOK;
        }
    } else if (IsStored) {
        SetPredloha(stored_);
        r = seOK;
    } else {
        r = ReadTemplateFile(forEdit);
    }
    return Report(r);
}

int TSestava::ReadTemplateFile(bool forEdit) {
    const QString fileName = TemplateFileName();
    resolvedTemplate_ = fileName;
    TPredloha lines;
    int r = seCteniPredlohy;
    if (QFileInfo(fileName).isFile() && lines.LoadFromFile(fileName)) {
        r = seOK;
    } else if (forEdit) {
        const int answer = platform::ShowMessage(
            QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\". Založit nový?")
                .arg(fileName),
            QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
            platform::mbYes | platform::mbNo);
        if (answer == platform::mbYes) {
            QFile file(fileName);
            if (file.open(QIODevice::WriteOnly)) {
                r = seOK;
            } else {
                platform::ShowMessage(
                    QStringLiteral("Soubor s předlohou se nepodařilo vytvořit. \"%1\"")
                        .arg(fileName),
                    kChyba, platform::MessageIcon::Error);
            }
        }
    } else {
        platform::ShowMessage(
            QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"").arg(fileName),
            kChyba, platform::MessageIcon::Error);
    }
    SetPredloha(lines);
    if (r == seOK && !forEdit) {
        r = RefuseUnprintable(fileName);
    }
    return r;
}

int TSestava::RefuseUnprintable(const QString& fileName) {
    const QString refusal = TemplateRefusal(*this, fileName);
    if (refusal.isEmpty()) {
        return seOK;
    }
    platform::ShowMessage(refusal, kChyba, platform::MessageIcon::Error);
    return seCteniPredlohy;
}

void TSestava::SaveFailed() {
    if (OnError) {
        OnError(*this, seUkladaniPredlohy);
    } else {
        platform::ShowMessage(QStringLiteral("Soubor s předlohou se nepodařilo uložit."), kChyba,
                              platform::MessageIcon::Error);
    }
}

bool TSestava::WriteTemplateFile(const QString& fileName) {
    // The previous version is copied (not moved) to .BAK, so that a failed
    // write leaves the template file as it was.
    if (QFileInfo(fileName).isFile()) {
        const QString backup = ChangeExtension(fileName, QStringLiteral(".BAK"));
        QFile::remove(backup);
        if (!QFile::copy(fileName, backup)) {
            return false;
        }
    }
    if (!Predloha().SaveToFile(fileName)) {
        return false;
    }
    resolvedTemplate_ = fileName;
    return true;
}

int TSestava::SaveTemplate() {
    if (OnUlozPredlohu) {
        if (OnUlozPredlohu(*this)) {
            return seOK;
        }
        return Report(seUkladaniPredlohy);
    }
    if (IsStored) {
        stored_ = Predloha();
        return seOK;
    }
    if (WriteTemplateFile(TemplateFileName())) {
        return seOK;
    }
    SaveFailed();
    return seUkladaniPredlohy;
}

QString TSestava::AskSaveAsName(const QString& startFile) {
    const TTemplateSaveDialog& dialog = SaveDialogHook();
    if (!dialog) {
        return QString();
    }
    TTemplateSaveRequest request;
    request.caption = QStringLiteral("Výběr souboru");
    request.filter = QStringLiteral("Předlohy tiskových sestav (*.pts *.PTS)");
    request.startFile = startFile;
    return dialog(request);
}

void TSestava::ApplyChosenName(const QString& chosen) {
    const QFileInfo info(chosen);
    if (!reportDir_.isEmpty()) {
        const QString dir = QDir(reportDir_).absolutePath() + QLatin1Char('/');
        const QString full = info.absoluteFilePath();
        if (full.startsWith(dir)) {
            reportName_ = full.mid(dir.size());
        } else {
            reportName_ = full;
            reportDir_.clear();
        }
    } else {
        SetReportDir(info.absolutePath());
        reportName_ = info.fileName();
    }
    // The template must land where the user chose, not in the program folder.
    ReportDirIgnore = false;
}

int TSestava::SaveTemplateAs(const QString& startFile) {
    const QString start = startFile.isEmpty() ? TemplateFileName() : startFile;
    if (OnUlozPredlohuJako) {
        QString soubor = start;
        if (OnUlozPredlohuJako(*this, soubor)) {
            SetReportName(soubor);
            return seOK;
        }
        return Report(seUkladaniPredlohy);
    }
    const QString chosen = AskSaveAsName(start);
    if (chosen.isEmpty()) {
        // Cancelled by the user: nothing saved, nothing to tell.
        return Report(seUkladaniPredlohy);
    }
    ApplyChosenName(chosen);
    if (WriteTemplateFile(TemplateFileName())) {
        return seOK;
    }
    SaveFailed();
    return seUkladaniPredlohy;
}

// ---- generation ---------------------------------------------------------------------------

bool TSestava::PrintBusy() {
    return g_printBusy;
}

void TSestava::CloseAfterRun() {
    CloseIfOpened();
    ForEachDataDetail([](TSestavaD& detail) { detail.CloseIfOpened(); });
}

int TSestava::RunGenerate() {
    if (!CheckBeforeRun()) {
        return seJina;
    }
    const bool sourceMode = SourceMode();
    const bool disable = sourceMode && Detaily().Count() == 0;
    if (sourceMode) {
        Bridge().SaveBookmark();
    }
    if (disable) {
        Bridge().DisableControls();
    }
    int r = seJina;
    try {
        LoadFieldLists();
        r = LoadTemplate(false);
        if (r == seOK && OnSourceOrder && !Settings().sourceOrder.isEmpty()) {
            OnSourceOrder(*this, Settings().sourceOrder);
        }
        if (r == seOK) {
            static_assert(int{rrFinished} == seOK && int{rrCancelled} == sePreruseno);
            r = Run(true);
        }
    } catch (...) {
        if (disable) {
            Bridge().EnableControls();
        }
        Bridge().RestoreBookmark();
        throw;
    }
    if (disable) {
        Bridge().EnableControls();
    }
    Bridge().RestoreBookmark();
    CloseAfterRun();
    return r;
}

int TSestava::WithOutput(const std::function<int()>& operation) {
    TExclusiveUse use(outputInUse_);
    if (!use.Taken()) {
        return Report(seBusy);
    }
    return operation();
}

int TSestava::Generate() {
    return WithOutput([this] { return GenerateReported(); });
}

int TSestava::GenerateReported() {
    const int r = RunGenerate();
    // LoadTemplate has told OnError about its own failure already.
    if (r != seCteniPredlohy) {
        Report(r);
    }
    return r;
}

void TSestava::PrepareOutput() {
    LoadBackground();
    TSestVystup& out = Output();
    out.SetRange(StartPage, EndPage, Popis(), ExportLanguage, PrintCopies);
    out.SetBackground(&BackgroundPicture(), BackgroundRect(), BackgroundPrinted());
    out.SetTextLineSpacing(Settings().raster.lineSpacing);
}

// ---- preview, print, edit ----------------------------------------------------------------

bool TSestava::PreviewAt(const TWindowPlace& place) {
    if (BeforePreview) {
        BeforePreview(*this);
    }
    const int r = Generate();
    bool ok = false;
    // The window opens also when generation failed, on the output as it is,
    // but not while another operation of this report is still using it, not
    // when the template could not be read (the user has been told why, and a
    // blank or earlier output would only look like the report), and not when
    // the user stopped the run with "Přerušit".
    const TPreviewWindowHook& hook = PreviewHook();
    if (hook && r != seBusy && r != seCteniPredlohy && r != sePreruseno) {
        PrepareOutput();
        ok = hook(*this, place);
    }
    if (AfterPreview) {
        AfterPreview(*this);
    }
    return ok;
}

int TSestava::Print() {
    if (!AnyPrinterInstalled()) {
        platform::ShowMessage(QStringLiteral("V systému není nainstalovaná žádná tiskárna."),
                              kVarovani, platform::MessageIcon::Warning);
        return Report(seNeniTiskarna);
    }
    return PrintOn(-1);
}

int TSestava::PrintOn(int printerIndex, const QString& printerName) {
    return PrintPrepared(
        [this] {
            const int r = GenerateReported();
            if (r == seOK) {
                PrepareOutput();
            }
            return r;
        },
        printerIndex, printerName);
}

// The print events around one print: `ready` fills the output (reporting its
// own failure) and the output then goes to the printer.
int TSestava::PrintPrepared(const std::function<int()>& ready, int printerIndex,
                            const QString& printerName) {
    if (g_printBusy) {
        return Report(seBusy);
    }
    return WithOutput([&] {
        TBusyGuard busy(g_printBusy);
        if (BeforePrint) {
            BeforePrint(*this);
        }
        int r = ready();
        if (r == seOK) {
            r = SendToPrinter(printerIndex, printerName);
        }
        if (AfterPrint) {
            AfterPrint(*this);
        }
        return r;
    });
}

int TSestava::SendToPrinter(int printerIndex, const QString& printerName) {
    if (!AnyPrinterInstalled()) {
        platform::ShowMessage(QStringLiteral("V systému není nainstalovaná žádná tiskárna."),
                              kVarovani, platform::MessageIcon::Warning);
        return Report(seNeniTiskarna);
    }
    const TPrinterHook& hook = PrinterHook();
    if (!hook) {
        // No printing road is installed in this program (a headless tool).
        return Report(seJina);
    }
    return Report(hook(*this, printerIndex, printerName));
}

// ---- spool files read back -------------------------------------------------------------------

int TSestava::LoadSpoolFrom(QIODevice& stream) {
    if (!stream.isReadable()) {
        return seCteniSpl;
    }
    try {
        return LoadSpool(Output(), stream) ? seOK : seCteniSpl;
    } catch (const std::exception&) {
        return seCteniSpl;
    }
}

int TSestava::LoadSpoolFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return seCteniSpl;
    }
    return LoadSpoolFrom(file);
}

void TSestava::PrepareSpoolOutput() {
    TSestVystup& out = Output();
    // The spool's own document name stays the title; the pages carry their
    // background already, so the template's is not laid over them again.
    out.SetRange(StartPage, EndPage, out.Title.isEmpty() ? Popis() : QString(), ExportLanguage,
                 PrintCopies);
    out.SetBackground(nullptr, QRect(), false);
}

int TSestava::PreviewSpoolFile(const QString& fileName) {
    const int r = WithOutput([&] {
        if (LoadSpoolFile(fileName) != seOK) {
            return Report(seCteniSpl);
        }
        PrepareSpoolOutput();
        return int(seOK);
    });
    if (r != seOK) {
        return r;
    }
    const TPreviewWindowHook& hook = PreviewHook();
    if (!hook) {
        return Report(seJina);
    }
    hook(*this, TWindowPlace());
    return seOK;
}

int TSestava::PrintLoadedSpool(const std::function<int()>& load, int printerIndex,
                               const QString& printerName) {
    return PrintPrepared(
        [&]() -> int {
            const int r = load();
            if (r != seOK) {
                return Report(r);
            }
            PrepareSpoolOutput();
            return seOK;
        },
        printerIndex, printerName);
}

int TSestava::PrintSpool(QIODevice& stream, int printerIndex, const QString& printerName) {
    return PrintLoadedSpool([&] { return LoadSpoolFrom(stream); }, printerIndex, printerName);
}

int TSestava::PrintSpool(const QString& fileName, int printerIndex, const QString& printerName) {
    return PrintLoadedSpool([&] { return LoadSpoolFile(fileName); }, printerIndex, printerName);
}

int TSestava::EditAt(const TWindowPlace& place) {
    if (BeforeEdit) {
        BeforeEdit(*this);
    }
    int r = seJina;
    if (CheckBeforeRun()) {
        if (EventMode()) {
            OnGetData(*this);
        }
        const bool disable = SourceMode() && Detaily().Count() == 0;
        if (disable) {
            Bridge().DisableControls();
        }
        LoadFieldLists();
        r = LoadTemplate(true);
        if (r == seOK) {
            const TDesignerHook& hook = DesignerHook();
            r = hook ? hook(*this, place) : seJina;
        }
        if (disable) {
            Bridge().EnableControls();
        }
        CloseAfterRun();
    }
    if (r != seCteniPredlohy) {
        Report(r);
    }
    if (AfterEdit) {
        AfterEdit(*this);
    }
    return r;
}

// ---- details -------------------------------------------------------------------------------

TSestDetail::~TSestDetail() {
    SetMasterSestava(nullptr);
}

void TSestDetail::SetMasterSestava(TSestavaTyp* master) {
    if (TSestavaTyp* old = Master()) {
        old->Detaily().Remove(this);
    }
    SetMaster(master);
    if (master) {
        master->Detaily().Add(this);
    }
}

QString TSestDetail::TemplateFolder() const {
    return Master() ? Master()->TemplateFolder() : QString();
}

void DetachDetails(TSestavaTyp& master) {
    while (master.Detaily().Count() > 0) {
        TSestavaLayout* detail = master.Detaily()[0];
        master.Detaily().Remove(detail);
        if (auto* report = dynamic_cast<TSestavaTyp*>(detail);
            report && report->Master() == &master) {
            report->SetMaster(nullptr);
        }
    }
}
