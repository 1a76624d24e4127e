#include "controls/search_field.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "platform/store/dataset.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

namespace {

// How many matches the list may have left out (a filtered list) before the
// search gives up on the text.
constexpr int kMatchesTried = 50;

bool IsEditing(const platform::DataSet& dataSet) {
    return dataSet.State() == platform::DataSetState::Edit ||
           dataSet.State() == platform::DataSetState::Insert;
}

}  // namespace

TSearchField::TSearchField(platform::Database& database, DataSetOf list, QWidget* parent,
                           TSearchedTexts texts)
    : QWidget(parent), database_(database), list_(std::move(list)), index_(std::move(texts)) {
    setObjectName(QStringLiteral("AnimalSearch"));
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("EditHledat"));
    edit_->setToolTip(
        QStringLiteral("Hledá podle registrovaného či volacího jména, čipu nebo tetování; "
                       "Enter najde další"));
    edit_->setClearButtonEnabled(true);
    auto* caption = new QLabel(QStringLiteral("&Hledat:"), this);
    caption->setBuddy(edit_);
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("LabelHledani"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption, 0, 0);
    layout->addWidget(edit_, 0, 1);
    layout->addWidget(state_, 1, 0, 1, 2);
    state_->hide();
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& typed) { Search(typed); });
}

void TSearchField::SetAcceptance(TSearchIndex::Acceptance accept) {
    accept_ = std::move(accept);
    index_.Invalidate();
}

bool TSearchField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::FocusIn) {
        // Read on entering the field, so no keystroke waits for it.
        index_.Invalidate();
        BuildIndex();
    } else if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Search(edit_->text(), true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TSearchField::BuildIndex() {
    try {
        index_.Build(database_, accept_);
    } catch (const platform::StoreError& error) {
        state_->setText(error.Message());
        state_->show();
        return false;
    }
    return true;
}

bool TSearchField::Search(const QString& typed, bool next) {
    state_->hide();
    platform::DataSet& list = list_();
    if (typed.trimmed().isEmpty() || !list.IsActive()) {
        return false;
    }
    if (IsEditing(list)) {
        state_->setText(QStringLiteral("Nejprve uložte nebo zrušte změny záznamu."));
        state_->show();
        return false;
    }
    if (!index_.IsBuilt() && !BuildIndex()) {
        return false;
    }
    try {
        int found = index_.Find(typed, next && shown_ >= 0 ? shown_ + 1 : 0);
        for (int tried = 0; found >= 0 && tried < kMatchesTried; ++tried) {
            if (MoveTo(list, found)) {
                return true;
            }
            found = index_.Find(typed, found + 1);
        }
    } catch (const platform::StoreError& error) {
        state_->setText(error.Message());
        state_->show();
        return false;
    }
    state_->setText(QStringLiteral("Nenalezeno: „%1“").arg(typed.trimmed()));
    state_->show();
    return false;
}

// A list that leaves the animal out (a filter) does not take the move.
bool TSearchField::MoveTo(platform::DataSet& list, int found) {
    if (!list.Locate(index_.Read().keyColumn, index_.NameAt(found))) {
        return false;
    }
    shown_ = found;
    return true;
}
