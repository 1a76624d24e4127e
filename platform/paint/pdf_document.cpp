#include "platform/paint/pdf_document.h"

#include <zlib.h>

#include "platform/atomic_file.h"
#include "platform/paint/pdf_resources.h"
#include "platform/paint/pdf_syntax.h"

namespace platform {

namespace {

// Pending bytes are handed to the device in pieces of about this size.
constexpr qsizetype kFlushSize = 1 << 20;

}  // namespace

// One deflate stream reset for every PDF stream, so its buffers are
// allocated once per document.
class PdfCompressor {
  public:
    PdfCompressor() { ok_ = deflateInit(&stream_, Z_BEST_SPEED) == Z_OK; }
    ~PdfCompressor() {
        if (ok_) {
            deflateEnd(&stream_);
        }
    }
    PdfCompressor(const PdfCompressor&) = delete;
    PdfCompressor& operator=(const PdfCompressor&) = delete;

    bool Compress(const QByteArray& data, QByteArray& out) {
        if (!ok_ || deflateReset(&stream_) != Z_OK) {
            return false;
        }
        out.resize(qsizetype(deflateBound(&stream_, uLong(data.size()))));
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
        stream_.avail_in = uInt(data.size());
        stream_.next_out = reinterpret_cast<Bytef*>(out.data());
        stream_.avail_out = uInt(out.size());
        if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) {
            return false;
        }
        out.resize(qsizetype(stream_.total_out));
        return true;
    }

  private:
    z_stream stream_{};
    bool ok_ = false;
};

PdfDocument::PdfDocument()
    : resources_(std::make_unique<PdfResources>()), compressor_(std::make_unique<PdfCompressor>()) {
    offsets_.append(0);  // object 0 is the head of the free list
}

PdfDocument::~PdfDocument() = default;

bool PdfDocument::Open(const QString& fileName) {
    file_ = std::make_unique<AtomicFile>(fileName);
    if (!file_->Open()) {
        error_ = file_->errorString();
        failed_ = true;
        return false;
    }
    return Open(file_.get());
}

bool PdfDocument::Open(QIODevice* device) {
    device_ = device;
    if (!device_ || !device_->isWritable()) {
        Fail(device_ ? device_->errorString() : QString());
        return false;
    }
    WriteHeader();
    return !failed_;
}

void PdfDocument::WriteHeader() {
    // The comment of high bytes marks the file as binary for transfer programs.
    Emit(QByteArray("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"));
    pagesObject_ = ReserveObject();
    resourcesObject_ = ReserveObject();
}

void PdfDocument::Fail(const QString& reason) {
    if (!failed_) {
        failed_ = true;
        error_ = reason;
    }
}

void PdfDocument::Emit(const QByteArray& bytes) {
    Emit(bytes.constData(), bytes.size());
}

void PdfDocument::Emit(const char* bytes, qsizetype size) {
    pending_.append(bytes, size);
    if (pending_.size() >= kFlushSize) {
        Flush();
    }
}

void PdfDocument::Flush() {
    if (pending_.isEmpty()) {
        return;
    }
    if (!failed_ && device_) {
        if (device_->write(pending_) != pending_.size()) {
            Fail(device_->errorString());
        }
    }
    flushed_ += pending_.size();
    pending_.clear();
}

int PdfDocument::ReserveObject() {
    offsets_.append(0);
    return offsets_.size() - 1;
}

void PdfDocument::BeginObject(int object) {
    offsets_[object] = flushed_ + pending_.size();
    PdfBuffer head;
    head.Int(object).Raw("0 obj\n");
    Emit(head.Bytes());
}

void PdfDocument::WriteObject(int object, const QByteArray& body) {
    BeginObject(object);
    Emit(body);
    Emit(QByteArray("\nendobj\n"));
}

void PdfDocument::WriteStream(int object, const QByteArray& entries, const QByteArray& data,
                              bool compress) {
    QByteArray packed;
    const bool compressed = compress && compressor_->Compress(data, packed);
    const QByteArray& body = compressed ? packed : data;
    PdfBuffer head;
    head.Raw("<< ").Raw(entries).Raw(" /Length ").Int(body.size());
    if (compressed) {
        head.Raw("/Filter /FlateDecode ");
    }
    head.Raw(">>\nstream\n");
    BeginObject(object);
    Emit(head.Bytes());
    Emit(body);
    Emit(QByteArray("\nendstream\nendobj\n"));
}

void PdfDocument::AddPage(double widthPt, double heightPt, const QByteArray& content) {
    const int contentObject = ReserveObject();
    WriteStream(contentObject, QByteArray(), content);
    const int page = ReserveObject();
    PdfBuffer body;
    body.Raw("<< /Type /Page /Parent ").Ref(pagesObject_).Raw("/MediaBox [0 0 ");
    body.Real(widthPt).Real(heightPt).Raw("] /Resources ").Ref(resourcesObject_);
    body.Raw("/Contents ").Ref(contentObject).Raw(">>");
    WriteObject(page, body.Bytes());
    pages_.append(page);
}

bool PdfDocument::Finish() {
    if (!device_) {
        return false;
    }
    WriteObject(resourcesObject_, resources_->WriteObjects(*this));

    PdfBuffer tree;
    tree.Raw("<< /Type /Pages /Count ").Int(pages_.size()).Raw("/Kids [");
    for (int page : pages_) {
        tree.Ref(page);
    }
    tree.Raw("] >>");
    WriteObject(pagesObject_, tree.Bytes());

    const int info = ReserveObject();
    PdfBuffer infoBody;
    infoBody.Raw("<< /Title ").Raw(PdfTextString(title_));
    infoBody.Raw(" /Creator ").Raw(PdfTextString(creator_));
    infoBody.Raw(" /Producer ").Raw(PdfTextString(creator_)).Raw(" >>");
    WriteObject(info, infoBody.Bytes());

    const int catalog = ReserveObject();
    PdfBuffer catalogBody;
    catalogBody.Raw("<< /Type /Catalog /Pages ").Ref(pagesObject_);
    if (pdf16_) {
        catalogBody.Raw("/Version /1.6 ");
    }
    catalogBody.Raw(">>");
    WriteObject(catalog, catalogBody.Bytes());

    const qint64 xref = flushed_ + pending_.size();
    PdfBuffer table;
    table.Raw("xref\n0 ").Int(offsets_.size()).Raw("\n0000000000 65535 f \n");
    for (int object = 1; object < offsets_.size(); ++object) {
        char entry[21];
        qsnprintf(entry, sizeof entry, "%010lld 00000 n \n",
                  static_cast<long long>(offsets_.at(object)));
        table.Raw(entry, 20);
        if (offsets_.at(object) == 0) {
            Fail(QStringLiteral("PDF object %1 was never written").arg(object));
        }
    }
    table.Raw("trailer\n<< /Size ").Int(offsets_.size());
    table.Raw("/Root ").Ref(catalog).Raw("/Info ").Ref(info).Raw(">>\nstartxref\n");
    table.Int(xref).Raw("\n%%EOF\n");
    Emit(table.Bytes());
    Flush();
    if (file_) {
        if (failed_) {
            file_->Discard();
        } else if (!file_->Commit()) {
            Fail(file_->errorString());
        }
    }
    return !failed_;
}

}  // namespace platform
