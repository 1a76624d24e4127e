// The data module's address-book lookup, used by the launcher, the record
// sheet's breeder and owner buttons and the event forms.
#include "app/dmunit.h"
#include "app/foadresar.h"
#include "platform/store/field.h"
#include "platform/widgets/dialogs.h"

QString TDM1::AddressLookup(const QString& name) {
    const QString keyColumn = QStringLiteral("Nazev_Key");
    if (!TaAdresar.IsActive()) {
        TaAdresar.Open();
    }
    TaAdresar.Locate(keyColumn, name);
    TFoAdresar form(*this);
    if (platform::ExecModal(form) != QDialog::Accepted || TaAdresar.RecNo() < 0) {
        return QString();
    }
    return TaAdresar.FieldByName(keyColumn).AsString();
}
