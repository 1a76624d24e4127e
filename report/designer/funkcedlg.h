#pragma once
// TFunkceDlg ("Nastavení parametrů funkce"): every field of one user
// function: name, description, result type, expression (through the
// expression editor), initial value, reset level, aggregation and the
// number format. The aggregation and format controls are shown only for a
// numeric function.

#include <QDialog>

#include "report/engine/sest_fn.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QWidget;
class TSestavaTyp;

class TFunkceDlg : public QDialog {
    Q_OBJECT
  public:
    TFunkceDlg(TSestavaTyp& report, const TListFunkci& functions, bool byName, int groupCount,
               const TRadekFunkce& function, QWidget* parent = nullptr);

    // Writes the controls into `function` (numbers that cannot be read keep
    // the function's previous values).
    void TakeInto(TRadekFunkce& function) const;
    // The button beside the expression.
    void EditExpressionText();

  private:
    void Fill(const TRadekFunkce& function);
    void ShowNumericPanel();

    TSestavaTyp& report_;
    const TListFunkci& functions_;
    bool byName_;
    QLineEdit* name_;
    QLineEdit* description_;
    QComboBox* type_;
    QLineEdit* expression_;
    QLineEdit* initial_;
    QComboBox* reset_;
    QWidget* numeric_;
    QButtonGroup* aggregation_;
    QComboBox* format_;
    QLineEdit* precision_;
    QLineEdit* digits_;
};

// Edits `function`; 1 when confirmed (its fields are then replaced), 2 otherwise.
int EditFunction(TSestavaTyp& report, const TListFunkci& functions, bool byName, int groupCount,
                 TRadekFunkce& function, QWidget* parent = nullptr);
