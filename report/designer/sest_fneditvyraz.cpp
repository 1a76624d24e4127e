#include "report/designer/sest_fneditvyraz.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "platform/widgets/dialogs.h"
#include "report/designer/design_tools.h"
#include "report/designer/dialog_controls.h"
#include "report/engine/expression.h"
#include "report/engine/sest_fn.h"
#include "report/engine/sestavyt.h"

using namespace designer_ui;

namespace {

constexpr int kMaxItemLength = 32;

// The number followed by two blanks, cut to three characters.
QString Padded(int number) {
    return (QString::number(number) + QStringLiteral("  ")).left(3);
}

QString Item(QChar prefix, int number, const QString& name) {
    return (prefix + Padded(number) + name).left(kMaxItemLength);
}

struct TBuiltIn {
    const char* name;
    int arguments;
};

const std::vector<TBuiltIn>& BuiltIns(int list) {
    static const std::vector<TBuiltIn> lists[4] = {
        {{"ABS", 1},
         {"INT", 1},
         {"SGN", 1},
         {"MAX", 2},
         {"MIN", 2},
         {"ROUND", 1},
         {"EXROUND", 2},
         {"SIN", 1},
         {"COS", 1},
         {"TAN", 1},
         {"COTG", 1},
         {"EXP", 1},
         {"LOG", 1},
         {"ASIN", 1},
         {"ACOS", 1},
         {"ATAN", 1},
         {"ACOTG", 1}},
        {{"LEFT", 2},
         {"RIGHT", 2},
         {"SUBSTR", 3},
         {"LENGTH", 1},
         {"POS", 2},
         {"UPPER", 1},
         {"LOWER", 1},
         {"LTRIM", 1},
         {"RTRIM", 1},
         {"ALLTRIM", 1},
         {"FORMAT", 2},
         {"CHR", 1},
         {"ORD", 1},
         {"STRTONUM", 1},
         {"NUMTOSTR", 1}},
        {{"FORMATDT", 2},
         {"STRTODA", 1},
         {"STRTODT", 1},
         {"YEAR", 1},
         {"MONTH", 1},
         {"DAY", 1},
         {"HOUR", 1},
         {"MINUTE", 1},
         {"SECOND", 1}},
        {{"IIF", 3}, {"ISNULL", 1}},
    };
    return lists[list - TSest_FnEditVyraz::elMath];
}

// What each error code of the expression language means.
QString ErrorDescription(int error) {
    switch (error) {
        case eeUnknownName:
            return QStringLiteral("neznámý název");
        case eeUnexpected:
            return QStringLiteral("nečekaný znak nebo symbol");
        case eeStackFull:
            return QStringLiteral("výraz je příliš složitý");
        case eeUnmatchedClose:
            return QStringLiteral("chybí levá závorka");
        case eeUnclosed:
            return QStringLiteral("chybí pravá závorka");
        case eeDomain:
            return QStringLiteral("nepřípustná hodnota argumentu");
        case eeBadNumber:
            return QStringLiteral("chybné číslo");
        case eeArgumentCount:
            return QStringLiteral("chybný počet argumentů funkce");
        case eeComma:
            return QStringLiteral("čárka mimo volání funkce");
        case eeUnterminatedText:
            return QStringLiteral("neukončený text");
        case eeUnterminatedList:
            return QStringLiteral("neukončený seznam");
        default:
            return QStringLiteral("chyba výrazu");
    }
}

}  // namespace

QString ExpressionErrorMessage(int error, int position) {
    const QString what = QStringLiteral("%1 – %2").arg(error).arg(ErrorDescription(error));
    return QStringLiteral("Chyba : \"%1\" na pozici %2").arg(what).arg(position + 1);
}

// ---- items ---------------------------------------------------------------------------------

QStringList TSest_FnEditVyraz::FieldItems(TSestavaTyp& report) {
    QStringList items;
    for (int i = 0; i < report.FieldCount(); ++i) {
        // Shown whole: the item's reference, not its text, is inserted.
        items << QLatin1Char('#') + Padded(i + 1) + DesignFieldName(report, i, true);
    }
    return items;
}

QStringList TSest_FnEditVyraz::FieldReferences(TSestavaTyp& report) {
    QStringList items;
    for (int i = 0; i < report.FieldCount(); ++i) {
        items << Item(QLatin1Char('#'), i + 1, report.FieldName(i));
    }
    return items;
}

QStringList TSest_FnEditVyraz::ParameterItems(const TSestavaTyp& report) {
    QStringList items;
    for (int i = 0; i < report.Parametry.size(); ++i) {
        items << Item(QLatin1Char('&'), i + 1, QStringLiteral("Parametr %1").arg(i + 1));
    }
    return items;
}

QStringList TSest_FnEditVyraz::VariableItems(const TSestavaTyp& report) {
    QStringList items;
    items << Item(QLatin1Char('%'), 1, QStringLiteral("Datum tisku"))
          << Item(QLatin1Char('%'), 2, QStringLiteral("Čas tisku"))
          << Item(QLatin1Char('%'), 3, QStringLiteral("Číslo řádku"));
    if (!report.IsDetail()) {
        items << Item(QLatin1Char('%'), 4, QStringLiteral("Číslo stránky"));
    }
    for (int g = 1; g <= report.Skupiny().Count(); ++g) {
        items << Item(QLatin1Char('%'), 2 * g + 4, QStringLiteral("Číslo ř. ve sk.%1").arg(g))
              << Item(QLatin1Char('%'), 2 * g + 5, QStringLiteral("Číslo skupiny %1").arg(g));
    }
    return items;
}

QStringList TSest_FnEditVyraz::FunctionItems(const TListFunkci& functions) {
    QStringList items;
    for (int i = 0; i < functions.Count(); ++i) {
        items << Item(QLatin1Char('@'), i + 1, functions[i].name);
    }
    return items;
}

QStringList TSest_FnEditVyraz::BuiltInItems(int list) {
    QStringList items;
    for (const TBuiltIn& f : BuiltIns(list)) {
        items << QLatin1String(f.name) + QLatin1Char('(') +
                     QString(f.arguments - 1, QLatin1Char(',')) + QLatin1Char(')');
    }
    return items;
}

QString TSest_FnEditVyraz::InsertText(int list, const QString& item, bool byName, int& caretStep) {
    const QString text = item.left(kMaxItemLength);
    if (list >= elMath) {
        caretStep = int(text.indexOf(QLatin1Char('('))) + 1;
        return text;
    }
    QString inserted;
    if (byName && (list == elFields || list == elFunctions)) {
        inserted = text.left(1) + text.mid(4);
    } else {
        inserted = text.left(4).remove(QLatin1Char(' '));
    }
    caretStep = int(inserted.size());
    return inserted;
}

// ---- the dialog ------------------------------------------------------------------------------

TSest_FnEditVyraz::TSest_FnEditVyraz(TSestavaTyp& report, const TListFunkci& functions,
                                     bool disableFunctions, bool byName, const QString& text,
                                     QWidget* parent)
    : QDialog(parent), report_(report) {
    setObjectName(QStringLiteral("Sest_FnEditVyraz"));
    setWindowTitle(QStringLiteral("Tvorba výrazu pro výpočet funkce"));
    auto* layout = new QVBoxLayout(this);
    edit_ = new QLineEdit(text, this);
    edit_->setObjectName(QStringLiteral("EditVyraz"));
    edit_->setMinimumWidth(560);
    edit_->installEventFilter(this);
    auto* editRow = new QHBoxLayout;
    editRow->addWidget(Caption(QStringLiteral("Výraz:"), edit_, this));
    editRow->addWidget(edit_, 1);
    auto* positionCaption = new QLabel(QStringLiteral("Pozice:"), this);
    position_ = new QLabel(QStringLiteral("0"), this);
    position_->setObjectName(QStringLiteral("LabelPosition"));
    position_->setMinimumWidth(30);
    editRow->addWidget(positionCaption);
    editRow->addWidget(position_);
    layout->addLayout(editRow);
    layout->addWidget(BuildLists(), 1);
    layout->addWidget(BuildOperators());

    byName_ =
        NamedCheck(QStringLiteral("CBPodleNazvu"), QStringLiteral("Položky podle názvu"), this);
    byName_->setChecked(byName);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(byName_);
    buttons->addStretch();
    insert_ = NamedButton(QStringLiteral("BitBtnVlozit"), QStringLiteral("Vložit"), this);
    insert_->setEnabled(false);
    auto* check = NamedButton(QStringLiteral("BitBtnValid"), QStringLiteral("Kontrola"), this);
    ok_ = NamedButton(QStringLiteral("BitBtnOK"), QStringLiteral("O&K"), this);
    ok_->setDefault(true);
    auto* cancel = NamedButton(QStringLiteral("BitBtnStorno"), QStringLiteral("Storno"), this);
    for (QPushButton* b : {insert_, check, ok_, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(insert_, &QPushButton::clicked, this, [this] {
        if (activeList_ >= 0) {
            InsertFromList(activeList_);
        }
    });
    connect(check, &QPushButton::clicked, this, &TSest_FnEditVyraz::Check);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    lists_[elFields]->addItems(FieldItems(report));
    const QStringList references = FieldReferences(report);
    for (int i = 0; i < references.size(); ++i) {
        lists_[elFields]->item(i)->setData(Qt::UserRole, references.at(i));
    }
    lists_[elParameters]->addItems(ParameterItems(report));
    lists_[elVariables]->addItems(VariableItems(report));
    lists_[elFunctions]->addItems(FunctionItems(functions));
    lists_[elFunctions]->setEnabled(!disableFunctions);
    for (int list = elMath; list <= elLogical; ++list) {
        lists_[list]->addItems(BuiltInItems(list));
    }
}

QWidget* TSest_FnEditVyraz::BuildLists() {
    static const char* names[elListCount] = {"CBFields",    "CBParameters", "CBVariables",
                                             "CBFunctions", "CBFx1",        "CBFx2",
                                             "CBFx3",       "CBFx4"};
    static const char* captions[elListCount] = {
        "Položky tabulky:", "Parametry:", "Proměnné:",          "Uživatelské funkce:",
        "Matematické:",     "Textové:",   "Datumové a časové:", "Logické a ostatní:"};
    auto* host = new QWidget(this);
    auto* grid = new QGridLayout(host);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int list = 0; list < elListCount; ++list) {
        auto* widget = new QListWidget(host);
        widget->setObjectName(QLatin1String(names[list]));
        widget->setMinimumSize(170, 110);
        auto* button =
            NamedButton(QStringLiteral("SbInsert%1").arg(list + 1), QStringLiteral("Vlož"), host);
        button->setEnabled(false);
        button->setAutoDefault(false);
        auto* head = new QHBoxLayout;
        head->addWidget(Caption(QString::fromUtf8(captions[list]), widget, host), 1);
        head->addWidget(button);
        const int row = (list / 4) * 2;
        const int column = list % 4;
        grid->addLayout(head, row, column);
        grid->addWidget(widget, row + 1, column);
        lists_[list] = widget;
        insertButtons_[list] = button;
        connect(widget, &QListWidget::itemClicked, this, [this, list] { EnterList(list); });
        connect(widget, &QListWidget::currentRowChanged, this, [this, list](int row) {
            if (row >= 0) {
                EnterList(list);
            }
        });
        connect(widget, &QListWidget::itemDoubleClicked, this,
                [this, list] { InsertFromList(list); });
        connect(button, &QPushButton::clicked, this, [this, list] { InsertFromList(list); });
    }
    return host;
}

QWidget* TSest_FnEditVyraz::BuildOperators() {
    struct TOperator {
        const char* caption;
        const char* text;
        int step;
    };
    static const TOperator operators[] = {
        {"()", "()", 1},     {"+", "+", 1},       {"-", "-", 1},     {"*", "*", 1},
        {"/", "/", 1},       {"^", "^", 1},       {"=", "=", 1},     {"<", "<", 1},
        {">", ">", 1},       {"<>", "<>", 2},     {"<=", "<=", 2},   {">=", ">=", 2},
        {"NOT", " NOT ", 5}, {"AND", " AND ", 5}, {"OR", " OR ", 4}, {"IN", " IN[]", 5},
    };
    auto* box = new QGroupBox(QStringLiteral("Operátory:"), this);
    auto* row = new QGridLayout(box);
    int n = 0;
    for (const TOperator& op : operators) {
        auto* button = NamedButton(QStringLiteral("SbOperator%1").arg(++n),
                                   QString::fromLatin1(op.caption), box);
        button->setAutoDefault(false);
        const QString text = QString::fromLatin1(op.text);
        const int step = op.step;
        connect(button, &QPushButton::clicked, this,
                [this, text, step] { InsertOperator(text, step); });
        row->addWidget(button, (n - 1) / 8, (n - 1) % 8);
    }
    return box;
}

QString TSest_FnEditVyraz::Text() const {
    return edit_->text();
}

void TSest_FnEditVyraz::EnterList(int list) {
    if (activeList_ != list) {
        if (activeList_ >= 0) {
            QListWidget* previous = lists_[activeList_];
            previous->blockSignals(true);
            previous->clearSelection();
            previous->setCurrentRow(-1);
            previous->blockSignals(false);
            insertButtons_[activeList_]->setEnabled(false);
        }
        activeList_ = list;
    }
    const bool chosen = lists_[list]->currentRow() >= 0;
    insert_->setEnabled(chosen);
    insertButtons_[list]->setEnabled(chosen);
    if (chosen) {
        insert_->setDefault(true);
    }
}

void TSest_FnEditVyraz::InsertOperator(const QString& text, int step) {
    QString current = edit_->text();
    int pos = edit_->cursorPosition();
    if (edit_->hasSelectedText()) {
        pos = edit_->selectionStart();
        current.remove(pos, edit_->selectedText().size());
    }
    current.insert(pos, text);
    edit_->setText(current);
    edit_->setCursorPosition(pos + step);
    edit_->setFocus();
}

void TSest_FnEditVyraz::InsertFromList(int list) {
    QListWidget* widget = lists_[list];
    QListWidgetItem* item = widget->currentItem();
    if (!item || !widget->isEnabled()) {
        return;
    }
    int step = 0;
    const QString reference = item->data(Qt::UserRole).toString();
    const QString text = InsertText(list, reference.isEmpty() ? item->text() : reference,
                                    byName_->isChecked(), step);
    InsertOperator(text, step);
    widget->blockSignals(true);
    widget->clearSelection();
    widget->setCurrentRow(-1);
    widget->blockSignals(false);
    insertButtons_[list]->setEnabled(false);
    insert_->setEnabled(false);
    ok_->setDefault(true);
}

void TSest_FnEditVyraz::Check() {
    TValueProviderScope scope(&report_);
    const TEvalResult result = Evaluate(edit_->text());
    if (result.error == eeOK) {
        platform::ShowMessage(QStringLiteral("Výraz je v pořádku."), QStringLiteral("Informace"),
                              platform::MessageIcon::Information);
        return;
    }
    platform::ShowMessage(ExpressionErrorMessage(result.error, result.position),
                          QStringLiteral("Chyba"), platform::MessageIcon::Warning);
    edit_->setFocus();
    edit_->setCursorPosition(result.position);
    ShowPosition(true);
}

void TSest_FnEditVyraz::ShowPosition(bool focused) {
    position_->setText(QString::number(focused ? edit_->cursorPosition() + 1 : 0));
}

bool TSest_FnEditVyraz::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        switch (event->type()) {
            case QEvent::MouseButtonRelease:
            case QEvent::KeyRelease:
                ShowPosition(true);
                break;
            case QEvent::FocusOut:
                ShowPosition(false);
                break;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool EditExpression(TSestavaTyp& report, const TListFunkci& functions, bool disableFunctions,
                    bool byName, QString& text, QWidget* parent) {
    TSest_FnEditVyraz dialog(report, functions, disableFunctions, byName, text, parent);
    if (platform::ExecModal(dialog) != QDialog::Accepted) {
        return false;
    }
    text = dialog.Text();
    return true;
}
