#include "app/fouvod.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/aboutbox.h"
#include "app/closing_sequence.h"
#include "app/code_lists_opener.h"
#include "app/dmunit.h"
#include "app/fodiar.h"
#include "app/foparametry.h"
#include "app/fostatistika.h"
#include "app/foupozorneni.h"
#include "app/help_topics.h"
#include "app/kennel_site_export.h"
#include "app/launcher_background.h"
#include "app/old_installation_takeover.h"
#include "app/parametry.h"
#include "app/picture_fit.h"
#include "app/record_sheet_view.h"
#include "app/shared_messages.h"
#include "app/window_placement.h"
#include "platform/czech_locale.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/paint/qpainter_canvas.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"

namespace {

constexpr int kMinimumScreenWidth = 800;
constexpr int kHintDurationMs = 6000;
constexpr int kHelpTopic = 100;
constexpr QSize kLauncherSize(680, 480);
constexpr QSize kButtonSize(170, 44);

// The window's client area: the tiled background under everything.
class TiledBackground : public QWidget {
  public:
    explicit TiledBackground(QWidget* parent) : QWidget(parent), tile_(LauncherTile()) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        DrawTiles(painter, tile_, size());
    }

  private:
    QPixmap tile_;
};

// The launcher picture, centred with its aspect kept on a transparent ground.
class PictureView : public QWidget {
  public:
    PictureView(const platform::Picture& picture, QWidget* parent)
        : QWidget(parent), picture_(picture) {
        setObjectName(QStringLiteral("Image1"));
        setAttribute(Qt::WA_TranslucentBackground);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.IsEmpty()) {
            return;
        }
        QPainter painter(this);
        platform::QPainterCanvas canvas(&painter);
        picture_.Draw(canvas, FitCentred(QSize(picture_.Width(), picture_.Height()), rect()));
    }

  private:
    const platform::Picture& picture_;
};

QToolButton* NewButton(const char* name, const QString& caption, const QString& hint,
                       QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolTipDuration(kHintDurationMs);
    button->setFixedSize(kButtonSize);
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    return button;
}

QAction* NewAction(const char* name, const QString& caption, QObject* parent) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

TFoUvod::TFoUvod(TFoParametry* parametry, QWidget* parent)
    : QMainWindow(parent), parametry_(parametry) {
    setObjectName(QStringLiteral("FoUvod"));
    setWindowTitle(QStringLiteral("Expedice"));
    WarnAboutSmallScreen();
    platform::InstallProgramLocale();

    auto* background = new TiledBackground(this);
    background->setObjectName(QStringLiteral("Background"));
    LoadPicture();
    auto* layout = new QHBoxLayout(background);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(16);
    layout->addWidget(BuildButtons(background));
    layout->addWidget(new PictureView(picture_, background), 1);
    setCentralWidget(background);
    BuildMenu();

    resize(kLauncherSize);
    PlaceWindow(*this);
}

void TFoUvod::WarnAboutSmallScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().width() < kMinimumScreenWidth) {
        platform::ShowMessage(
            QStringLiteral(
                "Zvětšete velikost rozlišení obrazovky alespoň na 800x600 pixelů .\n   "),
            QString(), platform::MessageIcon::Error, platform::mbOK);
    }
}

void TFoUvod::LoadPicture() {
    const QString folder = platform::OtherFolder();
    const QString emf = platform::FileInFolder(folder, QStringLiteral("uvod.emf"));
    const QString bmp = platform::FileInFolder(folder, QStringLiteral("uvod.bmp"));
    // Unreadable pictures are ignored: the launcher then shows none.
    if (!(QFileInfo::exists(emf) && picture_.LoadFromFile(emf)) && QFileInfo::exists(bmp)) {
        picture_.LoadFromFile(bmp);
    }
}

QWidget* TFoUvod::BuildButtons(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("PanelButtons"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    const struct {
        const char* name;
        QString caption;
        QString hint;
        void (TFoUvod::*click)();
    } buttons[] = {
        {"BtnEvidence", QStringLiteral("Evidence"),
         QStringLiteral("Zápis do hlavního evidenčního listu a pomocné evidence"),
         &TFoUvod::BtnEvidenceClick},
        {"BtnTisk", QStringLiteral("Tiskové výstupy"), QStringLiteral("Evidenční list\nzápis"),
         &TFoUvod::BtnTiskClick},
        {"BtnDiar", QStringLiteral("Diář"),
         QStringLiteral("Co je po termínu a co přijde: návštěvy lékaře, vrhy, hárání, "
                        "připomínky"),
         &TFoUvod::BtnDiarClick},
        {"BtnStatistika", QStringLiteral("Statistika chovu"),
         QStringLiteral("Grafy vrhů, štěňat, příbuzenské plemenitby, výstav a věku matek"),
         &TFoUvod::BtnStatistikaClick},
        {"SpeedButton2", QStringLiteral("Adresář"), QStringLiteral("Seznam firem"),
         &TFoUvod::SpeedButton2Click},
        {"SpeedButton7", QStringLiteral("Číselníky "),
         QStringLiteral("Prohlížení a úpravy číselníku dokladů,provozoven a prodejen"),
         &TFoUvod::SpeedButton7Click},
        {"SpeedButton6", QStringLiteral("Parame&try"), QStringLiteral("Nastavení parametrů "),
         &TFoUvod::SpeedButton6Click},
        {"SpeedButton4", QStringLiteral("&Konec"), QStringLiteral("Ukončení programu"),
         &TFoUvod::SpeedButton4Click},
    };
    for (const auto& entry : buttons) {
        QToolButton* button = NewButton(entry.name, entry.caption, entry.hint, panel);
        connect(button, &QToolButton::clicked, this, entry.click);
        column->addWidget(button);
    }
    column->addStretch();
    return panel;
}

void TFoUvod::BuildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Soubor"));
    file->setObjectName(QStringLiteral("MenuSoubor"));
    QAction* takeOver =
        NewAction("MenuPrevzitData", QStringLiteral("Převzít data z dřívější instalace..."), this);
    connect(takeOver, &QAction::triggered, this, &TFoUvod::MenuPrevzitDataClick);
    file->addAction(takeOver);
    QAction* site =
        NewAction("MenuWebStranky", QStringLiteral("Webové stránky chovné stanice..."), this);
    connect(site, &QAction::triggered, this, &TFoUvod::MenuWebStrankyClick);
    file->addAction(site);
    file->addSeparator();
    QAction* quit = NewAction("MenuKonecAplikace", QStringLiteral("Konec aplikace"), this);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    file->addAction(quit);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Nápověda"));
    help->setObjectName(QStringLiteral("MenuNapoveda"));
    QAction* topics = NewAction("MenuHarvelNapoveda", QStringLiteral("Harvel nápověda"), this);
    connect(topics, &QAction::triggered, this, &TFoUvod::ShowHelp);
    help->addAction(topics);
    QAction* about = NewAction("MenuOAplikaci", QStringLiteral("O aplikaci"), this);
    connect(about, &QAction::triggered, this, &TFoUvod::ShowAbout);
    help->addAction(about);
}

void TFoUvod::BtnDiarClick() {
    if (dataModule_ == nullptr) {
        ShowNotAvailableYet();
        return;
    }
    TFoDiar diary(
        *dataModule_,
        [this](const QString& name) {
            if (recordSheet_ == nullptr) {
                return;
            }
            try {
                dataModule_->TaMain_Card.Open();
                if (!dataModule_->TaMain_Card.Locate(QStringLiteral("Jmeno_registr"), name)) {
                    platform::ShowMessage(QStringLiteral("Nebyl nalezen žádný záznam"), QString(),
                                          platform::MessageIcon::Information, platform::mbOK);
                    return;
                }
            } catch (const platform::StoreError& error) {
                platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error,
                                      platform::mbOK);
                return;
            }
            recordSheet_->ShowEntry(TRecordSheetEntry::reEdit);
        },
        this);
    platform::ExecModal(diary);
}

void TFoUvod::BtnStatistikaClick() {
    if (dataModule_ == nullptr) {
        ShowNotAvailableYet();
        return;
    }
    TFoStatistika statistics(*dataModule_, this);
    platform::ExecModal(statistics);
}

void TFoUvod::ShowDueReminders(diary::DueReading* reading) {
    if (dataModule_ != nullptr && ShowDueAtStart(reading, CurrentParametry().UpozornitDni, this)) {
        BtnDiarClick();
    }
}

void TFoUvod::MenuPrevzitDataClick() {
    TakeOverOldInstallation(this, dataModule_);
}

void TFoUvod::MenuWebStrankyClick() {
    if (dataModule_ == nullptr) {
        ShowNotAvailableYet();
        return;
    }
    WriteKennelSiteFromLauncher(*dataModule_, this);
}

void TFoUvod::BtnEvidenceClick() {
    if (recordSheet_ == nullptr) {
        ShowNotAvailableYet();
        return;
    }
    recordSheet_->ShowEntry(TRecordSheetEntry::reEdit);
}

void TFoUvod::BtnTiskClick() {
    if (recordSheet_ == nullptr) {
        ShowNotAvailableYet();
        return;
    }
    recordSheet_->ShowEntry(TRecordSheetEntry::rePrints);
}

// The address book opened for browsing: the chosen entry is not used.
void TFoUvod::SpeedButton2Click() {
    if (dataModule_ == nullptr) {
        ShowNotAvailableYet();
        return;
    }
    dataModule_->AddressLookup(QString());
}

// The code lists: the breed list that feeds the record sheet's breed choice.
void TFoUvod::SpeedButton7Click() {
    if (dataModule_ == nullptr || !OpenCodeLists(*dataModule_, this)) {
        ShowNotAvailableYet();
    }
}

void TFoUvod::SpeedButton6Click() {
    if (parametry_) {
        platform::ExecModal(*parametry_);
    }
}

void TFoUvod::SpeedButton4Click() {
    CloseWithSequence(*this);
}

void TFoUvod::ShowHelp() {
    ShowHelpTopic(kHelpTopic);
}

void TFoUvod::ShowAbout() {
    TAboutBox1 about(this);
    platform::ExecModal(about);
}

void TFoUvod::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        emit Closed();
    }
}
