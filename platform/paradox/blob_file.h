#pragma once
// The .MB file of a Paradox table: memos, formatted memos, pictures, OLE and
// binary objects that do not fit the leader kept in the record. The file is a
// row of 4 KiB blocks; a blob lives either alone in a block of its own
// (block type 2) or as one of up to 64 pieces of a sub-allocated block
// (block type 3), found through the block's table of pieces.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <memory>

namespace platform::paradox {

enum class BlobPlace { Leader, SingleBlock, SubAllocated };

struct BlobPointer {
    std::uint32_t offset = 0;  // block offset in the .MB, piece index in the low byte
    std::uint32_t length = 0;
    std::uint16_t modification = 0;
};

class BlobFile {
  public:
    BlobFile() = default;
    // Reads blobs from `device` (open for reading) as they are asked for, so
    // a .MB of any size costs no more memory than its largest blob.
    BlobFile(std::unique_ptr<QIODevice> device, QString fileName);

    bool IsPresent() const { return device_ != nullptr; }
    const QString& FileName() const { return fileName_; }

    // The blob's bytes; throws ParadoxError naming `tableName` when the
    // pointer leads nowhere or the block disagrees with it.
    QByteArray Read(const BlobPointer& pointer, const QString& tableName,
                    BlobPlace* place = nullptr) const;

  private:
    QByteArray ReadSingle(qint64 block, const QByteArray& head, const BlobPointer& pointer) const;
    QByteArray ReadPiece(qint64 block, const QByteArray& head, int index,
                         const BlobPointer& pointer) const;
    QByteArray ReadAt(qint64 offset, qint64 count) const;
    [[noreturn]] void Fail(const QString& reason) const;

    std::shared_ptr<QIODevice> device_;
    QString fileName_;
    mutable QString table_;
};

}  // namespace platform::paradox
