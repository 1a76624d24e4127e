#pragma once
// A printer system with scripted printers for tests. It answers metrics,
// text-only flags, copies and devices from the script, keeps each printer's
// orientation, copies and port, and records every job: title, printer,
// settings at the start, the pages drawn (as images of the printable area)
// and the raw bytes.
//
//   platform::FakePrinterSystem printers({platform::FakePrinter::Laser("HP")});
//   printers.Install();   // until `printers` goes out of scope
//   ... print ...
//   EXPECT_EQ(printers.Jobs().at(0).pages.size(), 2u);

#include <QHash>
#include <QImage>
#include <deque>
#include <functional>
#include <vector>

#include "platform/print/printer_system.h"

namespace platform {

struct FakePrinter {
    QString name;
    QString driver = QStringLiteral("Fake Laser");
    QString port = QStringLiteral("usb://Fake/Laser");
    bool textOnly = false;
    // What the driver says it copies by itself; 0 or less: it cannot be asked.
    int maxCopies = 99;
    // The page in portrait; landscape swaps the sizes and the offsets.
    PrinterMetrics portrait;

    // A graphic printer with an A4 sheet at `dpi` and quarter-inch strips
    // left and right, a third of an inch top and bottom.
    static FakePrinter Laser(const QString& name, int dpi = 100);
    // A character printer for plain text.
    static FakePrinter TextOnly(const QString& name);
};

struct RecordedJob {
    QString printer;
    QString title;
    JobKind kind = JobKind::Graphic;
    int copies = 1;
    PageOrientation orientation = PageOrientation::Portrait;
    QString port;
    std::vector<QImage> pages;  // graphic jobs: each page's printable area
    int newPages = 0;           // NewPage calls (raw jobs count their pages this way)
    QByteArray raw;
    bool ended = false;
    bool aborted = false;
};

class FakePrinterSystem : public PrinterSystem {
  public:
    explicit FakePrinterSystem(std::vector<FakePrinter> printers = {}, int defaultIndex = 0);
    ~FakePrinterSystem() override;
    FakePrinterSystem(const FakePrinterSystem&) = delete;
    FakePrinterSystem& operator=(const FakePrinterSystem&) = delete;

    // Makes this the process-wide printer system until it is destroyed.
    void Install();

    // Replaces the installed printers (as if the user added or removed some);
    // the current printer is kept when its name is still there.
    void SetPrinters(std::vector<FakePrinter> printers, int defaultIndex = 0);
    const std::vector<FakePrinter>& Scripted() const { return printers_; }

    const std::deque<RecordedJob>& Jobs() const { return jobs_; }

    // The next job that starts is refused by the spooler (comes back aborted).
    void RefuseNextJob(const QString& error) { refusal_ = error; }
    // Jobs are refused at End: the spooler reports them aborted.
    void AbortAtSpooler(bool abort) { abortAtSpooler_ = abort; }

    // Answers the settings dialog: the script may change the printer and
    // returns whether OK was pressed. Without a script the dialog is cancelled.
    std::function<bool(FakePrinter&, QWidget* parent)> propertiesScript;
    int PropertiesShown() const { return propertiesShown_; }

    QStringList PrinterNames() override;
    int PrinterCount() override { return int(printers_.size()); }
    int DefaultIndex() override { return printers_.empty() ? -1 : defaultIndex_; }
    int CurrentIndex() override { return printers_.empty() ? -1 : current_; }
    bool SetCurrent(int index) override;

    PrinterMetrics Metrics() override;
    void SetOrientation(PageOrientation orientation) override;
    void SetCopies(int copies) override;
    int Copies() override;
    void SetPort(const QString& port) override;

    PrinterDevice Device(int index) override;
    bool IsTextOnly(int index) override;
    int MaxCopies(int index) override;
    bool ShowProperties(QWidget* parent, int index) override;
    std::unique_ptr<PrintJob> BeginJob(JobKind kind, const QString& title) override;

  private:
    class Job;
    struct Settings {
        PageOrientation orientation = PageOrientation::Portrait;
        int copies = 1;
        QString port;  // empty: the printer's own
    };

    bool Valid(int index) const { return index >= 0 && index < int(printers_.size()); }

    std::vector<FakePrinter> printers_;
    Settings& SettingsOf(int index) { return settings_[printers_[size_t(index)].name]; }

    QHash<QString, Settings> settings_;
    int defaultIndex_ = 0;
    int current_ = 0;
    std::deque<RecordedJob> jobs_;
    QString refusal_;
    bool abortAtSpooler_ = false;
    int propertiesShown_ = 0;
    bool installed_ = false;
    PrinterSystem* previous_ = nullptr;
};

}  // namespace platform
