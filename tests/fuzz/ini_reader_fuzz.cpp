// Fuzzes the INI reader with arbitrary file bytes, then writes into the
// document and checks that what was written reads back and survives a
// round trip through the file form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/ini_file.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    platform::IniFile ini = platform::IniFile::FromBytes(bytes);

    // Everything listed can be read, and the first section/key found is the listed one.
    const QStringList sections = ini.Sections();
    for (const QString& section : sections) {
        Check(ini.SectionExists(section));
        for (const QString& key : ini.Keys(section)) {
            Check(ini.ValueExists(section, key));
            ini.ReadString(section, key);
            ini.ReadInteger(section, key, 0);
            ini.ReadBool(section, key, false);
        }
    }

    // Reading the file form back gives the same document.
    const QByteArray once = ini.ToBytes();
    const platform::IniFile reread = platform::IniFile::FromBytes(once);
    Check(reread.ToBytes() == once);
    Check(reread.Sections() == sections);

    // A value written into the fuzzed document reads back exactly, also after
    // a round trip, and leaves the other sections in place.
    const QString value = QStringLiteral(" hodnota = Čert ");
    Check(ini.WriteString(QStringLiteral("EvidList"), QStringLiteral("JednotkaDelka"), value));
    Check(ini.ReadString(QStringLiteral("evidlist"), QStringLiteral("jednotkadelka")) == value);
    const platform::IniFile written = platform::IniFile::FromBytes(ini.ToBytes());
    Check(written.ReadString(QStringLiteral("EVIDLIST"), QStringLiteral("JednotkaDelka")) == value);
    for (const QString& section : sections) {
        Check(written.SectionExists(section));
    }

    if (!sections.isEmpty()) {
        ini.EraseSection(sections.front());
        ini.DeleteKey(QStringLiteral("EvidList"), QStringLiteral("JednotkaDelka"));
        ini.ToBytes();
    }
    return 0;
}
