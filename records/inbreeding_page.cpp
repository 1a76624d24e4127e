#include "records/inbreeding_page.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

TInbreedingPage::TInbreedingPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    animal_ = new QLabel(this);
    animal_->setObjectName(QStringLiteral("LabelZvire"));
    QFont bold = animal_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    animal_->setFont(bold);
    layout->addWidget(animal_);

    figures_ = new QGridLayout;
    figures_->setColumnStretch(1, 1);
    f_ = AddFigure("LabelKoeficient",
                   QStringLiteral("Koeficient příbuzenské plemenitby (všechny generace):"));
    f10_ = AddFigure("LabelKoeficient10", QStringLiteral("Koeficient přes 10 generací:"));
    f5_ = AddFigure("LabelKoeficient5", QStringLiteral("Koeficient přes 5 generací:"));
    generations_ = AddFigure("LabelGenerace", QStringLiteral("Známé generace:"));
    completeness_ = AddFigure("LabelUplnost", QStringLiteral("Úplnost rodokmenu po generacích:"));
    completeness_->setWordWrap(true);
    loss_ = AddFigure("LabelZtrataPredku", QStringLiteral("Ztráta předků (5 generací):"));
    layout->addLayout(figures_);

    auto* commonCaption = new QLabel(QStringLiteral("Společní předci otce a matky:"), this);
    layout->addWidget(commonCaption);
    common_ = new QTableWidget(0, 3, this);
    common_->setObjectName(QStringLiteral("TableSpolecniPredci"));
    common_->setHorizontalHeaderLabels({QStringLiteral("Společný předek"),
                                        QStringLiteral("Generace (otec / matka)"),
                                        QStringLiteral("Podíl na koeficientu")});
    common_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    common_->setSelectionBehavior(QAbstractItemView::SelectRows);
    common_->verticalHeader()->hide();
    common_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    common_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    common_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    commonCaption->setBuddy(common_);
    layout->addWidget(common_, 1);

    problems_ = new QLabel(this);
    problems_->setObjectName(QStringLiteral("LabelUpozorneni"));
    problems_->setWordWrap(true);
    problems_->setStyleSheet(QStringLiteral("color: #a00000"));
    layout->addWidget(problems_);
}

QLabel* TInbreedingPage::AddFigure(const char* name, const QString& caption) {
    const int row = figures_->rowCount();
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromLatin1(name));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* label = new QLabel(caption, this);
    label->setBuddy(value);
    figures_->addWidget(label, row, 0, Qt::AlignTop);
    figures_->addWidget(value, row, 1, Qt::AlignTop);
    return value;
}

QString TInbreedingPage::Percent(double coefficient) {
    const double percent = coefficient * 100.0;
    return QString::number(percent > -0.005 && percent < 0.005 ? 0.0 : percent, 'f', 2) +
           QStringLiteral(" %");
}

void TInbreedingPage::ShowFigures(const QString& animal,
                                  const pedigree::TInbreedingFigures& figures,
                                  const QStringList& problems) {
    animal_->setText(animal);
    f_->setText(Percent(figures.f));
    f10_->setText(Percent(figures.f10));
    f5_->setText(Percent(figures.f5));
    generations_->setText(QStringLiteral("%1, z toho úplných %2")
                              .arg(figures.generations)
                              .arg(figures.completeGenerations));
    QStringList shares;
    for (size_t g = 0; g < figures.completeness.size() && g < 10; ++g) {
        shares << QStringLiteral("%1: %2").arg(g + 1).arg(Percent(figures.completeness[g]));
    }
    if (figures.completeness.size() > 10) {
        shares << QStringLiteral("…");
    }
    completeness_->setText(shares.isEmpty() ? QStringLiteral("rodiče nejsou známi")
                                            : shares.join(QStringLiteral(", ")));
    loss_->setText(QStringLiteral("%1 různých předků z 62 (%2)")
                       .arg(figures.distinctAncestors5)
                       .arg(Percent(figures.ancestorLoss5)));
    ShowCommonAncestors(figures);
    problems_->setText(problems.isEmpty() ? QString()
                                          : QStringLiteral("Upozornění: ") +
                                                problems.join(QStringLiteral("\nUpozornění: ")));
}

void TInbreedingPage::ShowCommonAncestors(const pedigree::TInbreedingFigures& figures) {
    common_->setRowCount(static_cast<int>(figures.common.size()));
    for (int row = 0; row < static_cast<int>(figures.common.size()); ++row) {
        const pedigree::TCommonAncestor& ancestor = figures.common[row];
        common_->setItem(row, 0, new QTableWidgetItem(ancestor.name));
        auto* generations = new QTableWidgetItem(
            QStringLiteral("%1 / %2").arg(ancestor.sireGeneration).arg(ancestor.damGeneration));
        generations->setTextAlignment(Qt::AlignCenter);
        common_->setItem(row, 1, generations);
        auto* share = new QTableWidgetItem(Percent(ancestor.contribution));
        share->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        common_->setItem(row, 2, share);
    }
}
