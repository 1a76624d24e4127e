#include "report/model/template_fields.h"

#include <array>
#include <limits>

namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kComma = u',';

constexpr int Rgb(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// The designer's sixteen colours, in the order of its colour list.
constexpr std::array<int, kTemplateColorCount> kColorTable = {
    Rgb(0, 0, 0),        // černá
    Rgb(128, 0, 0),      // kaštanová
    Rgb(0, 128, 0),      // zelená
    Rgb(128, 128, 0),    // olivová
    Rgb(0, 0, 128),      // ultramarínová
    Rgb(128, 0, 128),    // purpurová
    Rgb(0, 128, 128),    // šedozelená
    Rgb(128, 128, 128),  // šedá
    Rgb(192, 192, 192),  // stříbrná
    Rgb(255, 0, 0),      // červená
    Rgb(0, 255, 0),      // žlutozelená
    Rgb(255, 255, 0),    // žlutá
    Rgb(0, 0, 255),      // modrá
    Rgb(255, 0, 255),    // růžová
    Rgb(0, 255, 255),    // akvamarínová
    Rgb(255, 255, 255),  // bílá
};

}  // namespace

QString TemplateFieldReader::NextField() {
    if (rest_.isEmpty()) {
        return {};
    }
    QString field;
    qsizetype pos = 0;
    const qsizetype length = rest_.size();
    if (rest_[0] == kQuote) {
        pos = 1;
        while (pos < length) {
            const QChar c = rest_[pos];
            if (c == kQuote) {
                if (pos + 1 < length && rest_[pos + 1] == kQuote) {
                    field.append(kQuote);
                    pos += 2;
                    continue;
                }
                ++pos;  // the closing quote
                break;
            }
            field.append(c);
            ++pos;
        }
    }
    // Unquoted text, or what follows the closing quote, up to the next comma.
    const qsizetype comma = rest_.indexOf(kComma, pos);
    const qsizetype end = comma < 0 ? length : comma;
    field.append(rest_.mid(pos, end - pos));
    rest_ = comma < 0 ? QStringView() : rest_.mid(comma + 1);
    return field;
}

void TemplateFieldReader::SkipField() {
    if (!rest_.isEmpty() && rest_[0] == kQuote) {
        NextField();
        return;
    }
    const qsizetype comma = rest_.indexOf(kComma);
    rest_ = comma < 0 ? QStringView() : rest_.mid(comma + 1);
}

std::optional<int> TemplateFieldReader::NextOptionalInt() {
    if (!rest_.isEmpty() && rest_[0] != kQuote) {
        // The common case, without building a string.
        const qsizetype comma = rest_.indexOf(kComma);
        const QStringView field = comma < 0 ? rest_ : rest_.first(comma);
        rest_ = comma < 0 ? QStringView() : rest_.mid(comma + 1);
        return ParseTemplateInt(field);
    }
    return ParseTemplateInt(NextField());
}

int TemplateFieldReader::NextInt(int fallback) {
    return NextOptionalInt().value_or(fallback);
}

QString TemplateRecordCode(QStringView line) {
    TemplateFieldReader reader(line);
    return reader.NextField();
}

int TemplateInt(QStringView text, int fallback) {
    return ParseTemplateInt(text).value_or(fallback);
}

std::optional<int> ParseTemplateInt(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    if (pos >= text.size()) {
        return std::nullopt;
    }
    // Accumulated as a negative number so that the lowest int still fits.
    constexpr qint64 kLowest = std::numeric_limits<int>::min();
    qint64 value = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 - (c - u'0');
        if (value < kLowest) {
            return std::nullopt;
        }
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
}

QString QuotedField(const QString& text) {
    QString field;
    field.reserve(text.size() + 2);
    field.append(kQuote);
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') {
                ++pos;
            }
            field.append(u' ');
            continue;
        }
        if (c == kQuote) {
            field.append(kQuote);
        }
        field.append(c);
    }
    field.append(kQuote);
    return field;
}

QString BareField(const QString& text) {
    if (text.contains(kComma) || text.startsWith(kQuote) || text.contains(u'\r') ||
        text.contains(u'\n')) {
        return QuotedField(text);
    }
    return text;
}

int TemplateColorTable(int index) {
    return kColorTable[index];
}

int TemplateColorToRgb(int value) {
    if (value < 0) {
        return 0;  // not a colour the designer writes; black keeps the element visible
    }
    if (value < kTemplateColorCount) {
        return kColorTable[value];
    }
    // Kept whole, so it is written back as it was read; drawing uses the
    // colour bytes (TemplateQColor).
    return value;
}

int RgbToTemplateColor(int rgb) {
    if (rgb < 0) {
        return 0;  // reads as black, as a negative value would
    }
    for (int index = 0; index < kTemplateColorCount; ++index) {
        if (kColorTable[index] == rgb) {
            return index;
        }
    }
    return rgb;
}
