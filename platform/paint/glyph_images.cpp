#include "platform/paint/glyph_images.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace platform {

struct GlyphTable {
    QHash<quint32, GlyphImage> glyphs;
};

namespace {

// All tables together stay below this many bytes of images; beyond it they
// are emptied and refilled as drawing goes on.
constexpr qint64 kBudgetBytes = 64LL * 1024 * 1024;

struct Store {
    QHash<QString, GlyphTable> tables;
    qint64 bytes = 0;
};

Store& TheStore() {
    static Store store;
    return store;
}

GlyphImage Render(const QRawFont& face, quint32 glyph, QRgb colour) {
    const QPainterPath path = face.pathForGlyph(glyph);
    if (path.isEmpty()) {
        return {};
    }
    const QRectF bounds = path.boundingRect();
    const QPoint offset(static_cast<int>(std::floor(bounds.left())),
                        static_cast<int>(std::floor(bounds.top())));
    const QSize size(static_cast<int>(std::ceil(bounds.right())) - offset.x() + 1,
                     static_cast<int>(std::ceil(bounds.bottom())) - offset.y() + 1);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(-offset);
    painter.fillPath(path, QColor::fromRgba(colour));
    painter.end();
    return GlyphImage{image, offset};
}

}  // namespace

GlyphImages::GlyphImages(const Font& font, double pixelSize, const QRawFont& face, QRgb colour)
    : face_(face), colour_(colour) {
    const QString key = font.name + QLatin1Char('|') + QChar(font.bold ? 'b' : '-') +
                        QChar(font.italic ? 'i' : '-') + QChar(font.fixedPitch ? 'f' : '-') +
                        QString::number(std::llround(pixelSize * 64.0)) + QLatin1Char('|') +
                        QString::number(colour, 16);
    Store& store = TheStore();
    if (store.bytes > kBudgetBytes) {
        store.tables.clear();
        store.bytes = 0;
    }
    table_ = &store.tables[key];
}

const GlyphImage& GlyphImages::Get(quint32 glyph) {
    auto found = table_->glyphs.constFind(glyph);
    if (found != table_->glyphs.constEnd()) {
        return *found;
    }
    GlyphImage rendered = Render(face_, glyph, colour_);
    TheStore().bytes += rendered.image.sizeInBytes() + 64;
    return *table_->glyphs.insert(glyph, rendered);
}

}  // namespace platform
