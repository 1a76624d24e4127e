// The pages of the special selections form, one per event book, each a grid
// of conditions: the tick box under "Aktivace", the caption, the value
// fields, and beside a name field the button that fills it.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "records/date_edit_kopa.h"
#include "records/fovybery.h"
#include "records/selection_texts.h"

namespace {

const QString kHint = QStringLiteral("Aktivace zadaného  výběru");

enum TColumn { colTick, colCaption, colFrom, colMiddle, colTo, colButton, colCount };

QString FieldText(const QWidget* field) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(field)) {
        return edit->text();
    }
    if (const auto* choice = qobject_cast<const QComboBox*>(field)) {
        return choice->currentText();
    }
    return QString();
}

}  // namespace

class TFoVybery::TPageBuilder {
  public:
    TPageBuilder(TFoVybery& form, int book, const QString& pageName, const QString& heading)
        : form_(form), book_(book), page_(new QWidget) {
        page_->setObjectName(pageName);
        auto* layout = new QVBoxLayout(page_);
        auto* title = new QLabel(heading);
        title->setObjectName(QStringLiteral("Nadpis_") + pageName);
        QFont big = title->font();
        big.setBold(true);
        big.setPointSizeF(big.pointSizeF() * 1.5);
        title->setFont(big);
        layout->addWidget(title);
        grid_ = new QGridLayout;
        grid_->setHorizontalSpacing(8);
        grid_->setVerticalSpacing(6);
        auto* column = new QLabel(QStringLiteral("Aktivace"));
        column->setObjectName(QStringLiteral("LabelAktivace_") + pageName);
        grid_->addWidget(column, 0, colTick);
        layout->addLayout(grid_);
        layout->addStretch(1);
        grid_->setColumnStretch(colFrom, 1);
        grid_->setColumnStretch(colTo, 1);
    }

    QWidget* Finish() {
        // The "Aktivace" caption names the first tick box.
        if (firstTick_ != nullptr) {
            qobject_cast<QLabel*>(grid_->itemAtPosition(0, colTick)->widget())
                ->setBuddy(firstTick_);
        }
        return page_;
    }

    // A name field: its text after the prefix. `button` names the "C"
    // button's action (null: no button).
    QLineEdit* Text(const QString& key, const QString& caption, const QString& prefix,
                    int maxLength, void (TFoVybery::*button)(QLineEdit*) = nullptr) {
        auto* field = new TKEditKopa;
        field->setObjectName(key);
        field->CommaToPoint = false;
        field->setMaxLength(maxLength);
        field->Loaded();
        const int row = Row(key, caption, field);
        grid_->addWidget(field, row, colFrom, 1, colButton - colFrom);
        if (button != nullptr) {
            auto* pick = new QPushButton(QStringLiteral("C"));
            pick->setObjectName(QStringLiteral("Btn") + key);
            pick->setAutoDefault(false);
            pick->setFixedWidth(28);
            QObject::connect(pick, &QPushButton::clicked, &form_,
                             [form = &form_, field, button] { (form->*button)(field); });
            grid_->addWidget(pick, row, colButton);
        }
        Add(row, [prefix, field] { return SelectionTextCondition(prefix, field->text()); });
        return field;
    }

    // A choice of `items` that takes free text as well.
    QComboBox* Choice(const QString& key, const QString& caption, const QString& prefix,
                      const QStringList& items, int maxLength) {
        auto* choice = new QComboBox;
        choice->setObjectName(key);
        choice->setEditable(true);
        choice->setInsertPolicy(QComboBox::NoInsert);
        choice->addItems(items);
        choice->setCurrentIndex(-1);
        choice->lineEdit()->setMaxLength(maxLength);
        const int row = Row(key, caption, choice);
        grid_->addWidget(choice, row, colFrom, 1, colButton - colFrom);
        Add(row, [prefix, choice] { return SelectionTextCondition(prefix, FieldText(choice)); });
        return choice;
    }

    // Two dates "from" … "až". The mating period (`prefix` empty) tests the
    // mating's three dates.
    void DateRange(const QString& key, const QString& caption, const QString& prefix,
                   bool secondCommaToPoint = true) {
        TDateEditKopa* from = DateField(key + QStringLiteral("Od"), true);
        TDateEditKopa* to = DateField(key + QStringLiteral("Do"), secondCommaToPoint);
        const int row = Row(key, caption, from);
        grid_->addWidget(from, row, colFrom);
        auto* until = new QLabel(QStringLiteral("až"));
        until->setBuddy(to);
        grid_->addWidget(until, row, colMiddle, Qt::AlignCenter);
        grid_->addWidget(to, row, colTo);
        if (prefix.isEmpty()) {
            Add(row, [from, to] { return SelectionMatingPeriod(from->text(), to->text()); });
        } else {
            Add(row, [prefix, from, to] {
                return SelectionDateRange(prefix, from->text(), to->text());
            });
        }
    }

    // A check box whose state chooses one of two fixed texts.
    void FilledIn(const QString& key, const QString& caption, const QString& ticked,
                  const QString& unticked) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(key + QStringLiteral("Vyplneno"));
        const int row = NextRow(key);
        grid_->addWidget(box, row, colCaption, 1, colButton - colCaption);
        Add(row, [box, ticked, unticked] { return box->isChecked() ? ticked : unticked; });
    }

    // Two options, the first preset, each with its fixed text.
    void Options(const QString& key, const QString& caption,
                 const std::array<std::pair<const char*, QString>, 2>& options) {
        auto* box = new QWidget;
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        auto* group = new QButtonGroup(box);
        std::array<QRadioButton*, 2> buttons{};
        for (size_t i = 0; i < options.size(); ++i) {
            buttons[i] = new QRadioButton(QString::fromUtf8(options[i].first));
            buttons[i]->setObjectName(key + QString::number(i + 1));
            group->addButton(buttons[i]);
            column->addWidget(buttons[i]);
        }
        buttons[0]->setChecked(true);
        const int row = Row(key, caption, buttons[0]);
        grid_->addWidget(box, row, colFrom, 1, colButton - colFrom);
        Add(row, [first = buttons[0], options] {
            return first->isChecked() ? options[0].second : options[1].second;
        });
    }

  private:
    TDateEditKopa* DateField(const QString& name, bool commaToPoint) {
        auto* field = new TDateEditKopa;
        field->setObjectName(name);
        field->CommaToPoint = commaToPoint;
        field->setMaxLength(10);
        field->Loaded();
        return field;
    }

    int NextRow(const QString& key) {
        const int row = grid_->rowCount();
        auto* tick = new QCheckBox;
        tick->setObjectName(QStringLiteral("Aktivace") + key);
        tick->setToolTip(kHint);
        tick->setAccessibleName(QStringLiteral("Aktivace"));
        grid_->addWidget(tick, row, colTick, Qt::AlignCenter);
        ticks_.push_back(tick);
        if (firstTick_ == nullptr) {
            firstTick_ = tick;
        }
        return row;
    }

    int Row(const QString& key, const QString& caption, QWidget* buddy) {
        const int row = NextRow(key);
        auto* label = new QLabel(caption);
        label->setBuddy(buddy);
        grid_->addWidget(label, row, colCaption);
        return row;
    }

    void Add(int, std::function<QString()> text) {
        form_.conditions_[static_cast<size_t>(book_)].push_back({ticks_.back(), std::move(text)});
    }

    TFoVybery& form_;
    int book_;
    QWidget* page_;
    QGridLayout* grid_ = nullptr;
    QCheckBox* firstTick_ = nullptr;
    std::vector<QCheckBox*> ticks_;
};

QWidget* TFoVybery::BuildEvidlist() {
    TPageBuilder page(*this, 0, QStringLiteral("Evidlist"), QStringLiteral("EVIDENČNÍ LIST"));
    page.Text(QStringLiteral("Chovatel"), QStringLiteral("Chovatel"),
              QStringLiteral("CHOVATEL =\""), 50, &TFoVybery::LookUpAddress);
    page.Text(QStringLiteral("Majitel"), QStringLiteral("Majitel"), QStringLiteral("Majitel =\""),
              50, &TFoVybery::LookUpAddress);
    page.FilledIn(QStringLiteral("DKK"), QStringLiteral("Vyplněný údaj  u DKK"),
                  QStringLiteral("DKK like\"_%\""), QStringLiteral("DKK= \"\""));
    page.FilledIn(QStringLiteral("PRA"), QStringLiteral("Vyplněný údaj  u PRA"),
                  QStringLiteral("PRA like\"_%\""), QStringLiteral("PRA= \"\""));
    page.FilledIn(QStringLiteral("Luxace"), QStringLiteral("Vyplněný údaj  u Luxace pattely"),
                  QStringLiteral("Luxace like\"_%\""), QStringLiteral("Luxace =\"\""));
    return page.Finish();
}

QWidget* TFoVybery::BuildOsetreni() {
    TPageBuilder page(*this, 1, QStringLiteral("Osetreni"), QStringLiteral("ZDRAVOTNÍ KARTA"));
    page.Text(QStringLiteral("Lekar"), QStringLiteral("Lékař"), QStringLiteral("LEKAR =\""), 50,
              &TFoVybery::LookUpAddress);
    page.Choice(QStringLiteral("Duvod"), QStringLiteral("Důvod"),
                QStringLiteral("Duvod_osetreni =\""),
                {QStringLiteral("Prevence"), QStringLiteral("Prohlídka"),
                 QStringLiteral("Vyšetření"), QStringLiteral("Očkování"),
                 QStringLiteral("Ultrazvuk"), QStringLiteral("Rentgen"), QStringLiteral("Operace")},
                30);
    page.DateRange(QStringLiteral("Navsteva"), QStringLiteral("Návštěva dne"),
                   QStringLiteral("Datum_osetreni BETWEEN \""));
    page.DateRange(QStringLiteral("DalsiNavsteva"), QStringLiteral("Další návštěva"),
                   QStringLiteral("Dalsi_navsteva BETWEEN \""));
    return page.Finish();
}

QWidget* TFoVybery::BuildVystavy() {
    TPageBuilder page(*this, 2, QStringLiteral("Vystavy"), QStringLiteral("VÝSTAVY"));
    page.DateRange(QStringLiteral("Ucast"), QStringLiteral("Účast dne"),
                   QStringLiteral("Datum_vystava BETWEEN \""));
    const auto choice = [&page](const char* key, const char* caption, const char* prefix,
                                const QStringList& items) {
        page.Choice(QString::fromLatin1(key), QString::fromUtf8(caption),
                    QString::fromLatin1(prefix), items, 20);
    };
    choice("Druh", "Druh", "Druh =\"",
           {"Oblastní", "Krajská", "Národní", "Speciální", "Klubová", "Mezinárodní", "Světová"});
    choice("Trida", "Třída", "Trida =\"",
           {"Dorostu", "Mladých", "Mezitřída", "Otevřená", "Pracovní", "Vítězů", "Šampionů",
            "Veteránů", "Čestná", "Mimo konkurenci"});
    choice("Znamka", "Známka", "Znamka =\"",
           {"Velmi nadějný", "Nadějný", "Málo nadějný", "Výborný", "Velmi dobrý", "Dobrý",
            "Dostatečný", "Vadný"});
    choice("Cekatelstvi1", "Čekatelství 1", "Cekatelstvi_1 =\"",
           {"CAJC", "Rezervace CAJC", "CAC", "Rezervace CAC", "CACIB", "Rezervace CACIB", "CACIT",
            "CACT"});
    choice("SoutezHlavni", "Soutěž - hlavní", "Souteze =\"", {"BOB", "BIG", "BIS"});
    choice("SoutezOstatni", "Soutěže - ostatní", "Souteze_ost =\"",
           {"Krajský vítěz", "Klubový vítěz", "Vítěz speciální výstavy", "Národní vítěz",
            "Evropský vítěz", "Světový vítěz"});
    return page.Finish();
}

QWidget* TFoVybery::BuildTituly() {
    TPageBuilder page(*this, 3, QStringLiteral("tituly"), QStringLiteral("TITULY"));
    page.DateRange(QStringLiteral("Priznan"), QStringLiteral("Přiznán dne"),
                   QStringLiteral("Datum_Udeleni BETWEEN \""), false);
    page.Choice(QStringLiteral("Titul"), QStringLiteral("Titul (název)"),
                QStringLiteral("Titul_Jmeno =\""),
                {QStringLiteral("Klubový šampion"), QStringLiteral("Interšampion"),
                 QStringLiteral("Český šampion"), QStringLiteral("Slovenský šampion"),
                 QStringLiteral("Polský šampion ")},
                40);
    page.Choice(QStringLiteral("TitulZeme"), QStringLiteral("Země"), QStringLiteral("Zeme =\""), {},
                20);
    return page.Finish();
}

QWidget* TFoVybery::BuildChovnost() {
    TPageBuilder page(*this, 4, QStringLiteral("chovnost"), QStringLiteral("CHOVNOST"));
    page.Options(
        QStringLiteral("Splneni"), QStringLiteral("Splnění"),
        {{{"Nesplnil(a) podmínky pro zařazení do chovu", QStringLiteral("Chov_jedinec = 0")},
          {"Splnil(a) podmínky pro zařazení do chovu", QStringLiteral("Chov_jedinec = 1")}}});
    return page.Finish();
}

QWidget* TFoVybery::BuildVrhy() {
    TPageBuilder page(*this, 5, QStringLiteral("vrhy"), QStringLiteral("VRHY"));
    page.DateRange(QStringLiteral("DatumVrhu"), QStringLiteral("Datum vrhu"),
                   QStringLiteral("Datum BETWEEN \""));
    page.Text(QStringLiteral("Pes"), QStringLiteral("Pes"), QStringLiteral("Jmeno_reg_otec =\""),
              40, &TFoVybery::PickAnimalInto);
    return page.Finish();
}

QWidget* TFoVybery::BuildKryti() {
    TPageBuilder page(*this, 6, QStringLiteral("kryti"), QStringLiteral("KRYTÍ"));
    page.DateRange(QStringLiteral("Obdobi"), QStringLiteral("Období"), QString());
    page.Text(QStringLiteral("Partner"), QStringLiteral("Partner"),
              QStringLiteral("Jmeno_partner =\""), 50, &TFoVybery::PickAnimalInto);
    page.Options(QStringLiteral("Kryti"), QStringLiteral("Krytí"),
                 {{{"Úspěšná", QStringLiteral("Nakryta_Ano_Ne = \"TRUE\"")},
                   {"Neúspěšná", QStringLiteral("Nakryta_Ano_Ne = \"FALSE\"")}}});
    return page.Finish();
}

QWidget* TFoVybery::BuildZkousky() {
    TPageBuilder page(*this, 8, QStringLiteral("zkousky"), QStringLiteral("ZKOUŠKY"));
    page.DateRange(QStringLiteral("Slozena"), QStringLiteral("Složena dne"),
                   QStringLiteral("Datum_Udeleni BETWEEN \""));
    page.Choice(QStringLiteral("Zkouska"), QStringLiteral("Zkouška (název)"),
                QStringLiteral("Oceneni_Jmeno =\""),
                {QStringLiteral("Podzimní zkoušky"), QStringLiteral("Zkoušky vloh"),
                 QStringLiteral("Lesní zkoušky"), QStringLiteral("Vodní práce"),
                 QStringLiteral("Všestrané zkoušky"), QStringLiteral("Barvářské zkoušky"),
                 QStringLiteral("Honičské zkoušky"), QStringLiteral("Zkoušky z norování"),
                 QStringLiteral("Zkouška všestranosti"), QStringLiteral("Zkouška obranáře"),
                 QStringLiteral("Zkouška stopaře"), QStringLiteral("Zkouška záchraného psa"),
                 QStringLiteral("Zkouška lavinového psa")},
                40);
    page.Choice(QStringLiteral("ZkouskaZeme"), QStringLiteral("Země"), QStringLiteral("Zeme =\""),
                {}, 20);
    return page.Finish();
}
