#include "records/fochovnost.h"

#include "app/dmunit.h"

namespace {

TBookDescription MakeBreedingApprovalBook() {
    TBookDescription book;
    book.table = &TDM1::TaChovnost;
    book.source = &TDM1::SoChovnost;
    book.entryObjectName = QStringLiteral("FoChovnostZapis");
    book.entryCaption = QStringLiteral("Chovnost - zápis");
    book.editObjectName = QStringLiteral("FoChovnostEdit");
    book.editCaption = QStringLiteral("Chovnost - úpravy");
    book.helpTopic = 304;
    book.editDateCommaToPoint = true;
    const QStringList fulfilment{QStringLiteral("Nesplnil(a) podmínky pro zařazení do chovu"),
                                 QStringLiteral("Splnil(a) podmínky pro zařazení do chovu")};
    book.inputs = {
        {QStringLiteral("Datum"),
         QStringLiteral("Dne"),
         TBookInputKind::Date,
         {},
         TBookInputKind::Date,
         {}},
        {QStringLiteral("Chov_jedinec"),
         QStringLiteral("Splnění"),
         TBookInputKind::Options,
         fulfilment,
         TBookInputKind::Options,
         {}},
        {QStringLiteral("Poznamka"),
         QStringLiteral("Zápis"),
         TBookInputKind::Memo,
         {},
         TBookInputKind::Memo,
         {}},
    };
    book.gridColumns = {{QStringLiteral("Datum"), QString()}};
    return book;
}

}  // namespace

const TBookDescription& BreedingApprovalBook() {
    static const TBookDescription book = MakeBreedingApprovalBook();
    return book;
}

TFoChovnostZapis::TFoChovnostZapis(TDM1& dm, QWidget* parent)
    : TEventBookEntry(dm, BreedingApprovalBook(), parent) {}

TFoChovnostEdit::TFoChovnostEdit(TDM1& dm, QWidget* parent)
    : TEventBookEdit(dm, BreedingApprovalBook(), parent) {}
