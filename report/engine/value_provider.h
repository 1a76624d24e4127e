#pragma once
// Where the expression evaluator gets the values of references. The report
// engine implements this interface and makes itself the current provider
// before every evaluation pass; there is one current provider per process.

#include <QString>

#include "report/model/calc_value.h"

// Reference codes asked through GetValue; i is 0-based.
enum TValueCode : int {
    vcParameter = 2000,  // + i: report parameter i (kind 2, number read leniently, never null)
    vcField = 4000,      // + i: data field i (kind by field type, null when the field is null)
    vcFunction = 6000,   // + i: current value of user function i
    vcVariable = 8000,   // + i: report variable i (kind 1)
};

// Name lookups asked through FindIndex.
enum TLookupKind : int {
    lkField = 2,     // data field by name (without regard to case)
    lkFunction = 3,  // user function by name (without regard to case)
};

// The kind of a data field's value by the field type ordinal of the data
// bridge: text types (string, fixed char, wide string) are texts; small
// integer, integer, word, float, currency, BCD, auto-increment and FMT BCD
// are numbers; every other type (dates, times, Booleans, memos, blobs) is 0.
std::uint8_t CalcKindOfFieldType(int fieldType);

class TValueProvider {
  public:
    virtual ~TValueProvider() = default;
    // Fills `value` for a reference code. `value` arrives cleared; an index
    // beyond what the provider holds leaves it cleared.
    virtual void GetValue(int code, TCalcType& value) = 0;
    // 0-based index of the named field or function, or -1 when there is none.
    virtual int FindIndex(int kind, const QString& name) = 0;
};

// The process-wide current provider (null when none is set; references then
// read as cleared values and names are not found).
TValueProvider* CurrentValueProvider();
// Makes `provider` current and returns the previous one.
TValueProvider* SetCurrentValueProvider(TValueProvider* provider);

// Makes a provider current for one scope and restores the previous one.
class TValueProviderScope {
  public:
    explicit TValueProviderScope(TValueProvider* provider)
        : previous_(SetCurrentValueProvider(provider)) {}
    ~TValueProviderScope() { SetCurrentValueProvider(previous_); }
    TValueProviderScope(const TValueProviderScope&) = delete;
    TValueProviderScope& operator=(const TValueProviderScope&) = delete;

  private:
    TValueProvider* previous_;
};
