#pragma once
// The device fonts of text-only printers as templates name them ("Roman 10cpi",
// "Roman 12cpi", ...): fixed pitch, six lines per inch.

#include <QString>

bool IsRomanFont(const QString& name);
// Characters per inch of a Roman font name; 10 when the name gives none.
int RomanCpi(const QString& name);
