#pragma once
// The search field "Hledat:" above a list of animals (the record sheet's
// names list, the pick-lists) or of the address book: as the user types, the
// list moves to the first animal whose registered name, call name, chip or
// tattoo number holds the text (an entry whose names, contact, towns,
// telephone or e-mail hold it; Czech letters and case ignored); Enter goes on
// to the next one.
// The index is read whenever the field gets the focus (not at a keystroke),
// so it knows the animals written meanwhile. A list whose record is being changed is not
// moved: the field says so instead.

#include <QWidget>
#include <functional>

#include "controls/search_index.h"

class QLabel;
class QLineEdit;

namespace platform {
class DataSet;
}

class TSearchField : public QWidget {
    Q_OBJECT
  public:
    using DataSetOf = std::function<platform::DataSet&()>;

    // `list` answers the data set the list shows (it may change with a mode).
    TSearchField(platform::Database& database, DataSetOf list, QWidget* parent = nullptr,
                 TSearchedTexts texts = AnimalTexts());

    // Which animals the list offers (a sire's list: males and unknown).
    void SetAcceptance(TSearchIndex::Acceptance accept);

    QLineEdit* Edit() const { return edit_; }
    QLabel* State() const { return state_; }
    const TSearchIndex& Index() const { return index_; }

    // Moves the list to the first match of `typed` (with `next`, the one
    // after the animal shown); false when none was found or moving was refused.
    bool Search(const QString& typed, bool next = false);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool MoveTo(platform::DataSet& list, int found);
    // Reads the index; a failure is said under the field.
    bool BuildIndex();

    platform::Database& database_;
    DataSetOf list_;
    TSearchIndex::Acceptance accept_;
    TSearchIndex index_;
    QLineEdit* edit_ = nullptr;
    QLabel* state_ = nullptr;
    int shown_ = -1;  // the index entry the list was moved to
};
