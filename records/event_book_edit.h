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

#include <QDialog>
#include <QMap>

#include "records/event_book.h"

class QPushButton;
class TDBNavigatorKopa;
class TDM1;
class TDbGridKOPA;
class TKDBEditKopa;

class TEventBookEdit : public QDialog {
    Q_OBJECT
  public:
    TEventBookEdit(TDM1& dm, const TBookDescription& book, QWidget* parent = nullptr);

    const TBookDescription& Book() const { return book_; }
    // The bound control of a column (nullptr when the book has none).
    QWidget* Input(const QString& column) const { return inputs_.value(column.toLower()); }

  public slots:
    // Closing writes a row still being edited; a refusal keeps the form open.
    void done(int result) override;

  private:
    void BuildNavigatorAndGrid();
    QWidget* BuildInput(const TBookInput& input);
    TKDBEditKopa* BoundEdit(const QString& column, int maxLength, bool commaToPoint);
    void LayOut();
    bool PostPendingEdit();

    TDM1& dm_;
    const TBookDescription& book_;
    platform::DataSource& source_;
    QMap<QString, QWidget*> inputs_;  // by lower-case column name
    TDBNavigatorKopa* navigator_ = nullptr;
    TDbGridKOPA* grid_ = nullptr;
    TKDBEditKopa* registeredName_ = nullptr;
    QPushButton* close_ = nullptr;
};
