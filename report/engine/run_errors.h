#pragma once
// Failures a report run meets and goes on past: the page keeps what it can
// show (an empty or zero value, no picture, the default paper), and the run
// tells the application once per distinct failure, so that nothing is lost
// without a word.

#include <QString>
#include <QStringList>
#include <vector>

enum TRunErrorKind : int {
    rePaper = 0,           // the template's paper cannot be used; the default paper prints
    reFunction = 1,        // a user function failed to evaluate
    rePicture = 2,         // a picture (file or picture column) could not be read
    reField = 3,           // an element names a data field the data does not have
    reFieldNumber = 4,     // an element refers to a field number past the last field
    reFunctionName = 5,    // an element names a user function the template does not have
    rePageRange = 6,       // the page range the user set ended the run before the report's end
    reDrawingCut = 7,      // an application's drawing area went on past the pages one may take
    reLostCharacters = 8,  // a text output wrote characters its code page lacks as '?'
};

struct TRunError {
    int kind = reFunction;  // TRunErrorKind
    // The template (paper, page range), the function, the picture file or
    // picture column, or the field or function as the template refers to it
    // (a field number as the 0-based number the template holds).
    QString name;
    // functions: the expression error code; field numbers: the field count;
    // page range: the last page of the range; drawing cut: the pages drawn
    int code = 0;
    int position = 0;  // functions: 0-based character position in the expression
    int record = 0;    // picture columns: the 1-based record of the run
    // Paper: the refused value; functions: the expression; pictures: why
    // they could not be read; lost characters: the characters.
    QString detail;
    // Picture files: the element (or the background) that names the file.
    QString element;

    // The failure as one Czech sentence (what harvel-report prints).
    QString Message() const;
    // Whether `other` is the same failure told again: a picture file is told
    // once whichever element names it, anything else when all is equal.
    bool SameFailure(const TRunError& other) const;
    bool operator==(const TRunError&) const = default;
};

// The distinct failures of a run in the order they were met.
class TRunErrors {
  public:
    // Adds a failure unless the same one is listed already; true when it was new.
    bool Add(const TRunError& error);
    void Clear() { items_.clear(); }
    bool IsEmpty() const { return items_.empty(); }
    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<TRunError>& Items() const { return items_; }
    // Every failure as the sentence the user reads.
    QStringList Messages() const;

  private:
    std::vector<TRunError> items_;
};
