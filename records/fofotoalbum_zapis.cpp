#include "records/fofotoalbum_zapis.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "controls/db_image.h"
#include "controls/led_lamp.h"
#include "platform/store/field.h"
#include "platform/widgets/dialogs.h"
#include "records/entry_form_parts.h"

namespace {

constexpr int kHelpTopic = 308;
constexpr QSize kPictureArea(430, 300);
const QString kRegisteredName = QStringLiteral("Jmeno_registr");

}  // namespace

TFoFotoAlbum_Zapis::TFoFotoAlbum_Zapis(TDM1& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("FoFotoAlbum_Zapis"));
    setWindowTitle(QStringLiteral("Fotoalbum zápis"));
    BuildControls();
    LayOut();
}

int TFoFotoAlbum_Zapis::ShowFor(TDM1& dm, const QString& registeredName, QWidget* parent) {
    TFoFotoAlbum_Zapis form(dm, parent);
    platform::Table& album = dm.TaFoto_Album;
    OpenIfClosed(album);
    if (!album.Locate(kRegisteredName, registeredName)) {
        album.Append();
        album.FieldByName(kRegisteredName).SetAsString(registeredName);
        form.Ledka->SetLedStatus(IsBlink);
    }
    form.Jmeno_registr->setText(registeredName);
    return platform::ExecModal(form);
}

void TFoFotoAlbum_Zapis::BuildControls() {
    Jmeno_registr = NewRegisteredNameLabel("Jmeno_registr", this);

    Ledka = new TLedka(this);
    Ledka->setObjectName(QStringLiteral("Ledka1"));
    Ledka->setToolTip(QStringLiteral("signalizace nového záznamu"));

    image_ = new TDBImageAspect(this);
    image_->setObjectName(QStringLiteral("DBImage1"));
    image_->SetCenter(true);
    image_->SetStretch(true);
    image_->SetDataSource(&dm_.SoFoto_Album);
    image_->SetDataField(QStringLiteral("Foto_1"));
    const int frame = image_->frameWidth();
    image_->setFixedSize(kPictureArea + QSize(2 * frame, 2 * frame));

    fit_ = new TCheckboxMy(this);
    fit_->setObjectName(QStringLiteral("CheckBoxRozmer"));
    fit_->setText(QStringLiteral("Obraz do daného rozměru"));
    fit_->setChecked(true);
    connect(fit_, &QCheckBox::toggled, this, [this](bool fitted) { image_->SetStretch(fitted); });

    sizeHint_ = new QLabel(QStringLiteral("Ideální rozměry 430*300 pixelů / 256 barev"), this);
    sizeHint_->setObjectName(QStringLiteral("LabelRozmery"));

    fromFile_ = NewFormButton("BtnZeSouboru", QStringLiteral("Vložit ze souboru"), this);
    fromClipboard_ = NewFormButton("BtnZeSchranky", QStringLiteral("Vložit ze schránky "), this);
    toClipboard_ = NewFormButton("BtnDoSchranky", QStringLiteral("Vyjmout do schránky "), this);
    zapis_ = NewFormButton("BtnZapis", QStringLiteral("Zápis"), this);
    storno_ = NewFormButton("BtnStorno", QStringLiteral("Storno"), this);
    connect(fromFile_, &QPushButton::clicked, this, &TFoFotoAlbum_Zapis::FromFileClick);
    connect(fromClipboard_, &QPushButton::clicked, this, &TFoFotoAlbum_Zapis::FromClipboardClick);
    connect(toClipboard_, &QPushButton::clicked, this, &TFoFotoAlbum_Zapis::ToClipboardClick);
    connect(zapis_, &QPushButton::clicked, this, &TFoFotoAlbum_Zapis::ZapisClick);
    connect(storno_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFoFotoAlbum_Zapis::LayOut() {
    QToolButton* help = NewHelpButton(kHelpTopic, this);

    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("Registr. jméno  "), this));
    name->addWidget(Jmeno_registr, 1);
    name->addWidget(Ledka);

    auto* picture = new QVBoxLayout;
    picture->addWidget(image_);
    picture->addWidget(fit_);
    picture->addWidget(sizeHint_);

    auto* actions = new QVBoxLayout;
    actions->addWidget(fromFile_);
    actions->addWidget(fromClipboard_);
    actions->addWidget(toClipboard_);
    actions->addStretch();

    auto* body = new QHBoxLayout;
    body->addLayout(picture);
    body->addSpacing(8);
    body->addLayout(actions);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(zapis_);
    bottom->addStretch();
    bottom->addWidget(storno_);
    bottom->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFoFotoAlbum_Zapis::FromFileClick() {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Open;
    request.caption = QStringLiteral("Vložit obrázek ze souboru");
    // Every picture kind first, so a phone's photos show at once.
    request.filter = QStringLiteral(
        "Obrázky (*.jpg *.jpeg *.png *.bmp);;Bitmaps (*.bmp);;JPG (*.jpg *.jpeg);;PNG (*.png)");
    const QString fileName = platform::AskFileName(request, this);
    if (fileName.isEmpty()) {
        return;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowErrorBox(
            QStringLiteral("Soubor %1 nelze otevřít: %2").arg(fileName, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (!image_->SetPictureData(bytes)) {
        ShowErrorBox(QStringLiteral("Soubor %1 neobsahuje obrázek ve formátu BMP, JPG ani PNG")
                         .arg(fileName));
    }
}

void TFoFotoAlbum_Zapis::FromClipboardClick() {
    if (QApplication::clipboard()->image().isNull()) {
        ShowErrorBox(QStringLiteral("Ve schránce není žádný obrázek"));
        return;
    }
    image_->PasteFromClipboard();
}

void TFoFotoAlbum_Zapis::ToClipboardClick() {
    if (image_->Picture().isNull()) {
        ShowErrorBox(QStringLiteral("Není vložen žádný obrázek"));
        return;
    }
    image_->CutToClipboard();
}

// Writes the album row the form changed; a refusal keeps the form open.
void TFoFotoAlbum_Zapis::ZapisClick() {
    if (PostPendingEdit(dm_.TaFoto_Album)) {
        accept();
    }
}
