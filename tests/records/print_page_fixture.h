#pragma once
// The record sheet on its print page over a small kennel in an installation
// of its own: the program folder root/BIN/ (with its Harvel.INI), the
// templates in root/Predlohy/, the data in root/DATA/. Messages are scripted.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "controls/db_grid.h"
#include "platform/folders.h"
#include "platform/store/database.h"
#include "platform/store/table.h"
#include "records/fomain.h"
#include "records/fovybery.h"
#include "records/print_page.h"
#include "report/engine/sestavy.h"
#include "tests/support/seams.h"

namespace print_page_test {

struct TestCard {
    const char* name;
    const char* born;
    qint64 chip;
};

// Birth dates whose text order differs from their order in time, chips
// whose text order differs from their numeric order.
inline const TestCard kCards[] = {
    {"Alfa z Lipové aleje", "12.3.2019", 900},
    {"Brok od Vltavy", "1.2.2017", 10000},
    {"Cita", "30.11.2020", 25},
    {"Dora", "5.6.2021", 3000},
};

class PrintPageInstallation : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        for (const char* folder : {"BIN", "Predlohy", "DATA"}) {
            ASSERT_TRUE(QDir(root_.path()).mkpath(folder));
        }
        platform::SetProgramFolderOverride(root_.filePath("BIN") + "/");
        platform::Database::CreateSchema(DataFolder());
        Fill();
        OpenSheet();
    }

    void TearDown() override {
        CloseSheet();
        platform::SetProgramFolderOverride(QString());
    }

    // The record sheet as the launcher prepares it for "Tiskové výstupy".
    void OpenSheet() {
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(DataFolder(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
        selections_ = std::make_unique<TFoVybery>(*dm_);
        sheet_->AttachSelections(*selections_);
        sheet_->PrepareEntry(TRecordSheetEntry::rePrints);
        page_ = sheet_->PrintPage();
        ASSERT_NE(page_, nullptr);
    }

    void CloseSheet() {
        sheet_.reset();
        selections_.reset();
        dm_.reset();
        page_ = nullptr;
    }

    QString DataFolder() const { return root_.filePath("DATA") + "/"; }
    QString TemplateFolder() const { return root_.filePath("Predlohy") + "/"; }
    QString IniPath() const { return root_.filePath("BIN/Harvel.INI"); }

    void Fill() {
        platform::Database db(DataFolder());
        platform::Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        for (const TestCard& card : kCards) {
            cards.Append();
            cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(card.name));
            cards.FieldByName("Datum_nar").SetAsString(QString::fromLatin1(card.born));
            cards.FieldByName("Cip").SetAsInteger(card.chip);
            cards.FieldByName("Pohlavi").SetAsString("Fena");
            cards.Post();
        }
        platform::Table litters(db, QStringLiteral("vrhy.db"));
        litters.Open();
        const std::pair<const char*, const char*> kLitters[] = {
            {"Alfa z Lipové aleje", "3.10.2023"}, {"Cita", "20.1.2024"}, {"Dora", "9.5.2022"}};
        for (const auto& [dam, date] : kLitters) {
            litters.Append();
            litters.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(dam));
            litters.FieldByName("Datum").SetAsString(QString::fromLatin1(date));
            litters.Post();
        }
    }

    void ChooseSource(int source) {
        auto* list = sheet_->findChild<QComboBox*>("VyberZdroje");
        list->setCurrentIndex(source);
        emit list->activated(source);
        QApplication::processEvents();
    }

    void Click(const char* name) {
        auto* button = sheet_->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }

    // Picks an entry of a combo box as the user does.
    static void Pick(QComboBox* list, int entry) {
        list->setCurrentIndex(entry);
        emit list->activated(entry);
        QApplication::processEvents();
    }

    // The first column of the source's grid, top to bottom.
    QStringList GridNames(int source) const {
        QAbstractItemModel* model = page_->Grid(source)->model();
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row) {
            names << model->index(row, 0).data().toString();
        }
        return names;
    }

    QTemporaryDir root_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoVybery> selections_;
    TPrintPage* page_ = nullptr;
    testing_support::ScriptedMessages messages_;
};

}  // namespace print_page_test
