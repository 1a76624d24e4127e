#pragma once
// The working-exam book Zkousky.DB: the entry form TFoZkousky_Zapis
// ("Zkoušky  - zápis"), which opens its help page as soon as it is shown
// and closes the table after every write, and the edit form TFoZkouskyEdit
// ("Zkoušky - úpravy").

#include "records/event_book_edit.h"
#include "records/event_book_entry.h"

class TFoZkousky_Zapis : public TEventBookEntry {
    Q_OBJECT
  public:
    explicit TFoZkousky_Zapis(TDM1& dm, QWidget* parent = nullptr);
};

class TFoZkouskyEdit : public TEventBookEdit {
    Q_OBJECT
  public:
    explicit TFoZkouskyEdit(TDM1& dm, QWidget* parent = nullptr);
};
