#include "platform/paradox/paradox_table.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/paradox/byte_reader.h"
#include "platform/paradox/field_value.h"
#include "platform/paradox/paradox_error.h"
#include "platform/paradox/plain_file.h"

namespace platform::paradox {
namespace {

constexpr int kBlockHeaderSize = 6;
// Paradox puts this before the picture bytes of a graphic field: 01 00 00 01
// and then the picture's length as a 32-bit number.
constexpr char kGraphicHeader[4] = {1, 0, 0, 1};
constexpr int kGraphicHeaderSize = 8;

std::uint32_t Le32(const char* p) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(p[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[3])) << 24;
}

// The header is never longer than its 16-bit size field can say.
constexpr qint64 kLongestHeader = 0x10000;

std::unique_ptr<QIODevice> OpenFile(const QString& path, const QString& tableName) {
    if (const QString reason = NotPlainFileReason(path); !reason.isEmpty()) {
        throw ParadoxError(QStringLiteral("Tabulka %1: soubor %2 se nečte, je to %3.")
                               .arg(tableName, QDir::toNativeSeparators(path), reason));
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        throw ParadoxError(
            QStringLiteral("Tabulka %1: soubor %2 nelze číst: %3")
                .arg(tableName, QDir::toNativeSeparators(path), file->errorString()));
    }
    return file;
}

std::unique_ptr<QIODevice> OpenBytes(const QByteArray& bytes) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

TableHeader ReadHeader(QIODevice& device, const QString& tableName) {
    device.seek(0);
    return ParseTableHeader(device.read(kLongestHeader), tableName);
}

bool HasBlobFields(const TableHeader& header) {
    for (const FieldInfo& field : header.fields) {
        if (IsBlob(field.kind)) {
            return true;
        }
    }
    return false;
}

QByteArray WithoutGraphicHeader(QByteArray bytes) {
    if (bytes.size() >= kGraphicHeaderSize &&
        QByteArrayView(bytes).first(4) == QByteArrayView(kGraphicHeader, 4) &&
        Le32(bytes.constData() + 4) ==
            static_cast<std::uint32_t>(bytes.size() - kGraphicHeaderSize)) {
        bytes.remove(0, kGraphicHeaderSize);
    }
    return bytes;
}

}  // namespace

QString FindBlobFile(const QString& dbPath) {
    const QFileInfo db(dbPath);
    const QString wanted = db.completeBaseName() + QStringLiteral(".mb");
    const QDir folder = db.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return folder.filePath(name);
        }
    }
    return QString();
}

ParadoxTable::ParadoxTable(const QString& dbPath, const ReadOptions& options)
    : name_(QFileInfo(dbPath).fileName()) {
    std::unique_ptr<QIODevice> db = OpenFile(dbPath, name_);
    header_ = ReadHeader(*db, name_);
    bool mbPresent = false;
    if (HasBlobFields(header_)) {
        const QString mbPath = FindBlobFile(dbPath);
        if (!mbPath.isEmpty()) {
            mb_ = BlobFile(OpenFile(mbPath, name_), QFileInfo(mbPath).fileName());
            mbPresent = true;
        }
    }
    Init(std::move(db), options, mbPresent);
}

ParadoxTable::ParadoxTable(QByteArray db, std::optional<QByteArray> mb, const QString& tableName,
                           const ReadOptions& options)
    : name_(tableName) {
    std::unique_ptr<QIODevice> device = OpenBytes(db);
    header_ = ReadHeader(*device, name_);
    if (mb) {
        mb_ = BlobFile(OpenBytes(*mb),
                       QFileInfo(tableName).completeBaseName() + QStringLiteral(".MB"));
    }
    Init(std::move(device), options, mb.has_value());
}

void ParadoxTable::Init(std::unique_ptr<QIODevice> db, const ReadOptions& options, bool mbPresent) {
    db_ = std::move(db);
    if (HasBlobFields(header_) && !mbPresent) {
        Fail(QStringLiteral("chybí soubor %1.MB s poznámkami a obrázky tabulky")
                 .arg(QFileInfo(name_).completeBaseName()));
    }
    int number = options.codePage;
    if (number == 0) {
        number = header_.codePage != 0 ? header_.codePage : options.codePageWhenUnnamed;
    }
    try {
        codePage_.emplace(number);
    } catch (const ParadoxError& e) {
        Fail(e.Message() + QStringLiteral("; zadejte kódovou stránku tabulky"));
    }
    int offset = 0;
    for (FieldInfo& field : header_.fields) {
        offsets_.push_back(offset);
        offset += field.size;
        field.name = codePage_->Decode(field.name.toLatin1());
    }
}

void ParadoxTable::Fail(const QString& reason) const {
    throw ParadoxError(QStringLiteral("Tabulka %1: %2").arg(name_, reason));
}

int ParadoxTable::FieldIndex(const QString& name) const {
    for (size_t i = 0; i < header_.fields.size(); ++i) {
        if (header_.fields[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ParadoxTable::CheckedBlock(int number, std::vector<bool>& seen) const {
    if (number > header_.fileBlocks || number < 1) {
        Fail(QStringLiteral("ukazatel na datový blok %1 míří za konec souboru (soubor má %2 "
                            "bloků)")
                 .arg(number)
                 .arg(header_.fileBlocks));
    }
    if (seen[static_cast<size_t>(number)]) {
        Fail(QStringLiteral("řetěz datových bloků se uzavírá do kruhu (blok %1)").arg(number));
    }
    seen[static_cast<size_t>(number)] = true;
    return number;
}

// The block's bytes, shorter than a block where the file ends inside it.
QByteArray ParadoxTable::ReadBlock(int number) const {
    const qint64 at = header_.headerSize + static_cast<qint64>(number - 1) * header_.blockSize;
    if (at >= db_->size() || !db_->seek(at)) {
        return QByteArray();
    }
    return db_->read(header_.blockSize);
}

void ParadoxTable::ForEachRecord(const std::function<bool(const Record&)>& visit,
                                 BlobCounts* counts) const {
    std::vector<bool> seen(static_cast<size_t>(header_.fileBlocks) + 1, false);
    const int recordSize = header_.recordSize;
    std::uint32_t read = 0;
    Record record(header_.fields.size());
    for (int block = header_.firstBlock; block != 0;) {
        CheckedBlock(block, seen);
        const QByteArray bytes = ReadBlock(block);
        const ByteReader in(bytes);
        std::uint32_t next = 0, lastOffset = 0;
        if (!in.U16(0, next) || !in.U16(4, lastOffset)) {
            Fail(QStringLiteral("soubor je zkrácený, datový blok %1 v něm chybí").arg(block));
        }
        const int last = static_cast<std::int16_t>(lastOffset);
        const int count = last < 0 ? 0 : last / recordSize + 1;
        if (last >= 0 && last % recordSize != 0) {
            Fail(QStringLiteral("datový blok %1 je poškozený (posun posledního záznamu %2 není "
                                "násobkem délky záznamu)")
                     .arg(block)
                     .arg(last));
        }
        if (kBlockHeaderSize + static_cast<qsizetype>(count) * recordSize > header_.blockSize) {
            Fail(QStringLiteral("datový blok %1 je poškozený (udává víc záznamů, než se do něj "
                                "vejde)")
                     .arg(block));
        }
        if (!in.Has(kBlockHeaderSize, static_cast<qsizetype>(count) * recordSize)) {
            Fail(QStringLiteral("soubor je zkrácený, datový blok %1 končí předčasně").arg(block));
        }
        for (int r = 0; r < count; ++r) {
            DecodeRecord(
                bytes.constData() + kBlockHeaderSize + static_cast<qsizetype>(r) * recordSize,
                record, counts);
            ++read;
            if (!visit(record)) {
                return;
            }
        }
        block = static_cast<int>(next);
    }
    if (read != header_.recordCount) {
        Fail(QStringLiteral("záhlaví udává %1 záznamů, datové bloky jich obsahují %2")
                 .arg(header_.recordCount)
                 .arg(read));
    }
}

std::vector<Record> ParadoxTable::ReadAll(BlobCounts* counts) const {
    std::vector<Record> records;
    ForEachRecord(
        [&records](const Record& r) {
            records.push_back(r);
            return true;
        },
        counts);
    return records;
}

void ParadoxTable::DecodeRecord(const char* data, Record& out, BlobCounts* counts) const {
    for (size_t i = 0; i < header_.fields.size(); ++i) {
        const FieldInfo& field = header_.fields[i];
        const char* at = data + offsets_[i];
        if (field.kind == FieldKind::Alpha) {
            out[i] = at[0] == 0 ? QVariant()
                                : QVariant(codePage_->Decode(QByteArrayView(at, field.size)));
        } else if (IsBlob(field.kind)) {
            out[i] = DecodeBlob(field, at, counts);
        } else {
            out[i] = DecodeFixedField(field, QByteArrayView(at, field.size));
        }
    }
}

QVariant ParadoxTable::DecodeBlob(const FieldInfo& field, const char* data,
                                  BlobCounts* counts) const {
    const int leader = field.size - 10;
    BlobPointer pointer;
    pointer.offset = Le32(data + leader);
    pointer.length = Le32(data + leader + 4);
    if (pointer.length == 0) {
        return QVariant();
    }
    QByteArray bytes;
    if ((pointer.offset & 0xFFFFFF00u) == 0) {
        if (pointer.length > static_cast<std::uint32_t>(leader)) {
            Fail(QStringLiteral("pole %1 ukazuje na poznámku (%2 bajtů), která není v souboru "
                                "%3 ani v záznamu")
                     .arg(field.name)
                     .arg(pointer.length)
                     .arg(mb_.FileName()));
        }
        bytes = QByteArray(data, static_cast<qsizetype>(pointer.length));
    } else {
        try {
            bytes = mb_.Read(pointer, name_);
        } catch (const ParadoxError& e) {
            throw ParadoxError(e.Message() + QStringLiteral(" (pole %1)").arg(field.name));
        }
    }
    if (IsTextBlob(field.kind)) {
        if (counts) {
            ++counts->memos;
        }
        return codePage_->Decode(bytes);
    }
    if (field.kind == FieldKind::Graphic) {
        if (counts) {
            ++counts->pictures;
        }
        return WithoutGraphicHeader(std::move(bytes));
    }
    if (counts) {
        ++counts->objects;
    }
    return bytes;
}

}  // namespace platform::paradox
