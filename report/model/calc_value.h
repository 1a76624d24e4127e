#pragma once
// The value of every report expression, reference and function result.

#include <QString>
#include <cstdint>

// Kinds of a value. Dates, times, Booleans and other non-text, non-numeric
// data fields are "other"; a list exists only as a bracketed list literal.
enum TCalcKind : std::uint8_t {
    ckOther = 0,
    ckNumber = 1,
    ckText = 2,
    ckList = 5,
};

struct TCalcType {
    std::uint8_t kind = ckOther;
    // For texts the number read from the text, for dates the day number
    // (whole days since 30 December 1899 plus the time as a fraction of a day).
    double number = 0.0;
    // For numbers their printed form.
    QString text;
    // The value is missing: a null data field or a result computed from one.
    bool null = false;

    // A cleared value: kind 0, number 0, empty text, not null.
    void Clear() {
        kind = ckOther;
        number = 0.0;
        text.clear();
        null = false;
    }
    bool IsTrue() const { return number > 0.0; }
};
