#include "platform/paradox/table_header.h"

#include "platform/paradox/byte_reader.h"
#include "platform/paradox/paradox_error.h"

namespace platform::paradox {
namespace {

// Offsets of the header (all numbers little-endian).
constexpr int kRecordSize = 0x00;
constexpr int kHeaderSize = 0x02;
constexpr int kFileType = 0x04;
constexpr int kBlockKilobytes = 0x05;
constexpr int kRecordCount = 0x06;
constexpr int kFileBlocks = 0x0C;
constexpr int kFirstBlock = 0x0E;
constexpr int kLastBlock = 0x10;
constexpr int kFieldCount = 0x21;
constexpr int kKeyFieldCount = 0x23;
constexpr int kEncryption1 = 0x25;
constexpr int kVersionByte = 0x39;
constexpr int kAutoIncrement = 0x49;
// The data header of Paradox 4 and later tables.
constexpr int kEncryption2 = 0x5C;
constexpr int kCodePage = 0x6A;
constexpr int kFieldInfoWithDataHeader = 0x78;
constexpr int kFieldInfoWithout = 0x58;
// Paradox 4 and later write a placeholder here in unencrypted tables.
constexpr std::uint32_t kNoEncryptionMark = 0xFF00FF00u;

class HeaderParser {
  public:
    HeaderParser(QByteArrayView file, const QString& tableName) : in_(file), table_(tableName) {}

    TableHeader Parse() {
        ParseGeometry();
        ParseVersionAndProtection();
        ParseFields();
        CheckRecordSize();
        return h_;
    }

  private:
    [[noreturn]] void Fail(const QString& reason) const {
        throw ParadoxError(QStringLiteral("Tabulka %1: %2").arg(table_, reason));
    }

    std::uint32_t Number(int offset, int bytes) const {
        std::uint32_t v = 0;
        const bool ok = bytes == 1   ? in_.U8(offset, v)
                        : bytes == 2 ? in_.U16(offset, v)
                                     : in_.U32(offset, v);
        if (!ok) {
            Fail(QStringLiteral("soubor je zkrácený, chybí i část záhlaví"));
        }
        return v;
    }

    void ParseGeometry() {
        if (in_.Size() < kFieldInfoWithout) {
            Fail(QStringLiteral("soubor je zkrácený, chybí i část záhlaví"));
        }
        h_.recordSize = static_cast<int>(Number(kRecordSize, 2));
        h_.headerSize = static_cast<int>(Number(kHeaderSize, 2));
        h_.fileType = static_cast<int>(Number(kFileType, 1));
        const int kilobytes = static_cast<int>(Number(kBlockKilobytes, 1));
        h_.recordCount = Number(kRecordCount, 4);
        h_.fileBlocks = static_cast<int>(Number(kFileBlocks, 2));
        h_.firstBlock = static_cast<int>(Number(kFirstBlock, 2));
        h_.lastBlock = static_cast<int>(Number(kLastBlock, 2));
        if (h_.fileType == 1 || (h_.fileType >= 3 && h_.fileType <= 8)) {
            Fail(QStringLiteral("soubor je index tabulky, ne tabulka"));
        }
        if (h_.fileType != 0 && h_.fileType != 2) {
            Fail(QStringLiteral("soubor není tabulka Paradoxu (neznámý typ souboru %1)")
                     .arg(h_.fileType));
        }
        if (kilobytes != 1 && kilobytes != 2 && kilobytes != 3 && kilobytes != 4 &&
            kilobytes != 8 && kilobytes != 16 && kilobytes != 32) {
            Fail(QStringLiteral("záhlaví udává nemožnou velikost bloku (%1 kB)").arg(kilobytes));
        }
        h_.blockSize = kilobytes * 1024;
        if (h_.headerSize < kFieldInfoWithout || h_.headerSize > in_.Size()) {
            Fail(QStringLiteral("soubor je zkrácený, chybí i část záhlaví"));
        }
        if (h_.recordSize <= 0 || h_.recordSize + 6 > h_.blockSize) {
            Fail(QStringLiteral("záhlaví udává nemožnou délku záznamu (%1 bajtů)")
                     .arg(h_.recordSize));
        }
    }

    void ParseVersionAndProtection() {
        h_.versionByte = static_cast<int>(Number(kVersionByte, 1));
        if (h_.versionByte < 3 || h_.versionByte > 12) {
            Fail(QStringLiteral("neznámá verze formátu (%1)").arg(h_.versionByte));
        }
        h_.hasDataHeader = h_.versionByte >= 5;
        h_.autoIncrement = Number(kAutoIncrement, 4);
        const std::uint32_t encryption1 = Number(kEncryption1, 4);
        if (h_.hasDataHeader) {
            if (h_.headerSize < kFieldInfoWithDataHeader) {
                Fail(QStringLiteral("soubor je zkrácený, chybí i část záhlaví"));
            }
            h_.encrypted = Number(kEncryption2, 4) != 0 ||
                           (encryption1 != 0 && encryption1 != kNoEncryptionMark);
            h_.codePage = static_cast<int>(Number(kCodePage, 2));
        } else {
            h_.encrypted = encryption1 != 0 && encryption1 != kNoEncryptionMark;
        }
        if (h_.encrypted) {
            Fail(
                QStringLiteral("tabulka je chráněna heslem (zašifrována); odstraňte heslo v "
                               "Paradoxu a převezměte ji znovu"));
        }
    }

    void ParseFields() {
        const int count = static_cast<int>(Number(kFieldCount, 2));
        h_.keyFieldCount = static_cast<int>(Number(kKeyFieldCount, 2));
        if (count == 0) {
            Fail(QStringLiteral("záhlaví neudává žádné pole"));
        }
        if (count > 255 || h_.keyFieldCount > count) {
            Fail(QStringLiteral("záhlaví udává nemožný počet polí (%1)").arg(count));
        }
        int at = h_.hasDataHeader ? kFieldInfoWithDataHeader : kFieldInfoWithout;
        h_.fields.resize(static_cast<size_t>(count));
        for (FieldInfo& field : h_.fields) {
            ParseFieldType(at, field);
            at += 2;
        }
        // Then the table name pointer, one name pointer per field, the table
        // name in a fixed-size buffer and the field names one after another.
        const int namesArea = at + 4 + 4 * count;
        if (!ParseNames(namesArea + (h_.versionByte >= 12 ? 261 : 79)) &&
            !ParseNames(namesArea + (h_.versionByte >= 12 ? 79 : 261))) {
            Fail(QStringLiteral("jména polí v záhlaví jsou poškozená"));
        }
    }

    void ParseFieldType(int at, FieldInfo& field) {
        const std::uint32_t type = Number(at, 1);
        const int size = static_cast<int>(Number(at + 1, 1));
        if (at + 2 > h_.headerSize) {
            Fail(QStringLiteral("soubor je zkrácený, chybí i část záhlaví"));
        }
        if (!IsFieldKind(static_cast<std::uint8_t>(type))) {
            Fail(QStringLiteral("pole č. %1 má neznámý typ 0x%2")
                     .arg(&field - h_.fields.data() + 1)
                     .arg(type, 2, 16, QLatin1Char('0')));
        }
        field.kind = static_cast<FieldKind>(type);
        field.size = size;
        if (field.kind == FieldKind::Bcd) {
            field.decimals = size;
            field.size = 17;
        }
        const int fixed = FixedSize(field.kind);
        if ((fixed != 0 && field.size != fixed) || field.size == 0 ||
            (IsBlob(field.kind) && field.size < 10)) {
            Fail(QStringLiteral("pole č. %1 má nemožnou délku %2")
                     .arg(&field - h_.fields.data() + 1)
                     .arg(size));
        }
    }

    bool ParseNames(int at) {
        const ByteReader header(in_.Slice(0, h_.headerSize));
        std::vector<QString> names;
        for (size_t i = 0; i < h_.fields.size(); ++i) {
            QByteArrayView name;
            if (!header.CString(at, 64, name) || name.isEmpty()) {
                return false;
            }
            for (const char c : name) {
                if (static_cast<unsigned char>(c) < 0x20) {
                    return false;
                }
            }
            names.push_back(QString::fromLatin1(name));
            at += static_cast<int>(name.size()) + 1;
        }
        for (size_t i = 0; i < names.size(); ++i) {
            h_.fields[i].name = names[i];
        }
        // The field numbers (two bytes each), then the sort order name.
        QByteArrayView sortOrder;
        if (header.CString(at + 2 * static_cast<int>(names.size()), 64, sortOrder)) {
            h_.sortOrderName = QString::fromLatin1(sortOrder);
        }
        return true;
    }

    void CheckRecordSize() {
        int sum = 0;
        for (const FieldInfo& field : h_.fields) {
            sum += field.size;
        }
        if (sum != h_.recordSize) {
            Fail(QStringLiteral("délka záznamu v záhlaví (%1 bajtů) nesouhlasí se součtem "
                                "délek polí (%2 bajtů)")
                     .arg(h_.recordSize)
                     .arg(sum));
        }
    }

    ByteReader in_;
    QString table_;
    TableHeader h_;
};

}  // namespace

QString TableHeader::VersionText() const {
    if (versionByte <= 3) {
        return QStringLiteral("3.0");
    }
    if (versionByte == 4) {
        return QStringLiteral("3.5");
    }
    if (versionByte <= 9) {
        return QStringLiteral("4.0");
    }
    if (versionByte <= 11) {
        return QStringLiteral("5.0");
    }
    return QStringLiteral("7.0");
}

TableHeader ParseTableHeader(QByteArrayView file, const QString& tableName) {
    return HeaderParser(file, tableName).Parse();
}

}  // namespace platform::paradox
