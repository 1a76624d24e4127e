#include "records/entry_form_parts.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "app/help_topics.h"
#include "controls/db_navigator.h"
#include "controls/field_data_link.h"
#include "platform/czech_locale.h"
#include "platform/messages.h"
#include "platform/store/dataset.h"
#include "platform/store/field.h"
#include "platform/store/schema.h"
#include "platform/store/store_error.h"
#include "platform/store/table.h"

namespace {

constexpr int kHintDurationMs = 6000;

constexpr TButtonSet kEditNavigatorButtons =
    NavButton(nbFirst) | NavButton(nbPrior) | NavButton(nbNext) | NavButton(nbLast) |
    NavButton(nbDelete) | NavButton(nbEdit) | NavButton(nbPost) | NavButton(nbCancel);

}  // namespace

void ShowErrorBox(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

bool ShowEachError(const QStringList& messages) {
    for (const QString& message : messages) {
        ShowErrorBox(message);
    }
    return !messages.isEmpty();
}

QPushButton* NewFormButton(const char* name, const QString& caption, QWidget* parent,
                           const QString& hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    if (!hint.isEmpty()) {
        button->setToolTip(hint);
        button->setToolTipDuration(kHintDurationMs);
    }
    return button;
}

QLabel* NewCaption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QLabel* NewRegisteredNameLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QToolButton* NewHelpButton(int topic, QWidget* parent) {
    auto* help = new QToolButton(parent);
    help->setObjectName(QStringLiteral("BitBtnHelp"));
    help->setText(QStringLiteral("Nápověda"));
    help->setToolTip(QStringLiteral("Nápověda"));
    help->setIcon(parent->style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    help->setIconSize(QSize(20, 20));
    help->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    help->setAutoRaise(true);
    QObject::connect(help, &QToolButton::clicked, parent, [topic] { ShowHelpTopic(topic); });
    return help;
}

TDBNavigatorKopa* NewEditNavigator(platform::DataSource& source, QWidget* parent) {
    auto* navigator = new TDBNavigatorKopa(parent);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    navigator->SetVisibleButtons(kEditNavigatorButtons);
    navigator->SetCaptions({QStringLiteral("První"), QStringLiteral("Vzad"),
                            QStringLiteral("Vpřed"), QStringLiteral("Konec"), QString(),
                            QStringLiteral("Smaž"), QStringLiteral("Oprav"), QStringLiteral("Ulož"),
                            QStringLiteral("Storno")});
    navigator->SetDataSource(&source);
    return navigator;
}

void OpenIfClosed(platform::DataSet& dataSet) {
    if (!dataSet.IsActive()) {
        dataSet.Open();
    }
}

void AppendRow(platform::Table& table, const std::function<void(platform::Table&)>& fill) {
    OpenIfClosed(table);
    table.Append();
    try {
        fill(table);
        table.Post();
    } catch (...) {
        if (table.IsActive() && table.State() != platform::DataSetState::Browse) {
            table.Cancel();
        }
        throw;
    }
}

bool PostPendingEdit(platform::DataSet& dataSet) {
    if (!dataSet.IsActive() || (dataSet.State() != platform::DataSetState::Edit &&
                                dataSet.State() != platform::DataSetState::Insert)) {
        return true;
    }
    try {
        UpdateBoundControls(dataSet);
        dataSet.Post();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return false;
    }
    return true;
}

int ColumnWidth(const QString& table, const QString& column) {
    const platform::TableSchema* schema = platform::FindTableSchema(table);
    const platform::ColumnSchema* found = schema != nullptr ? schema->FindColumn(column) : nullptr;
    return found != nullptr && found->type == platform::ColumnType::Text ? found->width : 0;
}

void ChainTabOrder(const QList<QWidget*>& order) {
    for (int i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void SetDateFromText(platform::Field& field, const QString& text) {
    const QDate date = platform::ParseDate(text.trimmed());
    if (date.isValid() || text.trimmed().isEmpty()) {
        field.SetAsDate(date);
    } else {
        field.SetAsString(text);
    }
}
