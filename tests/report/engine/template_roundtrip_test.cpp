// Reading a template, writing it and reading it again gives the same lines,
// on rich templates that use every record kind, on a template in the form
// older designers wrote, and on the kennel's installed templates.

#include <gtest/gtest.h>

#include "tests/report/engine/template_test_layout.h"

namespace {

// The columns of the health-card book query: the health-card table's own
// columns, then the nine record-sheet columns the book queries add.
QStringList HealthCardQueryColumns() {
    return {"Jmeno_registr",   "Datum_osetreni", "Duvod_osetreni", "Popis_osetreni",
            "Vysled_osetreni", "Dalsi_navsteva", "Lekar",          "Preparaty",
            "Poznamka",        "Otec",           "Matka",          "plemeno",
            "Datum_Nar",       "Pohlavi",        "Vlastnictvi",    "Vlast_odchov",
            "Registr",         "Registr_Cislo"};
}

QStringList RecordSheetColumns() {
    return {"Jmeno_registr",
            "Jmeno_call",
            "Vlastnictvi",
            "Vlast_odchov",
            "Plemeno",
            "Pohlavi",
            "Datum_nar",
            "Datum_uhyn",
            "Datum_vyr",
            "Datum_zar",
            "Druh_vyrazeni",
            "Druh_zaraz",
            "Registr",
            "Registr_Cislo",
            "Tetovaci_cislo",
            "Cip",
            "Matka",
            "Otec",
            "Chovatel",
            "Majitel",
            "Vaha_narozeni",
            "Vaha_dospelost",
            "Srst_barva",
            "Srst_strukt",
            "Kuze",
            "Vyska_kohout",
            "Delka_psa",
            "Delka_hlavy",
            "Delka_nosu",
            "Postava_zvl_znaky",
            "Proporce",
            "Zuby_zkus",
            "Zuby_chybi",
            "Oko_barva",
            "Oko_tvar",
            "Ucho_tvar",
            "Ucho_nasazeni",
            "Hrud_objem",
            "Hrud_hloubka",
            "Delka_hrbet",
            "Pigment",
            "Krk",
            "Hrudnik",
            "Bricho",
            "Horni_linie",
            "Ocas_nasazeni",
            "Predni_nohy_postoj",
            "Zadni_nohy_postoj",
            "DKK",
            "Luxace",
            "Pra",
            "Pohyb_akce",
            "Pohyb_chuze",
            "Apetit",
            "Povaha",
            "Poznamka",
            "Barva"};
}

// A master with two attached details, as the rich templates expect.
struct MasterWithDetails {
    explicit MasterWithDetails(const QStringList& fields) : master(fields) {
        master.Detaily().Add(&first);
        master.Detaily().Add(&second);
    }
    TestLayout master;
    TestLayout first{{"a", "b", "c"}, true};
    TestLayout second{{}, true};
};

TPredloha LoadData(const QString& path) {
    TPredloha predloha;
    EXPECT_TRUE(predloha.LoadFromFile(path)) << path.toStdString();
    EXPECT_FALSE(predloha.IsEmpty()) << path.toStdString();
    return predloha;
}

// Reads `original`, writes it, reads the written lines into a fresh report
// and writes again; returns the first written template.
TPredloha RoundTrip(const TPredloha& original, const QStringList& fields) {
    MasterWithDetails once(fields);
    once.master.SetPredloha(original);
    const TPredloha written = once.master.WriteTemplate();
    MasterWithDetails twice(fields);
    twice.master.SetPredloha(written);
    EXPECT_EQ(twice.master.WriteTemplate().Lines(), written.Lines());
    // The details got the same lines both times.
    EXPECT_EQ(twice.first.Predloha(), once.first.Predloha());
    EXPECT_EQ(twice.second.Predloha(), once.second.Predloha());
    return written;
}

TEST(TemplateRoundTrip, RichTemplateIsAlreadyCanonical) {
    const TPredloha original = LoadData(TestDataPath("rich_all_kinds.pts"));
    const TPredloha written = RoundTrip(original, KennelFields());
    EXPECT_EQ(written.Lines(), original.Lines());
}

TEST(TemplateRoundTrip, RichTemplateModel) {
    MasterWithDetails report(KennelFields());
    report.master.SetPredloha(LoadData(TestDataPath("rich_all_kinds.pts")));
    const TestLayout& m = report.master;
    EXPECT_EQ(m.Popis(), R"(Bohatá předloha "všech" záznamů, test)");
    EXPECT_EQ(m.Settings().printColumns, 2);
    EXPECT_EQ(m.Settings().background.fileName, "pozadí, list 1.jpg");
    ASSERT_EQ(m.Skupiny().Count(), 2);
    EXPECT_EQ(m.Skupiny()[1].expression, R"(UPPER(#1) + "x")");
    ASSERT_EQ(m.Funkce().Count(), 4);
    EXPECT_EQ(m.Funkce()[3].name, "Cena, Kč");
    // Every element kind is there.
    QList<int> kinds;
    for (int index = 0; index < m.Oddily().Count(); ++index) {
        for (int element = 0; element < m.Oddily()[index].Count(); ++element) {
            kinds.append(m.Oddily()[index][element].kind);
        }
    }
    for (int kind : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        EXPECT_TRUE(kinds.contains(kind)) << kind;
    }
    const TOddilSestavy& body = m.Oddily().Fixed(stBody);
    EXPECT_EQ(body[1].condition, R"(#4 <> "")");
    EXPECT_EQ(body[3].source, 1);                      // function PrumVaha
    EXPECT_EQ((*m.Skupiny()[1].header)[0].source, 2);  // function Jmena
    EXPECT_EQ(m.picturesLoaded, QStringList{"pes.jpg"});
    // The details read their own lines.
    EXPECT_EQ(report.first.Popis(), "Léčení zvířete");
    EXPECT_EQ(report.first.Funkce().Count(), 1);
    EXPECT_EQ(report.first.Oddily().Fixed(stBody).Count(), 2);
    EXPECT_EQ(report.first.Oddily().Fixed(stBody)[1].source, 2);
    EXPECT_EQ(report.second.Oddily().Fixed(stBody)[0].text, "Detail 2");
}

TEST(TemplateRoundTrip, CharacterModeTemplateIsAlreadyCanonical) {
    const TPredloha original = LoadData(TestDataPath("rich_character_mode.pts"));
    EXPECT_EQ(RoundTrip(original, KennelFields()).Lines(), original.Lines());
}

TEST(TemplateRoundTrip, OldWriterTemplateReadsAndSettles) {
    const TPredloha original = LoadData(TestDataPath("old_writer.pts"));
    MasterWithDetails report(KennelFields());
    report.master.SetPredloha(original);
    const TestLayout& m = report.master;
    const TOddilSestavy& body = m.Oddily().Fixed(stBody);
    ASSERT_EQ(body.Count(), 4);
    EXPECT_EQ(body[0].source, vaGroupRow);  // old variable 4 came before the page count
    EXPECT_EQ(body[0].font.name, "Arial");
    EXPECT_EQ(body[0].font.charset, csEastEurope);
    EXPECT_EQ(body[0].font.size, 36);
    EXPECT_EQ(body[1].source, 3);
    EXPECT_EQ(body[1].font.name, "Times New Roman");
    EXPECT_EQ(body[1].font.color, 16);
    EXPECT_EQ(body[2].penStyle, psSolid);
    EXPECT_EQ(body[3].source, ekFrame);
    EXPECT_TRUE(m.Settings().page.orientationMayChange);
    EXPECT_TRUE(m.Settings().raster.CharacterMode());
    EXPECT_EQ(m.Settings().background.fileName, "pozadí, verze 2.jpg");
    ASSERT_EQ(m.Skupiny().Count(), 2);
    EXPECT_EQ(m.Skupiny()[0].expression, "#Plemeno");
    EXPECT_EQ(m.Skupiny()[1].expression, "#4");
    EXPECT_EQ((*m.Skupiny()[1].header)[0].source, 0);  // function "soucet" by name
    EXPECT_EQ(m.Funkce()[0].precision, 0);
    EXPECT_EQ(report.first.Oddily().Fixed(stBody)[0].text, "detail");

    const TPredloha written = RoundTrip(original, KennelFields());
    EXPECT_TRUE(written.Lines().contains(R"(I,7,1,0,0,0,0,0,0,"pozadí, verze 2.jpg")"));
    EXPECT_TRUE(written.Lines().contains(R"(I,4,1,"#4",0,24,0,24,0)"));
    EXPECT_TRUE(written.Lines().contains(
        R"(T,5,5,600,0,100,20,Arial,36,0,0,1,0,238,"/ %d",0,0,0,"",0,"")"));
}

TEST(TemplateRoundTrip, ModelBuiltInCodeSurvivesSaving) {
    TestLayout layout(KennelFields());
    layout.SetPopis("Nová");
    layout.Settings().raster.rasterType = 1;
    layout.Settings().raster.pitch = 2;
    layout.Settings().raster.lineSpacing = 2;
    layout.AddGroup(0, "#Plemeno", true, 24, true, 24, true);
    auto element = std::make_unique<TLumexReportElement>(&layout);
    element->kind = ekBarcode;
    element->text = R"('A:B\C',#1)";
    element->penWidth = 16;
    layout.Skupiny()[0].footer->Add(std::move(element));
    const TPredloha written = layout.WriteTemplate();
    TestLayout back(KennelFields());
    back.SetPredloha(written);
    EXPECT_EQ((*back.Skupiny()[0].footer)[0].text, R"('A:B\C',#1)");
    EXPECT_EQ(back.Settings().raster.rasterX, 6);
    EXPECT_EQ(back.WriteTemplate().Lines(), written.Lines());
}

class InstalledTemplate : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(InstalledTemplate, IsCanonicalAndNamesOnlyExistingColumns) {
    const QString name = QString::fromLatin1(GetParam().first);
    const QStringList fields =
        GetParam().second == 1 ? HealthCardQueryColumns() : RecordSheetColumns();
    const TPredloha original = LoadData(QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + name);
    EXPECT_EQ(RoundTrip(original, fields).Lines(), original.Lines());

    TestLayout layout(fields);
    layout.SetPredloha(original);
    int named = 0;
    for (int index = 0; index < layout.Oddily().Count(); ++index) {
        const TOddilSestavy& section = layout.Oddily()[index];
        for (int element = 0; element < section.Count(); ++element) {
            const TLumexReportElement& e = section[element];
            if (e.sourceName.isEmpty()) {
                continue;
            }
            ++named;
            if (e.kind == ekFunction) {
                EXPECT_GE(layout.Funkce().FindFunction(e.sourceName), 0)
                    << e.sourceName.toStdString();
            } else {
                EXPECT_GE(layout.FindField(e.sourceName), 0) << e.sourceName.toStdString();
            }
        }
    }
    EXPECT_GT(named, 5);
    for (int position = 0; position < layout.Skupiny().Count(); ++position) {
        const QString field = layout.Skupiny()[position].expression.mid(1);
        EXPECT_GE(layout.FindField(field), 0) << field.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Kennel, InstalledTemplate,
                         ::testing::Values(std::make_pair("ZdrKarta00.pts", 1),
                                           std::make_pair("ZdrKarta01.pts", 1),
                                           std::make_pair("EvidList01.pts", 0)));

}  // namespace
