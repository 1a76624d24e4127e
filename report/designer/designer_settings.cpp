#include "report/designer/designer_settings.h"

#include "platform/ini_file.h"

namespace {
const QString kEditor = QStringLiteral("EditorSestav");
const QString kOddily = QStringLiteral("Oddily");
}  // namespace

void TDesignerSettings::Load(const QString& iniPath) {
    platform::IniFile ini(iniPath);
    ini.Load();
    const TDesignerSettings d;
    rastrX = ini.ReadInteger(kEditor, QStringLiteral("RastrX"), d.rastrX);
    rastrY = ini.ReadInteger(kEditor, QStringLiteral("RastrY"), d.rastrY);
    rastrZobrazovat = ini.ReadBool(kEditor, QStringLiteral("RastrZobrazovat"), d.rastrZobrazovat);
    rastrZarovnavat = ini.ReadBool(kEditor, QStringLiteral("RastrZarovnavat"), d.rastrZarovnavat);
    mazaniJedne = ini.ReadBool(kEditor, QStringLiteral("MazaniJedne"), d.mazaniJedne);
    mazaniVice = ini.ReadBool(kEditor, QStringLiteral("MazaniVice"), d.mazaniVice);
    posunMimo = ini.ReadBool(kEditor, QStringLiteral("PosunMimo"), d.posunMimo);
    pocetUndo = ini.ReadInteger(kEditor, QStringLiteral("PocetUndo"), d.pocetUndo);
    undoSave = ini.ReadBool(kEditor, QStringLiteral("UndoSave"), d.undoSave);
    showTree = ini.ReadBool(kEditor, QStringLiteral("ShowTree"), d.showTree);
    showRulesLR = ini.ReadBool(kEditor, QStringLiteral("ShowRulesLR"), d.showRulesLR);
    showRulesTB = ini.ReadBool(kEditor, QStringLiteral("ShowRulesTB"), d.showRulesTB);
    trackingH = ini.ReadBool(kEditor, QStringLiteral("TrackingH"), d.trackingH);
    trackingV = ini.ReadBool(kEditor, QStringLiteral("TrackingV"), d.trackingV);
    useUnits = ini.ReadInteger(kEditor, QStringLiteral("UseUnits"), d.useUnits);
    if (useUnits < 0 || useUnits > 4) {
        useUnits = 0;
    }
    sledPodle = ini.ReadBool(kEditor, QStringLiteral("SledPodle"), d.sledPodle);
    popisyPol = ini.ReadBool(kEditor, QStringLiteral("PopisyPol"), d.popisyPol);
    pismaAbec = ini.ReadBool(kEditor, QStringLiteral("PismaAbec"), d.pismaAbec);

    implSirka = ini.ReadInteger(kOddily, QStringLiteral("ImplSirka"), d.implSirka);
    implVyska = ini.ReadInteger(kOddily, QStringLiteral("ImplVyska"), d.implVyska);
    implZarovnani = ini.ReadInteger(kOddily, QStringLiteral("ImplZarovnani"), d.implZarovnani);
    implZarovnaniCi =
        ini.ReadInteger(kOddily, QStringLiteral("ImplZarovnaniCi"), d.implZarovnaniCi);
    implBarvaFontu = ini.ReadInteger(kOddily, QStringLiteral("ImplBarvaFontu"), d.implBarvaFontu);
    implVyskaFontu = ini.ReadInteger(kOddily, QStringLiteral("ImplVyskaFontu"), d.implVyskaFontu);
    if (implVyskaFontu < 0) {
        implVyskaFontu = implVyskaFontu * -72 / 100;
    }
    implNazevFontu =
        ini.ReadString(kOddily, QStringLiteral("ImplNazevFontu"), d.implNazevFontu).left(32);
    implStylFontu = ini.ReadInteger(kOddily, QStringLiteral("ImplStylFontu"), d.implStylFontu);
    implSkriptFontu =
        ini.ReadInteger(kOddily, QStringLiteral("ImplSkriptFontu"), d.implSkriptFontu);
}

bool TDesignerSettings::Save(const QString& iniPath) const {
    platform::IniFile ini(iniPath);
    ini.Load();
    ini.WriteInteger(kEditor, QStringLiteral("RastrX"), rastrX);
    ini.WriteInteger(kEditor, QStringLiteral("RastrY"), rastrY);
    ini.WriteBool(kEditor, QStringLiteral("RastrZobrazovat"), rastrZobrazovat);
    ini.WriteBool(kEditor, QStringLiteral("RastrZarovnavat"), rastrZarovnavat);
    ini.WriteBool(kEditor, QStringLiteral("MazaniJedne"), mazaniJedne);
    ini.WriteBool(kEditor, QStringLiteral("MazaniVice"), mazaniVice);
    ini.WriteBool(kEditor, QStringLiteral("PosunMimo"), posunMimo);
    ini.WriteInteger(kEditor, QStringLiteral("PocetUndo"), pocetUndo);
    ini.WriteBool(kEditor, QStringLiteral("UndoSave"), undoSave);
    ini.WriteBool(kEditor, QStringLiteral("ShowTree"), showTree);
    ini.WriteBool(kEditor, QStringLiteral("ShowRulesLR"), showRulesLR);
    ini.WriteBool(kEditor, QStringLiteral("ShowRulesTB"), showRulesTB);
    ini.WriteBool(kEditor, QStringLiteral("TrackingH"), trackingH);
    ini.WriteBool(kEditor, QStringLiteral("TrackingV"), trackingV);
    ini.WriteInteger(kEditor, QStringLiteral("UseUnits"), useUnits);
    ini.WriteBool(kEditor, QStringLiteral("SledPodle"), sledPodle);
    ini.WriteBool(kEditor, QStringLiteral("PopisyPol"), popisyPol);
    ini.WriteBool(kEditor, QStringLiteral("PismaAbec"), pismaAbec);
    ini.WriteInteger(kOddily, QStringLiteral("ImplSirka"), implSirka);
    ini.WriteInteger(kOddily, QStringLiteral("ImplVyska"), implVyska);
    ini.WriteInteger(kOddily, QStringLiteral("ImplZarovnani"), implZarovnani);
    ini.WriteInteger(kOddily, QStringLiteral("ImplZarovnaniCi"), implZarovnaniCi);
    ini.WriteInteger(kOddily, QStringLiteral("ImplBarvaFontu"), implBarvaFontu);
    ini.WriteInteger(kOddily, QStringLiteral("ImplVyskaFontu"), implVyskaFontu);
    ini.WriteString(kOddily, QStringLiteral("ImplNazevFontu"), implNazevFontu);
    ini.WriteInteger(kOddily, QStringLiteral("ImplStylFontu"), implStylFontu);
    ini.WriteInteger(kOddily, QStringLiteral("ImplSkriptFontu"), implSkriptFontu);
    return ini.Save();
}
