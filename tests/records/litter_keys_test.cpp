// The litter's puppy sheets go through the store's key rule: a puppy name
// that is only blanks, however it reached the litter entry, is refused and
// the whole litter (its row and every sheet) is left unwritten.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/dmunit.h"
#include "platform/store/store_error.h"
#include "records/litter_entry.h"
#include "tests/support/seams.h"

namespace {

TEST(LitterPuppySheets, ABlankPuppyNameIsRefusedAndNothingOfTheLitterIsWritten) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    platform::Database::CreateSchema(folder);
    testing_support::ScriptedMessages messages;
    TDM1 dm(folder);
    dm.TaMain_Card.Append();
    dm.TaMain_Card.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QStringLiteral("Ema"));
    dm.TaMain_Card.Post();
    TLitterInput input;
    input.dam = QStringLiteral("Ema");
    input.sire = QStringLiteral("Max");
    input.birth = QStringLiteral("1.5.2024");
    input.males = QStringLiteral("2");
    input.females = QStringLiteral("0");
    input.names = {QStringLiteral("Adam od Emy"), QStringLiteral("  ")};
    try {
        WriteLitter(dm, input, true);
        ADD_FAILURE() << "a puppy sheet without a name was written";
    } catch (const platform::StoreError& e) {
        EXPECT_EQ(e.Message(),
                  "Záznam tabulky main_card.db nelze uložit: registrované jméno "
                  "(Jmeno_registr) musí být vyplněno.");
    }
    EXPECT_EQ(dm.TaMain_Card.RecordCount(), 1);
    dm.TaVrhy.SetFiltered(false);
    EXPECT_EQ(dm.TaVrhy.RecordCount(), 0);
    EXPECT_FALSE(dm.Database1.InTransaction());
}

}  // namespace
