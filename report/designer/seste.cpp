#include "report/designer/seste.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "report/designer/design_properties.h"
#include "report/designer/element_tree.h"
#include "report/designer/sestdb.h"
#include "report/engine/sestavy.h"
#include "report/output/length_units.h"

double TFormSestE::ZoomFactorOf(int level) {
    static const double factors[kZoomLevels] = {0.32, 0.4,  0.5, 0.64, 0.75, 0.88,
                                                1.0,  1.25, 1.5, 2.0,  3.0};
    return factors[std::clamp(level, 0, kZoomLevels - 1)];
}

TFormSestE::TFormSestE(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSestE"));
    setWindowTitle(QStringLiteral("Oprava předlohy tiskové sestavy"));
    setSizeGripEnabled(true);
    resize(1200, 800);
    BuildActions();
    SetShortcuts();
    BuildLayout();
    UpdateUndoActions();
    sestDlg_ = std::make_unique<TSestDlg>(*this, this);
}

TFormSestE::~TFormSestE() {
    if (report_) {
        report_->DesignTime = false;
        // The report is left with the lines and the layout of the last state.
        if (paper_) {
            paper_->ClearElements();
        }
        ApplyTemplateLines(*report_, history_.CurrentTemplate());
    }
}

QAction* TFormSestE::MakeAction(const QString& name, const QString& text,
                                const std::function<void()>& slot, const QString& hint) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? text : hint);
    connect(action, &QAction::triggered, this, [slot] { slot(); });
    actions_[name] = action;
    return action;
}

QAction* TFormSestE::Action(const QString& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void TFormSestE::BuildActions() {
    MakeAction(QStringLiteral("ActionKonec"), QStringLiteral("Konec oprav"), [this] { close(); });
    MakeAction(QStringLiteral("ActionUlozit"), QStringLiteral("Uložit předlohu"),
               [this] { Save(); });
    MakeAction(QStringLiteral("ActionUlozitJako"), QStringLiteral("Uložit předlohu jako..."),
               [this] { SaveAs(); });
    MakeAction(QStringLiteral("ActionNova"), QStringLiteral("Nová předloha..."),
               [this] { NewTemplate(); });
    MakeAction(QStringLiteral("ActionUndo"), QStringLiteral("Zrušit změny"), [this] { Undo(); });
    MakeAction(QStringLiteral("ActionRedo"), QStringLiteral("Znovu provést změny"),
               [this] { Redo(); });
    MakeAction(QStringLiteral("ActionCut"), QStringLiteral("Vystřihnout do úschovy"),
               [this] { Cut(); });
    MakeAction(QStringLiteral("ActionCopy"), QStringLiteral("Kopírovat do úschovy"),
               [this] { Copy(); });
    MakeAction(QStringLiteral("ActionPaste"), QStringLiteral("Vložit z úschovy"),
               [this] { StartPaste(); });
    Action(QStringLiteral("ActionPaste"))->setEnabled(false);
    MakeAction(QStringLiteral("ActionDelete"), QStringLiteral("Smazat prvek"),
               [this] { DeleteSelected(); });
    MakeAction(QStringLiteral("ActionVlastnosti"), QStringLiteral("Opravit vlastnosti prvku"),
               [this] { EditSelectedProperties(); });
    MakeAction(QStringLiteral("ActionRastrVybrane"), QStringLiteral("Vyrovnat vybrané do rastru"),
               [this] { AlignSelectedToGrid(); });
    MakeAction(QStringLiteral("ActionRastrVse"), QStringLiteral("Vyrovnat vše do rastru"),
               [this] { AlignAllToGrid(); });
    MakeAction(QStringLiteral("ActionPresmerovat"),
               QStringLiteral("Přesměrovat odkazy podle názvu"), [this] { RedirectByName(); });
    MakeAction(QStringLiteral("ActionNahled"), QStringLiteral("Náhled sestavy"),
               [this] { PreviewReport(); });
    MakeAction(QStringLiteral("ActionTisk"), QStringLiteral("Tisk sestavy"),
               [this] { PrintReport(); });
    MakeAction(QStringLiteral("ActionProstredi"), QStringLiteral("Nastavení prostředí..."),
               [this] { EditDesignerSettings(); });
    MakeAction(QStringLiteral("ActionPredloha"), QStringLiteral("Nastavení předlohy..."),
               [this] { EditTemplateSettings(-1); });
    MakeAction(QStringLiteral("ActionPrvni"), QStringLiteral("První záznam"),
               [this] { StepRecord(sdFirst); });
    MakeAction(QStringLiteral("ActionPredchozi"), QStringLiteral("Předchozí záznam"),
               [this] { StepRecord(sdPrior); });
    MakeAction(QStringLiteral("ActionDalsi"), QStringLiteral("Další záznam"),
               [this] { StepRecord(sdNext); });
    MakeAction(QStringLiteral("ActionPosledni"), QStringLiteral("Poslední záznam"),
               [this] { StepRecord(sdLast); });
    MakeAction(QStringLiteral("ActionPridatFunkci"), QStringLiteral("Přidat uživatelskou funkci"),
               [this] { AddUserFunction(); });
    MakeAction(QStringLiteral("ActionUpravitFunkci"), QStringLiteral("Upravit uživatelskou funkci"),
               [this] { EditUserFunction(); });
    MakeAction(QStringLiteral("ActionZrusitFunkci"), QStringLiteral("Zrušit uživatelskou funkci"),
               [this] { DeleteUserFunction(); });
    for (const TDesignTool& tool : DesignTools()) {
        const int code = tool.code;
        QAction* action = MakeAction(tool.action, tool.hint, [this, code] { SetTool(code); });
        action->setCheckable(true);
    }
    Action(QStringLiteral("ActionNoSelect"))->setChecked(true);
}

namespace {

QToolButton* ToolButton(QAction* action, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setObjectName(QStringLiteral("Btn") + action->objectName().mid(6));
    return button;
}

QWidget* ToolRow(QWidget* parent, const std::vector<QAction*>& actions) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 2, 2, 2);
    for (QAction* action : actions) {
        layout->addWidget(ToolButton(action, row));
    }
    layout->addStretch();
    return row;
}

}  // namespace

void TFormSestE::BuildToolTabs(QWidget* host) {
    toolTabs_ = new QTabWidget(host);
    toolTabs_->setObjectName(QStringLiteral("PageControlTools"));
    auto a = [this](const char* name) { return Action(QLatin1String(name)); };

    auto* data =
        ToolRow(toolTabs_, {a("ActionNoSelect"), a("ActionDb"), a("ActionLb"), a("ActionPar")});
    chooser_ = new QComboBox(data);
    chooser_->setObjectName(QStringLiteral("ComboBoxPrvky"));
    chooser_->setMinimumWidth(260);
    auto* chooserLabel = new QLabel(QStringLiteral("Prvek:"), data);
    chooserLabel->setBuddy(chooser_);
    data->layout()->addWidget(chooserLabel);
    data->layout()->addWidget(chooser_);
    connect(chooser_, &QComboBox::currentIndexChanged, this,
            [this](int index) { chooserIndex_ = std::max(0, index); });
    toolTabs_->addTab(data, QStringLiteral("Datové prvky"));

    auto* variables =
        ToolRow(toolTabs_, {a("ActionDate"), a("ActionTime"), a("ActionRadek"), a("ActionStr"),
                            a("ActionStrCelk"), a("ActionRadSk"), a("ActionSkCis")});
    groupCombo_ = new QComboBox(variables);
    groupCombo_->setObjectName(QStringLiteral("ComboBoxSkupiny"));
    auto* groupLabel = new QLabel(QStringLiteral("Skupina:"), variables);
    groupLabel->setBuddy(groupCombo_);
    variables->layout()->addWidget(groupLabel);
    variables->layout()->addWidget(groupCombo_);
    connect(groupCombo_, &QComboBox::currentIndexChanged, this,
            [this](int index) { groupChoice_ = std::max(0, index); });
    toolTabs_->addTab(variables, QStringLiteral("Proměnné"));

    auto* functions = ToolRow(toolTabs_, {a("ActionFn"), a("ActionPridatFunkci"),
                                          a("ActionUpravitFunkci"), a("ActionZrusitFunkci")});
    functionList_ = new QListWidget(functions);
    functionList_->setObjectName(QStringLiteral("ListBoxFunkce"));
    functionList_->setMaximumHeight(60);
    auto* functionLabel = new QLabel(QStringLiteral("Funkce:"), functions);
    functionLabel->setBuddy(functionList_);
    functions->layout()->addWidget(functionLabel);
    functions->layout()->addWidget(functionList_);
    connect(functionList_, &QListWidget::currentRowChanged, this,
            [this](int row) { functionIndex_ = std::max(0, row); });
    toolTabs_->addTab(functions, QStringLiteral("Funkce"));

    toolTabs_->addTab(ToolRow(toolTabs_, {a("ActionGrText"), a("ActionGrCara"), a("ActionGrRect"),
                                          a("ActionRoRect"), a("ActionElip"), a("ActionObr"),
                                          a("ActionBarc"), a("ActionPaintB")}),
                      QStringLiteral("Grafické prvky"));

    auto* details = ToolRow(toolTabs_, {a("ActionDetail")});
    detailList_ = new QListWidget(details);
    detailList_->setObjectName(QStringLiteral("ListBoxDetaily"));
    detailList_->setMaximumHeight(60);
    auto* detailLabel = new QLabel(QStringLiteral("Detail:"), details);
    detailLabel->setBuddy(detailList_);
    details->layout()->addWidget(detailLabel);
    details->layout()->addWidget(detailList_);
    connect(detailList_, &QListWidget::currentRowChanged, this,
            [this](int row) { detailIndex_ = std::max(0, row); });
    toolTabs_->addTab(details, QStringLiteral("Detaily"));
    toolTabs_->setTabVisible(4, false);
}

void TFormSestE::BuildLayout() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(2, 2, 2, 2);
    root->setSpacing(2);

    root->setMenuBar(BuildMenuBar());
    // Two rows, so that every command shows on a laptop's 1366 pixels.
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBarEditor"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const char* name :
         {"ActionKonec", "ActionUlozit", "ActionUlozitJako", "ActionNova", "ActionUndo",
          "ActionRedo", "ActionCut", "ActionCopy", "ActionPaste", "ActionDelete"}) {
        bar->addAction(Action(QLatin1String(name)));
    }
    root->addWidget(bar);
    auto* barCommands = new QToolBar(this);
    barCommands->setObjectName(QStringLiteral("ToolBarPrikazy"));
    barCommands->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const char* name : {"ActionVlastnosti", "ActionRastrVybrane", "ActionRastrVse",
                             "ActionNahled", "ActionTisk", "ActionProstredi", "ActionPredloha"}) {
        barCommands->addAction(Action(QLatin1String(name)));
    }
    root->addWidget(barCommands);

    auto* bar2 = new QToolBar(this);
    bar2->setObjectName(QStringLiteral("ToolBarZaznamy"));
    bar2->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const char* name :
         {"ActionPrvni", "ActionPredchozi", "ActionDalsi", "ActionPosledni", "ActionPresmerovat"}) {
        bar2->addAction(Action(QLatin1String(name)));
    }
    unitsCombo_ = new QComboBox(bar2);
    unitsCombo_->setObjectName(QStringLiteral("ComboBoxUnits"));
    for (int u = 0; u < kUnitCount; ++u) {
        unitsCombo_->addItem(UnitLabel(u));
    }
    auto* unitsLabel = new QLabel(QStringLiteral(" Měrné jednotky: "), bar2);
    unitsLabel->setBuddy(unitsCombo_);
    bar2->addWidget(unitsLabel);
    bar2->addWidget(unitsCombo_);
    connect(unitsCombo_, &QComboBox::activated, this, [this](int index) { SetUnit(index); });
    zoomCombo_ = new QComboBox(bar2);
    zoomCombo_->setObjectName(QStringLiteral("CBMeritka1"));
    for (int level = 0; level < kZoomLevels; ++level) {
        zoomCombo_->addItem(QStringLiteral("%1 %").arg(qRound(ZoomFactorOf(level) * 100)));
    }
    zoomCombo_->setCurrentIndex(kDefaultZoomLevel);
    auto* zoomLabel = new QLabel(QStringLiteral(" Měřítko: "), bar2);
    zoomLabel->setBuddy(zoomCombo_);
    bar2->addWidget(zoomLabel);
    bar2->addWidget(zoomCombo_);
    connect(zoomCombo_, &QComboBox::activated, this, [this](int index) { SetZoomLevel(index); });
    root->addWidget(bar2);

    BuildToolTabs(this);
    toolTabs_->setMaximumHeight(110);
    root->addWidget(toolTabs_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("SplitterEditor"));
    tree_ = new TElementTree(splitter);
    tree_->setVisible(false);
    auto* surface = new QWidget(splitter);
    auto* grid = new QGridLayout(surface);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    rulers_[int(TPravitko::Side::Top)] = new TPravitko(TPravitko::Side::Top, surface);
    rulers_[int(TPravitko::Side::Bottom)] = new TPravitko(TPravitko::Side::Bottom, surface);
    rulers_[int(TPravitko::Side::Left)] = new TPravitko(TPravitko::Side::Left, surface);
    rulers_[int(TPravitko::Side::Right)] = new TPravitko(TPravitko::Side::Right, surface);
    scrollBox_ = new TScrollBoxLumex(surface);
    grid->addWidget(rulers_[int(TPravitko::Side::Top)], 0, 1);
    grid->addWidget(rulers_[int(TPravitko::Side::Left)], 1, 0);
    grid->addWidget(scrollBox_, 1, 1);
    grid->addWidget(rulers_[int(TPravitko::Side::Right)], 1, 2);
    grid->addWidget(rulers_[int(TPravitko::Side::Bottom)], 2, 1);
    scrollBox_->OnHorizontalScroll = [this](int position) {
        rulers_[int(TPravitko::Side::Top)]->SetScroll(position);
        rulers_[int(TPravitko::Side::Bottom)]->SetScroll(position);
    };
    scrollBox_->OnVerticalScroll = [this](int position) {
        rulers_[int(TPravitko::Side::Left)]->SetScroll(position);
        rulers_[int(TPravitko::Side::Right)]->SetScroll(position);
    };
    properties_ = new TDesignProperties(*this, splitter);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    root->addWidget(splitter, 1);

    auto* status = new QWidget(this);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->setContentsMargins(4, 0, 4, 0);
    bandLabel_ = new QLabel(status);
    bandLabel_->setObjectName(QStringLiteral("LabelOddil"));
    positionLabel_ = new QLabel(status);
    positionLabel_->setObjectName(QStringLiteral("LabelPozice"));
    statusLayout->addWidget(bandLabel_);
    statusLayout->addWidget(positionLabel_);
    statusLayout->addStretch();
    root->addWidget(status);
}

QMenuBar* TFormSestE::BuildMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBarEditor"));
    auto menu = [this, bar](const QString& title, const char* name,
                            std::initializer_list<const char*> actions) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(QLatin1String(name));
        for (const char* action : actions) {
            if (*action == 0) {
                m->addSeparator();
            } else {
                m->addAction(Action(QLatin1String(action)));
            }
        }
    };
    menu(QStringLiteral("&Předloha"), "MenuPredloha",
         {"ActionNova", "ActionUlozit", "ActionUlozitJako", "", "ActionNahled", "ActionTisk", "",
          "ActionPredloha", "ActionProstredi", "", "ActionKonec"});
    menu(QStringLiteral("Ú&pravy"), "MenuUpravy",
         {"ActionUndo", "ActionRedo", "", "ActionCut", "ActionCopy", "ActionPaste", "ActionDelete",
          "", "ActionVlastnosti", "ActionRastrVybrane", "ActionRastrVse", "ActionPresmerovat"});
    menu(QStringLiteral("&Vložit"), "MenuVlozit",
         {"ActionNoSelect",
          "",
          "ActionDb",
          "ActionLb",
          "ActionPar",
          "ActionFn",
          "",
          "ActionDate",
          "ActionTime",
          "ActionRadek",
          "ActionStr",
          "ActionStrCelk",
          "ActionRadSk",
          "ActionSkCis",
          "",
          "ActionGrText",
          "ActionGrCara",
          "ActionGrRect",
          "ActionRoRect",
          "ActionElip",
          "ActionObr",
          "ActionBarc",
          "ActionPaintB",
          "",
          "ActionDetail"});
    menu(QStringLiteral("&Funkce"), "MenuFunkce",
         {"ActionPridatFunkci", "ActionUpravitFunkci", "ActionZrusitFunkci"});
    menu(QStringLiteral("&Záznamy"), "MenuZaznamy",
         {"ActionPrvni", "ActionPredchozi", "ActionDalsi", "ActionPosledni"});
    return bar;
}

// The commands' keys, shown in the menu beside them. The paper's own keys
// (Alt+Backspace, Shift+Insert, …) stay as they are.
void TFormSestE::SetShortcuts() {
    const std::pair<const char*, QKeySequence> keys[] = {
        {"ActionNova", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"ActionUlozit", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"ActionUlozitJako", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"ActionNahled", QKeySequence(Qt::Key_F9)},
        {"ActionTisk", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"ActionUndo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"ActionRedo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"ActionCut", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"ActionCopy", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"ActionPaste", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"ActionDelete", QKeySequence(Qt::Key_Delete)},
        {"ActionVlastnosti", QKeySequence(Qt::ALT | Qt::Key_Return)},
        {"ActionRastrVybrane", QKeySequence(Qt::CTRL | Qt::Key_G)},
        {"ActionRastrVse", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G)},
        {"ActionPredloha", QKeySequence(Qt::CTRL | Qt::Key_T)},
        {"ActionProstredi", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"ActionPrvni", QKeySequence(Qt::CTRL | Qt::Key_Home)},
        {"ActionPredchozi", QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
        {"ActionDalsi", QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
        {"ActionPosledni", QKeySequence(Qt::CTRL | Qt::Key_End)},
    };
    for (const auto& [name, key] : keys) {
        QAction* action = Action(QLatin1String(name));
        action->setShortcut(key);
        action->setToolTip(action->toolTip() + QStringLiteral(" (") +
                           key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    }
}

void TFormSestE::UpdateUndoActions() {
    QAction* undo = Action(QStringLiteral("ActionUndo"));
    QAction* redo = Action(QStringLiteral("ActionRedo"));
    undo->setEnabled(history_.CanUndo());
    undo->setToolTip(history_.UndoHint());
    redo->setEnabled(history_.CanRedo());
    redo->setToolTip(history_.RedoHint());
}

void TFormSestE::UpdateToolActions() {
    for (const TDesignTool& tool : DesignTools()) {
        Action(tool.action)->setChecked(tool.code == tool_);
    }
}

void TFormSestE::UpdateRecordButtons(int stepResult) {
    const bool atStart = stepResult & srBof;
    const bool atEnd = stepResult & srEof;
    Action(QStringLiteral("ActionPrvni"))->setEnabled(!atStart);
    Action(QStringLiteral("ActionPredchozi"))->setEnabled(!atStart);
    Action(QStringLiteral("ActionDalsi"))->setEnabled(!atEnd);
    Action(QStringLiteral("ActionPosledni"))->setEnabled(!atEnd);
}

// ---- keyboard ------------------------------------------------------------------------------

void TFormSestE::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool alt = mods & Qt::AltModifier;
    if (key == Qt::Key_F1) {
        return;  // the help file is not part of this installation
    }
    if ((key == Qt::Key_Backspace && alt && !shift) || (key == Qt::Key_Z && ctrl && !shift)) {
        Undo();
    } else if ((key == Qt::Key_Backspace && alt && shift) || (key == Qt::Key_Z && ctrl && shift)) {
        Redo();
    } else if ((key == Qt::Key_Insert && shift) || (key == Qt::Key_V && ctrl)) {
        StartPaste();
    } else if ((key == Qt::Key_Insert && ctrl) || (key == Qt::Key_C && ctrl)) {
        Copy();
    } else if ((key == Qt::Key_Delete && shift) || (key == Qt::Key_X && ctrl)) {
        Cut();
    } else if (key == Qt::Key_Delete && !mods) {
        DeleteSelected();
    } else if ((key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                key == Qt::Key_Down) &&
               (ctrl || shift)) {
        KeyboardStep(key, mods);
    } else if (key == Qt::Key_Escape) {
        close();
    } else {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool TFormSestE::eventFilter(QObject* watched, QEvent* event) {
    if (watched == paper_ && event->type() == QEvent::FocusIn) {
        TDesignerClipboard clip;
        if (ParseDesignerClipboard(ReadClipboardText(), clip)) {
            Action(QStringLiteral("ActionPaste"))->setEnabled(true);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormSestE::reject() {
    if (closing_) {
        QDialog::reject();
        return;
    }
    if (AskSaveOnClose()) {
        closing_ = true;
        QDialog::reject();
    }
}

void TFormSestE::closeEvent(QCloseEvent* event) {
    if (!closing_ && !AskSaveOnClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    QDialog::closeEvent(event);
}
