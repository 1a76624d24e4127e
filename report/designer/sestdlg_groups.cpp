// TSestDlg: the groups of "Skupiny". Every change goes to the designer's
// group at once; "Storno" does not take it back.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "platform/messages.h"
#include "report/designer/sest_fneditvyraz.h"
#include "report/designer/sestdlg.h"
#include "report/engine/sestavyt.h"
#include "report/output/length_units.h"

namespace {

constexpr int kDefaultGroupHeight = 24;

// "Skupinová položka podle názvu": a group expression that names its field.
bool ByName(const QString& expression) {
    return !expression.isEmpty() && !expression.front().isDigit();
}

}  // namespace

void TSestDlg::RefillGroups() {
    const int keep = groups_->currentRow();
    editedGroup_ = nullptr;
    groups_->blockSignals(true);
    groups_->clear();
    const TListSkupin& groups = host_.Report().Skupiny();
    for (int i = 0; i < groups.Count(); ++i) {
        groups_->addItem(groups[i].Name());
    }
    groups_->blockSignals(false);
    GroupSelected(keep < groups_->count() ? keep : -1);
}

void TSestDlg::SelectGroup(int position) {
    groups_->setCurrentRow(position);
    GroupSelected(position);
}

void TSestDlg::GroupSelected(int row) {
    TListSkupin& groups = host_.Report().Skupiny();
    const bool valid = row >= 0 && row < groups.Count();
    const bool wasFilling = filling_;
    filling_ = true;
    editedGroup_ = nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{
             groupExpression_, groupExpressionButton_, groupHeader_, groupHeaderHeight_,
             groupFooter_, groupFooterHeight_, groupNewPage_}) {
        w->setEnabled(valid);
    }
    deleteGroup_->setEnabled(valid && row == groups.Count() - 1);
    upGroup_->setEnabled(valid && row > 0);
    if (valid) {
        TPolSkup& group = groups[row];
        groupExpression_->setText(group.expression);
        groupHeader_->setChecked(group.header && group.header->visible);
        groupFooter_->setChecked(group.footer && group.footer->visible);
        const int unit = std::max(0, shownUnit_);
        groupHeaderHeight_->setText(
            QString::number(ShowInUnit(group.header ? group.header->height : 0, unit)));
        groupFooterHeight_->setText(
            QString::number(ShowInUnit(group.footer ? group.footer->height : 0, unit)));
        groupNewPage_->setChecked(group.newPage);
        groupByName_->setChecked(ByName(group.expression));
    } else {
        for (QLineEdit* edit : {groupExpression_, groupHeaderHeight_, groupFooterHeight_}) {
            edit->clear();
        }
        for (QCheckBox* box : {groupHeader_, groupFooter_, groupNewPage_, groupByName_}) {
            box->setChecked(false);
        }
    }
    filling_ = wasFilling;
    editedGroup_ = valid ? &groups[row] : nullptr;
}

void TSestDlg::GroupEdited() {
    if (filling_ || !editedGroup_) {
        return;
    }
    TPolSkup& group = *editedGroup_;
    groupsChanged_ = true;
    const int unit = std::max(0, shownUnit_);
    auto height = [unit](const QLineEdit* edit) {
        bool ok = false;
        const int shown = edit->text().trimmed().toInt(&ok);
        return ok ? TakeFromUnit(shown, unit) : kDefaultGroupHeight;
    };
    group.expression = groupExpression_->text();
    group.newPage = groupNewPage_->isChecked();
    if (group.header) {
        group.header->visible = groupHeader_->isChecked();
        group.header->height = height(groupHeaderHeight_);
    }
    if (group.footer) {
        group.footer->visible = groupFooter_->isChecked();
        group.footer->height = height(groupFooterHeight_);
    }
    groupByName_->setChecked(ByName(group.expression));
}

void TSestDlg::InsertGroup() {
    groupsChanged_ = true;
    editedGroup_ = nullptr;
    host_.AddGroup(QString(), false, kDefaultGroupHeight, false, kDefaultGroupHeight, false);
    RefillGroups();
    SelectGroup(groups_->count() - 1);
}

void TSestDlg::DeleteGroup() {
    const int row = groups_->currentRow();
    if (row < 0 || row != groups_->count() - 1) {
        return;
    }
    if (platform::ShowMessage(QStringLiteral("Opravdu smazat vybranou skupinu včetně případných "
                                             "vložených prvků sestavy?"),
                              QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
                              platform::mbYes | platform::mbNo) != platform::mbYes) {
        return;
    }
    editedGroup_ = nullptr;
    groupsChanged_ = true;
    host_.DeleteLastGroup();
    groups_->setCurrentRow(-1);
    RefillGroups();
    deleteGroup_->setEnabled(false);
}

void TSestDlg::MoveGroupUp() {
    const int row = groups_->currentRow();
    if (row <= 0 || row >= groups_->count()) {
        return;
    }
    editedGroup_ = nullptr;
    groupsChanged_ = true;
    host_.MoveGroupUp(row);
    RefillGroups();
    SelectGroup(row - 1);
}

void TSestDlg::EditGroupExpression() {
    if (!editedGroup_) {
        return;
    }
    QString text = groupExpression_->text();
    TSestavaTyp& report = host_.Report();
    if (EditExpression(report, report.Funkce(), true, host_.FollowByName(), text, this)) {
        groupExpression_->setText(text);
    }
}

// A group whose key cannot be evaluated would split the report at random;
// "&Konec" names it and shows it instead of closing.
bool TSestDlg::CheckGroupExpressions() {
    TSestavaTyp& report = host_.Report();
    TValueProviderScope scope(&report);
    const TListSkupin& groups = report.Skupiny();
    for (int i = 0; i < groups.Count(); ++i) {
        const TEvalResult result = Evaluate(NormaliseGroupExpression(groups[i].expression));
        if (result.error == eeOK) {
            continue;
        }
        platform::ShowMessage(QStringLiteral("Skupinový výraz skupiny %1 nelze vyhodnotit.\n%2")
                                  .arg(i + 1)
                                  .arg(ExpressionErrorMessage(result.error, result.position)),
                              QStringLiteral("Chyba"), platform::MessageIcon::Warning);
        tabs_->setTabVisible(tbSkupiny, true);
        tabs_->setCurrentIndex(tbSkupiny);
        SelectGroup(i);
        return false;
    }
    return true;
}
