#pragma once
// The header of a Paradox table file (.DB): record and block geometry, the
// chain of data blocks, the fields, the code page of the data header and the
// sort order name. Parsing checks that the header is consistent with itself
// and with the file's size, so the block reader can trust what it gives.

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/paradox/field_kind.h"

namespace platform::paradox {

struct TableHeader {
    int recordSize = 0;
    int headerSize = 0;
    int fileType = 0;  // 0 keyed table, 2 unkeyed table
    int blockSize = 0;
    std::uint32_t recordCount = 0;
    int fileBlocks = 0;  // blocks the file holds, free ones included
    int firstBlock = 0;  // 0: no data block
    int lastBlock = 0;
    int keyFieldCount = 0;
    int versionByte = 0;  // 3 (3.0), 4 (3.5), 5..9 (4.x), 10..11 (5.x), 12 (7)
    bool hasDataHeader = false;
    bool encrypted = false;
    int codePage = 0;  // 0 when the header names none
    std::uint32_t autoIncrement = 0;
    QString sortOrderName;
    std::vector<FieldInfo> fields;

    bool Keyed() const { return fileType == 0; }
    // "3.0", "3.5", "4.0", "5.0", "7.0"
    QString VersionText() const;
};

// Throws ParadoxError naming `tableName` when the bytes are not a readable
// Paradox table.
TableHeader ParseTableHeader(QByteArrayView file, const QString& tableName);

}  // namespace platform::paradox
