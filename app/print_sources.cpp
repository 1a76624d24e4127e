#include "app/print_sources.h"

#include "app/dmunit.h"

namespace {

std::vector<TPrintSource> BuildSources() {
    const auto source = [](int position, const char* caption, const char* label,
                           std::initializer_list<std::pair<const char*, const char*>> entries) {
        TPrintSource s;
        s.position = position;
        s.caption = QString::fromUtf8(caption);
        s.templateLabel = QString::fromUtf8(label);
        for (const auto& [entry, file] : entries) {
            s.templates.push_back({QString::fromUtf8(entry), QString::fromUtf8(file)});
        }
        return s;
    };
    return {
        source(0, "Evidenční listy", "Evidenční list",
               {{"Evidenční list - identifikační list", "EvidList00.pts"},
                {"Evidenční list - kartotéka", "EvidList01.pts"},
                {"Evidenční list - fyzické znaky", "EvidList02.pts"},
                {"Evidenční list - časové a jiné údaje", "EvidList03.pts"}}),
        source(1, "Zdravotní karta", "Zdrav. karta",
               {{"zdravotní karta jedince", "ZdrKarta00.pts"},
                {"přehled vyšetření", "ZdrKarta01.pts"}}),
        source(2, "Výstavy", "Výstavy", {{"Výstavní období jedince", "Vystavy00.pts"}}),
        source(3, "Tituly", "Tituly", {{"karta titulů jedince", "Tituly00.pts"}}),
        source(4, "Chovnost", "Chovnost",
               {{"karta chovnosti za jedince 01", "Chovnost00.pts"},
                {"karta chovnosti za jedince 02", "Chovnost01.pts"}}),
        source(5, "Vrhy", "Vrhy",
               {{"seznam vrhů za jedince", "Vrhy00.pts"}, {"seznam vrhů dle otce", "Vrhy01.pts"}}),
        source(6, "Krytí", "Krytí",
               {{"Seznam krytí za jedince", "Kryti00.pts"},
                {"Seznam krytí dle partnera", "Kryti01.pts"},
                {"Uživatelská 01", "Kryti02.pts"},
                {"Uživatelská 02", "Kryti03.pts"}}),
        source(7, "Rodokmen", "Rodokmen",
               {{"2 generace včetně titulů", "rodokmen00.pts"},
                {"3  generace včetně titulů", "rodokmen01.pts"},
                {"4  generace - pouze jména", "rodokmen02.pts"}}),
        source(8, "Zkoušky", "Zkoušky", {{"Karta zkoušek za jedince", "Zkousky00.pts"}}),
        source(9, "Foto", "Foto", {{"Fotoalbum", "Foto00.pts"}}),
    };
}

}  // namespace

const std::vector<TPrintSource>& PrintSources() {
    static const std::vector<TPrintSource> sources = BuildSources();
    return sources;
}

const TPrintSource* FindPrintSource(int position) {
    if (position < 0 || position >= kPrintSourceCount) {
        return nullptr;
    }
    return &PrintSources()[static_cast<size_t>(position)];
}

platform::DataSource& PrintSourceDataSource(TDM1& dm, int position) {
    return position == 0 ? dm.SoQSeznamy : dm.SoQPomknihy;
}
