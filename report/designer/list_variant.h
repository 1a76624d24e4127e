#pragma once
// The designer's undo history: a list of complete template texts, each with
// the name of the step that produced it, and the entry currently shown.

#include <QString>
#include <vector>

#include "report/engine/predloha.h"

class TListVariant {
  public:
    static constexpr int kDefaultDepth = 10;

    // One entry "Základní varianta" holding an empty template.
    TListVariant();

    int Count() const { return int(entries_.size()); }
    int Current() const { return current_; }
    int Depth() const { return depth_; }
    const QString& Name(int i) const { return entries_[i].name; }
    TPredloha& Template(int i) { return entries_[i].predloha; }
    const TPredloha& Template(int i) const { return entries_[i].predloha; }
    TPredloha& CurrentTemplate() { return entries_[current_].predloha; }
    const TPredloha& CurrentTemplate() const { return entries_[current_].predloha; }

    // Drops the entries after the current one (and the first entry when the
    // history is full), appends an entry with an empty template and makes it
    // current; the caller fills it.
    TPredloha& Push(const QString& name);
    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ < Count() - 1; }
    bool Undo();
    bool Redo();
    // Keeps only the current entry.
    void Collapse();
    void SetDepth(int depth);

    QString UndoHint() const;
    QString RedoHint() const;

  private:
    struct Entry {
        QString name;
        TPredloha predloha;
    };
    std::vector<Entry> entries_;
    int current_ = 0;
    int depth_ = kDefaultDepth;
};

// The names of the recorded steps, numbered as the designer records them (1..16).
enum TDesignStep : int {
    dsInsert = 1,           // "vložení prvku"
    dsFont = 2,             // "změna písma"
    dsDelete = 3,           // "zrušení prvku"
    dsSections = 4,         // "nastavení oddílů a skupin"
    dsBandHeight = 5,       // "změna výšky oddílu"
    dsText = 6,             // "změna textu"
    dsMove = 7,             // "posun prvku"
    dsAlignment = 8,        // "změna zarovnávání"
    dsEditFunction = 9,     // "oprava funkce"
    dsAddFunction = 10,     // "přidání funkce"
    dsDeleteFunction = 11,  // "zrušení funkce"
    dsCut = 12,             // "vystřižení do úschovy"
    dsPaste = 13,           // "vložení z úschovy"
    dsElement = 14,         // "nastavení prvku"
    dsDetail = 15,          // "změna detailu"
    dsUnits = 16,           // "změna měrných jednotek"
};
QString DesignStepName(int step);
