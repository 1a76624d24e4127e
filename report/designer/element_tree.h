#pragma once
// The element tree beside the paper: the report, one node per band in
// display order, one node per element with its descriptive name.

#include <QTreeWidget>

class TFormSestE;
class TSesPrvek;

class TElementTree : public QTreeWidget {
    Q_OBJECT
  public:
    explicit TElementTree(QWidget* parent = nullptr);

    // Rebuilds the tree; band nodes that were expanded stay expanded.
    void Rebuild(TFormSestE& designer);
    // The design element of a node, or null for the report and band nodes.
    TSesPrvek* ElementOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemOf(const TSesPrvek* element) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    TFormSestE* designer_ = nullptr;
    bool rebuilding_ = false;
};
