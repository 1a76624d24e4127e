#pragma once
// What the record sheet needs of the special selections form. The form lives
// in records/, above the shell; the start-up sequence creates it through a
// factory the program's main supplies, keeps it for the whole run and hands
// it to the record sheet.

#include <QString>
#include <functional>
#include <memory>

class TDM1;

class TSpecialSelectionsView {
  public:
    virtual ~TSpecialSelectionsView() = default;
    // Selects the page named `pageName` (letter case ignored) and shows the
    // form modally; true when it was closed with "OK".
    virtual bool ShowPage(const QString& pageName) = 0;
    // The condition text of the book's page (each ticked condition followed
    // by " AND "), empty for a book without a page.
    virtual QString SelectionCondition(int book) const = 0;
};

using SpecialSelectionsFactory = std::function<std::unique_ptr<TSpecialSelectionsView>(TDM1&)>;
