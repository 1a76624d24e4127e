// User functions of a report and their list.

#include "report/engine/sest_fn.h"

#include <cmath>
#include <exception>

#include "platform/czech_locale.h"

TRadekFunkce::TRadekFunkce() {
    InitValueKind();
}

void TRadekFunkce::InitValueKind() {
    value.kind = resultType == ftNumber ? ckNumber : resultType == ftText ? ckText : ckOther;
}

namespace {

// Clears number, text and null flag; the kind follows the result type.
void ClearKeepingKind(TCalcType& value) {
    const std::uint8_t kind = value.kind;
    value.Clear();
    value.kind = kind;
}

}  // namespace

void TRadekFunkce::Reset() {
    const std::optional<double> number = platform::ParseNumber(initialValue);
    ClearKeepingKind(value);
    if (number) {
        value.number = *number;
    }
    value.text = initialValue;
    count = 0;
    total = 0.0;
    sumOfSquares = 0.0;
    resetPending = false;
}

void TRadekFunkce::Compute() {
    if (resetPending) {
        Reset();
    }
    TCalcType result;
    error = eeOK;
    errorPosition = 0;
    try {
        compiled_.SetText(expression);
        error = compiled_.Evaluate(result, &errorPosition);
    } catch (const std::exception&) {
        error = eeDomain;
    }
    if (error != eeOK) {
        // The page shows the cleared value; the engine reports the failure.
        result.Clear();
    }
    Aggregate(result);
}

void TRadekFunkce::Aggregate(const TCalcType& result) {
    const bool counted = !skipNulls || !result.null;
    const double x = result.number;
    switch (aggregation) {
        case agNone:
            value = result;
            break;
        case agCount:
            count += counted ? 1 : 0;
            value.number = count;
            break;
        case agSum:
            if (counted) {
                ++count;
                total += x;
            }
            value.number = total;
            break;
        case agAverage:
            if (counted) {
                ++count;
                total += x;
            }
            // Until a record counts the value stays what the reset made it.
            if (count > 0) {
                value.number = total / count;
            }
            break;
        case agMinimum:
        case agMaximum:
            // Only records that count take part: a skipped null must not
            // become the minimum or maximum.
            if (counted) {
                ++count;
                const bool better = aggregation == agMinimum ? value.number > x : value.number < x;
                if (count == 1 || better) {
                    value.number = x;
                }
            }
            break;
        case agStdDeviation:
        case agRelStdDeviation: {
            if (counted) {
                ++count;
                total += x;
                sumOfSquares += x * x;
            }
            const bool relative = aggregation == agRelStdDeviation;
            if (count <= 1 || (relative && total == 0.0)) {
                ClearKeepingKind(value);
                break;
            }
            const double variance =
                std::max(0.0, (sumOfSquares - total * total / count) / (count - 1));
            double deviation = std::sqrt(variance);
            if (relative) {
                deviation = deviation * count / total;
            }
            value.number = deviation;
            break;
        }
        default:
            value = result;
            break;
    }
}

QString TRadekFunkce::DisplayText() const {
    if (skipNulls && value.null) {
        return QString();
    }
    if (resultType == ftNumber) {
        const int format =
            (numberFormat < nfGeneral || numberFormat > nfCurrency) ? nfFixed : numberFormat;
        return FormatNumber(value.number, format, precision, digits);
    }
    if (resultType == ftText) {
        return value.text;
    }
    return QString();
}

QString TRadekFunkce::Caption() const {
    return name + QStringLiteral(" - ") + description;
}

// --- list --------------------------------------------------------------------

TListFunkci::TListFunkci() = default;
TListFunkci::~TListFunkci() = default;

TRadekFunkce& TListFunkci::Add(const TRadekFunkce& function) {
    items_.push_back(std::make_unique<TRadekFunkce>(function));
    TRadekFunkce& added = *items_.back();
    added.InitValueKind();
    return added;
}

TRadekFunkce& TListFunkci::AddNew() {
    TRadekFunkce function;
    function.name = QStringLiteral("Funkce") + QString::number(Count() + 1);
    function.description = function.name;
    return Add(function);
}

void TListFunkci::Delete(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    items_.erase(items_.begin() + index);
    for (auto& function : items_) {
        function->expression = RenumberFunctionReferences(function->expression, index + 1);
    }
}

void TListFunkci::Clear() {
    items_.clear();
}

int TListFunkci::FindFunction(const QString& name) const {
    for (int i = 0; i < Count(); ++i) {
        if (items_[i]->name.compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void TListFunkci::RequestReset(int level) {
    for (auto& function : items_) {
        if (level < 0 || function->resetLevel == level) {
            function->resetPending = true;
        }
    }
}

void TListFunkci::ComputeAll() {
    for (auto& function : items_) {
        function->Compute();
    }
}

void TListFunkci::SetSkipNulls(bool skip) {
    for (auto& function : items_) {
        function->skipNulls = skip;
    }
}

QString RenumberFunctionReferences(const QString& expression, int removed) {
    QString result;
    result.reserve(expression.size());
    const qsizetype n = expression.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = expression[i];
        if (c == u'\'') {
            // Text literals hold no references.
            qsizetype close = expression.indexOf(u'\'', i + 1);
            close = close < 0 ? n - 1 : close;
            result += QStringView(expression).mid(i, close - i + 1);
            i = close + 1;
            continue;
        }
        if (c != u'@') {
            result += c;
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < n && expression[end].isDigit() && expression[end].unicode() < 128) {
            ++end;
        }
        const qsizetype digits = end - i - 1;
        if (digits >= 1 && digits <= 3) {
            const int number = expression.mid(i + 1, digits).toInt();
            if (number > removed) {
                result += u'@';
                result += QString::number(number - 1);
            } else {
                result += QStringView(expression).mid(i, end - i);
            }
        } else {
            result += QStringView(expression).mid(i, end - i);
        }
        i = end;
    }
    return result;
}
