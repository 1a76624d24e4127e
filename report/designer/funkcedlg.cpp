#include "report/designer/funkcedlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/widgets/dialogs.h"
#include "report/designer/dialog_controls.h"
#include "report/designer/sest_fneditvyraz.h"
#include "report/engine/sestavyt.h"

using namespace designer_ui;

TFunkceDlg::TFunkceDlg(TSestavaTyp& report, const TListFunkci& functions, bool byName,
                       int groupCount, const TRadekFunkce& function, QWidget* parent)
    : QDialog(parent), report_(report), functions_(functions), byName_(byName) {
    setObjectName(QStringLiteral("FunkceDlg"));
    setWindowTitle(QStringLiteral("Nastavení parametrů funkce"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    name_ = FormEdit(form, QStringLiteral("EditFnNaz"), QStringLiteral("Název:"), this);
    description_ = FormEdit(form, QStringLiteral("EditFnPop"), QStringLiteral("Popis:"), this);
    type_ = FormCombo(form, QStringLiteral("CBFnTyp"), QStringLiteral("Typ:"), this);
    type_->addItems({QStringLiteral("Číselná"), QStringLiteral("Řetězcová")});
    expression_ = new QLineEdit(this);
    expression_->setObjectName(QStringLiteral("EditFnVyr"));
    expression_->setMinimumWidth(320);
    auto* expressionButton =
        NamedButton(QStringLiteral("SpeedButtonFnV"), QStringLiteral("Výraz..."), this);
    auto* expressionRow = new QHBoxLayout;
    expressionRow->addWidget(expression_, 1);
    expressionRow->addWidget(expressionButton);
    form->addRow(Caption(QStringLiteral("Výpočetní výraz:"), expression_, this), expressionRow);
    initial_ =
        FormEdit(form, QStringLiteral("EditFnPoh"), QStringLiteral("Počáteční hodnota:"), this);
    reset_ =
        FormCombo(form, QStringLiteral("CBFnPhn"), QStringLiteral("Nastavit na začátku"), this);
    reset_->addItems({QStringLiteral("Sestavy"), QStringLiteral("Stránky")});
    for (int g = 1; g <= groupCount; ++g) {
        reset_->addItem(QStringLiteral("Skupiny %1").arg(g));
    }
    layout->addLayout(form);

    numeric_ = new QWidget(this);
    numeric_->setObjectName(QStringLiteral("PanelNumeric"));
    auto* numericLayout = new QHBoxLayout(numeric_);
    numericLayout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(QStringLiteral("Další zpracování:"), numeric_);
    group->setObjectName(QStringLiteral("RGDalZpr"));
    auto* groupGrid = new QGridLayout(group);
    aggregation_ = new QButtonGroup(this);
    const char* aggregations[] = {"(Žádné)", "Počet",   "Součet",         "Průměr",
                                  "Minimum", "Maximum", "Směrodat.odch.", "Relat.sm.odch."};
    for (int i = 0; i < 8; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(aggregations[i]), group);
        radio->setObjectName(QStringLiteral("RGDalZpr%1").arg(i));
        aggregation_->addButton(radio, i);
        groupGrid->addWidget(radio, i % 4, i / 4);
    }
    numericLayout->addWidget(group);
    auto* formatForm = new QFormLayout;
    format_ = FormCombo(formatForm, QStringLiteral("CbFnFrm"), QStringLiteral("Formát:"), numeric_);
    format_->addItems({QStringLiteral("General"), QStringLiteral("Exponent"),
                       QStringLiteral("Fixed"), QStringLiteral("Number"),
                       QStringLiteral("Currency")});
    precision_ = FormEdit(formatForm, QStringLiteral("EditFnSir"),
                          QStringLiteral("Celkový počet znaků:"), numeric_);
    digits_ = FormEdit(formatForm, QStringLiteral("EditFnDes"),
                       QStringLiteral("Počet desetinných míst:"), numeric_);
    numericLayout->addLayout(formatForm);
    layout->addWidget(numeric_);

    auto* ok = AddClosingButtons(layout, {QStringLiteral("BitBtnOK"), QStringLiteral("O&K")},
                                 {QStringLiteral("BitBtnStorno"), QStringLiteral("Storno")}, this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(expressionButton, &QPushButton::clicked, this, &TFunkceDlg::EditExpressionText);
    connect(type_, &QComboBox::currentIndexChanged, this, [this] { ShowNumericPanel(); });
    Fill(function);
}

void TFunkceDlg::Fill(const TRadekFunkce& f) {
    name_->setText(f.name);
    description_->setText(f.description);
    type_->setCurrentIndex(f.resultType == ftText ? 1 : 0);
    expression_->setText(f.expression);
    initial_->setText(f.initialValue);
    reset_->setCurrentIndex(f.resetLevel >= 0 && f.resetLevel < reset_->count() ? f.resetLevel
                                                                                : -1);
    if (QAbstractButton* b = aggregation_->button(f.aggregation)) {
        b->setChecked(true);
    }
    format_->setCurrentIndex(f.numberFormat >= 0 && f.numberFormat <= 4 ? f.numberFormat : 2);
    precision_->setText(QString::number(f.precision));
    digits_->setText(QString::number(f.digits));
    ShowNumericPanel();
}

void TFunkceDlg::ShowNumericPanel() {
    numeric_->setVisible(type_->currentIndex() == ftNumber);
}

void TFunkceDlg::EditExpressionText() {
    QString text = expression_->text();
    if (EditExpression(report_, functions_, false, byName_, text, this)) {
        expression_->setText(text);
    }
}

void TFunkceDlg::TakeInto(TRadekFunkce& f) const {
    f.name = name_->text();
    f.description = description_->text();
    f.resultType = type_->currentIndex() == 1 ? ftText : ftNumber;
    f.expression = expression_->text();
    f.initialValue = initial_->text();
    if (reset_->currentIndex() >= 0) {
        f.resetLevel = reset_->currentIndex();
    }
    if (aggregation_->checkedId() >= 0) {
        f.aggregation = aggregation_->checkedId();
    }
    f.numberFormat = format_->currentIndex() > 4 ? nfFixed : std::max(0, format_->currentIndex());
    f.precision = WholeOr(precision_, f.precision);
    f.digits = WholeOr(digits_, f.digits);
    f.InitValueKind();
}

int EditFunction(TSestavaTyp& report, const TListFunkci& functions, bool byName, int groupCount,
                 TRadekFunkce& function, QWidget* parent) {
    TFunkceDlg dialog(report, functions, byName, groupCount, function, parent);
    if (platform::ExecModal(dialog) != QDialog::Accepted) {
        return 2;
    }
    dialog.TakeInto(function);
    return 1;
}
