// Writing a vector picture as a placeable Windows metafile: the 22-byte
// placeable header (bounds in picture units, units per inch, checksum), the
// metafile header, and 16-bit records. Coordinates are 16-bit, so a picture
// larger than 32767 units is written at a coarser unit. Text is 8-bit: it is
// written in Windows-1250 with east-European fonts.
#include <cmath>

#include "platform/codepage1250.h"
#include "platform/paint/dib.h"
#include "platform/paint/hatch_patterns.h"
#include "platform/paint/little_endian.h"
#include "platform/paint/metafile_emitter.h"
#include "platform/paint/metafile_records.h"
#include "platform/paint/metafile_text.h"
#include "platform/paint/vector_picture.h"

namespace platform {

namespace {

constexpr int kPlaceableSize = 22;
constexpr int kMaxWord = 32767;
constexpr int kSymbolCharset = 2;
constexpr int kEastEuropeCharset = 238;

class WmfWriter final : public MetafileEmitter {
  public:
    explicit WmfWriter(const PictureContent& content)
        : MetafileEmitter(content),
          out_(bytes_),
          divisor_(qMax(1, (qMax(content.width, content.height) + kMaxWord - 1) / kMaxWord)) {}

    QByteArray Write() {
        WritePlaceableHeader();
        WriteMetaHeader();
        Record(wmf::kSetMapMode, {gdi::kMmAnisotropic});
        Record(wmf::kSetWindowOrg, {0, 0});
        Record(wmf::kSetWindowExt, {Scale(content_.height), Scale(content_.width)});
        Record(wmf::kSetPolyFillMode, {gdi::kAlternate});
        Record(wmf::kSetStretchBltMode, {gdi::kColorOnColor});
        Walk();
        if (clipSaved_) {
            RestoreDc();
        }
        for (int kind = 0; kind < 3; ++kind) {
            Drop(kind);
        }
        FlushDeletes();
        Record(wmf::kEof, {});
        const qsizetype metaStart = kPlaceableSize;
        out_.PatchU32(metaStart + 6, static_cast<quint32>((bytes_.size() - metaStart) / 2));
        out_.PatchU16(metaStart + 10, static_cast<quint16>(objectSlots_.size()));
        out_.PatchU32(metaStart + 12, maxRecordWords_);
        return bytes_;
    }

  private:
    qint16 Scale(int value) const {
        const long scaled =
            divisor_ == 1 ? value : std::lround(static_cast<double>(value) / divisor_);
        return static_cast<qint16>(qBound(-32768L, scaled, 32767L));
    }

    void WritePlaceableHeader() {
        const qint16 right = Scale(content_.width);
        const qint16 bottom = Scale(content_.height);
        const quint16 inch = static_cast<quint16>(
            qBound(1L, std::lround(static_cast<double>(content_.unitsPerInch) / divisor_), 65535L));
        out_.U32(wmf::kPlaceableKey);
        out_.U16(0);  // handle
        out_.I16(0);
        out_.I16(0);
        out_.I16(right);
        out_.I16(bottom);
        out_.U16(inch);
        out_.U32(0);
        // The checksum is the XOR of the ten 16-bit words before it.
        quint16 checksum = 0;
        for (int i = 0; i < 20; i += 2) {
            checksum ^= static_cast<quint16>(static_cast<quint8>(bytes_.at(i)) |
                                             (static_cast<quint8>(bytes_.at(i + 1)) << 8));
        }
        out_.U16(checksum);
    }

    void WriteMetaHeader() {
        out_.U16(1);  // in memory
        out_.U16(9);  // header size in words
        out_.U16(0x0300);
        out_.U32(0);  // size in words, patched
        out_.U16(0);  // number of objects, patched
        out_.U32(0);  // largest record in words, patched
        out_.U16(0);
    }

    qsizetype Begin(quint16 function) {
        const qsizetype start = out_.Size();
        out_.U32(0);
        out_.U16(function);
        return start;
    }
    void End(qsizetype start) {
        out_.PadTo(2);
        const quint32 words = static_cast<quint32>((out_.Size() - start) / 2);
        out_.PatchU32(start, words);
        maxRecordWords_ = qMax(maxRecordWords_, words);
    }
    // A record of 16-bit parameters, in the order the format stores them.
    void Record(quint16 function, std::initializer_list<int> words) {
        const qsizetype start = Begin(function);
        for (int word : words) {
            out_.U16(static_cast<quint16>(word));
        }
        End(start);
    }
    void RecordColor(quint16 function, quint32 colorRef) {
        const qsizetype start = Begin(function);
        out_.U32(colorRef);
        End(start);
    }

    // The object table: a new object takes the lowest free index.
    int NewObject() {
        int index = objectSlots_.indexOf(false);
        if (index < 0) {
            index = objectSlots_.size();
            objectSlots_.append(true);
        }
        objectSlots_[index] = true;
        return index;
    }
    void Delete(int index) {
        Record(wmf::kDeleteObject, {index});
        objectSlots_[index] = false;
    }
    // Objects selected at a save must outlive it: their deletion waits.
    void Drop(int kind) {
        if (current_[kind] < 0) {
            return;
        }
        pendingDeletes_.append(current_[kind]);
        current_[kind] = -1;
        if (!clipSaved_) {
            FlushDeletes();
        }
    }
    void FlushDeletes() {
        for (int index : pendingDeletes_) {
            Delete(index);
        }
        pendingDeletes_.clear();
    }
    // Writes a create record (`create` writes its parameters), selects the
    // new object and lets go of the one it replaces.
    template <typename Create>
    void Replace(int kind, quint16 function, Create create) {
        const qsizetype start = Begin(function);
        create();
        const int index = NewObject();
        End(start);
        Record(wmf::kSelectObject, {index});
        Drop(kind);
        current_[kind] = index;
    }

    void EmitPen(const Pen& pen) override {
        nullPen_ = false;
        Replace(0, wmf::kCreatePenIndirect, [&] {
            out_.U16(quint16(gdi::PenStyleCode(pen.style)));
            out_.I16(pen.width <= 0 ? 0 : qMax<qint16>(1, Scale(pen.width)));
            out_.I16(0);
            out_.U32(gdi::ColorRef(pen.color.rgb()));
        });
    }
    void EmitNullPen() override {
        if (nullPen_) {
            return;
        }
        nullPen_ = true;
        Replace(0, wmf::kCreatePenIndirect, [&] {
            out_.U16(gdi::kPsNull);
            out_.I16(0);
            out_.I16(0);
            out_.U32(0);
        });
    }
    void EmitBrush(const Brush& brush) override {
        const std::optional<Hatch> hatch =
            brush.style == BrushStyle::Pattern ? MatchHatch(brush.pattern) : std::nullopt;
        if (brush.style == BrushStyle::Pattern && !hatch) {
            const Dib dib = PatternDib(brush.pattern, brush.color, Qt::white);
            Replace(1, wmf::kDibCreatePatternBrush, [&] {
                out_.U16(5);  // BS_DIBPATTERN
                out_.U16(gdi::kDibRgbColors);
                out_.Bytes(dib.info);
                out_.Bytes(dib.bits);
            });
            return;
        }
        quint16 style = gdi::kBsSolid;
        if (brush.style == BrushStyle::None) {
            style = gdi::kBsNull;
        } else if (hatch) {
            style = gdi::kBsHatched;
        }
        Replace(1, wmf::kCreateBrushIndirect, [&] {
            out_.U16(style);
            out_.U32(gdi::ColorRef(brush.color.rgb()));
            out_.U16(hatch ? static_cast<quint16>(*hatch) : 0);
        });
    }
    void EmitFont(const PictureFont& font) override {
        Replace(2, wmf::kCreateFontIndirect, [&] {
            const double pixels = font.pixelSize / divisor_;
            out_.I16(static_cast<qint16>(-qBound(1L, std::lround(pixels), 32767L)));
            out_.I16(0);
            out_.I16(static_cast<qint16>(font.font.escapement));
            out_.I16(static_cast<qint16>(font.font.escapement));
            out_.I16(static_cast<qint16>(FontWeight(font.font)));
            out_.U8(font.font.italic ? 1 : 0);
            out_.U8(font.font.underline ? 1 : 0);
            out_.U8(font.font.strikeout ? 1 : 0);
            out_.U8(font.font.charset == kSymbolCharset ? kSymbolCharset : kEastEuropeCharset);
            out_.U8(4);  // OUT_TT_PRECIS
            out_.U8(0);
            out_.U8(0);
            out_.U8(font.font.fixedPitch ? 1 : 0);
            QByteArray face = ToCp1250(font.font.name.left(31));
            face.resize(32, '\0');
            out_.Bytes(face);
        });
    }
    void EmitTextColor(quint32 colorRef) override { RecordColor(wmf::kSetTextColor, colorRef); }
    void EmitBkColor(quint32 colorRef) override { RecordColor(wmf::kSetBkColor, colorRef); }
    void EmitBkMode(quint32 mode) override { Record(wmf::kSetBkMode, {static_cast<int>(mode)}); }
    void EmitTextAlign(quint32 align) override {
        Record(wmf::kSetTextAlign, {static_cast<int>(align)});
    }
    void EmitMoveTo(QPoint p) override { Record(wmf::kMoveTo, {Scale(p.y()), Scale(p.x())}); }
    void EmitLineTo(QPoint p) override { Record(wmf::kLineTo, {Scale(p.y()), Scale(p.x())}); }
    void EmitRectangle(int left, int top, int right, int bottom) override {
        Record(wmf::kRectangle, {Scale(bottom), Scale(right), Scale(top), Scale(left)});
    }
    void EmitRoundRect(int left, int top, int right, int bottom, int cw, int ch) override {
        Record(wmf::kRoundRect,
               {Scale(ch), Scale(cw), Scale(bottom), Scale(right), Scale(top), Scale(left)});
    }
    void EmitEllipse(int left, int top, int right, int bottom) override {
        Record(wmf::kEllipse, {Scale(bottom), Scale(right), Scale(top), Scale(left)});
    }
    void EmitPolygon(const QPolygon& points) override {
        const int count = qMin<qsizetype>(points.size(), kMaxWord);
        const qsizetype start = Begin(wmf::kPolygon);
        out_.I16(static_cast<qint16>(count));
        for (int i = 0; i < count; ++i) {
            out_.I16(Scale(points.at(i).x()));
            out_.I16(Scale(points.at(i).y()));
        }
        End(start);
    }
    void EmitPixel(QPoint p, quint32 colorRef) override {
        const qsizetype start = Begin(wmf::kSetPixel);
        out_.U32(colorRef);
        out_.I16(Scale(p.y()));
        out_.I16(Scale(p.x()));
        End(start);
    }
    void EmitText(QPoint p, const PictureFont& font, const QString& text,
                  const QVector<int>& advances) override {
        // One byte per character; a character the code page lacks becomes '?'
        // and a surrogate pair one byte with the advance of both units.
        QByteArray bytes;
        QVector<qint64> ends;  // running sum of advances at the end of each byte
        qint64 sum = 0;
        const bool symbol = font.font.charset == kSymbolCharset;
        for (int i = 0; i < text.size() && bytes.size() < kMaxWord; ++i) {
            const QChar c = text.at(i);
            sum += i < advances.size() ? advances.at(i) : 0;
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                ++i;
                sum += i < advances.size() ? advances.at(i) : 0;
                bytes.append('?');
            } else {
                unsigned char byte = '?';
                if (symbol) {
                    byte = static_cast<unsigned char>(c.unicode() & 0xFF);
                } else if (!UnicodeToCp1250(c.unicode(), &byte)) {
                    byte = '?';
                }
                bytes.append(static_cast<char>(byte));
            }
            ends.append(sum);
        }
        const qsizetype start = Begin(wmf::kExtTextOut);
        out_.I16(Scale(p.y()));
        out_.I16(Scale(p.x()));
        out_.I16(static_cast<qint16>(bytes.size()));
        out_.U16(0);  // options: no rectangle
        out_.Bytes(bytes);
        out_.PadTo(2);
        qint64 placed = 0;
        for (qint64 end : ends) {
            const qint64 scaled = std::llround(static_cast<double>(end) / divisor_);
            out_.I16(static_cast<qint16>(
                qBound<qint64>(qint64{-32768}, scaled - placed, qint64{32767})));
            placed = scaled;
        }
        End(start);
    }
    void EmitBitmap(const QRect& target, const QImage& image) override {
        QImage source = image;
        if (source.width() > kMaxWord || source.height() > kMaxWord) {
            source = source.scaled(qMin(source.width(), kMaxWord), qMin(source.height(), kMaxWord));
        }
        const Dib dib = DibFromImage(source);
        const qsizetype start = Begin(wmf::kStretchDib);
        out_.U32(wmf::kSrcCopy);
        out_.U16(gdi::kDibRgbColors);
        out_.I16(static_cast<qint16>(source.height()));
        out_.I16(static_cast<qint16>(source.width()));
        out_.I16(0);
        out_.I16(0);
        const int left = target.left();
        const int top = target.top();
        const int right = left + target.width();
        const int bottom = top + target.height();
        out_.I16(static_cast<qint16>(Scale(bottom) - Scale(top)));
        out_.I16(static_cast<qint16>(Scale(right) - Scale(left)));
        out_.I16(Scale(top));
        out_.I16(Scale(left));
        out_.Bytes(dib.info);
        out_.Bytes(dib.bits);
        End(start);
    }
    // Clipping is scoped by a saved device context: restoring it is the only
    // way back to no clip in this format.
    void EmitClip(int left, int top, int right, int bottom) override {
        if (clipSaved_) {
            RestoreDc();
        }
        Record(wmf::kSaveDc, {});
        clipSaved_ = true;
        Record(wmf::kIntersectClipRect, {Scale(bottom), Scale(right), Scale(top), Scale(left)});
    }
    void EmitClearClip() override {
        if (clipSaved_) {
            RestoreDc();
        }
    }
    void RestoreDc() {
        Record(wmf::kRestoreDc, {static_cast<quint16>(-1)});
        clipSaved_ = false;
        // The context is back to the objects of the save: select ours again.
        for (int index : current_) {
            if (index >= 0) {
                Record(wmf::kSelectObject, {index});
            }
        }
        FlushDeletes();
        ForgetDeviceState(false);
    }

    QByteArray bytes_;
    LittleEndianWriter out_;
    int divisor_;
    QVector<bool> objectSlots_;
    QVector<int> pendingDeletes_;
    int current_[3] = {-1, -1, -1};  // selected pen, brush, font
    bool nullPen_ = false;
    bool clipSaved_ = false;
    quint32 maxRecordWords_ = 0;
};

}  // namespace

QByteArray VectorPicture::ToWmf() const {
    return WmfWriter(content_).Write();
}

}  // namespace platform
