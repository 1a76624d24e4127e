#pragma once
// TSest_FnEditVyraz ("Tvorba výrazu pro výpočet funkce"): builds one report
// expression from lists of the report's fields, parameters, variables, user
// functions and the built-in functions, operator buttons and a syntax check
// ("Kontrola") that names the error and puts the caret where it was found.

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TListFunkci;
class TSestavaTyp;

class TSest_FnEditVyraz : public QDialog {
    Q_OBJECT
  public:
    // The lists, in the order of their insert buttons SbInsert1..SbInsert8.
    enum TList : int {
        elFields,
        elParameters,
        elVariables,
        elFunctions,
        elMath,
        elText,
        elDate,
        elLogical,
        elListCount
    };

    TSest_FnEditVyraz(TSestavaTyp& report, const TListFunkci& functions, bool disableFunctions,
                      bool byName, const QString& text, QWidget* parent = nullptr);

    QString Text() const;
    QLineEdit* Editor() const { return edit_; }
    QListWidget* List(int list) const { return lists_[list]; }

    // Inserts the selected item of a list at the caret ("Vložit", SbInsert n).
    void InsertFromList(int list);
    // Inserts an operator's text at the caret and moves the caret by `step`.
    void InsertOperator(const QString& text, int step);
    // "Kontrola".
    void Check();

    // The list items (each starts with its reference padded to three
    // characters). Fields show their captions; FieldReferences are the same
    // items with the field names, which "Položky podle názvu" inserts.
    static QStringList FieldItems(TSestavaTyp& report);
    static QStringList FieldReferences(TSestavaTyp& report);
    static QStringList ParameterItems(const TSestavaTyp& report);
    static QStringList VariableItems(const TSestavaTyp& report);
    static QStringList FunctionItems(const TListFunkci& functions);
    // Call templates of the built-in functions of one list (elMath .. elLogical).
    static QStringList BuiltInItems(int list);
    // The text an item inserts and how far the caret moves behind its start.
    static QString InsertText(int list, const QString& item, bool byName, int& caretStep);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildLists();
    QWidget* BuildOperators();
    void EnterList(int list);
    void ShowPosition(bool focused);

    TSestavaTyp& report_;
    QLineEdit* edit_;
    QListWidget* lists_[elListCount] = {};
    QPushButton* insertButtons_[elListCount] = {};
    QPushButton* insert_;
    QPushButton* ok_;
    QCheckBox* byName_;
    QLabel* position_;
    int activeList_ = -1;
};

// Opens the expression editor on `text`; on OK `text` takes the edited text.
bool EditExpression(TSestavaTyp& report, const TListFunkci& functions, bool disableFunctions,
                    bool byName, QString& text, QWidget* parent = nullptr);

// "Chyba : \"%s\" na pozici %d" with the error's code and description.
QString ExpressionErrorMessage(int error, int position);
