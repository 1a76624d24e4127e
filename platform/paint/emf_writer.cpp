// Writing a vector picture as an enhanced metafile. The reference device is
// described as having exactly the picture's units per inch (ten inches of
// device in 254 mm), so logical units in MM_TEXT are picture units.
#include <cmath>

#include "platform/paint/dib.h"
#include "platform/paint/hatch_patterns.h"
#include "platform/paint/little_endian.h"
#include "platform/paint/metafile_emitter.h"
#include "platform/paint/metafile_records.h"
#include "platform/paint/metafile_text.h"
#include "platform/paint/vector_picture.h"

namespace platform {

namespace {

constexpr int kHeaderSize = 108;
// Object slots: two per kind, used in turn, so a new object is created and
// selected before the one it replaces is deleted.
constexpr quint32 kPenSlots[2] = {1, 2};
constexpr quint32 kBrushSlots[2] = {3, 4};
constexpr quint32 kFontSlots[2] = {5, 6};
constexpr quint16 kHandleCount = 7;

bool FitsInt16(const QPolygon& points) {
    for (const QPoint& p : points) {
        if (p.x() < -32768 || p.x() > 32767 || p.y() < -32768 || p.y() > 32767) {
            return false;
        }
    }
    return true;
}

class EmfWriter final : public MetafileEmitter {
  public:
    explicit EmfWriter(const PictureContent& content) : MetafileEmitter(content), out_(bytes_) {}

    QByteArray Write() {
        WriteHeader();
        Walk();
        ReleaseObjects();
        WriteEof();
        out_.PatchU32(48, static_cast<quint32>(bytes_.size()));  // nBytes
        out_.PatchU32(52, records_);                             // nRecords
        return bytes_;
    }

  private:
    qsizetype Begin(quint32 type) {
        const qsizetype start = out_.Size();
        out_.U32(type);
        out_.U32(0);
        ++records_;
        return start;
    }
    void End(qsizetype start) {
        out_.PadTo(4);
        out_.PatchU32(start + 4, static_cast<quint32>(out_.Size() - start));
    }
    void Simple(quint32 type, std::initializer_list<qint32> values) {
        const qsizetype start = Begin(type);
        for (qint32 value : values) {
            out_.I32(value);
        }
        End(start);
    }
    void Rect(int left, int top, int right, int bottom) {
        out_.I32(left);
        out_.I32(top);
        out_.I32(right);
        out_.I32(bottom);
    }

    void WriteHeader() {
        const int upi = content_.unitsPerInch;
        const auto frame = [upi](int units) {
            return static_cast<qint32>(std::lround(units * 2540.0 / upi));
        };
        const qsizetype start = Begin(emf::kHeader);
        Rect(0, 0, content_.width - 1, content_.height - 1);        // bounds, device units
        Rect(0, 0, frame(content_.width), frame(content_.height));  // frame, 0.01 mm
        out_.U32(emf::kSignature);
        out_.U32(emf::kVersion);
        out_.U32(0);  // nBytes, patched
        out_.U32(0);  // nRecords, patched
        out_.U16(kHandleCount);
        out_.U16(0);
        out_.U32(0);  // no description
        out_.U32(0);
        out_.U32(0);         // no palette
        out_.I32(upi * 10);  // reference device: ten inches in pixels ...
        out_.I32(upi * 10);
        out_.I32(254);  // ... and in millimetres
        out_.I32(254);
        out_.U32(0);  // no pixel format
        out_.U32(0);
        out_.U32(0);       // no OpenGL
        out_.I32(254000);  // micrometres
        out_.I32(254000);
        End(start);
        Q_ASSERT(out_.Size() == kHeaderSize);
        Simple(emf::kSetMapMode, {static_cast<qint32>(gdi::kMmText)});
        Simple(emf::kSetPolyFillMode, {static_cast<qint32>(gdi::kAlternate)});
        Simple(emf::kSetStretchBltMode, {static_cast<qint32>(gdi::kColorOnColor)});
    }

    void WriteEof() {
        const qsizetype start = Begin(emf::kEof);
        out_.U32(0);   // no palette entries
        out_.U32(16);  // offset of the (empty) palette
        out_.U32(20);  // size of this record, repeated at its end
        End(start);
    }

    // Puts stock objects back and deletes ours.
    void ReleaseObjects() {
        Select(emf::kBlackPen);
        Select(emf::kWhiteBrush);
        Select(emf::kSystemFont);
        for (int kind = 0; kind < 3; ++kind) {
            if (current_[kind]) {
                Simple(emf::kDeleteObject, {static_cast<qint32>(*current_[kind])});
                current_[kind].reset();
            }
        }
    }

    void Select(quint32 handle) { Simple(emf::kSelectObject, {static_cast<qint32>(handle)}); }

    // Creates an object in the free slot of its kind with `create`, selects it
    // and deletes the object it replaces.
    template <typename Create>
    void Replace(int kind, const quint32 (&slotPair)[2], Create create) {
        const quint32 slot = current_[kind] == slotPair[0] ? slotPair[1] : slotPair[0];
        create(slot);
        Select(slot);
        DropCurrent(kind);
        current_[kind] = slot;
    }
    void DropCurrent(int kind) {
        if (current_[kind]) {
            Simple(emf::kDeleteObject, {static_cast<qint32>(*current_[kind])});
            current_[kind].reset();
        }
    }

    void EmitPen(const Pen& pen) override {
        Replace(0, kPenSlots, [&](quint32 slot) {
            const qsizetype start = Begin(emf::kCreatePen);
            out_.U32(slot);
            out_.U32(gdi::PenStyleCode(pen.style));
            out_.I32(qMax(0, pen.width));
            out_.I32(0);
            out_.U32(gdi::ColorRef(pen.color.rgb()));
            End(start);
        });
    }
    void EmitNullPen() override {
        Select(emf::kNullPen);
        DropCurrent(0);
    }
    void EmitBrush(const Brush& brush) override {
        if (brush.style == BrushStyle::None) {
            Select(emf::kNullBrush);
            DropCurrent(1);
            return;
        }
        Replace(1, kBrushSlots, [&](quint32 slot) { CreateBrush(slot, brush); });
    }
    void CreateBrush(quint32 slot, const Brush& brush) {
        const std::optional<Hatch> hatch =
            brush.style == BrushStyle::Pattern ? MatchHatch(brush.pattern) : std::nullopt;
        if (brush.style == BrushStyle::Solid || hatch) {
            const qsizetype start = Begin(emf::kCreateBrushIndirect);
            out_.U32(slot);
            out_.U32(hatch ? gdi::kBsHatched : gdi::kBsSolid);
            out_.U32(gdi::ColorRef(brush.color.rgb()));
            out_.U32(hatch ? static_cast<quint32>(*hatch) : 0);
            End(start);
            return;
        }
        // Any other pattern: a two-colour DIB, its clear pixels white.
        const Dib dib = PatternDib(brush.pattern, brush.color, Qt::white);
        const qsizetype start = Begin(emf::kCreateDibPatternBrushPt);
        const quint32 fixed = 32;
        out_.U32(slot);
        out_.U32(gdi::kDibRgbColors);
        out_.U32(fixed);
        out_.U32(static_cast<quint32>(dib.info.size()));
        out_.U32(fixed + static_cast<quint32>(dib.info.size()));
        out_.U32(static_cast<quint32>(dib.bits.size()));
        out_.Bytes(dib.info);
        out_.Bytes(dib.bits);
        End(start);
    }
    void EmitFont(const PictureFont& font) override {
        Replace(2, kFontSlots, [&](quint32 slot) {
            const qsizetype start = Begin(emf::kExtCreateFontIndirectW);
            out_.U32(slot);
            out_.I32(-qMax(1, static_cast<int>(std::lround(font.pixelSize))));  // em height
            out_.I32(0);
            out_.I32(font.font.escapement);
            out_.I32(font.font.escapement);
            out_.I32(FontWeight(font.font));
            out_.U8(font.font.italic ? 1 : 0);
            out_.U8(font.font.underline ? 1 : 0);
            out_.U8(font.font.strikeout ? 1 : 0);
            out_.U8(static_cast<quint8>(font.font.charset));
            out_.U8(4);                             // OUT_TT_PRECIS
            out_.U8(0);                             // CLIP_DEFAULT_PRECIS
            out_.U8(0);                             // DEFAULT_QUALITY
            out_.U8(font.font.fixedPitch ? 1 : 0);  // FIXED_PITCH or DEFAULT_PITCH
            const QString face = font.font.name.left(31);
            for (int i = 0; i < 32; ++i) {
                out_.U16(i < face.size() ? face.at(i).unicode() : 0);
            }
            End(start);
        });
    }
    void EmitTextColor(quint32 colorRef) override {
        Simple(emf::kSetTextColor, {static_cast<qint32>(colorRef)});
    }
    void EmitBkColor(quint32 colorRef) override {
        Simple(emf::kSetBkColor, {static_cast<qint32>(colorRef)});
    }
    void EmitBkMode(quint32 mode) override { Simple(emf::kSetBkMode, {static_cast<qint32>(mode)}); }
    void EmitTextAlign(quint32 align) override {
        Simple(emf::kSetTextAlign, {static_cast<qint32>(align)});
    }
    void EmitMoveTo(QPoint p) override { Simple(emf::kMoveToEx, {p.x(), p.y()}); }
    void EmitLineTo(QPoint p) override { Simple(emf::kLineTo, {p.x(), p.y()}); }
    void EmitRectangle(int left, int top, int right, int bottom) override {
        Simple(emf::kRectangle, {left, top, right, bottom});
    }
    void EmitRoundRect(int left, int top, int right, int bottom, int cw, int ch) override {
        Simple(emf::kRoundRect, {left, top, right, bottom, cw, ch});
    }
    void EmitEllipse(int left, int top, int right, int bottom) override {
        Simple(emf::kEllipse, {left, top, right, bottom});
    }
    void EmitPolygon(const QPolygon& points) override {
        const QRect bounds = points.boundingRect();
        const bool small = FitsInt16(points);
        const qsizetype start = Begin(small ? emf::kPolygon16 : emf::kPolygon);
        Rect(bounds.left(), bounds.top(), bounds.right(), bounds.bottom());
        out_.U32(static_cast<quint32>(points.size()));
        for (const QPoint& p : points) {
            if (small) {
                out_.I16(static_cast<qint16>(p.x()));
                out_.I16(static_cast<qint16>(p.y()));
            } else {
                out_.I32(p.x());
                out_.I32(p.y());
            }
        }
        End(start);
    }
    void EmitPixel(QPoint p, quint32 colorRef) override {
        Simple(emf::kSetPixelV, {p.x(), p.y(), static_cast<qint32>(colorRef)});
    }
    void EmitText(QPoint p, const PictureFont&, const QString& text,
                  const QVector<int>& advances) override {
        const qsizetype start = Begin(emf::kExtTextOutW);
        Rect(0, 0, -1, -1);  // bounds not computed
        out_.U32(1);         // GM_COMPATIBLE
        const float scale = static_cast<float>(2540.0 / content_.unitsPerInch);
        out_.F32(scale);
        out_.F32(scale);
        out_.I32(p.x());
        out_.I32(p.y());
        const quint32 count = static_cast<quint32>(text.size());
        const quint32 stringOffset = 76;
        const quint32 dxOffset = stringOffset + ((count * 2 + 3) / 4) * 4;
        out_.U32(count);
        out_.U32(stringOffset);
        out_.U32(0);  // options
        Rect(0, 0, -1, -1);
        out_.U32(dxOffset);
        for (QChar c : text) {
            out_.U16(c.unicode());
        }
        out_.PadTo(4);
        for (int i = 0; i < text.size(); ++i) {
            out_.I32(i < advances.size() ? advances.at(i) : 0);
        }
        End(start);
    }
    void EmitBitmap(const QRect& target, const QImage& image) override {
        const Dib dib = DibFromImage(image);
        const quint32 fixed = 80;
        const qsizetype start = Begin(emf::kStretchDiBits);
        Rect(target.left(), target.top(), target.right(), target.bottom());
        out_.I32(target.left());
        out_.I32(target.top());
        out_.I32(0);
        out_.I32(0);
        out_.I32(image.width());
        out_.I32(image.height());
        out_.U32(fixed);
        out_.U32(static_cast<quint32>(dib.info.size()));
        out_.U32(fixed + static_cast<quint32>(dib.info.size()));
        out_.U32(static_cast<quint32>(dib.bits.size()));
        out_.U32(gdi::kDibRgbColors);
        out_.U32(emf::kSrcCopy);
        out_.I32(target.width());
        out_.I32(target.height());
        out_.Bytes(dib.info);
        out_.Bytes(dib.bits);
        End(start);
    }
    void EmitClip(int left, int top, int right, int bottom) override {
        EmitClearClip();
        Simple(emf::kIntersectClipRect, {left, top, right, bottom});
    }
    void EmitClearClip() override {
        Simple(emf::kExtSelectClipRgn, {0, static_cast<qint32>(emf::kRgnCopy)});
    }

    QByteArray bytes_;
    LittleEndianWriter out_;
    quint32 records_ = 0;
    std::optional<quint32> current_[3];  // selected pen, brush, font slot
};

}  // namespace

QByteArray VectorPicture::ToEmf() const {
    return EmfWriter(content_).Write();
}

}  // namespace platform
