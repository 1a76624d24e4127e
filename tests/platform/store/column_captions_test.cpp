// The caption table: every column of every table has a word of its own,
// looked up by table and column in any letter case; fields of tables and of
// joined queries show the caption of the column they come from, a label set
// on the field wins, and a computed column keeps its name.
#include <gtest/gtest.h>

#include <QSet>
#include <QTemporaryDir>

#include "platform/store/column_captions.h"
#include "platform/store/database.h"
#include "platform/store/field.h"
#include "platform/store/query.h"
#include "platform/store/schema.h"
#include "platform/store/store_error.h"
#include "platform/store/table.h"

using platform::ColumnCaption;

TEST(ColumnCaptions, EveryColumnOfEveryTableHasAWordNotItsName) {
    for (const platform::TableSchema& table : platform::AllTableSchemas()) {
        QSet<QString> seen;
        for (const platform::ColumnSchema& column : table.columns) {
            const QString caption = ColumnCaption(table.fileName, column.name);
            const QString where = table.fileName + "." + column.name;
            ASSERT_FALSE(caption.isEmpty()) << where.toStdString();
            EXPECT_FALSE(caption.contains('_')) << where.toStdString();
            EXPECT_EQ(caption, caption.trimmed()) << where.toStdString();
            EXPECT_TRUE(caption.at(0).isUpper() || caption.at(0).isDigit()) << where.toStdString();
            // Two columns of one table never read alike.
            EXPECT_FALSE(seen.contains(caption)) << where.toStdString();
            seen.insert(caption);
            EXPECT_EQ(column.caption, caption) << where.toStdString();
        }
    }
}

TEST(ColumnCaptions, LookUpIgnoresCaseAndTheFileEnding) {
    EXPECT_EQ(ColumnCaption("main_card.db", "Tetovaci_cislo"), "Tetovací číslo");
    EXPECT_EQ(ColumnCaption("MAIN_CARD", "datum_nar"), "Datum narození");
    EXPECT_EQ(ColumnCaption("tituly.db", "Titul_Jmeno"), "Titul");
    EXPECT_EQ(ColumnCaption("Kryti.DB", "Datum_kryti_1"), "Datum 1. krytí");
    EXPECT_EQ(ColumnCaption("rodokmen", "TIT_Matka_Baba_1"), "Tituly: Bába po matce");
    EXPECT_EQ(ColumnCaption("vrhy.db", "Zzz"), "");
    EXPECT_EQ(ColumnCaption("zzz.db", "Plemeno"), "");
}

TEST(ColumnCaptions, FieldsShowTheCaptionOfTheColumnTheyComeFrom) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + "/";
    platform::Database::CreateSchema(path);
    platform::Database db(path);
    platform::Table cards(db, QStringLiteral("main_card.db"));
    cards.Open();
    EXPECT_EQ(cards.FieldByName("Srst_barva").DisplayLabel(), "Barva srsti");

    // The litter book joined to the record sheets: both have a breed column.
    platform::Query litters(db);
    litters.SetSQL(
        {"Select vrhy.*, Main_Card.Otec, Main_Card.plemeno from Vrhy left Join "
         "Main_card On Main_card.Jmeno_registr = Vrhy.Jmeno_registr"});
    litters.Open();
    EXPECT_EQ(litters.FieldByName("Jmeno_reg_otec").DisplayLabel(), "Otec vrhu");
    EXPECT_EQ(litters.FieldByName("Datum").DisplayLabel(), "Datum vrhu");
    EXPECT_EQ(litters.FieldByName("Otec").DisplayLabel(), "Otec");
    EXPECT_EQ(litters.FieldByName("plemeno_1").DisplayLabel(), "Plemeno");

    // A label given by the program wins; a computed column has only its name.
    litters.FieldSetup("Datum").displayLabel = QStringLiteral("Narozeno");
    EXPECT_EQ(litters.FieldByName("Datum").DisplayLabel(), "Narozeno");
    platform::Query counts(db);
    counts.SetSQL({"Select Plemeno, COUNT(*), MAX(Datum) from Vrhy group by Plemeno"});
    counts.Open();
    EXPECT_EQ(counts.Fields(1).DisplayLabel(), "COUNT OF *");
    EXPECT_EQ(counts.Fields(2).DisplayLabel(), "MAX OF Datum");
}

// A value a column refuses, and a second row with the same key, are named to
// the user by the column's caption even where no form has captioned the
// field; the column name stays beside it for whoever reads the store.
TEST(ColumnCaptions, RefusalsNameTheColumnByItsCaption) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + "/";
    platform::Database::CreateSchema(path);
    platform::Database db(path);
    platform::Table cards(db, QStringLiteral("main_card.db"));
    cards.Open();
    cards.Append();
    const auto refusal = [&](const char* column, const QString& text) {
        try {
            cards.FieldByName(QString::fromLatin1(column)).SetAsString(text);
        } catch (const platform::StoreError& e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_EQ(refusal("Vyska_kohout", "x2"),
              QStringLiteral("„x2“ není číslo (sloupec „Kohoutková výška“ (Vyska_kohout))."));
    EXPECT_EQ(
        refusal("Datum_nar", "31.2.2005"),
        QStringLiteral("„31.2.2005“ není platné datum (sloupec „Datum narození“ (Datum_nar))."));
    // A caption the form gives wins over the table's.
    cards.FieldSetup("Vaha_narozeni").caption = QStringLiteral("Váha (kg)");
    EXPECT_EQ(refusal("Vaha_narozeni", "těžký"),
              QStringLiteral("„těžký“ není číslo (sloupec „Váha (kg)“ (Vaha_narozeni))."));

    cards.FieldByName("Jmeno_registr").SetAsString("Brok");
    cards.Post();
    cards.Append();
    cards.FieldByName("Jmeno_registr").SetAsString("Brok");
    QString duplicate;
    try {
        cards.Post();
    } catch (const platform::StoreError& e) {
        duplicate = e.Message();
    }
    EXPECT_TRUE(duplicate.contains(QStringLiteral("„Registrované jméno“ (Jmeno_registr) „Brok“")))
        << duplicate.toStdString();
    cards.Cancel();
}
