#include "platform/store/czech_collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <cstring>
#include <string>

namespace platform {
namespace {

UCollator* OpenCzechCollator() {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("cs", &status);
    if (U_FAILURE(status)) {
        return nullptr;
    }
    return collator;
}

int CompareBytes(const void* a, int na, const void* b, int nb) {
    const int common = na < nb ? na : nb;
    const int c = common > 0 ? std::memcmp(a, b, static_cast<size_t>(common)) : 0;
    if (c != 0) {
        return c < 0 ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

int CompareUtf8(UCollator* collator, const char* a, int na, const char* b, int nb) {
    if (na == nb && (na == 0 || std::memcmp(a, b, static_cast<size_t>(na)) == 0)) {
        return 0;
    }
    if (collator != nullptr) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult r = ucol_strcollUTF8(collator, a, na, b, nb, &status);
        if (U_SUCCESS(status) && r != UCOL_EQUAL) {
            return r == UCOL_LESS ? -1 : 1;
        }
    }
    return CompareBytes(a, na, b, nb);
}

int CollationCallback(void* arg, int na, const void* a, int nb, const void* b) {
    return CompareUtf8(static_cast<UCollator*>(arg), static_cast<const char*>(a), na,
                       static_cast<const char*>(b), nb);
}

// Decodes UTF-8 leniently: a malformed byte stands for itself.
std::u32string Decode(const char* text, int length) {
    std::u32string out;
    out.reserve(static_cast<size_t>(length));
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    int i = 0;
    while (i < length) {
        const unsigned char c = s[i];
        int extra = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (c >= 0x80 && c < 0xC0) {
            extra = 0;
        }
        char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
        bool ok = i + extra < length;
        for (int k = 1; ok && k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) {
                ok = false;
            } else {
                cp = (cp << 6) | (s[i + k] & 0x3F);
            }
        }
        if (!ok) {
            cp = c;
            extra = 0;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

void LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 2 || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const char* value = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int valueLength = value == nullptr ? 0 : sqlite3_value_bytes(argv[0]);
    const char* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int patternLength = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(context, LikeMatches(value == nullptr ? "" : value, valueLength,
                                            pattern == nullptr ? "" : pattern, patternLength)
                                    ? 1
                                    : 0);
}

// czech_key(text): the ICU sort key, so a sort computes one key per row
// instead of calling the collator for every comparison.
void SortKeyFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    auto* collator = static_cast<UCollator*>(sqlite3_user_data(context));
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int length = sqlite3_value_bytes(argv[0]);
    std::u16string utf16(static_cast<size_t>(length) + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t utf16Length = 0;
    u_strFromUTF8Lenient(reinterpret_cast<UChar*>(utf16.data()), static_cast<int32_t>(utf16.size()),
                         &utf16Length, text == nullptr ? "" : text, length, &status);
    if (U_FAILURE(status) || collator == nullptr) {
        sqlite3_result_blob(context, text, length, SQLITE_TRANSIENT);
        return;
    }
    uint8_t buffer[512];
    int32_t size = ucol_getSortKey(collator, reinterpret_cast<const UChar*>(utf16.data()),
                                   utf16Length, buffer, sizeof buffer);
    if (size <= static_cast<int32_t>(sizeof buffer)) {
        sqlite3_result_blob(context, buffer, size, SQLITE_TRANSIENT);
        return;
    }
    std::string big(static_cast<size_t>(size), '\0');
    size = ucol_getSortKey(collator, reinterpret_cast<const UChar*>(utf16.data()), utf16Length,
                           reinterpret_cast<uint8_t*>(big.data()), size);
    sqlite3_result_blob(context, big.data(), size, SQLITE_TRANSIENT);
}

void CloseCollator(void* collator) {
    if (collator != nullptr) {
        ucol_close(static_cast<UCollator*>(collator));
    }
}

}  // namespace

void RegisterCzechCollation(sqlite3* db) {
    UCollator* collator = OpenCzechCollator();
    // SQLite closes the collator when the connection is finally closed.
    sqlite3_create_collation_v2(db, "CZECH", SQLITE_UTF8, collator, &CollationCallback,
                                &CloseCollator);
    sqlite3_create_function(db, "czech_key", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, collator,
                            &SortKeyFunction, nullptr, nullptr);
    sqlite3_create_function(db, "harvel_like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            &LikeFunction, nullptr, nullptr);
}

int CompareCzech(const QString& a, const QString& b) {
    thread_local UCollator* collator = OpenCzechCollator();
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return CompareUtf8(collator, ua.constData(), static_cast<int>(ua.size()), ub.constData(),
                       static_cast<int>(ub.size()));
}

bool LikeMatches(const char* valueText, int valueLength, const char* patternText,
                 int patternLength) {
    const std::u32string value = Decode(valueText, valueLength);
    const std::u32string pattern = Decode(patternText, patternLength);
    size_t i = 0, j = 0;
    size_t star = std::u32string::npos, mark = 0;
    while (i < value.size()) {
        if (j < pattern.size() && pattern[j] == U'%') {
            star = j++;
            mark = i;
        } else if (j < pattern.size() && (pattern[j] == U'_' || pattern[j] == value[i])) {
            ++i;
            ++j;
        } else if (star != std::u32string::npos) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < pattern.size() && pattern[j] == U'%') {
        ++j;
    }
    return j == pattern.size();
}

}  // namespace platform
