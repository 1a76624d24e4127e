#include "app/foparametry.h"

#include <QSpinBox>

#include <QCheckBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/diary_captions.h"
#include "app/help_topics.h"

namespace {

constexpr int kHelpTopic = 502;
constexpr int kKennelNameLength = 60;
constexpr int kHintDurationMs = 6000;

// The hint of the orphan-check box, lines as the user reads them.
QString KontrolaJmenHint() {
    return QStringLiteral(
        "Provádí se kontrola na existenci registrovaného jména.\n"
        "Pokud program nalezne registrované jméno v nějaké pomocné knize, které\n"
        "není v hlavní evidenci, budete na to upozorněni s možností odstranění \n"
        "tohoto záznamu. ");
}

QCheckBox* NewCheck(const char* name, const QString& caption, QWidget* parent) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QString::fromLatin1(name));
    return check;
}

QPushButton* NewButton(const char* name, const QString& caption, const QString& hint,
                       QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setToolTipDuration(kHintDurationMs);
    button->setAutoDefault(false);
    return button;
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = window.frameGeometry();
        placed.moveCenter(screen->availableGeometry().center());
        window.move(placed.topLeft());
    }
}

}  // namespace

TFoParametry::TFoParametry(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoParametry"));
    setWindowTitle(QStringLiteral("Nastavení parametrů"));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl1"));
    BuildTab(tabs);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(BuildButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ShowValues(Parametry());  // the defaults, in force for keys the file lacks
    ReadSettings();
    ApplySettings();
}

QLineEdit* TFoParametry::AddEdit(const char* name, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    MoveBetweenFieldsLikeTab(edit);
    return edit;
}

void TFoParametry::BuildTab(QTabWidget* tabs) {
    auto* page = new QWidget(tabs);
    page->setObjectName(QStringLiteral("TabSheet1"));
    onlineTituly_ = NewCheck("CBOnlineTituly",
                             QStringLiteral("Ukazovat tituly a ocenění v realném čase"), page);
    onlineFoto_ =
        NewCheck("CBOnlineFoto", QStringLiteral("Ukazovat fotografii  v realném čase"), page);
    kontrolaJmen_ =
        NewCheck("CBKontrolaJmen",
                 QStringLiteral("Provádět kontroly pomocných knih při spuštění programu"), page);
    kontrolaJmen_->setToolTip(KontrolaJmenHint());
    kontrolaJmen_->setToolTipDuration(kHintDurationMs);

    jednotkaDelka_ = AddEdit("EdJednotkaDelka", kMaxUnitLength);
    jednotkaHmotnost_ = AddEdit("EdJednotkaHmotnost", kMaxUnitLength);
    chovatel_ = AddEdit("EdChovatel", kKennelNameLength);
    const int unitWidth =
        jednotkaDelka_->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 16;
    jednotkaDelka_->setFixedWidth(unitWidth);
    jednotkaHmotnost_->setFixedWidth(unitWidth);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Jednotka délky (max 3 znaky)"), jednotkaDelka_);
    fields->addRow(QStringLiteral("Jednotka hmotnosti (max 3 znaky)"), jednotkaHmotnost_);
    auto* kennelCaption =
        new QLabel(QStringLiteral("Název chovatelské stanice (tiskne se v záhlaví sestav)"), page);
    kennelCaption->setBuddy(chovatel_);
    fields->addRow(kennelCaption);
    fields->addRow(chovatel_);
    upozornitDni_ = new QSpinBox(page);
    upozornitDni_->setObjectName(QStringLiteral("SpinUpozornitDni"));
    upozornitDni_->setRange(0, kMaxRemindDays);
    upozornitDni_->setToolTip(QStringLiteral("0 = při spuštění neupozorňovat"));
    fields->addRow(diary_captions::RemindDaysAhead(), upozornitDni_);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(onlineTituly_);
    layout->addWidget(onlineFoto_);
    layout->addWidget(kontrolaJmen_);
    layout->addSpacing(8);
    layout->addLayout(fields);
    layout->addStretch();
    tabs->addTab(page, QStringLiteral("Evid. list"));
}

QLayout* TFoParametry::BuildButtons() {
    auto* apply = NewButton("ButtonApli", QStringLiteral("P&oužít"),
                            QStringLiteral("Aktuální nastavení bude použito  pro aplikaci  bez "
                                           "uzavření formuláře"),
                            this);
    auto* ok = NewButton("ButtonOk", QStringLiteral("&OK"),
                         QStringLiteral("Aktuální nastavení bude použito  pro aplikaci  s "
                                        "uzavřením formuláře"),
                         this);
    ok->setDefault(true);
    auto* restore = NewButton("ButtonObn", QStringLiteral("Ob&nov"),
                              QStringLiteral("Obnoví původní nastavení všech parametrů"), this);
    auto* cancel =
        NewButton("ButtonStor", QStringLiteral("&Storno"),
                  QStringLiteral("Obnoví se původní nastavení a zavře se formulář"), this);
    auto* help = new QToolButton(this);
    help->setObjectName(QStringLiteral("BitBtnHelp"));
    help->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    help->setIconSize(QSize(20, 20));
    help->setAutoRaise(true);

    connect(apply, &QPushButton::clicked, this, &TFoParametry::ButtonApliClick);
    connect(ok, &QPushButton::clicked, this, &TFoParametry::ButtonOkClick);
    connect(restore, &QPushButton::clicked, this, &TFoParametry::ButtonObnClick);
    connect(cancel, &QPushButton::clicked, this, &TFoParametry::ButtonStorClick);
    connect(help, &QToolButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });

    auto* row = new QHBoxLayout;
    row->addWidget(help);
    row->addStretch();
    for (QPushButton* button : {apply, ok, restore, cancel}) {
        row->addWidget(button);
    }
    return row;
}

// Enter and the Up/Down keys move between the fields as Tab does.
void TFoParametry::MoveBetweenFieldsLikeTab(QLineEdit* edit) {
    edit->installEventFilter(this);
}

bool TFoParametry::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            focusNextChild();
            return true;
        }
        if (key == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

Parametry TFoParametry::FormValues() const {
    Parametry values;
    values.OnlineTituly = onlineTituly_->isChecked();
    values.OnlineFoto = onlineFoto_->isChecked();
    values.KontrolaJmen = kontrolaJmen_->isChecked();
    values.JednotkaDelka = jednotkaDelka_->text();
    values.JednotkaHmotnost = jednotkaHmotnost_->text();
    values.Chovatel = chovatel_->text();
    values.UpozornitDni = upozornitDni_->value();
    return values;
}

void TFoParametry::ShowValues(const Parametry& settings) {
    onlineTituly_->setChecked(settings.OnlineTituly);
    onlineFoto_->setChecked(settings.OnlineFoto);
    kontrolaJmen_->setChecked(settings.KontrolaJmen);
    jednotkaDelka_->setText(settings.JednotkaDelka);
    jednotkaHmotnost_->setText(settings.JednotkaHmotnost);
    chovatel_->setText(settings.Chovatel);
    upozornitDni_->setValue(settings.UpozornitDni);
}

// The form lives for the whole program, so it is centred whenever it is shown.
void TFoParametry::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

void TFoParametry::ReadSettings() {
    Parametry settings = FormValues();
    ReadParametry(SettingsFilePath(), settings);
    ShowValues(settings);
    CurrentParametry() = FormValues();
}

bool TFoParametry::WriteSettings() {
    return WriteParametry(SettingsFilePath(), FormValues());
}

void TFoParametry::ApplySettings() {
    emit Applied();
}

void TFoParametry::ButtonApliClick() {
    WriteSettings();
    ReadSettings();
    ApplySettings();
}

void TFoParametry::ButtonOkClick() {
    WriteSettings();
    ReadSettings();
    ApplySettings();
    accept();
}

void TFoParametry::ButtonObnClick() {
    ReadSettings();
}

void TFoParametry::ButtonStorClick() {
    reject();
}

// Escape and the window's close button act as "&Storno".
void TFoParametry::reject() {
    ReadSettings();
    QDialog::reject();
}
