#include "records/event_book_entry.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "app/help_topics.h"
#include "controls/K_Edit.h"
#include "controls/combo_check.h"
#include "platform/czech_locale.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "records/date_edit_kopa.h"
#include "records/entry_form_parts.h"
#include "records/plain_text_limit.h"

namespace {

constexpr int kDefaultTextWidth = 30;  // characters shown by a field without a limit
constexpr int kWidestTextWidth = 40;
constexpr int kWholeNumberMaximum = 99;

int TextWidth(const QWidget* widget, int characters) {
    const int shown = characters > 0 ? qMin(characters, kWidestTextWidth) : kDefaultTextWidth;
    return widget->fontMetrics().horizontalAdvance(QString(shown, QLatin1Char('n'))) + 12;
}

TKEditKopa* NewWholeNumberEdit(QWidget* parent) {
    auto* edit = new TKEditKopa(parent);
    edit->CommaToPoint = false;
    edit->EditType = teInteger;
    edit->Number.Decimal = 0;
    edit->Number.DecimalShow = 0;
    edit->Number.NumberCount = 0;
    edit->Number.ValueMax = kWholeNumberMaximum;
    edit->Number.RightAlignment = false;
    edit->Loaded();
    return edit;
}

TComboBoxKopa* NewChoice(const TBookInput& input, int maxLength, QWidget* parent) {
    auto* choice = new TComboBoxKopa(parent);
    choice->SetItems(input.items);
    choice->setMaxVisibleItems(qMax(8, static_cast<int>(input.items.size())));
    if (maxLength > 0) {
        choice->lineEdit()->setMaxLength(maxLength);
    }
    return choice;
}

// The text an input holds, as typed.
QString InputText(const QWidget* input) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(input)) {
        return edit->text();
    }
    if (const auto* choice = qobject_cast<const QComboBox*>(input)) {
        return choice->currentText();
    }
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(input)) {
        return memo->toPlainText();
    }
    return QString();
}

}  // namespace

TEventBookEntry::TEventBookEntry(TDM1& dm, const TBookDescription& book, QWidget* parent)
    : TEntryDialog(book.entryObjectName, book.entryCaption, parent), dm_(dm), book_(book) {
    Jmeno_registr = NewRegisteredNameLabel("Jmeno_registr", this);
    for (const TBookInput& input : book.inputs) {
        QWidget* widget = BuildInput(input);
        widget->setObjectName(EntryInputName(input.column));
        inputs_.insert(input.column.toLower(), widget);
        tabOrder_ << widget;
    }
    BuildButtons();
    LayOut();
}

QWidget* TEventBookEntry::BuildInput(const TBookInput& input) {
    const int maxLength = ColumnWidth((dm_.*book_.table).TableName(), input.column);
    switch (input.entryKind) {
        case TBookInputKind::Date: {
            date_ = new TDateEditKopa(this);
            date_->CommaToPoint = book_.entryDateCommaToPoint;
            date_->Loaded();
            date_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) +
                                 20);
            return date_;
        }
        case TBookInputKind::Whole: {
            TKEditKopa* whole = NewWholeNumberEdit(this);
            whole->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
            return whole;
        }
        case TBookInputKind::Choice: {
            TComboBoxKopa* choice = NewChoice(input, maxLength, this);
            choice->setMinimumWidth(TextWidth(this, maxLength) + 24);
            return choice;
        }
        case TBookInputKind::Options:
            return BuildOptions(input);
        case TBookInputKind::Memo: {
            auto* memo = new QPlainTextEdit(this);
            memo->setTabChangesFocus(true);
            LimitPlainText(memo, maxLength);
            memo->setMinimumSize(TextWidth(this, kWidestTextWidth), fontMetrics().height() * 6);
            return memo;
        }
        case TBookInputKind::Text:
            break;
    }
    auto* text = NewEntryEdit<TKEditKopa>("", maxLength, false, this);
    text->setMinimumWidth(TextWidth(this, maxLength));
    return text;
}

// The option group starts at its first option, the preset.
QWidget* TEventBookEntry::BuildOptions(const TBookInput& input) {
    auto* group = new QGroupBox(input.caption, this);
    auto* layout = new QVBoxLayout(group);
    options_ = new QButtonGroup(group);
    for (int i = 0; i < input.items.size(); ++i) {
        auto* option = new QRadioButton(input.items[i], group);
        option->setObjectName(EntryInputName(input.column) + QString::number(i));
        options_->addButton(option, i);
        layout->addWidget(option);
    }
    if (QAbstractButton* preset = options_->button(0)) {
        preset->setChecked(true);
    }
    return group;
}

void TEventBookEntry::BuildButtons() {
    zapis_ = NewFormButton("BtnZapis", QStringLiteral("Zápis"), this);
    storno_ = NewFormButton("BtnStorno", QStringLiteral("Storno"), this);
    help_ = NewHelpButton(book_.helpTopic, this);
    tabOrder_ << zapis_ << storno_ << help_;

    connect(zapis_, &QPushButton::clicked, this, &TEventBookEntry::WriteClick);
    connect(storno_, &QPushButton::clicked, this, &QDialog::reject);
}

void TEventBookEntry::LayOut() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Registr. jméno  "), this), row, 0);
    grid->addWidget(Jmeno_registr, row++, 1);
    for (const TBookInput& input : book_.inputs) {
        QWidget* widget = Input(input.column);
        if (input.entryKind == TBookInputKind::Options) {
            grid->addWidget(widget, row++, 0, 1, 2);
            continue;
        }
        const bool tall = input.entryKind == TBookInputKind::Memo;
        grid->addWidget(NewCaption(input.caption, widget, this), row, 0,
                        tall ? Qt::AlignTop : Qt::Alignment());
        const bool narrow =
            input.entryKind == TBookInputKind::Date || input.entryKind == TBookInputKind::Whole;
        grid->addWidget(widget, row++, 1, narrow ? Qt::AlignLeft : Qt::Alignment());
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddButtonRow(layout, 8, {zapis_}, {storno_, help_});

    ChainTabOrder(tabOrder_);
}

void TEventBookEntry::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (date_ != nullptr) {
        date_->setFocus(Qt::TabFocusReason);
    }
    if (book_.helpOnOpen && !helpShown_) {
        helpShown_ = true;
        ShowHelpTopic(book_.helpTopic);
    }
}

// The book's date and, where the book names one, the input that says what
// the entry is about: a row of nothing but the animal and a date is refused.
QStringList TEventBookEntry::InputFailures() {
    QStringList failures;
    if (!platform::ParseDate(date_->text()).isValid()) {
        failures << QStringLiteral("Neplatné datum");
    }
    for (const TBookInput& input : book_.inputs) {
        if (input.column == book_.requiredColumn &&
            InputText(Input(input.column)).trimmed().isEmpty()) {
            failures << QStringLiteral("Není vyplněno pole „%1“")
                            .arg(QString(input.caption).replace(u'\n', u' '));
        }
    }
    return failures;
}

// The refused row goes; nothing of it stays in the table. The exam book
// closes its table after every write, written or refused.
void TEventBookEntry::WriteEntry() {
    platform::Table& table = dm_.*book_.table;
    try {
        AppendRow(table, [this](platform::Table& row) { FillRow(row); });
    } catch (...) {
        CloseTableIfTheBookSays(table);
        throw;
    }
    CloseTableIfTheBookSays(table);
}

QString TEventBookEntry::RefusalMessage(const platform::StoreError& error) const {
    return book_.refusalMessage.isEmpty() ? error.Message() : book_.refusalMessage;
}

void TEventBookEntry::FillRow(platform::Table& table) const {
    table.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(Jmeno_registr->text());
    for (const TBookInput& input : book_.inputs) {
        FillColumn(table, input);
    }
}

void TEventBookEntry::FillColumn(platform::Table& table, const TBookInput& input) const {
    platform::Field& field = table.FieldByName(input.column);
    if (input.entryKind == TBookInputKind::Options) {
        field.SetAsInteger(options_->checkedId() < 0 ? 0 : options_->checkedId());
        return;
    }
    const QString text = InputText(Input(input.column));
    if (text.isEmpty()) {
        field.Clear();
    } else if (input.entryKind == TBookInputKind::Date) {
        field.SetAsDate(platform::ParseDate(text));
    } else {
        // Numbers go to the store as typed; it refuses what is no number.
        field.SetAsString(text);
    }
}

void TEventBookEntry::CloseTableIfTheBookSays(platform::Table& table) const {
    if (book_.closeTableAfterWrite) {
        table.Close();
    }
}
