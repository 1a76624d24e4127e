#pragma once
// TPrintBtnKopa: the three-way print button of a tool bar. A click runs its
// report in the current kind: preview, print, or the template in the
// designer; the right mouse button cycles the kind preview → print → edit →
// preview, and the button's picture and caption follow the kind.
//
// A click first calls OnClick, then: without a report the error box "Není
// připojena žádná sestava"; otherwise OnBeforeReport may cancel the run, the
// run is made, and OnAfterReport follows it.

#include <QIcon>
#include <QList>
#include <QToolButton>
#include <functional>

#include "report/engine/sestavy.h"

class TPrintBtnKopa : public QToolButton {
    Q_OBJECT
  public:
    explicit TPrintBtnKopa(QWidget* parent = nullptr);

    TSestava* Report() const { return report_; }
    void SetReport(TSestava* report) { report_ = report; }

    TKindPrint KindPrint() const { return kind_; }
    void SetKindPrint(TKindPrint kind);
    // Whether kpEdit may be chosen; without it an edit kind falls back to
    // preview.
    bool EditEnabled() const { return editEnabled_; }
    void SetEditEnabled(bool enabled);
    // Whether the right mouse button cycles the kind.
    bool MoveEnabled() const { return moveEnabled_; }
    void SetMoveEnabled(bool enabled);

    // Zoom in percent the preview opens with.
    int ZoomPreview = 75;

    // Pictures of the kinds: positions in Images().
    int ImageIndexPreview() const { return imageIndex_[kpPreview]; }
    int ImageIndexPrint() const { return imageIndex_[kpPrint]; }
    int ImageIndexEdit() const { return imageIndex_[kpEdit]; }
    void SetImageIndex(TKindPrint kind, int index);
    const QList<QIcon>& Images() const { return images_; }
    void SetImages(const QList<QIcon>& images);

    QString CaptionPreview() const { return captions_[kpPreview]; }
    QString CaptionPrint() const { return captions_[kpPrint]; }
    QString CaptionEdit() const { return captions_[kpEdit]; }
    void SetCaption(TKindPrint kind, const QString& caption);

    // The platform's click, before the run.
    std::function<void(TPrintBtnKopa&)> OnClick;
    // Asked before every run; clearing `pokracovat` cancels it.
    std::function<void(TPrintBtnKopa&, bool& pokracovat)> OnBeforeReport;
    // After every run that was made.
    std::function<void(TPrintBtnKopa&)> OnAfterReport;
    // After the right-button handling.
    std::function<void(TPrintBtnKopa&)> OnRightMouseDown;

    // What a click does after OnClick.
    void RunReport();

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void UpdateDisplay();
    void RunKind();

    TSestava* report_ = nullptr;
    TKindPrint kind_ = kpPreview;
    bool editEnabled_ = true;
    bool moveEnabled_ = true;
    int imageIndex_[3] = {1, 2, 3};
    QString captions_[3];
    QList<QIcon> images_;
};

// The pictures of the three kinds at positions 1 (preview: a page under a
// magnifying glass), 2 (print: a printer) and 3 (edit: a page and a pencil);
// position 0 is a plain page.
QList<QIcon> PrintButtonImages();
