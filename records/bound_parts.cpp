#include "records/bound_parts.h"

#include <QStringList>

#include "controls/combo_check.h"
#include "controls/db_memo.h"
#include "controls/k_db_edit.h"
#include "controls/memo_limit.h"

TKDBEditKopa* NewBoundEdit(const QString& name, platform::DataSource& source, const QString& field,
                           int maxLength, bool commaToPoint, QWidget* parent) {
    auto* edit = new TKDBEditKopa(parent);
    edit->setObjectName(name);
    edit->CommaToPoint = commaToPoint;
    // The field sets its own input limit each time it shows a row, from
    // the column and this.
    edit->MaxLength = maxLength;
    edit->Loaded();
    edit->SetDataSource(&source);
    edit->SetDataField(field);
    return edit;
}

TKDBEditKopa* NewBoundNameLabel(const QString& name, platform::DataSource& source,
                                QWidget* parent) {
    TKDBEditKopa* edit =
        NewBoundEdit(name, source, QStringLiteral("Jmeno_registr"), 0, false, parent);
    edit->SetReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QFont bold = edit->font();
    bold.setBold(true);
    edit->setFont(bold);
    return edit;
}

TDBMemoLumex* NewBoundMemo(const QString& name, platform::DataSource& source, const QString& field,
                           int maxLength, QWidget* parent) {
    auto* memo = new TDBMemoLumex(parent);
    memo->setObjectName(name);
    memo->SetDataSource(&source);
    memo->SetDataField(field);
    if (maxLength > 0) {
        LimitMemoLength(memo, maxLength);
    }
    return memo;
}

TDBComboBoxKopa* NewBoundCombo(const QString& name, platform::DataSource& source,
                               const QString& field, const QStringList& items, QWidget* parent) {
    auto* combo = new TDBComboBoxKopa(parent);
    combo->setObjectName(name);
    combo->SetStyle(csDropDown);
    combo->SetItems(items);
    combo->SetDataSource(&source);
    combo->SetDataField(field);
    return combo;
}
