#pragma once
// The description of one of the four event books that share one entry form
// and one edit form: shows, titles, exams and breeding approval. Each book
// file (records/fovystavy.cpp, fotituly.cpp, fozkousky.cpp, fochovnost.cpp)
// fills one TBookDescription; TEventBookEntry and TEventBookEdit build their
// forms from it, so the pattern lives once and each book states only what
// makes it different.

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/store/datasource.h"
#include "platform/store/table.h"
#include "records/bound_edit_dialog.h"

class TDM1;

// How an input is typed.
enum class TBookInputKind {
    Date,     // day.month.year, completed when left
    Text,     // one line of free text
    Choice,   // free text with a list to pick from
    Whole,    // a whole number 0..99: digits only, empty becomes 0, more becomes 99
    Options,  // an option group; the field gets the chosen option's position
    Memo,     // several lines of text
};

// One input of a book, in tab order, with the column it fills. A text input
// takes as many characters as its column holds, so nothing typed is cut.
struct TBookInput {
    QString column;
    QString caption;
    TBookInputKind entryKind = TBookInputKind::Text;
    QStringList items;  // the entry form's list, or the options
    // The edit form's bound control of the same column.
    TBookInputKind editKind = TBookInputKind::Text;
    QStringList editItems;  // the edit form's choice list; empty: none
};

struct TBookDescription {
    platform::Table TDM1::*table = nullptr;
    platform::DataSource TDM1::*source = nullptr;

    QString entryObjectName;
    QString entryCaption;
    QString editObjectName;
    QString editCaption;

    int helpTopic = 0;
    bool helpOnOpen = false;  // the entry form opens its help topic as soon as it is shown
    // A typed comma becomes a period in the date field of the entry form / the edit form.
    bool entryDateCommaToPoint = false;
    bool editDateCommaToPoint = false;
    // The entry form closes the book's table after every write, written or refused.
    bool closeTableAfterWrite = false;
    // What a refused row shows; empty: the store's own error text.
    QString refusalMessage;
    // The input an entry cannot go without besides the date (the show's
    // place, the title's name, the exam's kind); empty: none.
    QString requiredColumn;

    std::vector<TBookInput> inputs;  // the book's date comes first
    std::vector<TGridColumn> gridColumns;
};

// The four books.
const TBookDescription& ShowsBook();
const TBookDescription& TitlesBook();
const TBookDescription& ExamsBook();
const TBookDescription& BreedingApprovalBook();

// The object name of the entry form's and of the edit form's control of a column.
QString EntryInputName(const QString& column);
QString EditInputName(const QString& column);
