#pragma once
// What the mating entry form checks and writes, apart from its widgets.

#include <QString>
#include <QStringList>
#include <array>

class TDM1;

// The manner fields' choice list, in its order; free text is taken too.
QStringList MatingManners();

// One mating row's inputs as the entry form holds them (texts as typed).
struct TMatingInput {
    QString animal;  // the registered name of the current animal
    QString partner;
    QString owner;       // Majitel
    QString assistance;  // Asistence
    std::array<QString, 3> dates;
    std::array<QString, 3> manners;
    std::array<QString, 3> places;
    QString intention;  // Chovatel_zamer
    QString males;
    QString females;
    bool covered = false;  // Nakryta_Ano_Ne
    QString litterDate;
};

// Both checks, in their order: the message of each that fails.
QStringList MatingInputFailures(const TMatingInput& input);

// Appends and posts the mating row. A value or row the store refuses (a
// count that is no whole number, a date that is none) drops the new row and
// passes the store's StoreError on; nothing is left behind.
void WriteMating(TDM1& dm, const TMatingInput& input);
