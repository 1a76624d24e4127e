#include "records/mating_entry.h"

#include <QDate>

#include "app/dmunit.h"
#include "platform/czech_locale.h"
#include "platform/store/field.h"
#include "records/entry_form_parts.h"

namespace {

void FillMatingRow(platform::Table& matings, const TMatingInput& input) {
    const auto set = [&matings](const char* column, const QString& text) {
        matings.FieldByName(QString::fromLatin1(column)).SetAsString(text);
    };
    set("Jmeno_registr", input.animal);
    set("Jmeno_partner", input.partner);
    set("Majitel", input.owner);
    set("Asistence", input.assistance);
    for (int i = 0; i < 3; ++i) {
        const QString number = QString::number(i + 1);
        SetDateFromText(matings.FieldByName(QStringLiteral("Datum_kryti_") + number),
                        input.dates[i]);
        matings.FieldByName(QStringLiteral("Zpusob_Kryti_") + number).SetAsString(input.manners[i]);
        matings.FieldByName(QStringLiteral("Misto_Kryti_") + number).SetAsString(input.places[i]);
    }
    set("Chovatel_zamer", input.intention);
    // The counts go as typed: the small-integer columns refuse what is no
    // whole number.
    set("Pocet_pes", input.males.trimmed());
    set("Pocet_fena", input.females.trimmed());
    matings.FieldByName(QStringLiteral("Nakryta_Ano_Ne")).SetAsBoolean(input.covered);
    SetDateFromText(matings.FieldByName(QStringLiteral("Datum_vrhu")), input.litterDate);
}

}  // namespace

QStringList MatingManners() {
    return {QStringLiteral("přirozený (přírodní)"), QStringLiteral("inseminace")};
}

QStringList MatingInputFailures(const TMatingInput& input) {
    QStringList failures;
    if (input.partner.trimmed().isEmpty()) {
        failures << QStringLiteral("Není zadáno jméno partnera");
    }
    if (!platform::ParseDate(input.dates[0].trimmed()).isValid()) {
        failures << QStringLiteral("Neplatné datum 1. krytí");
    }
    return failures;
}

void WriteMating(TDM1& dm, const TMatingInput& input) {
    AppendRow(dm.TaKryti, [&input](platform::Table& row) { FillMatingRow(row, input); });
}
