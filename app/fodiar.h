#pragma once
// The diary window "Diář": the entries of the books and the own reminders
// from a chosen start to a chosen end (today to 30 days on at first), the
// overdue ones always first and marked "po termínu", sorted by date. Own
// reminders are added, changed and deleted here ("Nová připomínka",
// "Opravit připomínku", "Smazat připomínku"), and "Splněno" clears a
// reminder's "Upozornit". A double click on an animal's entry opens its
// record sheet; "Tisk" previews the list through the template Diar00.pts.

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "records/diary/diary_entry.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TDM1;
class TDiaryDataSet;
class TSestava;
namespace platform {
class DataSource;
}

class TFoDiar : public QDialog {
    Q_OBJECT
  public:
    // `openAnimal` shows the record sheet of a registered name; without it a
    // double click does nothing.
    using AnimalOpener = std::function<void(const QString& registeredName)>;
    TFoDiar(TDM1& dm, AnimalOpener openAnimal = {}, QWidget* parent = nullptr);
    ~TFoDiar() override;

    QLineEdit* EditOd = nullptr;
    QLineEdit* EditDo = nullptr;
    QTableWidget* GridDiar = nullptr;
    QLabel* LabelPocet = nullptr;

    const std::vector<diary::DiaryEntry>& Entries() const { return entries_; }
    // Reads the entries of the span in the fields; a span that is no span
    // says so and changes nothing.
    bool Reload();
    // The report the list prints with (for the preview and for tests).
    TSestava& Report();

  private:
    void BuildControls();
    void LayOut();
    void ShowEntries();
    const diary::DiaryEntry* ChosenEntry() const;
    const diary::DiaryEntry* ChosenReminder() const;
    void NewReminder();
    void ChangeReminder();
    void DeleteReminder();
    void MarkDone();
    void OpenAnimal(int row);
    void PrintDiary();
    QPushButton* AddButton(const char* name, const QString& caption);

    TDM1& dm_;
    AnimalOpener openAnimal_;
    diary::DiarySpan span_;
    std::vector<diary::DiaryEntry> entries_;
    std::unique_ptr<TDiaryDataSet> printRows_;
    std::unique_ptr<platform::DataSource> printSource_;
    std::unique_ptr<TSestava> report_;
    QList<QPushButton*> buttons_;
};
