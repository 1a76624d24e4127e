#include "report/engine/run_errors.h"

#include <algorithm>

#include "report/output/code_pages.h"

QString TRunError::Message() const {
    switch (kind) {
        case rePaper:
            return QStringLiteral(
                       "Předloha \"%1\": nepoužitelný papír (%2), použit výchozí "
                       "papír A4.")
                .arg(name, detail);
        case reFunction:
            // The position counts from 1, as the expression editor shows it.
            return QStringLiteral(
                       "Funkce \"%1\" se nedala vypočítat: chyba %2 na pozici %3 "
                       "výrazu \"%4\".")
                .arg(name)
                .arg(code)
                .arg(position + 1)
                .arg(detail);
        case rePicture:
            if (record > 0) {
                return QStringLiteral("Obrázek ve sloupci \"%1\" záznamu %2 nelze přečíst: %3.")
                    .arg(name)
                    .arg(record)
                    .arg(detail);
            }
            if (!element.isEmpty()) {
                return QStringLiteral("Obrázek \"%1\" (%2) nelze přečíst: %3.")
                    .arg(name, element, detail);
            }
            return QStringLiteral("Obrázek \"%1\" nelze přečíst: %2.").arg(name, detail);
        case reField:
            return QStringLiteral("Položka \"%1\" v datech není, tiskne se prázdná.").arg(name);
        case reFieldNumber:
            return QStringLiteral(
                       "Položka číslo %1 v datech není (data mají %2 položek), "
                       "tiskne se prázdná.")
                .arg(name)
                .arg(code);
        case reFunctionName:
            return QStringLiteral("Funkce \"%1\" v předloze není, tiskne se prázdná.").arg(name);
        case rePageRange:
            return QStringLiteral(
                       "Sestava \"%1\" skončila na stránce %2, jak určil zadaný rozsah "
                       "stránek; další stránky nebyly vytvořeny.")
                .arg(name)
                .arg(code);
        case reDrawingCut:
            return QStringLiteral(
                       "Kreslicí plocha sestavy \"%1\" nekončila ani po %2 stránkách; "
                       "další její stránky nebyly vytvořeny.")
                .arg(name)
                .arg(code);
        case reLostCharacters:
            return LostCharactersWarning(detail);
        default:
            return name;
    }
}

bool TRunError::SameFailure(const TRunError& other) const {
    const bool pictureFile = kind == rePicture && record == 0;
    if (pictureFile) {
        return other.kind == rePicture && other.record == 0 && other.name == name;
    }
    return *this == other;
}

bool TRunErrors::Add(const TRunError& error) {
    const auto same = [&error](const TRunError& listed) { return listed.SameFailure(error); };
    if (std::any_of(items_.begin(), items_.end(), same)) {
        return false;
    }
    items_.push_back(error);
    return true;
}

QStringList TRunErrors::Messages() const {
    QStringList messages;
    for (const TRunError& error : items_) {
        messages << error.Message();
    }
    return messages;
}
