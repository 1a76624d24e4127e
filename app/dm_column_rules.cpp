// The rules the data module attaches to columns, in force wherever the
// column is written or shown: the record sheet's date entry, the defaults
// of a new card and of a new breed, the "Ano"/"Ne" booleans of the list and
// of the breed list, and the breed name that may not be empty nor repeat.
#include "app/address_print.h"
#include "app/complete_date.h"
#include "app/dmunit.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "platform/store/table.h"

namespace {

const char* const kCardDates[] = {"Datum_nar", "Datum_uhyn", "Datum_vyr", "Datum_zar"};

// An empty text keeps the date the column had; a text that completes
// against today is stored; anything else is reported and empties the column.
void SetCardDateText(platform::Field& field, const QString& text) {
    if (text.trimmed().isEmpty()) {
        return;
    }
    if (const std::optional<QDate> date = CompleteDate(text)) {
        field.SetAsDate(*date);
        return;
    }
    platform::ShowMessage(QStringLiteral("Chybné datum !"), QString(), platform::MessageIcon::Error,
                          platform::mbOK);
    field.Clear();
}

QString YesNoText(const platform::Field& field, bool /*display*/) {
    return field.AsBoolean() ? QStringLiteral("Ano") : QStringLiteral("Ne");
}

// "ANO" is looked for first, so a text holding both words means true.
void SetShownBreedText(platform::Field& field, const QString& text) {
    const QString upper = text.toUpper();
    if (upper.contains(QStringLiteral("ANO"))) {
        field.SetAsBoolean(true);
    } else if (upper.contains(QStringLiteral("NE"))) {
        field.SetAsBoolean(false);
    }
}

void RequireBreedName(platform::Field& field) {
    if (field.AsString().trimmed().isEmpty()) {
        throw platform::StoreError(QStringLiteral("Položka názvu plemena musí být vyplněna"));
    }
}

// A breed name as compared for uniqueness: letter case and blanks ignored,
// so "Bígl", " bígl " and "BÍG L" are one breed.
QString BreedKey(const QString& name) {
    QString key;
    for (const QChar c : name) {
        if (!c.isSpace()) {
            key += c;
        }
    }
    return key.toCaseFolded();
}

// A second row of a breed already in the list is refused; the row being
// changed is not compared with itself.
void RequireUniqueBreed(platform::DataSet& breeds) {
    const QString name = breeds.FieldByName(QStringLiteral("Plemeno")).AsString();
    const QString key = BreedKey(name);
    const platform::Bookmark self = breeds.State() == platform::DataSetState::Edit
                                        ? breeds.GetBookmark()
                                        : platform::Bookmark{};
    platform::Table others(*breeds.GetDatabase(), QStringLiteral("plemeno.db"));
    others.Open();
    for (others.First(); !others.Eof(); others.Next()) {
        if (self.IsValid() && others.GetBookmark().row == self.row) {
            continue;
        }
        const QString other = others.FieldByName(QStringLiteral("Plemeno")).AsString();
        if (BreedKey(other) == key) {
            throw platform::StoreError(QStringLiteral("Plemeno „%1“ už v seznamu je (jako „%2“).")
                                           .arg(name.trimmed(), other));
        }
    }
}

}  // namespace

void TDM1::InstallColumnRules() {
    for (const char* column : kCardDates) {
        TaMain_Card.FieldSetup(QString::fromLatin1(column)).onSetText = SetCardDateText;
    }
    TaMain_Card.Hooks().onNewRecord = [](platform::DataSet& card) {
        card.FieldByName(QStringLiteral("Vlastnictvi")).SetAsBoolean(true);
        card.FieldByName(QStringLiteral("Vlast_odchov")).SetAsBoolean(true);
    };
    for (const char* column : {"Vlastnictvi", "Vlast_odchov"}) {
        QSeznamy.FieldSetup(QString::fromLatin1(column)).onGetText = YesNoText;
    }
    platform::FieldOptions& shown = TaPlemeno.FieldSetup(QStringLiteral("Ukazat"));
    shown.onGetText = YesNoText;
    shown.onSetText = SetShownBreedText;
    TaPlemeno.FieldSetup(QStringLiteral("Plemeno")).onValidate = RequireBreedName;
    // A new breed is offered in the record sheet's breed choice unless the
    // user says otherwise.
    TaPlemeno.Hooks().onNewRecord = [](platform::DataSet& breeds) {
        breeds.FieldByName(QStringLiteral("Ukazat")).SetAsBoolean(true);
    };
    // A new breed whose name was never typed, or a breed already listed, is
    // refused when it is posted.
    TaPlemeno.Hooks().beforePost = [](platform::DataSet& breeds) {
        RequireBreedName(breeds.FieldByName(QStringLiteral("Plemeno")));
        RequireUniqueBreed(breeds);
    };

    // The address list (print source "Adresář") names the kind of an entry.
    QPomknihy.FieldSetup(QStringLiteral("Typ")).onGetText = AddressKindText;

    QSeznamy.FieldSetup(QStringLiteral("Jmeno_registr")).displayLabel =
        QStringLiteral("Registrované jméno");
    QSeznamy.FieldSetup(QStringLiteral("Jmeno_call")).displayLabel = QStringLiteral("Jméno volací");
}
