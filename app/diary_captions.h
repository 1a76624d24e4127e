#pragma once
// The captions and messages of the breeder's diary forms in one place: the
// seasons form, the diary window, the reminder form and the start-up
// reminder. The kinds of entries are named by records/diary/diary_entry.h.

#include <QString>

namespace diary_captions {

// ---- seasons -----------------------------------------------------------------
inline QString SeasonsTitle() {
    return QStringLiteral("Hárání");
}
inline QString SeasonEntryTitle() {
    return QStringLiteral("Hárání - zápis");
}
inline QString SeasonEditTitle() {
    return QStringLiteral("Hárání - úpravy");
}
inline QString RegisteredName() {
    return QStringLiteral("Registr. jméno  ");
}
inline QString SeasonDate() {
    return QStringLiteral("První den hárání");
}
inline QString Note() {
    return QStringLiteral("Poznámka");
}
inline QString SeasonList() {
    return QStringLiteral("Zapsaná hárání");
}
inline QString NextSeason() {
    return QStringLiteral("Předpokládané další hárání:");
}
inline QString NoPrediction() {
    return QStringLiteral("(zatím žádné zapsané hárání)");
}
inline QString NewSeason() {
    return QStringLiteral("Nové hárání");
}
inline QString Change() {
    return QStringLiteral("Opravit");
}
inline QString Delete() {
    return QStringLiteral("Smazat");
}
inline QString Write() {
    return QStringLiteral("Zápis");
}
inline QString Cancel() {
    return QStringLiteral("Storno");
}
inline QString Close() {
    return QStringLiteral("Zavřít");
}
inline QString NoSeasonDate() {
    return QStringLiteral("Není zadáno datum hárání");
}
inline QString InvalidDate() {
    return QStringLiteral("Neplatné datum");
}
inline QString CannotWrite() {
    return QStringLiteral("Nelze zapsat, opravte data");
}
inline QString DeleteQuestion() {
    return QStringLiteral("Smazat záznam?");
}
inline QString ConfirmCaption() {
    return QStringLiteral("Potvrzení");
}
inline QString NothingChosen() {
    return QStringLiteral("Není vybrán žádný záznam");
}
inline QString OnlyForBitches() {
    return QStringLiteral("Hárání lze zapsat jen u feny");
}

// ---- diary window ------------------------------------------------------------
inline QString DiaryTitle() {
    return QStringLiteral("Diář");
}
inline QString From() {
    return QStringLiteral("Od");
}
inline QString To() {
    return QStringLiteral("Do");
}
inline QString Show() {
    return QStringLiteral("Zobrazit");
}
inline QString DateColumn() {
    return QStringLiteral("Datum");
}
inline QString KindColumn() {
    return QStringLiteral("Druh");
}
inline QString AnimalColumn() {
    return QStringLiteral("Zvíře");
}
inline QString TextColumn() {
    return QStringLiteral("Text");
}
inline QString StateColumn() {
    return QStringLiteral("Stav");
}
inline QString NewReminder() {
    return QStringLiteral("Nová připomínka");
}
inline QString ChangeReminder() {
    return QStringLiteral("Opravit připomínku");
}
inline QString DeleteReminder() {
    return QStringLiteral("Smazat připomínku");
}
inline QString ReminderDone() {
    return QStringLiteral("Splněno");
}
inline QString Print() {
    return QStringLiteral("Tisk");
}
inline QString NotAReminder() {
    return QStringLiteral("Vyberte v diáři vlastní připomínku");
}
inline QString BadSpan() {
    return QStringLiteral("Zadejte platné období (od - do)");
}
inline QString EntryCount() {
    return QStringLiteral("Položek: %1, z toho po termínu: %2");
}

// ---- reminder form -----------------------------------------------------------
inline QString ReminderTitle() {
    return QStringLiteral("Připomínka");
}
inline QString ReminderDate() {
    return QStringLiteral("Datum");
}
inline QString ReminderText() {
    return QStringLiteral("Text");
}
inline QString Remind() {
    return QStringLiteral("Upozornit");
}
inline QString NoReminderDate() {
    return QStringLiteral("Není zadáno datum připomínky");
}
inline QString NoReminderText() {
    return QStringLiteral("Není zadán text připomínky");
}

// ---- start-up reminder -------------------------------------------------------
inline QString DueTitle() {
    return QStringLiteral("Upozornění");
}
inline QString DueHeading() {
    return QStringLiteral("Po termínu a v nejbližších %1 dnech:");
}
inline QString OpenDiary() {
    return QStringLiteral("Otevřít diář");
}

// ---- settings ----------------------------------------------------------------
inline QString RemindDaysAhead() {
    return QStringLiteral("Upozornit dní předem");
}

}  // namespace diary_captions
