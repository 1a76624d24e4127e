#pragma once
// The show book vystavy.db: the entry form TFoVystavyZapis ("Kniha výstav -
// zápis") and the edit form TFoVystavyEdit ("Výstavy - úpravy").

#include "records/event_book_edit.h"
#include "records/event_book_entry.h"

class TFoVystavyZapis : public TEventBookEntry {
    Q_OBJECT
  public:
    explicit TFoVystavyZapis(TDM1& dm, QWidget* parent = nullptr);
};

class TFoVystavyEdit : public TEventBookEdit {
    Q_OBJECT
  public:
    explicit TFoVystavyEdit(TDM1& dm, QWidget* parent = nullptr);
};
