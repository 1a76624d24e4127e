// The data module's address-book lookup, used by the launcher, the record
// sheet's breeder and owner buttons and the event forms.
#include "app/address_pick_dialog.h"
#include "app/dmunit.h"
#include "platform/store/field.h"
#include "platform/widgets/dialogs.h"

QString TDM1::AddressLookup(const QString& name) {
    const QString keyColumn = QStringLiteral("Nazev_Key");
    TaAdresar.Open();
    TaAdresar.Locate(keyColumn, name);
    TAddressPickDialog dialog(SoAdresar);
    if (platform::ExecModal(dialog) != QDialog::Accepted || TaAdresar.RecNo() < 0) {
        return QString();
    }
    return TaAdresar.FieldByName(keyColumn).AsString();
}
