#pragma once
// The print jobs of the real printer system: graphic pages painted on a
// queue's QPrinter (or into a PDF file), and raw bytes handed to a CUPS queue
// unchanged (or written to a file).

#include <QPageLayout>
#include <QPainter>
#include <QStringList>

#include "platform/print/printer_system.h"

class QPrinter;

namespace platform {

// Pages painted on a queue's QPrinter. They are painted into a temporary PDF
// with the queue's page layout and handed to CUPS at End (or copied to the
// chosen file), because a document Qt has started on a queue can no longer be
// withdrawn: Abort must leave nothing at the printer. The painter is active
// from the start, so a document that cannot be started is found at once.
class QPrinterJob : public PrintJob {
  public:
    // `queue` empty: `outputFile` must name the file the PDF goes to.
    QPrinterJob(QPrinter& printer, const QString& queue, const QString& title,
                const QString& outputFile);
    ~QPrinterJob() override;

    JobKind Kind() const override { return JobKind::Graphic; }
    QPaintDevice* PaintDevice() override;
    QPainter* Painter() override;
    bool WriteRaw(const QByteArray& bytes) override;
    bool NewPage() override;
    bool End() override;
    void Abort() override;
    bool Aborted() const override { return aborted_; }
    QString ErrorText() const override { return error_; }

  private:
    bool StartPainting();
    void RestorePrinter();
    bool Submit();
    bool CopyToOutputFile();
    bool Fail(const QString& error);

    QPrinter& printer_;
    QString queue_;
    QString title_;
    QString outputFile_;
    QString spoolFile_;
    QPageLayout layout_;
    QStringList cupsOptions_;
    QPainter painter_;
    bool finished_ = false;
    bool aborted_ = false;
    QString error_;
};

// Bytes for a queue that prints them as they are. They are collected while
// the pages are produced and handed to CUPS as one raw document at End, so an
// aborted job never leaves half a document at the printer.
class RawJob : public PrintJob {
  public:
    // Sends to CUPS queue `queue`, or writes to `outputFile` when it is not
    // empty.
    RawJob(const QString& queue, const QString& title, int copies, const QString& outputFile);

    JobKind Kind() const override { return JobKind::Raw; }
    QPaintDevice* PaintDevice() override { return nullptr; }
    QPainter* Painter() override { return nullptr; }
    bool WriteRaw(const QByteArray& bytes) override;
    bool NewPage() override;
    bool End() override;
    void Abort() override;
    bool Aborted() const override { return aborted_; }
    QString ErrorText() const override { return error_; }

  private:
    bool SendToQueue();
    bool WriteToFile();
    bool Fail(const QString& error);

    QString queue_;
    QString title_;
    int copies_ = 1;
    QString outputFile_;
    QByteArray data_;
    bool finished_ = false;
    bool aborted_ = false;
    QString error_;
};

// A job that never started: already aborted, with the reason.
class FailedJob : public PrintJob {
  public:
    FailedJob(JobKind kind, const QString& error) : kind_(kind), error_(error) {}

    JobKind Kind() const override { return kind_; }
    QPaintDevice* PaintDevice() override { return nullptr; }
    QPainter* Painter() override { return nullptr; }
    bool WriteRaw(const QByteArray&) override { return false; }
    bool NewPage() override { return false; }
    bool End() override { return false; }
    void Abort() override {}
    bool Aborted() const override { return true; }
    QString ErrorText() const override { return error_; }

  private:
    JobKind kind_;
    QString error_;
};

}  // namespace platform
