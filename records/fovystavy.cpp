#include "records/fovystavy.h"

#include "app/dmunit.h"

namespace {

// A choice of the entry form; the edit form shows the same column in a
// choice box without a list.
TBookInput ShowChoice(const char* column, const QString& caption, const QStringList& items) {
    return {QString::fromLatin1(column), caption, TBookInputKind::Choice, items,
            TBookInputKind::Choice,      {}};
}

TBookDescription MakeShowsBook() {
    TBookDescription book;
    book.table = &TDM1::TaVystavy;
    book.source = &TDM1::SoVystavy;
    book.entryObjectName = QStringLiteral("FoVystavyZapis");
    book.entryCaption = QStringLiteral("Kniha výstav - zápis");
    book.editObjectName = QStringLiteral("FoVystavyEdit");
    book.editCaption = QStringLiteral("Výstavy - úpravy");
    book.requiredColumn = QStringLiteral("Misto");
    book.helpTopic = 301;
    const QStringList qualifications{QStringLiteral("CAJC"),  QStringLiteral("Rezervace CAJC"),
                                     QStringLiteral("CAC"),   QStringLiteral("Rezervace CAC"),
                                     QStringLiteral("CACIB"), QStringLiteral("Rezervace CACIB"),
                                     QStringLiteral("CACIT"), QStringLiteral("CACT")};
    book.inputs = {
        {QStringLiteral("Datum_vystava"),
         QStringLiteral("Datum\nvýstavy"),
         TBookInputKind::Date,
         {},
         TBookInputKind::Date,
         {}},
        {QStringLiteral("Misto"),
         QStringLiteral("Místo"),
         TBookInputKind::Text,
         {},
         TBookInputKind::Text,
         {}},
        ShowChoice(
            "Druh", QStringLiteral("Druh"),
            {QStringLiteral("Oblastní"), QStringLiteral("Krajská"), QStringLiteral("Národní"),
             QStringLiteral("Speciální"), QStringLiteral("Klubová"), QStringLiteral("Mezinárodní"),
             QStringLiteral("Světová")}),
        ShowChoice(
            "Trida", QStringLiteral("Třída"),
            {QStringLiteral("Dorostu"), QStringLiteral("Mladých"), QStringLiteral("Mezitřída"),
             QStringLiteral("Otevřená"), QStringLiteral("Pracovní"), QStringLiteral("Vítězů"),
             QStringLiteral("Šampionů"), QStringLiteral("Veteránů"), QStringLiteral("Čestná"),
             QStringLiteral("Mimo konkurenci")}),
        ShowChoice("Znamka", QStringLiteral("Známka"),
                   {QStringLiteral("Velmi nadějný"), QStringLiteral("Nadějný"),
                    QStringLiteral("Málo nadějný"), QStringLiteral("Výborný"),
                    QStringLiteral("Velmi dobrý"), QStringLiteral("Dobrý"),
                    QStringLiteral("Dostatečný"), QStringLiteral("Vadný")}),
        {QStringLiteral("Poradi"),
         QStringLiteral("Pořadí"),
         TBookInputKind::Whole,
         {},
         TBookInputKind::Whole,
         {}},
        ShowChoice("Cekatelstvi_1", QStringLiteral("Čekatelství 1"), qualifications),
        ShowChoice("Cekatelstvi_2", QStringLiteral("Čekatelství 2"), qualifications),
        ShowChoice("Souteze", QStringLiteral("Soutěž - hlavní"),
                   {QStringLiteral("BOB"), QStringLiteral("BIG"), QStringLiteral("BIS")}),
        ShowChoice("Souteze_ost", QStringLiteral("Soutěže - ostatní"),
                   {QStringLiteral("Krajský vítěz"), QStringLiteral("Klubový vítěz"),
                    QStringLiteral("Vítěz speciální výstavy"), QStringLiteral("Národní vítěz"),
                    QStringLiteral("Evropský vítěz"), QStringLiteral("Světový vítěz")}),
    };
    book.gridColumns = {{QStringLiteral("Datum_vystava"), QStringLiteral("Datum výstavy")},
                        {QStringLiteral("Misto"), QStringLiteral("Místo")}};
    return book;
}

}  // namespace

const TBookDescription& ShowsBook() {
    static const TBookDescription book = MakeShowsBook();
    return book;
}

TFoVystavyZapis::TFoVystavyZapis(TDM1& dm, QWidget* parent)
    : TEventBookEntry(dm, ShowsBook(), parent) {}

TFoVystavyEdit::TFoVystavyEdit(TDM1& dm, QWidget* parent)
    : TEventBookEdit(dm, ShowsBook(), parent) {}
