// Every form stores only what the breeder typed or chose: every text field
// of every entry and edit form takes at most its column's width (so nothing
// typed is cut later), and every value a choice list offers fits the column
// it goes to.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <map>
#include <memory>

#include "app/foadresar.h"
#include "controls/field_data_link.h"
#include "platform/store/datasource.h"
#include "platform/store/schema.h"
#include "records/event_book_entry.h"
#include "records/fochovnost.h"
#include "records/fokrytiedit.h"
#include "records/fokrytizapis.h"
#include "records/fomain.h"
#include "records/foosetreniedit.h"
#include "records/foosetreninew.h"
#include "records/fotituly.h"
#include "records/fovrhyedit.h"
#include "records/fovrhyzapis.h"
#include "records/fovystavy.h"
#include "records/fozkousky.h"
#include "tests/records/event_book_fixture.h"

namespace {

using event_book_testing::BookFormTest;

// The columns of the entry forms' own (unbound) fields, by object name;
// "" marks a field that is not text (a date, a count, the search field).
const std::map<QString, QString> kEntryFields = {
    {"EditPartner", "kryti.DB:Jmeno_partner"},
    {"Edit_Majitel", "kryti.DB:Majitel"},
    {"EditAsistence", "kryti.DB:Asistence"},
    {"EditMisto1", "kryti.DB:Misto_Kryti_1"},
    {"EditMisto2", "kryti.DB:Misto_Kryti_2"},
    {"EditMisto3", "kryti.DB:Misto_Kryti_3"},
    {"ComboZpusob_Kryti_1", "kryti.DB:Zpusob_Kryti_1"},
    {"ComboZpusob_Kryti_2", "kryti.DB:Zpusob_Kryti_2"},
    {"ComboZpusob_Kryti_3", "kryti.DB:Zpusob_Kryti_3"},
    {"MemoZamer", "kryti.DB:Chovatel_zamer"},
    {"Edit_lekar", "osetreni.db:Lekar"},
    {"Combo_Duvod", "osetreni.db:Duvod_osetreni"},
    {"EditPopis", "osetreni.db:Popis_osetreni"},
    {"EditVysledek", "osetreni.db:Vysled_osetreni"},
    {"EditPreparaty", "osetreni.db:Preparaty"},
    {"Memo1", "osetreni.db:Poznamka"},
    {"Edit_Jmeno_reg_otec", "vrhy.db:Jmeno_reg_otec"},
    {"EditJmenoStenat", "main_card.db:Jmeno_registr"},
    {"Edit_Poznamka", "vrhy.db:Poznamka"},
    {"EditPlemeno", "vrhy.db:Plemeno"},
    {"Edit_datum_kryti_1", ""},
    {"Edit_datum_kryti_2", ""},
    {"Edit_datum_kryti_3", ""},
    {"EditDatumVrh", ""},
    {"EditPocetPes", ""},
    {"EditPocetFena", ""},
    {"EditDatum_Ted", ""},
    {"Edit_Dalsi_Navsteva", ""},
    {"Edit_datum_porod", ""},
    {"EditHledat", ""},
};

struct ColumnOfField {
    QString table;
    QString column;
};

class FieldsFitColumns : public BookFormTest {
  protected:
    void SetUp() override {
        BookFormTest::SetUp();
        dm_->CurrentAnimal.SetJmenoRegistr(QStringLiteral("Aron"));
        dm_->TaAdresar.Open();
        dm_->TaAdresar.Append();
        dm_->TaAdresar.FieldByName("Nazev_Key").SetAsString("Novák");
        dm_->TaAdresar.Post();
        for (platform::Table* table :
             {&dm_->TaKryti, &dm_->TaOsetreni, &dm_->TaVrhy, &dm_->TaVystavy, &dm_->TaTituly,
              &dm_->TaZkousky, &dm_->TaChovnost}) {
            table->Open();
            table->Append();
            table->FieldByName("Jmeno_registr").SetAsString("Aron");
            table->Post();
            table->SetFiltered(true);
        }
    }

    // The column a text widget writes: its binding, or the entry forms' map;
    // an empty table for a widget that holds no text of a column.
    ColumnOfField ColumnOf(QWidget* widget) {
        QWidget* named = widget;
        if (auto* combo = qobject_cast<QComboBox*>(widget->parentWidget())) {
            named = combo;
        }
        if (auto* bound = dynamic_cast<FieldBinding*>(named);
            bound != nullptr && bound->DataSource() != nullptr) {
            auto* table = dynamic_cast<platform::Table*>(bound->DataSource()->GetDataSet());
            EXPECT_NE(table, nullptr) << named->objectName().toStdString();
            return {table != nullptr ? table->TableName() : QString(), bound->DataField()};
        }
        // The shared book entry names its inputs "Edit_" and the column.
        if (auto* entry = qobject_cast<TEventBookEntry*>(named->window());
            entry != nullptr && named->objectName().startsWith("Edit_")) {
            const QString column = named->objectName().mid(5);
            return {(dm_.get()->*entry->Book().table).TableName(), column};
        }
        const auto known = kEntryFields.find(named->objectName());
        if (known == kEntryFields.end()) {
            ADD_FAILURE() << "a text field without a known column: "
                          << named->objectName().toStdString() << " in "
                          << named->window()->objectName().toStdString();
            return {};
        }
        if (known->second.isEmpty()) {
            return {};
        }
        return {known->second.section(':', 0, 0), known->second.section(':', 1)};
    }

    static const platform::ColumnSchema* Schema(const ColumnOfField& column) {
        const platform::TableSchema* table = platform::FindTableSchema(column.table);
        return table != nullptr ? table->FindColumn(column.column) : nullptr;
    }

    // The print page's filter fields are no columns: they only select.
    static bool OnPrintPage(const QWidget* widget) {
        for (; widget != nullptr; widget = widget->parentWidget()) {
            if (widget->objectName() == "TISKY") {
                return true;
            }
        }
        return false;
    }

    // Checks every text field and every offered list of a shown form.
    void CheckForm(QWidget& form) {
        Show(form);
        for (QLineEdit* edit : form.findChildren<QLineEdit*>()) {
            if ((edit->isReadOnly() && edit->focusPolicy() == Qt::NoFocus) || OnPrintPage(edit)) {
                continue;  // a display field
            }
            const ColumnOfField column = ColumnOf(edit);
            const platform::ColumnSchema* schema = Schema(column);
            if (schema == nullptr || schema->type != platform::ColumnType::Text) {
                continue;
            }
            ++checked_;
            EXPECT_EQ(edit->maxLength(), schema->width)
                << form.objectName().toStdString() << " " << edit->objectName().toStdString() << "/"
                << column.column.toStdString();
        }
        for (QPlainTextEdit* memo : form.findChildren<QPlainTextEdit*>()) {
            const platform::ColumnSchema* schema = Schema(ColumnOf(memo));
            if (schema == nullptr || schema->type != platform::ColumnType::Text ||
                memo->isReadOnly()) {
                continue;
            }
            ++checked_;
            memo->setFocus();
            memo->clear();
            memo->insertPlainText(QString(schema->width + 10, QLatin1Char('x')));
            EXPECT_EQ(memo->toPlainText().size(), schema->width)
                << form.objectName().toStdString() << " " << memo->objectName().toStdString();
        }
        for (QComboBox* combo : form.findChildren<QComboBox*>()) {
            if (!combo->isEditable() || OnPrintPage(combo)) {
                continue;
            }
            const platform::ColumnSchema* schema = Schema(ColumnOf(combo->lineEdit()));
            for (int i = 0; schema != nullptr && i < combo->count(); ++i) {
                ++offered_;
                EXPECT_LE(combo->itemText(i).size(), schema->width)
                    << combo->objectName().toStdString() << ": "
                    << combo->itemText(i).toStdString();
            }
        }
        form.hide();
    }

    int checked_ = 0;
    int offered_ = 0;
};

TEST_F(FieldsFitColumns, EveryTextFieldTakesItsColumnsWidthAndEveryOfferedValueFits) {
    const std::vector<std::function<std::unique_ptr<QWidget>()>> forms = {
        [this] { return std::make_unique<TFoKrytiZapis>(*dm_); },
        [this] { return std::make_unique<TFoKrytiEditace>(*dm_); },
        [this] { return std::make_unique<TFoOsetreniNew>(*dm_); },
        [this] { return std::make_unique<TFoOsetreniEdit>(*dm_); },
        [this] { return std::make_unique<TFoVrhyZapis>(*dm_); },
        [this] { return std::make_unique<TFoVrhyEdit>(*dm_); },
        [this] { return std::make_unique<TFoVystavyZapis>(*dm_); },
        [this] { return std::make_unique<TFoVystavyEdit>(*dm_); },
        [this] { return std::make_unique<TFoTitulZapis>(*dm_); },
        [this] { return std::make_unique<TFoTituly_Edit>(*dm_); },
        [this] { return std::make_unique<TFoZkousky_Zapis>(*dm_); },
        [this] { return std::make_unique<TFoZkouskyEdit>(*dm_); },
        [this] { return std::make_unique<TFoChovnostZapis>(*dm_); },
        [this] { return std::make_unique<TFoChovnostEdit>(*dm_); },
        [this] { return std::make_unique<TFoAdresar>(*dm_); },
        [this] {
            auto sheet = std::make_unique<TFoMain>();
            sheet->AttachDataModule(*dm_);
            return sheet;
        },
    };
    for (const auto& make : forms) {
        std::unique_ptr<QWidget> form = make();
        CheckForm(*form);
    }
    EXPECT_GT(checked_, 100);
    EXPECT_GT(offered_, 80);
}

TEST_F(FieldsFitColumns, TheNaturalMatingIsStoredWhole) {
    TFoKrytiZapis form(*dm_);
    form.Jmeno_registr->setText(QStringLiteral("Aron"));
    Show(form);
    event_book_testing::Type(form.findChild<QWidget*>("EditPartner"), QStringLiteral("Bára"));
    event_book_testing::Type(form.findChild<QWidget*>("Edit_datum_kryti_1"),
                             QStringLiteral("1.2.2026"));
    form.findChild<QComboBox*>("ComboZpusob_Kryti_1")->setCurrentIndex(0);
    QTest::mouseClick(form.findChild<QPushButton*>("Button2"), Qt::LeftButton);
    dm_->TaKryti.SetFiltered(false);
    ASSERT_TRUE(dm_->TaKryti.Locate("Jmeno_partner", QStringLiteral("Bára")));
    EXPECT_EQ(dm_->TaKryti.FieldByName("Zpusob_Kryti_1").AsString(), "přirozený (přírodní)");
}

}  // namespace
