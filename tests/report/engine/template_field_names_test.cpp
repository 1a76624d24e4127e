// The data fields a template names: element sources given by name, group
// expressions, and #name references in functions, conditions and the value
// lists of pictures; and the names a field list lacks.
#include <gtest/gtest.h>

#include "report/engine/template_field_names.h"

namespace {

TPredloha Template(const QStringList& lines) {
    return TPredloha(lines);
}

}  // namespace

TEST(TemplateFieldNames, ElementSourcesByNameCountAndNumbersDoNot) {
    const TPredloha t = Template({
        "T,2,Jmeno_registr,0,0,100,16,Arial,9,0,0,0,0,238,\"Jmeno_registr\",0,0,0,\"\",0,\"\"",
        "T,3,Plemeno,0,0,100,16,Arial,9,0,0,0,0,238,\"Plemeno\",0,0,0,\"\",0,\"\"",
        "T,2,5,0,0,100,16,Arial,9,0,0,0,0,238,\"\",0,0,0,\"\",0,\"\"",
        "T,6,Soucet,0,0,100,16,Arial,9,0,0,0,0,238,\"Soucet\",0,0,0,\"\",0,\"\"",
        "H,1,0,0,0,100,16,Arial,9,0,0,0,0,238,\"#NotAField\",0,0,0,\"\",0,\"\"",
        "T,2,jmeno_registr,0,0,100,16,Arial,9,0,0,0,0,238,\"\",0,0,0,\"\",0,\"\"",
    });
    EXPECT_EQ(TemplateFieldNames(t), (QStringList{"Jmeno_registr", "Plemeno"}));
}

TEST(TemplateFieldNames, ConditionsFunctionsGroupsAndPictureListsAreRead) {
    const TPredloha t = Template({
        "I,4,0,\"Matka\",1,20,0,0,0",
        "I,4,1,\"UPPER(#Otec)\",1,20,0,0,0",
        "I,4,2,\"3\",1,20,0,0,0",
        "F,0,Stenat,\"Štěňat\",0,\"0\",0,\"#Pocet_stenat_P + #Pocet_stenat_F\",2,15,0,0",
        "T,1,0,0,0,50,16,Arial,9,0,0,0,0,238,\"Ano\",0,0,0,\"#Nakryta_Ano_Ne AND 'x#Literal' = "
        "'x#Literal'\",0,\"\"",
        "S0,11,0,0,0,100,100,,1,0,0,0,15,0,\"#Foto_1,logo.bmp\",,,,\"\",0,\"\"",
        "D0,T,2,Detailni,0,0,100,16,Arial,9,0,0,0,0,238,\"\",0,0,0,\"\",0,\"\"",
    });
    EXPECT_EQ(TemplateFieldNames(t), (QStringList{"Matka", "Otec", "Pocet_stenat_P",
                                                  "Pocet_stenat_F", "Nakryta_Ano_Ne", "Foto_1"}));
}

TEST(TemplateFieldNames, MissingFieldsAreThoseTheListLacksIgnoringCase) {
    const TPredloha t = Template({
        "T,2,Jmeno_reg_otec,0,0,100,16,Arial,9,0,0,0,0,238,\"\",0,0,0,\"\",0,\"\"",
        "T,2,DATUM,0,0,100,16,Arial,9,0,0,0,0,238,\"\",0,0,0,\"\",0,\"ISNULL(#Lekar)\"",
        "T,1,0,0,0,100,16,Arial,9,0,0,0,0,238,\"x\",0,0,0,\"ISNULL(#Lekar)\",0,\"\"",
    });
    EXPECT_EQ(MissingTemplateFields(t, {"Jmeno_registr", "Datum", "Jmeno_reg_otec"}),
              QStringList{"Lekar"});
    EXPECT_TRUE(MissingTemplateFields(t, {"jmeno_REG_otec", "datum", "LEKAR"}).isEmpty());
    EXPECT_TRUE(MissingTemplateFields(TPredloha(), {}).isEmpty());
}
