// The live line of a mating entry: the planned litter's inbreeding from the
// kennel's record sheets and stored pedigrees, "neznámý" while an animal is unknown.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/store/database.h"
#include "platform/store/table.h"
#include "records/litter_inbreeding_label.h"

namespace {

TEST(LitterInbreedingLabel, ShowsTheLittersFigureOnceBothAnimalsAreKnown) {
    QTemporaryDir dir;
    platform::Database::CreateSchema(dir.filePath("DATA"));
    platform::Database database(dir.filePath("DATA"));
    {
        platform::Table cards(database, "main_card.db");
        cards.Open();
        for (const auto& [name, sire, dam] :
             {std::tuple{"Bratr", "Otec", "Matka"}, {"Sestra", "Otec", "Matka"}}) {
            cards.Append();
            cards.FieldByName("Jmeno_registr").SetAsString(name);
            cards.FieldByName("Otec").SetAsString(sire);
            cards.FieldByName("Matka").SetAsString(dam);
            cards.Post();
        }
        platform::Table rows(database, "rodokmen.db");
        rows.Open();
        rows.Append();
        rows.FieldByName("Jmeno_registr").SetAsString("Jen v rodokmenu");
        rows.FieldByName("Otec").SetAsString("Bratr");
        rows.FieldByName("Matka").SetAsString("Cizí");
        rows.Post();
    }
    TLitterInbreedingLabel label(database);
    EXPECT_EQ(label.objectName(), "LabelKoeficientVrhu");
    EXPECT_EQ(label.text(), "Koeficient příbuzenské plemenitby vrhu: neznámý");
    label.ShowLitter("Sestra", "Bratr");
    EXPECT_EQ(label.text(), "Koeficient příbuzenské plemenitby vrhu: 25.00 %");
    label.ShowLitter("Sestra", "Nikdo");
    EXPECT_EQ(label.text(), "Koeficient příbuzenské plemenitby vrhu: neznámý");
    label.ShowLitter("Sestra ", "Jen v rodokmenu");  // her nephew, named only in a pedigree
    EXPECT_EQ(label.text(), "Koeficient příbuzenské plemenitby vrhu: 12.50 %");
    label.ShowLitter("Sestra", "");
    EXPECT_EQ(label.text(), "Koeficient příbuzenské plemenitby vrhu: neznámý");
}

}  // namespace
