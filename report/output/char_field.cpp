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

// Writes `text` into `slot` from 0-based column `start`, growing the slot.
void WriteAt(QString& slot, int start, QStringView text) {
    if (slot.size() < start + text.size()) {
        slot.resize(start + text.size(), QChar(u' '));
    }
    std::copy(text.begin(), text.end(), slot.begin() + start);
}

// A column rounded to the nearest, kept within a range whose sums stay ints.
int ClampedColumn(double columns) {
    return int(std::clamp(std::llrint(columns), -(1LL << 24), 1LL << 24));
}

qsizetype LeadingBlanks(const QString& text) {
    qsizetype count = 0;
    while (count < text.size() && text[count].isSpace()) {
        ++count;
    }
    return count;
}

// The index at which `text` joins the row's texts: after every text that
// begins further left, and in a tie after the labels and texts placed earlier.
qsizetype PlaceInOrder(const QVector<TZnakovyText>& texts, const TZnakovyText& text) {
    qsizetype at = texts.size();
    while (at > 0) {
        const TZnakovyText& before = texts[at - 1];
        const bool goesBefore = text.Order < before.Order ||
                                (text.Order == before.Order && text.Label && !before.Label);
        if (!goesBefore) {
            break;
        }
        --at;
    }
    return at;
}

// Writes the row's texts into their slots one after another: each at the
// column it asks for, or one blank after the last letter before it when that
// letter reaches further.
void LayOut(TZnakovyRadek& row) {
    for (QString& slot : row.Slots) {
        slot.clear();
    }
    int end = -1;  // the column after the last letter written so far
    for (const TZnakovyText& text : row.Texts) {
        QString& slot = row.Slots[size_t(text.Slot)];
        if (slot.size() < text.BoxEnd) {
            slot.resize(text.BoxEnd, QChar(u' '));
        }
        if (text.Text.isEmpty()) {
            continue;
        }
        const int start = end < 0 ? text.Column : std::max(text.Column, end + 1);
        WriteAt(slot, start, text.Text);
        end = start + int(text.Text.size());
    }
    row.LaidOut = true;
}

}  // namespace

QString TZnakovyRadek::Text() const {
    QString text;
    for (const QString& slot : Slots) {
        if (text.isEmpty()) {
            text = slot;  // shared until a later slot fills a blank
            continue;
        }
        const qsizetype overlap = std::min(text.size(), slot.size());
        for (qsizetype i = 0; i < overlap; ++i) {
            if (text[i] == u' ' && slot[i] != u' ') {
                text[i] = slot[i];
            }
        }
        if (slot.size() > text.size()) {
            text.append(QStringView(slot).mid(text.size()));
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
    // Every text went into a row up to the highest used one.
    for (int i = 0; i <= highestRow_ && i < rows_.size(); ++i) {
        TZnakovyRadek& row = rows_[i];
        for (QString& slot : row.Slots) {
            slot.clear();
        }
        row.Texts.clear();
        row.LaidOut = true;
    }
    highestRow_ = -1;
}

void TZnakovePole::Place(const QRect& rect, const QString& text, int alignment, double fontSize,
                         int style, int lineIndex) {
    Place(TZnakovyVstup{rect, text, alignment, fontSize, style, lineIndex, std::nullopt, false});
}

void TZnakovePole::Place(const TZnakovyVstup& line) {
    if (rows_.isEmpty()) {
        return;
    }
    const long long wantedRow =
        std::llrint(line.Rect.top() * double(linesPerInch_) / 100.0) + line.LineIndex;
    const int row = int(std::clamp<long long>(wantedRow, 0, rows_.size() - 1));
    const int group = PitchGroup(line.FontSize);
    const int cpi = CharsPerInch(group);
    const int first = ClampedColumn(line.Rect.left() * double(cpi) / 100.0);
    const int count = ClampedColumn(line.Rect.width() * double(cpi) / 100.0);

    TZnakovyText placed;
    placed.Label = line.Label;
    placed.Slot = group * 8 + (line.Style & 7);
    placed.BoxEnd = std::clamp(first + count, 0, kMaxColumns);
    const qsizetype lead = LeadingBlanks(line.Text);
    const QStringView letters = QStringView(line.Text).mid(lead).trimmed();
    placed.Text = letters.size() == line.Text.size() ? line.Text : letters.toString();
    const int length = int(line.Text.size());
    int start = first;
    if (line.Alignment == 1) {
        start = first + count - length;
    } else if (line.Alignment == 2) {
        start = first + (count - length) / 2;
    }
    placed.Column = std::clamp(start + int(lead), 0, kMaxColumns);
    placed.Order = line.TextLeft.value_or(placed.Column * 100 / cpi);

    TZnakovyRadek& target = rows_[row];
    target.Texts.insert(PlaceInOrder(target.Texts, placed), placed);
    target.LaidOut = false;
    highestRow_ = std::max(highestRow_, row);
}

const TZnakovyRadek& TZnakovePole::Row(int i) const {
    TZnakovyRadek& row = rows_[i];
    if (!row.LaidOut) {
        LayOut(row);
    }
    return row;
}

void TZnakovePole::WriteRows(QIODevice& stream, TSestLanguage codePage, bool lastPage) const {
    const int count = lastPage ? highestRow_ + 1 : RowCount();
    for (int i = 0; i < count; ++i) {
        QByteArray bytes = EncodeCodePage(Row(i).Text(), codePage, &lost_);
        bytes.append("\r\n");
        stream.write(bytes);
    }
}

void TZnakovePole::PrintRows(platform::Canvas& canvas, TSestLanguage codePage) const {
    const int rowHeight = canvas.TextHeight(QStringLiteral("X"));
    const platform::Font base = canvas.GetFont();
    for (int i = 0; i <= highestRow_ && i < RowCount(); ++i) {
        for (int slot = 0; slot < 24; ++slot) {
            const QString& text = Row(i).Slots[size_t(slot)];
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
            const QString converted = platform::FromCp1250(EncodeCodePage(text, codePage, &lost_),
                                                           platform::UndefinedBytes::Keep);
            canvas.TextOut(QPoint(0, i * rowHeight), converted);
        }
    }
    canvas.SetFont(base);
}
