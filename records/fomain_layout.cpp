// The record sheet's layout: the tool bars above two pages, the record page
// with the three tabs of the card, the list of names and the navigator, the
// print page, and the status bar.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "controls/db_grid.h"
#include "controls/db_image.h"
#include "controls/db_memo.h"
#include "controls/db_navigator.h"
#include "controls/k_db_edit.h"
#include "controls/search_field.h"
#include "records/fomain.h"
#include "records/print_page.h"

namespace {

const QStringList kStandard = {QStringLiteral("standardní "), QStringLiteral("nestandardní")};

QLabel* Caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

// One captioned row of a grid: the caption in column 0, the widgets after it.
void AddRow(QGridLayout* grid, int row, const QString& caption,
            std::initializer_list<QWidget*> widgets) {
    grid->addWidget(Caption(caption, *widgets.begin()), row, 0);
    int column = 1;
    for (QWidget* widget : widgets) {
        grid->addWidget(widget, row, column++);
    }
}

// A captioned row whose widget spans `span` columns.
void AddSpannedRow(QGridLayout* grid, int row, const QString& caption, QWidget* widget, int span) {
    grid->addWidget(Caption(caption, widget), row, 0);
    grid->addWidget(widget, row, 1, 1, span);
}

QGridLayout* GroupGrid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    return grid;
}

QPushButton* SmallButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFixedWidth(28);
    return button;
}

TDbGridKOPA* ReadOnlyGrid(platform::DataSource& source, const QStringList& fields) {
    auto* grid = new TDbGridKOPA;
    grid->SetDataSource(&source);
    grid->SetColumns(fields);
    grid->SetRowSelect(true);
    grid->SetReadOnly(true);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

}  // namespace

void TFoMain::BuildForm() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(BuildToolBars());
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    recordPage_ = BuildRecordPage();
    printPage_ = BuildPrintPage();
    pages_->addWidget(recordPage_);
    pages_->addWidget(printPage_);
    layout->addWidget(pages_, 1);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    for (const char* name : {"StatusPanel1", "StatusPanel2", "StatusMode"}) {
        auto* panel = new QLabel(statusBar_);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setMinimumWidth(80);
        statusBar_->addWidget(panel, name[6] == 'M' ? 1 : 0);
    }
    layout->addWidget(statusBar_);
}

QWidget* TFoMain::BuildRecordPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Evidlist"));
    tabs_ = new QTabWidget(page);
    tabs_->setObjectName(QStringLiteral("PageControl2"));
    tabs_->addTab(BuildBasicTab(), QStringLiteral("&Základní údaje"));
    tabs_->addTab(BuildPhysicalTab(), QStringLiteral("&Fyzické znaky"));
    tabs_->addTab(BuildTimeTab(), QStringLiteral("Časové a jiné ú&daje"));

    navigator_ = new TDBNavigatorKopa(page);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->SetDataSource(&dm_->SoMainCard);
    // A new card shows no titles and no photo; a dropped or posted one shows
    // those of the card the sheet is on.
    navigator_->OnClickPost = [this](TDBNavigatorKopa*) { PostCard(); };
    navigator_->OnClick = [this](TDBNavigatorKopa*, TNavigateBtn button) {
        if (button == nbRefresh) {
            // The card's books too: a litter another official entered shows.
            dm_->Database1.RefreshDataSets();
        }
        if (button == nbInsert || button == nbCancel || button == nbPost || button == nbRefresh) {
            dm_->SynchroniseCard(CardDataSet());
        }
    };
    // On a club's server others change the books meanwhile: "Načti" reads them anew.
    if (dm_->Database1.IsServer()) {
        navigator_->SetVisibleButtons(kAllNavButtons);
    }
    // Room for the captions under the pictures.
    navigator_->setMinimumSize(10 * 64, 2 * QFontMetrics(font()).height() + 16);
    auto* close = new QPushButton(QStringLiteral("Zavřít"), page);
    close->setObjectName(QStringLiteral("BtnZavrit"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &TFoMain::CloseSheet);

    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(tabs_, 0, 0);
    grid->addWidget(BuildNameColumn(), 0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(navigator_);
    bottom->addStretch(1);
    bottom->addWidget(close);
    grid->addLayout(bottom, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    return page;
}

// The names list with the search field "Hledat:" above it, which moves the
// card to the animal found.
QWidget* TFoMain::BuildNameColumn() {
    auto* column = new QWidget;
    search_ = new TSearchField(
        dm_->Database1, [this]() -> platform::DataSet& { return CardDataSet(); }, column);
    names_ = ReadOnlyGrid(dm_->SoMainCard, {QStringLiteral("Jmeno_registr")});
    names_->setObjectName(QStringLiteral("DBGridJmena"));
    names_->SetColumnTitle(0, QStringLiteral("Registrované jméno"));
    column->setMinimumWidth(230);
    column->setMaximumWidth(300);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(search_);
    layout->addWidget(names_, 1);
    return column;
}

TKDBEditKopa* TFoMain::AddEdit(const QString& column, bool numeric) {
    auto* edit = new TKDBEditKopa;
    edit->setObjectName(QStringLiteral("DBE_") + column);
    edit->CommaToPoint = numeric;
    edit->Loaded();
    edit->SetDataSource(&dm_->SoMainCard);
    edit->SetDataField(column);
    return edit;
}

// A field that shows a column of the card and takes no input.
TKDBEditKopa* TFoMain::AddDisplayEdit(const QString& column) {
    TKDBEditKopa* edit = AddEdit(column);
    edit->SetReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

TDBComboBoxKopa* TFoMain::AddCombo(const QString& column, const QStringList& offered,
                                   bool freeText) {
    auto* combo = new TDBComboBoxKopa;
    combo->setObjectName(QStringLiteral("DBCb_") + column);
    combo->SetStyle(freeText ? csDropDown : csDropDownList);
    combo->SetItems(offered);
    // Wide enough for the longest value offered.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->SetDataSource(&dm_->SoMainCard);
    combo->SetDataField(column);
    return combo;
}

TDBCheckboxMy* TFoMain::AddCheck(const QString& column, const QString& caption) {
    auto* check = new TDBCheckboxMy;
    check->setText(caption);
    check->setObjectName(QStringLiteral("DBChb_") + column);
    check->SetDataSource(&dm_->SoMainCard);
    check->SetDataField(column);
    return check;
}

TDBMemoLumex* TFoMain::AddMemo(const QString& column) {
    auto* memo = new TDBMemoLumex;
    memo->setObjectName(QStringLiteral("DBM_") + column);
    memo->SetDataSource(&dm_->SoMainCard);
    memo->SetDataField(column);
    return memo;
}

QToolButton* TFoMain::AddHelpButton(QWidget* parent, int topic) {
    auto* help = new QToolButton(parent);
    help->setObjectName(QStringLiteral("BtnHelp%1").arg(topic));
    help->setText(QStringLiteral("?"));
    help->setToolTip(QStringLiteral("Nápověda"));
    connect(help, &QToolButton::clicked, this, [this, topic] { ShowHelpTopic(topic); });
    return help;
}

QWidget* TFoMain::BuildBasicTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabZakladni"));
    auto* form = new QGridLayout;
    form->setVerticalSpacing(5);
    breedCombo_ = AddCombo(QStringLiteral("Plemeno"), {});
    AddSpannedRow(form, 0, QStringLiteral("Plemeno"), breedCombo_, 4);
    AddSpannedRow(form, 1, QStringLiteral("Jméno registr."),
                  AddEdit(QStringLiteral("Jmeno_registr")), 4);
    AddRow(form, 2, QStringLiteral("Jméno volací"), {AddEdit(QStringLiteral("Jmeno_call"))});
    TDBComboBoxKopa* sex =
        AddCombo(QStringLiteral("Pohlavi"), {QStringLiteral("Fena"), QStringLiteral("Pes")}, false);
    form->addWidget(Caption(QStringLiteral("Pohlaví"), sex), 2, 2);
    form->addWidget(sex, 2, 3, 1, 2);
    form->addWidget(AddCheck(QStringLiteral("Vlast_odchov"), QStringLiteral("Vlastní odchov")), 3,
                    1);
    form->addWidget(AddCheck(QStringLiteral("Vlastnictvi"), QStringLiteral("Ve vlastnictví")), 3, 3,
                    1, 2);
    AddRow(form, 4, QStringLiteral("Narozen (a)"), {AddEdit(QStringLiteral("Datum_nar"), true)});
    TKDBEditKopa* tattoo = AddEdit(QStringLiteral("Tetovaci_cislo"));
    form->addWidget(Caption(QStringLiteral("Tetování"), tattoo), 4, 2);
    form->addWidget(tattoo, 4, 3, 1, 2);
    AddRow(form, 5, QStringLiteral("Čip"), {AddEdit(QStringLiteral("Cip"), true)});
    TKDBEditKopa* registr = AddEdit(QStringLiteral("Registr"));
    registr->setToolTip(QStringLiteral("Označení registru "));
    TKDBEditKopa* registrCislo = AddEdit(QStringLiteral("Registr_Cislo"));
    registrCislo->setToolTip(QStringLiteral("Číslo registru"));
    AddRow(form, 6, QStringLiteral("Registr"), {registr});
    form->addWidget(registrCislo, 6, 2, 1, 3);

    struct Picked {
        const char* column;
        const char* caption;
        bool address;
    };
    const Picked picked[] = {{"Otec", "Otec", false},
                             {"Matka", "Matka", false},
                             {"Chovatel", "Chovatel", true},
                             {"Majitel", "Majitel", true}};
    int row = 7;
    for (const Picked& entry : picked) {
        const QString column = QString::fromLatin1(entry.column);
        TKDBEditKopa* edit = AddEdit(column);
        QPushButton* pick = SmallButton(QStringLiteral("Btn") + column, QStringLiteral("C"));
        if (entry.address) {
            connect(pick, &QPushButton::clicked, this, [this, column] { PickAddress(column); });
        } else {
            connect(pick, &QPushButton::clicked, this, [this, column] { PickParent(column); });
        }
        AddSpannedRow(form, row, QString::fromUtf8(entry.caption), edit, 3);
        form->addWidget(pick, row, 4);
        if (column == QLatin1String("Majitel")) {
            edit->installEventFilter(this);
        }
        ++row;
    }
    TDBCheckboxMy* unpublished =
        AddCheck(QStringLiteral("Nezverejnovat"), QStringLiteral("Nezveřejňovat"));
    unpublished->setToolTip(
        QStringLiteral("Zvíře se neobjeví na webových stránkách chovné stanice"));
    form->addWidget(unpublished, row++, 1, 1, 4);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    form->setRowStretch(row, 1);

    titles_ = ReadOnlyGrid(dm_->SoTituly, {QStringLiteral("Titul_Jmeno"), QStringLiteral("Zeme"),
                                           QStringLiteral("Datum_Udeleni")});
    titles_->setObjectName(QStringLiteral("DBGridTituly"));
    titles_->SetColumnTitle(0, QStringLiteral("Udělené tituly a ocenění"));
    titles_->SetColumnTitle(1, QStringLiteral("Země"));
    titles_->SetColumnTitle(2, QStringLiteral("Uděleno dne"));
    titles_->setColumnWidth(0, 260);
    titles_->setColumnWidth(1, 110);
    titles_->setMinimumHeight(110);
    titulyButton_ = new QPushButton(QStringLiteral("Tituly"));
    titulyButton_->setObjectName(QStringLiteral("BtnTituly"));
    titulyButton_->setAutoDefault(false);
    titulyButton_->setToolTip(QStringLiteral(
        "Ukaže tituly a ocenění  (funkčnost tlačítka je závislá na nastavení parametrů)    "));
    titulyButton_->installEventFilter(this);
    connect(titulyButton_, &QPushButton::clicked, this, &TFoMain::TitulyClick);

    auto* layout = new QGridLayout(tab);
    layout->addLayout(form, 0, 0);
    layout->addWidget(BuildPhotoColumn(), 0, 1);
    layout->addWidget(titles_, 1, 0, 1, 2);
    auto* titlesButtons = new QHBoxLayout;
    titlesButtons->addWidget(titulyButton_);
    titlesButtons->addStretch(1);
    titlesButtons->addWidget(AddHelpButton(tab, 200));
    layout->addLayout(titlesButtons, 2, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(0, 3);
    layout->setRowStretch(1, 2);
    return tab;
}

// The photo of the animal (read only here: the photo album changes it), the
// check box that reduces a large photo to the frame, and "Foto".
QWidget* TFoMain::BuildPhotoColumn() {
    auto* column = new QWidget;
    photo_ = new TDBImageAspect;
    photo_->setObjectName(QStringLiteral("DBImageFoto"));
    photo_->setMinimumSize(220, 180);
    photo_->SetCenter(true);
    photo_->SetReadOnly(true);
    photo_->setCursor(Qt::PointingHandCursor);
    photo_->SetDataSource(&dm_->SoFoto_Album);
    photo_->SetDataField(photoBound_ ? QStringLiteral("foto_1") : QString());
    photo_->installEventFilter(this);
    stretch_ = new QCheckBox;
    stretch_->setObjectName(QStringLiteral("CheckBoxStretch"));
    stretch_->setChecked(true);
    connect(stretch_, &QCheckBox::toggled, photo_, &TDBImageAspect::SetStretch);
    fotoButton_ = new QPushButton(QStringLiteral("Foto"));
    fotoButton_->setObjectName(QStringLiteral("BtnFoto"));
    fotoButton_->setAutoDefault(false);
    fotoButton_->setToolTip(QStringLiteral(
        "Ukaže fotografii  (funkčnost tlačítka je závislá na nastavení parametrů)    "));
    fotoButton_->installEventFilter(this);
    connect(fotoButton_, &QPushButton::clicked, this, &TFoMain::FotoClick);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(photo_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(stretch_);
    buttons->addStretch(1);
    buttons->addWidget(fotoButton_);
    layout->addLayout(buttons);
    return column;
}

QWidget* TFoMain::BuildPhysicalTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabFyzicke"));

    auto* sizes = new QGroupBox(QStringLiteral("Míry a váhy"), tab);
    sizes->setObjectName(QStringLiteral("GroupMiry"));
    QGridLayout* grid = GroupGrid(sizes);
    const std::pair<const char*, const char*> measures[] = {
        {"Vyska_kohout", "Kohoutková\nvýška"},
        {"Delka_psa", "Délka psa"},
        {"Hrud_hloubka", "Hloubka hrudníku"},
        {"Hrud_objem", "Objem hrudníku"},
        {"Delka_hrbet", "Délka hřbetu"},
        {"Delka_hlavy", "Délka hlavy"},
        {"Delka_nosu", "Délka nosu"},
        {"Vaha_narozeni", "Váha při narození"},
        {"Vaha_dospelost", "Průměrná váha\nv dospělosti"}};
    int row = 0;
    for (const auto& [column, caption] : measures) {
        TKDBEditKopa* edit = AddEdit(QString::fromLatin1(column), true);
        edit->setAlignment(Qt::AlignRight);
        AddRow(grid, row++, QString::fromUtf8(caption), {edit});
    }
    grid->setRowStretch(row, 1);

    auto* head = new QGroupBox(QStringLiteral("Hlava, krk a přední nohy "), tab);
    head->setObjectName(QStringLiteral("GroupHlava"));
    grid = GroupGrid(head);
    AddRow(grid, 0, QStringLiteral("Hlava"), {AddCombo(QStringLiteral("Proporce"), kStandard)});
    AddRow(grid, 1, QStringLiteral("Ucho - tvar"),
           {AddCombo(QStringLiteral("Ucho_tvar"), kStandard)});
    AddRow(grid, 2, QStringLiteral("Ucho - nasazení"),
           {AddCombo(QStringLiteral("Ucho_nasazeni"), kStandard)});
    AddRow(grid, 3, QStringLiteral("Zuby  - zkus"),
           {AddCombo(
               QStringLiteral("Zuby_zkus"),
               {QStringLiteral("Klešťový"), QStringLiteral("Nepravidelný"),
                QStringLiteral("Nůžkový"), QStringLiteral("Podkus"), QStringLiteral("Předkus")})});
    AddRow(grid, 4, QStringLiteral("Zuby  - chybějící"), {AddEdit(QStringLiteral("Zuby_chybi"))});
    AddRow(grid, 5, QStringLiteral("Oko  - barva"),
           {AddCombo(
               QStringLiteral("Oko_barva"),
               {QStringLiteral("Světlé"), QStringLiteral("Světlejší"), QStringLiteral("Tmavé")})});
    AddRow(grid, 6, QStringLiteral("Nohy - postoj"),
           {AddCombo(QStringLiteral("Predni_nohy_postoj"),
                     {QStringLiteral("normální"), QStringLiteral("sbíhavý"),
                      QStringLiteral("otevřený"), QStringLiteral("sevřený")})});
    AddRow(grid, 7, QStringLiteral("Krk"), {AddEdit(QStringLiteral("Krk"))});
    grid->setRowStretch(8, 1);

    auto* body = new QGroupBox(tab);
    body->setObjectName(QStringLiteral("GroupTelo"));
    grid = GroupGrid(body);
    const auto heading = [grid](int row, const QString& text) {
        auto* label = new QLabel(text);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        grid->addWidget(label, row, 0, 1, 2);
    };
    heading(0, QStringLiteral("Hrudník, břicho"));
    AddRow(grid, 1, QStringLiteral("Hrudník"), {AddEdit(QStringLiteral("Hrudnik"))});
    AddRow(grid, 2, QStringLiteral("Břicho"), {AddEdit(QStringLiteral("Bricho"))});
    AddRow(grid, 3, QStringLiteral("Horní\nlinie"), {AddEdit(QStringLiteral("Horni_linie"))});
    heading(4, QStringLiteral("Zadní nohy, ocas"));
    AddRow(grid, 5, QStringLiteral("Nohy - postoj"),
           {AddCombo(QStringLiteral("Zadni_nohy_postoj"),
                     {QStringLiteral("normální"), QStringLiteral("sbíhavý"),
                      QStringLiteral("rozbíhavý"), QStringLiteral("lyrovitý")})});
    AddRow(grid, 6, QStringLiteral("Ocas"), {AddEdit(QStringLiteral("Ocas_nasazeni"))});
    heading(7, QStringLiteral("Srst, kůže"));
    AddRow(grid, 8, QStringLiteral("Typ"), {AddEdit(QStringLiteral("Srst_strukt"))});
    AddRow(grid, 9, QStringLiteral("Barva"), {AddEdit(QStringLiteral("Srst_barva"))});
    AddRow(grid, 10, QStringLiteral("Pigment"), {AddEdit(QStringLiteral("Pigment"))});
    AddRow(grid, 11, QStringLiteral("Kůže"), {AddEdit(QStringLiteral("Kuze"))});
    grid->setRowStretch(12, 1);

    auto* exams = new QGroupBox(QStringLiteral("Vyšetření"), tab);
    exams->setObjectName(QStringLiteral("GroupVysetreni"));
    grid = GroupGrid(exams);
    AddRow(grid, 0, QStringLiteral("DKK"), {AddEdit(QStringLiteral("DKK"))});
    TKDBEditKopa* luxace = AddEdit(QStringLiteral("Luxace"));
    luxace->installEventFilter(this);
    AddRow(grid, 1, QStringLiteral("Luxace pattely"), {luxace});
    AddRow(grid, 2, QStringLiteral("PRA"), {AddEdit(QStringLiteral("Pra"))});
    grid->setRowStretch(3, 1);

    auto* layout = new QGridLayout(tab);
    layout->addWidget(sizes, 0, 0);
    layout->addWidget(head, 0, 1);
    layout->addWidget(body, 0, 2, 2, 1);
    layout->addWidget(exams, 1, 0, 1, 2);
    auto* help = new QHBoxLayout;
    help->addStretch(1);
    help->addWidget(AddHelpButton(tab, 201));
    layout->addLayout(help, 2, 0, 1, 3);
    layout->setRowStretch(0, 1);
    return tab;
}

QWidget* TFoMain::BuildTimeTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabCasove"));
    auto* grid = new QGridLayout(tab);
    grid->setVerticalSpacing(5);
    TKDBEditKopa* born = AddDisplayEdit(QStringLiteral("Datum_nar"));
    born->setObjectName(QStringLiteral("DBE_Datum_nar_zobrazeni"));
    AddRow(grid, 0, QStringLiteral("Datum narození"), {born});
    AddRow(grid, 1, QStringLiteral("Datum zařazení do evidence"),
           {AddEdit(QStringLiteral("Datum_zar"), true)});
    AddRow(grid, 2, QStringLiteral("Důvod zařazení do evidence"),
           {AddCombo(QStringLiteral("Druh_zaraz"),
                     {QStringLiteral("narození"), QStringLiteral("koupě"), QStringLiteral("adopce"),
                      QStringLiteral("krycí pes"), QStringLiteral("příbuznost"),
                      QStringLiteral("jiné")})});
    AddRow(grid, 3, QStringLiteral("Datum vyřazení z evidence"),
           {AddEdit(QStringLiteral("Datum_vyr"), true)});
    AddRow(grid, 4, QStringLiteral("Důvod vyřazení z evidence"),
           {AddCombo(QStringLiteral("Druh_vyrazeni"),
                     {QStringLiteral("prodej"), QStringLiteral("úhyn"), QStringLiteral("jiné")})});
    AddRow(grid, 5, QStringLiteral("Pohyb akce "), {AddEdit(QStringLiteral("Pohyb_akce"))});
    AddRow(grid, 6, QStringLiteral("Pohyb chůze"), {AddEdit(QStringLiteral("Pohyb_chuze"))});
    AddRow(grid, 7, QStringLiteral("Strava"), {AddEdit(QStringLiteral("Apetit"))});
    TDBMemoLumex* temperament = AddMemo(QStringLiteral("Povaha"));
    temperament->setMaximumHeight(70);
    AddRow(grid, 8, QStringLiteral("Povahové rysy"), {temperament});
    AddRow(grid, 9, QStringLiteral("Poznámky"), {AddMemo(QStringLiteral("Poznamka"))});
    for (int row = 0; row <= 9; ++row) {
        grid->itemAtPosition(row, 0)->setAlignment(row >= 8 ? Qt::AlignTop | Qt::AlignLeft
                                                            : Qt::AlignVCenter | Qt::AlignLeft);
    }
    auto* help = new QHBoxLayout;
    help->addStretch(1);
    help->addWidget(AddHelpButton(tab, 202));
    grid->addLayout(help, 10, 0, 1, 2);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(1, 1);
    return tab;
}

// The print page: sources, filter, sort order, the grid of the source and
// the print button; its "Evidence  " shows the record page.
TPrintPage* TFoMain::BuildPrintPage() {
    auto* page = new TPrintPage(*dm_);
    page->OnShowRecordPage = [this] { ShowPage(QStringLiteral("Evidlist")); };
    page->OnHelp = [this] { ShowHelpTopic(400); };
    plemenoOd_ = page->PlemenoOd();
    plemenoDo_ = page->PlemenoDo();
    return page;
}
