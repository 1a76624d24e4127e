#include "controls/db_navigator.h"

#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <exception>

#include "controls/field_data_link.h"
#include "platform/messages.h"
#include "platform/store/dataset.h"
#include "platform/store/store_error.h"

namespace {

const char* const kButtonNames[kNavigatorButtonCount] = {"nbFirst",  "nbPrior",  "nbNext", "nbLast",
                                                         "nbInsert", "nbDelete", "nbEdit", "nbPost",
                                                         "nbCancel", "nbRefresh"};

const char* const kCaptions[kNavigatorButtonCount] = {"První", "Vzad",  "Vpřed", "Konec",  "Nový",
                                                      "Smaž",  "Oprav", "Ulož",  "Storno", "Načti"};

const QStyle::StandardPixmap kPictures[kNavigatorButtonCount] = {
    QStyle::SP_MediaSkipBackward,      QStyle::SP_MediaSeekBackward, QStyle::SP_MediaSeekForward,
    QStyle::SP_MediaSkipForward,       QStyle::SP_FileIcon,          QStyle::SP_TrashIcon,
    QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogSaveButton,  QStyle::SP_DialogCancelButton,
    QStyle::SP_BrowserReload};

const QString kDeleteQuestion = QStringLiteral("Smazat záznam?");
const QString kConfirmCaption = QStringLiteral("Potvrzení");

bool Editing(const platform::DataSet& dataSet) {
    return dataSet.State() == platform::DataSetState::Edit ||
           dataSet.State() == platform::DataSetState::Insert;
}

Qt::ToolButtonStyle StyleOf(TButtonLayout layout) {
    return layout == blGlyphTop || layout == blGlyphBottom ? Qt::ToolButtonTextUnderIcon
                                                           : Qt::ToolButtonTextBesideIcon;
}

}  // namespace

std::vector<NavigatorSpan> ShareNavigatorLength(int length, int count) {
    std::vector<NavigatorSpan> spans;
    if (count <= 0) {
        return spans;
    }
    const int size = std::max(length, 0) / count;
    const int remain = std::max(length, 0) - size * count;
    int error = count / 2;
    int start = 0;
    for (int i = 0; i < count; ++i) {
        int extra = 0;
        if (remain != 0) {
            error -= remain;
            if (error < 0) {
                error += count;
                extra = 1;
            }
        }
        spans.push_back({start, size + extra});
        start += size + extra;
    }
    return spans;
}

TDBNavigatorKopa::TDBNavigatorKopa(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(kButtonNames[i]));
        button->setText(QString::fromUtf8(kCaptions[i]));
        button->setIcon(style()->standardIcon(kPictures[i]));
        button->setToolButtonStyle(StyleOf(layout_));
        // The focused bound field keeps the focus (and its change) while a
        // button is pressed.
        button->setFocusPolicy(Qt::NoFocus);
        const auto which = static_cast<TNavigateBtn>(i);
        connect(button, &QToolButton::clicked, this, [this, which] { BtnClick(which); });
        buttons_[i] = button;
    }
    SetVisibleButtons(visible_);
    UpdateButtons();
}

TDBNavigatorKopa::~TDBNavigatorKopa() {
    if (source_ != nullptr) {
        source_->RemoveListener(this);
    }
}

void TDBNavigatorKopa::SetDataSource(platform::DataSource* source) {
    if (source == source_) {
        return;
    }
    if (source_ != nullptr) {
        source_->RemoveListener(this);
    }
    source_ = source;
    if (source_ != nullptr) {
        source_->AddListener(this);
    }
    UpdateButtons();
}

QStringList TDBNavigatorKopa::Captions() const {
    QStringList lines;
    for (const QToolButton* button : buttons_) {
        lines << button->text();
    }
    return lines;
}

void TDBNavigatorKopa::SetCaptions(const QStringList& lines) {
    const int count = std::min<int>(lines.size(), kNavigatorButtonCount);
    for (int i = 0; i < count; ++i) {
        buttons_[i]->setText(lines[i]);
    }
}

void TDBNavigatorKopa::SetVisibleButtons(TButtonSet buttons) {
    visible_ = buttons & kAllNavButtons;
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        buttons_[i]->setVisible((visible_ & (1u << i)) != 0);
    }
    updateGeometry();
    LayOutButtons();
}

void TDBNavigatorKopa::SetNavigOrientation(TNavigOrientation orientation) {
    orientation_ = orientation;
    updateGeometry();
    LayOutButtons();
}

void TDBNavigatorKopa::SetButtonLayout(TButtonLayout layout) {
    layout_ = layout;
    for (QToolButton* button : buttons_) {
        button->setToolButtonStyle(StyleOf(layout));
    }
}

int TDBNavigatorKopa::VisibleCount() const {
    int count = 0;
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        count += (visible_ >> i) & 1u;
    }
    return count;
}

QSize TDBNavigatorKopa::minimumSizeHint() const {
    const int count = std::max(VisibleCount(), 1);
    return orientation_ == noHorizontal ? QSize(count * kMinButtonWidth, kMinButtonHeight)
                                        : QSize(kMinButtonWidth, count * kMinButtonHeight);
}

QSize TDBNavigatorKopa::sizeHint() const {
    const int count = std::max(VisibleCount(), 1);
    QSize button(kMinButtonWidth, kMinButtonHeight);
    for (const QToolButton* b : buttons_) {
        button = button.expandedTo(b->sizeHint());
    }
    return orientation_ == noHorizontal ? QSize(count * button.width(), button.height())
                                        : QSize(button.width(), count * button.height());
}

void TDBNavigatorKopa::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutButtons();
}

// The navigator grows to give every visible button its minimum size; the
// hidden ones are put beyond its edge.
void TDBNavigatorKopa::LayOutButtons() {
    const int count = VisibleCount();
    const QSize least = minimumSizeHint();
    if (width() < least.width() || height() < least.height()) {
        resize(size().expandedTo(least));
        return;  // the resize lays the buttons out
    }
    const bool across = orientation_ == noHorizontal;
    const std::vector<NavigatorSpan> spans =
        ShareNavigatorLength(across ? width() : height(), count);
    int next = 0;
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        QToolButton* button = buttons_[i];
        if (!((visible_ >> i) & 1u)) {
            button->setGeometry(width() + 1, 0, kMinButtonWidth, kMinButtonHeight);
            continue;
        }
        const NavigatorSpan& span = spans[static_cast<size_t>(next++)];
        if (across) {
            button->setGeometry(span.start, 0, span.size, height());
        } else {
            button->setGeometry(0, span.start, width(), span.size);
        }
    }
}

void TDBNavigatorKopa::OnSourceEvent(platform::DataSource&, const platform::DataEvent& event) {
    if (event.kind == platform::DataEventKind::Destroyed) {
        source_ = nullptr;
    }
    UpdateButtons();
}

void TDBNavigatorKopa::UpdateButtons() {
    platform::DataSet* dataSet = source_ != nullptr ? source_->GetDataSet() : nullptr;
    const bool active = dataSet != nullptr && dataSet->IsActive();
    const bool editing = active && Editing(*dataSet);
    const bool empty = !active || dataSet->IsEmpty();
    const bool canModify = active && dataSet->CanModify();
    const bool inserting = active && dataSet->State() == platform::DataSetState::Insert;
    const bool upward =
        active && !empty && (inserting || (dataSet->RecNo() > 0 && !dataSet->Bof()));
    const bool downward =
        active && !empty &&
        (inserting || (dataSet->RecNo() < dataSet->RecordCount() - 1 && !dataSet->Eof()));
    // A disabled navigator disables its buttons by itself; these are the
    // data set's reasons.
    buttons_[nbFirst]->setEnabled(upward);
    buttons_[nbPrior]->setEnabled(upward);
    buttons_[nbNext]->setEnabled(downward);
    buttons_[nbLast]->setEnabled(downward);
    buttons_[nbInsert]->setEnabled(canModify);
    buttons_[nbDelete]->setEnabled(canModify && (!empty || inserting));
    buttons_[nbEdit]->setEnabled(canModify && !editing);
    buttons_[nbPost]->setEnabled(canModify && editing);
    buttons_[nbCancel]->setEnabled(canModify && editing);
    buttons_[nbRefresh]->setEnabled(active && !editing);
}

const std::function<void(TDBNavigatorKopa*)>* TDBNavigatorKopa::Replacement(
    TNavigateBtn button) const {
    switch (button) {
        case nbInsert:
            return &OnClickInsert;
        case nbDelete:
            return &OnClickDelete;
        case nbEdit:
            return &OnClickEdit;
        case nbPost:
            return &OnClickPost;
        case nbCancel:
            return &OnClickCancel;
        case nbRefresh:
            return &OnClickRefresh;
        default:
            return nullptr;
    }
}

void TDBNavigatorKopa::BtnClick(TNavigateBtn button) {
    platform::DataSet* dataSet = source_ != nullptr ? source_->GetDataSet() : nullptr;
    if (dataSet == nullptr || !dataSet->IsActive() || !buttons_[button]->isEnabled()) {
        return;
    }
    try {
        const auto* replacement = Replacement(button);
        if (replacement != nullptr && *replacement) {
            (*replacement)(this);
        } else {
            RunStandardAction(button, *dataSet);
        }
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    } catch (const std::exception& error) {
        ShowStoreError(platform::StoreError(QString::fromStdString(error.what())));
    }
    UpdateButtons();
    if (OnClick) {
        OnClick(this, button);
    }
}

void TDBNavigatorKopa::RunStandardAction(TNavigateBtn button, platform::DataSet& dataSet) {
    // Moving, posting and re-reading take the change still held by the
    // focused field along; cancel and delete drop it.
    if (button != nbCancel && button != nbDelete) {
        UpdateBoundControls(dataSet);
    }
    switch (button) {
        case nbFirst:
            dataSet.First();
            break;
        case nbPrior:
            dataSet.Prior();
            break;
        case nbNext:
            dataSet.Next();
            break;
        case nbLast:
            dataSet.Last();
            break;
        case nbInsert:
            dataSet.Insert();
            break;
        case nbDelete:
            if (!ConfirmDelete ||
                platform::ShowMessage(kDeleteQuestion, kConfirmCaption,
                                      platform::MessageIcon::Question,
                                      platform::mbOK | platform::mbCancel) == platform::mbOK) {
                dataSet.Delete();
            }
            break;
        case nbEdit:
            dataSet.Edit();
            break;
        case nbPost:
            dataSet.Post();
            break;
        case nbCancel:
            dataSet.Cancel();
            break;
        case nbRefresh:
            dataSet.Refresh();
            break;
    }
}
