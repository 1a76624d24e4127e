// Semantics of the operators of the expression language, and the references.

#include <cmath>

#include "report/engine/expr_internal.h"
#include "report/engine/expression.h"
#include "report/engine/value_provider.h"

namespace expr {

bool IsAsciiLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

int Precedence(Op op) {
    switch (op) {
        case Op::Negate:
        case Op::Not:
            return 1;
        case Op::Power:
            return 2;
        case Op::Multiply:
        case Op::Divide:
        case Op::And:
            return 3;
        case Op::Add:
        case Op::Subtract:
        case Op::Or:
            return 4;
        default:
            return 5;
    }
}

bool IsUnary(Op op) {
    return op == Op::Negate || op == Op::Not;
}

void SetNumber(TCalcType& value, double number) {
    value.kind = ckNumber;
    value.number = number;
    value.text = GeneralNumberText(number);
}

void SetText(TCalcType& value, const QString& text) {
    value.kind = ckText;
    value.number = LenientNumber(text);
    value.text = text;
}

namespace {

// Arithmetic that leaves the finite numbers (an overflow) is a domain error:
// the value would print as INF or NAN and poison every later total.
int SetArithmetic(TCalcType& value, double number) {
    if (!std::isfinite(number)) {
        return eeDomain;
    }
    SetNumber(value, number);
    return eeOK;
}

void SetTruth(TCalcType& value, bool truth) {
    SetNumber(value, truth ? 1.0 : 0.0);
}

bool Equal(const TCalcType& left, const TCalcType& right) {
    if (left.kind == ckText && right.kind == ckText) {
        return left.text == right.text;
    }
    return left.number == right.number;
}

}  // namespace

int ApplyUnary(Op op, TCalcType& operand) {
    if (op == Op::Negate) {
        return SetArithmetic(operand, -operand.number);
    }
    SetTruth(operand, !operand.IsTrue());
    return eeOK;
}

int ApplyBinary(Op op, TCalcType& left, const TCalcType& right) {
    const bool null = left.null || right.null;
    const double l = left.number;
    const double r = right.number;
    int error = eeOK;
    switch (op) {
        case Op::Add: {
            // The number is the sum and the text the two texts joined, so a
            // label and a number field make one printable text.
            const bool text = left.kind == ckText && right.kind == ckText;
            if (!std::isfinite(l + r)) {
                return eeDomain;
            }
            left.number = l + r;
            left.text += right.text;
            left.kind = text ? ckText : ckNumber;
            break;
        }
        case Op::Subtract:
            error = SetArithmetic(left, l - r);
            break;
        case Op::Multiply:
            error = SetArithmetic(left, l * r);
            break;
        case Op::Divide:
            if (r == 0.0) {
                return eeDomain;
            }
            error = SetArithmetic(left, l / r);
            break;
        case Op::Power:
            if (!(l > 0.0)) {
                return eeDomain;
            }
            error = SetArithmetic(left, std::pow(l, r));
            break;
        case Op::And:
            SetTruth(left, left.IsTrue() && right.IsTrue());
            break;
        case Op::Or:
            SetTruth(left, left.IsTrue() || right.IsTrue());
            break;
        case Op::Equal:
            SetTruth(left, Equal(left, right));
            break;
        case Op::NotEqual:
            SetTruth(left, !Equal(left, right));
            break;
        case Op::Less:
            SetTruth(left, l < r);
            break;
        case Op::Greater:
            SetTruth(left, l > r);
            break;
        case Op::LessEqual:
            SetTruth(left, l <= r);
            break;
        case Op::GreaterEqual:
            SetTruth(left, l >= r);
            break;
        case Op::In:
            SetTruth(left, ListContains(right.text, left));
            break;
        case Op::Negate:
        case Op::Not:
            break;
    }
    left.null = null;
    return error;
}

// --- references ---------------------------------------------------------

bool ReadReference(QStringView text, qsizetype start, Reference& reference) {
    reference = Reference();
    reference.prefix = text[start].unicode();
    qsizetype i = start + 1;
    const qsizetype n = text.size();
    if (i < n && IsDigit(text[i])) {
        int number = 0;
        const qsizetype digitsEnd = std::min(n, i + 3);
        while (i < digitsEnd && IsDigit(text[i])) {
            number = number * 10 + (text[i].unicode() - u'0');
            ++i;
        }
        reference.number = number;
        reference.end = i;
        return true;
    }
    if (i < n && (IsAsciiLetter(text[i]) || text[i] == u'_')) {
        const qsizetype nameStart = i;
        while (i < n &&
               (IsAsciiLetter(text[i]) || IsDigit(text[i]) || text[i] == u'_' || text[i] == u'$')) {
            ++i;
        }
        reference.name = text.mid(nameStart, i - nameStart).toString();
        reference.end = i;
        return true;
    }
    reference.end = i;
    return false;
}

int ReferenceCode(char16_t prefix, int number) {
    if (number < 1) {
        return -1;
    }
    switch (prefix) {
        case u'#':
            return vcField + number - 1;
        case u'&':
            return vcParameter + number - 1;
        case u'@':
            return vcFunction + number - 1;
        case u'%':
            return vcVariable + number - 1;
        default:
            return -1;
    }
}

int NamedReferenceBase(char16_t prefix) {
    return prefix == u'#' ? vcField : prefix == u'@' ? vcFunction : -1;
}

int NamedReferenceLookup(char16_t prefix) {
    return prefix == u'#' ? lkField : prefix == u'@' ? lkFunction : -1;
}

void LoadReference(int code, TCalcType& value) {
    value.Clear();
    if (TValueProvider* provider = CurrentValueProvider()) {
        provider->GetValue(code, value);
    }
}

int FindReference(int lookupKind, const QString& name) {
    TValueProvider* provider = CurrentValueProvider();
    return provider ? provider->FindIndex(lookupKind, name) : -1;
}

int ResolveReference(const Reference& reference, TCalcType& value) {
    if (reference.number >= 0) {
        const int code = ReferenceCode(reference.prefix, reference.number);
        if (code < 0) {
            value.Clear();
        } else {
            LoadReference(code, value);
        }
        return eeOK;
    }
    const int base = NamedReferenceBase(reference.prefix);
    if (base < 0 || reference.name.isEmpty()) {
        return eeUnknownName;
    }
    const int index = FindReference(NamedReferenceLookup(reference.prefix), reference.name);
    if (index < 0) {
        return eeUnknownName;
    }
    LoadReference(base + index, value);
    return eeOK;
}

}  // namespace expr
