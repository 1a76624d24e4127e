#pragma once
// The .MB file of a Paradox table: memos, formatted memos, pictures, OLE and
// binary objects that do not fit the leader kept in the record. The file is a
// row of 4 KiB blocks; a blob lives either alone in a block of its own
// (block type 2) or as one of up to 64 pieces of a sub-allocated block
// (block type 3), found through the block's table of pieces.

#include <QByteArray>
#include <QString>
#include <cstdint>

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
    BlobFile(QByteArray bytes, QString fileName);

    bool IsPresent() const { return present_; }
    const QString& FileName() const { return fileName_; }

    // The blob's bytes; throws ParadoxError naming `tableName` when the
    // pointer leads nowhere or the block disagrees with it.
    QByteArray Read(const BlobPointer& pointer, const QString& tableName,
                    BlobPlace* place = nullptr) const;

  private:
    QByteArray ReadSingle(qsizetype block, const BlobPointer& pointer) const;
    QByteArray ReadPiece(qsizetype block, int index, const BlobPointer& pointer) const;
    [[noreturn]] void Fail(const QString& reason) const;

    QByteArray bytes_;
    QString fileName_;
    bool present_ = false;
    mutable QString table_;
};

}  // namespace platform::paradox
