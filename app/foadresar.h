#pragma once
// The address book TFoAdresar ("Adresář"): the editor of adresar.db and the
// dialog in which the user picks an entry for a lookup. A grid of the
// entries by their key name with the search field "Hledat:" above it, the
// current entry's identification, two
// addresses, communication and kind, a navigator with insert, and the
// buttons "Ok" and "Storno".
//
// It is opened only through the data module's AddressLookup, which
// positions the table first and reads the current key after "Ok". Closing
// while the current entry is being edited or inserted asks whether to save
// it (Yes posts, No drops the changes, Cancel keeps the form open).

#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;
class TSearchField;
class TDBNavigatorKopa;
class TDBRadioGroupInt;
class TDM1;
class TDbGridKOPA;
class TKDBEditKopa;

class TFoAdresar : public QDialog {
    Q_OBJECT
  public:
    explicit TFoAdresar(TDM1& dm, QWidget* parent = nullptr);

    // The kinds of entry, by their position 0 to 5 stored in Typ (AddressKinds()).
    static QStringList Kinds();

    // Posts the entry being edited or inserted, with the change held by the
    // focused field; a refusal is shown and keeps the entry in editing.
    bool PostEntry();

  public slots:
    void done(int result) override;

  private:
    void BuildControls();
    QWidget* BuildIdentification();
    QWidget* BuildAddresses();
    QWidget* BuildCommunication();
    void LayOut();
    TKDBEditKopa* Bound(const char* name, const char* field, int maxLength);
    void OpenMail();
    void OpenWeb();

    TDM1& dm_;
    TDBNavigatorKopa* navigator_ = nullptr;
    TDbGridKOPA* grid_ = nullptr;
    TSearchField* search_ = nullptr;
    TKDBEditKopa* key_ = nullptr;
    TKDBEditKopa* email_ = nullptr;
    TKDBEditKopa* web_ = nullptr;
    QTabWidget* addressPages_ = nullptr;
    TDBRadioGroupInt* kind_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* print_ = nullptr;  // "Tisk...": envelopes, labels, a spreadsheet
    QToolButton* help_ = nullptr;
};
