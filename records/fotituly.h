#pragma once
// The titles and awards book tituly.db: the entry form TFoTitulZapis
// ("Tituly (ocenění) - zápis") and the edit form TFoTituly_Edit ("Tituly
// (ocenění) - úpravy").

#include "records/event_book_edit.h"
#include "records/event_book_entry.h"

class TFoTitulZapis : public TEventBookEntry {
    Q_OBJECT
  public:
    explicit TFoTitulZapis(TDM1& dm, QWidget* parent = nullptr);
};

class TFoTituly_Edit : public TEventBookEdit {
    Q_OBJECT
  public:
    explicit TFoTituly_Edit(TDM1& dm, QWidget* parent = nullptr);
};
