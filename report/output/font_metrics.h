#pragma once
// Device-independent font measuring. A font is resolved once per family and
// style through the system's font matching (fontconfig maps Arial, Times New
// Roman and Courier New to their metric-compatible faces) and its advances are
// read in design units, unhinted. Widths at any pixel size are derived from
// those, so the same text measures the same on a screen, an image or a
// printer. Faces and advances are cached for the life of the process: text
// layout measures every character of every report.
//
// Used from the user-interface thread only (as the whole report output is).

#include <QHash>
#include <QRawFont>
#include <QString>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

// One resolved face (family + bold + italic) with its design metrics.
class TFontFace {
  public:
    explicit TFontFace(const QRawFont& raw);

    // Advance of one UTF-16 code unit in design units (per em = UnitsPerEm()).
    float DesignAdvance(char16_t ch) {
        std::unique_ptr<Block>& block = blocks_[ch >> 8];
        if (!block) {
            block = LoadBlock(ch >> 8);
        }
        return block->advances[ch & 0xFF];
    }

    // Advance in whole pixels of a font whose em is `pixelSize` pixels.
    int Advance(char16_t ch, double pixelSize) {
        return int(std::lrint(DesignAdvance(ch) * pixelSize * emScale_));
    }

    // Cell height (ascent + descent), ascent and descent in whole pixels, as a
    // Windows text metric gives them: from the OS/2 table's win metrics when
    // the font has them.
    int Height(double pixelSize) const {
        return int(std::lrint(designHeight_ * pixelSize * emScale_));
    }
    int Ascent(double pixelSize) const {
        return int(std::lrint(designAscent_ * pixelSize * emScale_));
    }
    int Descent(double pixelSize) const { return Height(pixelSize) - Ascent(pixelSize); }

    int UnitsPerEm() const { return unitsPerEm_; }
    QString FamilyName() const { return raw_.familyName(); }
    QString StyleName() const { return raw_.styleName(); }

  private:
    struct Block {
        std::array<float, 256> advances;
    };
    std::unique_ptr<Block> LoadBlock(int high);

    QRawFont raw_;
    int unitsPerEm_ = 2048;
    double emScale_ = 1.0 / 2048;
    double designAscent_ = 0;
    double designHeight_ = 0;
    std::array<std::unique_ptr<Block>, 256> blocks_;
};

// The process-wide cache of faces.
class TFontFaceCache {
  public:
    static TFontFaceCache& Instance();

    // The face for a family name and style; never null (an unknown family
    // resolves to the system's fallback face, as any font request does).
    TFontFace* Face(const QString& family, bool bold, bool italic);

    // The family the system resolves `family` to (for "Arial" the installed
    // metric-compatible face, e.g. "Liberation Sans").
    QString ResolvedFamily(const QString& family);

  private:
    // Faces by resolved family and style: bounded by the installed fonts.
    QHash<QString, std::shared_ptr<TFontFace>> faces_;
    // Requested names to faces. Names come from templates and RTF texts; the
    // map is emptied when it grows large, faces stay.
    QHash<QString, TFontFace*> requests_;
};
