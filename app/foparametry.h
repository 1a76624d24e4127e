#pragma once
// The settings form TFoParametry: one tab "Evid. list" with the settings of
// Harvel.INI. It lives from start-up to the end of the program; it reads and
// applies the settings while it is created, and the launcher shows it
// modally.
//
//   read   Harvel.INI -> form -> CurrentParametry(); the values shown in the
//          form are the defaults of keys missing from the file
//   write  form -> Harvel.INI
//   apply  tells the rest of the program (Applied()): the record sheet
//          enables its "Foto"/"Tituly" buttons, the data module rebuilds
//          the length and weight formats

#include <QDialog>

#include "app/parametry.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QPushButton;
class QTabWidget;

class TFoParametry : public QDialog {
    Q_OBJECT
  public:
    explicit TFoParametry(QWidget* parent = nullptr);

    void ReadSettings();
    // False when the file could not be written (the error box was shown).
    bool WriteSettings();
    void ApplySettings();

    // The values the form shows now.
    Parametry FormValues() const;
    void ShowValues(const Parametry& settings);

  signals:
    void Applied();

  public slots:
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildTab(QTabWidget* tabs);
    QLayout* BuildButtons();
    QLineEdit* AddEdit(const char* name, int maxLength);
    void MoveBetweenFieldsLikeTab(QLineEdit* edit);

    void ButtonApliClick();
    void ButtonOkClick();
    void ButtonObnClick();
    void ButtonStorClick();

    QCheckBox* onlineTituly_ = nullptr;
    QCheckBox* onlineFoto_ = nullptr;
    QCheckBox* kontrolaJmen_ = nullptr;
    QLineEdit* jednotkaDelka_ = nullptr;
    QLineEdit* jednotkaHmotnost_ = nullptr;
    QLineEdit* chovatel_ = nullptr;
    QSpinBox* upozornitDni_ = nullptr;
};
