#include "platform/czech_locale.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace platform {
namespace {

const std::array<const char16_t*, 12> kMonthNames = {
    u"leden",    u"únor",  u"březen", u"duben", u"květen",   u"červen",
    u"červenec", u"srpen", u"září",   u"říjen", u"listopad", u"prosinec"};
const std::array<const char16_t*, 12> kMonthNamesGenitive = {
    u"ledna",    u"února", u"března", u"dubna", u"května",    u"června",
    u"července", u"srpna", u"září",   u"října", u"listopadu", u"prosince"};
const std::array<const char16_t*, 12> kShortMonthNames = {
    u"led", u"úno", u"bře", u"dub", u"kvě", u"čvn", u"čvc", u"srp", u"zář", u"říj", u"lis", u"pro"};
const std::array<const char16_t*, 7> kDayNames = {u"pondělí", u"úterý",  u"středa", u"čtvrtek",
                                                  u"pátek",   u"sobota", u"neděle"};
const std::array<const char16_t*, 7> kShortDayNames = {u"po", u"út", u"st", u"čt",
                                                       u"pá", u"so", u"ne"};

template <std::size_t N>
QString NameAt(const std::array<const char16_t*, N>& names, int oneBasedIndex) {
    if (oneBasedIndex < 1 || oneBasedIndex > int(N)) {
        return {};
    }
    return QString::fromUtf16(names[oneBasedIndex - 1]);
}

// A decimal number as a digit string: value = 0.<digits> * 10^point, i.e.
// the decimal point stands after the first `point` digits.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int point = 0;
};

DecimalDigits FifteenDigits(double value) {
    // to_chars, unlike printf, ignores the C library's locale.
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string text(buffer, written.ptr);  // d.dddddddddddddde±x
    DecimalDigits result;
    std::size_t position = 0;
    if (text[0] == '-') {
        result.negative = true;
        position = 1;
    }
    const std::size_t exponentAt = text.find('e');
    for (std::size_t index = position; index < exponentAt; ++index) {
        if (text[index] != '.') {
            result.digits.push_back(text[index]);
        }
    }
    result.point = std::stoi(text.substr(exponentAt + 1)) + 1;
    return result;
}

// Cuts the digits to `decimals` places after the point, rounding half away from zero.
void RoundToPlaces(DecimalDigits& number, int decimals) {
    const int keep = number.point + decimals;
    if (keep < 0) {  // below the last place even before rounding
        number.digits = std::string(1 + decimals, '0');
        number.point = 1;
        return;
    }
    if (keep >= int(number.digits.size())) {
        number.digits.append(keep - number.digits.size(), '0');
        return;
    }
    const bool roundUp = number.digits[keep] >= '5';
    number.digits.resize(keep);
    if (!roundUp) {
        return;
    }
    int index = keep - 1;
    while (index >= 0 && number.digits[index] == '9') {
        number.digits[index] = '0';
        --index;
    }
    if (index >= 0) {
        ++number.digits[index];
    } else {
        number.digits.insert(number.digits.begin(), '1');
        ++number.point;
    }
}

QString GroupByThousands(const QString& integerDigits) {
    QString grouped;
    const qsizetype length = integerDigits.size();
    for (qsizetype index = 0; index < length; ++index) {
        if (index > 0 && (length - index) % 3 == 0) {
            grouped.append(kThousandsSeparator);
        }
        grouped.append(integerDigits[index]);
    }
    return grouped;
}

QString JoinNumber(bool negative, QString integerPart, const QString& fraction, bool group) {
    integerPart.remove(QRegularExpression(QStringLiteral("^0+(?=\\d)")));
    if (group) {
        integerPart = GroupByThousands(integerPart);
    }
    QString text = integerPart;
    if (!fraction.isEmpty()) {
        text += kDecimalSeparator + fraction;
    }
    const bool allZero = !QString(integerPart + fraction).contains(QRegularExpression("[1-9]"));
    return (negative && !allZero) ? u'-' + text : text;
}

bool IsBlank(QChar character) {
    return character.isSpace() || character == QChar(0x00A0) || character == QChar(0x202F);
}

}  // namespace

QString ShortDateFormat() {
    return QStringLiteral("d.M.yyyy");
}

QString LongTimeFormat() {
    return QStringLiteral("H:mm:ss");
}

QString ShortTimeFormat() {
    return QStringLiteral("H:mm");
}

QString CurrencyText() {
    return QStringLiteral("Kč");
}

QString MonthName(int month) {
    return NameAt(kMonthNames, month);
}

QString MonthNameGenitive(int month) {
    return NameAt(kMonthNamesGenitive, month);
}

QString ShortMonthName(int month) {
    return NameAt(kShortMonthNames, month);
}

QString DayName(int dayOfWeek) {
    return NameAt(kDayNames, dayOfWeek);
}

QString ShortDayName(int dayOfWeek) {
    return NameAt(kShortDayNames, dayOfWeek);
}

QString FormatDate(const QDate& date) {
    return date.isValid() ? date.toString(ShortDateFormat()) : QString();
}

QString FormatLongDate(const QDate& date) {
    if (!date.isValid()) {
        return {};
    }
    return QStringLiteral("%1. %2 %3")
        .arg(date.day())
        .arg(MonthNameGenitive(date.month()))
        .arg(date.year());
}

QString FormatTime(const QTime& time) {
    return time.isValid() ? time.toString(LongTimeFormat()) : QString();
}

QString FormatDateTime(const QDateTime& dateTime) {
    if (!dateTime.isValid()) {
        return {};
    }
    return FormatDate(dateTime.date()) + u' ' + FormatTime(dateTime.time());
}

QDate ParseDate(QStringView text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text.toString());
    if (!match.hasMatch()) {
        return {};
    }
    return QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
}

QTime ParseTime(QStringView text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text.toString());
    if (!match.hasMatch()) {
        return {};
    }
    const int seconds = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
    return QTime(match.captured(1).toInt(), match.captured(2).toInt(), seconds);
}

QDateTime ParseDateTime(QStringView text) {
    const QStringView trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(u' ');
    if (blank < 0) {
        const QDate date = ParseDate(trimmed);
        return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
    }
    const QDate date = ParseDate(trimmed.left(blank));
    const QTime time = ParseTime(trimmed.mid(blank + 1));
    if (!date.isValid() || !time.isValid()) {
        return {};
    }
    return QDateTime(date, time);
}

QString FormatNumber(double value, int decimals, bool groupThousands) {
    if (std::isnan(value)) {
        return QStringLiteral("NAN");
    }
    if (std::isinf(value)) {
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    }
    decimals = std::clamp(decimals, 0, 18);
    DecimalDigits number = FifteenDigits(value);
    RoundToPlaces(number, decimals);
    const QString digits = QString::fromStdString(number.digits);
    QString integerPart;
    QString fraction;
    if (number.point <= 0) {
        integerPart = QStringLiteral("0");
        fraction = QString(-number.point, u'0') + digits;
    } else {
        integerPart = digits.left(number.point);
        fraction = digits.mid(number.point);
    }
    fraction = fraction.left(decimals);
    return JoinNumber(number.negative, integerPart, fraction, groupThousands);
}

QString FormatInteger(qint64 value, bool groupThousands) {
    QString digits = QString::number(value);
    const bool negative = digits.startsWith(u'-');
    if (negative) {
        digits.remove(0, 1);
    }
    return JoinNumber(negative, digits, QString(), groupThousands);
}

QString FormatCurrency(double value, int decimals) {
    return FormatNumber(value, decimals, true) + u' ' + CurrencyText();
}

std::optional<double> ParseNumber(QStringView text) {
    QString compact;
    compact.reserve(text.size());
    for (QChar character : text) {
        if (!IsBlank(character)) {
            compact.append(character);
        }
    }
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!pattern.match(compact).hasMatch()) {
        return std::nullopt;
    }
    // from_chars reads the same form on every host locale; it takes no '+'.
    const std::string latin = compact.toStdString();
    const char* begin = latin.data() + (latin[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(begin, latin.data() + latin.size(), value);
    if (error != std::errc() || end != latin.data() + latin.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QLocale ProgramLocale() {
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

void InstallProgramLocale() {
    QLocale::setDefault(ProgramLocale());
}

}  // namespace platform
