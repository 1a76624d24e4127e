#include "report/output/page_codec.h"

#include <QBuffer>
#include <QDataStream>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "report/output/sestvyst.h"

namespace {

enum ElementMark : std::uint8_t { kEncoded = 1, kKept = 2 };
enum PictureMark : std::uint8_t { kNoPicture = 0, kBitmap = 1 };

template <typename T>
void Put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutText(std::string& out, const QString& text) {
    Put(out, std::uint32_t(text.size()));
    out.append(reinterpret_cast<const char*>(text.constData()), size_t(text.size()) * 2);
}

void PutColour(std::string& out, const QColor& colour) {
    // Plain RGB colours (all a template gives) as 64-bit RGBA: those come
    // back equal from their RGBA value. Anything else (another colour model,
    // an invalid colour) exactly as Qt streams it.
    if (QColor::fromRgba64(colour.rgba64()) == colour) {
        Put(out, std::uint8_t(0));
        Put(out, quint64(colour.rgba64()));
        return;
    }
    QByteArray streamed;
    QDataStream stream(&streamed, QIODevice::WriteOnly);
    stream << colour;
    Put(out, std::uint8_t(1));
    Put(out, std::uint32_t(streamed.size()));
    out.append(streamed.constData(), size_t(streamed.size()));
}

void PutFragment(std::string& out, const TFragment& f) {
    PutText(out, f.Text);
    Put(out, std::uint32_t(f.X.size()));
    out.append(reinterpret_cast<const char*>(f.X.constData()), size_t(f.X.size()) * sizeof(int));
    PutText(out, f.FontName);
    Put(out, f.Size);
    PutColour(out, f.Colour);
    const std::int32_t ints[] = {f.Charset, f.TextHeight, f.Descent};
    Put(out, ints);
    const std::uint8_t flags =
        (f.Bold ? 1 : 0) | (f.Underline ? 2 : 0) | (f.Italic ? 4 : 0) | (f.Strikeout ? 8 : 0);
    Put(out, flags);
}

void PutLine(std::string& out, const TRadek& line) {
    const std::int32_t ints[] = {line.CurrentFragment, line.BreakX,          line.BreakCount,
                                 line.BreakFragment,   line.BreakInFragment, line.MinHeight,
                                 line.Height,          line.Descent,         line.Offset};
    Put(out, ints);
    const std::uint8_t flags =
        (line.HasBreak ? 1 : 0) | (line.Wrapped ? 2 : 0) | (line.FirstOfParagraph ? 4 : 0);
    Put(out, flags);
    Put(out, std::uint32_t(line.Fragments.size()));
    for (const TFragment& f : line.Fragments) {
        PutFragment(out, f);
    }
}

void PutBitmap(std::string& out, const QImage& image) {
    Put(out, std::int32_t(image.format()));
    Put(out, std::int32_t(image.width()));
    Put(out, std::int32_t(image.height()));
    Put(out, std::int32_t(image.dotsPerMeterX()));
    Put(out, std::int32_t(image.dotsPerMeterY()));
    const QList<QRgb> table = image.colorTable();
    Put(out, std::uint32_t(table.size()));
    out.append(reinterpret_cast<const char*>(table.constData()),
               size_t(table.size()) * sizeof(QRgb));
    const qsizetype row = image.bytesPerLine();
    Put(out, std::int64_t(row));
    for (int y = 0; y < image.height(); ++y) {
        out.append(reinterpret_cast<const char*>(image.constScanLine(y)), size_t(row));
    }
}

void PutElement(std::string& out, const TVystPrvek& e) {
    Put(out, quintptr(e.Element));
    const std::int32_t ints[] = {e.Left, e.Top, e.Width, e.Height, e.FirstLine, e.LastLine};
    Put(out, ints);
    Put(out, std::uint8_t(e.HasPicture ? 1 : 0));
    PutText(out, e.Text);
    PutText(out, e.PictureFile);
    Put(out, std::uint8_t(e.Picture ? kBitmap : kNoPicture));
    if (e.Picture) {
        PutBitmap(out, e.Picture->Bitmap());
    }
    Put(out, std::int32_t(e.Lines ? e.Lines->Count() : -1));
    if (e.Lines) {
        for (const TRadek& line : *e.Lines) {
            PutLine(out, line);
        }
    }
}

// An element, or the mark of one the caller keeps (null).
void PutEntry(std::string& out, const TVystPrvek* element) {
    if (!element) {
        Put(out, std::uint8_t(kKept));
        return;
    }
    Put(out, std::uint8_t(kEncoded));
    PutElement(out, *element);
}

}  // namespace

// Reads what the writer above wrote; font names repeat on every element, so
// the last few read are handed out again as shared copies.
class PageCodec::Reader {
  public:
    Reader(const char* data, qsizetype size) : p_(data), end_(data + size) {}

    template <typename T>
    T Get() {
        T value;
        Need(qsizetype(sizeof value));
        std::memcpy(&value, p_, sizeof value);
        p_ += sizeof value;
        return value;
    }
    QString Text() {
        const auto size = qsizetype(Get<std::uint32_t>());
        Need(size * 2);
        QString text(reinterpret_cast<const QChar*>(p_), size);
        p_ += size * 2;
        return text;
    }
    QString FontName() {
        const auto size = qsizetype(Get<std::uint32_t>());
        Need(size * 2);
        const QStringView name(reinterpret_cast<const QChar*>(p_), size);
        p_ += size * 2;
        for (const QString& known : fontNames_) {
            if (known == name) {
                return known;
            }
        }
        fontNames_.push_back(name.toString());
        return fontNames_.back();
    }
    QColor Colour() {
        if (Get<std::uint8_t>() == 0) {
            return QColor::fromRgba64(QRgba64::fromRgba64(Get<quint64>()));
        }
        const auto size = qsizetype(Get<std::uint32_t>());
        Need(size);
        QByteArray streamed = QByteArray::fromRawData(p_, size);
        p_ += size;
        QDataStream stream(streamed);
        QColor colour;
        stream >> colour;
        return colour;
    }
    void Bytes(void* target, qsizetype size) {
        Need(size);
        if (size == 0) {
            return;  // an empty vector's data() may be null, which memcpy may not be given
        }
        std::memcpy(target, p_, size_t(size));
        p_ += size;
    }
    TFragment Fragment() {
        TFragment f;
        f.Text = Text();
        f.X.resize(qsizetype(Get<std::uint32_t>()));
        Bytes(f.X.data(), f.X.size() * qsizetype(sizeof(int)));
        f.FontName = FontName();
        f.Size = Get<double>();
        f.Colour = Colour();
        std::int32_t ints[3];
        Bytes(ints, sizeof ints);
        f.Charset = ints[0];
        f.TextHeight = ints[1];
        f.Descent = ints[2];
        const auto flags = Get<std::uint8_t>();
        f.Bold = flags & 1;
        f.Underline = flags & 2;
        f.Italic = flags & 4;
        f.Strikeout = flags & 8;
        return f;
    }
    void Line(TRadek& line) {
        std::int32_t ints[9];
        Bytes(ints, sizeof ints);
        line.CurrentFragment = ints[0];
        line.BreakX = ints[1];
        line.BreakCount = ints[2];
        line.BreakFragment = ints[3];
        line.BreakInFragment = ints[4];
        line.MinHeight = ints[5];
        line.Height = ints[6];
        line.Descent = ints[7];
        line.Offset = ints[8];
        const auto flags = Get<std::uint8_t>();
        line.HasBreak = flags & 1;
        line.Wrapped = flags & 2;
        line.FirstOfParagraph = flags & 4;
        const auto count = qsizetype(Get<std::uint32_t>());
        line.Fragments.reserve(count);
        for (qsizetype i = 0; i < count; ++i) {
            line.Fragments.append(Fragment());
        }
    }
    QImage Bitmap() {
        const auto format = QImage::Format(Get<std::int32_t>());
        const int width = Get<std::int32_t>();
        const int height = Get<std::int32_t>();
        const int dpmX = Get<std::int32_t>();
        const int dpmY = Get<std::int32_t>();
        QList<QRgb> table(qsizetype(Get<std::uint32_t>()));
        Bytes(table.data(), table.size() * qsizetype(sizeof(QRgb)));
        const auto row = qsizetype(Get<std::int64_t>());
        QImage image(width, height, format);
        if (!table.isEmpty()) {
            image.setColorTable(table);
        }
        image.setDotsPerMeterX(dpmX);
        image.setDotsPerMeterY(dpmY);
        for (int y = 0; y < height; ++y) {
            Bytes(image.scanLine(y), row);
        }
        return image;
    }
    std::unique_ptr<TVystPrvek> Element() {
        const auto* element = reinterpret_cast<const TLumexReportElement*>(Get<quintptr>());
        std::int32_t ints[6];
        Bytes(ints, sizeof ints);
        auto e = std::make_unique<TVystPrvek>(element, ints[0], ints[1], ints[2], ints[3]);
        e->FirstLine = ints[4];
        e->LastLine = ints[5];
        e->HasPicture = Get<std::uint8_t>() != 0;
        e->Text = Text();
        e->PictureFile = Text();
        if (Get<std::uint8_t>() == kBitmap) {
            e->Picture = std::make_unique<platform::Picture>(Bitmap());
        }
        const int lines = Get<std::int32_t>();
        if (lines >= 0) {
            e->Lines = std::make_unique<TRadky>();
            for (int i = 0; i < lines; ++i) {
                Line(e->Lines->Add());
            }
        }
        return e;
    }
    bool AtEnd() const { return p_ >= end_; }

  private:
    void Need(qsizetype size) const {
        if (size < 0 || end_ - p_ < size) {
            throw std::runtime_error("page record cut short");
        }
    }

    const char* p_;
    const char* end_;
    std::vector<QString> fontNames_;
};

std::unique_ptr<TVystPrvek> CopyElement(const TVystPrvek& e) {
    auto copy = std::make_unique<TVystPrvek>(e.Element, e.Left, e.Top, e.Width, e.Height);
    if (e.Lines) {
        copy->Lines = std::make_unique<TRadky>(*e.Lines);
    }
    copy->FirstLine = e.FirstLine;
    copy->LastLine = e.LastLine;
    copy->Text = e.Text;
    if (e.Picture) {
        copy->Picture = std::make_unique<platform::Picture>(*e.Picture);
    }
    copy->PictureFile = e.PictureFile;
    copy->HasPicture = e.HasPicture;
    return copy;
}

bool IsEncodable(const TVystPrvek& element) {
    return !element.Picture || element.Picture->IsEmpty() || element.Picture->IsBitmap();
}

void PageCodec::Encode(const TStranaPrvku& page, std::string& bytes,
                       const std::function<bool(const TVystPrvek&)>& keep) {
    Put(bytes, std::int32_t(page.Count()));
    for (int i = 0; i < page.Count(); ++i) {
        const TVystPrvek& element = page.Item(i);
        PutEntry(bytes, !IsEncodable(element) || (keep && keep(element)) ? nullptr : &element);
    }
}

void PageCodec::EncodeElements(const std::vector<std::unique_ptr<TVystPrvek>>& elements,
                               std::string& bytes) {
    Put(bytes, std::int32_t(elements.size()));
    for (const std::unique_ptr<TVystPrvek>& element : elements) {
        Q_ASSERT(!element || IsEncodable(*element));
        PutEntry(bytes, element.get());
    }
}

std::unique_ptr<TStranaPrvku> PageCodec::Decode(const char* data, qsizetype size,
                                                std::vector<std::unique_ptr<TVystPrvek>>& kept,
                                                bool copyKept) {
    Reader reader(data, size);
    auto page = std::make_unique<TStranaPrvku>();
    const int count = reader.Get<std::int32_t>();
    size_t next = 0;
    for (int i = 0; i < count; ++i) {
        if (reader.Get<std::uint8_t>() == kEncoded) {
            page->AppendInOrder(reader.Element());
        } else if (next < kept.size()) {
            page->AppendInOrder(copyKept ? CopyElement(*kept[next]) : std::move(kept[next]));
            ++next;
        }
    }
    if (!copyKept) {
        kept.clear();
    }
    return page;
}
