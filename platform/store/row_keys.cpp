#include "platform/store/row_keys.h"

#include "platform/store/store_error.h"

namespace platform {
namespace {

struct IdentifyingKey {
    const char* table;
    const char* column;
    const char* what;    // how the refusal names the value
    const char* filled;  // "vyplněno" or "vyplněn", as the name's gender asks
};

constexpr IdentifyingKey kKeys[] = {
    {"main_card", "Jmeno_registr", "registrované jméno", "vyplněno"},
    {"adresar", "Nazev_Key", "klíčový název", "vyplněn"},
    {"plemeno", "Plemeno", "název plemena", "vyplněn"},
    // An event belongs to the animal it names: without the name no list,
    // filter or pedigree ever finds it again.
    {"vrhy", "Jmeno_registr", "registrované jméno zvířete", "vyplněno"},
    {"foto_album", "Jmeno_registr", "registrované jméno zvířete", "vyplněno"},
    {"kryti", "Jmeno_registr", "registrované jméno zvířete", "vyplněno"},
    {"osetreni", "Jmeno_registr", "registrované jméno zvířete", "vyplněno"},
    {"vystavy", "Jmeno_registr", "registrované jméno zvířete", "vyplněno"},
    {"tituly", "Jmeno_Registr", "registrované jméno zvířete", "vyplněno"},
    {"zkousky", "Jmeno_Registr", "registrované jméno zvířete", "vyplněno"},
    {"chovnost", "Jmeno_registr", "registrované jméno zvířete", "vyplněno"},
    {"rodokmen", "Jmeno_registr", "registrované jméno zvířete", "vyplněno"},
    {"harani", "Jmeno_registr", "registrované jméno zvířete", "vyplněno"},
};

const IdentifyingKey* KeyOf(const TableSchema& table) {
    for (const IdentifyingKey& key : kKeys) {
        if (table.sqlName.compare(QLatin1String(key.table), Qt::CaseInsensitive) == 0) {
            return &key;
        }
    }
    return nullptr;
}

bool IsBlank(const Value& value) {
    if (IsNullValue(value)) {
        return true;
    }
    const auto* text = std::get_if<QString>(&value);
    return text != nullptr && text->trimmed().isEmpty();
}

}  // namespace

const ColumnSchema* IdentifyingColumn(const TableSchema& table) {
    const IdentifyingKey* key = KeyOf(table);
    return key != nullptr ? table.FindColumn(QLatin1String(key->column)) : nullptr;
}

void RequireIdentifyingKey(const TableSchema& table, const Row& row) {
    const IdentifyingKey* key = KeyOf(table);
    if (key == nullptr) {
        return;
    }
    const int column = table.ColumnIndex(QLatin1String(key->column));
    if (column < 0 || column >= static_cast<int>(row.size()) ||
        !IsBlank(row[static_cast<size_t>(column)])) {
        return;
    }
    throw StoreError(QStringLiteral("Záznam tabulky %1 nelze uložit: %2 (%3) musí být %4.")
                         .arg(table.fileName, QString::fromUtf8(key->what),
                              QLatin1String(key->column), QString::fromUtf8(key->filled)));
}

}  // namespace platform
