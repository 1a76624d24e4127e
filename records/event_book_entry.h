#pragma once
// The entry form of the event books that share one pattern (shows, titles,
// exams, breeding approval): the registered name in the label Jmeno_registr,
// the book's inputs in tab order, "Zápis", "Storno" and a help button.
//
// "Zápis" needs a valid date in the book's date field ("Neplatné datum") and
// the book's required input, when it has one ("Není vyplněno pole „Místo“");
// each failing check shows its message, then "Nelze zapsat, opravte data".
// Otherwise it appends one row with the registered name the label shows and
// every input (texts as typed, each field taking no more than its column
// holds; an empty input leaves its column empty), posts it and ends with
// "Příkaz byl vykonán ". A row the store refuses is dropped, its error (or
// the book's own message) is shown and the form stays open with its input.

#include <QMap>

#include "records/entry_dialog.h"
#include "records/event_book.h"

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;
class TDateEditKopa;
class TDM1;

class TEventBookEntry : public TEntryDialog {
    Q_OBJECT
  public:
    TEventBookEntry(TDM1& dm, const TBookDescription& book, QWidget* parent = nullptr);

    // The registered name the row is written for; the record sheet sets it.
    QLabel* Jmeno_registr = nullptr;

    const TBookDescription& Book() const { return book_; }
    // The input of a column (nullptr when the book has none).
    QWidget* Input(const QString& column) const { return inputs_.value(column.toLower()); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* BuildInput(const TBookInput& input);
    QWidget* BuildOptions(const TBookInput& input);
    void BuildButtons();
    void LayOut();
    QStringList InputFailures() override;
    void WriteEntry() override;
    QString RefusalMessage(const platform::StoreError& error) const override;
    void FillRow(platform::Table& table) const;
    void FillColumn(platform::Table& table, const TBookInput& input) const;
    void CloseTableIfTheBookSays(platform::Table& table) const;

    TDM1& dm_;
    const TBookDescription& book_;
    QMap<QString, QWidget*> inputs_;  // by lower-case column name
    QList<QWidget*> tabOrder_;
    TDateEditKopa* date_ = nullptr;
    QButtonGroup* options_ = nullptr;
    QPushButton* zapis_ = nullptr;
    QPushButton* storno_ = nullptr;
    QAbstractButton* help_ = nullptr;
    bool helpShown_ = false;
};
