#include "app/address_print.h"

#include "platform/store/field.h"

const TPrintSource& AddressPrintSource() {
    static const TPrintSource source{
        QStringLiteral("Adresář"),
        QStringLiteral("Adresář"),
        QStringLiteral("SoQPomknihy"),
        {{QStringLiteral("Obálka C6 (162 x 114 mm)"), QStringLiteral("AdresarObalkaC6.pts")},
         {QStringLiteral("Obálka DL (220 x 110 mm)"), QStringLiteral("AdresarObalkaDL.pts")},
         {QStringLiteral("Štítky 3 x 8 na A4 (70 x 37 mm)"),
          QStringLiteral("AdresarStitky00.pts")}}};
    return source;
}

QStringList AddressKinds() {
    return {QStringLiteral("Dodavatel"),    QStringLiteral("Chovatel"),  QStringLiteral("Lékař"),
            QStringLiteral("Státní orgán"), QStringLiteral("Odběratel"), QStringLiteral("Ostatní")};
}

QString AddressKindClause(int kind) {
    if (kind < 0) {
        return QString();
    }
    return QStringLiteral("Typ = %1").arg(kind);
}

QString AddressListOrder() {
    return QStringLiteral("Nazev_Key ASC");
}

QString AddressKindText(const platform::Field& field, bool /*display*/) {
    if (field.IsNull()) {
        return QString();
    }
    const qint64 kind = field.AsInteger();
    const QStringList kinds = AddressKinds();
    return kind >= 0 && kind < kinds.size() ? kinds.at(static_cast<int>(kind))
                                            : QString::number(kind);
}
