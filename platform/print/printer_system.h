#pragma once
// The printers the program can reach: their list, the current one with its
// settings (orientation, copies, output port), the metrics the report output
// lays pages out with, and print jobs. The program talks to the print system
// only through this interface; the real one goes to Qt and CUPS
// (CupsPrinterSystem), tests install FakePrinterSystem.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QPaintDevice;
class QPainter;
class QWidget;

namespace platform {

enum class PageOrientation { Portrait, Landscape };

// What the printer reports about its page, in device pixels, for its current
// orientation. Device pixel (0, 0) is the top-left corner of the printable
// area, as on a printer's drawing surface.
struct PrinterMetrics {
    int dpiX = 0;  // logical pixels per inch
    int dpiY = 0;
    int physicalWidth = 0;  // the whole sheet
    int physicalHeight = 0;
    int offsetX = 0;  // the unprintable left and top strips
    int offsetY = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    PageOrientation orientation = PageOrientation::Portrait;
    bool operator==(const PrinterMetrics&) const = default;
};

// The names a printer is known by: the queue (device) name, its driver
// (make and model) and where its output goes (the device URI, or the port the
// program set for it, such as "FILE:").
struct PrinterDevice {
    QString device;
    QString driver;
    QString port;
};

enum class JobKind {
    Graphic,  // pages drawn on a paint device
    Raw,      // bytes sent to the printer unchanged (character-cell pages)
};

// One document on its way to a printer. A graphic job is painting from the
// moment it starts: draw through Painter(), which is active on PaintDevice().
// A raw job takes bytes with WriteRaw; form feeds between pages are the
// caller's business, NewPage only counts pages.
class PrintJob {
  public:
    virtual ~PrintJob() = default;

    virtual JobKind Kind() const = 0;
    virtual QPaintDevice* PaintDevice() = 0;  // null for a raw job
    virtual QPainter* Painter() = 0;          // null for a raw job
    virtual bool WriteRaw(const QByteArray& bytes) = 0;
    virtual bool NewPage() = 0;
    // Hands the document to the spooler; false when it was refused.
    virtual bool End() = 0;
    // Throws the document away at the spooler.
    virtual void Abort() = 0;
    // True after Abort, and when the spooler did not take the document.
    virtual bool Aborted() const = 0;
    virtual QString ErrorText() const = 0;
};

class PrinterSystem {
  public:
    virtual ~PrinterSystem() = default;

    // Re-reads the installed printers; the indices of the other operations
    // refer to this list. The current printer is kept by name.
    virtual QStringList PrinterNames() = 0;
    virtual int PrinterCount() = 0;
    // -1 when no printer is installed or none is the default.
    virtual int DefaultIndex() = 0;
    // The current printer; the default one until another is chosen, -1 when
    // no printer is installed.
    virtual int CurrentIndex() = 0;
    // Makes printer `index` current; -1 chooses the default printer. False
    // (and nothing changes) for an index outside the list.
    virtual bool SetCurrent(int index) = 0;

    // The current printer's settings; they stay with the printer while the
    // program runs and go with every job started on it.
    virtual PrinterMetrics Metrics() = 0;
    virtual void SetOrientation(PageOrientation orientation) = 0;
    virtual void SetCopies(int copies) = 0;
    virtual int Copies() = 0;
    // Redirects the current printer's jobs: "FILE:" asks for a file at the
    // start of each job, "FILE:<path>" writes to that file; empty restores
    // the printer's own device.
    virtual void SetPort(const QString& port) = 0;

    virtual PrinterDevice Device(int index) = 0;
    // A printer that takes plain text as it is (character-cell output).
    virtual bool IsTextOnly(int index) = 0;
    // The largest number of copies the printer makes of one document by
    // itself; 1 when it cannot be asked.
    virtual int MaxCopies(int index) = 0;

    // Shows the printer's own settings dialog for printer `index`; on OK the
    // changes become the printer's settings. Returns whether OK was pressed.
    virtual bool ShowProperties(QWidget* parent, int index) = 0;

    // Starts a document on the current printer; null when there is no current
    // printer. A job that could not start comes back already aborted with its
    // error text.
    virtual std::unique_ptr<PrintJob> BeginJob(JobKind kind, const QString& title) = 0;
};

// The process-wide printer system. Until one is set, the first call creates
// the Qt/CUPS one.
PrinterSystem& Printers();
// Installs `system` (not owned) and returns the previous one; null goes back
// to the Qt/CUPS system. Tests install a FakePrinterSystem this way.
PrinterSystem* SetPrinterSystem(PrinterSystem* system);

}  // namespace platform
