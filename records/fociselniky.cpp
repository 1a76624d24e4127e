#include "records/fociselniky.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/code_lists_opener.h"
#include "app/dmunit.h"
#include "controls/db_grid.h"
#include "controls/db_navigator.h"
#include "platform/widgets/dialogs.h"
#include "records/entry_form_parts.h"

namespace {

constexpr int kHelpTopic = 501;

constexpr TButtonSet kNavigatorButtons = kAllNavButtons & ~NavButton(nbRefresh);

}  // namespace

TFociselniky::TFociselniky(TDM1& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("Fociselniky"));
    setWindowTitle(QStringLiteral("Číselníky"));
    OpenIfClosed(dm_.TaPlemeno);
    dm_.TaPlemeno.First();
    BuildControls();
    LayOut();
}

void TFociselniky::BuildControls() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    auto* breeds = new QWidget(tabs_);
    breeds->setObjectName(QStringLiteral("TabPlemena"));
    tabs_->addTab(breeds, QStringLiteral("Plemena"));

    navigator_ = new TDBNavigatorKopa(breeds);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->SetVisibleButtons(kNavigatorButtons);
    navigator_->SetDataSource(&dm_.SoPlemeno);

    grid_ = new TDbGridKOPA(breeds);
    grid_->setObjectName(QStringLiteral("DBGridPlemena"));
    grid_->SetDataSource(&dm_.SoPlemeno);
    grid_->SetColumns(
        {QStringLiteral("Ukazat"), QStringLiteral("Plemeno"), QStringLiteral("Poznamka")});
    grid_->SetColumnTitle(0, QStringLiteral("Do výběru"));
    grid_->SetColumnTitle(2, QStringLiteral("Poznámka"));

    auto* page = new QVBoxLayout(breeds);
    page->addWidget(navigator_);
    page->addWidget(grid_, 1);

    close_ = NewFormButton("BtnZavrit", QStringLiteral("Zavřít"), this);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void TFociselniky::LayOut() {
    QToolButton* help = NewHelpButton(kHelpTopic, this);

    const QFontMetrics metrics = fontMetrics();
    grid_->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("Do výběru")) + 24);
    grid_->setColumnWidth(1, metrics.horizontalAdvance(QString(30, QLatin1Char('n'))));
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close_);
    bottom->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(bottom);
    resize(metrics.horizontalAdvance(QString(90, QLatin1Char('n'))), metrics.height() * 26);
}

void TFociselniky::done(int result) {
    if (!PostPendingEdit(dm_.TaPlemeno)) {
        return;
    }
    QDialog::done(result);
}

void InstallCodeLists() {
    SetCodeListsOpener([](TDM1& dm, QWidget* parent) {
        TFociselniky form(dm, parent);
        platform::ExecModal(form);
    });
}
