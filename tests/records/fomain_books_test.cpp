// The record sheet's tool-bar buttons of shows, titles, exams, breeding
// approval and photos open their real forms with the animal the card shows;
// a click on the photo opens the full view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "controls/db_image.h"
#include "controls/led_lamp.h"
#include "platform/store/field.h"
#include "records/event_book_edit.h"
#include "records/event_book_entry.h"
#include "records/fofotoalbum_zapis.h"
#include "records/fomain.h"
#include "tests/support/seams.h"

namespace {

using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

const QString kAron = QStringLiteral("Aron z Dolin");
const QString kBara = QStringLiteral("Bára z Dolin");

class RecordSheetBooks : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        saved_ = CurrentParametry();
        platform::Database::CreateSchema(Folder());
        Fill();
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(Folder(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
        sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    }

    void TearDown() override {
        sheet_.reset();
        dm_.reset();
        CurrentParametry() = saved_;
    }

    QString Folder() const { return folder_.path() + "/"; }

    static void Add(platform::Database& db, const char* table,
                    const std::vector<std::pair<const char*, QVariant>>& values) {
        platform::Table rows(db, QString::fromLatin1(table));
        rows.Open();
        rows.Append();
        for (const auto& [column, value] : values) {
            rows.FieldByName(QString::fromLatin1(column)).SetAsVariant(value);
        }
        rows.Post();
    }

    void Fill() {
        platform::Database db(Folder());
        Add(db, "main_card.db", {{"Jmeno_registr", kAron}});
        Add(db, "main_card.db", {{"Jmeno_registr", kBara}});
        Add(db, "vystavy.db", {{"Jmeno_registr", kAron}, {"Misto", QStringLiteral("Brno")}});
        Add(db, "vystavy.db", {{"Jmeno_registr", kBara}, {"Misto", QStringLiteral("Praha")}});
        Add(db, "tituly.db", {{"Jmeno_Registr", kAron}, {"Titul_Jmeno", QStringLiteral("Ch.")}});
        Add(db, "Zkousky.DB", {{"Jmeno_Registr", kAron}});
        Add(db, "chovnost.DB", {{"Jmeno_registr", kAron}, {"Chov_jedinec", 1}});
        QImage image(80, 40, QImage::Format_RGB32);
        image.fill(Qt::darkRed);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        Add(db, "foto_album.db", {{"Jmeno_registr", kAron}, {"Foto_1", png}});
    }

    void Click(const char* name) {
        auto* button = sheet_->findChild<QToolButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
        QApplication::processEvents();
    }

    // What a scripted showing saw of each form shown.
    struct Shown {
        QString form;
        QString label;  // an entry form's registered name
        int rows = -1;  // an edit form's rows
    };
    std::vector<Shown> ClickAndWatch(const char* button) {
        std::vector<Shown> shown;
        ScriptedModal modal([&](QDialog& dialog) {
            Shown seen;
            seen.form = dialog.objectName();
            if (auto* entry = qobject_cast<TEventBookEntry*>(&dialog)) {
                seen.label = entry->Jmeno_registr->text();
            }
            if (auto* edit = qobject_cast<TEventBookEdit*>(&dialog)) {
                seen.rows = (dm_.get()->*(edit->Book().table)).RecordCount();
            }
            if (auto* album = qobject_cast<TFoFotoAlbum_Zapis*>(&dialog)) {
                seen.label = album->Jmeno_registr->text();
                seen.rows = album->Ledka->LedStatus() == IsBlink ? 1 : 0;
            }
            shown.push_back(seen);
            return int(QDialog::Rejected);
        });
        Click(button);
        return shown;
    }

    QTemporaryDir folder_;
    Parametry saved_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
};

TEST_F(RecordSheetBooks, NewEntryButtonsOpenTheEntryFormsLabelledWithTheAnimal) {
    ScriptedMessages messages;
    const std::pair<const char*, const char*> expected[] = {
        {"BtnNewVystavy", "FoVystavyZapis"},
        {"BtnNewTituly", "FoTitulZapis"},
        {"BtnNewZkousky", "FoZkousky_Zapis"},
        {"BtnNewChovnost", "FoChovnostZapis"},
    };
    for (const auto& [button, form] : expected) {
        const auto shown = ClickAndWatch(button);
        ASSERT_EQ(shown.size(), 1u) << button;
        EXPECT_EQ(shown[0].form, form);
        EXPECT_EQ(shown[0].label, kAron) << button;
    }
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join("|").toStdString();
}

TEST_F(RecordSheetBooks, TheExamEntryTakesTheMainCardsAnimalAndLeavesTheCurrentAnimal) {
    dm_->CurrentAnimal.SetJmenoRegistr(QStringLiteral("Někdo jiný"));
    const auto shown = ClickAndWatch("BtnNewZkousky");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].label, kAron);
    EXPECT_EQ(dm_->CurrentAnimal.JmenoRegistr(), "Někdo jiný");
}

TEST_F(RecordSheetBooks, EditButtonsOpenTheEditFormsOverTheAnimalsRowsOnly) {
    ScriptedMessages messages;
    const std::pair<const char*, const char*> expected[] = {
        {"BtnEditVystavy", "FoVystavyEdit"},
        {"BtnEditTituly", "FoTituly_Edit"},
        {"BtnEditZkousky", "FoZkouskyEdit"},
        {"BtnEditChovnost", "FoChovnostEdit"},
    };
    for (const auto& [button, form] : expected) {
        const auto shown = ClickAndWatch(button);
        ASSERT_EQ(shown.size(), 1u) << button;
        EXPECT_EQ(shown[0].form, form);
        EXPECT_EQ(shown[0].rows, 1) << button;
    }
    EXPECT_TRUE(messages.Texts().isEmpty());
    // After the shows and the approval the record sheet lets go of them.
    EXPECT_FALSE(dm_->TaVystavy.Filtered());
    EXPECT_FALSE(dm_->TaChovnost.IsActive());
}

TEST_F(RecordSheetBooks, APhotoWrittenByTheAlbumShowsOnTheCardAtOnce) {
    dm_->TaMain_Card.Locate("Jmeno_registr", kBara);
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    ScriptedModal modal([&](QDialog& dialog) {
        auto* album = qobject_cast<TFoFotoAlbum_Zapis*>(&dialog);
        EXPECT_NE(album, nullptr);
        if (album == nullptr) {
            return int(QDialog::Rejected);
        }
        album->findChild<TDBImageAspect*>()->SetPictureData(png);
        album->findChild<QPushButton*>("BtnZapis")->click();
        return album->result();
    });
    Click("BtnNewFoto");
    TDBImageAspect* photo = nullptr;
    for (TDBImageAspect* image : sheet_->findChildren<TDBImageAspect*>()) {
        photo = image;
    }
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->Picture().size(), QSize(30, 20));
}

TEST_F(RecordSheetBooks, BothPhotoButtonsOpenTheAlbumWithANewRowOnlyWhereThereIsNone) {
    auto shown = ClickAndWatch("BtnNewFoto");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].form, "FoFotoAlbum_Zapis");
    EXPECT_EQ(shown[0].label, kAron);
    EXPECT_EQ(shown[0].rows, 0);  // the lamp stays off: Aron has a photo

    dm_->TaMain_Card.Locate("Jmeno_registr", kBara);
    shown = ClickAndWatch("BtnEditFoto");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].label, kBara);
    EXPECT_EQ(shown[0].rows, 1);  // blinking: a new row
    // The form was closed without "Zápis": the record sheet closed the
    // table and no row was left for Bára.
    EXPECT_FALSE(dm_->TaFoto_Album.IsActive());
    platform::Table album(dm_->Database1, QStringLiteral("foto_album.db"));
    album.Open();
    EXPECT_EQ(album.RecordCount(), 1);
    EXPECT_FALSE(album.Locate("Jmeno_registr", kBara));
}

}  // namespace
