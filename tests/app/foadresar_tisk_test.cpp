// The address book's "Tisk...": the print dialog lists the entries of the
// chosen kind in the order of their keys, previews them on the chosen
// envelope or label template from the template folder (the sender is the
// kennel's name), and saves them as a spreadsheet.
#include "app/foadresar_tisk.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "app/foadresar.h"
#include "app/parametry.h"
#include "platform/folders.h"
#include "platform/store/table.h"
#include "report/output/output_dump.h"
#include "tests/support/seams.h"
#include "tests/support/test_files.h"

namespace {

class AddressPrinting : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        for (const char* folder : {"BIN", "Predlohy", "DATA"}) {
            ASSERT_TRUE(QDir(root_.path()).mkpath(folder));
        }
        platform::SetProgramFolderOverride(root_.filePath("BIN") + "/");
        for (const char* file : {"AdresarStitky00.pts", "AdresarObalkaC6.pts"}) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + file,
                                    root_.filePath("Predlohy/") + file));
        }
        platform::Database::CreateSchema(root_.filePath("DATA") + "/");
        dm_ = std::make_unique<TDM1>(root_.filePath("DATA") + "/");
        platform::Table book(dm_->Database1, "adresar.db");
        book.Open();
        const std::tuple<const char*, const char*, int> entries[] = {
            {"Vet B", "Veterina Černá", 2},
            {"Stanice", "Stanice z Lipové aleje", 1},
            {"Vet A", "Ordinace Novák", 2}};
        for (const auto& [key, name, kind] : entries) {
            book.Append();
            book.FieldByName("Nazev_Key").SetAsString(QString::fromUtf8(key));
            book.FieldByName("Nazev").SetAsString(QString::fromUtf8(name));
            book.FieldByName("Typ").SetAsInteger(kind);
            book.Post();
        }
        CurrentParametry().Chovatel = QStringLiteral("Chovatelská stanice z Lipové aleje");
    }
    void TearDown() override {
        SetPreviewWindowHook(nullptr);
        dm_.reset();
        platform::SetProgramFolderOverride(QString());
    }

    static void Pick(TFoAdresarTisk& form, const char* list, int entry) {
        auto* combo = form.findChild<QComboBox*>(QString::fromLatin1(list));
        ASSERT_NE(combo, nullptr) << list;
        combo->setCurrentIndex(entry);
    }

    // The dumped pages of a preview started by "Náhled".
    QStringList Preview(TFoAdresarTisk& form) {
        QStringList pages;
        SetPreviewWindowHook([&](TSestava& report, const TWindowPlace&) {
            pages = DumpOutput(report.Output());
            return true;
        });
        QTest::mouseClick(form.findChild<QAbstractButton*>("BtnNahled"), Qt::LeftButton);
        return pages;
    }

    QTemporaryDir root_;
    std::unique_ptr<TDM1> dm_;
    testing_support::ScriptedMessages messages_;
};

TEST_F(AddressPrinting, EveryFieldHasACaptionThatIsItsBuddy) {
    TFoAdresarTisk form(*dm_);
    for (const char* name : {"DruhAdresy", "Predloha"}) {
        auto* field = form.findChild<QComboBox*>(QString::fromLatin1(name));
        ASSERT_NE(field, nullptr) << name;
        bool captioned = false;
        for (QLabel* label : form.findChildren<QLabel*>()) {
            captioned = captioned || label->buddy() == field;
        }
        EXPECT_TRUE(captioned) << name;
    }
}

TEST_F(AddressPrinting, OneKindIsListedInKeyOrderAndPreviewedOnLabels) {
    TFoAdresarTisk form(*dm_);
    Pick(form, "DruhAdresy", 3);  // "Lékař" after "Všechny druhy"
    QStringList keys;
    platform::DataSet& entries = form.Entries();
    for (entries.First(); !entries.Eof(); entries.Next()) {
        keys << entries.FieldByName("Nazev_Key").AsString();
    }
    EXPECT_EQ(keys, QStringList({"Vet A", "Vet B"}));
    Pick(form, "Predloha", 2);  // the sheet of labels
    const QStringList labels = Preview(form);
    ASSERT_FALSE(labels.isEmpty()) << messages_.Texts().join(u'\n').toStdString();
    const QString text = labels.join(u'\n');
    EXPECT_TRUE(labels.contains(QStringLiteral("2 16 14 243 36 Ordinace Novák")))
        << text.toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("2 291 14 243 36 Veterina Černá")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Stanice z Lipové aleje")));
}

TEST_F(AddressPrinting, AnEnvelopeNamesTheKennelAsSenderAndTheSheetHoldsEveryKind) {
    TFoAdresarTisk form(*dm_);
    Pick(form, "Predloha", 0);
    const QStringList envelopes = Preview(form);
    EXPECT_EQ(envelopes.count(QStringLiteral("page 3")), 1) << "one envelope for each of three";
    EXPECT_TRUE(
        envelopes.contains(QStringLiteral("4 0 14 300 18 Chovatelská stanice z Lipové aleje")));
    testing_support::ScriptedFileDialog dialog(
        [&](const platform::FileDialogRequest&) { return root_.filePath("adresar.csv"); });
    QTest::mouseClick(form.findChild<QAbstractButton*>("BtnUlozitTabulku"), Qt::LeftButton);
    const QString csv = QString::fromUtf8(testing_support::ReadFile(root_.filePath("adresar.csv")));
    EXPECT_TRUE(csv.contains(QStringLiteral("\r\nStanice;Stanice z Lipové aleje;Chovatel;")))
        << csv.toStdString();
    EXPECT_EQ(csv.count(QStringLiteral("\r\n")), 4);
}

TEST_F(AddressPrinting, TheAddressBookOpensThePrintDialog) {
    TFoAdresar book(*dm_);
    bool opened = false;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        opened = qobject_cast<TFoAdresarTisk*>(&dialog) != nullptr;
        return int(QDialog::Rejected);
    });
    auto* button = book.findChild<QAbstractButton*>("BtnTiskAdresare");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Tisk..."));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(opened);
}

}  // namespace
