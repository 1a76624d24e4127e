// The user paper formats as read from a damaged or hostile SestDLL.ini: the
// list must load without crashing, keep its 17 built-in formats first, cut
// every name to 31 characters, and read back what it writes.
#include <cstdint>
#include <cstdlib>

#include "platform/ini_file.h"
#include "report/output/paper_formats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const platform::IniFile ini = platform::IniFile::FromBytes(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    TListFormatu list;
    list.Load(ini);
    if (list.Count() < TListFormatu::kBuiltInCount ||
        list.Count() > TListFormatu::kBuiltInCount + TListFormatu::kMaxUserFormats) {
        std::abort();
    }
    for (int i = 0; i < list.Count(); ++i) {
        const TFormatPapiru format = list.Format(i);
        if (format.Name.size() > TListFormatu::kMaxNameLength || format.Width < 0 ||
            format.Height < 0) {
            std::abort();
        }
    }
    platform::IniFile written;
    list.Save(written);
    TListFormatu again;
    again.Load(platform::IniFile::FromBytes(written.ToBytes()));
    if (again.Count() != list.Count()) {
        std::abort();
    }
    for (int i = TListFormatu::kBuiltInCount; i < list.Count(); ++i) {
        const TFormatPapiru before = list.Format(i);
        const TFormatPapiru after = again.Format(i);
        if (after.Width != before.Width || after.Height != before.Height) {
            std::abort();
        }
    }
    return 0;
}
