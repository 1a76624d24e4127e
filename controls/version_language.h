#pragma once
// The languages a version resource can name, with their Windows language
// identifiers (the 45 of the version-resource language table).

#include <QtGlobal>

enum TVersionLanguage {
    vlArabic,
    vlBulgarian,
    vlCatalan,
    vlTraditionalChinese,
    vlCzech,
    vlDanish,
    vlGerman,
    vlGreek,
    vlUSEnglish,
    vlCastilianSpanish,
    vlFinnish,
    vlFrench,
    vlHebrew,
    vlHungarian,
    vlIcelandic,
    vlItalian,
    vlJapanese,
    vlKorean,
    vlDutch,
    vlNorwegianBokmel,
    vlPolish,
    vlBrazilianPortuguese,
    vlRhaetoRomanic,
    vlRomanian,
    vlRussian,
    vlCroatoSerbian,
    vlSlovak,
    vlAlbanian,
    vlSwedish,
    vlThai,
    vlTurkish,
    vlUrdu,
    vlBahasa,
    vlSimplifiedChinese,
    vlSwissGerman,
    vlUKEnglish,
    vlMexicanSpanish,
    vlBelgianFrench,
    vlSwissItalian,
    vlBelgianDutch,
    vlNorwegianNynorsk,
    vlPortuguese,
    vlSerboCroatian,
    vlCanadianFrench,
    vlSwissFrench,
    vlUnknown
};

// vlUnknown for an identifier outside the table.
TVersionLanguage VersionLanguageFromId(quint16 languageId);
// 0 for vlUnknown.
quint16 VersionLanguageId(TVersionLanguage language);
