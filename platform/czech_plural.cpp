#include "platform/czech_plural.h"

namespace platform {

QString CzechPlural(qint64 count, const CzechForms& forms) {
    const qint64 n = count < 0 ? -count : count;
    if (n == 1) {
        return forms.one;
    }
    if (n >= 2 && n <= 4) {
        return forms.few;
    }
    return forms.many;
}

}  // namespace platform
