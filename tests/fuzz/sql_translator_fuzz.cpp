// Feeds arbitrary text to the local SQL translator: it must either translate
// or throw StoreError, never crash, hang or read out of bounds. A translated
// statement must carry every constant as a parameter: its SQL text holds no
// quote characters other than the empty text literal ''.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "platform/store/sql_translator.h"
#include "platform/store/store_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const platform::TranslatedQuery q = platform::TranslateLocalSql(text);
        QString withoutEmpty = q.sql;
        withoutEmpty.remove(QStringLiteral("''"));
        if (withoutEmpty.contains('\'')) {
            std::abort();
        }
        if (!q.sql.startsWith(QStringLiteral("SELECT "))) {
            std::abort();
        }
        if (q.sql.contains(';')) {
            std::abort();
        }
    } catch (const platform::StoreError&) {
    }
    return 0;
}
