#pragma once
// Report lengths are whole hundredths of an inch. The designer shows them in
// one of five units (numbered as templates store them); these convert both
// ways, rounding to the nearest whole number with halves going to the even
// neighbour.

#include <QString>

// Nearest integer; an exact half goes to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2). NaN gives 0; values beyond the int range are
// clamped to it.
int RoundHalfEven(double value);

// numerator / denominator rounded the same way, computed exactly
// (denominator != 0).
int RoundHalfEven(long long numerator, long long denominator);

constexpr int kUnitCount = 5;

// Shown units per hundredth of an inch: 1 ("0,01 inch"), 2.54 ("0,1 mm"),
// 0.6 ("0,1 pica"), 0.72 ("1 point"), 1.44 ("10 twips"). An unknown unit
// counts as unit 0.
double UnitFactor(int unit);
// The unit's name as the designer shows it.
QString UnitLabel(int unit);

// A length in hundredths of an inch as shown in `unit`: nint(v × factor).
int ShowInUnit(int hundredths, int unit);
// A number typed in `unit` back in hundredths of an inch: nint(x / factor).
// Whole numbers (what the designer's fields hold) convert exactly, so a
// true half such as 9 points = 12.5 hundredths rounds to even.
int TakeFromUnit(double shown, int unit);
