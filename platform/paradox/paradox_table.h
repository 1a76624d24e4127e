#pragma once
// A Paradox table (.DB, with its .MB beside it) of the old installation's
// data folder, read one block at a time, so a table of any size takes the
// memory of one block and one blob. Records come in the order of the chain of data
// blocks (key order in a keyed table), whatever order the blocks have in the
// file; the space a block keeps for deleted or future records is skipped.
//
// Each record is one QVariant per field (see field_value.h for the scalar
// kinds): alpha, memo and formatted memo give QString in the table's code
// page; graphic, OLE and binary fields give QByteArray (a picture without the
// graphic header Paradox puts before it). Empty fields are invalid QVariants.
//
// The reader never writes the files it reads. Every fault (truncated file,
// block pointer out of the file, missing .MB, encrypted table, header that
// contradicts itself) is a ParadoxError naming the table.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

#include "platform/paradox/blob_file.h"
#include "platform/paradox/code_page.h"
#include "platform/paradox/table_header.h"

namespace platform::paradox {

using Record = std::vector<QVariant>;

struct ReadOptions {
    // Replaces the header's code page (for tables whose header names the wrong
    // one); 0 keeps the header's.
    int codePage = 0;
    // Used when the header names none (tables before Paradox 4): the Czech DOS code page.
    int codePageWhenUnnamed = 852;
};

// What the reader saw of the blob fields, for the import's summary.
struct BlobCounts {
    int memos = 0;     // non-empty memo and formatted memo values
    int pictures = 0;  // non-empty graphic values
    int objects = 0;   // non-empty OLE and binary values
};

class ParadoxTable {
  public:
    // Reads `dbPath` and, when the table has blob fields, the .MB file of the
    // same name beside it (any letter case).
    explicit ParadoxTable(const QString& dbPath, const ReadOptions& options = {});
    // From bytes already read; `mb` absent means there is no .MB file.
    ParadoxTable(QByteArray db, std::optional<QByteArray> mb, const QString& tableName,
                 const ReadOptions& options = {});

    const QString& Name() const { return name_; }
    const TableHeader& Header() const { return header_; }
    int CodePageNumber() const { return codePage_->Number(); }
    const std::vector<FieldInfo>& Fields() const { return header_.fields; }
    int FieldIndex(const QString& name) const;  // ignoring case; -1 when absent

    // Calls `visit` for each record in table order; stops when it returns false.
    void ForEachRecord(const std::function<bool(const Record&)>& visit,
                       BlobCounts* counts = nullptr) const;
    std::vector<Record> ReadAll(BlobCounts* counts = nullptr) const;

  private:
    void Init(std::unique_ptr<QIODevice> db, const ReadOptions& options, bool mbPresent);
    QByteArray ReadBlock(int number) const;
    int CheckedBlock(int number, std::vector<bool>& seen) const;
    void DecodeRecord(const char* data, Record& out, BlobCounts* counts) const;
    QVariant DecodeBlob(const FieldInfo& field, const char* data, BlobCounts* counts) const;
    [[noreturn]] void Fail(const QString& reason) const;

    QString name_;
    std::shared_ptr<QIODevice> db_;
    BlobFile mb_;
    TableHeader header_;
    std::optional<CodePage> codePage_;
    std::vector<int> offsets_;
};

// The .MB file beside a .DB file, found without regard to letter case; an
// empty string when there is none.
QString FindBlobFile(const QString& dbPath);

}  // namespace platform::paradox
