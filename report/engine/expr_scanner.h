#pragma once
// The one reading of an expression text: left to right, with a stack of
// pending operators and a count of pending operands, applying each operator
// as soon as no operator of higher or equal precedence can follow.
//
// The scanner decides everything that depends on the text alone (tokens,
// their order, precedence, argument counts, stack limits) and hands the
// operations, in the order they are applied, to a sink:
//   bool Constant(const TCalcType&)            an operand from the text
//   bool Reference(int code)                   an operand asked of the provider (-1: cleared)
//   bool NamedReference(char16_t prefix, const QString& name, int position)
//   bool Unary(Op, int position)
//   bool Binary(Op, int position)
//   bool Call(int builtin, int position)
//   void Fail(int error, int position)         an error found in the text
//   void Finish(bool empty)                    the text is read completely
// A sink that evaluates at once returns false when an operation fails (its
// own error and position recorded); the scanner then stops. A sink that
// records the operations always returns true, so the recording ends with the
// first error the text holds, exactly where an evaluation would meet it.

#include <QStringView>
#include <cstdlib>
#include <string>

#include "report/engine/expr_internal.h"
#include "report/engine/expression.h"

namespace expr {

template <class Sink>
class Scanner {
  public:
    Scanner(QStringView text, Sink& sink) : text_(text), sink_(sink) {}

    void Run() {
        const qsizetype n = text_.size();
        qsizetype i = 0;
        while (i < n) {
            if (IsBlank(text_[i])) {
                ++i;
                continue;
            }
            const qsizetype next = Token(i);
            if (next < 0) {
                return;
            }
            i = next;
        }
        End();
    }

  private:
    enum Previous { pStart, pOpen, pComma, pOperator, pOperand, pFunction };

    struct Pending {
        enum Type : std::uint8_t { Operator, Paren, Function } type;
        Op op;
        short builtin;
        int commas;
    };

    bool OperandAllowed() const {
        return previous_ == pStart || previous_ == pOpen || previous_ == pComma ||
               previous_ == pOperator;
    }
    bool AtGroupStart() const {
        return previous_ == pStart || previous_ == pOpen || previous_ == pComma;
    }

    qsizetype Fail(int error, qsizetype position) {
        sink_.Fail(error, static_cast<int>(position));
        return -1;
    }

    // Reads the token at `i`; returns the position after it or -1 when the
    // scan is over (an error).
    qsizetype Token(qsizetype i) {
        const QChar c = text_[i];
        if (previous_ == pFunction && c != u'(') {
            return Fail(eeUnexpected, i);
        }
        if (IsDigit(c)) {
            return NumberToken(i);
        }
        switch (c.unicode()) {
            case u'\'':
                return TextToken(i);
            case u'[':
                return ListToken(i);
            case u'#':
            case u'&':
            case u'@':
            case u'%':
                return ReferenceToken(i);
            case u'(':
                return OpenToken(i);
            case u',':
                return CommaToken(i);
            case u')':
                return CloseToken(i);
            case u'*':
                return BinaryToken(Op::Multiply, i, 1);
            case u'/':
                return BinaryToken(Op::Divide, i, 1);
            case u'^':
                return BinaryToken(Op::Power, i, 1);
            case u'+':
                return BinaryToken(Op::Add, i, 1);
            case u'-':
                return MinusToken(i);
            case u'=':
                return BinaryToken(Op::Equal, i, 1);
            case u'<':
                if (i + 1 < text_.size() && text_[i + 1] == u'>') {
                    return BinaryToken(Op::NotEqual, i, 2);
                }
                if (i + 1 < text_.size() && text_[i + 1] == u'=') {
                    return BinaryToken(Op::LessEqual, i, 2);
                }
                return BinaryToken(Op::Less, i, 1);
            case u'>':
                if (i + 1 < text_.size() && text_[i + 1] == u'=') {
                    return BinaryToken(Op::GreaterEqual, i, 2);
                }
                return BinaryToken(Op::Greater, i, 1);
            default:
                break;
        }
        if (IsAsciiLetter(c)) {
            return WordToken(i);
        }
        return Fail(eeUnexpected, i);
    }

    bool PushOperandSlot(qsizetype position) {
        if (operands_ >= kStackLimit) {
            Fail(eeStackFull, position);
            return false;
        }
        ++operands_;
        return true;
    }

    bool PushPending(const Pending& entry, qsizetype position) {
        if (pendingCount_ >= kStackLimit) {
            Fail(eeStackFull, position);
            return false;
        }
        pending_[pendingCount_++] = entry;
        return true;
    }

    qsizetype NumberToken(qsizetype start) {
        const qsizetype n = text_.size();
        qsizetype i = start;
        while (i < n && IsDigit(text_[i])) {
            ++i;
        }
        if (i < n && text_[i] == u'.') {
            ++i;
            while (i < n && IsDigit(text_[i])) {
                ++i;
            }
        }
        if (i < n && (text_[i] == u'E' || text_[i] == u'e')) {
            qsizetype j = i + 1;
            if (j < n && (text_[j] == u'+' || text_[j] == u'-')) {
                ++j;
            }
            const qsizetype digits = j;
            while (j < n && IsDigit(text_[j])) {
                ++j;
            }
            if (j - digits > 2) {
                return Fail(eeBadNumber, start);
            }
            if (j > digits) {
                i = j;
            } else if (i + 1 < n) {
                return Fail(eeBadNumber, start);
            }
            // A lone "E" as the last character is read as a word.
        }
        if (i + 1 < n && (IsAsciiLetter(text_[i]) || text_[i] == u'#' || text_[i] == u'%' ||
                          text_[i] == u'&' || text_[i] == u'@')) {
            return Fail(eeBadNumber, start);
        }
        if (!OperandAllowed()) {
            return Fail(eeUnexpected, start);
        }
        const std::string latin = text_.mid(start, i - start).toLatin1().toStdString();
        const double number = std::strtod(latin.c_str(), nullptr);
        if (!std::isfinite(number)) {
            return Fail(eeBadNumber, start);
        }
        if (!PushOperandSlot(start)) {
            return -1;
        }
        TCalcType value;
        SetNumber(value, number);
        return Operand(sink_.Constant(value), i);
    }

    qsizetype TextToken(qsizetype start) {
        const qsizetype close = text_.indexOf(u'\'', start + 1);
        if (close < 0) {
            return Fail(eeUnterminatedText, start);
        }
        if (!OperandAllowed()) {
            return Fail(eeUnexpected, start);
        }
        if (!PushOperandSlot(start)) {
            return -1;
        }
        TCalcType value;
        value.kind = ckText;
        value.text = text_.mid(start + 1, close - start - 1).toString();
        value.number = LeadingNumber(value.text);
        return Operand(sink_.Constant(value), close + 1);
    }

    qsizetype ListToken(qsizetype start) {
        const qsizetype close = text_.indexOf(u']', start + 1);
        if (close < 0) {
            return Fail(eeUnterminatedList, start);
        }
        if (!OperandAllowed()) {
            return Fail(eeUnexpected, start);
        }
        if (!PushOperandSlot(start)) {
            return -1;
        }
        TCalcType value;
        value.kind = ckList;
        value.text = text_.mid(start + 1, close - start - 1).toString();
        return Operand(sink_.Constant(value), close + 1);
    }

    qsizetype ReferenceToken(qsizetype start) {
        if (!OperandAllowed()) {
            return Fail(eeUnexpected, start);
        }
        Reference reference;
        if (!ReadReference(text_, start, reference)) {
            return Fail(eeUnknownName, start);
        }
        if (!PushOperandSlot(start)) {
            return -1;
        }
        if (reference.number >= 0) {
            const int code = ReferenceCode(reference.prefix, reference.number);
            return Operand(sink_.Reference(code), reference.end);
        }
        if (NamedReferenceBase(reference.prefix) < 0) {
            return Fail(eeUnknownName, start);
        }
        return Operand(
            sink_.NamedReference(reference.prefix, reference.name, static_cast<int>(start)),
            reference.end);
    }

    qsizetype Operand(bool ok, qsizetype next) {
        if (!ok) {
            return -1;
        }
        previous_ = pOperand;
        return next;
    }

    qsizetype WordToken(qsizetype start) {
        const qsizetype n = text_.size();
        qsizetype i = start;
        QString word;
        while (i < n && (IsAsciiLetter(text_[i]) || text_[i] == u'#' || text_[i] == u'%' ||
                         text_[i] == u'&' || text_[i] == u'@')) {
            word += text_[i].toUpper();
            ++i;
        }
        if (word == u"NOT") {
            if (!OperandAllowed()) {
                return Fail(eeUnexpected, start);
            }
            return PushOperator(Op::Not, start, i);
        }
        if (word == u"AND") {
            return BinaryToken(Op::And, start, i - start);
        }
        if (word == u"OR") {
            return BinaryToken(Op::Or, start, i - start);
        }
        if (word == u"IN") {
            return BinaryToken(Op::In, start, i - start);
        }
        const int builtin = FindBuiltin(word);
        if (builtin < 0) {
            return Fail(eeUnknownName, start);
        }
        if (!OperandAllowed()) {
            return Fail(eeUnexpected, start);
        }
        if (!PushPending({Pending::Function, Op::Add, static_cast<short>(builtin), 0}, start)) {
            return -1;
        }
        previous_ = pFunction;
        return i;
    }

    qsizetype PushOperator(Op op, qsizetype start, qsizetype next) {
        if (!PushPending({Pending::Operator, op, -1, 0}, start)) {
            return -1;
        }
        previous_ = pOperator;
        return next;
    }

    // Applies pending operators of precedence `precedence` or tighter.
    bool Reduce(int precedence, qsizetype position) {
        while (pendingCount_ > 0 && pending_[pendingCount_ - 1].type == Pending::Operator &&
               Precedence(pending_[pendingCount_ - 1].op) <= precedence) {
            const Op op = pending_[--pendingCount_].op;
            const int at = static_cast<int>(position);
            if (IsUnary(op)) {
                if (!sink_.Unary(op, at)) {
                    return false;
                }
            } else {
                --operands_;
                if (!sink_.Binary(op, at)) {
                    return false;
                }
            }
        }
        return true;
    }

    qsizetype MinusToken(qsizetype start) {
        if (previous_ == pOperand) {
            return BinaryToken(Op::Subtract, start, 1);
        }
        if (!AtGroupStart()) {
            return Fail(eeUnexpected, start);
        }
        return PushOperator(Op::Negate, start, start + 1);
    }

    qsizetype BinaryToken(Op op, qsizetype start, qsizetype length) {
        if (previous_ != pOperand) {
            return Fail(eeUnexpected, start);
        }
        if (!Reduce(Precedence(op), start)) {
            return -1;
        }
        return PushOperator(op, start, start + length);
    }

    qsizetype OpenToken(qsizetype start) {
        if (previous_ == pFunction) {
            previous_ = pOpen;
            return start + 1;
        }
        if (!OperandAllowed()) {
            return Fail(eeUnexpected, start);
        }
        if (!PushPending({Pending::Paren, Op::Add, -1, 0}, start)) {
            return -1;
        }
        previous_ = pOpen;
        return start + 1;
    }

    // Index of the innermost open parenthesis or function call, or -1.
    int InnermostGroup() const {
        for (int k = pendingCount_ - 1; k >= 0; --k) {
            if (pending_[k].type != Pending::Operator) {
                return k;
            }
        }
        return -1;
    }

    qsizetype CommaToken(qsizetype start) {
        const int group = InnermostGroup();
        if (group < 0 || pending_[group].type != Pending::Function ||
            pending_[group].commas + 1 >= Builtin(pending_[group].builtin).arguments) {
            return Fail(eeComma, start);
        }
        if (previous_ != pOperand) {
            return Fail(eeUnexpected, start);
        }
        if (!Reduce(kLoosest, start)) {
            return -1;
        }
        ++pending_[group].commas;
        previous_ = pComma;
        return start + 1;
    }

    qsizetype CloseToken(qsizetype start) {
        const int group = InnermostGroup();
        if (group < 0) {
            return Fail(eeUnmatchedClose, start);
        }
        const Pending entry = pending_[group];
        if (entry.type == Pending::Function && previous_ == pOpen) {
            return Fail(eeArgumentCount, start);
        }
        if (previous_ != pOperand) {
            return Fail(eeUnexpected, start);
        }
        if (entry.type == Pending::Function &&
            entry.commas + 1 != Builtin(entry.builtin).arguments) {
            return Fail(eeArgumentCount, start);
        }
        if (!Reduce(kLoosest, start)) {
            return -1;
        }
        --pendingCount_;
        if (entry.type == Pending::Function) {
            operands_ -= entry.commas;
            if (!sink_.Call(entry.builtin, static_cast<int>(start))) {
                return -1;
            }
        }
        previous_ = pOperand;
        return start + 1;
    }

    void End() {
        const qsizetype n = text_.size();
        if (previous_ == pStart) {
            sink_.Finish(true);
            return;
        }
        if (previous_ != pOperand) {
            Fail(eeUnexpected, n);
            return;
        }
        if (InnermostGroup() >= 0) {
            Fail(eeUnclosed, n);
            return;
        }
        if (!Reduce(kLoosest, n)) {
            return;
        }
        sink_.Finish(false);
    }

    static constexpr int kLoosest = 5;

    QStringView text_;
    Sink& sink_;
    Previous previous_ = pStart;
    Pending pending_[kStackLimit];
    int pendingCount_ = 0;
    int operands_ = 0;
};

}  // namespace expr
