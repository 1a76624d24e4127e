#pragma once
// TDBNavigatorKopa: the record navigator of the forms, ten buttons over a
// data source with Czech captions ("První" ... "Načti"). Moving buttons go
// through the records, the editing buttons insert, delete (after a
// confirmation), edit, post, cancel and re-read. An assigned OnClick… hook
// replaces the standard action of its button. The buttons follow the data
// set: nothing works on a closed one, the editing buttons are unavailable on
// one that cannot be edited (a query), and post and cancel only while a
// record is being edited. The buttons take no focus, so a change still held
// by the focused bound field is written before the action runs.

#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

#include "platform/store/datasource.h"

class QToolButton;

enum TNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh
};
constexpr int kNavigatorButtonCount = 10;

// A set of TNavigateBtn members.
using TButtonSet = unsigned;
constexpr TButtonSet NavButton(TNavigateBtn button) {
    return 1u << button;
}
constexpr TButtonSet kAllNavButtons = (1u << kNavigatorButtonCount) - 1;

enum TNavigOrientation { noHorizontal, noVertical };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The navigator's length shared by `count` buttons: each button's start and
// size. The pixels left over by the division go one each to the buttons an
// error diffusion starting at half a button picks, so they spread evenly.
struct NavigatorSpan {
    int start = 0;
    int size = 0;
};
std::vector<NavigatorSpan> ShareNavigatorLength(int length, int count);

class TDBNavigatorKopa : public QWidget, public platform::DataSourceListener {
    Q_OBJECT
  public:
    static constexpr int kMinButtonWidth = 20;
    static constexpr int kMinButtonHeight = 18;

    explicit TDBNavigatorKopa(QWidget* parent = nullptr);
    ~TDBNavigatorKopa() override;

    platform::DataSource* DataSource() const { return source_; }
    void SetDataSource(platform::DataSource* source);

    // One line per button in button order; lines beyond the tenth are
    // ignored, missing lines leave the remaining buttons' captions as they are.
    QStringList Captions() const;
    void SetCaptions(const QStringList& lines);
    TButtonSet VisibleButtons() const { return visible_; }
    void SetVisibleButtons(TButtonSet buttons);
    TNavigOrientation NavigOrientation() const { return orientation_; }
    void SetNavigOrientation(TNavigOrientation orientation);
    TButtonLayout ButtonLayout() const { return layout_; }
    void SetButtonLayout(TButtonLayout layout);
    int ButtonMargin = 3;
    int ButtonSpacing = -1;
    // Whether delete asks first (it does unless a form turns it off).
    bool ConfirmDelete = true;

    // Replace the standard action of their button when assigned.
    std::function<void(TDBNavigatorKopa*)> OnClickInsert, OnClickDelete, OnClickEdit, OnClickPost,
        OnClickCancel, OnClickRefresh;
    // Runs after every button's action (standard or replaced).
    std::function<void(TDBNavigatorKopa*, TNavigateBtn)> OnClick;

    QToolButton* Button(TNavigateBtn button) const { return buttons_[button]; }
    // Presses a button as the user does (an unavailable button does nothing).
    void BtnClick(TNavigateBtn button);

    void OnSourceEvent(platform::DataSource& source, const platform::DataEvent& event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void RunStandardAction(TNavigateBtn button, platform::DataSet& dataSet);
    const std::function<void(TDBNavigatorKopa*)>* Replacement(TNavigateBtn button) const;
    void UpdateButtons();
    void LayOutButtons();
    int VisibleCount() const;

    platform::DataSource* source_ = nullptr;
    std::array<QToolButton*, kNavigatorButtonCount> buttons_{};
    TButtonSet visible_ = kAllNavButtons & ~NavButton(nbRefresh);
    TNavigOrientation orientation_ = noHorizontal;
    TButtonLayout layout_ = blGlyphTop;
};
