#include "records/address_copy.h"

#include "app/dmunit.h"
#include "controls/field_data_link.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"

std::optional<QString> AddressKeyForField(TDM1& dm, const QString& current) {
    QString key;
    try {
        key = dm.AddressLookup(current);
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return std::nullopt;
    }
    if (key.isEmpty()) {
        return std::nullopt;
    }
    if (!current.trimmed().isEmpty() &&
        platform::ShowMessage(QStringLiteral("Přepsat údajem z adresáře ?"), QString(),
                              platform::MessageIcon::Question,
                              platform::mbYes | platform::mbNo) != platform::mbYes) {
        return std::nullopt;
    }
    return key;
}
