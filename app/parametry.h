#pragma once
// The program's settings record and its file Harvel.INI in the program
// folder. The record is read once at start-up (by the settings form) and
// again after every write; the other parts of the program read it directly
// from CurrentParametry().
//
// Harvel.INI, section EvidList:
//   OnlineTituly      1/0   titles of the current animal follow every move
//   OnlineFoto        1/0   the photo of the current animal follows every move
//   KontrolaJmen      1/0   run the orphan check of the event tables at start-up
//   JednotkaDelka     text  unit appended to lengths, at most 3 characters
//   JednotkaHmotnost  text  unit appended to weights, at most 3 characters
//   Chovatel          text  the kennel's (breeder's) name; fills report
//                           parameter line 1, which templates print in their
//                           headers. The settings form has no field for it:
//                           the user sets it in Harvel.INI.
//   UpozornitDni      number how many days ahead the start-up reminder looks
//                           (0 turns it off; 7 when missing)
//   PocetZaloh        number how many automatic backups of the database to
//                           keep (10 when missing); read by the backups
//                           (platform/store/backup.h), not by this record.
//   JinaPredloha0..9  text  the template last chosen through "Jiná předloha..."
//                           for print source 0..9: a file name in the template
//                           folder, or a full path to a file elsewhere.
// Booleans are written as "1" or "0" and read as integers (non-zero is
// true); texts are written as they stand, leading blanks included.

#include <QString>

struct Parametry {
    bool OnlineTituly = true;
    bool OnlineFoto = true;
    bool KontrolaJmen = false;
    QString JednotkaDelka = QStringLiteral(" cm");
    QString JednotkaHmotnost = QStringLiteral(" kg");
    QString Chovatel;
    int UpozornitDni = 7;
};

// The start-up reminder looks at most this many days ahead.
inline constexpr int kMaxRemindDays = 365;

inline constexpr int kMaxUnitLength = 3;

// The settings record the program runs with.
Parametry& CurrentParametry();

// Harvel.INI in the settings folder (the program folder, or ~/.config/Harvel/ for an
// installed program; an existing file whose name differs only
// in letter case, e.g. HARVEL.INI copied from Windows, is used as it is).
QString SettingsFilePath();

// Reads the keys of section EvidList from the file at `path` into `settings`
// in the order KontrolaJmen, OnlineTituly, OnlineFoto, JednotkaDelka,
// JednotkaHmotnost, Chovatel, UpozornitDni. Each key present replaces the value in force; a
// missing file or key leaves the value as it is. Nothing is reported. Unit
// texts longer than 3 characters are cut to 3.
void ReadParametry(const QString& path, Parametry& settings);

// Writes OnlineTituly, OnlineFoto, KontrolaJmen, JednotkaDelka,
// JednotkaHmotnost, Chovatel, UpozornitDni in this order into section EvidList of the file
// at `path`, keeping every other line of the file. Unit texts are cut to 3
// characters. When the file cannot be written (or an existing file cannot be
// read, so writing would lose its other lines), shows the error box
// "Chyba při ukládání parametrického souboru" and returns false.
bool WriteParametry(const QString& path, const Parametry& settings);

// The own template remembered for a print source (JinaPredloha<source>);
// empty when none is.
QString ReadOwnTemplate(const QString& path, int source);
// Remembers it, keeping every other line of the file; on failure the same
// error box as WriteParametry and false.
bool WriteOwnTemplate(const QString& path, int source, const QString& file);

// A length or weight as displayed: two decimals, a blank and the unit text,
// so 12.5 with the unit " cm" shows as "12.50  cm".
QString MeasureText(double value, const QString& unit);
