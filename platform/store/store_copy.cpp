#include "platform/store/store_copy.h"

#include "platform/store/store_error.h"
#include "platform/store/store_side.h"
#include "platform/store/value_check.h"

namespace platform {
namespace {

// A row's fingerprint, for the check of the copy: FNV-1a over each value's
// kind and bytes.
class RowDigest {
  public:
    void Add(const Value& value) {
        Byte(static_cast<unsigned char>(value.index()));
        if (const auto* i = std::get_if<std::int64_t>(&value)) {
            Bytes(i, sizeof *i);
        } else if (const auto* d = std::get_if<double>(&value)) {
            Bytes(d, sizeof *d);
        } else if (const auto* s = std::get_if<QString>(&value)) {
            Bytes(s->constData(), static_cast<size_t>(s->size()) * sizeof(QChar));
            Byte(0xff);
        } else if (const auto* b = std::get_if<QByteArray>(&value)) {
            Bytes(b->constData(), static_cast<size_t>(b->size()));
            Byte(0xff);
        }
    }
    std::uint64_t Value() const { return hash_; }

  private:
    void Byte(unsigned char c) {
        hash_ ^= c;
        hash_ *= 1099511628211ULL;
    }
    void Bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            Byte(p[i]);
        }
    }
    std::uint64_t hash_ = 1469598103934665603ULL;
};

struct RowCheck {
    std::int64_t rowId;
    std::uint64_t digest;
};

// How a record is named in a message: by its key columns where the table
// has them ("záznam „Rex z Hájku“"), else by its place in the table.
QString RecordLabel(const TableSchema& table, const Row& row, std::int64_t ordinal) {
    QStringList key;
    for (const QString& c : table.order) {
        const Value& v = row[static_cast<size_t>(table.ColumnIndex(c))];
        if (const auto* s = std::get_if<QString>(&v)) {
            key << *s;
        }
    }
    key.removeAll(QString());
    return key.isEmpty() ? QStringLiteral("záznam č. %1").arg(ordinal)
                         : QStringLiteral("záznam „%1“").arg(key.join(QStringLiteral(", ")));
}

// The value in the kind its column keeps on every store: a float column's
// whole number as a float.
Value StoredKind(const ColumnSchema& column, const Value& value) {
    if (column.type == ColumnType::Float) {
        if (const auto* i = std::get_if<std::int64_t>(&value)) {
            return static_cast<double>(*i);
        }
    }
    return value;
}

// A value of another kind than its column's is damaged; the copy refuses it
// rather than change or drop it.
void RequireUndamaged(const TableSchema& table, const Row& row, std::int64_t ordinal) {
    for (size_t i = 0; i < row.size(); ++i) {
        const ColumnSchema& c = table.columns[i];
        if (!FitsColumn(c, row[i])) {
            throw StoreError(
                QStringLiteral("Tabulku %1 nelze zkopírovat: %2 má poškozenou "
                               "hodnotu (%3). Najde ji příkaz harvel-data check; "
                               "opravte ji a kopírujte znovu.")
                    .arg(table.fileName, RecordLabel(table, row, ordinal), DamageText(c, row[i])));
        }
    }
}

void ToStoredKinds(const TableSchema& table, const Row& row, Row& kept) {
    for (size_t i = 0; i < row.size(); ++i) {
        kept[i] = StoredKind(table.columns[i], row[i]);
    }
}

std::uint64_t DigestOf(const Row& row) {
    RowDigest digest;
    for (const Value& v : row) {
        digest.Add(v);
    }
    return digest.Value();
}

std::vector<RowCheck> WriteTable(StoreSide& from, StoreSide& to, const TableSchema& table) {
    std::vector<RowCheck> checks;
    const std::unique_ptr<RowSink> sink = to.Write(table);
    Row kept(table.columns.size());
    from.Scan(table, [&](std::int64_t rowId, const Row& row) {
        const auto ordinal = static_cast<std::int64_t>(checks.size()) + 1;
        RequireUndamaged(table, row, ordinal);
        ToStoredKinds(table, row, kept);
        try {
            sink->Add(rowId, kept);
        } catch (const StoreError& refused) {
            throw StoreError(QStringLiteral("Tabulku %1 nelze zkopírovat do %2: %3: %4.")
                                 .arg(table.fileName, to.Shown(), RecordLabel(table, row, ordinal),
                                      refused.Message()),
                             refused.EngineCode());
        }
        checks.push_back({rowId, DigestOf(kept)});
    });
    sink->Finish();
    return checks;
}

void CheckTable(StoreSide& to, const TableSchema& table, const std::vector<RowCheck>& checks) {
    size_t next = 0;
    Row kept(table.columns.size());
    to.Scan(table, [&](std::int64_t rowId, const Row& row) {
        ToStoredKinds(table, row, kept);
        if (next >= checks.size() || checks[next].rowId != rowId ||
            checks[next].digest != DigestOf(kept)) {
            throw StoreError(
                QStringLiteral("Kontrola kopie: v cíli %1 se tabulka %2 liší od zdroje (%3); "
                               "nic nebylo zapsáno.")
                    .arg(to.Shown(), table.fileName,
                         RecordLabel(table, row, static_cast<std::int64_t>(next) + 1)));
        }
        ++next;
    });
    if (next != checks.size()) {
        throw StoreError(QStringLiteral("Kontrola kopie: v cíli %1 má tabulka %2 %3 záznamů místo "
                                        "%4; nic nebylo zapsáno.")
                             .arg(to.Shown(), table.fileName)
                             .arg(next)
                             .arg(checks.size()));
    }
}

}  // namespace

std::int64_t StoreCopyResult::Rows() const {
    std::int64_t rows = 0;
    for (const CopiedTable& t : tables) {
        rows += t.rows;
    }
    return rows;
}

StoreCopyResult CopyStore(const QString& source, const QString& destination) {
    if (source.trimmed() == destination.trimmed()) {
        throw StoreError(QStringLiteral("Zdroj a cíl kopie jsou tatáž databáze (%1).").arg(source));
    }
    const std::unique_ptr<StoreSide> from = OpenStoreSide(source, StoreSide::Role::Source);
    const std::unique_ptr<StoreSide> to = OpenStoreSide(destination, StoreSide::Role::Destination);
    to->BeginWriting();
    StoreCopyResult result;
    try {
        for (const TableSchema& table : AllTableSchemas()) {
            const std::vector<RowCheck> checks = WriteTable(*from, *to, table);
            CheckTable(*to, table, checks);
            result.tables.push_back({table.fileName, static_cast<std::int64_t>(checks.size())});
        }
        to->CommitWriting();
    } catch (...) {
        to->AbandonWriting();
        throw;
    }
    return result;
}

}  // namespace platform
