#include "records/bound_parts.h"

#include <QStringList>

#include "controls/combo_check.h"
#include "controls/db_memo.h"
#include "controls/k_db_edit.h"
#include "controls/memo_limit.h"

TKDBEditKopa* NewBoundEdit(const char* name, platform::DataSource& source, const char* field,
                           int maxLength, bool commaToPoint, QWidget* parent) {
    auto* edit = new TKDBEditKopa(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->CommaToPoint = commaToPoint;
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    edit->Loaded();
    edit->SetDataSource(&source);
    edit->SetDataField(QString::fromLatin1(field));
    return edit;
}

TKDBEditKopa* NewBoundNameLabel(const char* name, platform::DataSource& source, QWidget* parent) {
    TKDBEditKopa* edit = NewBoundEdit(name, source, "Jmeno_registr", 0, false, parent);
    edit->SetReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QFont bold = edit->font();
    bold.setBold(true);
    edit->setFont(bold);
    return edit;
}

TDBMemoLumex* NewBoundMemo(const char* name, platform::DataSource& source, const char* field,
                           int maxLength, QWidget* parent) {
    auto* memo = new TDBMemoLumex(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->SetDataSource(&source);
    memo->SetDataField(QString::fromLatin1(field));
    if (maxLength > 0) {
        LimitMemoLength(memo, maxLength);
    }
    return memo;
}

TDBComboBoxKopa* NewBoundCombo(const char* name, platform::DataSource& source, const char* field,
                               const QStringList& items, QWidget* parent) {
    auto* combo = new TDBComboBoxKopa(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->SetStyle(csDropDown);
    combo->SetItems(items);
    combo->SetDataSource(&source);
    combo->SetDataField(QString::fromLatin1(field));
    return combo;
}
