#include "platform/print/print_jobs.h"

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>
#include <optional>

#include "platform/atomic_file.h"

namespace platform {
namespace {

// Where Qt's CUPS engine keeps the options chosen in the printer's settings
// dialog (name, value, name, value, ...).
constexpr auto kCupsOptionsProperty = QPrintEngine::PPK_CustomBase;

QString TemporarySpoolFile() {
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/harvel-print-XXXXXX.pdf"));
    file.setAutoRemove(false);
    if (!file.open()) {
        return QString();
    }
    return file.fileName();
}

// Options for one cupsPrintFile/cupsCreateJob call; frees them when done.
class CupsOptions {
  public:
    CupsOptions() = default;
    ~CupsOptions() { cupsFreeOptions(count_, options_); }
    CupsOptions(const CupsOptions&) = delete;
    CupsOptions& operator=(const CupsOptions&) = delete;

    void Add(const QByteArray& name, const QByteArray& value) {
        count_ = cupsAddOption(name.constData(), value.constData(), count_, &options_);
    }
    int Count() const { return count_; }
    cups_option_t* Options() const { return options_; }

  private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

QString CupsError() {
    return QString::fromUtf8(cupsLastErrorString());
}

// Puts the bytes `next` hands out (an empty chunk at the end) in the place
// of `target`, which stays as it was until every byte reached the disk. When
// `next` cannot give the rest (std::nullopt), nothing is written and the
// text of `sourceFailure()` is returned. Returns the reason of a failure, or
// an empty text.
template <typename NextChunk, typename SourceFailure>
QString WriteWholeFile(const QString& target, NextChunk next, SourceFailure sourceFailure) {
    AtomicFile file(target);
    if (!file.Open()) {
        return file.FailureText();
    }
    for (std::optional<QByteArray> chunk = next(); chunk; chunk = next()) {
        if (chunk->isEmpty()) {
            return file.Commit() ? QString() : file.FailureText();
        }
        if (file.write(*chunk) != chunk->size()) {
            return file.FailureText();
        }
    }
    return sourceFailure();
}

}  // namespace

// ---- QPrinterJob -------------------------------------------------------------

QPrinterJob::QPrinterJob(QPrinter& printer, const QString& queue, const QString& title,
                         const QString& outputFile)
    : printer_(printer), queue_(queue), title_(title), outputFile_(outputFile) {
    layout_ = printer_.pageLayout();
    const QVariant options = printer_.printEngine()->property(kCupsOptionsProperty);
    cupsOptions_ = options.toStringList();
    if (!StartPainting()) {
        finished_ = true;
    }
}

QPrinterJob::~QPrinterJob() {
    if (!finished_) {
        Abort();
    }
}

bool QPrinterJob::StartPainting() {
    spoolFile_ = TemporarySpoolFile();
    if (spoolFile_.isEmpty()) {
        return Fail(QStringLiteral("Nelze vytvořit dočasný soubor pro tisk."));
    }
    printer_.setDocName(title_);
    printer_.setOutputFileName(spoolFile_);
    // The PDF output brings its own margins; the page keeps the queue's.
    printer_.setPageLayout(layout_);
    if (!painter_.begin(&printer_)) {
        RestorePrinter();
        QFile::remove(spoolFile_);
        return Fail(QStringLiteral("Tisk na tiskárnu %1 nelze zahájit.").arg(queue_));
    }
    return true;
}

void QPrinterJob::RestorePrinter() {
    printer_.setOutputFileName(QString());
    printer_.setPageLayout(layout_);
    if (!cupsOptions_.isEmpty()) {
        printer_.printEngine()->setProperty(kCupsOptionsProperty, cupsOptions_);
    }
}

QPaintDevice* QPrinterJob::PaintDevice() {
    return finished_ ? nullptr : &printer_;
}

QPainter* QPrinterJob::Painter() {
    return finished_ ? nullptr : &painter_;
}

bool QPrinterJob::WriteRaw(const QByteArray&) {
    return false;
}

bool QPrinterJob::NewPage() {
    return !finished_ && printer_.newPage();
}

bool QPrinterJob::End() {
    if (finished_) {
        return !aborted_;
    }
    finished_ = true;
    const bool painted = painter_.end();
    RestorePrinter();
    bool ok = painted ? (outputFile_.isEmpty() ? Submit() : CopyToOutputFile())
                      : Fail(QStringLiteral("Tiskovou úlohu se nepodařilo dokončit."));
    QFile::remove(spoolFile_);
    return ok;
}

void QPrinterJob::Abort() {
    if (!finished_) {
        finished_ = true;
        painter_.end();
        RestorePrinter();
        QFile::remove(spoolFile_);
    }
    aborted_ = true;
}

bool QPrinterJob::Submit() {
    CupsOptions options;
    options.Add("media", layout_.pageSize().key().toUtf8());
    if (printer_.copyCount() > 1) {
        options.Add("copies", QByteArray::number(printer_.copyCount()));
    }
    for (qsizetype i = 0; i + 1 < cupsOptions_.size(); i += 2) {
        options.Add(cupsOptions_[i].toUtf8(), cupsOptions_[i + 1].toUtf8());
    }
    const int job = cupsPrintFile(queue_.toUtf8().constData(), spoolFile_.toLocal8Bit().constData(),
                                  title_.toUtf8().constData(), options.Count(), options.Options());
    if (job == 0) {
        return Fail(
            QStringLiteral("Tiskárna %1 tiskovou úlohu nepřijala: %2").arg(queue_, CupsError()));
    }
    return true;
}

bool QPrinterJob::CopyToOutputFile() {
    QFile spool(spoolFile_);
    const auto unreadable = [&] {
        return QStringLiteral("Soubor \"%1\" nelze zapsat: tisková data nelze přečíst (%2).")
            .arg(outputFile_, spool.errorString());
    };
    if (!spool.open(QIODevice::ReadOnly)) {
        return Fail(unreadable());
    }
    constexpr qint64 kChunk = 1 << 20;
    const QString failure = WriteWholeFile(
        outputFile_,
        [&]() -> std::optional<QByteArray> {
            QByteArray chunk = spool.read(kChunk);
            if (spool.error() != QFileDevice::NoError) {
                return std::nullopt;
            }
            return chunk;
        },
        unreadable);
    return failure.isEmpty() || Fail(failure);
}

bool QPrinterJob::Fail(const QString& error) {
    aborted_ = true;
    error_ = error;
    return false;
}

// ---- RawJob --------------------------------------------------------------------

RawJob::RawJob(const QString& queue, const QString& title, int copies, const QString& outputFile)
    : queue_(queue), title_(title), copies_(copies), outputFile_(outputFile) {}

bool RawJob::WriteRaw(const QByteArray& bytes) {
    if (finished_) {
        return false;
    }
    data_.append(bytes);
    return true;
}

bool RawJob::NewPage() {
    return !finished_;
}

bool RawJob::End() {
    if (finished_) {
        return !aborted_;
    }
    finished_ = true;
    const bool ok = outputFile_.isEmpty() ? SendToQueue() : WriteToFile();
    data_.clear();
    return ok;
}

void RawJob::Abort() {
    finished_ = true;
    aborted_ = true;
    data_.clear();
}

bool RawJob::SendToQueue() {
    const QByteArray queue = queue_.toUtf8();
    const QByteArray title = title_.toUtf8();
    CupsOptions options;
    if (copies_ > 1) {
        options.Add("copies", QByteArray::number(copies_));
    }
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), title.constData(),
                                  options.Count(), options.Options());
    if (job == 0) {
        return Fail(
            QStringLiteral("Tiskárna %1 tiskovou úlohu nepřijala: %2").arg(queue_, CupsError()));
    }
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job, title.constData(),
                          CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
        const QString error = CupsError();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
        return Fail(QStringLiteral("Tiskárna %1 tiskovou úlohu nepřijala: %2").arg(queue_, error));
    }
    const bool written =
        data_.isEmpty() || cupsWriteRequestData(CUPS_HTTP_DEFAULT, data_.constData(),
                                                size_t(data_.size())) == HTTP_STATUS_CONTINUE;
    const ipp_status_t status = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData());
    if (!written || status > IPP_STATUS_OK_CONFLICTING) {
        const QString error = CupsError();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
        return Fail(QStringLiteral("Tisková data se nepodařilo odeslat na tiskárnu %1: %2")
                        .arg(queue_, error));
    }
    return true;
}

bool RawJob::WriteToFile() {
    bool handedOut = false;
    const QString failure = WriteWholeFile(
        outputFile_,
        [&]() -> std::optional<QByteArray> {
            if (handedOut) {
                return QByteArray();
            }
            handedOut = true;
            return data_;
        },
        [] { return QString(); });
    return failure.isEmpty() || Fail(failure);
}

bool RawJob::Fail(const QString& error) {
    aborted_ = true;
    error_ = error;
    return false;
}

}  // namespace platform
