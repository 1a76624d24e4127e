#pragma once
// The record sheet TFoMain: the card of one animal on three tabs, the list
// of all animals beside it, the record navigator, the photo and titles of
// the animal, and two tool bars that open every event book for the animal
// shown; a second page "TISKY" holds the print outputs. It is created once
// at start-up and shown modally by the launcher:
//   "Evidence"         edit mode on the record page "Evidlist": the card
//                      follows main_card.db and can be changed;
//   "Tiskové výstupy"  browse mode on the print page "TISKY": the card
//                      follows the list query QSeznamy, read only.
// Closing with unsaved changes asks whether to save them.

#include <QDialog>
#include <QStringList>

#include "app/record_sheet_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QLineEdit;
class QStackedWidget;
class QStatusBar;
class QTabWidget;
class QToolButton;
class TDBNavigatorKopa;
class TDBCheckboxMy;
class TDBComboBoxKopa;
class TDBImageAspect;
class TDBMemoLumex;
class TSearchField;
class TDbGridKOPA;
class TKDBEditKopa;
class TPrintPage;

namespace platform {
class DataSet;
}

// Which event book a tool button opens.
enum class TEventBook {
    ebOsetreni,  // health card
    ebVystavy,   // shows
    ebTituly,    // titles and awards
    ebZkousky,   // exams ("Soutěže")
    ebChovnost,  // breeding approval
    ebKryti,     // matings
    ebVrhy,      // litters
    ebRodokmen,  // pedigree
    ebFoto,      // photo album
};

class TFoMain : public QDialog, public TRecordSheetView {
    Q_OBJECT
  public:
    explicit TFoMain(QWidget* parent = nullptr);
    ~TFoMain() override;

    // ---- TRecordSheetView ----
    bool IsEditMode() const override { return editMode_; }
    void ShowPhoto(bool bound) override;
    void SetBreedLists(const QStringList& breeds) override;
    void AttachDataModule(TDM1& dataModule) override;
    void ShowEntry(TRecordSheetEntry entry) override;
    void ApplySettings(const Parametry& settings) override;
    void AttachSelections(TSpecialSelectionsView& selections) override;

    // The entry steps without the modal showing: unbind the photo, set the
    // mode and its binding, show the page, enable "Tisky" in browse mode.
    void PrepareEntry(TRecordSheetEntry entry);
    // Shows the page named "Evidlist" or "TISKY" (letter case ignored).
    void ShowPage(const QString& pageName);
    QString CurrentPageName() const;

    TDM1& DataModule() const { return *dm_; }
    // The print page "TISKY" (null before the data module is attached).
    TPrintPage* PrintPage() const { return printPage_; }
    const QStringList& BreedList() const { return breeds_; }

    // The data set the card shows: main_card.db in edit mode, QSeznamy in
    // browse mode.
    platform::DataSet& CardDataSet() const;

    // Writes every value typed into the card's fields but not yet stored;
    // throws the store's error for a refused value.
    void CommitPendingInput();

  public slots:
    // "Zavřít": the closing question when the card has unsaved changes.
    void CloseSheet();

  protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // ---- layout (fomain_layout.cpp) ----
    void BuildForm();
    QWidget* BuildRecordPage();
    TPrintPage* BuildPrintPage();
    QWidget* BuildBasicTab();
    QWidget* BuildPhysicalTab();
    QWidget* BuildTimeTab();
    QWidget* BuildNameColumn();
    // Bound fields of the card; `numeric` lets a typed "," stand for ".".
    TKDBEditKopa* AddEdit(const QString& column, bool numeric = false);
    TKDBEditKopa* AddDisplayEdit(const QString& column);
    TDBComboBoxKopa* AddCombo(const QString& column, const QStringList& offered,
                              bool freeText = true);
    TDBCheckboxMy* AddCheck(const QString& column, const QString& caption);
    TDBMemoLumex* AddMemo(const QString& column);
    QWidget* BuildPhotoColumn();
    QToolButton* AddHelpButton(QWidget* parent, int topic);

    // ---- tool bars and event books (fomain_toolbars.cpp) ----
    QWidget* BuildToolBars();
    // A button of the tool bars, sharing the bars' width with the others.
    static QToolButton* BarButton(const QString& name, const QString& caption);
    void CopyCurrentAnimal();
    QString CardRegisteredName(platform::DataSet& dataSet) const;
    void OpenNewEntry(TEventBook book);
    void OpenEditForm(TEventBook book);
    void OpenEventForm(TEventBook book, bool entry);
    bool LookUpInFilteredBook(platform::DataSet& book);
    void NothingFound(bool errorIcon);
    void NewPedigree();
    void OpenPhotoForm();
    void OpenLitterEntry();
    void OpenLitterEdit();
    void OpenPedigreeForm(bool entry);
    void OpenMatingEntry();
    void OpenMatingEdit();
    void OpenVisitEntry();
    void OpenVisitEdit();

    // ---- seasons and the diary (fomain_diary.cpp) ----
    void AddDiaryButtons(class QGridLayout* grid, int column);
    // The seasons form of the bitch the card shows; `entry` opens its new
    // season at once.
    void OpenSeasons(bool entry);
    void OpenDiary();
    void OpenStatistics();
    void ShowAnimalFromDiary(const QString& registeredName);

    // ---- picks, addresses, photo and titles (fomain_picks.cpp) ----
    bool RefuseInBrowseMode();
    void PickParent(const QString& column);
    void PickAddress(const QString& column);
    void PutIntoCard(const QString& column, const QString& value);
    void FotoClick();
    void TitulyClick();
    void FotoRelease();
    void TitulyRelease();
    void PhotoClicked();
    void MoveOnFromField(QObject* field);

    void ApplyModeBinding();
    bool ConfirmClosing();
    bool ConfirmCardParents();
    void PostCard();
    void ShowHelpTopic(int topic);

    TDM1* dm_ = nullptr;
    TSpecialSelectionsView* selections_ = nullptr;
    bool editMode_ = true;
    bool photoBound_ = false;
    QStringList breeds_;

    QStackedWidget* pages_ = nullptr;
    QWidget* recordPage_ = nullptr;
    TPrintPage* printPage_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QToolButton* tisky_ = nullptr;
    QPushButton* fotoButton_ = nullptr;
    QPushButton* titulyButton_ = nullptr;
    TDBComboBoxKopa* breedCombo_ = nullptr;
    QComboBox* plemenoOd_ = nullptr;
    QComboBox* plemenoDo_ = nullptr;
    TDBImageAspect* photo_ = nullptr;
    QCheckBox* stretch_ = nullptr;
    TDBNavigatorKopa* navigator_ = nullptr;
    TDbGridKOPA* names_ = nullptr;
    TSearchField* search_ = nullptr;
    TDbGridKOPA* titles_ = nullptr;
    bool closingAccepted_ = false;
    bool photoPressed_ = false;  // a left press on the photo awaits its release
};
