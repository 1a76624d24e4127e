#pragma once
// The edit form of the event books that share one pattern (shows, titles,
// exams, breeding approval): a navigator without insert and refresh, a grid
// of the current animal's rows with the book's columns, the bound fields of
// the current row under the entry form's captions (the registered name read
// only) and "Zavřít". Edits go straight to the book's table through the
// bound fields; new rows come only through the entry form.
//
// The record sheet filters the table to the current animal before showing
// the form.

#include <QMap>

#include "records/bound_edit_dialog.h"
#include "records/event_book.h"

class TDM1;
class TKDBEditKopa;

class TEventBookEdit : public TBoundEditDialog {
    Q_OBJECT
  public:
    TEventBookEdit(TDM1& dm, const TBookDescription& book, QWidget* parent = nullptr);

    const TBookDescription& Book() const { return book_; }
    // The bound control of a column (nullptr when the book has none).
    QWidget* Input(const QString& column) const { return inputs_.value(column.toLower()); }

  private:
    QWidget* BuildInput(const TBookInput& input);
    void LayOut();

    TDM1& dm_;
    const TBookDescription& book_;
    QMap<QString, QWidget*> inputs_;  // by lower-case column name
    TKDBEditKopa* registeredName_ = nullptr;
};
