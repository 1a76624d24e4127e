#pragma once
// The file structure of a PDF document, written as it goes: objects are
// numbered when they are reserved and written to the device at once, so only
// their offsets stay in memory; pages are appended one by one, and Finish()
// writes the page tree, the resources every page shares, the information
// dictionary, the cross-reference table and the trailer. Streams are
// compressed with zlib at its fastest level. A write that fails (the disk is
// full, the device went away) is remembered, and Finish() reports it.

#include <QByteArray>
#include <QString>
#include <QVector>

#include <memory>

class QIODevice;

namespace platform {

class AtomicFile;
class PdfResources;
class PdfCompressor;

class PdfDocument {
  public:
    PdfDocument();
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    // Writes to a new file that replaces `fileName` only when Finish()
    // succeeds, so a failed document leaves the file as it was; false (and
    // ErrorString) when the file cannot be made.
    bool Open(const QString& fileName);
    // Writes to an open device the caller keeps.
    bool Open(QIODevice* device);

    void SetTitle(const QString& title) { title_ = title; }
    void SetCreator(const QString& creator) { creator_ = creator; }

    // Fonts, images and patterns, one resource dictionary for all pages.
    PdfResources& Resources() { return *resources_; }

    int ReserveObject();
    // "n 0 obj <body> endobj".
    void WriteObject(int object, const QByteArray& body);
    // A stream object; `entries` are the dictionary's entries other than
    // /Length and /Filter.
    void WriteStream(int object, const QByteArray& entries, const QByteArray& data,
                     bool compress = true);
    // A page of `widthPt` x `heightPt` points with its content stream.
    void AddPage(double widthPt, double heightPt, const QByteArray& content);
    // The document uses a feature of PDF 1.6 (an embedded OpenType program);
    // the header says 1.4, the catalog then raises the version.
    void RequirePdf16() { pdf16_ = true; }
    int PageCount() const { return pages_.size(); }

    // Completes the document and flushes it; false when any write failed.
    bool Finish();
    bool Failed() const { return failed_; }
    QString ErrorString() const { return error_; }

  private:
    void Emit(const QByteArray& bytes);
    void Emit(const char* bytes, qsizetype size);
    void Flush();
    void BeginObject(int object);
    void WriteHeader();
    void Fail(const QString& reason);

    std::unique_ptr<AtomicFile> file_;
    QIODevice* device_ = nullptr;
    std::unique_ptr<PdfResources> resources_;
    std::unique_ptr<PdfCompressor> compressor_;
    QByteArray pending_;       // not yet handed to the device
    qint64 flushed_ = 0;       // bytes handed to the device so far
    QVector<qint64> offsets_;  // per object number, 0 for one not written yet
    QVector<int> pages_;
    int pagesObject_ = 0;
    int resourcesObject_ = 0;
    QString title_;
    QString creator_;
    bool failed_ = false;
    bool pdf16_ = false;
    QString error_;
};

}  // namespace platform
