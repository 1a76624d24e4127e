#include "records/fovrhyedit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>

#include "app/dmunit.h"
#include "controls/db_grid.h"
#include "controls/db_memo.h"
#include "controls/k_db_edit.h"
#include "records/bound_parts.h"
#include "records/entry_form_parts.h"

TFoVrhyEdit::TFoVrhyEdit(TDM1& dm, QWidget* parent)
    : TBoundEditDialog(QStringLiteral("FoVrhyEdit"), QStringLiteral("Vrhy - úpravy"), dm.TaVrhy,
                       dm.SoVrhy,
                       {{QStringLiteral("Datum"), QString()},
                        {QStringLiteral("Jmeno_reg_otec"), QStringLiteral("Otec")}},
                       parent) {
    BuildControls();
    LayOut();
}

void TFoVrhyEdit::BuildControls() {
    platform::DataSource& source = Source();
    dam_ = NewBoundNameLabel("DBEditJmeno_registr", source, this);
    sire_ = NewBoundEdit("DBEditJmeno_reg_otec", source, "Jmeno_reg_otec", 0, false, this);
    breed_ = NewBoundEdit("DBEditPlemeno", source, "Plemeno", 0, false, this);
    birth_ = NewBoundEdit("DBEditDatum", source, "Datum", 0, true, this);
    males_ = NewBoundEdit("DBEditPocet_stenat_P", source, "Pocet_stenat_P", 0, true, this);
    females_ = NewBoundEdit("DBEditPocet_stenat_F", source, "Pocet_stenat_F", 0, true, this);
    names_ = NewBoundMemo("DBMemoJmenaStenat", source, "JmenaStenat", 0, this);
    note_ = NewBoundMemo("DBMemoPoznamka", source, "Poznamka", 0, this);
}

void TFoVrhyEdit::LayOut() {
    const int nameWidth = fontMetrics().horizontalAdvance(QString(30, QLatin1Char('n')));
    const int countWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16;
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 24;
    Grid()->setMinimumWidth(nameWidth + dateWidth + 60);
    Grid()->setColumnWidth(0, dateWidth);
    Grid()->horizontalHeader()->setStretchLastSection(true);
    for (QWidget* wide : {static_cast<QWidget*>(dam_), static_cast<QWidget*>(sire_),
                          static_cast<QWidget*>(breed_)}) {
        wide->setMinimumWidth(nameWidth);
    }
    birth_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 20);
    males_->setFixedWidth(countWidth);
    females_->setFixedWidth(countWidth);
    names_->setMinimumHeight(fontMetrics().height() * 6);
    note_->setMinimumHeight(fontMetrics().height() * 3);

    auto* detail = new QGridLayout;
    detail->setColumnStretch(1, 1);
    int row = 0;
    detail->addWidget(NewCaption(QStringLiteral("Registrované\n jméno matky"), dam_, this), row, 0);
    detail->addWidget(dam_, row++, 1);
    detail->addWidget(NewCaption(QStringLiteral("Registrované\n jméno otce"), sire_, this), row, 0);
    detail->addWidget(sire_, row++, 1);
    detail->addWidget(NewCaption(QStringLiteral("Plemeno"), breed_, this), row, 0);
    detail->addWidget(breed_, row++, 1);
    detail->addWidget(NewCaption(QStringLiteral("Datum porodu"), birth_, this), row, 0);
    detail->addWidget(birth_, row++, 1, Qt::AlignLeft);
    auto* counts = new QHBoxLayout;
    counts->setSpacing(6);
    counts->addWidget(NewCaption(QStringLiteral("Pes"), males_, this));
    counts->addWidget(males_);
    counts->addSpacing(16);
    counts->addWidget(NewCaption(QStringLiteral("Fena"), females_, this));
    counts->addWidget(females_);
    counts->addStretch();
    detail->addWidget(NewCaption(QStringLiteral("Počet štěňat "), males_, this), row, 0);
    detail->addLayout(counts, row++, 1);
    detail->addWidget(NewCaption(QStringLiteral("Jména štěňat"), names_, this), row, 0,
                      Qt::AlignTop);
    detail->addWidget(names_, row++, 1);
    detail->addWidget(NewCaption(QStringLiteral("Poznámka"), note_, this), row, 0, Qt::AlignTop);
    detail->addWidget(note_, row++, 1);

    LayOutAround(detail);
    resize(nameWidth * 3, fontMetrics().height() * 30);
}
