// The 43 built-in functions of the expression language.

#include <QDate>
#include <QTime>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "platform/codepage1250.h"
#include "platform/czech_locale.h"
#include "report/engine/day_number.h"
#include "report/engine/expr_internal.h"
#include "report/engine/expression.h"

namespace expr {

namespace {

enum Id : int {
    fABS,
    fINT,
    fSGN,
    fMAX,
    fMIN,
    fIIF,
    fLEFT,
    fRIGHT,
    fSUBSTR,
    fUPPER,
    fLOWER,
    fLTRIM,
    fRTRIM,
    fALLTRIM,
    fFORMAT,
    fSIN,
    fCOS,
    fTAN,
    fCOTG,
    fEXP,
    fLOG,
    fASIN,
    fACOS,
    fATAN,
    fACOTG,
    fCHR,
    fORD,
    fLENGTH,
    fPOS,
    fISNULL,
    fYEAR,
    fMONTH,
    fDAY,
    fHOUR,
    fMINUTE,
    fSECOND,
    fFORMATDT,
    fSTRTONUM,
    fNUMTOSTR,
    fROUND,
    fEXROUND,
    fSTRTODA,
    fSTRTODT,
    kBuiltinCount
};

constexpr std::array<BuiltinInfo, kBuiltinCount> kBuiltins = {{
    {u"ABS", 1},     {u"INT", 1},      {u"SGN", 1},      {u"MAX", 2},      {u"MIN", 2},
    {u"IIF", 3},     {u"LEFT", 2},     {u"RIGHT", 2},    {u"SUBSTR", 3},   {u"UPPER", 1},
    {u"LOWER", 1},   {u"LTRIM", 1},    {u"RTRIM", 1},    {u"ALLTRIM", 1},  {u"FORMAT", 2},
    {u"SIN", 1},     {u"COS", 1},      {u"TAN", 1},      {u"COTG", 1},     {u"EXP", 1},
    {u"LOG", 1},     {u"ASIN", 1},     {u"ACOS", 1},     {u"ATAN", 1},     {u"ACOTG", 1},
    {u"CHR", 1},     {u"ORD", 1},      {u"LENGTH", 1},   {u"POS", 2},      {u"ISNULL", 1},
    {u"YEAR", 1},    {u"MONTH", 1},    {u"DAY", 1},      {u"HOUR", 1},     {u"MINUTE", 1},
    {u"SECOND", 1},  {u"FORMATDT", 2}, {u"STRTONUM", 1}, {u"NUMTOSTR", 1}, {u"ROUND", 1},
    {u"EXROUND", 2}, {u"STRTODA", 1},  {u"STRTODT", 1},
}};

// A character count from a number: the number without its fraction, kept
// within what a text can hold.
qsizetype Count(double number) {
    if (!(number > 0)) {
        return 0;
    }
    return static_cast<qsizetype>(std::min(std::trunc(number), 1e9));
}

bool IsTrimmed(QChar c) {
    return c.unicode() <= u' ';
}

QString TrimLeft(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && IsTrimmed(text[i])) {
        ++i;
    }
    return text.mid(i);
}

QString TrimRight(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && IsTrimmed(text[n - 1])) {
        --n;
    }
    return text.left(n);
}

// Numeric results that leave the finite numbers are domain errors.
int Number(TCalcType& result, double number) {
    if (!std::isfinite(number)) {
        return eeDomain;
    }
    SetNumber(result, number);
    return eeOK;
}

// Raises the fraction of x to the next multiple of a positive step, or lowers
// it to the nearest 1 - k*|step| not above it for a negative step. Steps so
// small that counting them would take long are taken in one jump.
double ExRound(double x, double step) {
    if (step == 0.0) {
        return x;
    }
    const double whole = std::trunc(x);
    const double fraction = x - whole;
    double e = step > 0 ? 0.0 : 1.0;
    const double steps = std::fabs((fraction - e) / step);
    if (!(steps <= 1e5)) {
        const double k =
            step > 0 ? std::ceil(fraction / step) : std::ceil((1.0 - fraction) / -step);
        return whole + (step > 0 ? std::max(0.0, k) * step : 1.0 + std::max(0.0, k) * step);
    }
    if (step > 0) {
        while (e < fraction) {
            e += step;
        }
    } else {
        while (e > fraction) {
            e += step;
        }
    }
    return whole + e;
}

int DatePart(int id, const TCalcType& argument, TCalcType& result) {
    QDate date;
    QTime time;
    if (!DateTimeOfDayNumber(argument.number, date, time)) {
        return eeDomain;
    }
    switch (id) {
        case fYEAR:
            return Number(result, date.year());
        case fMONTH:
            return Number(result, date.month());
        case fDAY:
            return Number(result, date.day());
        case fHOUR:
            return Number(result, time.hour());
        case fMINUTE:
            return Number(result, time.minute());
        default:
            return Number(result, time.second());
    }
}

double TextToDate(const QString& text) {
    const QDate date = platform::ParseDate(text);
    return date.isValid() ? DayNumber(date) : 0.0;
}

double TextToDateTime(const QString& text) {
    const QDateTime dateTime = platform::ParseDateTime(text);
    if (dateTime.isValid()) {
        return DayNumber(dateTime);
    }
    const QTime time = platform::ParseTime(text.trimmed());
    return time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
}

QString CharacterOfCode(double number) {
    const double code = std::nearbyint(number);
    if (!(code > 0 && code < 256)) {
        return QString();
    }
    return QString(QChar(platform::Cp1250ToUnicode(static_cast<unsigned char>(code),
                                                   platform::UndefinedBytes::Keep)));
}

double CodeOfFirstCharacter(const QString& text) {
    if (text.isEmpty()) {
        return 0.0;
    }
    unsigned char byte = 0;
    if (platform::UnicodeToCp1250(text[0].unicode(), &byte)) {
        return byte;
    }
    return text[0].unicode();
}

int Trigonometric(int id, double x, TCalcType& result) {
    switch (id) {
        case fSIN:
            return Number(result, std::sin(x));
        case fCOS:
            return Number(result, std::cos(x));
        case fTAN:
            if (std::cos(x) == 0.0) {
                return eeDomain;
            }
            return Number(result, std::sin(x) / std::cos(x));
        case fCOTG:
            if (std::sin(x) == 0.0) {
                return eeDomain;
            }
            return Number(result, std::cos(x) / std::sin(x));
        case fASIN:
            if (std::fabs(x) > 1.0) {
                return eeDomain;
            }
            return Number(result, std::asin(x));
        case fACOS:
            if (std::fabs(x) > 1.0) {
                return eeDomain;
            }
            return Number(result, std::acos(x));
        case fATAN:
            return Number(result, std::atan(x));
        default:  // ACOTG
            return Number(result, std::numbers::pi / 2 - std::atan(x));
    }
}

int TextFunction(int id, TCalcType* a, TCalcType& result) {
    const QString& s = a[0].text;
    switch (id) {
        case fLEFT:
            SetText(result, s.left(Count(a[1].number)));
            return eeOK;
        case fRIGHT:
            SetText(result, s.right(Count(a[1].number)));
            return eeOK;
        case fSUBSTR: {
            const qsizetype from = std::max<qsizetype>(Count(a[1].number), 1) - 1;
            SetText(result, from < s.size() ? s.mid(from, Count(a[2].number)) : QString());
            return eeOK;
        }
        case fUPPER:
            SetText(result, s.toUpper());
            return eeOK;
        case fLOWER:
            SetText(result, s.toLower());
            return eeOK;
        case fLTRIM:
            SetText(result, TrimLeft(s));
            return eeOK;
        case fRTRIM:
            SetText(result, TrimRight(s));
            return eeOK;
        case fALLTRIM:
            SetText(result, TrimRight(TrimLeft(s)));
            return eeOK;
        case fFORMAT:
            SetText(result, FormatNumberPicture(a[0].number, a[1].text));
            return eeOK;
        case fFORMATDT: {
            QDate date;
            QTime time;
            if (!DateTimeOfDayNumber(a[0].number, date, time)) {
                return eeDomain;
            }
            SetText(result, FormatDatePicture(a[0].number, a[1].text));
            return eeOK;
        }
        case fCHR:
            SetText(result, CharacterOfCode(a[0].number));
            return eeOK;
        case fNUMTOSTR:
            SetText(result, GeneralNumberText(a[0].number));
            return eeOK;
        default:
            return eeDomain;
    }
}

int NumberFunction(int id, TCalcType* a, TCalcType& result) {
    const double x = a[0].number;
    switch (id) {
        case fABS:
            return Number(result, std::fabs(x));
        case fINT:
            return Number(result, std::trunc(x));
        case fSGN:
            return Number(result, x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0);
        case fMAX:
            return Number(result, x < a[1].number ? a[1].number : x);
        case fMIN:
            return Number(result, x <= a[1].number ? x : a[1].number);
        case fEXP:
            return Number(result, std::exp(x));
        case fLOG:
            if (!(x > 0.0)) {
                return eeDomain;
            }
            return Number(result, std::log(x));
        case fORD:
            return Number(result, CodeOfFirstCharacter(a[0].text));
        case fLENGTH:
            result.kind = ckNumber;
            result.number = static_cast<double>(a[0].text.size());
            result.text.clear();
            return eeOK;
        case fPOS:
            return Number(result, a[0].text.isEmpty()
                                      ? 0.0
                                      : static_cast<double>(a[1].text.indexOf(a[0].text[0]) + 1));
        case fSTRTONUM:
            result.kind = ckNumber;
            result.number = LenientNumber(a[0].text);
            result.text = a[0].text;
            return eeOK;
        case fROUND:
            return Number(result, std::nearbyint(x));
        case fEXROUND:
            return Number(result, ExRound(x, a[1].number));
        case fSTRTODA:
            return Number(result, TextToDate(a[0].text));
        case fSTRTODT:
            return Number(result, TextToDateTime(a[0].text));
        case fYEAR:
        case fMONTH:
        case fDAY:
        case fHOUR:
        case fMINUTE:
        case fSECOND:
            return DatePart(id, a[0], result);
        default:
            return Trigonometric(id, x, result);
    }
}

bool IsTextFunction(int id) {
    switch (id) {
        case fLEFT:
        case fRIGHT:
        case fSUBSTR:
        case fUPPER:
        case fLOWER:
        case fLTRIM:
        case fRTRIM:
        case fALLTRIM:
        case fFORMAT:
        case fFORMATDT:
        case fCHR:
        case fNUMTOSTR:
            return true;
        default:
            return false;
    }
}

}  // namespace

int BuiltinCount() {
    return kBuiltinCount;
}

const BuiltinInfo& Builtin(int id) {
    return kBuiltins[id];
}

int FindBuiltin(QStringView upperName) {
    for (int id = 0; id < kBuiltinCount; ++id) {
        if (upperName == QStringView(kBuiltins[id].name)) {
            return id;
        }
    }
    return -1;
}

int CallBuiltin(int id, TCalcType* a, TCalcType& result) {
    const int count = kBuiltins[id].arguments;
    bool null = false;
    for (int i = 0; i < count; ++i) {
        null = null || a[i].null;
    }
    result.Clear();
    int error = eeOK;
    if (id == fISNULL) {
        SetNumber(result, a[0].null ? 1.0 : 0.0);
        return eeOK;
    }
    if (id == fIIF) {
        const TCalcType& chosen = a[0].IsTrue() ? a[1] : a[2];
        result.number = chosen.number;
        result.text = chosen.text;
        result.kind = (a[1].kind == ckText && a[2].kind == ckText) ? ckText : ckNumber;
    } else if (IsTextFunction(id)) {
        error = TextFunction(id, a, result);
    } else {
        error = NumberFunction(id, a, result);
    }
    result.null = null;
    return error;
}

}  // namespace expr
