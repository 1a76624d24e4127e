#include "platform/paradox/blob_file.h"

#include "platform/paradox/byte_reader.h"
#include "platform/paradox/paradox_error.h"

namespace platform::paradox {
namespace {

constexpr qint64 kChunk = 4096;
constexpr int kSingleBlock = 2;
constexpr int kSubAllocatedBlock = 3;
constexpr int kSingleDataOffset = 9;
constexpr int kPieceTable = 12;
constexpr int kPieceCount = 64;
constexpr int kPieceEntrySize = 5;

}  // namespace

BlobFile::BlobFile(std::unique_ptr<QIODevice> device, QString fileName)
    : device_(std::move(device)), fileName_(std::move(fileName)) {}

void BlobFile::Fail(const QString& reason) const {
    throw ParadoxError(QStringLiteral("Tabulka %1: %2").arg(table_, reason));
}

// Up to `count` bytes at `offset`; fewer where the file ends.
QByteArray BlobFile::ReadAt(qint64 offset, qint64 count) const {
    if (offset < 0 || offset >= device_->size() || !device_->seek(offset)) {
        return QByteArray();
    }
    return device_->read(std::min(count, device_->size() - offset));
}

QByteArray BlobFile::Read(const BlobPointer& pointer, const QString& tableName,
                          BlobPlace* place) const {
    table_ = tableName;
    const qint64 block = pointer.offset & 0xFFFFFF00u;
    const int index = static_cast<int>(pointer.offset & 0xFFu);
    const QByteArray head =
        block == 0 || block % kChunk != 0 ? QByteArray() : ReadAt(block, kChunk);
    if (head.isEmpty()) {
        Fail(QStringLiteral("ukazatel poznámky nebo obrázku míří mimo soubor %1 (posun %2)")
                 .arg(fileName_)
                 .arg(block));
    }
    const int type = static_cast<unsigned char>(head[0]);
    if (type == kSingleBlock && index == 0xFF) {
        if (place) {
            *place = BlobPlace::SingleBlock;
        }
        return ReadSingle(block, head, pointer);
    }
    if (type == kSubAllocatedBlock && index < kPieceCount) {
        if (place) {
            *place = BlobPlace::SubAllocated;
        }
        return ReadPiece(block, head, index, pointer);
    }
    Fail(QStringLiteral("ukazatel poznámky nebo obrázku míří v souboru %1 na blok, který "
                        "ji neobsahuje (posun %2, typ bloku %3)")
             .arg(fileName_)
             .arg(block)
             .arg(type));
}

QByteArray BlobFile::ReadSingle(qint64 block, const QByteArray& head,
                                const BlobPointer& pointer) const {
    const ByteReader in(head);
    std::uint32_t chunks = 0, length = 0;
    if (!in.U16(1, chunks) || !in.U32(3, length)) {
        Fail(QStringLiteral("soubor %1 je zkrácený, poznámka nebo obrázek v něm končí předčasně")
                 .arg(fileName_));
    }
    if (length != pointer.length) {
        Fail(QStringLiteral("poznámka nebo obrázek v souboru %1 má jinou délku (%2 bajtů), "
                            "než udává záznam (%3 bajtů)")
                 .arg(fileName_)
                 .arg(length)
                 .arg(pointer.length));
    }
    if (static_cast<qint64>(length) + kSingleDataOffset > static_cast<qint64>(chunks) * kChunk) {
        Fail(QStringLiteral("blok poznámky v souboru %1 je kratší než poznámka (posun %2)")
                 .arg(fileName_)
                 .arg(block));
    }
    const QByteArray data = ReadAt(block + kSingleDataOffset, length);
    if (data.size() != static_cast<qsizetype>(length)) {
        Fail(QStringLiteral("soubor %1 je zkrácený, poznámka nebo obrázek v něm končí předčasně")
                 .arg(fileName_));
    }
    return data;
}

QByteArray BlobFile::ReadPiece(qint64 block, const QByteArray& head, int index,
                               const BlobPointer& pointer) const {
    const ByteReader in(head);
    const qsizetype entry = kPieceTable + index * kPieceEntrySize;
    std::uint32_t start = 0, paragraphs = 0;
    if (!in.U8(entry, start) || !in.U8(entry + 1, paragraphs)) {
        Fail(QStringLiteral("soubor %1 je zkrácený, chybí tabulka částí bloku").arg(fileName_));
    }
    const qsizetype length = pointer.length;
    if (paragraphs == 0 || length > static_cast<qsizetype>(paragraphs) * 16 ||
        length <= static_cast<qsizetype>(paragraphs - 1) * 16 || start * 16 < kPieceTable) {
        Fail(QStringLiteral("ukazatel poznámky míří v souboru %1 na prázdnou nebo jinak dlouhou "
                            "část bloku (posun %2, část %3)")
                 .arg(fileName_)
                 .arg(block)
                 .arg(index));
    }
    const qsizetype at = static_cast<qsizetype>(start) * 16;
    if (at + length > kChunk) {
        Fail(QStringLiteral("část bloku v souboru %1 přesahuje blok (posun %2, část %3)")
                 .arg(fileName_)
                 .arg(block)
                 .arg(index));
    }
    const QByteArrayView data = in.Slice(at, length);
    if (data.size() != length) {
        Fail(
            QStringLiteral("soubor %1 je zkrácený, poznámka v něm končí předčasně").arg(fileName_));
    }
    return data.toByteArray();
}

}  // namespace platform::paradox
