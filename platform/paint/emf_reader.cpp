// Reading an enhanced metafile back into a vector picture. Every record type
// the writer produces is understood, plus a few common ones (extended pens,
// polylines, saved device contexts); other records are skipped. Input comes
// from disk (spool files), so every size and offset is checked against the
// data before it is used, coordinates are kept in a range where no
// arithmetic can overflow, and bitmaps have a pixel budget for the whole file.
#include <QHash>
#include <QStack>

#include <cmath>
#include <variant>

#include "platform/paint/dib.h"
#include "platform/paint/font_faces.h"
#include "platform/paint/hatch_patterns.h"
#include "platform/paint/little_endian.h"
#include "platform/paint/metafile_records.h"
#include "platform/paint/vector_picture.h"

namespace platform {

namespace {

constexpr qint32 kMaxCoordinate = 1 << 26;
constexpr qint64 kMaxPictureUnits = 1000000;  // per side
constexpr quint32 kMaxHandles = 65536;
constexpr int kMaxSavedStates = 1024;
constexpr int kHeaderMinimum = 88;
constexpr qint32 kMaxPenWidth = 32767;

qint32 Coordinate(qint32 value) {
    return qBound(-kMaxCoordinate, value, kMaxCoordinate);
}

struct FontObject {
    Font font;
    double pixelSize;
};
using GdiObject = std::variant<Pen, Brush, FontObject>;

struct DeviceState {
    Pen pen;
    Brush brush;
    FontObject font;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    bool transparent = false;
    quint32 textAlign = gdi::kTaTop;
    std::optional<QRect> clip;
};

class EmfReader {
  public:
    EmfReader(const QByteArray& bytes, QString* error) : bytes_(bytes), error_(error) {}

    bool Read(VectorPicture& result) {
        if (!ReadHeader()) {
            return false;
        }
        VectorPicture picture(width_, height_, unitsPerInch_);
        picture_ = &picture;
        state_.font = FontObject{Font(), FontPixelSize(Font().size, unitsPerInch_)};
        if (!ReadRecords()) {
            return false;
        }
        result = picture;
        return true;
    }

  private:
    bool Fail(const QString& reason) {
        if (error_) {
            *error_ = reason;
        }
        return false;
    }

    bool ReadHeader() {
        LittleEndianReader in(bytes_.constData(), bytes_.size());
        const quint32 type = in.U32();
        const quint32 size = in.U32();
        if (!in.Ok() || type != emf::kHeader || size < kHeaderMinimum || size % 4 != 0 ||
            size > static_cast<quint32>(bytes_.size())) {
            return Fail(QStringLiteral("not an enhanced metafile (bad header record)"));
        }
        qint32 bounds[4];
        qint32 frame[4];
        for (qint32& v : bounds) {
            v = in.I32();
        }
        for (qint32& v : frame) {
            v = in.I32();
        }
        const quint32 signature = in.U32();
        in.U32();  // version
        const quint32 totalBytes = in.U32();
        in.U32();  // record count
        handleLimit_ = qMin<quint32>(in.U16(), kMaxHandles);
        in.Skip(2 + 4 + 4 + 4);
        const qint32 devicePixels = in.I32();
        in.I32();
        const qint32 deviceMillimetres = in.I32();
        if (!in.Ok() || signature != emf::kSignature) {
            return Fail(QStringLiteral("not an enhanced metafile (bad signature)"));
        }
        if (totalBytes > static_cast<quint32>(bytes_.size())) {
            return Fail(QStringLiteral("the metafile is truncated"));
        }
        if (totalBytes < size) {
            return Fail(QStringLiteral("the metafile's size field is wrong"));
        }
        limit_ = totalBytes;
        headerSize_ = size;
        unitsPerInch_ = 96;
        if (devicePixels > 0 && deviceMillimetres > 0 && devicePixels <= kMaxCoordinate &&
            deviceMillimetres <= kMaxCoordinate) {
            const double ppi = devicePixels * 25.4 / deviceMillimetres;
            unitsPerInch_ = qBound(1, static_cast<int>(std::lround(ppi)), 100000);
        }
        return PictureSize(bounds, frame);
    }

    // The picture's size comes from the frame (0.01 mm) when it has one,
    // otherwise from the bounds (device units).
    bool PictureSize(const qint32 (&bounds)[4], const qint32 (&frame)[4]) {
        const qint64 frameWidth = static_cast<qint64>(frame[2]) - frame[0];
        const qint64 frameHeight = static_cast<qint64>(frame[3]) - frame[1];
        qint64 width;
        qint64 height;
        if (frameWidth > 0 && frameHeight > 0) {
            width = std::llround(frameWidth * (unitsPerInch_ / 2540.0));
            height = std::llround(frameHeight * (unitsPerInch_ / 2540.0));
            originX_ = static_cast<qint32>(
                qBound<qint64>(-static_cast<qint64>(kMaxCoordinate),
                               std::llround(frame[0] * (unitsPerInch_ / 2540.0)),
                               static_cast<qint64>(kMaxCoordinate)));
            originY_ = static_cast<qint32>(
                qBound<qint64>(-static_cast<qint64>(kMaxCoordinate),
                               std::llround(frame[1] * (unitsPerInch_ / 2540.0)),
                               static_cast<qint64>(kMaxCoordinate)));
        } else {
            width = static_cast<qint64>(bounds[2]) - bounds[0] + 1;
            height = static_cast<qint64>(bounds[3]) - bounds[1] + 1;
            originX_ = Coordinate(bounds[0]);
            originY_ = Coordinate(bounds[1]);
        }
        if (width <= 0 || height <= 0 || width > kMaxPictureUnits || height > kMaxPictureUnits) {
            return Fail(QStringLiteral("the metafile's dimensions are out of range"));
        }
        width_ = static_cast<int>(width);
        height_ = static_cast<int>(height);
        return true;
    }

    bool ReadRecords() {
        qsizetype position = headerSize_;
        while (position + 8 <= limit_) {
            LittleEndianReader head(bytes_.constData() + position, 8);
            const quint32 type = head.U32();
            const quint32 size = head.U32();
            if (size < 8 || size % 4 != 0 || size > limit_ - position) {
                return Fail(
                    QStringLiteral("the metafile record at byte %1 has a bad size").arg(position));
            }
            if (type == emf::kEof) {
                return true;
            }
            recordStart_ = bytes_.constData() + position;
            LittleEndianReader record(recordStart_, size);
            record.Skip(8);
            if (!Dispatch(type, record, size)) {
                return false;
            }
            position += size;
        }
        return Fail(QStringLiteral("the metafile is truncated (no end record)"));
    }

    QPoint ReadPoint(LittleEndianReader& in) {
        const qint32 x = in.I32();
        const qint32 y = in.I32();
        return QPoint(Coordinate(x) - originX_, Coordinate(y) - originY_);
    }

    // A GDI rectangle (right and bottom exclusive) as a QRect.
    QRect ReadBox(LittleEndianReader& in) {
        qint32 left = Coordinate(in.I32()) - originX_;
        qint32 top = Coordinate(in.I32()) - originY_;
        qint32 right = Coordinate(in.I32()) - originX_;
        qint32 bottom = Coordinate(in.I32()) - originY_;
        if (right < left) {
            std::swap(left, right);
        }
        if (bottom < top) {
            std::swap(top, bottom);
        }
        return QRect(left, top, right - left, bottom - top);
    }

    bool Dispatch(quint32 type, LittleEndianReader& in, quint32 size) {
        switch (type) {
            case emf::kCreatePen:
                CreatePen(in);
                break;
            case emf::kExtCreatePen:
                ExtCreatePen(in);
                break;
            case emf::kCreateBrushIndirect:
                CreateBrush(in);
                break;
            case emf::kCreateDibPatternBrushPt:
                CreatePatternBrush(in, size);
                break;
            case emf::kExtCreateFontIndirectW:
                CreateFont(in);
                break;
            case emf::kSelectObject:
                SelectObject(in.U32());
                break;
            case emf::kDeleteObject:
                objects_.remove(in.U32());
                break;
            case emf::kSetTextColor:
                state_.textColor = QColor::fromRgb(gdi::RgbFromColorRef(in.U32()));
                break;
            case emf::kSetBkColor:
                state_.bkColor = QColor::fromRgb(gdi::RgbFromColorRef(in.U32()));
                break;
            case emf::kSetBkMode:
                state_.transparent = in.U32() == gdi::kTransparent;
                break;
            case emf::kSetTextAlign:
                state_.textAlign = in.U32();
                break;
            case emf::kSaveDc:
                if (saved_.size() < kMaxSavedStates) {
                    saved_.push(state_);
                }
                break;
            case emf::kRestoreDc:
                RestoreDc(in.I32());
                break;
            default:
                return DispatchDrawing(type, in, size);
        }
        return true;
    }

    bool DispatchDrawing(quint32 type, LittleEndianReader& in, quint32 size) {
        switch (type) {
            case emf::kMoveToEx:
                picture_->MoveTo(ReadPoint(in));
                break;
            case emf::kLineTo: {
                const QPoint point = ReadPoint(in);
                if (in.Ok()) {
                    picture_->LineTo(point);
                }
                break;
            }
            case emf::kRectangle:
            case emf::kEllipse:
            case emf::kRoundRect:
                Shape(type, in);
                break;
            case emf::kPolygon16:
            case emf::kPolygon:
            case emf::kPolyline16:
            case emf::kPolyline:
                Poly(type, in, size);
                break;
            case emf::kSetPixelV: {
                const QPoint point = ReadPoint(in);
                const quint32 colour = in.U32();
                if (in.Ok()) {
                    picture_->SetPixel(point, QColor::fromRgb(gdi::RgbFromColorRef(colour)));
                }
                break;
            }
            case emf::kExtTextOutW:
                Text(in, size);
                break;
            case emf::kStretchDiBits:
                return Bitmap(in, size);
            case emf::kIntersectClipRect: {
                const QRect box = ReadBox(in);
                if (in.Ok()) {
                    state_.clip = state_.clip ? (*state_.clip & box) : box;
                    picture_->SetClipRect(*state_.clip);
                }
                break;
            }
            case emf::kExtSelectClipRgn:
                ClipRegion(in);
                break;
            default:
                break;  // not needed for our pictures: skipped
        }
        return true;
    }

    void Store(quint32 handle, const GdiObject& object) {
        if (handle > 0 && handle < handleLimit_) {
            objects_.insert(handle, object);
        }
    }

    static PenStyle PenStyleFrom(quint32 code) {
        switch (code & 0xF) {
            case gdi::kPsDash:
                return PenStyle::Dash;
            case gdi::kPsDot:
                return PenStyle::Dot;
            case gdi::kPsDashDot:
            case 4:  // dash-dot-dot
                return PenStyle::DashDot;
            case gdi::kPsNull:
                return PenStyle::None;
            default:
                return PenStyle::Solid;
        }
    }

    void CreatePen(LittleEndianReader& in) {
        const quint32 handle = in.U32();
        const quint32 style = in.U32();
        const qint32 width = in.I32();
        in.I32();
        const quint32 colour = in.U32();
        if (in.Ok()) {
            Store(handle, Pen{QColor::fromRgb(gdi::RgbFromColorRef(colour)), PenStyleFrom(style),
                              qBound(0, width, kMaxPenWidth)});
        }
    }

    void ExtCreatePen(LittleEndianReader& in) {
        const quint32 handle = in.U32();
        in.Skip(16);  // the pattern bitmap, not used
        const quint32 style = in.U32();
        const quint32 width = in.U32();
        in.U32();  // brush style
        const quint32 colour = in.U32();
        if (in.Ok()) {
            Store(handle, Pen{QColor::fromRgb(gdi::RgbFromColorRef(colour)), PenStyleFrom(style),
                              static_cast<int>(qMin<quint32>(width, kMaxPenWidth))});
        }
    }

    void CreateBrush(LittleEndianReader& in) {
        const quint32 handle = in.U32();
        const quint32 style = in.U32();
        const quint32 colour = in.U32();
        const quint32 hatch = in.U32();
        if (!in.Ok()) {
            return;
        }
        Brush brush;
        brush.color = QColor::fromRgb(gdi::RgbFromColorRef(colour));
        if (style == gdi::kBsNull) {
            brush.style = BrushStyle::None;
        } else if (style == gdi::kBsHatched &&
                   hatch <= static_cast<quint32>(Hatch::DiagonalCross)) {
            brush.style = BrushStyle::Pattern;
            brush.pattern = HatchPattern(static_cast<Hatch>(hatch));
        }
        Store(handle, brush);
    }

    // A DIB pattern: the non-white pixels are the set ones, painted in the
    // colour of the first of them.
    void CreatePatternBrush(LittleEndianReader& in, quint32 size) {
        const quint32 handle = in.U32();
        in.U32();  // colour usage
        const quint32 infoOffset = in.U32();
        const quint32 infoSize = in.U32();
        const quint32 bitsOffset = in.U32();
        const quint32 bitsSize = in.U32();
        QImage image;
        if (!in.Ok() || !DecodeDib(infoOffset, infoSize, bitsOffset, bitsSize, size, &image)) {
            return;
        }
        Brush brush;
        brush.style = BrushStyle::Pattern;
        brush.color = Qt::black;
        QImage pattern(8, 8, QImage::Format_Mono);
        pattern.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        pattern.fill(0);
        bool colourTaken = false;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const QRgb pixel = image.pixel(x % image.width(), y % image.height());
                if ((pixel & 0xFFFFFF) != 0xFFFFFF) {
                    pattern.setPixel(x, y, 1);
                    if (!colourTaken) {
                        brush.color = QColor::fromRgb(pixel);
                        colourTaken = true;
                    }
                }
            }
        }
        brush.pattern = pattern;
        Store(handle, brush);
    }

    void CreateFont(LittleEndianReader& in) {
        const quint32 handle = in.U32();
        const qint32 height = in.I32();
        in.I32();  // width
        const qint32 escapement = in.I32();
        in.I32();  // orientation
        const qint32 weight = in.I32();
        const quint8 italic = in.U8();
        const quint8 underline = in.U8();
        const quint8 strikeout = in.U8();
        const quint8 charset = in.U8();
        in.Skip(3);
        const quint8 pitch = in.U8();
        QString name;
        for (int i = 0; i < 32; ++i) {
            const quint16 unit = in.U16();
            if (unit == 0) {
                break;
            }
            name.append(QChar(unit));
        }
        if (!in.Ok()) {
            return;
        }
        Font font;
        font.name = name.isEmpty() ? Font().name : name;
        font.bold = weight >= 600;
        font.italic = italic != 0;
        font.underline = underline != 0;
        font.strikeout = strikeout != 0;
        font.charset = charset;
        font.fixedPitch = (pitch & 3) == 1;
        font.escapement = qBound(-3600, escapement, 3600);
        // A negative height is the em height; a positive one the cell height.
        // No font is taller than a few times the picture: larger ones come
        // from damaged files and would only make drawing slow.
        const double largest = 4.0 * qMax(width_, height_) + 1.0;
        const double magnitude = qMin(std::abs(static_cast<double>(height)), largest);
        double pixels = magnitude;
        if (height > 0) {
            const QRawFont face = FaceFor(font, 100.0);
            const double cell = face.ascent() + face.descent();
            pixels = cell > 0 ? magnitude * 100.0 / cell : magnitude;
        }
        if (height == 0) {
            pixels = FontPixelSize(Font().size, unitsPerInch_);
        }
        Store(handle, FontObject{font, pixels});
    }

    void SelectObject(quint32 handle) {
        if (handle & emf::kStockObject) {
            SelectStock(handle & ~emf::kStockObject);
            return;
        }
        auto found = objects_.constFind(handle);
        if (found == objects_.constEnd()) {
            return;
        }
        if (const Pen* pen = std::get_if<Pen>(&*found)) {
            state_.pen = *pen;
            picture_->SetPen(*pen);
        } else if (const Brush* brush = std::get_if<Brush>(&*found)) {
            state_.brush = *brush;
            picture_->SetBrush(*brush);
        } else if (const FontObject* font = std::get_if<FontObject>(&*found)) {
            state_.font = *font;
        }
    }

    void SelectStock(quint32 index) {
        static const int kGreys[] = {255, 192, 128, 64, 0};
        if (index <= 4) {
            state_.brush =
                Brush{QColor(kGreys[index], kGreys[index], kGreys[index]), BrushStyle::Solid, {}};
        } else if (index == 5) {
            state_.brush = Brush{Qt::white, BrushStyle::None, {}};
        } else if (index == 6 || index == 7) {
            state_.pen = Pen{index == 6 ? Qt::white : Qt::black, PenStyle::Solid, 0};
        } else if (index == 8) {
            state_.pen = Pen{Qt::black, PenStyle::None, 0};
        } else if (index >= 10 && index <= 17) {
            state_.font = FontObject{Font(), FontPixelSize(Font().size, unitsPerInch_)};
            return;
        } else {
            return;
        }
        picture_->SetPen(state_.pen);
        picture_->SetBrush(state_.brush);
    }

    void RestoreDc(qint32 which) {
        // -n restores the n-th most recent save; a positive n the n-th save.
        const qint64 index = which < 0 ? saved_.size() + static_cast<qint64>(which) : which - 1;
        if (index < 0 || index >= saved_.size()) {
            return;
        }
        state_ = saved_.at(index);
        saved_.resize(index);
        picture_->SetPen(state_.pen);
        picture_->SetBrush(state_.brush);
        if (state_.clip) {
            picture_->SetClipRect(*state_.clip);
        } else {
            picture_->ClearClip();
        }
    }

    void ClipRegion(LittleEndianReader& in) {
        const quint32 dataSize = in.U32();
        const quint32 mode = in.U32();
        // Only the reset (copy of no region) is written by us; a region with
        // data is approximated by its bounding rectangle.
        if (!in.Ok() || mode != emf::kRgnCopy) {
            return;
        }
        if (dataSize == 0) {
            state_.clip.reset();
            picture_->ClearClip();
            return;
        }
        in.Skip(16 + 8);  // region header up to its bounds
        const QRect box = ReadBox(in);
        if (in.Ok()) {
            state_.clip = box;
            picture_->SetClipRect(box);
        }
    }

    void Shape(quint32 type, LittleEndianReader& in) {
        const QRect box = ReadBox(in);
        if (type == emf::kRoundRect) {
            const qint32 cornerWidth = Coordinate(in.I32());
            const qint32 cornerHeight = Coordinate(in.I32());
            if (in.Ok()) {
                picture_->RoundRect(box, cornerWidth, cornerHeight);
            }
            return;
        }
        if (!in.Ok()) {
            return;
        }
        if (type == emf::kRectangle) {
            picture_->Rectangle(box);
        } else {
            picture_->Ellipse(box);
        }
    }

    void Poly(quint32 type, LittleEndianReader& in, quint32 size) {
        in.Skip(16);  // bounds
        const quint32 count = in.U32();
        const bool small = type == emf::kPolygon16 || type == emf::kPolyline16;
        const qint64 needed = 28 + static_cast<qint64>(count) * (small ? 4 : 8);
        if (!in.Ok() || count < 2 || needed > size) {
            return;
        }
        QPolygon points(static_cast<int>(count));
        for (quint32 i = 0; i < count; ++i) {
            const qint32 x = small ? in.I16() : Coordinate(in.I32());
            const qint32 y = small ? in.I16() : Coordinate(in.I32());
            points[static_cast<int>(i)] = QPoint(x - originX_, y - originY_);
        }
        if (type == emf::kPolygon16 || type == emf::kPolygon) {
            picture_->Polygon(points);
            return;
        }
        picture_->MoveTo(points.first());
        for (int i = 1; i < points.size(); ++i) {
            picture_->LineTo(points.at(i));
        }
    }

    void Text(LittleEndianReader& in, quint32 size) {
        in.Skip(16 + 4 + 8);  // bounds, graphics mode, scales
        QPoint point = ReadPoint(in);
        const quint32 count = in.U32();
        const quint32 stringOffset = in.U32();
        const quint32 options = in.U32();
        in.Skip(16);
        const quint32 dxOffset = in.U32();
        if (!in.Ok() || count == 0 || (options & gdi::kEtoGlyphIndex)) {
            return;  // glyph indexes cannot be turned back into text
        }
        if (stringOffset < 8 || static_cast<qint64>(stringOffset) + 2LL * count > size) {
            return;
        }
        QString text(static_cast<qsizetype>(count), Qt::Uninitialized);
        in.Seek(stringOffset);
        for (quint32 i = 0; i < count; ++i) {
            text[static_cast<qsizetype>(i)] = QChar(in.U16());
        }
        const int perChar = (options & gdi::kEtoPdy) ? 2 : 1;
        QVector<int> advances;
        const bool hasDx =
            dxOffset >= 8 && static_cast<qint64>(dxOffset) + 4LL * perChar * count <= size;
        if (hasDx) {
            advances.resize(static_cast<qsizetype>(count));
            in.Seek(dxOffset);
            for (quint32 i = 0; i < count; ++i) {
                advances[static_cast<qsizetype>(i)] = Coordinate(in.I32());
                if (perChar == 2) {
                    in.I32();
                }
            }
        }
        if (!in.Ok()) {
            return;
        }
        DrawText(point, text, hasDx ? &advances : nullptr);
    }

    void DrawText(QPoint point, const QString& text, const QVector<int>* advances) {
        Font font = state_.font.font;
        font.color = state_.textColor;
        font.size = state_.font.pixelSize * 72.0 / picture_->PixelsPerInch();
        picture_->SetFont(font);
        picture_->SetBaselineAlignment((state_.textAlign & gdi::kTaBaseline) == gdi::kTaBaseline ||
                                       (state_.textAlign & 8) != 0);
        picture_->SetTransparentText(state_.transparent);
        // Right and centre alignment move the start back by the text's width.
        const quint32 horizontal = state_.textAlign & 6;
        if (horizontal != 0) {
            qint64 width = 0;
            if (advances) {
                for (int advance : *advances) {
                    width += advance;
                }
            } else {
                width = picture_->TextWidth(text);
            }
            width = horizontal == 6 ? width / 2 : width;
            point.rx() = Coordinate(static_cast<qint32>(
                qBound<qint64>(-static_cast<qint64>(kMaxCoordinate), point.x() - width,
                               static_cast<qint64>(kMaxCoordinate))));
        }
        const bool otherBackground = !state_.transparent && state_.bkColor != state_.brush.color;
        if (otherBackground) {
            picture_->SetBrush(Brush{state_.bkColor, BrushStyle::Solid, {}});
        }
        if (advances) {
            picture_->ExtTextOut(point, text, *advances);
        } else {
            picture_->TextOut(point, text);
        }
        if (otherBackground) {
            picture_->SetBrush(state_.brush);
        }
    }

    // Decodes the DIB at the given offsets of the current record, within what
    // is left of the file's pixel budget (checked before anything is
    // allocated).
    bool DecodeDib(quint32 infoOffset, quint32 infoSize, quint32 bitsOffset, quint32 bitsSize,
                   quint32 size, QImage* image) {
        if (infoOffset < 8 || infoSize < 16 || static_cast<qint64>(infoOffset) + infoSize > size ||
            bitsOffset < 8 || static_cast<qint64>(bitsOffset) + bitsSize > size) {
            return false;
        }
        LittleEndianReader header(recordStart_ + infoOffset, infoSize);
        header.Skip(4);
        const qint64 width = qAbs(static_cast<qint64>(header.I32()));
        const qint64 height = qAbs(static_cast<qint64>(header.I32()));
        if (!header.Ok() || width * height > pixelBudget_) {
            overBudget_ = header.Ok();
            return false;
        }
        QString reason;
        *image = ImageFromDib(recordStart_ + infoOffset, infoSize, recordStart_ + bitsOffset,
                              bitsSize, &reason);
        if (image->isNull()) {
            return false;
        }
        pixelBudget_ -= static_cast<qint64>(image->width()) * image->height();
        return true;
    }

    bool Bitmap(LittleEndianReader& in, quint32 size) {
        in.Skip(16);  // bounds
        const qint32 x = Coordinate(in.I32()) - originX_;
        const qint32 y = Coordinate(in.I32()) - originY_;
        in.Skip(16);  // source rectangle: the whole bitmap is drawn
        const quint32 infoOffset = in.U32();
        const quint32 infoSize = in.U32();
        const quint32 bitsOffset = in.U32();
        const quint32 bitsSize = in.U32();
        in.U32();  // usage
        in.U32();  // raster operation
        const qint32 width = Coordinate(in.I32());
        const qint32 height = Coordinate(in.I32());
        if (!in.Ok()) {
            return true;
        }
        QImage image;
        if (DecodeDib(infoOffset, infoSize, bitsOffset, bitsSize, size, &image)) {
            picture_->StretchBitmap(QRect(x, y, width, height).normalized(), image);
        }
        if (overBudget_) {
            return Fail(QStringLiteral("the metafile's bitmaps are too large"));
        }
        return true;
    }

    const QByteArray& bytes_;
    QString* error_;
    VectorPicture* picture_ = nullptr;
    qsizetype limit_ = 0;
    quint32 headerSize_ = 0;
    quint32 handleLimit_ = 0;
    int unitsPerInch_ = 96;
    int width_ = 0;
    int height_ = 0;
    qint32 originX_ = 0;
    qint32 originY_ = 0;
    qint64 pixelBudget_ = kMaxDibPixels;
    bool overBudget_ = false;
    const char* recordStart_ = nullptr;
    QHash<quint32, GdiObject> objects_;
    DeviceState state_;
    QStack<DeviceState> saved_;
};

}  // namespace

bool VectorPicture::LoadEmf(const QByteArray& bytes, QString* error) {
    VectorPicture loaded;
    if (!EmfReader(bytes, error).Read(loaded)) {
        return false;
    }
    *this = loaded;
    return true;
}

}  // namespace platform
