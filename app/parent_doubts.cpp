#include "app/parent_doubts.h"

#include "platform/czech_locale.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/table.h"

namespace {

struct ParentRole {
    QString caption;  // "Otec", "Matka"
    TAnimalSex expected;
    QString wrongSexWord;  // what the parent is when its sex is wrong
};

QString Question(const QString& doubt) {
    return doubt + QStringLiteral(" Přesto uložit?");
}

void AddDoubts(platform::Database& database, const TParentage& parentage, const QString& parent,
               const ParentRole& role, QStringList& doubts) {
    const QString named = QStringLiteral("%1 „%2“").arg(role.caption, parent);
    if (!parentage.name.isEmpty() && parent == parentage.name) {
        doubts << Question(named + QStringLiteral(" je tentýž jedinec, jehož záznam se ukládá."));
        return;
    }
    platform::Table cards(database, QStringLiteral("main_card.db"));
    cards.Open();
    if (!cards.Locate(QStringLiteral("Jmeno_registr"), parent)) {
        return;
    }
    const TAnimalSex sex = SexOf(cards.FieldByName(QStringLiteral("Pohlavi")).AsString());
    if (sex != TAnimalSex::asUnknown && sex != role.expected) {
        doubts << Question(
            named + QStringLiteral(" je podle evidenčního listu %1.").arg(role.wrongSexWord));
    }
    const QDate born = cards.FieldByName(QStringLiteral("Datum_nar")).AsDate();
    if (born.isValid() && parentage.birth.isValid() && born > parentage.birth) {
        doubts << Question(
            named + QStringLiteral(" se narodil(a) %1, až po narození potomka %2.")
                        .arg(platform::FormatDate(born), platform::FormatDate(parentage.birth)));
    }
}

}  // namespace

TAnimalSex SexOf(const QString& pohlavi) {
    const QString sex = pohlavi.trimmed();
    if (sex.compare(QStringLiteral("Pes"), Qt::CaseInsensitive) == 0) {
        return TAnimalSex::asMale;
    }
    if (sex.compare(QStringLiteral("Fena"), Qt::CaseInsensitive) == 0) {
        return TAnimalSex::asFemale;
    }
    return TAnimalSex::asUnknown;
}

QStringList ParentDoubts(platform::Database& database, const TParentage& parentage) {
    QStringList doubts;
    if (!parentage.sire.trimmed().isEmpty()) {
        AddDoubts(database, parentage, parentage.sire,
                  {QStringLiteral("Otec"), TAnimalSex::asMale, QStringLiteral("fena")}, doubts);
    }
    if (!parentage.dam.trimmed().isEmpty()) {
        AddDoubts(database, parentage, parentage.dam,
                  {QStringLiteral("Matka"), TAnimalSex::asFemale, QStringLiteral("pes")}, doubts);
    }
    return doubts;
}

bool ConfirmParents(platform::Database& database, const TParentage& parentage) {
    for (const QString& doubt : ParentDoubts(database, parentage)) {
        if (platform::ShowMessage(doubt, QString(), platform::MessageIcon::Question,
                                  platform::mbYes | platform::mbNo,
                                  platform::mbNo) != platform::mbYes) {
            return false;
        }
    }
    return true;
}
