#include "controls/version_language.h"

#include <iterator>

namespace {

// Indexed by TVersionLanguage.
const quint16 kLanguageIds[] = {
    0x0401, 0x0402, 0x0403, 0x0404, 0x0405, 0x0406, 0x0407, 0x0408, 0x0409, 0x040A, 0x040B, 0x040C,
    0x040D, 0x040E, 0x040F, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418,
    0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0804, 0x0807, 0x0809,
    0x080A, 0x080C, 0x0810, 0x0813, 0x0814, 0x0816, 0x081A, 0x0C0C, 0x100C};
static_assert(std::size(kLanguageIds) == vlUnknown, "one identifier per language");

}  // namespace

TVersionLanguage VersionLanguageFromId(quint16 languageId) {
    for (int i = 0; i < vlUnknown; ++i) {
        if (kLanguageIds[i] == languageId) {
            return static_cast<TVersionLanguage>(i);
        }
    }
    return vlUnknown;
}

quint16 VersionLanguageId(TVersionLanguage language) {
    return language >= 0 && language < vlUnknown ? kLanguageIds[language] : 0;
}
