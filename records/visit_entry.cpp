#include "records/visit_entry.h"

#include <QDate>

#include "app/dmunit.h"
#include "platform/czech_locale.h"
#include "platform/store/field.h"
#include "records/entry_form_parts.h"

namespace {

void FillVisitRow(platform::Table& visits, const TVisitInput& input) {
    const auto set = [&visits](const char* column, const QString& text) {
        visits.FieldByName(QString::fromLatin1(column)).SetAsString(text);
    };
    set("Jmeno_registr", input.animal);
    set("Lekar", input.doctor);
    SetDateFromText(visits.FieldByName(QStringLiteral("Datum_osetreni")), input.visitDate);
    set("Duvod_osetreni", input.reason);
    set("Popis_osetreni", input.description);
    set("Vysled_osetreni", input.result);
    set("Preparaty", input.preparations);
    SetDateFromText(visits.FieldByName(QStringLiteral("Dalsi_navsteva")), input.nextVisit);
    set("Poznamka", input.note);
}

}  // namespace

QStringList VisitReasons() {
    return {QStringLiteral("Prevence"), QStringLiteral("Prohlídka"), QStringLiteral("Vyšetření"),
            QStringLiteral("Očkování"), QStringLiteral("Ultrazvuk"), QStringLiteral("Rentgen"),
            QStringLiteral("Operace")};
}

QStringList VisitInputFailures(const TVisitInput& input) {
    QStringList failures;
    if (input.doctor.trimmed().isEmpty()) {
        failures << QStringLiteral("Není zadáno jméno lékaře");
    }
    if (!platform::ParseDate(input.visitDate.trimmed()).isValid()) {
        failures << QStringLiteral("Neplatné datum návštěvy");
    }
    if (input.reason.trimmed().isEmpty()) {
        failures << QStringLiteral("Není vyplněn důvod navštěvy");
    }
    return failures;
}

void WriteVisit(TDM1& dm, const TVisitInput& input) {
    AppendRow(dm.TaOsetreni, [&input](platform::Table& row) { FillVisitRow(row, input); });
}
