#include "report/model/lumex_element.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <limits>

namespace {

QChar Digit(QStringView text) {
    return text.isEmpty() ? QChar() : text[0];
}

bool StartsWithDigit(QStringView text) {
    const QChar first = Digit(text);
    return first >= u'0' && first <= u'9';
}

// Font names written with a script suffix by older systems, and the character
// set each suffix stands for, in the order they are tested.
struct ScriptSuffix {
    const char16_t* suffix;
    int charset;
};
constexpr std::array<ScriptSuffix, 5> kScriptSuffixes = {{
    {u" CE", csEastEurope},
    {u" Greek", csGreek},
    {u" TUR", csTurkish},
    {u" Baltic", csBaltic},
    {u" CYR", csCyrillic},
}};

// A negative size is a character height in hundredths of an inch.
int FontSizeFromTemplate(int size) {
    if (size >= 0) {
        return size;
    }
    return static_cast<int>(-static_cast<qint64>(size) * 72 / 100);
}

// A picture list that is one plain file name: no quoted items, references,
// expressions or further items.
bool IsPlainFileName(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    const QChar first = text[0];
    if (first == u'#' || first == u'&' || first == u'@') {
        return false;
    }
    return !text.contains(u',') && !text.contains(u'\'') && !text.contains(u'[');
}

QString FileNamePart(const QString& path) {
    qsizetype cut = -1;
    for (qsizetype pos = path.size() - 1; pos >= 0; --pos) {
        const QChar c = path[pos];
        if (c == u'\\' || c == u'/' || c == u':') {
            cut = pos;
            break;
        }
    }
    return path.mid(cut + 1);
}

}  // namespace

platform::Font TElementFont::CanvasFont() const {
    platform::Font canvasFont;
    canvasFont.name = name;
    canvasFont.size = size;
    canvasFont.bold = (style & fsBold) != 0;
    canvasFont.italic = (style & fsItalic) != 0;
    canvasFont.underline = (style & fsUnderline) != 0;
    canvasFont.strikeout = (style & fsStrikeout) != 0;
    canvasFont.charset = charset;
    canvasFont.color = TemplateQColor(color);
    return canvasFont;
}

QColor TemplateQColor(int rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TLumexReportElement::TLumexReportElement(TElementHost* host) : host_(host) {}

int TLumexReportElement::EffectiveAlignment() const {
    if (textFlags & tfJustify) {
        return eaJustify;
    }
    return alignment & 3;
}

bool TLumexReportElement::VariableHeight() const {
    if (IsText()) {
        return (textFlags & tfVariableHeight) != 0;
    }
    return kind == ekPaintBox && (frameFlags & ffPaintBoxVariableHeight) != 0;
}

void TLumexReportElement::CopyLayout(const TLumexReportElement& other) {
    kind = other.kind;
    source = other.source;
    sourceName = other.sourceName;
    missingSource = other.missingSource;
    left = other.left;
    top = other.top;
    width = other.width;
    height = other.height;
    font = other.font;
    alignment = other.alignment;
    textFlags = other.textFlags;
    frameFlags = other.frameFlags;
    penColor = other.penColor;
    penStyle = other.penStyle;
    penWidth = other.penWidth;
    fillColor = other.fillColor;
    scale = other.scale;
    text = other.text;
    letterSpacing = other.letterSpacing;
    angle = other.angle;
    spare = other.spare;
    condition = other.condition;
    handler = other.handler;
    ident = other.ident;
}

// ---- Reading ----------------------------------------------------------------

void TLumexReportElement::ParseElement(QStringView line) {
    TemplateFieldReader reader(line);
    reader.SkipField();  // the section code, matched by the caller
    kind = reader.NextInt(0);
    ReadSource(reader.NextField().left(kMaxSourceNameLength));
    left = reader.NextInt();
    top = reader.NextInt();
    width = reader.NextInt();
    height = reader.NextInt();
    if (kind == ekDetail) {
        return;  // a detail placement has no further fields
    }
    if (IsText()) {
        ReadTextFields(reader);
    } else if (IsGraphic()) {
        ReadGraphicFields(reader);
    } else {
        for (int field = 8; field <= 18; ++field) {
            reader.SkipField();
        }
        text.clear();
    }
    ReadTrailingFields(reader);

    if (kind == ekVariable && source > 3 && source < std::numeric_limits<int>::max() && host_ &&
        host_->NumbersVariablesBeforePageCount()) {
        ++source;  // older templates had no variable "Celkový počet stran"
    }
    if (kind == ekField || kind == ekFieldLabel) {
        const int fieldCount = host_ ? host_->FieldCount() : 0;
        if (source < 0 || source >= fieldCount) {
            // The first field would print in its place; the run prints it
            // empty and reports it instead.
            if (missingSource.isEmpty()) {
                missingSource = QString::number(source);
            }
            source = 0;
        }
    }
    switch (kind) {
        case ekField:
        case ekFieldLabel:
        case ekFunction:
            text = sourceName;
            break;
        case ekFrame:
        case ekRoundFrame:
        case ekEllipse:
            source = kind;
            break;
        case ekPicture:
            if (host_) {
                host_->LoadElementPicture(*this);
            }
            break;
        case ekPaintBox:
            scale = std::clamp(scale, kMinPaintBoxScale, kMaxPaintBoxScale);
            break;
        default:
            break;
    }
}

void TLumexReportElement::ReadSource(QStringView field) {
    missingSource.clear();
    if (field.isEmpty() || StartsWithDigit(field)) {
        sourceName.clear();
        source = TemplateInt(field, 0);
        return;
    }
    sourceName = field.toString();
    int found = -1;
    if (host_ && (kind == ekField || kind == ekFieldLabel)) {
        found = host_->FindField(sourceName);
    } else if (host_ && kind == ekFunction) {
        found = host_->FindFunction(sourceName);
    }
    if (found < 0 && (kind == ekField || kind == ekFieldLabel || kind == ekFunction)) {
        missingSource = sourceName;
    }
    source = found < 0 ? 0 : found;
}

void TLumexReportElement::ReadTextFields(TemplateFieldReader& reader) {
    const QString fontName = reader.NextField().left(kMaxFontNameLength);
    const int size = reader.NextInt();
    const int color = reader.NextInt();
    const int style = reader.NextInt();
    const int alignmentByte = reader.NextInt();
    frameFlags = reader.NextInt();
    const int charset = reader.NextInt();
    ApplyFontRule(fontName, size, color, style, charset);
    alignment = alignmentByte & 3;
    textFlags = alignmentByte & kTextFlagMask;
    QString storedText = reader.NextField();
    text = (kind == ekText || kind == ekVariable) ? std::move(storedText) : QString();
    letterSpacing = reader.NextInt();
    angle = reader.NextInt();
    spare = reader.NextInt();
}

void TLumexReportElement::ApplyFontRule(const QString& name, int size, int color, int style,
                                        int charset) {
    font.name = name;
    font.charset = charset;
    const ScriptSuffix* found = nullptr;
    qsizetype cut = -1;
    for (const ScriptSuffix& script : kScriptSuffixes) {
        const qsizetype at = name.indexOf(QStringView(script.suffix));
        if (at < 0) {
            continue;
        }
        if (!found) {
            found = &script;  // the first suffix in test order gives the character set
        }
        // The name is cut before the earliest suffix it holds, so the cut
        // name reads the same when the template is saved and read again.
        cut = cut < 0 ? at : std::min(cut, at);
    }
    if (found && (!host_ || !host_->IsInstalledFont(name))) {
        font.name = name.left(cut);
        font.charset = found->charset;
    }
    font.size = FontSizeFromTemplate(size);
    font.color = TemplateColorToRgb(color);
    font.style = style & (fsBold | fsItalic | fsUnderline | fsStrikeout);
}

void TLumexReportElement::ReadGraphicFields(TemplateFieldReader& reader) {
    reader.SkipField();  // field 8 is empty for graphic kinds
    const int width = reader.NextInt(1);
    penColor = TemplateColorToRgb(reader.NextInt());
    const int style = reader.NextInt();
    if (kind != ekLine || penWidth == 1) {
        penStyle = style;
    }
    penWidth = width < 0 ? 1 : width;
    if (kind == ekLine && penWidth > 1) {
        penStyle = psSolid;  // a thick line is always drawn solid
    }
    frameFlags = reader.NextInt();
    fillColor = TemplateColorToRgb(reader.NextInt(kColorWhite));
    scale = reader.NextInt();
    QString storedText = reader.NextField();
    text = (kind == ekPicture || kind == ekBarcode) ? std::move(storedText) : QString();
    if (kind == ekBarcode) {
        letterSpacing = reader.NextInt();
        angle = reader.NextInt();
        spare = reader.NextInt();
    } else {
        reader.SkipField();
        reader.SkipField();
        reader.SkipField();
    }
}

void TLumexReportElement::ReadTrailingFields(TemplateFieldReader& reader) {
    condition = reader.NextField();
    handler = reader.NextFlag();
    ident = reader.NextField();
}

// ---- Writing ----------------------------------------------------------------

QString TLumexReportElement::FormatElement(const QString& sectionCode) const {
    if (kind == ekDetail) {
        return QStringList{BareField(sectionCode), QString::number(kind), QString::number(source),
                           QString::number(left),  QString::number(top),  QString::number(width),
                           QString::number(height)}
            .join(u',');
    }
    return IsText() ? FormatTextKind(sectionCode) : FormatGraphicKind(sectionCode);
}

QString TLumexReportElement::FormatTextKind(const QString& sectionCode) const {
    const bool byName =
        (kind == ekField || kind == ekFieldLabel || kind == ekFunction) && !sourceName.isEmpty();
    return QStringList{
        BareField(sectionCode),
        QString::number(kind),
        byName ? BareField(sourceName) : QString::number(source),
        QString::number(left),
        QString::number(top),
        QString::number(width),
        QString::number(height),
        BareField(font.name),
        QString::number(font.size),
        QString::number(RgbToTemplateColor(font.color)),
        QString::number(font.style),
        QString::number((alignment & 3) | (textFlags & kTextFlagMask)),
        QString::number(frameFlags),
        QString::number(font.charset),
        QuotedField(text),
        QString::number(letterSpacing),
        QString::number(angle),
        QString::number(spare),
        QuotedField(condition),
        handler ? QStringLiteral("1") : QStringLiteral("0"),
        QuotedField(ident),
    }
        .join(u',');
}

// Any kind that is neither text nor detail placement is written in this form;
// kinds outside 7..13 keep only their position, condition and identifier.
QString TLumexReportElement::FormatGraphicKind(const QString& sectionCode) const {
    const bool barcode = kind == ekBarcode;
    const bool withText = kind == ekPicture || barcode;
    return QStringList{
        BareField(sectionCode),
        QString::number(kind),
        QString::number(source),
        QString::number(left),
        QString::number(top),
        QString::number(width),
        QString::number(height),
        QString(),
        QString::number(penWidth),
        QString::number(RgbToTemplateColor(penColor)),
        QString::number(penStyle),
        QString::number(frameFlags),
        QString::number(RgbToTemplateColor(fillColor)),
        QString::number(scale),
        withText ? QuotedField(StoredPictureText()) : QString(),
        barcode ? QString::number(letterSpacing) : QString(),
        barcode ? QString::number(angle) : QString(),
        barcode ? QString::number(spare) : QString(),
        QuotedField(condition),
        handler ? QStringLiteral("1") : QStringLiteral("0"),
        QuotedField(ident),
    }
        .join(u',');
}

// A picture given by one plain file name is stored without its folder, so the
// template finds it beside itself wherever it is copied. Value lists,
// expressions and barcode contents are stored whole: cutting them at a colon
// or a backslash would change what they say.
QString TLumexReportElement::StoredPictureText() const {
    if (kind == ekPicture && IsPlainFileName(text)) {
        return FileNamePart(text);
    }
    return text;
}

QString ElementKindName(int kind) {
    switch (kind) {
        case ekText:
            return QStringLiteral("Grafický text");
        case ekField:
            return QStringLiteral("Položka tabulky");
        case ekFieldLabel:
            return QStringLiteral("Popis položky");
        case ekParameter:
            return QStringLiteral("Parametr");
        case ekVariable:
            return QStringLiteral("Proměnná");
        case ekFunction:
            return QStringLiteral("Funkce");
        case ekLine:
            return QStringLiteral("Úsečka");
        case ekFrame:
            return QStringLiteral("Rámeček");
        case ekRoundFrame:
            return QStringLiteral("Zaoblený rámeček");
        case ekEllipse:
            return QStringLiteral("Elipsa");
        case ekPicture:
            return QStringLiteral("Obrázek");
        case ekBarcode:
            return QStringLiteral("Čárový kód");
        case ekPaintBox:
            return QStringLiteral("Kreslicí plocha");
        default:
            return QStringLiteral("Neznámý");
    }
}
