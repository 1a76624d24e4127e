#pragma once
// TDlgNovaSestava: the new-template wizard. The user picks data fields into
// the list of chosen fields, a style and the kind of captions; "&Navrhnout"
// drafts the template from them, "&Ručně" leaves it empty for design by hand.

#include <QDialog>

#include "report/designer/template_draft.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QToolButton;

class TDlgNovaSestava : public QDialog {
    Q_OBJECT
  public:
    // Results: "&Navrhnout", "&Ručně", "Storno".
    static constexpr int kDraft = 1;
    static constexpr int kByHand = 7;
    static constexpr int kCancel = 2;

    TDlgNovaSestava(const QList<TDraftField>& fields, bool sledPodle, QWidget* parent = nullptr);

    QListWidget* SrcList() const { return srcList_; }
    QListWidget* DstList() const { return dstList_; }
    // The choice as the dialog shows it.
    TDraftChoice Choice() const;

    void Include();
    void IncludeAll();
    void Exclude();
    void ExcludeAll();
    // "&Formát papíru": the paper page of the template settings, when they exist.
    std::function<void()> OnPaperFormat;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    static void MoveSelected(QListWidget* from, QListWidget* to);
    void UpdateButtons();
    void Draft();

    QListWidget* srcList_;
    QListWidget* dstList_;
    QPushButton* include_;
    QPushButton* includeAll_;
    QPushButton* exclude_;
    QPushButton* excludeAll_;
    QToolButton* columnStyle_;
    QToolButton* rowStyle_;
    QCheckBox* byName_;
    QCheckBox* captions_;
    QCheckBox* captionsAsText_;
};
