#pragma once
// The special selections form TFoVybery ("Zvláštní výběry"): one page of
// optional conditions per event book, ticked under "Aktivace". The record
// sheet's print page selects the page of its source, shows the form, and
// asks it for the condition text of the source whenever it builds the list
// query while its own "Aktivace" is ticked.
//
// The form is created once at start-up and hidden between showings, so
// every tick and value stays as the user left it until the program ends;
// "OK" and "Storno" only close it. Leaving a date field completes the date;
// the address-book buttons ask the address book, the animal buttons the
// pick-list of animals.

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "app/special_selections_view.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QWidget;
class TDM1;
class TDateEditKopa;

class TFoVybery : public QDialog, public TSpecialSelectionsView {
    Q_OBJECT
  public:
    explicit TFoVybery(TDM1& dm, QWidget* parent = nullptr);

    bool ShowPage(const QString& pageName) override;
    QString SelectionCondition(int book) const override;

    // Selects the page without showing the form; false for an unknown name.
    bool SelectPage(const QString& pageName);
    QString CurrentPageName() const;

  private:
    // One condition: its tick box and the text it gives when ticked.
    struct TCondition {
        QCheckBox* active = nullptr;
        std::function<QString()> text;
    };

    // Builds one page row by row (fovybery_pages.cpp).
    class TPageBuilder;

    void BuildForm();
    QWidget* BuildEvidlist();
    QWidget* BuildOsetreni();
    QWidget* BuildVystavy();
    QWidget* BuildTituly();
    QWidget* BuildChovnost();
    QWidget* BuildVrhy();
    QWidget* BuildKryti();
    QWidget* BuildZkousky();

    void LookUpAddress(QLineEdit* field);
    void PickAnimalInto(QLineEdit* field);

    TDM1& dm_;
    QStackedWidget* pages_ = nullptr;
    // The conditions of each book, by its print-source position.
    std::array<std::vector<TCondition>, 10> conditions_;
};
