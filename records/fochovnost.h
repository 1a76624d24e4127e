#pragma once
// The breeding-approval book chovnost.DB: the entry form TFoChovnostZapis
// ("Chovnost - zápis") and the edit form TFoChovnostEdit ("Chovnost -
// úpravy"); whether the animal met the conditions for breeding is an option
// group stored as 0 or 1.

#include "records/event_book_edit.h"
#include "records/event_book_entry.h"

class TFoChovnostZapis : public TEventBookEntry {
    Q_OBJECT
  public:
    explicit TFoChovnostZapis(TDM1& dm, QWidget* parent = nullptr);
};

class TFoChovnostEdit : public TEventBookEdit {
    Q_OBJECT
  public:
    explicit TFoChovnostEdit(TDM1& dm, QWidget* parent = nullptr);
};
