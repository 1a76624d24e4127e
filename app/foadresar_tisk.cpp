#include "app/foadresar_tisk.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/address_print.h"
#include "app/dmunit.h"
#include "app/foadresar.h"
#include "app/parametry.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/sheets/sheet_export.h"
#include "platform/widgets/dialogs.h"

namespace {

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TFoAdresarTisk::TFoAdresarTisk(TDM1& dm, QWidget* parent)
    : QDialog(parent), dm_(dm), entries_(dm.Database1) {
    setObjectName(QStringLiteral("FoAdresarTisk"));
    setWindowTitle(QStringLiteral("Tisk adresáře"));
    entries_.FieldSetup(QStringLiteral("Typ")).onGetText = AddressKindText;
    BuildControls();
}

void TFoAdresarTisk::BuildControls() {
    kinds_ = new QComboBox(this);
    kinds_->setObjectName(QStringLiteral("DruhAdresy"));
    kinds_->addItem(QStringLiteral("Všechny druhy"));
    kinds_->addItems(TFoAdresar::Kinds());
    templates_ = new QComboBox(this);
    templates_->setObjectName(QStringLiteral("Predloha"));
    for (const TPrintTemplate& entry : AddressPrintSource().templates) {
        templates_->addItem(entry.caption);
    }
    auto* form = new QFormLayout;
    auto* kindLabel = new QLabel(QStringLiteral("&Druh adresy"), this);
    kindLabel->setBuddy(kinds_);
    auto* templateLabel = new QLabel(QStringLiteral("&Předloha"), this);
    templateLabel->setBuddy(templates_);
    form->addRow(kindLabel, kinds_);
    form->addRow(templateLabel, templates_);

    QPushButton* preview = Button(this, "BtnNahled", QStringLiteral("Náhled"));
    QPushButton* print = Button(this, "BtnTisk", QStringLiteral("Tisk"));
    QPushButton* sheet = Button(this, "BtnUlozitTabulku", QStringLiteral("Uložit jako tabulku..."));
    QPushButton* close = Button(this, "BtnZavrit", QStringLiteral("Zavřít"));
    connect(preview, &QPushButton::clicked, this, &TFoAdresarTisk::PreviewEntries);
    connect(print, &QPushButton::clicked, this, &TFoAdresarTisk::PrintEntries);
    connect(sheet, &QPushButton::clicked, this, &TFoAdresarTisk::SaveEntriesAsSheet);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {preview, print, sheet}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

platform::DataSet& TFoAdresarTisk::Entries() {
    entries_.Close();
    entries_.SetSQL(TDM1::BookQueryLines(tzAdresar, AddressListOrder(),
                                         AddressKindClause(kinds_->currentIndex() - 1)));
    entries_.Open();
    return entries_;
}

// Points the report at the entries and the chosen template; false (said)
// when the list cannot be read.
bool TFoAdresarTisk::PrepareReport() {
    try {
        Entries();
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
        return false;
    }
    report_.SetDataSource(&source_);
    report_.SetReportDir(platform::TemplateFolder());
    report_.ReportDirIgnore = false;
    report_.IsStored = false;
    report_.SetReportName(AddressPrintSource().templates.at(templates_->currentIndex()).file);
    report_.SetParametry({CurrentParametry().Chovatel});
    return true;
}

void TFoAdresarTisk::PreviewEntries() {
    if (PrepareReport()) {
        report_.Preview();
    }
}

void TFoAdresarTisk::PrintEntries() {
    if (PrepareReport()) {
        report_.Print();
    }
}

void TFoAdresarTisk::SaveEntriesAsSheet() {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.caption = QStringLiteral("Uložit jako tabulku");
    request.directory = QDir::home().filePath(QStringLiteral("Adresar.xlsx"));
    request.filter = QStringLiteral("Sešit Excel (*.xlsx);;Text CSV se středníky (*.csv)");
    request.defaultSuffix = QStringLiteral("xlsx");
    const QString file = platform::AskFileName(request, this);
    if (file.isEmpty()) {
        return;
    }
    platform::SheetResult result;
    try {
        result = platform::WriteSheet(Entries(), file, platform::SheetFormatOfFile(file),
                                      AddressPrintSource().caption);
    } catch (const platform::StoreError& error) {
        result.error = error.Message();
    }
    if (!result.Ok()) {
        ShowError(QStringLiteral("Tabulku „%1“ se nepodařilo uložit: %2")
                      .arg(QDir::toNativeSeparators(file), result.error));
        return;
    }
    QString text = QStringLiteral("Adresář (%1 řádků) byl uložen do souboru „%2“.")
                       .arg(result.rows)
                       .arg(QDir::toNativeSeparators(file));
    for (const QString& note : result.notes) {
        text += u'\n' + note;
    }
    platform::ShowMessage(text, QStringLiteral("Informace"), platform::MessageIcon::Information,
                          platform::mbOK);
}
