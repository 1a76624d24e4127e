// The Paradox table reader on any bytes: the first two bytes give the length
// of the .DB part, the rest is the .MB file. Only ParadoxError may come out.

#include <cstddef>
#include <cstdint>

#include "platform/paradox/paradox_error.h"
#include "platform/paradox/paradox_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t dbSize = std::min<std::size_t>(size - 2, data[0] | (data[1] << 8));
    const auto* bytes = reinterpret_cast<const char*>(data + 2);
    const QByteArray db(bytes, static_cast<qsizetype>(dbSize));
    const QByteArray mb(bytes + dbSize, static_cast<qsizetype>(size - 2 - dbSize));
    try {
        platform::paradox::ParadoxTable table(db, mb, QStringLiteral("fuzz.db"));
        table.ForEachRecord([](const platform::paradox::Record&) { return true; });
    } catch (const platform::paradox::ParadoxError&) {
    }
    return 0;
}
