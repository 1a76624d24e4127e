#pragma once
// A small kennel worked out by hand for the breeding statistics:
//   Asta (born 1.3.2018) whelps 10.5.2020 by Cézar (3 males, 2 females) and
//     20.6.2022 by Cézar with no counts written;
//   Brita (no date of birth) whelps 1.2.2020 by Cézar, 1 male and the
//     female count left empty; the litter names no breed, her card says Bígl;
//   Eman and Fiona are full siblings (Cézar × Dora); Fiona (born 1.1.2020)
//     whelps 15.7.2022 by Eman, 2 + 2: the litter's coefficient is 1/4;
//   Gina, a collie without a record sheet, whelps in 2021 with no sire named;
//   no Beagle litter in 2021;
//   shows: Asta "Výborný" 1 twice in 2021, Eman "Velmi dobrý" 2 and
//     "Výborný" without placing in 2022, one entry without a date.

#include "tests/platform/store/store_fixture.h"

namespace stats_test {

class StatsKennelFixture : public store_test::StoreFixture {
  protected:
    void SetUp() override {
        StoreFixture::SetUp();
        AddCard("Asta", {{"Pohlavi", "Fena"}, {"Plemeno", "Bígl"}, {"Datum_nar", "1.3.2018"}});
        AddCard("Brita", {{"Pohlavi", "Fena"}, {"Plemeno", "Bígl"}});
        AddCard("Cézar", {{"Pohlavi", "Pes"}, {"Plemeno", "Bígl"}});
        AddCard("Dora", {{"Pohlavi", "Fena"}, {"Plemeno", "Bígl"}});
        AddCard("Eman",
                {{"Pohlavi", "Pes"}, {"Plemeno", "Bígl"}, {"Otec", "Cézar"}, {"Matka", "Dora"}});
        AddCard("Fiona", {{"Pohlavi", "Fena"},
                          {"Plemeno", "Bígl"},
                          {"Otec", "Cézar"},
                          {"Matka", "Dora"},
                          {"Datum_nar", "1.1.2020"}});
        AddLitter("Asta", "10.5.2020", "Cézar", "Bígl", "3", "2");
        AddLitter("Asta", "20.6.2022", "Cézar", "Bígl", "", "");
        AddLitter("Brita", "1.2.2020", "Cézar", "", "1", "");
        AddLitter("Fiona", "15.7.2022", "Eman", "Bígl", "2", "2");
        AddLitter("Gina", "3.3.2021", "", "Kolie", "1", "1");
        AddShow("Asta", "5.6.2021", "Výborný", "1");
        AddShow("Asta", "6.7.2021", "Výborný", "1");
        AddShow("Eman", "1.5.2022", "Velmi dobrý", "2");
        AddShow("Eman", "2.6.2022", "Výborný", "0");
        AddShow("Eman", "", "Výborný", "1");
    }

    void AddLitter(const QString& dam, const QString& date, const QString& sire,
                   const QString& breed, const QString& males, const QString& females) {
        std::vector<std::pair<QString, QString>> columns{{"Jmeno_registr", dam}, {"Datum", date}};
        const std::pair<const char*, QString> optional[] = {{"Jmeno_reg_otec", sire},
                                                            {"Plemeno", breed},
                                                            {"Pocet_stenat_P", males},
                                                            {"Pocet_stenat_F", females}};
        for (const auto& [column, value] : optional) {
            if (!value.isEmpty()) {
                columns.push_back({QString::fromLatin1(column), value});
            }
        }
        AddRow("vrhy.db", columns);
    }

    void AddShow(const QString& name, const QString& date, const QString& grade,
                 const QString& placing) {
        std::vector<std::pair<QString, QString>> columns{
            {"Jmeno_registr", name}, {"Znamka", grade}, {"Poradi", placing}};
        if (!date.isEmpty()) {
            columns.push_back({"Datum_vystava", date});
        }
        AddRow("vystavy.db", columns);
    }
};

}  // namespace stats_test
