#include "records/event_book_edit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "controls/db_grid.h"
#include "controls/db_memo.h"
#include "controls/db_navigator.h"
#include "controls/db_radio_group.h"
#include "controls/field_data_link.h"
#include "controls/k_db_edit.h"
#include "platform/store/store_error.h"
#include "records/entry_form_parts.h"
#include "records/plain_text_limit.h"

namespace {

constexpr TButtonSet kNavigatorButtons =
    NavButton(nbFirst) | NavButton(nbPrior) | NavButton(nbNext) | NavButton(nbLast) |
    NavButton(nbDelete) | NavButton(nbEdit) | NavButton(nbPost) | NavButton(nbCancel);

constexpr int kFieldWidth = 36;  // characters of the widest detail field

}  // namespace

TEventBookEdit::TEventBookEdit(TDM1& dm, const TBookDescription& book, QWidget* parent)
    : QDialog(parent), dm_(dm), book_(book), source_(dm.*book.source) {
    setObjectName(book.editObjectName);
    setWindowTitle(book.editCaption);
    BuildNavigatorAndGrid();
    registeredName_ = BoundEdit(QStringLiteral("Jmeno_registr"), 0, false);
    registeredName_->setObjectName(EditInputName(QStringLiteral("Jmeno_registr")));
    registeredName_->SetReadOnly(true);
    registeredName_->setFocusPolicy(Qt::NoFocus);
    QFont bold = registeredName_->font();
    bold.setBold(true);
    registeredName_->setFont(bold);
    for (const TBookInput& input : book.inputs) {
        QWidget* widget = BuildInput(input);
        widget->setObjectName(EditInputName(input.column));
        inputs_.insert(input.column.toLower(), widget);
    }
    close_ = new QPushButton(QStringLiteral("Zavřít"), this);
    close_->setObjectName(QStringLiteral("BtnClose"));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    LayOut();
}

void TEventBookEdit::BuildNavigatorAndGrid() {
    navigator_ = new TDBNavigatorKopa(this);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->SetVisibleButtons(kNavigatorButtons);
    navigator_->SetCaptions({QStringLiteral("První"), QStringLiteral("Vzad"),
                             QStringLiteral("Vpřed"), QStringLiteral("Konec"), QString(),
                             QStringLiteral("Smaž"), QStringLiteral("Oprav"),
                             QStringLiteral("Ulož"), QStringLiteral("Storno")});
    navigator_->SetDataSource(&source_);

    grid_ = new TDbGridKOPA(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->SetDataSource(&source_);
    grid_->SetRowSelect(true);
    QStringList columns;
    for (const TBookGridColumn& column : book_.gridColumns) {
        columns << column.column;
    }
    grid_->SetColumns(columns);
    for (int i = 0; i < static_cast<int>(book_.gridColumns.size()); ++i) {
        if (!book_.gridColumns[i].title.isEmpty()) {
            grid_->SetColumnTitle(i, book_.gridColumns[i].title);
        }
    }
}

TKDBEditKopa* TEventBookEdit::BoundEdit(const QString& column, int maxLength, bool commaToPoint) {
    auto* edit = new TKDBEditKopa(this);
    edit->CommaToPoint = commaToPoint;
    edit->MaxLength = maxLength;
    edit->Loaded();
    edit->SetDataSource(&source_);
    edit->SetDataField(column);
    return edit;
}

QWidget* TEventBookEdit::BuildInput(const TBookInput& input) {
    const int maxLength = ColumnWidth((dm_.*book_.table).TableName(), input.column);
    switch (input.editKind) {
        case TBookInputKind::Date: {
            TKDBEditKopa* date = BoundEdit(input.column, 0, book_.editDateCommaToPoint);
            date->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 20);
            return date;
        }
        case TBookInputKind::Choice: {
            auto* choice = new TDBComboBoxKopa(this);
            choice->SetItems(input.editItems);
            if (maxLength > 0) {
                choice->lineEdit()->setMaxLength(maxLength);
            }
            choice->SetDataSource(&source_);
            choice->SetDataField(input.column);
            return choice;
        }
        case TBookInputKind::Memo: {
            auto* memo = new TDBMemoLumex(this);
            LimitPlainText(memo, maxLength);
            memo->SetDataSource(&source_);
            memo->SetDataField(input.column);
            memo->setMinimumHeight(fontMetrics().height() * 5);
            return memo;
        }
        case TBookInputKind::Options: {
            auto* group = new TDBRadioGroupInt(this);
            group->setTitle(input.caption);
            group->SetItems(input.items);
            group->SetDataSource(&source_);
            group->SetDataField(input.column);
            return group;
        }
        case TBookInputKind::Whole:
        case TBookInputKind::Text:
            break;
    }
    return BoundEdit(input.column, maxLength, false);
}

void TEventBookEdit::LayOut() {
    const int fieldWidth = fontMetrics().horizontalAdvance(QString(kFieldWidth, QLatin1Char('n')));
    registeredName_->setMinimumWidth(fieldWidth);
    // The grid is as wide as the rows it shows need, within bounds.
    grid_->resizeColumnsToContents();
    int rowWidth = grid_->verticalHeader()->sizeHint().width() + 4;
    for (int c = 0; c < grid_->model()->columnCount(); ++c) {
        rowWidth += grid_->columnWidth(c);
    }
    grid_->setMinimumWidth(qBound(fieldWidth, rowWidth, fieldWidth * 2));
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* detail = new QGridLayout;
    detail->setColumnStretch(1, 1);
    int row = 0;
    auto* nameCaption = new QLabel(QStringLiteral("Registr. jméno  "), this);
    nameCaption->setBuddy(registeredName_);
    detail->addWidget(nameCaption, row, 0);
    detail->addWidget(registeredName_, row++, 1);
    for (const TBookInput& input : book_.inputs) {
        QWidget* widget = Input(input.column);
        if (input.editKind == TBookInputKind::Options) {
            detail->addWidget(widget, row++, 0, 1, 2);
            continue;
        }
        auto* caption = new QLabel(input.caption, this);
        caption->setBuddy(widget);
        const bool tall = input.editKind == TBookInputKind::Memo;
        detail->addWidget(caption, row, 0, tall ? Qt::AlignTop : Qt::Alignment());
        const bool narrow = input.editKind == TBookInputKind::Date;
        detail->addWidget(widget, row++, 1, narrow ? Qt::AlignLeft : Qt::Alignment());
    }
    detail->setRowStretch(row, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(grid_, 1);
    body->addSpacing(8);
    body->addLayout(detail, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(navigator_);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
    resize(qMax(fieldWidth * 3, sizeHint().width()),
           qMax(sizeHint().height(), fontMetrics().height() * 24));
}

bool TEventBookEdit::PostPendingEdit() {
    platform::DataSet& rows = dm_.*book_.table;
    if (!rows.IsActive() || (rows.State() != platform::DataSetState::Edit &&
                             rows.State() != platform::DataSetState::Insert)) {
        return true;
    }
    try {
        UpdateBoundControls(rows);
        rows.Post();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return false;
    }
    return true;
}

void TEventBookEdit::done(int result) {
    if (!PostPendingEdit()) {
        return;
    }
    QDialog::done(result);
}
