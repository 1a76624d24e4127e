#include "records/event_book_edit.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>

#include "app/dmunit.h"
#include "controls/combo_check.h"
#include "controls/db_grid.h"
#include "controls/db_memo.h"
#include "controls/db_radio_group.h"
#include "controls/k_db_edit.h"
#include "records/bound_parts.h"
#include "records/entry_form_parts.h"
#include "records/plain_text_limit.h"

namespace {

constexpr int kFieldWidth = 36;  // characters of the widest detail field

}  // namespace

TEventBookEdit::TEventBookEdit(TDM1& dm, const TBookDescription& book, QWidget* parent)
    : TBoundEditDialog(book.editObjectName, book.editCaption, dm.*book.table, dm.*book.source,
                       book.gridColumns, parent),
      dm_(dm),
      book_(book) {
    Grid()->SetRowSelect(true);
    registeredName_ =
        NewBoundNameLabel(EditInputName(QStringLiteral("Jmeno_registr")), Source(), this);
    for (const TBookInput& input : book.inputs) {
        QWidget* widget = BuildInput(input);
        widget->setObjectName(EditInputName(input.column));
        inputs_.insert(input.column.toLower(), widget);
    }
    LayOut();
}

QWidget* TEventBookEdit::BuildInput(const TBookInput& input) {
    const int maxLength = ColumnWidth((dm_.*book_.table).TableName(), input.column);
    switch (input.editKind) {
        case TBookInputKind::Date: {
            TKDBEditKopa* date = NewBoundEdit(QString(), Source(), input.column, 0,
                                              book_.editDateCommaToPoint, this);
            date->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 20);
            return date;
        }
        case TBookInputKind::Choice: {
            auto* choice = new TDBComboBoxKopa(this);
            choice->SetItems(input.editItems);
            if (maxLength > 0) {
                choice->lineEdit()->setMaxLength(maxLength);
            }
            choice->SetDataSource(&Source());
            choice->SetDataField(input.column);
            return choice;
        }
        case TBookInputKind::Memo: {
            auto* memo = new TDBMemoLumex(this);
            LimitPlainText(memo, maxLength);
            memo->SetDataSource(&Source());
            memo->SetDataField(input.column);
            memo->setMinimumHeight(fontMetrics().height() * 5);
            return memo;
        }
        case TBookInputKind::Options: {
            auto* group = new TDBRadioGroupInt(this);
            group->setTitle(input.caption);
            group->SetItems(input.items);
            group->SetDataSource(&Source());
            group->SetDataField(input.column);
            return group;
        }
        case TBookInputKind::Whole:
        case TBookInputKind::Text:
            break;
    }
    return NewBoundEdit(QString(), Source(), input.column, maxLength, false, this);
}

void TEventBookEdit::LayOut() {
    const int fieldWidth = fontMetrics().horizontalAdvance(QString(kFieldWidth, QLatin1Char('n')));
    registeredName_->setMinimumWidth(fieldWidth);
    // The grid is as wide as the rows it shows need, within bounds.
    TDbGridKOPA* grid = Grid();
    grid->resizeColumnsToContents();
    int rowWidth = grid->verticalHeader()->sizeHint().width() + 4;
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        rowWidth += grid->columnWidth(c);
    }
    grid->setMinimumWidth(qBound(fieldWidth, rowWidth, fieldWidth * 2));
    grid->horizontalHeader()->setStretchLastSection(true);

    auto* detail = new QGridLayout;
    detail->setColumnStretch(1, 1);
    int row = 0;
    detail->addWidget(NewCaption(QStringLiteral("Registr. jméno  "), registeredName_, this), row,
                      0);
    detail->addWidget(registeredName_, row++, 1);
    for (const TBookInput& input : book_.inputs) {
        QWidget* widget = Input(input.column);
        if (input.editKind == TBookInputKind::Options) {
            detail->addWidget(widget, row++, 0, 1, 2);
            continue;
        }
        const bool tall = input.editKind == TBookInputKind::Memo;
        detail->addWidget(NewCaption(input.caption, widget, this), row, 0,
                          tall ? Qt::AlignTop : Qt::Alignment());
        const bool narrow = input.editKind == TBookInputKind::Date;
        detail->addWidget(widget, row++, 1, narrow ? Qt::AlignLeft : Qt::Alignment());
    }
    detail->setRowStretch(row, 1);

    LayOutAround(detail, 1, 8);
    resize(qMax(fieldWidth * 3, sizeHint().width()),
           qMax(sizeHint().height(), fontMetrics().height() * 24));
}
