#include "app/takeover_progress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TFoPrevzeti::TFoPrevzeti(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoPrevzeti"));
    setWindowTitle(QStringLiteral("Převzetí dat z dřívější instalace"));
    auto* layout = new QVBoxLayout(this);
    LabelTabulka_ = new QLabel(QStringLiteral("Čtu tabulky dřívější instalace..."), this);
    LabelTabulka_->setObjectName(QStringLiteral("LabelTabulka"));
    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setMinimumWidth(360);
    LabelTabulka_->setBuddy(ProgressBar1_);
    BtnPrerusit_ = new QPushButton(QStringLiteral("Přerušit"), this);
    BtnPrerusit_->setObjectName(QStringLiteral("BtnPrerusit"));
    connect(BtnPrerusit_, &QPushButton::clicked, this, [this] {
        interrupted_ = true;
        BtnPrerusit_->setEnabled(false);
    });
    layout->addWidget(LabelTabulka_);
    layout->addWidget(ProgressBar1_);
    layout->addWidget(BtnPrerusit_, 0, Qt::AlignHCenter);
}

bool TFoPrevzeti::Progress(const platform::paradox::ImportProgress& progress) {
    LabelTabulka_->setText(QStringLiteral("Přebírám tabulku %1 (%2 z %3 řádků)")
                               .arg(progress.table)
                               .arg(progress.rowsDone)
                               .arg(progress.rowsTotal));
    ProgressBar1_->setMaximum(std::max(progress.rowsTotal, 1));
    ProgressBar1_->setValue(std::min(progress.rowsDone, progress.rowsTotal));
    QCoreApplication::processEvents();
    return !interrupted_;
}
