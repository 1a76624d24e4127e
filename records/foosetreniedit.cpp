#include "records/foosetreniedit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "controls/db_grid.h"
#include "controls/db_memo.h"
#include "controls/db_navigator.h"
#include "controls/k_db_edit.h"
#include "records/bound_parts.h"
#include "records/entry_form_parts.h"

namespace {

constexpr int kDoctorLength = 50;
constexpr int kDescriptionLength = 50;
constexpr int kResultLength = 40;
constexpr int kPreparationsLength = 50;

}  // namespace

TFoOsetreniEdit::TFoOsetreniEdit(TDM1& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("FoOsetreniEdit"));
    setWindowTitle(QStringLiteral("Návštěva lékaře - úpravy"));
    BuildControls();
    LayOut();
}

void TFoOsetreniEdit::BuildControls() {
    platform::DataSource& source = dm_.SoOsetreni;
    navigator_ = NewEditNavigator(source, this);

    grid_ = new TDbGridKOPA(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->SetDataSource(&source);
    grid_->SetColumns({QStringLiteral("Datum_osetreni"), QStringLiteral("Duvod_osetreni")});
    grid_->SetColumnTitle(0, QStringLiteral("Datum ošetř."));
    grid_->SetColumnTitle(1, QStringLiteral("Důvod"));
    grid_->ConfirmDelete = true;

    animal_ = NewBoundNameLabel("DBEditJmeno_registr", source, this);
    doctor_ = NewBoundEdit("DBEditLekar", source, "Lekar", kDoctorLength, false, this);
    visitDate_ = NewBoundEdit("DBEditDatum_osetreni", source, "Datum_osetreni", 0, false, this);
    reason_ = NewBoundCombo("DBComboDuvod_osetreni", source, "Duvod_osetreni", {}, this);
    description_ = NewBoundEdit("DBEditPopis_osetreni", source, "Popis_osetreni",
                                kDescriptionLength, false, this);
    result_ = NewBoundEdit("DBEditVysled_osetreni", source, "Vysled_osetreni", kResultLength, false,
                           this);
    preparations_ =
        NewBoundEdit("DBEditPreparaty", source, "Preparaty", kPreparationsLength, false, this);
    preparations_->setToolTip(QStringLiteral("Jednotlivé preparáty oddělujte středníkem ;"));
    nextVisit_ = NewBoundEdit("DBEditDalsi_navsteva", source, "Dalsi_navsteva", 0, false, this);
    note_ = NewBoundMemo("DBMemoPoznamka", source, "Poznamka", 0, this);

    close_ = NewFormButton("BtnClose", QStringLiteral("Zavřít"), this);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoOsetreniEdit::LayOut() {
    const QFontMetrics metrics = fontMetrics();
    const int wideWidth = metrics.horizontalAdvance(QString(36, QLatin1Char('n')));
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("00.00.0000")) + 20;
    grid_->setColumnWidth(0, dateWidth + 20);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setMinimumWidth(dateWidth + 20 + metrics.horizontalAdvance(QString(18, 'n')));
    visitDate_->setFixedWidth(dateWidth);
    nextVisit_->setFixedWidth(dateWidth);
    reason_->setMinimumWidth(metrics.horizontalAdvance(QString(22, QLatin1Char('n'))));
    for (QWidget* wide : {static_cast<QWidget*>(animal_), static_cast<QWidget*>(doctor_),
                          static_cast<QWidget*>(description_), static_cast<QWidget*>(result_),
                          static_cast<QWidget*>(preparations_)}) {
        wide->setMinimumWidth(wideWidth);
    }
    note_->setMinimumHeight(metrics.height() * 5);

    auto* detail = new QGridLayout;
    detail->setColumnStretch(1, 1);
    int row = 0;
    const auto addRow = [&](const QString& caption, QWidget* field, bool narrow) {
        detail->addWidget(NewCaption(caption, field, this), row, 0,
                          field == note_ ? Qt::AlignTop : Qt::Alignment());
        detail->addWidget(field, row++, 1, narrow ? Qt::AlignLeft : Qt::Alignment());
    };
    addRow(QStringLiteral("Registr. jméno  "), animal_, false);
    addRow(QStringLiteral("Lékař"), doctor_, false);
    addRow(QStringLiteral("Návštěva\ndne"), visitDate_, true);
    addRow(QStringLiteral("Důvod"), reason_, true);
    addRow(QStringLiteral("Popis"), description_, false);
    addRow(QStringLiteral("Výsledek"), result_, false);
    addRow(QStringLiteral("Použité\npreparáty"), preparations_, false);
    addRow(QStringLiteral("Další\nnávštěva"), nextVisit_, true);
    addRow(QStringLiteral("Poznámka"), note_, false);

    auto* body = new QHBoxLayout;
    body->addWidget(grid_);
    body->addLayout(detail, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(navigator_);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
}

void TFoOsetreniEdit::done(int result) {
    if (!PostPendingEdit(dm_.TaOsetreni)) {
        return;
    }
    QDialog::done(result);
}
