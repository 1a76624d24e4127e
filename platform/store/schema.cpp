#include "platform/store/schema.h"

#include <algorithm>

#include "platform/store/column_captions.h"

namespace platform {
namespace {

using CT = ColumnType;

ColumnSchema T(const char* name, int width) {
    return {QString::fromLatin1(name), CT::Text, width, QString()};
}
ColumnSchema C(const char* name, CT type) {
    return {QString::fromLatin1(name), type, 0, QString()};
}
ColumnSchema Later(ColumnSchema column) {
    column.addedLater = true;
    return column;
}

std::vector<ColumnSchema> MainCardColumns() {
    return {T("Jmeno_registr", 40),
            T("Jmeno_call", 15),
            C("Vlastnictvi", CT::Boolean),
            C("Vlast_odchov", CT::Boolean),
            T("Plemeno", 40),
            T("Pohlavi", 8),
            C("Datum_nar", CT::Date),
            C("Datum_uhyn", CT::Date),
            C("Datum_vyr", CT::Date),
            C("Datum_zar", CT::Date),
            T("Druh_vyrazeni", 20),
            T("Druh_zaraz", 20),
            T("Registr", 15),
            T("Registr_Cislo", 15),
            T("Tetovaci_cislo", 10),
            C("Cip", CT::Largeint),
            T("Matka", 40),
            T("Otec", 40),
            T("Chovatel", 50),
            T("Majitel", 50),
            C("Vaha_narozeni", CT::Float),
            C("Vaha_dospelost", CT::Float),
            T("Srst_barva", 30),
            T("Srst_strukt", 20),
            T("Kuze", 20),
            C("Vyska_kohout", CT::Float),
            C("Delka_psa", CT::Float),
            C("Delka_hlavy", CT::Float),
            C("Delka_nosu", CT::Float),
            T("Postava_zvl_znaky", 100),
            T("Proporce", 15),
            T("Zuby_zkus", 20),
            T("Zuby_chybi", 20),
            T("Oko_barva", 20),
            T("Oko_tvar", 20),
            T("Ucho_tvar", 15),
            T("Ucho_nasazeni", 15),
            C("Hrud_objem", CT::Float),
            C("Hrud_hloubka", CT::Float),
            C("Delka_hrbet", CT::Float),
            T("Pigment", 20),
            T("Krk", 20),
            T("Hrudnik", 15),
            T("Bricho", 15),
            T("Horni_linie", 15),
            T("Ocas_nasazeni", 15),
            T("Predni_nohy_postoj", 20),
            T("Zadni_nohy_postoj", 20),
            T("DKK", 20),
            T("Luxace", 20),
            T("Pra", 20),
            T("Pohyb_akce", 50),
            T("Pohyb_chuze", 50),
            T("Apetit", 100),
            T("Povaha", 200),
            C("Poznamka", CT::Memo),
            C("Barva", CT::Smallint),
            Later(C("Nezverejnovat", CT::Boolean))};
}

std::vector<ColumnSchema> PedigreeColumns() {
    static const char* const ancestors[] = {"Otec",
                                            "Matka",
                                            "Otec_Ded_1",
                                            "Matka_Ded_1",
                                            "Otec_Baba_1",
                                            "Matka_Baba_1",
                                            "Otec_Praded_1",
                                            "Matka_Praded_1",
                                            "Otec_Prababa_1",
                                            "Matka_prababa_1",
                                            "Otec_Praded_2",
                                            "Matka_Praded_2",
                                            "Otec_Prababa_2",
                                            "Matka_Prababa_2",
                                            "Otec_PraPraDed_1",
                                            "Matka_PraPraDed_1",
                                            "Otec_PraPraBaba_1",
                                            "Matka_PraPraBaba_1",
                                            "Otec_PraPraDed_2",
                                            "Matka_PraPraDed_2",
                                            "Otec_PraPraBaba_2",
                                            "Matka_PraPraBaba_2",
                                            "Otec_PraPraDed_3",
                                            "Matka_PraPraDed_3",
                                            "Otec_PraPraBaba_3",
                                            "Matka_PraPraBaba_3",
                                            "Otec_PraPraDed_4",
                                            "Matka_PraPraDed_4",
                                            "Otec_PraPraBaba_4",
                                            "Matka_PraPraBaba_4"};
    std::vector<ColumnSchema> columns{T("Jmeno_registr", 40)};
    for (const char* name : ancestors) {
        columns.push_back(T(name, 40));
    }
    columns.push_back(T("TIT_Jmeno_registr", 40));
    for (const char* name : ancestors) {
        columns.push_back(
            {QStringLiteral("TIT_") + QString::fromLatin1(name), CT::Text, 40, QString()});
    }
    return columns;
}

IndexSchema Unique(QStringList columns) {
    return {std::move(columns), true};
}
IndexSchema Lookup(QStringList columns) {
    return {std::move(columns), false};
}
IndexSchema LaterLookup(QStringList columns) {
    return {std::move(columns), false, true};
}

// The stored pedigrees by owner, and by each animal whose parents a row
// names (the first three generations): the inbreeding of one animal reads
// its ancestors' rows through these look-ups, not the whole table.
std::vector<IndexSchema> PedigreeIndexes() {
    static const char* const withParents[] = {
        "Otec",           "Matka",           "Otec_Ded_1",     "Otec_Baba_1",    "Matka_Ded_1",
        "Matka_Baba_1",   "Otec_Praded_1",   "Otec_Prababa_1", "Otec_Praded_2",  "Otec_Prababa_2",
        "Matka_Praded_1", "Matka_prababa_1", "Matka_Praded_2", "Matka_Prababa_2"};
    std::vector<IndexSchema> indexes{Lookup({"Jmeno_registr"})};
    for (const char* column : withParents) {
        indexes.push_back(LaterLookup({QString::fromLatin1(column)}));
    }
    return indexes;
}

TableSchema Table(const char* file, std::vector<ColumnSchema> columns,
                  std::vector<IndexSchema> indexes, QStringList order = {}) {
    TableSchema t;
    t.fileName = QString::fromLatin1(file);
    t.sqlName = t.fileName.section('.', 0, 0).toLower();
    t.columns = std::move(columns);
    t.indexes = std::move(indexes);
    t.order = std::move(order);
    return t;
}

std::vector<TableSchema> BuildSchemas() {
    const QStringList reg{"Jmeno_registr"};
    std::vector<TableSchema> all;
    // By parent too: an animal named only as a parent is found without a walk of the sheets.
    all.push_back(Table("main_card.db", MainCardColumns(),
                        {Unique(reg), LaterLookup({"Otec"}), LaterLookup({"Matka"})}, reg));
    all.push_back(
        Table("vrhy.db",
              {T("Jmeno_registr", 40), C("Datum", CT::Date), T("Jmeno_reg_otec", 40),
               T("Plemeno", 40), C("Pocet_stenat_F", CT::Smallint),
               C("Pocet_stenat_P", CT::Smallint), C("JmenaStenat", CT::Memo), T("Poznamka", 255)},
              {Lookup({"Jmeno_registr", "Datum"})}, {"Jmeno_registr", "Datum"}));
    all.push_back(
        Table("kryti.DB",
              {T("Jmeno_registr", 40), T("Jmeno_partner", 50), C("Datum_kryti_1", CT::Date),
               T("Asistence", 50), T("Majitel", 40), C("Datum_kryti_2", CT::Date),
               C("Datum_kryti_3", CT::Date), T("Zpusob_Kryti_1", 20), T("Zpusob_Kryti_2", 20),
               T("Zpusob_Kryti_3", 20), T("Misto_Kryti_1", 15), T("Misto_Kryti_2", 15),
               T("Misto_Kryti_3", 15), T("Chovatel_zamer", 100), C("Nakryta_Ano_Ne", CT::Boolean),
               C("Datum_vrhu", CT::Date), C("Pocet_pes", CT::Smallint),
               C("Pocet_fena", CT::Smallint), C("Poznamka", CT::Memo)},
              {Lookup(reg)}));
    all.push_back(
        Table("osetreni.db",
              {T("Jmeno_registr", 40), C("Datum_osetreni", CT::Date), T("Duvod_osetreni", 30),
               T("Popis_osetreni", 50), T("Vysled_osetreni", 40), C("Dalsi_navsteva", CT::Date),
               T("Lekar", 50), T("Preparaty", 50), C("Poznamka", CT::Memo)},
              // The diary asks per animal whether a visit came on or after a
              // next-visit date: one look-up in this index, not a walk of the
              // animal's visits.
              {Lookup(reg), LaterLookup({"Jmeno_registr", "Datum_osetreni"})}));
    all.push_back(
        Table("vystavy.db",
              {T("Jmeno_registr", 40), C("Datum_vystava", CT::Date), T("Druh", 20), T("Trida", 20),
               T("Znamka", 20), T("Cekatelstvi_1", 20), T("Cekatelstvi_2", 20), T("Souteze", 20),
               T("Souteze_ost", 23), C("Poradi", CT::Smallint), T("Misto", 30)},
              {Lookup(reg)}));
    all.push_back(Table("tituly.db",
                        {T("Jmeno_Registr", 40), T("Zeme", 20), T("Titul_Jmeno", 40),
                         C("Datum_Udeleni", CT::Date), T("Poznamka", 200), T("Organizace", 50)},
                        {Lookup({"Jmeno_Registr"})}));
    all.push_back(
        Table("Zkousky.DB",
              {T("Jmeno_Registr", 40), T("Oceneni_Jmeno", 40), C("Datum_Udeleni", CT::Date),
               T("Zeme", 20), T("Poznamka", 200), T("Organizace", 50)},
              {Lookup({"Jmeno_Registr"})}));
    all.push_back(
        Table("chovnost.DB",
              {T("Jmeno_registr", 40), C("Datum", CT::Date), C("Chov_jedinec", CT::Smallint),
               T("Poznamka", 255), C("Barva", CT::Smallint)},
              {Lookup({"Jmeno_registr", "Datum"})}, {"Jmeno_registr", "Datum"}));
    all.push_back(
        Table("foto_album.db",
              {T("Jmeno_registr", 40), C("Foto_1", CT::Graphic), C("Foto_2", CT::Graphic)},
              {Lookup(reg)}));
    all.push_back(Table("rodokmen.db", PedigreeColumns(), PedigreeIndexes()));
    all.push_back(
        Table("adresar.db",
              {T("Nazev_Key", 50), T("Nazev", 50),         C("Typ", CT::Smallint), T("ICO", 8),
               T("DIC", 14),       T("Kontakt_osoba", 40), T("Ulice_1", 30),       T("Obec_1", 30),
               T("Psc_1", 6),      T("Ulice_2", 30),       T("Obec_2", 30),        T("Psc_2", 6),
               T("Telefon_1", 14), T("Telefon_2", 14),     T("Telefon_3", 14),     T("Fax", 14),
               T("Email", 25),     T("Web", 60),           T("Poznamky", 255),     T("Stat", 30)},
              {Unique({"Nazev_Key"})}, {"Nazev_Key"}));
    all.push_back(
        Table("plemeno.db", {C("Ukazat", CT::Boolean), T("Plemeno", 40), T("Poznamka", 100)}, {}));
    all.push_back(Table("schedule.db",
                        {C("Datum", CT::Date), T("Akce", 255), C("Upozornit", CT::Boolean)}, {}));
    // The seasons of the bitches, one row per season (its first day).
    TableSchema seasons =
        Table("harani.db", {T("Jmeno_registr", 40), C("Datum", CT::Date), T("Poznamka", 255)},
              {Lookup({"Jmeno_registr", "Datum"})}, {"Jmeno_registr", "Datum"});
    seasons.addedLater = true;
    all.push_back(std::move(seasons));
    for (TableSchema& table : all) {
        for (ColumnSchema& column : table.columns) {
            column.caption = ColumnCaption(table.fileName, column.name);
        }
    }
    return all;
}

QString SqlTypeOf(ColumnType type) {
    switch (type) {
        case CT::Text:
        case CT::Memo:
        case CT::Date:
            return QStringLiteral("TEXT");
        case CT::Boolean:
        case CT::Smallint:
        case CT::Integer:
        case CT::Largeint:
            return QStringLiteral("INTEGER");
        case CT::Float:
            return QStringLiteral("REAL");
        case CT::Graphic:
            return QStringLiteral("BLOB");
    }
    return QStringLiteral("TEXT");
}

}  // namespace

int TableSchema::ColumnIndex(const QString& name) const {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const ColumnSchema* TableSchema::FindColumn(const QString& name) const {
    const int i = ColumnIndex(name);
    return i < 0 ? nullptr : &columns[static_cast<size_t>(i)];
}

const std::vector<TableSchema>& AllTableSchemas() {
    static const std::vector<TableSchema> schemas = BuildSchemas();
    return schemas;
}

const TableSchema* FindTableSchema(const QString& name) {
    QString bare = name.trimmed();
    if (bare.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive)) {
        bare.chop(3);
    }
    for (const TableSchema& t : AllTableSchemas()) {
        if (t.sqlName.compare(bare, Qt::CaseInsensitive) == 0) {
            return &t;
        }
    }
    return nullptr;
}

FieldType FieldTypeOf(ColumnType type) {
    switch (type) {
        case CT::Text:
            return FieldType::String;
        case CT::Date:
            return FieldType::Date;
        case CT::Boolean:
            return FieldType::Boolean;
        case CT::Smallint:
            return FieldType::Smallint;
        case CT::Integer:
            return FieldType::Integer;
        case CT::Largeint:
            return FieldType::Largeint;
        case CT::Float:
            return FieldType::Float;
        case CT::Memo:
            return FieldType::Memo;
        case CT::Graphic:
            return FieldType::Graphic;
    }
    return FieldType::Unknown;
}

QString ColumnTypeName(ColumnType type) {
    switch (type) {
        case CT::Text:
            return QStringLiteral("text");
        case CT::Date:
            return QStringLiteral("datum");
        case CT::Boolean:
            return QStringLiteral("logická hodnota");
        case CT::Smallint:
            return QStringLiteral("malé celé číslo");
        case CT::Integer:
        case CT::Largeint:
            return QStringLiteral("celé číslo");
        case CT::Float:
            return QStringLiteral("číslo");
        case CT::Memo:
            return QStringLiteral("poznámka");
        case CT::Graphic:
            return QStringLiteral("obrázek");
    }
    return {};
}

QString QuoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace('"', QStringLiteral("\"\""));
    return '"' + quoted + '"';
}

QString QuotedColumnList(const TableSchema& table) {
    QStringList names;
    for (const ColumnSchema& c : table.columns) {
        names << QuoteIdentifier(c.name);
    }
    return names.join(QStringLiteral(", "));
}

QString IndexName(const TableSchema& table, const IndexSchema& index) {
    return table.sqlName + '_' + index.columns.join('_').toLower();
}

QString OrderIndexName(const TableSchema& table) {
    return table.sqlName + QStringLiteral("_order");
}

namespace {

QString ColumnDefinition(const ColumnSchema& column) {
    return QuoteIdentifier(column.name) + ' ' + SqlTypeOf(column.type);
}

QString CreateTableStatement(const TableSchema& table, bool withLaterColumns) {
    QStringList columns;
    for (const ColumnSchema& c : table.columns) {
        if (withLaterColumns || !c.addedLater) {
            columns << ColumnDefinition(c);
        }
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(QuoteIdentifier(table.sqlName), columns.join(", "));
}

}  // namespace

QString OlderCreateTableStatement(const TableSchema& table) {
    const bool hasLater = std::any_of(table.columns.begin(), table.columns.end(),
                                      [](const ColumnSchema& c) { return c.addedLater; });
    return hasLater ? CreateTableStatement(table, false) : QString();
}

// SQLite splices the new definition in after the last one with ", ", the
// separator CreateTableStatement uses, so an upgraded table's catalogue text
// equals a new one's as long as the later columns come last in the schema.
QString AddColumnStatement(const TableSchema& table, const ColumnSchema& column) {
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
        .arg(QuoteIdentifier(table.sqlName), ColumnDefinition(column));
}

QStringList CreateStatements(const TableSchema& table) {
    QStringList statements{CreateTableStatement(table, true)};
    for (const IndexSchema& index : table.indexes) {
        QStringList quoted;
        for (const QString& c : index.columns) {
            quoted << QuoteIdentifier(c);
        }
        const QString name = IndexName(table, index);
        statements << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(),
                               QuoteIdentifier(name), QuoteIdentifier(table.sqlName),
                               quoted.join(", "));
    }
    if (!table.order.isEmpty()) {
        // The table order: Czech for texts, so opening a table reads this index.
        QStringList keys;
        for (const QString& c : table.order) {
            const ColumnSchema* column = table.FindColumn(c);
            const bool text = column != nullptr && column->type == ColumnType::Text;
            keys << QuoteIdentifier(c) + (text ? QStringLiteral(" COLLATE CZECH") : QString());
        }
        statements << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                          .arg(QuoteIdentifier(OrderIndexName(table)),
                               QuoteIdentifier(table.sqlName), keys.join(", "));
    }
    return statements;
}

}  // namespace platform
