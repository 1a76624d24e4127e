#pragma once
// User functions of a report: named expressions evaluated once per record,
// optionally aggregated and reset at the start of the report, of each page or
// of each group; and the expression language they are written in.

#include <QString>
#include <memory>
#include <vector>

#include "report/engine/expression.h"
#include "report/engine/value_provider.h"
#include "report/model/calc_value.h"

// Result types of a user function.
enum TFunctionType : int {
    ftNumber = 0,  // "Číselná"
    ftText = 1,    // "Řetězcová"
};

// Reset levels: 0 start of the report, 1 each page, 2 + k each change of group k.
enum TResetLevel : int {
    rlReport = 0,
    rlPage = 1,
    rlGroup = 2,  // + k, k 0-based
};

// Aggregations ("Další zpracování").
enum TAggregation : int {
    agNone = 0,             // "(Žádné)"
    agCount = 1,            // "Počet"
    agSum = 2,              // "Součet"
    agAverage = 3,          // "Průměr"
    agMinimum = 4,          // "Minimum"
    agMaximum = 5,          // "Maximum"
    agStdDeviation = 6,     // "Směrodat.odch."
    agRelStdDeviation = 7,  // "Relat.sm.odch."
};

class TRadekFunkce {
  public:
    // A function with the defaults of a new one, except the name and the
    // description, which TListFunkci::AddNew gives from the position.
    TRadekFunkce();

    // --- Layout (one F record of the template) ---
    QString name;                // compared without regard to case
    QString description;         // "Popis"
    int resultType = ftNumber;   // TFunctionType
    QString initialValue = "0";  // "Počáteční hodnota"
    int resetLevel = rlReport;   // TResetLevel
    QString expression;          // "Výpočetní výraz"
    int aggregation = agNone;    // TAggregation
    int precision = 15;          // "Celkový počet znaků": significant digits
    int digits = 2;              // "Počet desetinných míst"
    int numberFormat = nfFixed;  // TNumberFormat; a value above 4 counts as 2

    // --- Run-time state ---
    TCalcType value;  // the current value
    bool resetPending = false;
    int count = 0;  // records that contributed
    double total = 0.0;
    double sumOfSquares = 0.0;
    bool skipNulls = false;  // copied from the report's AllowNullValues
    int error = eeOK;        // the last Compute's expression error code (TExprError)
    int errorPosition = 0;   // and its 0-based character position

    // Sets the kind of the value from the result type (number 1, text 2,
    // anything else 0); done when a function is created or read.
    void InitValueKind();
    // Applies a pending reset: the value becomes the initial value, the
    // counters start again.
    void Reset();
    // Evaluates the expression for the current record and aggregates it.
    void Compute();
    // What an element printing this function shows.
    QString DisplayText() const;
    // name + " - " + description (designer lists).
    QString Caption() const;

  private:
    void Aggregate(const TCalcType& result);
    TCompiledExpression compiled_;
};

// The user functions of a report, in order; the 1-based position is the
// function's number in references @n.
class TListFunkci {
  public:
    TListFunkci();
    ~TListFunkci();
    TListFunkci(const TListFunkci&) = delete;
    TListFunkci& operator=(const TListFunkci&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TRadekFunkce& At(int index) { return *items_[index]; }
    const TRadekFunkce& At(int index) const { return *items_[index]; }
    TRadekFunkce& operator[](int index) { return *items_[index]; }
    const TRadekFunkce& operator[](int index) const { return *items_[index]; }

    // Appends a function as given (read from an F record or set up by the
    // designer); its value kind is set from its result type.
    TRadekFunkce& Add(const TRadekFunkce& function);
    // Appends a new function with every default: name "Funkce" followed by
    // its 1-based number, description the name.
    TRadekFunkce& AddNew();
    // Removes the function at a 0-based position; references @k (by number)
    // with k above the removed number in the remaining expressions move down by one.
    void Delete(int index);
    void Clear();

    // 0-based index of the first function with that name (case-insensitive), or -1.
    int FindFunction(const QString& name) const;
    // Marks every function whose reset level equals `level`, or all
    // functions when `level` is negative.
    void RequestReset(int level);
    // Computes every function in list order for the current record.
    void ComputeAll();
    void SetSkipNulls(bool skip);

  private:
    std::vector<std::unique_ptr<TRadekFunkce>> items_;
};

// The expression with every reference @k (k written with digits, not followed
// by a further digit) where k > removed (1-based) renumbered to @(k-1).
QString RenumberFunctionReferences(const QString& expression, int removed);
