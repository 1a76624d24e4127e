#include "platform/print/cups_printer_system.h"

#include <cups/cups.h>

#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/print/print_jobs.h"
#include "platform/widgets/dialogs.h"

namespace platform {
namespace {

const QString kFilePort = QStringLiteral("FILE:");

// One queue as CUPS describes it; the destination is freed with the object.
class CupsDestination {
  public:
    explicit CupsDestination(const QString& name)
        : dest_(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr)) {}
    ~CupsDestination() {
        if (dest_) {
            cupsFreeDests(1, dest_);
        }
    }
    CupsDestination(const CupsDestination&) = delete;
    CupsDestination& operator=(const CupsDestination&) = delete;

    bool Exists() const { return dest_ != nullptr; }

    QString Option(const char* name) const {
        if (!dest_) {
            return QString();
        }
        return QString::fromUtf8(cupsGetOption(name, dest_->num_options, dest_->options));
    }

    // The upper end of the queue's "copies-supported" range; 0 when unknown.
    int MostCopies() const {
        if (!dest_) {
            return 0;
        }
        cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest_);
        if (!info) {
            return 0;
        }
        int most = 0;
        ipp_attribute_t* copies = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest_, info, "copies");
        if (copies && ippGetValueTag(copies) == IPP_TAG_RANGE) {
            ippGetRange(copies, 0, &most);
        } else if (copies && ippGetValueTag(copies) == IPP_TAG_INTEGER) {
            most = ippGetInteger(copies, 0);
        }
        cupsFreeDestInfo(info);
        return most;
    }

  private:
    cups_dest_t* dest_;
};

QString MakeAndModel(const QString& queue) {
    return CupsDestination(queue).Option("printer-make-and-model");
}

PageOrientation FromQt(QPageLayout::Orientation orientation) {
    return orientation == QPageLayout::Landscape ? PageOrientation::Landscape
                                                 : PageOrientation::Portrait;
}

}  // namespace

CupsPrinterSystem::CupsPrinterSystem() = default;
CupsPrinterSystem::~CupsPrinterSystem() = default;

bool CupsPrinterSystem::IsTextOnlyModel(const QString& makeAndModel) {
    // CUPS names the text-only driver "Generic Text-Only Printer" and a raw
    // queue "Local Raw Printer"; queues shared from Windows carry the
    // driver's own name.
    static const QStringList kTextOnlyModels = {
        QStringLiteral("Generic Text-Only"),
        QStringLiteral("Local Raw Printer"),
        QStringLiteral("Generic / Text Only"),
        QStringLiteral("Obecná nebo jen textová"),
    };
    for (const QString& model : kTextOnlyModels) {
        if (makeAndModel.contains(model, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

void CupsPrinterSystem::EnsureListed() {
    if (!listed_) {
        PrinterNames();
    }
}

QStringList CupsPrinterSystem::PrinterNames() {
    listed_ = true;
    names_ = QPrinterInfo::availablePrinterNames();
    defaultName_ = QPrinterInfo::defaultPrinterName();
    if (!names_.contains(defaultName_)) {
        defaultName_ = names_.isEmpty() ? QString() : names_.first();
    }
    if (!names_.contains(currentName_)) {
        currentName_ = defaultName_;
    }
    return names_;
}

int CupsPrinterSystem::PrinterCount() {
    EnsureListed();
    return int(names_.size());
}

int CupsPrinterSystem::DefaultIndex() {
    EnsureListed();
    return int(names_.indexOf(defaultName_));
}

int CupsPrinterSystem::CurrentIndex() {
    EnsureListed();
    return int(names_.indexOf(currentName_));
}

bool CupsPrinterSystem::SetCurrent(int index) {
    EnsureListed();
    if (index == -1 && !defaultName_.isEmpty()) {
        currentName_ = defaultName_;
        return true;
    }
    if (!ValidIndex(index)) {
        return false;
    }
    currentName_ = names_[index];
    return true;
}

QString CupsPrinterSystem::CurrentName() const {
    return currentName_;
}

QPrinter& CupsPrinterSystem::Settings(const QString& name) {
    auto found = settings_.find(name);
    if (found == settings_.end()) {
        auto printer =
            std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
        found = settings_.emplace(name, std::move(printer)).first;
    }
    return *found->second;
}

PrinterMetrics CupsPrinterSystem::Metrics() {
    EnsureListed();
    PrinterMetrics metrics;
    if (currentName_.isEmpty()) {
        return metrics;
    }
    QPrinter& printer = Settings(currentName_);
    const QPageLayout layout = printer.pageLayout();
    const int resolution = printer.resolution();
    const QRect full = layout.fullRectPixels(resolution);
    QRect paint = layout.paintRectPixels(resolution);
    if (IsTextOnly(CurrentIndex())) {
        // Plain text goes to such a printer as it is: no driver margins.
        paint = full;
    }
    metrics.dpiX = metrics.dpiY = resolution;
    metrics.physicalWidth = full.width();
    metrics.physicalHeight = full.height();
    metrics.offsetX = paint.left() - full.left();
    metrics.offsetY = paint.top() - full.top();
    metrics.printableWidth = paint.width();
    metrics.printableHeight = paint.height();
    metrics.orientation = FromQt(layout.orientation());
    return metrics;
}

void CupsPrinterSystem::SetOrientation(PageOrientation orientation) {
    EnsureListed();
    if (!currentName_.isEmpty()) {
        Settings(currentName_)
            .setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    }
}

void CupsPrinterSystem::SetCopies(int copies) {
    EnsureListed();
    if (!currentName_.isEmpty()) {
        Settings(currentName_).setCopyCount(qMax(1, copies));
    }
}

int CupsPrinterSystem::Copies() {
    EnsureListed();
    return currentName_.isEmpty() ? 1 : Settings(currentName_).copyCount();
}

void CupsPrinterSystem::SetPort(const QString& port) {
    EnsureListed();
    if (currentName_.isEmpty()) {
        return;
    }
    if (port.isEmpty()) {
        ports_.remove(currentName_);
    } else {
        ports_.insert(currentName_, port);
    }
}

PrinterDevice CupsPrinterSystem::Device(int index) {
    EnsureListed();
    if (!ValidIndex(index)) {
        return PrinterDevice{};
    }
    const QString& name = names_[index];
    CupsDestination destination(name);
    PrinterDevice device;
    device.device = name;
    device.driver = destination.Option("printer-make-and-model");
    device.port = ports_.value(name, destination.Option("device-uri"));
    return device;
}

bool CupsPrinterSystem::IsTextOnly(int index) {
    EnsureListed();
    return ValidIndex(index) && IsTextOnlyModel(MakeAndModel(names_[index]));
}

int CupsPrinterSystem::MaxCopies(int index) {
    EnsureListed();
    if (!ValidIndex(index)) {
        return 1;
    }
    const int most = CupsDestination(names_[index]).MostCopies();
    return most > 0 ? most : 1;
}

bool CupsPrinterSystem::ShowProperties(QWidget* parent, int index) {
    EnsureListed();
    if (!ValidIndex(index)) {
        return false;
    }
    QPageSetupDialog dialog(&Settings(names_[index]), parent);
    return ExecModal(dialog) == QDialog::Accepted;
}

QString CupsPrinterSystem::OutputFileFor(JobKind kind, const QString& port, bool* cancelled) const {
    *cancelled = false;
    if (!port.startsWith(kFilePort, Qt::CaseInsensitive)) {
        return QString();
    }
    const QString path = port.mid(kFilePort.size());
    if (!path.isEmpty()) {
        return path;
    }
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.caption = QStringLiteral("Tisk do souboru");
    if (kind == JobKind::Graphic) {
        request.filter = QStringLiteral("Dokumenty PDF (*.pdf);;Všechny soubory (*)");
        request.defaultSuffix = QStringLiteral("pdf");
    } else {
        request.filter = QStringLiteral("Tiskové soubory (*.prn);;Všechny soubory (*)");
        request.defaultSuffix = QStringLiteral("prn");
    }
    const QString chosen = AskFileName(request);
    *cancelled = chosen.isEmpty();
    return chosen;
}

std::unique_ptr<PrintJob> CupsPrinterSystem::BeginJob(JobKind kind, const QString& title) {
    EnsureListed();
    if (currentName_.isEmpty()) {
        return nullptr;
    }
    bool cancelled = false;
    const QString outputFile = OutputFileFor(kind, ports_.value(currentName_), &cancelled);
    if (cancelled) {
        return std::make_unique<FailedJob>(kind, QStringLiteral("Tisk do souboru byl zrušen."));
    }
    if (outputFile.isEmpty() && !CupsDestination(currentName_).Exists()) {
        return std::make_unique<FailedJob>(
            kind, QStringLiteral("Tiskárna %1 není k dispozici.").arg(currentName_));
    }
    QPrinter& printer = Settings(currentName_);
    if (kind == JobKind::Raw) {
        return std::make_unique<RawJob>(currentName_, title, printer.copyCount(), outputFile);
    }
    auto job = std::make_unique<QPrinterJob>(printer, currentName_, title, outputFile);
    if (job->Aborted()) {
        return std::make_unique<FailedJob>(kind, job->ErrorText());
    }
    return job;
}

}  // namespace platform
