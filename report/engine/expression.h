#pragma once
// The report expression language: evaluation of expression texts against the
// current value provider, the helpers that turn texts into numbers and numbers
// into texts, and the value-list splitter of picture and barcode elements.

#include <QString>
#include <QStringList>
#include <memory>

#include "report/model/calc_value.h"

// Error codes of Evaluate.
enum TExprError : int {
    eeOK = 0,
    eeUnknownName = 1,        // unknown word, field or function name; a name after & or %
    eeUnexpected = 2,         // a token where it is not allowed, an invalid character
    eeStackFull = 3,          // more than 40 pending operators or operands
    eeUnmatchedClose = 4,     // ")" without "("
    eeUnclosed = 5,           // "(" without ")" at the end
    eeDomain = 6,             // division by zero, ^ with base <= 0, LOG, TAN, COTG, ASIN, ACOS
    eeBadNumber = 7,          // malformed number
    eeArgumentCount = 10,     // wrong number of arguments of a function
    eeComma = 11,             // "," outside a function call or too many arguments
    eeUnterminatedText = 12,  // text literal without its closing apostrophe
    eeUnterminatedList = 13,  // list literal without its closing "]"
};

struct TEvalResult {
    int error = eeOK;
    int position = 0;  // 0-based character position of the token where the error was found
    TCalcType value;
};

class TExprProgram;

// An expression text read once and evaluated many times. Evaluating it gives
// exactly what Evaluate gives for the same text, error codes and positions
// included; names of fields and functions are looked up at every evaluation,
// so one compiled expression serves any provider.
class TCompiledExpression {
  public:
    TCompiledExpression();
    explicit TCompiledExpression(const QString& text);
    ~TCompiledExpression();
    TCompiledExpression(const TCompiledExpression&);
    TCompiledExpression& operator=(const TCompiledExpression&);

    void SetText(const QString& text);
    const QString& Text() const { return text_; }

    TEvalResult Evaluate() const;
    // The same without building a result record; returns the error code.
    int Evaluate(TCalcType& value, int* errorPosition = nullptr) const;

  private:
    QString text_;
    std::shared_ptr<const TExprProgram> program_;
};

// Evaluates an expression against the current value provider. Never throws;
// an empty expression succeeds with a cleared value. Parsed forms are kept in
// a process-wide cache keyed by the text.
TEvalResult Evaluate(const QString& expression);
// The same procedure reading the text and applying every operator at once,
// without the parsed form (the reference the compiled form must agree with).
TEvalResult EvaluateDirect(const QString& expression);
// The value's text, or empty text when evaluation fails (group keys, bracketed
// value-list items).
QString EvaluateText(const QString& expression);
// True when evaluation succeeds and the value's number is greater than 0.
bool EvaluateCondition(const QString& expression);

// Empties the cache of parsed expressions.
void ClearExpressionCache();

// Items of a value list (texts of picture and barcode elements): text
// literals in apostrophes, references #n #name &n @n @name (their value's
// text), [expressions] (their EvaluateText) and plain text up to the next
// comma, kept as written.
QStringList SplitValueList(const QString& text);

// The number a text stands for, read leniently (blanks and thousands
// separators removed, "," read as the decimal separator); 0 when the text is
// not a number.
double LenientNumber(const QString& text);

// The shortest general form of a number: at most `precision` significant
// digits, fixed notation unless the exponent calls for scientific notation.
QString GeneralNumberText(double value, int precision = 15);

// Number formats of user functions.
enum TNumberFormat : int {
    nfGeneral = 0,
    nfExponent = 1,
    nfFixed = 2,
    nfNumber = 3,
    nfCurrency = 4,
};
QString FormatNumber(double value, int format, int precision, int digits);

// A number formatted with a number picture (0 # . , E+ E- ; "text").
QString FormatNumberPicture(double value, const QString& picture);
// A date and time (day number) formatted with a date picture
// (d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss / : "text").
QString FormatDatePicture(double dateTime, const QString& picture);
