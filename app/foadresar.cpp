#include "app/foadresar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/address_links.h"
#include "app/address_print.h"
#include "app/dmunit.h"
#include "app/foadresar_tisk.h"
#include "app/help_topics.h"
#include "controls/db_grid.h"
#include "controls/db_navigator.h"
#include "controls/db_radio_group.h"
#include "controls/field_data_link.h"
#include "controls/k_db_edit.h"
#include "controls/search_field.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "platform/url_opener.h"
#include "platform/widgets/dialogs.h"

#include <sqlite3.h>

namespace {

constexpr int kHelpTopic = 500;
const QString kKeyColumn = QStringLiteral("Nazev_Key");

// A field caption that acts as a link: a click runs OnClick.
class TLinkCaption : public QLabel {
  public:
    TLinkCaption(const QString& text, QWidget* buddy, QWidget* parent) : QLabel(parent) {
        setText(QStringLiteral("<u>%1</u>").arg(text.toHtmlEscaped()));
        setTextFormat(Qt::RichText);
        setBuddy(buddy);
        setCursor(Qt::PointingHandCursor);
        QPalette linkColours = palette();
        linkColours.setColor(QPalette::WindowText, linkColours.color(QPalette::Link));
        setPalette(linkColours);
    }
    std::function<void()> OnClick;

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            OnClick) {
            OnClick();
        }
        QLabel::mouseReleaseEvent(event);
    }
};

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

bool Editing(const platform::DataSet& dataSet) {
    return dataSet.IsActive() && (dataSet.State() == platform::DataSetState::Edit ||
                                  dataSet.State() == platform::DataSetState::Insert);
}

}  // namespace

TFoAdresar::TFoAdresar(TDM1& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("FoAdresar"));
    setWindowTitle(QStringLiteral("Adresář"));
    BuildControls();
    LayOut();
}

QStringList TFoAdresar::Kinds() {
    return AddressKinds();
}

TKDBEditKopa* TFoAdresar::Bound(const char* name, const char* field, int maxLength) {
    auto* edit = new TKDBEditKopa(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->CommaToPoint = false;
    edit->setMaxLength(maxLength);
    edit->Loaded();
    edit->SetDataSource(&dm_.SoAdresar);
    edit->SetDataField(QString::fromLatin1(field));
    return edit;
}

void TFoAdresar::BuildControls() {
    navigator_ = new TDBNavigatorKopa(this);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->SetVisibleButtons(kAllNavButtons & ~NavButton(nbRefresh));
    navigator_->SetDataSource(&dm_.SoAdresar);
    // Its buttons carry captions under their glyphs; the column of groups
    // beside the grid must not squash them below their own height.
    navigator_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    navigator_->OnClickPost = [this](TDBNavigatorKopa*) { PostEntry(); };
    navigator_->OnClick = [this](TDBNavigatorKopa*, TNavigateBtn button) {
        if (button == nbInsert || button == nbEdit) {
            key_->setFocus(Qt::TabFocusReason);
        }
    };

    grid_ = new TDbGridKOPA(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->SetDataSource(&dm_.SoAdresar);
    grid_->SetColumns({kKeyColumn});
    grid_->SetColumnTitle(0, QStringLiteral("Název (klíčový)"));
    grid_->SetRowSelect(true);
    // The entry is edited in its fields; the grid lists, moves and deletes.
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setStretchLastSection(true);
    connect(grid_, &QAbstractItemView::doubleClicked, this, &QDialog::accept);

    search_ = new TSearchField(
        dm_.Database1, [this]() -> platform::DataSet& { return dm_.TaAdresar; }, this,
        AddressTexts());
    search_->setObjectName(QStringLiteral("AddressSearch"));
    search_->Edit()->setToolTip(QStringLiteral(
        "Hledá podle názvu, kontaktní osoby, obce, telefonu nebo e-mailu; Enter najde další"));

    kind_ = new TDBRadioGroupInt(this);
    kind_->setObjectName(QStringLiteral("DBRadioGroupTyp"));
    kind_->setTitle(QStringLiteral("Typ záznamu"));
    kind_->SetItems(Kinds());
    kind_->SetColumns(2);
    kind_->SetDataSource(&dm_.SoAdresar);
    kind_->SetDataField(QStringLiteral("Typ"));

    ok_ = new QPushButton(QStringLiteral("Ok"), this);
    ok_->setObjectName(QStringLiteral("BtnOK"));
    ok_->setAutoDefault(false);
    cancel_ = new QPushButton(QStringLiteral("Storno"), this);
    cancel_->setObjectName(QStringLiteral("BtnStorno"));
    cancel_->setAutoDefault(false);
    print_ = new QPushButton(QStringLiteral("Tisk..."), this);
    print_->setObjectName(QStringLiteral("BtnTiskAdresare"));
    print_->setAutoDefault(false);
    connect(print_, &QPushButton::clicked, this, [this] {
        TFoAdresarTisk printing(dm_, this);
        platform::ExecModal(printing);
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    help_ = new QToolButton(this);
    help_->setObjectName(QStringLiteral("BitBtnHelp"));
    help_->setText(QStringLiteral("Nápověda"));
    help_->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    help_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    help_->setAutoRaise(true);
    connect(help_, &QToolButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
}

QWidget* TFoAdresar::BuildIdentification() {
    auto* group = new QGroupBox(QStringLiteral("Identifikace"), this);
    group->setObjectName(QStringLiteral("GroupBoxIdentifikace"));
    key_ = Bound("DBEditNazev_Key", "Nazev_Key", 50);
    key_->setToolTip(
        QStringLiteral("Jméno (název)  pro vyhledávácí a zařazovací účely.\n"
                       "Jedinečný název v celém adresáři"));
    TKDBEditKopa* name = Bound("DBEditNazev", "Nazev", 50);
    TKDBEditKopa* contact = Bound("DBEditKontakt_osoba", "Kontakt_osoba", 40);
    TKDBEditKopa* ico = Bound("DBEditICO", "ICO", 8);
    TKDBEditKopa* dic = Bound("DBEditDIC", "DIC", 14);
    const QFontMetrics metrics = fontMetrics();
    ico->setFixedWidth(metrics.horizontalAdvance(QString(10, QLatin1Char('0'))) + 12);
    dic->setFixedWidth(metrics.horizontalAdvance(QString(16, QLatin1Char('0'))) + 12);
    for (TKDBEditKopa* wide : {key_, name, contact}) {
        wide->setMinimumWidth(metrics.horizontalAdvance(QString(36, QLatin1Char('n'))));
    }
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    grid->addWidget(Caption(QStringLiteral("Název (klíčový)"), key_, this), 0, 0);
    grid->addWidget(key_, 0, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Název"), name, this), 1, 0);
    grid->addWidget(name, 1, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Kontaktní osoba"), contact, this), 2, 0);
    grid->addWidget(contact, 2, 1, 1, 3);
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(ico);
    numbers->addSpacing(16);
    numbers->addWidget(Caption(QStringLiteral("DIČ"), dic, this));
    numbers->addWidget(dic);
    numbers->addStretch();
    grid->addWidget(Caption(QStringLiteral("IČO"), ico, this), 3, 0);
    grid->addLayout(numbers, 3, 1, 1, 3);
    return group;
}

QWidget* TFoAdresar::BuildAddresses() {
    addressPages_ = new QTabWidget(this);
    addressPages_->setObjectName(QStringLiteral("PageControlAdresa"));
    const QFontMetrics metrics = fontMetrics();
    const int streetWidth = metrics.horizontalAdvance(QString(30, QLatin1Char('n')));
    const int postCodeWidth = metrics.horizontalAdvance(QStringLiteral("000 000")) + 16;
    const auto page = [&](const char* suffix, bool withCountry) {
        auto* sheet = new QWidget;
        auto* grid = new QGridLayout(sheet);
        grid->setColumnStretch(1, 1);
        const QByteArray n(suffix);
        TKDBEditKopa* street =
            Bound(("DBEditUlice_" + n).constData(), ("Ulice_" + n).constData(), 30);
        TKDBEditKopa* town = Bound(("DBEditObec_" + n).constData(), ("Obec_" + n).constData(), 30);
        TKDBEditKopa* postCode = Bound(("DBEditPsc_" + n).constData(), ("Psc_" + n).constData(), 6);
        street->setMinimumWidth(streetWidth);
        town->setMinimumWidth(streetWidth);
        postCode->setFixedWidth(postCodeWidth);
        grid->addWidget(Caption(QStringLiteral("Ulice"), street, sheet), 0, 0);
        grid->addWidget(street, 0, 1);
        grid->addWidget(Caption(QStringLiteral("Obec"), town, sheet), 1, 0);
        grid->addWidget(town, 1, 1);
        grid->addWidget(Caption(QStringLiteral("PSČ"), postCode, sheet), 2, 0);
        grid->addWidget(postCode, 2, 1, Qt::AlignLeft);
        if (withCountry) {
            TKDBEditKopa* country = Bound("DBEditStat", "Stat", 30);
            country->setMinimumWidth(streetWidth);
            grid->addWidget(Caption(QStringLiteral("Stát"), country, sheet), 3, 0);
            grid->addWidget(country, 3, 1);
        } else {
            grid->setRowStretch(3, 1);
        }
        return sheet;
    };
    addressPages_->addTab(page("1", true), QStringLiteral("Adresa "));
    addressPages_->addTab(page("2", false), QStringLiteral("Adresa 2"));
    addressPages_->widget(0)->setObjectName(QStringLiteral("TabAdresa1"));
    addressPages_->widget(1)->setObjectName(QStringLiteral("TabAdresa2"));
    return addressPages_;
}

QWidget* TFoAdresar::BuildCommunication() {
    auto* group = new QGroupBox(QStringLiteral("Spojení"), this);
    group->setObjectName(QStringLiteral("GroupBoxSpojeni"));
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    const QFontMetrics metrics = fontMetrics();
    const int phoneWidth = metrics.horizontalAdvance(QStringLiteral("+420 000 000 000")) + 16;
    const char* const phones[][3] = {{"DBEditTelefon_1", "Telefon_1", "Tel. 1"},
                                     {"DBEditTelefon_2", "Telefon_2", "Tel. 2"},
                                     {"DBEditTelefon_3", "Telefon_3", "Tel. 3"},
                                     {"DBEditFax", "Fax", "Fax"}};
    for (int i = 0; i < 4; ++i) {
        TKDBEditKopa* phone = Bound(phones[i][0], phones[i][1], 14);
        phone->setMinimumWidth(phoneWidth);
        grid->addWidget(Caption(QString::fromUtf8(phones[i][2]), phone, this), i / 2, (i % 2) * 2);
        grid->addWidget(phone, i / 2, (i % 2) * 2 + 1);
    }
    email_ = Bound("DBEditEmail", "Email", 25);
    email_->setToolTip(QStringLiteral("Adresa elektronické pošty, například novak@seznam.cz"));
    web_ = Bound("DBEditWeb", "Web", 60);
    web_->setToolTip(QStringLiteral("Adresa stránek, například www.chovatelskastanice.cz"));
    auto* mail = new TLinkCaption(QStringLiteral("E-mail"), email_, this);
    mail->setObjectName(QStringLiteral("LabelEmail"));
    mail->setToolTip(QStringLiteral("Spustí vychozího poštovního klienta s daným adresátem "));
    mail->OnClick = [this] { OpenMail(); };
    auto* www = new TLinkCaption(QStringLiteral("WWW"), web_, this);
    www->setObjectName(QStringLiteral("LabelWeb"));
    www->setToolTip(QStringLiteral("Aktivní odkaz na www"));
    www->OnClick = [this] { OpenWeb(); };
    grid->addWidget(mail, 2, 0);
    grid->addWidget(email_, 2, 1, 1, 3);
    grid->addWidget(www, 3, 0);
    grid->addWidget(web_, 3, 1, 1, 3);
    return group;
}

void TFoAdresar::LayOut() {
    grid_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(28, QLatin1Char('n'))));

    auto* detail = new QVBoxLayout;
    detail->addWidget(navigator_);
    detail->addWidget(BuildIdentification());
    auto* addressGroup = new QGroupBox(QStringLiteral("Adresa"), this);
    addressGroup->setObjectName(QStringLiteral("GroupBoxAdresa"));
    auto* addressLayout = new QVBoxLayout(addressGroup);
    addressLayout->addWidget(BuildAddresses());
    detail->addWidget(addressGroup);
    detail->addWidget(BuildCommunication());
    detail->addWidget(kind_);
    detail->addStretch();

    auto* list = new QVBoxLayout;
    list->addWidget(search_);
    list->addWidget(grid_, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(list);
    body->addLayout(detail, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help_);
    buttons->addWidget(print_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

// A link no program takes (no mail client, no browser) is said in a box,
// not only on the error output nobody sees.
void TFoAdresar::OpenMail() {
    const QString url = MailUrl(email_->text());
    if (!platform::OpenUrlText(url)) {
        platform::ShowMessage(
            QStringLiteral("Adresu „%1“ nelze otevřít: v systému není nastaven poštovní program.")
                .arg(url),
            QString(), platform::MessageIcon::Warning, platform::mbOK);
    }
}

void TFoAdresar::OpenWeb() {
    const QString url = WebUrl(web_->text());
    if (!platform::OpenUrlText(url)) {
        platform::ShowMessage(
            QStringLiteral("Stránku „%1“ nelze otevřít: v systému není nastaven webový prohlížeč.")
                .arg(url),
            QString(), platform::MessageIcon::Warning, platform::mbOK);
    }
}

bool TFoAdresar::PostEntry() {
    platform::DataSet& addresses = dm_.TaAdresar;
    if (!Editing(addresses)) {
        return true;
    }
    try {
        UpdateBoundControls(addresses);
        addresses.Post();
    } catch (const platform::StoreError& error) {
        // The table's unique key refuses a second entry with the same key name.
        if (error.EngineCode() == SQLITE_CONSTRAINT_UNIQUE) {
            const QString key = addresses.FieldByName(kKeyColumn).AsString();
            ShowStoreError(platform::StoreError(
                QStringLiteral("V adresáři už je záznam s názvem (klíčovým) „%1“. "
                               "Název (klíčový) musí být v celém adresáři jedinečný, "
                               "zadejte jiný.")
                    .arg(key),
                error.EngineCode()));
        } else {
            ShowStoreError(error);
        }
        key_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void TFoAdresar::done(int result) {
    platform::DataSet& addresses = dm_.TaAdresar;
    if (Editing(addresses)) {
        const int answer = platform::ShowMessage(
            QStringLiteral("V adresáři nejsou uloženy změny, uložit ?"), QString(),
            platform::MessageIcon::Warning, platform::mbYes | platform::mbNo | platform::mbCancel);
        if (answer == platform::mbCancel) {
            return;
        }
        if (answer == platform::mbYes) {
            if (!PostEntry()) {
                return;
            }
        } else {
            addresses.Cancel();
        }
    }
    QDialog::done(result);
}
