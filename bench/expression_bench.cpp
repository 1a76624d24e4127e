// Speed of the report expression evaluator and of the user functions, as the
// engine uses them: the same expressions evaluated for every record.

#include <benchmark/benchmark.h>

#include <vector>

#include "report/engine/expression.h"
#include "report/engine/sest_fn.h"
#include "report/engine/value_provider.h"

namespace {

// One record of fields, answered by number and by name.
class RecordProvider : public TValueProvider {
  public:
    std::vector<QString> names;
    std::vector<TCalcType> fields;
    TListFunkci* functions = nullptr;

    void GetValue(int code, TCalcType& value) override {
        if (code >= vcFunction && code < vcVariable) {
            const int i = code - vcFunction;
            if (functions && i < functions->Count()) {
                value = functions->At(i).value;
            }
        } else if (code >= vcField && code < vcFunction) {
            const size_t i = static_cast<size_t>(code - vcField);
            if (i < fields.size()) {
                value = fields[i];
            }
        }
    }
    int FindIndex(int kind, const QString& name) override {
        if (kind == lkFunction) {
            return functions ? functions->FindFunction(name) : -1;
        }
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
};

TCalcType Text(const QString& text) {
    TCalcType value;
    value.kind = ckText;
    value.text = text;
    value.number = LenientNumber(text);
    return value;
}

TCalcType Number(double number) {
    TCalcType value;
    value.kind = ckNumber;
    value.number = number;
    value.text = GeneralNumberText(number);
    return value;
}

const QString kExpression = QStringLiteral("IIF(#3 > 10, UPPER(#1) + ' ' + #2, '')");

RecordProvider DogRecord() {
    RecordProvider provider;
    provider.names = {QStringLiteral("Jmeno"), QStringLiteral("Chovatelska_stanice"),
                      QStringLiteral("Vek")};
    provider.fields = {Text(QStringLiteral("Alba")), Text(QStringLiteral("z Kamenného dvora")),
                       Number(12)};
    return provider;
}

// The engine's way: the expression read once, evaluated for every record.
void BM_EvaluateParsedOnce(benchmark::State& state) {
    RecordProvider provider = DogRecord();
    TValueProviderScope scope(&provider);
    const TCompiledExpression expression(kExpression);
    TCalcType value;
    for (auto _ : state) {
        expression.Evaluate(value);
        benchmark::DoNotOptimize(value);
    }
    if (value.text != QStringLiteral("ALBA z Kamenného dvora")) {
        state.SkipWithError("wrong result");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateParsedOnce);

// Evaluate by text: the parsed form comes from the cache.
void BM_EvaluateByText(benchmark::State& state) {
    RecordProvider provider = DogRecord();
    TValueProviderScope scope(&provider);
    for (auto _ : state) {
        TEvalResult result = Evaluate(kExpression);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateByText);

// Reading the text every time, for comparison.
void BM_EvaluateReadingEachTime(benchmark::State& state) {
    RecordProvider provider = DogRecord();
    TValueProviderScope scope(&provider);
    for (auto _ : state) {
        TEvalResult result = EvaluateDirect(kExpression);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateReadingEachTime);

// Twenty user functions (sums, averages, minima and maxima over five number
// fields) computed for every record; items are records.
void BM_ComputeAllTwentyFunctions(benchmark::State& state) {
    RecordProvider provider;
    provider.names = {"Vaha", "Vyska", "Vek", "Stenata", "Cena"};
    constexpr int kRecords = 1024;
    std::vector<std::vector<TCalcType>> records(kRecords);
    for (int r = 0; r < kRecords; ++r) {
        for (int f = 0; f < 5; ++f) {
            records[r].push_back(Number((r * 37 + f * 11) % 101 + 0.25 * f));
        }
    }
    TListFunkci functions;
    provider.functions = &functions;
    const int aggregations[] = {agSum, agAverage, agMinimum, agMaximum};
    for (int i = 0; i < 20; ++i) {
        TRadekFunkce& f = functions.AddNew();
        f.aggregation = aggregations[i % 4];
        f.expression = QStringLiteral("#") + QString::number(i % 5 + 1);
        f.resetLevel = i < 10 ? rlReport : rlGroup;
    }
    TValueProviderScope scope(&provider);
    functions.RequestReset(-1);
    int r = 0;
    for (auto _ : state) {
        provider.fields = records[r];
        functions.ComputeAll();
        if (++r == kRecords) {
            r = 0;
            functions.RequestReset(rlGroup);
        }
    }
    benchmark::DoNotOptimize(functions[0].value.number);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputeAllTwentyFunctions);

}  // namespace

BENCHMARK_MAIN();
