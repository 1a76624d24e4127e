#include "report/output/text_lines.h"

#include <algorithm>
#include <cmath>

#include "report/output/template_font.h"

int TRadek::CharCount() const {
    int count = 0;
    for (const TFragment& fragment : Fragments) {
        count += fragment.Count();
    }
    return count;
}

QVector<int> TRadek::StartPositions() const {
    QVector<int> positions;
    positions.reserve(CharCount());
    for (const TFragment& fragment : Fragments) {
        for (int i = 0; i < fragment.Count(); ++i) {
            positions.append(fragment.X[i]);
        }
    }
    return positions;
}

TRadky TRadky::Slice(int first, int last) const {
    TRadky slice;
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    for (int i = first; i <= last; ++i) {
        slice.lines_.append(lines_[i]);
    }
    return slice;
}

QString LineText(const TRadek& line) {
    if (line.Fragments.size() == 1) {
        return line.Fragments[0].Text;  // shared, not copied
    }
    QString text;
    for (const TFragment& fragment : line.Fragments) {
        text += fragment.Text;
    }
    return text;
}

QString FragmentText(const TRadek& line, int i) {
    if (i < 0 || i >= line.Fragments.size()) {
        return QString();
    }
    return line.Fragments[i].Text;
}

int TotalHeight(const TRadky& lines, double lineHeight) {
    if (lines.Count() == 0 || (lines.Count() == 1 && lines[0].IsEmpty())) {
        return 0;
    }
    const int fixed = int(std::lrint(72.0 * lineHeight));
    long long total = 72;
    for (const TRadek& line : lines) {
        total += lineHeight != 0 ? fixed : line.Height;
    }
    return int(total / 72);
}

bool FitLines(const TRadky& lines, int first, int available, int& usedHeight, int& last) {
    long long total = 72;
    const long long limit = 72LL * available;
    last = first - 1;
    int i = std::max(first, 0);
    for (; i < lines.Count(); ++i) {
        if (limit < total + lines[i].Height) {
            break;
        }
        total += lines[i].Height;
        last = i;
    }
    usedHeight = int(total / 72);
    return i >= lines.Count();
}

void CollectFonts(const TRadky& lines, QStringList& list) {
    for (const TRadek& line : lines) {
        for (const TFragment& fragment : line.Fragments) {
            const QString entry = QStringLiteral("%1 %2 %3 %4 %5")
                                      .arg(fragment.Charset)
                                      .arg(int(fragment.Bold))
                                      .arg(int(fragment.Underline))
                                      .arg(int(fragment.Italic))
                                      .arg(fragment.FontName);
            if (!list.contains(entry)) {
                list.append(entry);
            }
        }
    }
}

void CollectColours(const TRadky& lines, QStringList& list) {
    for (const TRadek& line : lines) {
        for (const TFragment& fragment : line.Fragments) {
            const QString entry = QString::number(ColourNumber(fragment.Colour));
            if (!list.contains(entry)) {
                list.append(entry);
            }
        }
    }
}
