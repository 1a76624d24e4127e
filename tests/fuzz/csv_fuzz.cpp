// Feeds arbitrary bytes to the CSV reader of harvel-data: it must return
// records or throw StoreError, never crash, and a record never has zero fields.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/store/csv.h"
#include "platform/store/store_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        int previousLine = 0;
        for (const platform::CsvRecord& r : platform::ParseCsv(bytes)) {
            if (r.fields.isEmpty() || r.line <= previousLine) {
                std::abort();
            }
            previousLine = r.line;
        }
    } catch (const platform::StoreError&) {
    }
    return 0;
}
