#include "platform/print/fake_printer_system.h"

#include <QPainter>
#include <cmath>
#include <utility>

#include "platform/print/print_jobs.h"

namespace platform {
namespace {

constexpr double kA4WidthInches = 210.0 / 25.4;
constexpr double kA4HeightInches = 297.0 / 25.4;

PrinterMetrics A4Metrics(int dpi, double stripX, double stripY) {
    PrinterMetrics metrics;
    metrics.dpiX = metrics.dpiY = dpi;
    metrics.physicalWidth = int(std::lround(kA4WidthInches * dpi));
    metrics.physicalHeight = int(std::lround(kA4HeightInches * dpi));
    metrics.offsetX = int(std::lround(stripX * dpi));
    metrics.offsetY = int(std::lround(stripY * dpi));
    metrics.printableWidth = metrics.physicalWidth - 2 * metrics.offsetX;
    metrics.printableHeight = metrics.physicalHeight - 2 * metrics.offsetY;
    return metrics;
}

PrinterMetrics Turned(const PrinterMetrics& portrait) {
    PrinterMetrics turned = portrait;
    std::swap(turned.dpiX, turned.dpiY);
    std::swap(turned.physicalWidth, turned.physicalHeight);
    std::swap(turned.offsetX, turned.offsetY);
    std::swap(turned.printableWidth, turned.printableHeight);
    turned.orientation = PageOrientation::Landscape;
    return turned;
}

}  // namespace

FakePrinter FakePrinter::Laser(const QString& name, int dpi) {
    FakePrinter printer;
    printer.name = name;
    printer.portrait = A4Metrics(dpi, 0.25, 1.0 / 3.0);
    return printer;
}

FakePrinter FakePrinter::TextOnly(const QString& name) {
    FakePrinter printer;
    printer.name = name;
    printer.driver = QStringLiteral("Generic Text-Only Printer");
    printer.port = QStringLiteral("parallel:/dev/lp0");
    printer.textOnly = true;
    printer.maxCopies = 0;
    printer.portrait = A4Metrics(120, 0, 0);
    return printer;
}

// A job on a fake printer: graphic pages are painted into images of the
// printable area, raw bytes are collected; everything lands in the record.
class FakePrinterSystem::Job : public PrintJob {
  public:
    Job(RecordedJob& record, const PrinterMetrics& metrics, bool abortAtSpooler)
        : record_(record), metrics_(metrics), abortAtSpooler_(abortAtSpooler) {
        if (record_.kind == JobKind::Graphic) {
            StartPage();
        }
    }
    ~Job() override {
        if (!finished_) {
            Abort();
        }
    }

    JobKind Kind() const override { return record_.kind; }
    QPaintDevice* PaintDevice() override { return painter_.isActive() ? &page_ : nullptr; }
    QPainter* Painter() override { return painter_.isActive() ? &painter_ : nullptr; }

    bool WriteRaw(const QByteArray& bytes) override {
        if (finished_ || record_.kind != JobKind::Raw) {
            return false;
        }
        record_.raw.append(bytes);
        return true;
    }

    bool NewPage() override {
        if (finished_) {
            return false;
        }
        ++record_.newPages;
        if (record_.kind == JobKind::Graphic) {
            FinishPage();
            StartPage();
        }
        return true;
    }

    bool End() override {
        if (finished_) {
            return !Aborted();
        }
        finished_ = true;
        FinishPage();
        if (abortAtSpooler_) {
            record_.aborted = true;
            error_ = QStringLiteral("Tiskovou úlohu spooler přerušil.");
            return false;
        }
        record_.ended = true;
        return true;
    }

    void Abort() override {
        if (!finished_) {
            finished_ = true;
            FinishPage();
        }
        record_.aborted = true;
    }

    bool Aborted() const override { return record_.aborted; }
    QString ErrorText() const override { return error_; }

  private:
    void StartPage() {
        page_ = QImage(qMax(1, metrics_.printableWidth), qMax(1, metrics_.printableHeight),
                       QImage::Format_RGB32);
        page_.fill(Qt::white);
        page_.setDotsPerMeterX(int(std::lround(metrics_.dpiX / 0.0254)));
        page_.setDotsPerMeterY(int(std::lround(metrics_.dpiY / 0.0254)));
        painter_.begin(&page_);
    }
    void FinishPage() {
        if (painter_.isActive()) {
            painter_.end();
            record_.pages.push_back(page_);
        }
    }

    RecordedJob& record_;
    PrinterMetrics metrics_;
    bool abortAtSpooler_;
    QImage page_;
    QPainter painter_;
    bool finished_ = false;
    QString error_;
};

FakePrinterSystem::FakePrinterSystem(std::vector<FakePrinter> printers, int defaultIndex) {
    SetPrinters(std::move(printers), defaultIndex);
}

FakePrinterSystem::~FakePrinterSystem() {
    if (installed_) {
        SetPrinterSystem(previous_);
    }
}

void FakePrinterSystem::Install() {
    if (!installed_) {
        previous_ = SetPrinterSystem(this);
        installed_ = true;
    }
}

void FakePrinterSystem::SetPrinters(std::vector<FakePrinter> printers, int defaultIndex) {
    const QString currentName = Valid(current_) ? printers_[size_t(current_)].name : QString();
    printers_ = std::move(printers);
    defaultIndex_ = Valid(defaultIndex) ? defaultIndex : 0;
    current_ = defaultIndex_;
    for (int i = 0; i < int(printers_.size()); ++i) {
        if (printers_[size_t(i)].name == currentName) {
            current_ = i;
        }
    }
}

QStringList FakePrinterSystem::PrinterNames() {
    QStringList names;
    for (const FakePrinter& printer : printers_) {
        names.append(printer.name);
    }
    return names;
}

bool FakePrinterSystem::SetCurrent(int index) {
    if (index == -1 && !printers_.empty()) {
        current_ = defaultIndex_;
        return true;
    }
    if (!Valid(index)) {
        return false;
    }
    current_ = index;
    return true;
}

PrinterMetrics FakePrinterSystem::Metrics() {
    if (!Valid(current_)) {
        return PrinterMetrics{};
    }
    const PrinterMetrics& portrait = printers_[size_t(current_)].portrait;
    return SettingsOf(current_).orientation == PageOrientation::Landscape ? Turned(portrait)
                                                                          : portrait;
}

void FakePrinterSystem::SetOrientation(PageOrientation orientation) {
    if (Valid(current_)) {
        SettingsOf(current_).orientation = orientation;
    }
}

void FakePrinterSystem::SetCopies(int copies) {
    if (Valid(current_)) {
        SettingsOf(current_).copies = qMax(1, copies);
    }
}

int FakePrinterSystem::Copies() {
    return Valid(current_) ? SettingsOf(current_).copies : 1;
}

void FakePrinterSystem::SetPort(const QString& port) {
    if (Valid(current_)) {
        SettingsOf(current_).port = port;
    }
}

PrinterDevice FakePrinterSystem::Device(int index) {
    if (!Valid(index)) {
        return PrinterDevice{};
    }
    const FakePrinter& printer = printers_[size_t(index)];
    const QString& port = SettingsOf(index).port;
    return PrinterDevice{printer.name, printer.driver, port.isEmpty() ? printer.port : port};
}

bool FakePrinterSystem::IsTextOnly(int index) {
    return Valid(index) && printers_[size_t(index)].textOnly;
}

int FakePrinterSystem::MaxCopies(int index) {
    if (!Valid(index)) {
        return 1;
    }
    return qMax(1, printers_[size_t(index)].maxCopies);
}

bool FakePrinterSystem::ShowProperties(QWidget* parent, int index) {
    if (!Valid(index)) {
        return false;
    }
    ++propertiesShown_;
    return propertiesScript && propertiesScript(printers_[size_t(index)], parent);
}

std::unique_ptr<PrintJob> FakePrinterSystem::BeginJob(JobKind kind, const QString& title) {
    if (!Valid(current_)) {
        return nullptr;
    }
    RecordedJob& record = jobs_.emplace_back();
    record.printer = printers_[size_t(current_)].name;
    record.title = title;
    record.kind = kind;
    record.copies = SettingsOf(current_).copies;
    record.orientation = SettingsOf(current_).orientation;
    record.port = Device(current_).port;
    if (!refusal_.isEmpty()) {
        record.aborted = true;
        const QString error = std::exchange(refusal_, QString());
        return std::make_unique<FailedJob>(kind, error);
    }
    return std::make_unique<Job>(record, Metrics(), abortAtSpooler_);
}

}  // namespace platform
