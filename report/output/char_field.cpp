#include "report/output/char_field.h"

#include <algorithm>
#include <cmath>

#include "platform/codepage1250.h"

namespace {

constexpr int kMaxColumns = 1024;
constexpr int kCharsPerInch[3] = {10, 12, 17};
constexpr const char* kDeviceFonts[3] = {"Roman 10cpi", "Roman 12cpi", "Roman 17cpi"};
constexpr double kDeviceFontSizes[3] = {11, 10, 8};

int RoundToInt(double value) {
    return int(std::lrint(value));
}

// Writes `text` into `slot` from 0-based column `start`; columns before the
// first are dropped.
void WriteAt(QString& slot, int start, QStringView text) {
    for (int i = 0; i < text.size(); ++i) {
        const int column = start + i;
        if (column < 0) {
            continue;
        }
        if (column >= slot.size()) {
            slot.resize(column + 1, QChar(u' '));
        }
        slot[column] = text[i];
    }
}

}  // namespace

QString TZnakovyRadek::Text() const {
    QString text;
    for (const QString& slot : Slots) {
        for (int i = 0; i < slot.size(); ++i) {
            if (i >= text.size()) {
                text.append(slot[i]);
            } else if (text[i] == u' ') {
                text[i] = slot[i];
            }
        }
    }
    return text;
}

int TZnakovePole::PitchGroup(double fontSize) {
    const int size = RoundToInt(fontSize);
    if (size >= 11) {
        return 0;
    }
    return size >= 9 ? 1 : 2;
}

int TZnakovePole::CharsPerInch(int pitchGroup) {
    return kCharsPerInch[std::clamp(pitchGroup, 0, 2)];
}

void TZnakovePole::Setup(int paperHeight, int lineSpacing) {
    linesPerInch_ = lineSpacing == 1 ? 4 : lineSpacing == 2 ? 3 : 6;
    rows_.clear();
    rows_.resize(std::max(0, paperHeight * linesPerInch_ / 100));
    highestRow_ = -1;
}

void TZnakovePole::Clear() {
    for (TZnakovyRadek& row : rows_) {
        for (QString& slot : row.Slots) {
            slot.clear();
        }
    }
    highestRow_ = -1;
}

void TZnakovePole::Place(const QRect& rect, const QString& text, int alignment, double fontSize,
                         int style, int lineIndex) {
    if (alignment == 3) {
        return;
    }
    const long long row = std::llrint(rect.top() * double(linesPerInch_) / 100.0) + lineIndex;
    const int group = PitchGroup(fontSize);
    const int cpi = CharsPerInch(group);
    const int first = RoundToInt(rect.left() * double(cpi) / 100.0);
    const int count = RoundToInt(rect.width() * double(cpi) / 100.0);
    if (first + count > kMaxColumns || first + count < 0 || row < 0 || row >= rows_.size()) {
        return;
    }
    QString& slot = rows_[int(row)].Slots[size_t(group * 8 + (style & 7))];
    if (slot.size() < first + count) {
        slot.resize(first + count, QChar(u' '));
    }
    const int length = int(text.size());
    switch (alignment) {
        case 1:
            WriteAt(slot, first + count - length, text);
            break;
        case 2:
            if (length > count) {
                WriteAt(slot, first, QStringView(text).mid((length - count) / 2, count));
            } else {
                WriteAt(slot, first + (count - length) / 2, text);
            }
            break;
        default:
            WriteAt(slot, first, QStringView(text).left(std::max(0, std::min(length, count))));
            break;
    }
    highestRow_ = std::max(highestRow_, int(row));
}

void TZnakovePole::WriteRows(QIODevice& stream, TSestLanguage codePage, bool lastPage) const {
    const int count = lastPage ? highestRow_ + 1 : RowCount();
    for (int i = 0; i < count; ++i) {
        QByteArray bytes = EncodeCodePage(rows_[i].Text(), codePage);
        bytes.append("\r\n");
        stream.write(bytes);
    }
}

void TZnakovePole::PrintRows(platform::Canvas& canvas, TSestLanguage codePage) const {
    const int rowHeight = canvas.TextHeight(QStringLiteral("X"));
    const platform::Font base = canvas.GetFont();
    for (int i = 0; i <= highestRow_ && i < RowCount(); ++i) {
        for (int slot = 0; slot < 24; ++slot) {
            const QString& text = rows_[i].Slots[size_t(slot)];
            if (text.trimmed().isEmpty()) {
                continue;
            }
            const int group = slot / 8;
            platform::Font font = base;
            font.name = QString::fromLatin1(kDeviceFonts[group]);
            font.size = kDeviceFontSizes[group];
            font.fixedPitch = true;
            font.charset = 238;
            font.bold = (slot & 1) != 0;
            font.italic = false;
            font.underline = false;
            font.strikeout = false;
            canvas.SetFont(font);
            // A text-only driver passes the bytes of the program's code page
            // through to the printer, so the converted bytes are handed over
            // as the characters those bytes stand for in Windows-1250.
            const QString converted = platform::FromCp1250(EncodeCodePage(text, codePage),
                                                           platform::UndefinedBytes::Keep);
            canvas.TextOut(QPoint(0, i * rowHeight), converted);
        }
    }
    canvas.SetFont(base);
}
