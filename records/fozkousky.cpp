#include "records/fozkousky.h"

#include "app/dmunit.h"

namespace {

QStringList ExamKinds() {
    return {QStringLiteral("Podzimní zkoušky"),      QStringLiteral("Zkoušky vloh"),
            QStringLiteral("Lesní zkoušky"),         QStringLiteral("Vodní práce"),
            QStringLiteral("Všestrané zkoušky"),     QStringLiteral("Barvářské zkoušky"),
            QStringLiteral("Honičské zkoušky"),      QStringLiteral("Zkoušky z norování"),
            QStringLiteral("Zkouška všestranosti"),  QStringLiteral("Zkouška obranáře"),
            QStringLiteral("Zkouška stopaře"),       QStringLiteral("Zkouška záchraného psa"),
            QStringLiteral("Zkouška lavinového psa")};
}

// The edit form's list differs in its last item, which ends in a blank.
QStringList EditedExamKinds() {
    QStringList kinds = ExamKinds();
    kinds.last() = QStringLiteral("Zkouška lavinového psa ");
    return kinds;
}

TBookDescription MakeExamsBook() {
    TBookDescription book;
    book.table = &TDM1::TaZkousky;
    book.source = &TDM1::SoZkousky;
    book.entryObjectName = QStringLiteral("FoZkousky_Zapis");
    book.entryCaption = QStringLiteral("Zkoušky  - zápis");
    book.editObjectName = QStringLiteral("FoZkouskyEdit");
    book.editCaption = QStringLiteral("Zkoušky - úpravy");
    book.requiredColumn = QStringLiteral("Oceneni_Jmeno");
    book.helpTopic = 303;
    book.helpOnOpen = true;
    book.entryDateCommaToPoint = true;
    book.editDateCommaToPoint = true;
    book.closeTableAfterWrite = true;
    book.refusalMessage = QStringLiteral("Nastala chyba při zápisu zkoušky ");
    book.inputs = {
        {QStringLiteral("Datum_Udeleni"),
         QStringLiteral("Zkouška složena dne"),
         TBookInputKind::Date,
         {},
         TBookInputKind::Date,
         {}},
        {QStringLiteral("Oceneni_Jmeno"), QStringLiteral("Druh zkoušky (název)"),
         TBookInputKind::Choice, ExamKinds(), TBookInputKind::Choice, EditedExamKinds()},
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
         QStringLiteral("Poznámka"),
         TBookInputKind::Text,
         {},
         TBookInputKind::Memo,
         {}},
    };
    book.gridColumns = {{QStringLiteral("Oceneni_Jmeno"), QStringLiteral("Zkoušky")},
                        {QStringLiteral("Organizace"), QString()}};
    return book;
}

}  // namespace

const TBookDescription& ExamsBook() {
    static const TBookDescription book = MakeExamsBook();
    return book;
}

TFoZkousky_Zapis::TFoZkousky_Zapis(TDM1& dm, QWidget* parent)
    : TEventBookEntry(dm, ExamsBook(), parent) {}

TFoZkouskyEdit::TFoZkouskyEdit(TDM1& dm, QWidget* parent)
    : TEventBookEdit(dm, ExamsBook(), parent) {}
