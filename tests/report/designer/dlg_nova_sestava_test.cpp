// The new-template wizard: moving fields between the lists (several selected
// fields arrive in reverse order, the re-selection), the buttons, the message
// for an empty choice, Esc, and a draft that the designer opens.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "report/designer/dlg_nova_sestava.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;

namespace {

QList<TDraftField> FiveFields() {
    QList<TDraftField> fields;
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        fields.append({QLatin1String(name), QLatin1String(name), 5, 0});
    }
    return fields;
}

QStringList Items(QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

QPushButton* Button(QDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

}  // namespace

TEST(NewTemplateWizard, StartsWithEveryFieldAvailable) {
    TDlgNovaSestava wizard(FiveFields(), true);
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Návrh nové předlohy"));
    EXPECT_EQ(Items(wizard.SrcList()), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(wizard.DstList()->count(), 0);
    EXPECT_FALSE(Button(wizard, "ExcludeBtn")->isEnabled());
    EXPECT_FALSE(Button(wizard, "ExAllBtn")->isEnabled());
    EXPECT_TRUE(wizard.findChild<QCheckBox*>(QStringLiteral("CBSledovatPodle"))->isChecked());
    EXPECT_TRUE(wizard.findChild<QCheckBox*>(QStringLiteral("CBPopisyPolozek"))->isChecked());
    EXPECT_FALSE(wizard.findChild<QCheckBox*>(QStringLiteral("CBPopisyTextem"))->isChecked());
    EXPECT_TRUE(wizard.Choice().columnStyle);
}

TEST(NewTemplateWizard, SeveralSelectedArriveInReverseOrderAndTheNextIsSelected) {
    TDlgNovaSestava wizard(FiveFields(), false);
    wizard.SrcList()->item(2)->setSelected(true);  // C
    wizard.SrcList()->item(4)->setSelected(true);  // E
    QTest::mouseClick(Button(wizard, "IncludeBtn"), Qt::LeftButton);
    EXPECT_EQ(Items(wizard.DstList()), (QStringList{"E", "C"}));
    EXPECT_EQ(Items(wizard.SrcList()), (QStringList{"A", "B", "D"}));
    // The item now at the first selected position is selected.
    ASSERT_EQ(wizard.SrcList()->selectedItems().size(), 1);
    EXPECT_EQ(wizard.SrcList()->selectedItems()[0]->text(), QStringLiteral("D"));
    EXPECT_TRUE(Button(wizard, "ExcludeBtn")->isEnabled());
}

TEST(NewTemplateWizard, ReselectionAtTheEndOfTheListTakesTheLastItem) {
    TDlgNovaSestava wizard(FiveFields(), false);
    wizard.SrcList()->item(4)->setSelected(true);
    wizard.Include();
    ASSERT_EQ(wizard.SrcList()->selectedItems().size(), 1);
    EXPECT_EQ(wizard.SrcList()->selectedItems()[0]->text(), QStringLiteral("D"));
    wizard.DstList()->item(0)->setSelected(true);
    wizard.Exclude();
    EXPECT_EQ(Items(wizard.SrcList()), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(wizard.DstList()->count(), 0);
}

TEST(NewTemplateWizard, AllAndBackAgain) {
    TDlgNovaSestava wizard(FiveFields(), false);
    QTest::mouseClick(Button(wizard, "IncAllBtn"), Qt::LeftButton);
    EXPECT_EQ(Items(wizard.DstList()), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_FALSE(Button(wizard, "IncludeBtn")->isEnabled());
    EXPECT_FALSE(Button(wizard, "IncAllBtn")->isEnabled());
    QTest::mouseClick(Button(wizard, "ExAllBtn"), Qt::LeftButton);
    EXPECT_EQ(wizard.SrcList()->count(), 5);
}

TEST(NewTemplateWizard, NothingChosenShowsTheMessageAndStaysOpen) {
    testing_support::ScriptedMessages messages;
    TDlgNovaSestava wizard(FiveFields(), false);
    wizard.show();
    QTest::mouseClick(Button(wizard, "OKBtn"), Qt::LeftButton);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("Nebyly vybrány žádné položky. Návrh nemůže být proveden!"));
    EXPECT_EQ(messages.Shown()[0].caption, QStringLiteral("Informace"));
    EXPECT_TRUE(wizard.isVisible());
}

TEST(NewTemplateWizard, EscMeansByHand) {
    TDlgNovaSestava wizard(FiveFields(), false);
    wizard.show();
    QTest::keyClick(&wizard, Qt::Key_Escape);
    EXPECT_EQ(wizard.result(), TDlgNovaSestava::kByHand);
}

TEST(NewTemplateWizard, TheChoiceCarriesStyleAndCaptions) {
    TDlgNovaSestava wizard(FiveFields(), false);
    wizard.IncludeAll();
    QTest::mouseClick(wizard.findChild<QToolButton*>(QStringLiteral("SBRadek")), Qt::LeftButton);
    wizard.findChild<QCheckBox*>(QStringLiteral("CBPopisyTextem"))->setChecked(true);
    const TDraftChoice choice = wizard.Choice();
    EXPECT_FALSE(choice.columnStyle);
    EXPECT_TRUE(choice.captionsAsText);
    EXPECT_EQ(choice.chosen, (QStringList{"A", "B", "C", "D", "E"}));
}

TEST(NewTemplateWizard, FieldsAreListedByTheirCaptionsAndChosenByTheirNames) {
    const QList<TDraftField> fields = {{"Datum_nar", "Datum narození", 10, 1},
                                       {"Tetovaci_cislo", "Tetovací číslo", 10, 0},
                                       {"Vypocet", "", 5, 0}};
    TDlgNovaSestava wizard(fields, false);
    EXPECT_EQ(Items(wizard.SrcList()),
              (QStringList{"Datum narození", "Tetovací číslo", "Vypocet"}));
    wizard.SrcList()->item(1)->setSelected(true);
    wizard.Include();
    wizard.IncludeAll();
    EXPECT_EQ(Items(wizard.DstList()),
              (QStringList{"Tetovací číslo", "Datum narození", "Vypocet"}));
    EXPECT_EQ(wizard.Choice().chosen, (QStringList{"Tetovaci_cislo", "Datum_nar", "Vypocet"}));
}

TEST(NewTemplateWizard, AnEmptyTemplateOpensTheWizardAndTheDraftIsDesigned) {
    DesignerFixture f(QStringList{});
    testing_support::ScriptedModal script([](QDialog& dialog) {
        auto* wizard = qobject_cast<TDlgNovaSestava*>(&dialog);
        if (!wizard) {
            return 0;
        }
        wizard->SrcList()->item(0)->setSelected(true);  // Jmeno_registr
        wizard->Include();
        return TDlgNovaSestava::kDraft;
    });
    TFormSestE& w = f.Open();
    EXPECT_TRUE(w.Modified());
    // The drafted field in the body, its label in the page header.
    ASSERT_EQ(f.Band(2).Elements().size(), 1u);
    EXPECT_EQ(f.Band(2).Elements()[0]->toolTip(), QStringLiteral("Položka Registrované jméno"));
    EXPECT_EQ(f.Band(1).Elements()[0]->toolTip(),
              QStringLiteral("Popis položky Registrované jméno"));
    EXPECT_FALSE(f.Band(1).isHidden());
    EXPECT_FALSE(w.Action(QStringLiteral("ActionUndo"))->isEnabled());
}

TEST(NewTemplateWizard, StornoOnAnEmptyTemplateKeepsTheDesignerClosed) {
    DesignerFixture f(QStringList{});
    testing_support::ScriptedModal script([](QDialog&) { return TDlgNovaSestava::kCancel; });
    TFormSestE window;
    EXPECT_FALSE(window.OpenReport(f.report, false));
}
