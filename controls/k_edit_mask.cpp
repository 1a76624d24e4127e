#include "controls/k_edit_mask.h"

#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

namespace kedit {
namespace {

const QChar kBlank(u'_');

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

std::vector<int> DigitSlots(const QString& mask) {
    std::vector<int> positions;
    const int length = MaskLayout(mask).size();
    for (int i = 0; i < length; ++i) {
        if (IsDigitPosition(mask, i)) {
            positions.push_back(i);
        }
    }
    return positions;
}

// Turns every selected digit position into "_".
void ClearSelection(const QString& mask, QString& text, int start, int length) {
    for (int i = start; i < start + length && i < text.size(); ++i) {
        if (IsDigitPosition(mask, i)) {
            text[i] = kBlank;
        }
    }
}

bool Overwrites(const QString& mask) {
    return mask.startsWith(u'!');
}

// The end of the group (run of digit positions) that `position` belongs to.
int GroupEnd(const QString& mask, int position, int length) {
    int end = position;
    while (end + 1 < length && IsDigitPosition(mask, end + 1)) {
        ++end;
    }
    return end;
}

// Insert mode: the digits of all positions form one sequence across literals.
MaskState InsertDigit(const QString& mask, MaskState state, QChar digit) {
    const std::vector<int> positions = DigitSlots(mask);
    size_t k = 0;
    while (k < positions.size() && positions[k] < state.caret) {
        ++k;
    }
    if (k == positions.size()) {
        return state;
    }
    if (state.text[positions[k]] != kBlank) {
        for (size_t j = positions.size() - 1; j > k; --j) {
            state.text[positions[j]] = state.text[positions[j - 1]];
        }
    }
    state.text[positions[k]] = digit;
    state.caret = k + 1 < positions.size() ? positions[k + 1] : positions[k] + 1;
    return state;
}

// Insert mode: removes the digit of slot `k`, the following ones move back.
void RemoveSlot(const std::vector<int>& positions, QString& text, size_t k) {
    for (size_t j = k; j + 1 < positions.size(); ++j) {
        text[positions[j]] = text[positions[j + 1]];
    }
    text[positions.back()] = kBlank;
}

std::optional<int> ReadPart(const QString& part) {
    QString digits = part;
    digits.remove(kBlank);
    if (digits.isEmpty()) {
        return -1;  // empty part
    }
    for (QChar c : digits) {
        if (!IsAsciiDigit(c)) {
            return std::nullopt;
        }
    }
    return digits.toInt();
}

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

enum class PartKind { Day, Month, Year4, Year2, Hour, Minute, Second, QuarterMinute };

// One part revised; `value` -1 is an empty part.
QString RevisePart(PartKind kind, int value, const QString& original, bool system,
                   const QDateTime& now) {
    const QDate today = now.date();
    const QTime time = now.time();
    const auto ranged = [&](int limit, int emptyValue, int current, int zeroValue) {
        if (value < 0) {
            return TwoDigits(system ? current : emptyValue);
        }
        if (value == 0) {
            return TwoDigits(zeroValue);
        }
        if (value < 10) {
            return TwoDigits(value);
        }
        if (value < limit) {
            return TwoDigits(value);
        }
        if (system) {
            return TwoDigits(current);
        }
        QString kept = original;
        kept[0] = u'0';
        return kept;
    };
    switch (kind) {
        case PartKind::Day:
            return ranged(32, 1, today.day(), 1);
        case PartKind::Month:
            return ranged(13, 1, today.month(), 1);
        case PartKind::Hour:
            return ranged(24, 0, time.hour(), 0);
        case PartKind::Minute:
            return ranged(60, 0, time.minute(), 0);
        case PartKind::Second:
            return ranged(60, 0, time.second(), 0);
        case PartKind::QuarterMinute: {
            const QString minutes = ranged(60, 0, time.minute(), 0);
            const int m = minutes.toInt();
            return m % 15 == 0 && !minutes.contains(kBlank) ? minutes : QStringLiteral("__");
        }
        case PartKind::Year2:
            if (value < 0) {
                return TwoDigits(today.year() % 100);
            }
            return TwoDigits(value);
        case PartKind::Year4:
            if (value < 0 || (value >= 100 && value < 1000)) {
                return QString::number(today.year());
            }
            if (value < 20) {
                return QString::number(2000 + value);
            }
            if (value < 100) {
                return QString::number(1900 + value);
            }
            return QString::number(value);
    }
    return original;
}

struct KnownMask {
    const char16_t* mask;
    QChar separator;
    std::vector<PartKind> parts;
    bool isDate;
};

const std::vector<KnownMask>& KnownMasks() {
    static const std::vector<KnownMask> masks = {
        {u"!99.99.9999", u'.', {PartKind::Day, PartKind::Month, PartKind::Year4}, true},
        {u"!99.99.99", u'.', {PartKind::Day, PartKind::Month, PartKind::Year2}, true},
        {u"!99.99", u'.', {PartKind::Day, PartKind::Month}, true},
        {u"!99:99:99", u':', {PartKind::Hour, PartKind::Minute, PartKind::Second}, false},
        {u"!99:99", u':', {PartKind::Hour, PartKind::Minute}, false},
        {u"!99:15", u':', {PartKind::Hour, PartKind::QuarterMinute}, false},
    };
    return masks;
}

QString SystemValue(const KnownMask& known, const QString& mask, const QDateTime& now) {
    if (!known.isDate) {
        return now.time().toString(known.parts.size() == 3 ? QStringLiteral("HH:mm:ss")
                                                           : QStringLiteral("HH:mm"));
    }
    const QString layout = MaskLayout(mask);
    if (layout.size() == 10) {
        return now.date().toString(QStringLiteral("dd.MM.yyyy"));
    }
    if (layout.size() == 8) {
        return now.date().toString(QStringLiteral("dd.MM.yy"));
    }
    return now.date().toString(QStringLiteral("dd.MM"));
}

}  // namespace

QString MaskLayout(const QString& mask) {
    return Overwrites(mask) ? mask.mid(1) : mask;
}

bool IsDigitPosition(const QString& mask, int position) {
    const QString layout = MaskLayout(mask);
    if (position < 0 || position >= layout.size()) {
        return false;
    }
    const QChar c = layout.at(position);
    return Overwrites(mask) ? IsAsciiDigit(c) : (c == u'0' || c == u'9');
}

QString LayOutOnMask(const QString& text, const QString& mask) {
    const QString layout = MaskLayout(mask);
    QString result = layout;
    for (int i = 0; i < layout.size(); ++i) {
        if (!IsDigitPosition(mask, i)) {
            continue;
        }
        const QChar c = i < text.size() ? text.at(i) : kBlank;
        result[i] = IsAsciiDigit(c) ? c : kBlank;
    }
    return result;
}

bool MaskAcceptsDigits(const QString& mask) {
    return mask.contains(u'9') || mask.contains(u'!');
}

int FirstBlank(const QString& text) {
    const int at = text.indexOf(kBlank);
    return at < 0 ? text.size() : at;
}

MaskState TypeDigit(const QString& mask, MaskState state, QChar digit, int selectionStart,
                    int selectionLength) {
    const int length = state.text.size();
    if (selectionLength > 1) {
        ClearSelection(mask, state.text, selectionStart, selectionLength);
        state.caret = selectionStart;
        while (state.caret < selectionStart + selectionLength &&
               !IsDigitPosition(mask, state.caret)) {
            ++state.caret;
        }
    }
    if (!Overwrites(mask)) {
        return InsertDigit(mask, state, digit);
    }
    int at = state.caret;
    if (at < length && !IsDigitPosition(mask, at)) {
        ++at;  // on a literal: the position after it
    }
    if (at >= length || !IsDigitPosition(mask, at)) {
        return state;
    }
    state.text[at] = digit;
    state.caret = at + 1;
    if (state.caret < length && !IsDigitPosition(mask, state.caret)) {
        ++state.caret;
    }
    return state;
}

MaskState Backspace(const QString& mask, MaskState state, int selectionStart, int selectionLength) {
    if (selectionLength > 1) {
        ClearSelection(mask, state.text, selectionStart, selectionLength);
        state.caret = selectionStart;
        return state;
    }
    if (state.caret <= 0) {
        return state;
    }
    if (Overwrites(mask)) {
        --state.caret;
        if (IsDigitPosition(mask, state.caret)) {
            state.text[state.caret] = kBlank;
        }
        return state;
    }
    const std::vector<int> positions = DigitSlots(mask);
    size_t k = positions.size();
    while (k > 0 && positions[k - 1] >= state.caret) {
        --k;
    }
    if (k == 0) {
        return state;
    }
    RemoveSlot(positions, state.text, k - 1);
    state.caret = positions[k - 1];
    return state;
}

MaskState DeleteAtCaret(const QString& mask, MaskState state, int selectionStart,
                        int selectionLength) {
    if (selectionLength > 1) {
        ClearSelection(mask, state.text, selectionStart, selectionLength);
        state.caret = selectionStart;
        return state;
    }
    const int length = state.text.size();
    if (Overwrites(mask)) {
        if (!IsDigitPosition(mask, state.caret)) {
            return state;
        }
        const int end = GroupEnd(mask, state.caret, length);
        for (int i = state.caret; i < end; ++i) {
            state.text[i] = state.text[i + 1];
        }
        state.text[end] = kBlank;
        return state;
    }
    const std::vector<int> positions = DigitSlots(mask);
    size_t k = 0;
    while (k < positions.size() && positions[k] < state.caret) {
        ++k;
    }
    if (k < positions.size()) {
        RemoveSlot(positions, state.text, k);
    }
    return state;
}

QString ReviseMask(const QString& text, const QString& mask, TMaskOn mode, const QDateTime& now) {
    if (mode == moNone) {
        return text;
    }
    for (const KnownMask& known : KnownMasks()) {
        if (mask != QString::fromUtf16(known.mask)) {
            continue;
        }
        const bool anyDigit = std::any_of(text.begin(), text.end(), IsAsciiDigit);
        if (mode == moSystem && !anyDigit) {
            return SystemValue(known, mask, now);
        }
        const QStringList parts = text.split(known.separator);
        if (parts.size() != int(known.parts.size())) {
            return text;
        }
        QStringList revised;
        for (size_t i = 0; i < known.parts.size(); ++i) {
            const std::optional<int> value = ReadPart(parts[i]);
            if (!value) {
                return text;
            }
            revised << RevisePart(known.parts[i], *value, parts[i], mode != moRevision, now);
        }
        return revised.join(known.separator);
    }
    return text;
}

}  // namespace kedit
