#include "records/fotituly.h"

#include "app/dmunit.h"

namespace {

TBookDescription MakeTitlesBook() {
    TBookDescription book;
    book.table = &TDM1::TaTituly;
    book.source = &TDM1::SoTituly;
    book.entryObjectName = QStringLiteral("FoTitulZapis");
    book.entryCaption = QStringLiteral("Tituly (ocenění) - zápis");
    book.editObjectName = QStringLiteral("FoTituly_Edit");
    book.editCaption = QStringLiteral("Tituly (ocenění) - úpravy");
    book.requiredColumn = QStringLiteral("Titul_Jmeno");
    book.helpTopic = 302;
    book.entryDateCommaToPoint = true;
    book.editDateCommaToPoint = true;
    const QStringList titles{QStringLiteral("Klubový šampion"), QStringLiteral("Interšampion"),
                             QStringLiteral("Český šampion"), QStringLiteral("Slovenský šampion"),
                             QStringLiteral("Polský šampion ")};
    book.inputs = {
        {QStringLiteral("Datum_Udeleni"),
         QStringLiteral("Datum přiznání titulu"),
         TBookInputKind::Date,
         {},
         TBookInputKind::Date,
         {}},
        {QStringLiteral("Titul_Jmeno"), QStringLiteral("Název titulu (ocenění)"),
         TBookInputKind::Choice, titles, TBookInputKind::Choice, titles},
        {QStringLiteral("Organizace"),
         QStringLiteral("Udělující organizace"),
         TBookInputKind::Text,
         {},
         TBookInputKind::Text,
         {}},
        {QStringLiteral("Zeme"),
         QStringLiteral("Země"),
         TBookInputKind::Text,
         {},
         TBookInputKind::Text,
         {}},
        {QStringLiteral("Poznamka"),
         QStringLiteral("Poznámka (max 200 znaků)"),
         TBookInputKind::Text,
         {},
         TBookInputKind::Memo,
         {}},
    };
    book.gridColumns = {{QStringLiteral("Titul_Jmeno"), QStringLiteral("Titul")},
                        {QStringLiteral("Organizace"), QString()}};
    return book;
}

}  // namespace

const TBookDescription& TitlesBook() {
    static const TBookDescription book = MakeTitlesBook();
    return book;
}

TFoTitulZapis::TFoTitulZapis(TDM1& dm, QWidget* parent)
    : TEventBookEntry(dm, TitlesBook(), parent) {}

TFoTituly_Edit::TFoTituly_Edit(TDM1& dm, QWidget* parent)
    : TEventBookEdit(dm, TitlesBook(), parent) {}
