// The address book through the data module's lookup, as every caller opens
// it: what the lookup returns after "Ok", "Storno" and a move, the closing
// question's three answers, the grid's delete question, the kind option
// group, both address pages, the mail and web links through the URL seam,
// and the refusal of a second entry with an existing key.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/address_links.h"
#include "app/dmunit.h"
#include "app/foadresar.h"
#include "controls/db_grid.h"
#include "controls/db_navigator.h"
#include "controls/db_radio_group.h"
#include "controls/k_db_edit.h"
#include "platform/store/field.h"
#include "platform/url_opener.h"
#include "tests/support/seams.h"

namespace {

using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

const QString kUnsaved = QStringLiteral("V adresáři nejsou uloženy změny, uložit ?");

void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Records the texts the address book asks the system to open.
class RecordedUrls {
  public:
    RecordedUrls() {
        previous_ = platform::SetUrlHandler([this](const QString& url) {
            urls << url;
            return true;
        });
    }
    ~RecordedUrls() { platform::SetUrlHandler(std::move(previous_)); }
    QStringList urls;

  private:
    platform::UrlHandler previous_;
};

class AddressBook : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
        Add("Novák", "Josef Novák", 1, "  novak@seznam.cz ", "www.novak.cz");
        Add("Černá", "MVDr. Jana Černá", 2, "cerna@vet.cz", "https://vet-cerna.cz");
        Add("Dvořák", "Dvořák s.r.o.", 0, "", "");
    }

    void Add(const char* key, const char* name, int kind, const char* mail, const char* web) {
        platform::Table addresses(dm_->Database1, "adresar.db");
        addresses.Open();
        addresses.Append();
        addresses.FieldByName("Nazev_Key").SetAsString(QString::fromUtf8(key));
        addresses.FieldByName("Nazev").SetAsString(QString::fromUtf8(name));
        addresses.FieldByName("Typ").SetAsInteger(kind);
        addresses.FieldByName("Email").SetAsString(QString::fromUtf8(mail));
        addresses.FieldByName("Web").SetAsString(QString::fromUtf8(web));
        addresses.FieldByName("Obec_2").SetAsString(QStringLiteral("Žďár nad Sázavou"));
        addresses.Post();
    }

    // Runs the lookup with `script` driving the shown form (on screen).
    QString Lookup(const QString& start, const std::function<void(TFoAdresar&)>& script) {
        ScriptedModal modal([&](QDialog& dialog) {
            auto* form = qobject_cast<TFoAdresar*>(&dialog);
            EXPECT_NE(form, nullptr);
            if (form == nullptr) {
                return int(QDialog::Rejected);
            }
            form->show();
            form->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(form));
            shownKey_ = dm_->TaAdresar.FieldByName("Nazev_Key").AsString();
            script(*form);
            const int result = form->isVisible() ? -1 : form->result();
            form->hide();
            return result;
        });
        return dm_->AddressLookup(start);
    }

    static void Click(TFoAdresar& form, const char* button) {
        auto* widget = form.findChild<QAbstractButton*>(button);
        ASSERT_NE(widget, nullptr) << button;
        QTest::mouseClick(widget, Qt::LeftButton);
        QApplication::processEvents();
    }

    static TKDBEditKopa* Edit(TFoAdresar& form, const char* name) {
        return form.findChild<TKDBEditKopa*>(name);
    }

    QString Stored(const QString& key, const char* column) {
        platform::Table addresses(dm_->Database1, "adresar.db");
        addresses.Open();
        if (!addresses.Locate("Nazev_Key", key)) {
            return QStringLiteral("<none>");
        }
        return addresses.FieldByName(column).AsString();
    }

    int Rows() {
        platform::Table addresses(dm_->Database1, "adresar.db");
        addresses.Open();
        return addresses.RecordCount();
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    ScriptedMessages messages_;
    QString shownKey_;
};

TEST_F(AddressBook, OkWithoutMovingReturnsTheStartingKey) {
    EXPECT_EQ(Lookup(QStringLiteral("Novák"), [](TFoAdresar& form) { Click(form, "BtnOK"); }),
              "Novák");
    EXPECT_EQ(shownKey_, "Novák");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(AddressBook, OkAfterMovingInTheGridReturnsTheNewEntry) {
    const QString key = Lookup(QStringLiteral("Novák"), [](TFoAdresar& form) {
        auto* grid = form.findChild<TDbGridKOPA*>("DBGrid1");
        // The grid lists the entries by key in Czech order: Černá, Dvořák, Novák.
        ASSERT_EQ(grid->model()->rowCount(), 3);
        EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "Černá");
        EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Název (klíčový)");
        grid->selectRow(1);
        QApplication::processEvents();
        EXPECT_EQ(Edit(form, "DBEditNazev")->text(), "Dvořák s.r.o.");
        Click(form, "BtnOK");
    });
    EXPECT_EQ(key, "Dvořák");
}

TEST_F(AddressBook, StornoReturnsNothingAlsoAfterAMove) {
    EXPECT_EQ(Lookup(QStringLiteral("Novák"), [](TFoAdresar& form) { Click(form, "BtnStorno"); }),
              "");
    EXPECT_EQ(Lookup(QStringLiteral("Novák"),
                     [](TFoAdresar& form) {
                         form.findChild<TDBNavigatorKopa*>("DBNavigator1")->BtnClick(nbFirst);
                         Click(form, "BtnStorno");
                     }),
              "");
    EXPECT_EQ(dm_->TaAdresar.FieldByName("Nazev_Key").AsString(), "Černá");
}

TEST_F(AddressBook, AnUnknownStartingKeyLeavesTheCurrentEntry) {
    dm_->TaAdresar.Open();
    dm_->TaAdresar.Locate("Nazev_Key", QStringLiteral("Dvořák"));
    EXPECT_EQ(Lookup(QStringLiteral("dvořák"), [](TFoAdresar& form) { Click(form, "BtnOK"); }),
              "Dvořák");
}

TEST_F(AddressBook, ShowsItsGroupsBothAddressPagesAndTheKind) {
    Lookup(QStringLiteral("Černá"), [](TFoAdresar& form) {
        EXPECT_EQ(form.windowTitle(), "Adresář");
        EXPECT_EQ(form.findChild<QPushButton*>("BtnOK")->text(), "Ok");
        EXPECT_EQ(form.findChild<QPushButton*>("BtnStorno")->text(), "Storno");
        auto* pages = form.findChild<QTabWidget*>("PageControlAdresa");
        ASSERT_NE(pages, nullptr);
        EXPECT_EQ(pages->tabText(0), "Adresa ");
        EXPECT_EQ(pages->tabText(1), "Adresa 2");
        pages->setCurrentIndex(1);
        EXPECT_EQ(Edit(form, "DBEditObec_2")->text(), "Žďár nad Sázavou");
        EXPECT_TRUE(Edit(form, "DBEditObec_2")->isVisible());
        auto* kind = form.findChild<TDBRadioGroupInt*>("DBRadioGroupTyp");
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->Items(), TFoAdresar::Kinds());
        EXPECT_EQ(kind->Items().at(2), "Lékař");
        EXPECT_EQ(kind->ItemIndex(), 2);
        EXPECT_EQ(Edit(form, "DBEditNazev_Key")->toolTip(),
                  "Jméno (název)  pro vyhledávácí a zařazovací účely.\n"
                  "Jedinečný název v celém adresáři");
        auto* navigator = form.findChild<TDBNavigatorKopa*>("DBNavigator1");
        EXPECT_TRUE(navigator->VisibleButtons() & NavButton(nbInsert));
        EXPECT_FALSE(navigator->VisibleButtons() & NavButton(nbRefresh));
        // At the smallest size the form allows, the navigator keeps its
        // captioned buttons whole.
        form.resize(form.minimumSizeHint());
        QApplication::processEvents();
        EXPECT_GE(navigator->height(), navigator->sizeHint().height());
        // Every field has its caption.
        QSet<QWidget*> buddies;
        for (QLabel* label : form.findChildren<QLabel*>()) {
            buddies.insert(label->buddy());
        }
        for (TKDBEditKopa* edit : form.findChildren<TKDBEditKopa*>()) {
            EXPECT_TRUE(buddies.contains(edit)) << edit->objectName().toStdString();
        }
        Click(form, "BtnStorno");
    });
}

TEST_F(AddressBook, TheKindOptionGroupWritesThePosition) {
    Lookup(QStringLiteral("Dvořák"), [this](TFoAdresar& form) {
        auto* kind = form.findChild<TDBRadioGroupInt*>("DBRadioGroupTyp");
        kind->Button(4)->click();
        EXPECT_EQ(kind->ItemIndex(), 4);
        EXPECT_EQ(dm_->TaAdresar.State(), platform::DataSetState::Edit);
        Edit(form, "DBEditNazev")->setFocus();
        QApplication::processEvents();
        form.findChild<TDBNavigatorKopa*>("DBNavigator1")->BtnClick(nbPost);
        Click(form, "BtnOK");
    });
    EXPECT_EQ(Stored(QStringLiteral("Dvořák"), "Typ"), "4");
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join("|").toStdString();
}

TEST_F(AddressBook, ClosingWithAnEditAsksAndCancelKeepsTheFormOpen) {
    bool stillOpen = false;
    const QString key = Lookup(QStringLiteral("Novák"), [&](TFoAdresar& form) {
        TKDBEditKopa* name = Edit(form, "DBEditNazev");
        name->setFocus();
        name->selectAll();
        Type(name, "Josef Novák st.");
        messages_.Answer(platform::mbCancel);
        Click(form, "BtnOK");
        stillOpen = form.isVisible();
        EXPECT_EQ(messages_.Texts(), QStringList{kUnsaved});
        EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Warning);
        EXPECT_EQ(messages_.Shown()[0].buttons,
                  platform::mbYes | platform::mbNo | platform::mbCancel);
        messages_.Answer(platform::mbNo);
        Click(form, "BtnOK");
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(key, "Novák");
    EXPECT_EQ(Stored(QStringLiteral("Novák"), "Nazev"), "Josef Novák");
    EXPECT_EQ(dm_->TaAdresar.State(), platform::DataSetState::Browse);
}

TEST_F(AddressBook, YesPostsTheEntryAndTheCloseBoxAsksToo) {
    const QString key = Lookup(QStringLiteral("Novák"), [&](TFoAdresar& form) {
        TKDBEditKopa* phone = Edit(form, "DBEditTelefon_1");
        phone->setFocus();
        Type(phone, "+420 603 123 456");
        messages_.Answer(platform::mbYes);
        form.close();  // the window's close box
        QApplication::processEvents();
    });
    EXPECT_EQ(messages_.Texts(), QStringList{kUnsaved});
    EXPECT_EQ(key, "");
    EXPECT_EQ(Stored(QStringLiteral("Novák"), "Telefon_1"), "+420 603 123 4");
}

TEST_F(AddressBook, InsertedEntryIsPostedAndReturnedAfterOk) {
    const QString key = Lookup(QString(), [&](TFoAdresar& form) {
        form.findChild<TDBNavigatorKopa*>("DBNavigator1")->BtnClick(nbInsert);
        TKDBEditKopa* keyField = Edit(form, "DBEditNazev_Key");
        EXPECT_TRUE(keyField->hasFocus());
        Type(keyField, "Šťastný \"Ben\"; chov");
        TKDBEditKopa* town = Edit(form, "DBEditObec_1");
        town->setFocus();
        Type(town, QString(35, QLatin1Char('o')));
        messages_.Answer(platform::mbYes);
        Click(form, "BtnOK");
    });
    EXPECT_EQ(key, "Šťastný \"Ben\"; chov");
    EXPECT_EQ(Stored(key, "Obec_1"), QString(30, QLatin1Char('o')));
    EXPECT_EQ(Rows(), 4);
}

TEST_F(AddressBook, ASecondEntryWithAnExistingKeyIsRefusedAndStaysInEditing) {
    QStringList shown;
    platform::DataSetState stateAfter = platform::DataSetState::Inactive;
    Lookup(QString(), [&](TFoAdresar& form) {
        auto* navigator = form.findChild<TDBNavigatorKopa*>("DBNavigator1");
        navigator->BtnClick(nbInsert);
        Type(Edit(form, "DBEditNazev_Key"), "Novák");
        navigator->BtnClick(nbPost);
        shown = messages_.Texts();
        stateAfter = dm_->TaAdresar.State();
        EXPECT_EQ(Edit(form, "DBEditNazev_Key")->text(), "Novák");
        // Closing asks; Yes tries again and is refused again, the form stays.
        messages_.Clear();
        messages_.Answer(platform::mbYes);
        Click(form, "BtnOK");
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(messages_.Texts().size(), 2);
        messages_.Clear();
        messages_.Answer(platform::mbNo);
        Click(form, "BtnStorno");
    });
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("„Novák“")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("jedinečný")) << shown[0].toStdString();
    EXPECT_EQ(stateAfter, platform::DataSetState::Insert);
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(Stored(QStringLiteral("Novák"), "Nazev"), "Josef Novák");
}

TEST_F(AddressBook, TheGridAsksBeforeDeleting) {
    Lookup(QStringLiteral("Dvořák"), [&](TFoAdresar& form) {
        auto* grid = form.findChild<TDbGridKOPA*>("DBGrid1");
        grid->setFocus();
        messages_.Answer(platform::mbCancel);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(Rows(), 3);
        messages_.Answer(platform::mbOK);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        Click(form, "BtnStorno");
    });
    EXPECT_EQ(messages_.Texts(), QStringList({"Smazat záznam?", "Smazat záznam?"}));
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Stored(QStringLiteral("Dvořák"), "Nazev"), "<none>");
}

TEST_F(AddressBook, MailAndWebCaptionsOpenTheTrimmedAddresses) {
    RecordedUrls opened;
    const auto clickCaption = [](TFoAdresar& form, const char* name) {
        auto* caption = form.findChild<QLabel*>(name);
        ASSERT_NE(caption, nullptr) << name;
        QTest::mouseClick(caption, Qt::LeftButton);
    };
    for (const char* key : {"Novák", "Černá", "Dvořák"}) {
        Lookup(QString::fromUtf8(key), [&](TFoAdresar& form) {
            EXPECT_EQ(form.findChild<QLabel*>("LabelEmail")->toolTip(),
                      "Spustí vychozího poštovního klienta s daným adresátem ");
            EXPECT_EQ(form.findChild<QLabel*>("LabelWeb")->toolTip(), "Aktivní odkaz na www");
            clickCaption(form, "LabelEmail");
            clickCaption(form, "LabelWeb");
            Click(form, "BtnStorno");
        });
    }
    EXPECT_EQ(opened.urls,
              QStringList({"mailto:novak@seznam.cz", "http://www.novak.cz", "mailto:cerna@vet.cz",
                           "https://vet-cerna.cz", "mailto:", "http://"}));
}

TEST_F(AddressBook, ALinkNoProgramTakesIsSaidInAMessage) {
    const platform::UrlHandler previous =
        platform::SetUrlHandler([](const QString&) { return false; });
    Lookup(QStringLiteral("Novák"), [](TFoAdresar& form) {
        QTest::mouseClick(form.findChild<QLabel*>("LabelEmail"), Qt::LeftButton);
        QTest::mouseClick(form.findChild<QLabel*>("LabelWeb"), Qt::LeftButton);
        Click(form, "BtnStorno");
    });
    platform::SetUrlHandler(previous);
    ASSERT_EQ(messages_.Shown().size(), 2u);
    EXPECT_EQ(messages_.Shown()[0].text,
              "Adresu „mailto:novak@seznam.cz“ nelze otevřít: v systému není nastaven poštovní "
              "program.");
    EXPECT_EQ(messages_.Shown()[1].text,
              "Stránku „http://www.novak.cz“ nelze otevřít: v systému není nastaven webový "
              "prohlížeč.");
    EXPECT_EQ(messages_.Shown()[1].icon, platform::MessageIcon::Warning);
}

TEST(AddressLinks, AWebAddressWithASchemeIsOpenedAsItIs) {
    EXPECT_EQ(WebUrl(QStringLiteral(" https://a.cz ")), "https://a.cz");
    EXPECT_EQ(WebUrl(QStringLiteral("HTTP://a.cz")), "HTTP://a.cz");
    EXPECT_EQ(WebUrl(QStringLiteral("a.cz/http://")), "http://a.cz/http://");
    EXPECT_EQ(MailUrl(QStringLiteral("  a@b.cz  ")), "mailto:a@b.cz");
}

}  // namespace

// Typing into "Hledat:" moves the book to the first entry whose names,
// contact, towns, telephone or e-mail hold the letters (marks and case
// ignored), Enter to the next one; what no entry holds is said under the
// field, and "Ok" returns the entry found.
TEST_F(AddressBook, TheSearchFieldFindsAnEntryByAnyOfItsTexts) {
    QStringList shown;
    QString notFound;
    const QString key = Lookup("Novák", [&](TFoAdresar& form) {
        auto* edit = form.findChild<QLineEdit*>("EditHledat");
        ASSERT_NE(edit, nullptr);
        QStringList captions;
        for (auto* label : form.findChildren<QLabel*>()) {
            if (label->buddy() == edit) {
                captions << label->text();
            }
        }
        EXPECT_EQ(captions, QStringList{"&Hledat:"});
        edit->setFocus();
        QApplication::processEvents();
        const auto current = [&] { return dm_->TaAdresar.FieldByName("Nazev_Key").AsString(); };
        Type(edit, QStringLiteral("mvdr"));  // the name of Černá's entry
        shown << current();
        edit->clear();
        Type(edit, QStringLiteral("zdar"));  // every entry's second town
        shown << current();
        QTest::keyClick(edit, Qt::Key_Return);
        shown << current();
        edit->clear();
        Type(edit, QStringLiteral("xyz"));
        notFound = form.findChild<QLabel*>("LabelHledani")->text();
        edit->clear();
        Type(edit, QStringLiteral("josef"));
        shown << current();
        edit->clear();
        Type(edit, QStringLiteral("S.R.O"));
        shown << current();
        Click(form, "BtnOK");
    });
    EXPECT_EQ(shown, (QStringList{"Černá", "Černá", "Dvořák", "Novák", "Dvořák"}));
    EXPECT_EQ(notFound, QStringLiteral("Nenalezeno: „xyz“"));
    EXPECT_EQ(key, QStringLiteral("Dvořák"));
}
