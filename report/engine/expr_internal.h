#pragma once
// Internals of the expression evaluator shared by its source files: the
// operators, the built-in functions, references and the number readers.

#include <QString>
#include <QStringView>
#include <cstdint>

#include "report/model/calc_value.h"

namespace expr {

// Pending operators and pending operands are each limited to this many entries.
inline constexpr int kStackLimit = 40;

enum class Op : std::uint8_t {
    Negate,  // precedence 1
    Not,
    Power,     // 2
    Multiply,  // 3
    Divide,
    And,
    Add,  // 4
    Subtract,
    Or,
    Equal,  // 5
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    In,
};

// 1 binds tightest, 5 loosest.
int Precedence(Op op);
bool IsUnary(Op op);

// Apply an operator in place; the result replaces the (left) operand.
// Returns an error code of Evaluate (0 or 6).
int ApplyUnary(Op op, TCalcType& operand);
int ApplyBinary(Op op, TCalcType& left, const TCalcType& right);

// Built-in functions, numbered in the order of their table (0-based).
struct BuiltinInfo {
    const char16_t* name;
    int arguments;
};
int BuiltinCount();
const BuiltinInfo& Builtin(int id);
// Id of the built-in with that upper-case name, or -1.
int FindBuiltin(QStringView upperName);
// Computes built-in `id` over its arguments (already evaluated, as many as
// the function takes) into `result`; returns an error code of Evaluate.
int CallBuiltin(int id, TCalcType* arguments, TCalcType& result);

// A value of kind 1 with the text of the number in the shortest general form.
void SetNumber(TCalcType& value, double number);
// A value of kind 2 whose number is the text read leniently.
void SetText(TCalcType& value, const QString& text);
// The decimal number a text starts with (0 when it starts with none).
double LeadingNumber(QStringView text);

// A reference as written: prefix # & @ %, then 1-3 digits or a name.
struct Reference {
    char16_t prefix = 0;
    int number = -1;  // 1-based as written; -1 when given by name
    QString name;     // as written
    qsizetype end = 0;
};
// Reads the reference starting at `start` (the prefix). False when neither
// digits nor a name follow the prefix (`end` is then just after the prefix).
bool ReadReference(QStringView text, qsizetype start, Reference& reference);
// The reference code asked of the provider for a reference by number, or -1
// when the number names nothing (0).
int ReferenceCode(char16_t prefix, int number);
// The base code of a reference kind that can be given by name (#, @), or -1.
int NamedReferenceBase(char16_t prefix);
int NamedReferenceLookup(char16_t prefix);

// Fills `value` from the current provider (cleared when there is none).
void LoadReference(int code, TCalcType& value);
// Looks a name up with the current provider; -1 when not found.
int FindReference(int lookupKind, const QString& name);
// Resolves a reference completely; returns 0 or error 1 (name not found, or
// a name after & or %).
int ResolveReference(const Reference& reference, TCalcType& value);

// True when the list text (the content of a list literal, or any text read
// as one) holds an item equal to `left` (IN).
bool ListContains(const QString& listText, const TCalcType& left);

bool IsAsciiLetter(QChar c);
bool IsDigit(QChar c);
bool IsBlank(QChar c);

}  // namespace expr
