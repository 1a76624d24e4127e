#include "records/foosetreniedit.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "controls/db_grid.h"
#include "controls/db_memo.h"
#include "controls/k_db_edit.h"
#include "records/bound_parts.h"
#include "records/entry_form_parts.h"

TFoOsetreniEdit::TFoOsetreniEdit(TDM1& dm, QWidget* parent)
    : TBoundEditDialog(QStringLiteral("FoOsetreniEdit"), QStringLiteral("Návštěva lékaře - úpravy"),
                       dm.TaOsetreni, dm.SoOsetreni,
                       {{QStringLiteral("Datum_osetreni"), QStringLiteral("Datum ošetř.")},
                        {QStringLiteral("Duvod_osetreni"), QStringLiteral("Důvod")}},
                       parent) {
    Grid()->ConfirmDelete = true;
    BuildControls();
    LayOut();
}

void TFoOsetreniEdit::BuildControls() {
    // The text fields take as many characters as their columns hold.
    platform::DataSource& source = Source();
    animal_ = NewBoundNameLabel("DBEditJmeno_registr", source, this);
    doctor_ = NewBoundEdit("DBEditLekar", source, "Lekar", 0, false, this);
    visitDate_ = NewBoundEdit("DBEditDatum_osetreni", source, "Datum_osetreni", 0, false, this);
    reason_ = NewBoundCombo("DBComboDuvod_osetreni", source, "Duvod_osetreni", {}, this);
    description_ = NewBoundEdit("DBEditPopis_osetreni", source, "Popis_osetreni", 0, false, this);
    result_ = NewBoundEdit("DBEditVysled_osetreni", source, "Vysled_osetreni", 0, false, this);
    preparations_ = NewBoundEdit("DBEditPreparaty", source, "Preparaty", 0, false, this);
    preparations_->setToolTip(QStringLiteral("Jednotlivé preparáty oddělujte středníkem ;"));
    nextVisit_ = NewBoundEdit("DBEditDalsi_navsteva", source, "Dalsi_navsteva", 0, false, this);
    note_ = NewBoundMemo("DBMemoPoznamka", source, "Poznamka", 0, this);
}

void TFoOsetreniEdit::LayOut() {
    const QFontMetrics metrics = fontMetrics();
    const int wideWidth = metrics.horizontalAdvance(QString(36, QLatin1Char('n')));
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("00.00.0000")) + 20;
    Grid()->setColumnWidth(0, dateWidth + 20);
    Grid()->horizontalHeader()->setStretchLastSection(true);
    Grid()->setMinimumWidth(dateWidth + 20 + metrics.horizontalAdvance(QString(18, 'n')));
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
    LayOutAround(detail);
}
