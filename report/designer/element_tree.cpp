#include "report/designer/element_tree.h"

#include <QKeyEvent>
#include <QSet>

#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/engine/sestavyt.h"

Q_DECLARE_METATYPE(TSesPrvek*)

TElementTree::TElementTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("TreeViewPrvky"));
    setHeaderHidden(true);
    setMinimumWidth(220);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        TSesPrvek* element = ElementOf(item);
        if (element && designer_ && !rebuilding_) {
            designer_->SelectTool();
            designer_->FocusElement(element);
        }
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        TSesPrvek* element = ElementOf(item);
        if (element && designer_) {
            designer_->FocusElement(element);
            designer_->ElementDoubleClick(element);
        }
    });
}

TSesPrvek* TElementTree::ElementOf(QTreeWidgetItem* item) const {
    return item ? item->data(0, Qt::UserRole).value<TSesPrvek*>() : nullptr;
}

QTreeWidgetItem* TElementTree::ItemOf(const TSesPrvek* element) const {
    for (QTreeWidgetItemIterator it(const_cast<TElementTree*>(this)); *it; ++it) {
        if (ElementOf(*it) == element) {
            return *it;
        }
    }
    return nullptr;
}

void TElementTree::Rebuild(TFormSestE& designer) {
    designer_ = &designer;
    rebuilding_ = true;
    QSet<int> expanded;
    const bool first = topLevelItemCount() == 0;
    if (QTreeWidgetItem* root = topLevelItem(0)) {
        for (int i = 0; i < root->childCount(); ++i) {
            if (root->child(i)->isExpanded()) {
                expanded.insert(root->child(i)->data(0, Qt::UserRole + 1).toInt());
            }
        }
    }
    clear();
    TSestavaTyp& report = designer.Report();
    auto* root = new QTreeWidgetItem(this, QStringList(report.Popis()));
    TPapir* paper = designer.Paper();
    for (int code : BandDisplayOrder(report.Skupiny().Count())) {
        TOddil* band = paper->Band(code);
        if (!band) {
            continue;
        }
        auto* node = new QTreeWidgetItem(
            root, QStringList(QStringLiteral("Oddil: %1").arg(band->Caption())));
        node->setData(0, Qt::UserRole + 1, code);
        QFont font = node->font(0);
        font.setBold(true);
        font.setItalic(!band->BandVisible());
        node->setFont(0, font);
        for (TSesPrvek* element : band->Elements()) {
            QString name =
                ElementDescription(report, element->Element(), designer.Settings().popisyPol);
            if (name.size() >= 80) {
                name = name.left(76) + QStringLiteral("...");
            }
            auto* leaf = new QTreeWidgetItem(node, QStringList(name));
            leaf->setData(0, Qt::UserRole, QVariant::fromValue(element));
            QFont leafFont = leaf->font(0);
            leafFont.setItalic(!band->BandVisible());
            leaf->setFont(0, leafFont);
            if (element->Focused() || element->Marked()) {
                leaf->setForeground(0, Qt::red);
            }
        }
        node->setExpanded(first || expanded.contains(code));
    }
    root->setExpanded(true);
    rebuilding_ = false;
}

void TElementTree::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && designer_) {
        designer_->DeleteSelected();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
