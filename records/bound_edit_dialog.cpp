#include "records/bound_edit_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/db_grid.h"
#include "controls/db_navigator.h"
#include "records/entry_form_parts.h"

TBoundEditDialog::TBoundEditDialog(const QString& objectName, const QString& caption,
                                   platform::DataSet& rows, platform::DataSource& source,
                                   const std::vector<TGridColumn>& columns, QWidget* parent)
    : QDialog(parent), rows_(rows), source_(source) {
    setObjectName(objectName);
    setWindowTitle(caption);
    navigator_ = NewEditNavigator(source, this);

    grid_ = new TDbGridKOPA(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->SetDataSource(&source);
    QStringList names;
    for (const TGridColumn& column : columns) {
        names << column.column;
    }
    grid_->SetColumns(names);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        if (!columns[i].title.isEmpty()) {
            grid_->SetColumnTitle(i, columns[i].title);
        }
    }
}

void TBoundEditDialog::LayOutAround(QLayout* detail, int gridStretch, int gap) {
    close_ = NewFormButton("BtnClose", QStringLiteral("Zavřít"), this);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* body = new QHBoxLayout;
    body->addWidget(grid_, gridStretch);
    if (gap > 0) {
        body->addSpacing(gap);
    }
    body->addLayout(detail, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(navigator_);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
}

void TBoundEditDialog::done(int result) {
    if (!PostPendingEdit(rows_)) {
        return;
    }
    QDialog::done(result);
}
