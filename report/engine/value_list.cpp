// Lists of values: the items of IN lists and the value lists of picture and
// barcode elements. Both read comma-separated items that are text literals,
// references or plain text; value lists also take [expressions].

#include "report/engine/expr_internal.h"
#include "report/engine/expression.h"

namespace {

using expr::IsBlank;
using expr::IsDigit;

enum class ItemKind { Plain, Literal, Reference, Bracket, Number };

struct Item {
    ItemKind kind = ItemKind::Plain;
    QString text;  // literal content, bracket content, plain text
    expr::Reference reference;
    double number = 0.0;
};

qsizetype NextComma(QStringView text, qsizetype from) {
    const qsizetype comma = text.indexOf(u',', from);
    return comma < 0 ? text.size() : comma;
}

// End of a bracketed expression starting at `open`: the matching "]",
// nested brackets and text literals skipped; -1 when it is not closed.
qsizetype MatchingBracket(QStringView text, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\'') {
            const qsizetype close = text.indexOf(u'\'', i + 1);
            if (close < 0) {
                return -1;
            }
            i = close;
        } else if (c == u'[') {
            ++depth;
        } else if (c == u']' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

// A whole item is a number when it has the form of a number literal.
bool ReadWholeNumber(QStringView item, double& number) {
    qsizetype i = 0;
    const qsizetype n = item.size();
    if (i < n && item[i] == u'-') {
        ++i;
    }
    const qsizetype digits = i;
    while (i < n && IsDigit(item[i])) {
        ++i;
    }
    if (i == digits) {
        return false;
    }
    if (i < n && item[i] == u'.') {
        ++i;
        while (i < n && IsDigit(item[i])) {
            ++i;
        }
    }
    if (i < n && (item[i] == u'E' || item[i] == u'e')) {
        ++i;
        if (i < n && (item[i] == u'+' || item[i] == u'-')) {
            ++i;
        }
        const qsizetype exponent = i;
        while (i < n && IsDigit(item[i])) {
            ++i;
        }
        if (i == exponent) {
            return false;
        }
    }
    if (i != n) {
        return false;
    }
    number = expr::LeadingNumber(item);
    return true;
}

// Reads the item starting at `start`; returns the position after it (at the
// separating comma or the end).
qsizetype ReadItem(QStringView text, qsizetype start, bool allowBrackets, bool allowVariables,
                   Item& item) {
    item = Item();
    qsizetype i = start;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    const qsizetype comma = NextComma(text, start);
    if (i < text.size()) {
        const QChar c = text[i];
        if (c == u'\'') {
            const qsizetype close = text.indexOf(u'\'', i + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            item.kind = ItemKind::Literal;
            item.text = text.mid(i + 1, end - i - 1).toString();
            return close < 0 ? text.size() : NextComma(text, close + 1);
        }
        if (c == u'[' && allowBrackets) {
            const qsizetype close = MatchingBracket(text, i);
            if (close >= 0) {
                item.kind = ItemKind::Bracket;
                item.text = text.mid(i + 1, close - i - 1).toString();
                return NextComma(text, close + 1);
            }
        }
        if (c == u'#' || c == u'&' || c == u'@' || (c == u'%' && allowVariables)) {
            expr::Reference reference;
            if (expr::ReadReference(text, i, reference) &&
                text.mid(reference.end, comma - reference.end).trimmed().isEmpty()) {
                item.kind = ItemKind::Reference;
                item.reference = reference;
                item.text = text.mid(start, comma - start).toString();
                return comma;
            }
        }
    }
    item.text = text.mid(start, comma - start).toString();
    return comma;
}

// The value of a reference item; an unknown name reads as the item's own text.
void ReferenceValue(const Item& item, TCalcType& value) {
    if (expr::ResolveReference(item.reference, value) != eeOK) {
        value.Clear();
        value.kind = ckText;
        value.text = item.text;
    }
}

}  // namespace

namespace expr {

bool ListContains(const QString& listText, const TCalcType& left) {
    const QStringView text(listText);
    if (text.trimmed().isEmpty()) {
        return false;
    }
    qsizetype i = 0;
    Item item;
    TCalcType value;
    while (i <= text.size()) {
        i = ReadItem(text, i, false, true, item);
        switch (item.kind) {
            case ItemKind::Literal:
                value.text = item.text;
                value.number = LeadingNumber(item.text);
                break;
            case ItemKind::Reference:
                ReferenceValue(item, value);
                break;
            default: {
                const QString trimmed = item.text.trimmed();
                double number = 0.0;
                value.number = ReadWholeNumber(trimmed, number) ? number : 0.0;
                value.text = trimmed;
                break;
            }
        }
        if (value.text == left.text || (value.number != 0.0 && value.number == left.number)) {
            return true;
        }
        ++i;  // past the comma
    }
    return false;
}

}  // namespace expr

QStringList SplitValueList(const QString& list) {
    QStringList items;
    if (list.isEmpty()) {
        return items;
    }
    const QStringView text(list);
    qsizetype i = 0;
    Item item;
    while (i <= text.size()) {
        i = ReadItem(text, i, true, false, item);
        switch (item.kind) {
            case ItemKind::Reference: {
                TCalcType value;
                ReferenceValue(item, value);
                items.append(value.text);
                break;
            }
            case ItemKind::Bracket:
                items.append(EvaluateText(item.text));
                break;
            default:
                items.append(item.text);
                break;
        }
        ++i;
    }
    return items;
}
