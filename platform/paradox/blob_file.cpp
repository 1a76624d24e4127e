#include "platform/paradox/blob_file.h"

#include "platform/paradox/byte_reader.h"
#include "platform/paradox/paradox_error.h"

namespace platform::paradox {
namespace {

constexpr qsizetype kChunk = 4096;
constexpr int kSingleBlock = 2;
constexpr int kSubAllocatedBlock = 3;
constexpr int kSingleDataOffset = 9;
constexpr int kPieceTable = 12;
constexpr int kPieceCount = 64;
constexpr int kPieceEntrySize = 5;

}  // namespace

BlobFile::BlobFile(QByteArray bytes, QString fileName)
    : bytes_(std::move(bytes)), fileName_(std::move(fileName)), present_(true) {}

void BlobFile::Fail(const QString& reason) const {
    throw ParadoxError(QStringLiteral("Tabulka %1: %2").arg(table_, reason));
}

QByteArray BlobFile::Read(const BlobPointer& pointer, const QString& tableName,
                          BlobPlace* place) const {
    table_ = tableName;
    const qsizetype block = pointer.offset & 0xFFFFFF00u;
    const int index = static_cast<int>(pointer.offset & 0xFFu);
    const ByteReader in(bytes_);
    std::uint32_t type = 0;
    if (block == 0 || block % kChunk != 0 || !in.U8(block, type))
        Fail(QStringLiteral("ukazatel poznámky nebo obrázku míří mimo soubor %1 (posun %2)")
                 .arg(fileName_)
                 .arg(block));
    if (type == kSingleBlock && index == 0xFF) {
        if (place)
            *place = BlobPlace::SingleBlock;
        return ReadSingle(block, pointer);
    }
    if (type == kSubAllocatedBlock && index < kPieceCount) {
        if (place)
            *place = BlobPlace::SubAllocated;
        return ReadPiece(block, index, pointer);
    }
    Fail(QStringLiteral("ukazatel poznámky nebo obrázku míří v souboru %1 na blok, který "
                        "ji neobsahuje (posun %2, typ bloku %3)")
             .arg(fileName_)
             .arg(block)
             .arg(type));
}

QByteArray BlobFile::ReadSingle(qsizetype block, const BlobPointer& pointer) const {
    const ByteReader in(bytes_);
    std::uint32_t chunks = 0, length = 0;
    in.U16(block + 1, chunks);
    in.U32(block + 3, length);
    if (length != pointer.length)
        Fail(QStringLiteral("poznámka nebo obrázek v souboru %1 má jinou délku (%2 bajtů), "
                            "než udává záznam (%3 bajtů)")
                 .arg(fileName_)
                 .arg(length)
                 .arg(pointer.length));
    if (static_cast<qsizetype>(length) + kSingleDataOffset >
        static_cast<qsizetype>(chunks) * kChunk)
        Fail(QStringLiteral("blok poznámky v souboru %1 je kratší než poznámka (posun %2)")
                 .arg(fileName_)
                 .arg(block));
    const QByteArrayView data = in.Slice(block + kSingleDataOffset, length);
    if (data.size() != static_cast<qsizetype>(length))
        Fail(QStringLiteral("soubor %1 je zkrácený, poznámka nebo obrázek v něm končí předčasně")
                 .arg(fileName_));
    return data.toByteArray();
}

QByteArray BlobFile::ReadPiece(qsizetype block, int index, const BlobPointer& pointer) const {
    const ByteReader in(bytes_);
    const qsizetype entry = block + kPieceTable + index * kPieceEntrySize;
    std::uint32_t start = 0, paragraphs = 0;
    if (!in.U8(entry, start) || !in.U8(entry + 1, paragraphs))
        Fail(QStringLiteral("soubor %1 je zkrácený, chybí tabulka částí bloku").arg(fileName_));
    const qsizetype length = pointer.length;
    if (paragraphs == 0 || length > static_cast<qsizetype>(paragraphs) * 16 ||
        length <= static_cast<qsizetype>(paragraphs - 1) * 16 || start * 16 < kPieceTable)
        Fail(QStringLiteral("ukazatel poznámky míří v souboru %1 na prázdnou nebo jinak dlouhou "
                            "část bloku (posun %2, část %3)")
                 .arg(fileName_)
                 .arg(block)
                 .arg(index));
    const qsizetype at = block + static_cast<qsizetype>(start) * 16;
    if (at + length > block + kChunk)
        Fail(QStringLiteral("část bloku v souboru %1 přesahuje blok (posun %2, část %3)")
                 .arg(fileName_)
                 .arg(block)
                 .arg(index));
    const QByteArrayView data = in.Slice(at, length);
    if (data.size() != length)
        Fail(
            QStringLiteral("soubor %1 je zkrácený, poznámka v něm končí předčasně").arg(fileName_));
    return data.toByteArray();
}

}  // namespace platform::paradox
