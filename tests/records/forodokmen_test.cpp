// The pedigree sheet opened from the record sheet's tool bars: the new
// pedigree, the ancestor searches over the record sheet's current data set,
// the chart layout, the information label, the closing question, the
// inbreeding page, and the record sheet back at its animal afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "controls/db_navigator.h"
#include "controls/k_db_edit.h"
#include "platform/store/field.h"
#include "records/fomain.h"
#include "records/forodokmen.h"
#include "records/pedigree_chart.h"
#include "tests/support/seams.h"

namespace {

using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

// The edge case of the search: the animal's sire A has sire C and dam D, and
// C has sire E and dam F. The dam B has a card too, whose sire G has none.
class PedigreeSheet : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        saved_ = CurrentParametry();
        platform::Database::CreateSchema(Folder());
        {
            platform::Database db(Folder());
            platform::Table cards(db, QStringLiteral("main_card.db"));
            cards.Open();
            const auto card = [&](const char* name, const char* sire, const char* dam) {
                cards.Append();
                cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
                cards.FieldByName("Otec").SetAsString(QString::fromUtf8(sire));
                cards.FieldByName("Matka").SetAsString(QString::fromUtf8(dam));
                cards.Post();
            };
            card("A", "C", "D");
            card("B", "G", "H");
            card("C", "E", "F");
            card("Ručně zapsaný", "Prapraděd z karty", "Praprababa z karty");
            card("Zvíře", "A", "B");
            card("Bez rodičů", "", "");
        }
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(Folder(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
    }

    void TearDown() override {
        sheet_.reset();
        dm_.reset();
        CurrentParametry() = saved_;
    }

    QString Folder() const { return folder_.path() + "/"; }

    void ShowAnimal(const char* name, TRecordSheetEntry entry = TRecordSheetEntry::reEdit) {
        sheet_->PrepareEntry(entry);
        ASSERT_TRUE(sheet_->CardDataSet().Locate("Jmeno_registr", QString::fromUtf8(name)));
    }

    void Click(QWidget* root, const char* name) {
        auto* button = root->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Opens the form from a tool button and runs `drive` on it while it is shown.
    void OpenFrom(const char* button, const std::function<void(TFoRodokmen&)>& drive) {
        bool shown = false;
        ScriptedModal modal([&](QDialog& dialog) {
            auto* form = qobject_cast<TFoRodokmen*>(&dialog);
            EXPECT_NE(form, nullptr);
            if (form != nullptr) {
                shown = true;
                form->show();
                drive(*form);
            }
            return dialog.result();
        });
        Click(sheet_.get(), button);
        EXPECT_TRUE(shown) << button;
    }

    static QString Text(TFoRodokmen& form, const QString& field) {
        auto* edit = form.findChild<TKDBEditKopa*>(QStringLiteral("DBEdit") + field);
        EXPECT_NE(edit, nullptr) << field.toStdString();
        return edit ? edit->text() : QString();
    }
    QString Stored(const char* animal, const char* column) {
        platform::Table rows(dm_->Database1, QStringLiteral("rodokmen.db"));
        rows.Open();
        if (!rows.Locate("Jmeno_registr", QString::fromUtf8(animal))) {
            return QStringLiteral("<none>");
        }
        return rows.FieldByName(QString::fromLatin1(column)).AsString();
    }
    void StoreRow(const std::vector<std::pair<const char*, const char*>>& values) {
        platform::Table rows(dm_->Database1, QStringLiteral("rodokmen.db"));
        rows.Open();
        rows.Append();
        for (const auto& [column, value] : values) {
            rows.FieldByName(QString::fromLatin1(column)).SetAsString(QString::fromUtf8(value));
        }
        rows.Post();
    }

    QTemporaryDir folder_;
    Parametry saved_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
};

TEST_F(PedigreeSheet, TheSireSearchFillsTheSiresSideAndLeavesTheDamsSide) {
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        EXPECT_TRUE(form.findChild<QLabel*>("LabelNovy")->isVisible());
        EXPECT_EQ(form.findChild<QLabel*>("LabelNovy")->text(), "Nový rodokmen");
        EXPECT_EQ(Text(form, "Jmeno_registr"), "Zvíře");
        EXPECT_EQ(Text(form, "Otec"), "A");
        EXPECT_EQ(Text(form, "Matka"), "B");
        Click(&form, "BtnNajdiOtec");
        EXPECT_EQ(Text(form, "Otec_Ded_1"), "C");
        EXPECT_EQ(Text(form, "Otec_Baba_1"), "D");
        EXPECT_EQ(Text(form, "Otec_Praded_1"), "E");
        EXPECT_EQ(Text(form, "Otec_Prababa_1"), "F");
        EXPECT_EQ(Text(form, "Otec_Praded_2"), "");
        for (const char* damSide : {"Matka_Ded_1", "Matka_Baba_1", "Matka_Praded_1"}) {
            EXPECT_EQ(Text(form, damSide), "") << damSide;
        }
        EXPECT_EQ(dm_->TaRodokmen.State(), platform::DataSetState::Insert);
        Click(&form, "BtnZavrit");
    });
    EXPECT_EQ(messages.Texts(), QStringList{"V rodokmenu nejsou uloženy změny, uložit ?"});
    EXPECT_EQ(Stored("Zvíře", "Otec"), "<none>");
}

TEST_F(PedigreeSheet, AHandTypedGreatGrandparentIsSearchedInTurn) {
    // B's sire G has no card, so the typed Matka_Praded_1 stays and is searched.
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbYes);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        auto* typed = form.findChild<TKDBEditKopa*>("DBEditMatka_Praded_1");
        QApplication::setActiveWindow(&form);
        typed->setFocus(Qt::OtherFocusReason);
        for (const QChar c : QStringLiteral("Ručně zapsaný")) {
            QTest::sendKeyEvent(QTest::Click, typed, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        Click(&form, "BtnNajdiMatka");
        EXPECT_EQ(Text(form, "Matka_Ded_1"), "G");
        EXPECT_EQ(Text(form, "Matka_Baba_1"), "H");
        EXPECT_EQ(Text(form, "Matka_Praded_1"), "Ručně zapsaný");
        EXPECT_EQ(Text(form, "Matka_PraPraDed_1"), "Prapraděd z karty");
        EXPECT_EQ(Text(form, "Matka_PraPraBaba_1"), "Praprababa z karty");
        EXPECT_EQ(Text(form, "Otec_Ded_1"), "");
        Click(&form, "BtnZavrit");
    });
    EXPECT_EQ(Stored("Zvíře", "Matka_PraPraBaba_1"), "Praprababa z karty");
    EXPECT_EQ(Stored("Zvíře", "Matka_Praded_1"), "Ručně zapsaný");
}

TEST_F(PedigreeSheet, AGrandparentsCardOverwritesATypedGreatGrandparentFirst) {
    StoreRow({{"Jmeno_registr", "Zvíře"},
              {"Otec", "A"},
              {"Matka", "B"},
              {"Otec_Ded_1", "C"},
              {"Otec_Praded_1", "Ručně zapsaný"}});
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbYes);
    OpenFrom("BtnEditRodokmen", [&](TFoRodokmen& form) {
        EXPECT_FALSE(form.findChild<QLabel*>("LabelNovy")->isVisible());
        EXPECT_EQ(Text(form, "Otec_Praded_1"), "Ručně zapsaný");
        Click(&form, "BtnNajdiOtec");
        EXPECT_EQ(Text(form, "Otec_Praded_1"), "E");
        EXPECT_EQ(Text(form, "Otec_PraPraDed_1"), "");
        Click(&form, "BtnZavrit");
    });
    EXPECT_EQ(Stored("Zvíře", "Otec_Praded_1"), "E");
}

TEST_F(PedigreeSheet, TheBrowseModeFilterHidesACardFromTheSearch) {
    sheet_->PrepareEntry(TRecordSheetEntry::rePrints);
    dm_->RunListQuery(QString(), QStringLiteral("Jmeno_registr <> \"C\""));
    ASSERT_TRUE(dm_->QSeznamy.Locate("Jmeno_registr", QStringLiteral("Zvíře")));
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        Click(&form, "BtnNajdiOtec");
        EXPECT_EQ(Text(form, "Otec_Ded_1"), "C");    // from A's card, which the list shows
        EXPECT_EQ(Text(form, "Otec_Praded_1"), "");  // C's card is filtered out
        EXPECT_EQ(Text(form, "Otec_Prababa_1"), "");
        Click(&form, "BtnZavrit");
    });
    EXPECT_EQ(dm_->QSeznamy.FieldByName("Jmeno_registr").AsString(), "Zvíře");
}

TEST_F(PedigreeSheet, TheRecordSheetIsBackAtItsAnimalAfterTheSearches) {
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        Click(&form, "BtnNajdiOtec");
        Click(&form, "BtnNajdiMatka");
        EXPECT_NE(dm_->TaMain_Card.FieldByName("Jmeno_registr").AsString(), "Zvíře");
        Click(&form, "BtnZavrit");
    });
    EXPECT_EQ(dm_->TaMain_Card.FieldByName("Jmeno_registr").AsString(), "Zvíře");
    auto* shown = sheet_->findChild<TKDBEditKopa*>("DBE_Jmeno_registr");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), "Zvíře");
}

TEST_F(PedigreeSheet, ClosingANewPedigreeAtOnceAsks) {
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbCancel);
    messages.Answer(platform::mbNo);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        Click(&form, "BtnZavrit");
        EXPECT_TRUE(form.isVisible());  // Cancel keeps the form open
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Warning);
        EXPECT_EQ(messages.Shown()[0].buttons,
                  platform::mbYes | platform::mbNo | platform::mbCancel);
        form.close();  // the window's close box asks the same
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(Stored("Zvíře", "Jmeno_registr"), "<none>");

    messages.Clear();
    messages.Answer(platform::mbYes);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) { Click(&form, "BtnZavrit"); });
    EXPECT_EQ(Stored("Zvíře", "Otec"), "A");
    EXPECT_EQ(Stored("Zvíře", "Matka"), "B");
    EXPECT_EQ(Stored("Zvíře", "Otec_Ded_1"), "");
    EXPECT_EQ(Stored("Zvíře", "TIT_Jmeno_registr"), "");

    // Opened again the stored row shows, not a new one; closing unchanged asks nothing.
    messages.Clear();
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        EXPECT_FALSE(form.findChild<QLabel*>("LabelNovy")->isVisible());
        Click(&form, "BtnZavrit");
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(PedigreeSheet, AStoredPedigreeKeepsItsOwnParents) {
    StoreRow({{"Jmeno_registr", "Zvíře"}, {"Otec", "Starý otec"}, {"Matka", "B"}});
    ShowAnimal("Zvíře");
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        EXPECT_EQ(Text(form, "Otec"), "Starý otec");
        Click(&form, "BtnZavrit");
    });
    ShowAnimal("Bez rodičů");
    ScriptedMessages messages;
    Click(sheet_.get(), "BtnEditRodokmen");
    EXPECT_EQ(messages.Texts(), QStringList{"Nebyl nalezen žádný záznam"});
}

TEST_F(PedigreeSheet, DeletingThePedigreeClosesTheSheet) {
    StoreRow({{"Jmeno_registr", "Zvíře"}, {"Otec", "A"}});
    StoreRow({{"Jmeno_registr", "Jiné zvíře"}, {"Otec", "Cizí"}});
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbCancel);  // "Smaž" asked first: not deleted
    messages.Answer(platform::mbOK);      // asked again: deleted
    OpenFrom("BtnEditRodokmen", [&](TFoRodokmen& form) {
        auto* navigator = form.findChild<TDBNavigatorKopa*>("DBNavigator1");
        navigator->BtnClick(nbDelete);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(Text(form, "Otec"), "A");
        navigator->BtnClick(nbDelete);
        EXPECT_FALSE(form.isVisible());  // never showing the other animal's row
    });
    EXPECT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(Stored("Zvíře", "Otec"), "<none>");
    EXPECT_EQ(Stored("Jiné zvíře", "Otec"), "Cizí");
}

TEST_F(PedigreeSheet, HoverShowsTheTitleOfANameAndTheNameOfATitle) {
    StoreRow({{"Jmeno_registr", "Zvíře"},
              {"Otec", "A"},
              {"Otec_Ded_1", "C"},
              {"TIT_Otec_Ded_1", "Šampion ČR"}});
    ShowAnimal("Zvíře");
    OpenFrom("BtnEditRodokmen", [&](TFoRodokmen& form) {
        auto* info = form.findChild<QLabel*>("LabelInfo");
        ASSERT_NE(info, nullptr);
        const auto enter = [&](const char* name) {
            QWidget* widget = form.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(widget, nullptr) << name;
            QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(widget, &event);
        };
        enter("DBEditOtec_Ded_1");
        EXPECT_EQ(info->text(), "Šampion ČR");
        enter("DBEditTIT_Otec_Ded_1");
        EXPECT_EQ(info->text(), "C");
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form.findChild<QWidget*>("ChartTituly"), &move);
        EXPECT_EQ(info->text(), "");
        enter("DBEditOtec");
        EXPECT_EQ(info->text(), "");  // no title stored for the sire
        Click(&form, "BtnZavrit");
    });
}

TEST_F(PedigreeSheet, TheChartPutsEveryAncestorBetweenItsSireAndDam) {
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        form.resize(1500, 950);
        auto* pages = form.findChild<QTabWidget*>("PageControl1");
        int page = 0;
        for (const char* chartName : {"ChartJmena", "ChartTituly"}) {
            pages->setCurrentIndex(page++);
            QApplication::processEvents();
            auto* chart = form.findChild<TPedigreeChart*>(chartName);
            ASSERT_NE(chart, nullptr);
            ASSERT_GE(chart->height(), chart->minimumSizeHint().height());
            for (int place = 1; place <= pedigree::kPlacesWithParents; ++place) {
                const QRect child = chart->Field(place)->geometry();
                const QRect sire = chart->Field(pedigree::SirePlace(place))->geometry();
                const QRect dam = chart->Field(pedigree::DamPlace(place))->geometry();
                EXPECT_LT(sire.center().y(), child.center().y()) << place;
                EXPECT_GT(dam.center().y(), child.center().y()) << place;
                EXPECT_GT(sire.left(), child.right()) << place;
                EXPECT_EQ(sire.left(), dam.left()) << place;
            }
            // The sire's side above the dam's, the labels "Otec" and "Matka" on them.
            EXPECT_LT(chart->Field(11)->geometry().bottom(), chart->Field(12)->geometry().top());
            EXPECT_EQ(chart->Caption(2)->buddy(), chart->Field(2));
            for (int place = 1; place <= pedigree::kLastPlace; ++place) {
                EXPECT_EQ(chart->Caption(place)->buddy(), chart->Field(place)) << place;
            }
        }
        auto* names = form.findChild<TPedigreeChart*>("ChartJmena");
        EXPECT_EQ(names->Caption(2)->text(), "Otec");
        EXPECT_EQ(names->Caption(3)->text(), "Matka");
        EXPECT_EQ(names->Field(13)->objectName(), "DBEditMatka_prababa_1");
        auto* titles = form.findChild<TPedigreeChart*>("ChartTituly");
        EXPECT_EQ(titles->Field(13)->objectName(), "DBEditTIT_Matka_prababa_1");
        EXPECT_NE(form.findChild<TKDBEditKopa*>("DBEditJmeno_registrTituly"), nullptr);
        Click(&form, "BtnZavrit");
    });
}

TEST_F(PedigreeSheet, EnterMovesOnAndTheNavigatorHasFourButtons) {
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        EXPECT_EQ(form.windowTitle(), "Rodokmen");
        QApplication::setActiveWindow(&form);
        auto* animal = form.findChild<TKDBEditKopa*>("DBEditJmeno_registr");
        animal->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(animal, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "DBEditOtec");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "DBEditMatka");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "DBEditOtec_Ded_1");

        auto* navigator = form.findChild<TDBNavigatorKopa*>("DBNavigator1");
        ASSERT_NE(navigator, nullptr);
        EXPECT_EQ(navigator->VisibleButtons(), NavButton(nbDelete) | NavButton(nbEdit) |
                                                   NavButton(nbPost) | NavButton(nbCancel));
        EXPECT_EQ(navigator->Button(nbDelete)->text(), "Smaž");
        EXPECT_EQ(navigator->Button(nbEdit)->text(), "Oprav");
        EXPECT_EQ(navigator->Button(nbPost)->text(), "Ulož");
        EXPECT_EQ(navigator->Button(nbCancel)->text(), "Storno");
        EXPECT_EQ(form.findChild<QPushButton*>("BtnNajdiOtec")->toolTip(),
                  "Prohledá evidenční listy a pokud najde předky dosadí je do rodokmenu");
        auto* pages = form.findChild<QTabWidget*>("PageControl1");
        EXPECT_EQ(pages->tabText(0), "Jména předků");
        EXPECT_EQ(pages->tabText(1), "Tituly předků");
        EXPECT_EQ(pages->tabText(2), "Příbuzenská plemenitba");
        navigator->BtnClick(nbPost);
        EXPECT_EQ(dm_->TaRodokmen.State(), platform::DataSetState::Browse);
        Click(&form, "BtnZavrit");
    });
    EXPECT_EQ(Stored("Zvíře", "Otec"), "A");
}

TEST_F(PedigreeSheet, TheInbreedingPageShowsTheFiguresOfThePedigreeAsShown) {
    // The typed grandparents make the parents full siblings: F = 25 %.
    StoreRow({{"Jmeno_registr", "Zvíře"},
              {"Otec", "A"},
              {"Matka", "B"},
              {"Otec_Ded_1", "C"},
              {"Otec_Baba_1", "D"}});
    ShowAnimal("Zvíře");
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    OpenFrom("BtnEditRodokmen", [&](TFoRodokmen& form) {
        dm_->TaRodokmen.Edit();
        dm_->TaRodokmen.FieldByName("Matka_Ded_1").SetAsString("C");
        dm_->TaRodokmen.FieldByName("Matka_Baba_1").SetAsString("D");
        auto* pages = form.findChild<QTabWidget*>("PageControl1");
        pages->setCurrentIndex(2);
        auto* f = form.findChild<QLabel*>("LabelKoeficient");
        ASSERT_NE(f, nullptr);
        // The row as shown wins over B's card (sire G, dam H), whose
        // difference the page reports.
        EXPECT_EQ(f->text(), "25.00 %");
        EXPECT_TRUE(form.findChild<QLabel*>("LabelUpozorneni")->text().contains("„B“"));
        Click(&form, "BtnZavrit");
    });
}

TEST_F(PedigreeSheet, TheInbreedingPageOfALineBredAnimal) {
    {
        platform::Table cards(dm_->Database1, QStringLiteral("main_card.db"));
        cards.Open();
        const auto card = [&](const char* name, const char* sire, const char* dam) {
            cards.Append();
            cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
            cards.FieldByName("Otec").SetAsString(QString::fromUtf8(sire));
            cards.FieldByName("Matka").SetAsString(QString::fromUtf8(dam));
            cards.Post();
        };
        card("Bratr", "C", "D");
        card("Sestra", "C", "D");
        card("Štěně", "Bratr", "Sestra");
    }
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    dm_->TaMain_Card.Refresh();
    ASSERT_TRUE(dm_->TaMain_Card.Locate("Jmeno_registr", QStringLiteral("Štěně")));
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    OpenFrom("BtnNewRodokmen", [&](TFoRodokmen& form) {
        form.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(2);
        EXPECT_EQ(form.findChild<QLabel*>("LabelKoeficient")->text(), "25.00 %");
        EXPECT_EQ(form.findChild<QLabel*>("LabelKoeficient5")->text(), "25.00 %");
        EXPECT_EQ(form.findChild<QLabel*>("LabelGenerace")->text(), "3, z toho úplných 2");
        auto* table = form.findChild<QTableWidget*>("TableSpolecniPredci");
        ASSERT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->item(0, 0)->text(), "C");
        EXPECT_EQ(table->item(0, 1)->text(), "2 / 2");
        EXPECT_EQ(table->item(0, 2)->text(), "12.50 %");
        Click(&form, "BtnZavrit");
    });
}

}  // namespace
