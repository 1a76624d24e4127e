// "Editace" of the record sheet's print button: the chosen source's template
// opens in the designer over the source's data, and what is saved there is
// what the next print uses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "records/fomain.h"
#include "records/fovybery.h"
#include "records/print_btn_kopa.h"
#include "records/print_page.h"
#include "report/designer/designer_hook.h"
#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/output/output_dump.h"
#include "tests/support/seams.h"

namespace {

class PrintPageEdit : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(templates_.isValid());
        platform::Database::CreateSchema(Folder());
        Fill();
        ASSERT_TRUE(QFile::copy(QStringLiteral(HARVEL_SOURCE_DIR "/templates/ZdrKarta00.pts"),
                                TemplateFile()));
        QFile::setPermissions(TemplateFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(Folder(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
        selections_ = std::make_unique<TFoVybery>(*dm_);
        sheet_->AttachSelections(*selections_);
        sheet_->PrepareEntry(TRecordSheetEntry::rePrints);
        page_ = sheet_->PrintPage();
        ASSERT_NE(page_, nullptr);
        dm_->Sestava1.SetReportDir(templates_.path() + "/");
        dm_->Sestava1.IniFileName = templates_.path() + "/SestDLL.ini";
        InstallReportDesigner();
    }

    void TearDown() override {
        SetDesignerHook(nullptr);
        SetTemplateSaveDialog(nullptr);
        SetPreviewWindowHook(nullptr);
        sheet_.reset();
        selections_.reset();
        dm_.reset();
    }

    QString Folder() const { return folder_.path() + "/"; }
    QString TemplateFile() const { return templates_.path() + "/ZdrKarta00.pts"; }

    void Fill() {
        platform::Database db(Folder());
        platform::Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        cards.Append();
        cards.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Brok od Vltavy"));
        cards.FieldByName("Plemeno").SetAsString(QStringLiteral("Bígl"));
        cards.Post();
        platform::Table visits(db, QStringLiteral("osetreni.db"));
        visits.Open();
        visits.Append();
        visits.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Brok od Vltavy"));
        visits.FieldByName("Lekar").SetAsString(QStringLiteral("MVDr. Veselá"));
        visits.Post();
    }

    void ChooseHealthCard() {
        auto* list = sheet_->findChild<QComboBox*>(QStringLiteral("VyberZdroje"));
        ASSERT_NE(list, nullptr);
        list->setCurrentIndex(1);
        emit list->activated(1);
        QApplication::processEvents();
        page_->TemplateList(1)->setCurrentIndex(0);
    }

    QTemporaryDir folder_;
    QTemporaryDir templates_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoVybery> selections_;
    TPrintPage* page_ = nullptr;
    testing_support::ScriptedMessages messages_;
};

}  // namespace

TEST_F(PrintPageEdit, EditaceOpensTheSourcesTemplateOverItsDataAndSavesIt) {
    ChooseHealthCard();
    auto* button = sheet_->findChild<TPrintBtnKopa*>(QStringLiteral("PrintBtnKopa1"));
    ASSERT_NE(button, nullptr);
    button->SetKindPrint(kpEdit);
    QString caption;
    QString doctor;
    testing_support::ScriptedModal script([&](QDialog& dialog) {
        auto* designer = qobject_cast<TFormSestE*>(&dialog);
        if (!designer) {
            return 0;
        }
        caption = designer->windowTitle();
        for (TSesPrvek* element : designer->Paper()->AllElements()) {
            if (element->toolTip() == QStringLiteral("Položka Lékař")) {
                doctor = element->Element().value.text;
                designer->FocusElement(element);
                designer->KeyboardStep(Qt::Key_Right, Qt::ControlModifier);
            }
        }
        designer->Save();
        return 0;
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(caption.contains(QStringLiteral(" - zdravotní karta jedince (")))
        << caption.toStdString();
    EXPECT_TRUE(caption.endsWith(QStringLiteral("ZdrKarta00.pts)")));
    EXPECT_EQ(doctor, QStringLiteral("MVDr. Veselá"));
    // The saved file is the installation template with the doctor moved one hundredth right.
    TPredloha original;
    ASSERT_TRUE(
        original.LoadFromFile(QStringLiteral(HARVEL_SOURCE_DIR "/templates/ZdrKarta00.pts")));
    QStringList expected = original.Lines();
    for (QString& line : expected) {
        if (line.startsWith(QStringLiteral("T,2,Lekar,"))) {
            QStringList fields = line.split(QLatin1Char(','));
            fields[3] = QString::number(fields[3].toInt() + 1);
            line = fields.join(QLatin1Char(','));
        }
    }
    TPredloha saved;
    ASSERT_TRUE(saved.LoadFromFile(TemplateFile()));
    EXPECT_EQ(saved.Lines(), expected);
    EXPECT_NE(saved.Lines(), original.Lines());
    EXPECT_TRUE(QFile::exists(templates_.path() + "/ZdrKarta00.BAK"));
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
}
