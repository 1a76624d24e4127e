#pragma once
// What the health-card entry form checks and writes, apart from its widgets.

#include <QString>
#include <QStringList>

class TDM1;

// The reason field's choice list, in its order; free text is taken too.
QStringList VisitReasons();

// One visit's inputs as the entry form holds them (texts as typed).
struct TVisitInput {
    QString animal;  // the registered name of the current animal
    QString doctor;  // Lekar, usually an address-book key
    QString visitDate;
    QString reason;
    QString description;
    QString result;
    QString preparations;  // several separated by semicolons
    QString nextVisit;
    QString note;
};

// The three checks, in their order: the message of each that fails.
QStringList VisitInputFailures(const TVisitInput& input);

// Appends and posts the visit row. A value or row the store refuses drops
// the new row and passes the store's StoreError on.
void WriteVisit(TDM1& dm, const TVisitInput& input);
