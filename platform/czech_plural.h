#pragma once
// Czech plural forms: 1 "řádek", 2 to 4 "řádky", 0 and 5 or more "řádků".
// Negative counts take the form of their magnitude.

#include <QString>

namespace platform {

struct CzechForms {
    QString one;   // 1
    QString few;   // 2, 3, 4
    QString many;  // 0, 5 and more
};

// The form that goes with `count`.
QString CzechPlural(qint64 count, const CzechForms& forms);

}  // namespace platform
