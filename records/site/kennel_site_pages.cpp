#include "records/site/kennel_site_pages.h"

#include <QMap>

#include "platform/czech_locale.h"
#include "records/site/html_writer.h"

namespace site {
namespace {

const QString kCss = QString::fromLatin1(kStylesheet);
const QString kIndex = QString::fromLatin1(kIndexPage);
const QString kLitters = QString::fromLatin1(kLittersPage);
const QString kAnimals = QString::fromLatin1(kAnimalFolder) + u'/';
const QString kPhotos = QString::fromLatin1(kPhotoFolder) + u'/';
const QString kUp = QStringLiteral("../");

HtmlAttributes Class(const QString& name) {
    return {{QStringLiteral("class"), name}};
}

QString KennelTitle(const SiteKennel& kennel) {
    return kennel.name.isEmpty() ? QStringLiteral("Chovná stanice") : kennel.name;
}

QString DateText(const QDate& date) {
    return date.isValid() ? platform::FormatDate(date) : QString();
}

QString CountText(int count) {
    return count < 0 ? QStringLiteral("neuvedeno") : QString::number(count);
}

// The page's heading and the way to the site's two lists; `root` is the
// way from the page to the site's folder ("" or "../").
void Header(HtmlWriter& page, const SiteKennel& kennel, const QString& root) {
    page.Open(QStringLiteral("header"));
    page.Element(QStringLiteral("p"), KennelTitle(kennel), Class(QStringLiteral("stanice")));
    page.Open(QStringLiteral("nav"));
    page.Link(root + kIndex, QStringLiteral("Naše zvířata"));
    page.Link(root + kLitters, QStringLiteral("Vrhy"));
    page.Close();
    page.Close();
    page.Open(QStringLiteral("main"));
}

void Footer(HtmlWriter& page) {
    page.Close();  // main
    page.Element(QStringLiteral("footer"), QStringLiteral("Vytvořeno programem Harvel"));
}

// An animal's name: a link to its page when it is on the site, else text.
void Name(HtmlWriter& page, const SiteKennel& kennel, SiteLinks& links, const QString& name,
          const QString& toAnimals) {
    if (kennel.onSite.contains(name)) {
        page.Link(toAnimals + links.AnimalPage(name), name);
    } else {
        page.Text(name);
    }
}

void TableHeader(HtmlWriter& page, const QStringList& captions) {
    page.Open(QStringLiteral("thead"));
    page.Open(QStringLiteral("tr"));
    for (const QString& caption : captions) {
        page.Element(QStringLiteral("th"), caption,
                     {{QStringLiteral("scope"), QStringLiteral("col")}});
    }
    page.Close();
    page.Close();
}

void TextCells(HtmlWriter& page, const QStringList& texts) {
    for (const QString& text : texts) {
        page.Element(QStringLiteral("td"), text);
    }
}

// ---- index ------------------------------------------------------------------

void AnimalCard(HtmlWriter& page, const SiteAnimal& animal, SiteLinks& links) {
    page.Open(QStringLiteral("li"), Class(QStringLiteral("karta")));
    page.Open(QStringLiteral("a"),
              {{QStringLiteral("href"), kAnimals + links.AnimalPage(animal.name)}});
    if (links.withPhoto.contains(animal.name)) {
        page.Empty(QStringLiteral("img"),
                   {{QStringLiteral("src"), kPhotos + links.Thumbnail(animal.name)},
                    {QStringLiteral("alt"), animal.name}});
    }
    page.Element(QStringLiteral("span"), animal.name, Class(QStringLiteral("jmeno")));
    page.Close();
    const QStringList facts{animal.breed, animal.sex};
    QStringList filled;
    for (const QString& fact : facts) {
        if (!fact.isEmpty()) {
            filled << fact;
        }
    }
    if (!filled.isEmpty()) {
        page.Element(QStringLiteral("p"), filled.join(QStringLiteral(", ")));
    }
    if (!animal.titles.isEmpty()) {
        page.Element(QStringLiteral("p"), animal.titles, Class(QStringLiteral("tituly")));
    }
    page.Close();
}

// ---- animal page -------------------------------------------------------------

void Fact(HtmlWriter& page, const QString& caption, const QString& value) {
    if (value.isEmpty()) {
        return;
    }
    page.Element(QStringLiteral("dt"), caption);
    page.Element(QStringLiteral("dd"), value);
}

void ParentFact(HtmlWriter& page, const SiteKennel& kennel, SiteLinks& links,
                const QString& caption, const QString& parent) {
    if (parent.isEmpty()) {
        return;
    }
    page.Element(QStringLiteral("dt"), caption);
    page.Open(QStringLiteral("dd"));
    Name(page, kennel, links, parent, QString());
    page.Close();
}

void Facts(HtmlWriter& page, const SiteKennel& kennel, const SiteAnimal& animal, SiteLinks& links) {
    page.Open(QStringLiteral("dl"), Class(QStringLiteral("udaje")));
    Fact(page, QStringLiteral("Volací jméno"), animal.callName);
    Fact(page, QStringLiteral("Plemeno"), animal.breed);
    Fact(page, QStringLiteral("Pohlaví"), animal.sex);
    Fact(page, QStringLiteral("Datum narození"), DateText(animal.birth));
    Fact(page, QStringLiteral("Datum úhynu"), DateText(animal.death));
    Fact(page, QStringLiteral("Barva srsti"), animal.colour);
    Fact(page, QStringLiteral("Registrace"), animal.registration);
    Fact(page, QStringLiteral("Tituly"), animal.titles);
    Fact(page, QStringLiteral("Zdraví"), animal.health);
    ParentFact(page, kennel, links, QStringLiteral("Otec"), animal.sire);
    ParentFact(page, kennel, links, QStringLiteral("Matka"), animal.dam);
    page.Close();
}

// Three generations as a table of eight rows: the parents span four rows,
// the grandparents two, the great-grandparents one.
void Pedigree(HtmlWriter& page, const SiteKennel& kennel, const SiteAnimal& animal,
              SiteLinks& links) {
    page.Element(QStringLiteral("h2"), QStringLiteral("Rodokmen"));
    page.Open(QStringLiteral("div"), Class(QStringLiteral("tabulka")));
    page.Open(QStringLiteral("table"), Class(QStringLiteral("rodokmen")));
    TableHeader(page, {QStringLiteral("Rodiče"), QStringLiteral("Prarodiče"),
                       QStringLiteral("Praprarodiče")});
    page.Open(QStringLiteral("tbody"));
    constexpr int kRows = 8;
    for (int row = 0; row < kRows; ++row) {
        page.Open(QStringLiteral("tr"));
        for (int generation = 1; generation <= 3; ++generation) {
            const int span = kRows >> generation;  // 4, 2, 1
            if (row % span != 0) {
                continue;
            }
            const int place = (1 << generation) + row / span;
            const QString& name = animal.pedigree[static_cast<size_t>(place)];
            HtmlAttributes attributes =
                Class(place % 2 == 0 ? QStringLiteral("otec") : QStringLiteral("matka"));
            if (span > 1) {
                attributes.push_back({QStringLiteral("rowspan"), QString::number(span)});
            }
            page.Open(QStringLiteral("td"), attributes);
            Name(page, kennel, links, name, QString());
            page.Close();
        }
        page.Close();
    }
    page.Close();
    page.Close();
    page.Close();
}

void Shows(HtmlWriter& page, const SiteAnimal& animal) {
    if (animal.shows.empty()) {
        return;
    }
    page.Element(QStringLiteral("h2"), QStringLiteral("Výstavy"));
    page.Open(QStringLiteral("div"), Class(QStringLiteral("tabulka")));
    page.Open(QStringLiteral("table"));
    TableHeader(page,
                {QStringLiteral("Datum"), QStringLiteral("Výstava"), QStringLiteral("Místo"),
                 QStringLiteral("Třída"), QStringLiteral("Známka"), QStringLiteral("Tituly")});
    page.Open(QStringLiteral("tbody"));
    for (const ShowResult& show : animal.shows) {
        page.Open(QStringLiteral("tr"));
        TextCells(page, {DateText(show.date), show.kind, show.place, show.showClass, show.grade,
                         show.titles});
        page.Close();
    }
    page.Close();
    page.Close();
    page.Close();
}

void Exams(HtmlWriter& page, const SiteAnimal& animal) {
    if (animal.exams.empty()) {
        return;
    }
    page.Element(QStringLiteral("h2"), QStringLiteral("Zkoušky"));
    page.Open(QStringLiteral("ul"));
    for (const ExamResult& exam : animal.exams) {
        QString text = exam.name;
        if (exam.date.isValid()) {
            text += QStringLiteral(" (%1)").arg(DateText(exam.date));
        }
        if (!exam.organisation.isEmpty()) {
            text += QStringLiteral(", ") + exam.organisation;
        }
        page.Element(QStringLiteral("li"), text);
    }
    page.Close();
}

void Offspring(HtmlWriter& page, const SiteKennel& kennel, const SiteAnimal& animal,
               SiteLinks& links) {
    if (animal.offspring.isEmpty()) {
        return;
    }
    page.Element(QStringLiteral("h2"), QStringLiteral("Potomci"));
    page.Open(QStringLiteral("ul"), Class(QStringLiteral("potomci")));
    for (const QString& child : animal.offspring) {
        page.Open(QStringLiteral("li"));
        Name(page, kennel, links, child, QString());
        page.Close();
    }
    page.Close();
}

// ---- litters -----------------------------------------------------------------

void LitterRow(HtmlWriter& page, const SiteKennel& kennel, const SiteLitter& litter,
               SiteLinks& links) {
    page.Open(QStringLiteral("tr"));
    page.Element(QStringLiteral("td"), DateText(litter.date));
    for (const QString* parent : {&litter.dam, &litter.sire}) {
        page.Open(QStringLiteral("td"));
        Name(page, kennel, links, *parent, kAnimals);
        page.Close();
    }
    TextCells(page, {CountText(litter.males), CountText(litter.females)});
    page.Open(QStringLiteral("td"));
    for (qsizetype i = 0; i < litter.puppies.size(); ++i) {
        if (i > 0) {
            page.Text(QStringLiteral(", "));
        }
        Name(page, kennel, links, litter.puppies[i], kAnimals);
    }
    page.Close();
    page.Close();
}

void LitterTable(HtmlWriter& page, const SiteKennel& kennel,
                 const std::vector<const SiteLitter*>& litters, SiteLinks& links) {
    page.Open(QStringLiteral("div"), Class(QStringLiteral("tabulka")));
    page.Open(QStringLiteral("table"));
    TableHeader(page, {QStringLiteral("Datum"), QStringLiteral("Matka"), QStringLiteral("Otec"),
                       QStringLiteral("Psi"), QStringLiteral("Feny"), QStringLiteral("Štěňata")});
    page.Open(QStringLiteral("tbody"));
    for (const SiteLitter* litter : litters) {
        LitterRow(page, kennel, *litter, links);
    }
    page.Close();
    page.Close();
    page.Close();
}

}  // namespace

QString IndexPage(const SiteKennel& kennel, SiteLinks& links) {
    HtmlWriter page(KennelTitle(kennel), kCss);
    Header(page, kennel, QString());
    page.Element(QStringLiteral("h1"), KennelTitle(kennel));
    if (kennel.animals.empty()) {
        page.Element(QStringLiteral("p"),
                     QStringLiteral("Stanice zatím nezveřejnila žádné zvíře."));
    }
    page.Open(QStringLiteral("ul"), Class(QStringLiteral("zvirata")));
    for (const SiteAnimal& animal : kennel.animals) {
        AnimalCard(page, animal, links);
    }
    page.Close();
    Footer(page);
    return page.Finish();
}

QString AnimalPage(const SiteKennel& kennel, const SiteAnimal& animal, SiteLinks& links) {
    HtmlWriter page(animal.name + QStringLiteral(" – ") + KennelTitle(kennel), kUp + kCss);
    Header(page, kennel, kUp);
    page.Element(QStringLiteral("h1"), animal.name);
    page.Open(QStringLiteral("div"), Class(QStringLiteral("zvire")));
    if (links.withPhoto.contains(animal.name)) {
        page.Empty(QStringLiteral("img"),
                   {{QStringLiteral("src"), kUp + kPhotos + links.Photo(animal.name)},
                    {QStringLiteral("alt"), animal.name},
                    {QStringLiteral("class"), QStringLiteral("foto")}});
    }
    Facts(page, kennel, animal, links);
    page.Close();
    Pedigree(page, kennel, animal, links);
    Shows(page, animal);
    Exams(page, animal);
    Offspring(page, kennel, animal, links);
    Footer(page);
    return page.Finish();
}

QString LittersPage(const SiteKennel& kennel, SiteLinks& links) {
    HtmlWriter page(QStringLiteral("Vrhy – ") + KennelTitle(kennel), kCss);
    Header(page, kennel, QString());
    page.Element(QStringLiteral("h1"), QStringLiteral("Vrhy"));
    if (kennel.litters.empty()) {
        page.Element(QStringLiteral("p"), QStringLiteral("Stanice zatím nezveřejnila žádný vrh."));
    }
    // Newest year first; litters without a date last.
    QMap<int, std::vector<const SiteLitter*>> byYear;
    for (const SiteLitter& litter : kennel.litters) {
        byYear[litter.date.isValid() ? -litter.date.year() : 0].push_back(&litter);
    }
    for (auto year = byYear.cbegin(); year != byYear.cend(); ++year) {
        page.Element(QStringLiteral("h2"),
                     year.key() == 0 ? QStringLiteral("Bez data") : QString::number(-year.key()));
        LitterTable(page, kennel, year.value(), links);
    }
    Footer(page);
    return page.Finish();
}

QString Stylesheet() {
    return QStringLiteral(
        "*{box-sizing:border-box}\n"
        "body{margin:0;font-family:\"DejaVu Sans\",Arial,sans-serif;line-height:1.45;"
        "color:#222;background:#faf8f4}\n"
        "header{background:#5b3a1e;color:#fff;padding:.6em 1em}\n"
        "header .stanice{margin:0;font-weight:bold;font-size:1.1em}\n"
        "nav a{color:#fff;margin-right:1.2em}\n"
        "main{max-width:64em;margin:0 auto;padding:1em}\n"
        "h1{font-size:1.6em;margin:.3em 0 .6em}\n"
        "h2{font-size:1.25em;margin:1.4em 0 .5em;border-bottom:1px solid #d8cbb8}\n"
        "a{color:#7a3f0c}\n"
        "ul.zvirata{list-style:none;padding:0;display:grid;gap:1em;"
        "grid-template-columns:repeat(auto-fill,minmax(13em,1fr))}\n"
        ".karta{background:#fff;border:1px solid #e2d8c8;border-radius:6px;padding:.6em}\n"
        ".karta a{display:block;text-decoration:none}\n"
        ".karta img{display:block;width:100%;height:auto;border-radius:4px}\n"
        ".karta .jmeno{display:block;font-weight:bold;margin-top:.4em}\n"
        ".karta p{margin:.2em 0;font-size:.92em}\n"
        ".tituly{color:#5b3a1e;font-style:italic}\n"
        ".zvire{display:flex;flex-wrap:wrap;gap:1em;align-items:flex-start}\n"
        ".zvire .foto{max-width:100%;width:24em;height:auto;border-radius:6px}\n"
        "dl.udaje{margin:0;display:grid;grid-template-columns:auto 1fr;gap:.2em 1em;"
        "flex:1 1 16em}\n"
        "dl.udaje dt{font-weight:bold}\n"
        "dl.udaje dd{margin:0}\n"
        ".tabulka{overflow-x:auto}\n"
        "table{border-collapse:collapse;width:100%;background:#fff}\n"
        "th,td{border:1px solid #e2d8c8;padding:.3em .5em;text-align:left;vertical-align:middle}\n"
        "th{background:#efe6d8}\n"
        "td.otec{background:#f3f7fb}\n"
        "td.matka{background:#fbf3f6}\n"
        "footer{max-width:64em;margin:2em auto 1em;padding:0 1em;font-size:.85em;color:#777}\n"
        "@media (max-width:30em){main{padding:.6em}h1{font-size:1.35em}"
        "table{font-size:.88em}}\n");
}

}  // namespace site
