#pragma once
// The designer's working preferences and the starting properties of
// inserted elements, read from the report library's settings file
// (sections "EditorSestav" and "Oddily").

#include <QString>

struct TDesignerSettings {
    // "EditorSestav"
    int rastrX = 8;
    int rastrY = 8;
    bool rastrZobrazovat = true;
    bool rastrZarovnavat = true;
    bool mazaniJedne = false;
    bool mazaniVice = true;
    bool posunMimo = false;
    int pocetUndo = 10;
    bool undoSave = false;
    bool showTree = false;
    bool showRulesLR = false;
    bool showRulesTB = false;
    bool trackingH = false;
    bool trackingV = false;
    int useUnits = 0;
    bool sledPodle = false;
    bool popisyPol = false;
    bool pismaAbec = false;
    // "Oddily"
    int implSirka = 200;
    int implVyska = 20;
    int implZarovnani = 0;
    int implZarovnaniCi = 1;
    int implBarvaFontu = 0;
    int implVyskaFontu = 10;  // points (a negative value in the file is a height)
    QString implNazevFontu = QStringLiteral("Arial");
    int implStylFontu = 0;
    int implSkriptFontu = 1;

    // Reads both sections of the file; missing keys and a missing file keep the defaults.
    void Load(const QString& iniPath);
    // Writes every key back (the settings dialog does this on "&Konec").
    bool Save(const QString& iniPath) const;
};
