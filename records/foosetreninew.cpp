#include "records/foosetreninew.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "records/address_copy.h"
#include "records/date_edit_kopa.h"
#include "records/entry_form_parts.h"

namespace {

constexpr int kHelpTopic = 300;
const QString kTable = QStringLiteral("osetreni.db");

// Every text field takes as many characters as its column holds.
int Width(const char* column) {
    return ColumnWidth(kTable, QString::fromLatin1(column));
}

}  // namespace

TFoOsetreniNew::TFoOsetreniNew(TDM1& dm, QWidget* parent)
    : TEntryDialog(QStringLiteral("FoOsetreniNew"), QStringLiteral("Návštěva lékaře - zápis"),
                   parent),
      dm_(dm) {
    BuildFields();
    BuildButtons();
    LayOut();
    SetTabOrder();
}

void TFoOsetreniNew::BuildFields() {
    Jmeno_registr = NewRegisteredNameLabel("Jmeno_registr", this);

    editLekar_ = NewEntryEdit<TKEditKopa>("Edit_lekar", Width("Lekar"), false, this);
    editDatumTed_ = NewEntryEdit<TDateEditKopa>("EditDatum_Ted", 0, false, this);
    comboDuvod_ = new TComboBoxKopa(this);
    comboDuvod_->setObjectName(QStringLiteral("Combo_Duvod"));
    comboDuvod_->SetStyle(csDropDown);
    comboDuvod_->SetItems(VisitReasons());
    comboDuvod_->SetText(QString());
    comboDuvod_->lineEdit()->setMaxLength(Width("Duvod_osetreni"));
    editPopis_ = NewEntryEdit<TKEditKopa>("EditPopis", Width("Popis_osetreni"), false, this);
    editVysledek_ = NewEntryEdit<TKEditKopa>("EditVysledek", Width("Vysled_osetreni"), false, this);
    editPreparaty_ = NewEntryEdit<TKEditKopa>("EditPreparaty", Width("Preparaty"), false, this);
    editPreparaty_->setToolTip(QStringLiteral("Jednotlivé preparáty oddělujte středníkem ;"));
    editDalsiNavsteva_ = NewEntryEdit<TDateEditKopa>("Edit_Dalsi_Navsteva", 0, false, this);
    note_ = new QPlainTextEdit(this);
    note_->setObjectName(QStringLiteral("Memo1"));
    note_->setTabChangesFocus(true);
}

void TFoOsetreniNew::BuildButtons() {
    pickDoctor_ = NewFormButton("BtnLekar", QStringLiteral("C"), this,
                                QStringLiteral("Výběr lékaře z adresáře"));
    write_ = NewFormButton("BtnZapis", QStringLiteral("Zápis"), this);
    cancel_ = NewFormButton("BtnStorno", QStringLiteral("Storno "), this);
    help_ = NewHelpButton(kHelpTopic, this);
    connect(pickDoctor_, &QPushButton::clicked, this, &TFoOsetreniNew::CopyDoctorClick);
    connect(write_, &QPushButton::clicked, this, &TFoOsetreniNew::WriteClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFoOsetreniNew::LayOut() {
    const QFontMetrics metrics = fontMetrics();
    const int wideWidth = metrics.horizontalAdvance(QString(36, QLatin1Char('n')));
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("00.00.0000")) + 20;
    editDatumTed_->setFixedWidth(dateWidth);
    editDalsiNavsteva_->setFixedWidth(dateWidth);
    comboDuvod_->setMinimumWidth(metrics.horizontalAdvance(QString(22, QLatin1Char('n'))));
    for (QWidget* wide :
         {static_cast<QWidget*>(editLekar_), static_cast<QWidget*>(editPopis_),
          static_cast<QWidget*>(editVysledek_), static_cast<QWidget*>(editPreparaty_)}) {
        wide->setMinimumWidth(wideWidth);
    }
    pickDoctor_->setFixedWidth(pickDoctor_->sizeHint().height() + 4);
    note_->setFixedHeight(metrics.height() * 5);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    grid->addWidget(NewCaption(QStringLiteral("Registr. jméno  "), nullptr, this), row, 0);
    grid->addWidget(Jmeno_registr, row++, 1, 1, 2);
    grid->addWidget(NewCaption(QStringLiteral("Lékař"), editLekar_, this), row, 0);
    grid->addWidget(editLekar_, row, 1);
    grid->addWidget(pickDoctor_, row++, 2);
    const auto addRow = [&](const QString& caption, QWidget* field, Qt::Alignment alignment) {
        grid->addWidget(NewCaption(caption, field, this), row, 0,
                        alignment == Qt::AlignTop ? Qt::AlignTop : Qt::Alignment());
        grid->addWidget(field, row++, 1, 1, 2,
                        alignment == Qt::AlignLeft ? Qt::AlignLeft : Qt::Alignment());
    };
    addRow(QStringLiteral("Návštěva\ndne"), editDatumTed_, Qt::AlignLeft);
    addRow(QStringLiteral("Důvod"), comboDuvod_, Qt::AlignLeft);
    addRow(QStringLiteral("Popis"), editPopis_, Qt::Alignment());
    addRow(QStringLiteral("Výsledek"), editVysledek_, Qt::Alignment());
    addRow(QStringLiteral("Použité\npreparáty"), editPreparaty_, Qt::Alignment());
    addRow(QStringLiteral("Další\nnávštěva"), editDalsiNavsteva_, Qt::AlignLeft);
    addRow(QStringLiteral("Poznámka"), note_, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddButtonRow(layout, 6, {write_}, {cancel_, help_});
}

void TFoOsetreniNew::SetTabOrder() {
    ChainTabOrder({editLekar_, editDatumTed_, comboDuvod_, editPopis_, editVysledek_,
                   editPreparaty_, editDalsiNavsteva_, note_, write_, cancel_, pickDoctor_, help_});
}

void TFoOsetreniNew::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    editLekar_->setFocus(Qt::TabFocusReason);
}

void TFoOsetreniNew::CopyDoctorClick() {
    if (const std::optional<QString> key = AddressKeyForField(dm_, editLekar_->text())) {
        editLekar_->setText(*key);
    }
}

TVisitInput TFoOsetreniNew::Input() const {
    TVisitInput input;
    input.animal = Jmeno_registr->text();
    input.doctor = editLekar_->text();
    input.visitDate = editDatumTed_->text();
    input.reason = comboDuvod_->Text();
    input.description = editPopis_->text();
    input.result = editVysledek_->text();
    input.preparations = editPreparaty_->text();
    input.nextVisit = editDalsiNavsteva_->text();
    input.note = note_->toPlainText();
    return input;
}

QStringList TFoOsetreniNew::InputFailures() {
    return VisitInputFailures(Input());
}

void TFoOsetreniNew::WriteEntry() {
    WriteVisit(dm_, Input());
}
