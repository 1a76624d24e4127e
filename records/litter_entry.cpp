#include "records/litter_entry.h"

#include <QDate>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "platform/czech_locale.h"
#include "platform/store/field.h"
#include "platform/store/schema.h"
#include "platform/store/store_error.h"
#include "records/entry_form_parts.h"

namespace {

const QString kRegisteredName = QStringLiteral("Jmeno_registr");

// The names every listed puppy name and litter row are written with.
QString NamesMemo(const QStringList& names) {
    QString memo;
    for (const QString& name : names) {
        memo += name + QStringLiteral("\r\n");
    }
    return memo;
}

// A look-up of its own, so the data module's tables keep their filters and
// positions and the look-up sees every row of the table.
bool TableHolds(TDM1& dm, const QString& table, const QString& columns,
                const QVariantList& values) {
    platform::Table lookup(dm.Database1, table);
    lookup.Open();
    return lookup.Locate(columns, values);
}

void FillLitterRow(platform::Table& litters, const TLitterInput& input, const QDate& birth) {
    litters.FieldByName(kRegisteredName).SetAsString(input.dam);
    litters.FieldByName(QStringLiteral("Jmeno_reg_otec")).SetAsString(input.sire);
    litters.FieldByName(QStringLiteral("Datum")).SetAsDate(birth);
    // The counts go to the store as typed: a text the checks read as 0 but
    // that is no whole number is refused by the small-integer column.
    litters.FieldByName(QStringLiteral("Pocet_stenat_F")).SetAsString(input.females);
    litters.FieldByName(QStringLiteral("Pocet_stenat_P")).SetAsString(input.males);
    litters.FieldByName(QStringLiteral("Poznamka")).SetAsString(input.note);
    litters.FieldByName(QStringLiteral("Plemeno")).SetAsString(input.breed);
    litters.FieldByName(QStringLiteral("JmenaStenat")).SetAsString(NamesMemo(input.names));
}

void FillPuppySheet(platform::Table& sheets, const TLitterInput& input, const QString& name,
                    const QDate& birth) {
    sheets.FieldByName(kRegisteredName).SetAsString(name);
    sheets.FieldByName(QStringLiteral("Otec")).SetAsString(input.sire);
    sheets.FieldByName(QStringLiteral("Matka")).SetAsString(input.dam);
    sheets.FieldByName(QStringLiteral("Datum_nar")).SetAsDate(birth);
    sheets.FieldByName(QStringLiteral("Plemeno")).SetAsString(input.breed);
    sheets.FieldByName(QStringLiteral("Vlast_odchov")).SetAsBoolean(true);
    // Bred here: the kennel itself is the puppy's breeder.
    sheets.FieldByName(QStringLiteral("Chovatel")).SetAsString(CurrentParametry().Chovatel);
}

void AppendRows(TDM1& dm, const TLitterInput& input, bool createCards) {
    const QDate birth = platform::ParseDate(input.birth);
    dm.TaVrhy.Append();
    FillLitterRow(dm.TaVrhy, input, birth);
    dm.TaVrhy.Post();
    if (!createCards) {
        return;
    }
    // The puppy sheets go in as one bulk append: each row through the column
    // rules, none re-read and re-placed in the record list after it; the
    // list is read once at the end.
    platform::Table& sheets = dm.TaMain_Card;
    sheets.BeginBulkAppend();
    try {
        for (const QString& name : input.names) {
            sheets.Append();
            FillPuppySheet(sheets, input, name, birth);
            sheets.Post();
        }
    } catch (...) {
        sheets.Cancel();
        sheets.EndBulkAppend();
        throw;
    }
    sheets.EndBulkAppend();
}

}  // namespace

int CountOrZero(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

std::optional<QString> TPuppyNames::Add(const QString& typed, int expected) {
    if (typed.trimmed().isEmpty()) {
        return QStringLiteral("Není zadané jméno štěněte");
    }
    if (Count() >= expected) {
        return QStringLiteral("Překročen počet jmen v seznamu ");
    }
    if (Contains(typed)) {
        return QStringLiteral("Jméno štěněte je již v seznamu ");
    }
    names_.append(typed);
    return std::nullopt;
}

void TPuppyNames::RemoveAt(int index) {
    if (index >= 0 && index < Count()) {
        names_.removeAt(index);
    }
}

QStringList LitterInputFailures(TDM1& dm, const TLitterInput& input) {
    QStringList failures;
    if (input.sire.trimmed().isEmpty()) {
        failures << QStringLiteral("Není zadáno jméno otce");
    }
    const QDate birth = platform::ParseDate(input.birth);
    if (!birth.isValid()) {
        failures << QStringLiteral("Neplatné datum");
    }
    const qint64 puppies = qint64(CountOrZero(input.males)) + CountOrZero(input.females);
    if (puppies <= 0) {
        failures << QStringLiteral("Neplatný počet štěňat ");
    }
    if (puppies != input.names.size()) {
        failures << QStringLiteral("Nesouhlasí počet štěňat se seznamem jmen  ");
    }
    if (birth.isValid() && TableHolds(dm, QStringLiteral("vrhy.db"),
                                      QStringLiteral("Jmeno_registr;Datum"), {input.dam, birth})) {
        failures << QStringLiteral("Matka má tento den již zapis v knize vrhů ");
    }
    return failures;
}

QStringList PuppyNameFailures(TDM1& dm, const QStringList& names) {
    QStringList failures;
    if (names.isEmpty()) {
        return failures;
    }
    platform::Table sheets(dm.Database1, QStringLiteral("main_card.db"));
    sheets.Open();
    for (const QString& name : names) {
        if (sheets.Locate(kRegisteredName, name)) {
            failures << QStringLiteral("Požadované jméno %1 , je již zadáno, nelze pokračovat")
                            .arg(name);
        }
    }
    return failures;
}

QStringList PuppySheetFailures() {
    const platform::TableSchema& sheets =
        *platform::FindTableSchema(QStringLiteral("main_card.db"));
    const int width = sheets.columns[sheets.ColumnIndex(QStringLiteral("Chovatel"))].width;
    const QString& kennel = CurrentParametry().Chovatel;
    if (kennel.size() <= width) {
        return {};
    }
    return {QStringLiteral("Jméno chovatele v nastavení má %1 znaků, do evidenčního listu se jich "
                           "vejde %2; zkraťte je v nastavení programu.")
                .arg(kennel.size())
                .arg(width)};
}

void WriteLitter(TDM1& dm, const TLitterInput& input, bool createCards) {
    OpenIfClosed(dm.TaVrhy);
    OpenIfClosed(dm.TaMain_Card);
    // The record sheet the user came from stays current, whatever the
    // appended puppy sheets did to the position.
    const platform::Bookmark shownSheet = dm.TaMain_Card.GetBookmark();
    const auto backToShownSheet = [&dm, &shownSheet] {
        if (shownSheet.IsValid()) {
            dm.TaMain_Card.GotoBookmark(shownSheet);
        }
    };
    dm.Database1.StartTransaction();
    try {
        AppendRows(dm, input, createCards);
        dm.Database1.Commit();
    } catch (...) {
        // The refused row is still being inserted; drop it before the
        // rollback re-reads the tables.
        dm.TaVrhy.Cancel();
        dm.TaMain_Card.Cancel();
        dm.Database1.RollbackAfterFailure();
        backToShownSheet();
        throw;
    }
    if (!createCards) {
        dm.TaMain_Card.Refresh();  // the bulk append of the puppy sheets re-read it already
    }
    backToShownSheet();
}
