// An entry form opened without a current animal (nothing chosen on the
// record sheet) cannot write a nameless event: the store's refusal is shown,
// the form stays open and nothing is written.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "controls/K_Edit.h"
#include "records/foosetreninew.h"
#include "tests/support/seams.h"

namespace {

TEST(NamelessEventEntry, AVisitWithoutItsAnimalIsRefusedByTheStore) {
    testing_support::ScriptedMessages messages;
    testing_support::FixedClock clock{QDate(2026, 12, 9)};
    QTemporaryDir folder;
    platform::Database::CreateSchema(folder.path() + "/");
    TDM1 dm(folder.path() + "/");
    TFoOsetreniNew form(dm);
    form.show();
    form.findChild<TKEdit*>("Edit_lekar")->setText(QStringLiteral("MVDr. Černá"));
    form.findChild<TKEdit*>("EditDatum_Ted")->setText(QStringLiteral("2.11.2026"));
    form.findChild<QComboBox*>("Combo_Duvod")->setEditText(QStringLiteral("Očkování"));
    QTest::mouseClick(form.findChild<QPushButton*>("BtnZapis"), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_FALSE(messages.Texts().isEmpty());
    EXPECT_TRUE(messages.Texts().join('\n').contains("registrované jméno zvířete"))
        << messages.Texts().join('\n').toStdString();
    EXPECT_FALSE(messages.Texts().contains(QStringLiteral("Příkaz byl vykonán ")));
    EXPECT_TRUE(form.isVisible());
    platform::Table visits(dm.Database1, "osetreni.db");
    visits.Open();
    EXPECT_EQ(visits.RecordCount(), 0);
}

}  // namespace
