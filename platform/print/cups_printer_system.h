#pragma once
// The printer system of the machine: the CUPS queues as Qt PrintSupport sees
// them, with what Qt does not tell (make and model, device URI, how many
// copies the queue makes) read from CUPS itself. Each queue keeps one QPrinter
// holding its settings (orientation, copies, paper) for as long as the program
// runs, the way a printer's device mode does.

#include <QHash>
#include <map>
#include <memory>

#include "platform/print/printer_system.h"

class QPrinter;

namespace platform {

class CupsPrinterSystem : public PrinterSystem {
  public:
    CupsPrinterSystem();
    ~CupsPrinterSystem() override;

    QStringList PrinterNames() override;
    int PrinterCount() override;
    int DefaultIndex() override;
    int CurrentIndex() override;
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

    // The text-only rule on a queue's make and model (exposed for tests).
    static bool IsTextOnlyModel(const QString& makeAndModel);

  private:
    void EnsureListed();
    bool ValidIndex(int index) const { return index >= 0 && index < names_.size(); }
    QString CurrentName() const;
    // The settings object of a queue, created on first use.
    QPrinter& Settings(const QString& name);
    QString OutputFileFor(JobKind kind, const QString& port, bool* cancelled) const;

    bool listed_ = false;
    QStringList names_;
    QString defaultName_;
    QString currentName_;
    QHash<QString, QString> ports_;  // queue name -> port the program set
    std::map<QString, std::unique_ptr<QPrinter>> settings_;
};

}  // namespace platform
