#include "app/address_pick_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/db_grid.h"

namespace {

struct Column {
    const char* field;
    const char* title;
    int width;
};

const Column kColumns[] = {
    {"Nazev_Key", "Název (klíčový)", 260},
    {"Nazev", "Název", 260},
    {"Obec_1", "Obec", 120},
    {"Telefon_1", "Telefon", 100},
};

}  // namespace

TAddressPickDialog::TAddressPickDialog(platform::DataSource& addresses, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FoAdresarVyber"));
    setWindowTitle(QStringLiteral("Adresář"));
    QStringList fields;
    for (const Column& column : kColumns) {
        fields << QString::fromLatin1(column.field);
    }
    auto* grid = new TDbGridKOPA(this);
    grid->setObjectName(QStringLiteral("DBGridAdresar"));
    grid->SetDataSource(&addresses);
    grid->SetColumns(fields);
    grid->SetRowSelect(true);
    grid->SetReadOnly(true);
    grid->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        grid->SetColumnTitle(i, QString::fromUtf8(kColumns[i].title));
        grid->setColumnWidth(i, kColumns[i].width);
    }
    connect(grid, &QAbstractItemView::doubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BtnOK"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BtnStorno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid);
    layout->addWidget(buttons);
    resize(860, 440);
}
