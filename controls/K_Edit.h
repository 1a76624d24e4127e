#pragma once
// TKEdit: the one-line input field of every entry form. Besides plain text it
// edits whole numbers, decimal numbers and amounts of money, colours itself
// while focused, moves to the next or previous field on Enter, Up and Down,
// checks required input and validates numbers when the user leaves it.
//
// The settings are plain public members grouped as the form designer groups
// them (Number, StringEdit, FocusControl); call Loaded() once the form has set
// them, as a form reader would after reading the field.

#include <QColor>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <functional>

#include "controls/k_edit_mask.h"
#include "controls/k_edit_pick.h"

class QListWidget;
class QToolButton;

enum TTypeEdit { teCurrency, teFloat, teInteger, teString, teMask, teComboBox };
enum TCaseMode { cmNormal, cmProperCase, cmLowerCase, cmUpperCase };
enum TCursorEndField {
    cfNormal,
    cfPosition,
    cfBegin,
    cfEnd,
    cfZeroElsePosition,
    cfZeroElseBegin,
    cfZeroElseEnd
};
enum TCurrencyPos { ncCurr_Right, ncCurr_Left, ncCurrRight, ncCurrLeft };
enum TNumberArea { naUnspecified, naOnlyPositive, naOnlyNegative, naPositive, naNegative };
enum TExitString { esNormal, esLeft, esRight, esLeftRight };

// Members of the TKeyLikeTab set.
enum TKeyLikeTabKey : int { keyEnter = 0x01, keyDownUp = 0x02 };
using TKeyLikeTab = int;

struct TNumberEdit {
    bool CursorZeroOver = false;
    TCurrencyPos CurrPosition = ncCurr_Right;
    QString CurrText = QStringLiteral("Kč");
    bool CurrTextShow = true;
    int Decimal = 2;      // decimal places kept
    int DecimalShow = 2;  // decimal places shown while not focused
    TNumberArea NumberArea = naUnspecified;
    int NumberCount = 3;  // digits per group while not focused; 0: no grouping
    bool RightAlignment = true;
    bool NumberNoneDoZero = false;
    bool NumberTextToValue = true;
    QChar Space = QLatin1Char(' ');  // kept for forms that set it; groups always use a blank
    bool Valid = false;
    double ValueMin = 0;
    double ValueMax = 0;
};

struct TStringEdit {
    QChar AlignLeftChar;  // null: no padding
    TExitString ExitString = esNormal;
    QString Filtr;
    bool FiltrUse = false;
};

struct TComboBoxEdit {
    QColor ColorEditOnFocus;  // the tooltip background of the palette
    bool CloseIfMouseLeave = false;
    int DropDownCount = 8;
    bool ItemActionKey = true;
    int ItemIndex = -1;
    QString Items;  // "|" between items
    bool OffDelKey = false;
    bool Sorted = false;
};

struct TFocusControl {
    QPointer<QWidget> Up;
    QPointer<QWidget> Down;
    QPointer<QWidget> PgUp;
    QPointer<QWidget> PgDown;
};

class TKEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TKEdit(QWidget* parent = nullptr);

    TTypeEdit EditType = teString;
    TCaseMode CaseMode = cmNormal;
    TCursorEndField CursorEndField = cfEnd;
    bool AutoSelect = false;
    QColor ColorOnFocus = QColor(Qt::yellow);
    bool ColorOnFocusActive = true;
    QColor ColorOnDisabled;  // the button face colour of the palette
    bool Required = false;
    bool RequiredMonitoring = true;
    TKeyLikeTab KeyLikeTab = keyEnter | keyDownUp;
    TNumberEdit Number;
    TMaskSpecEdit MaskEdit;
    TComboBoxEdit ComboBox;
    bool ButtonVisible = false;
    QString ButtonCaption = QStringLiteral("··");
    int ButtonWidth = 15;
    QKeySequence ButtonShortCut;
    QColor ColorEditOnButt;  // the tooltip background of the palette
    bool ColorEditOnButtActive = false;
    std::function<void(TKEdit*)> OnClickButton;
    TStringEdit StringEdit;
    TFocusControl FocusControl;

    // Hooks. OnError, when set, receives a message text instead of the box.
    std::function<void(TKEdit*)> OnChange;
    std::function<void(TKEdit*, const QString&)> OnError;

    static QString Version() { return QStringLiteral("2.70"); }

    // Applies the settings as a form reader does after reading the field:
    // remembers the colour, raises DecimalShow and cleans a number text.
    void Loaded();

    bool IsNumberMode() const;
    // The text being edited, without the grouping and currency shown while
    // the field is not focused.
    QString PlainText() const;
    double Value() const { return value_; }
    // Clamps to the limits that are not 0, writes the plain number and shows it.
    void SetValue(double value);
    // The button's action: the pick list in teComboBox mode, else OnClickButton.
    void ClickButton();
    // Opens the pick list; returns once it is closed. Tests reach the list
    // while it is open through PickList().
    void OpenPickList();
    QListWidget* PickList() const { return pickList_; }

  protected:
    // A typed character as the field should see it; subclasses translate.
    virtual QChar TranslateTyped(QChar c) const { return c; }
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Runs on leaving once every check of the field has passed; a data-bound
    // field writes its value here. Returning false keeps the focus in the
    // field (the override has told the user why).
    virtual bool LeaveChecked() { return true; }
    // Takes the focus back once the focus change under way has finished.
    void ReturnFocus();

  private:
    bool HandleNavigationKey(QKeyEvent* event);
    bool HandleMaskKey(QKeyEvent* event);
    bool HandleComboKey(QKeyEvent* event);
    void UpdateButton();
    void ApplyMaskState(const kedit::MaskState& state);
    void LayOutAndRevise(TMaskOn mode);
    bool AcceptNumberCharacter(QChar& c) const;
    QString ApplyCase(const QString& typed) const;
    QString AllowedNumberCharacters() const;
    int KeptDecimals() const;

    void PrepareOnEnter();
    void PlaceCaretOnEnter();
    bool CheckOnLeave();
    bool ProcessNumberOnLeave();
    QString ValidationFailure(const QString& text) const;
    void ReportAndReturn(const QString& message, bool restoreTyping);

    void SetPlainText(const QString& text);
    void ShowFormatted();
    void MoveFocus(bool forward);
    void SetBaseColour(const QColor& colour);

    QToolButton* button_ = nullptr;
    QListWidget* pickList_ = nullptr;
    double value_ = 0;
    QString plain_;
    bool showingFormatted_ = false;
    bool internalChange_ = false;
    bool leaving_ = false;
    bool returning_ = false;
    bool entered_ = false;
    QColor colourBeforeFocus_;
    QString textBeforeTyping_;
    int caretBeforeTyping_ = 0;
    int caretOnLeave_ = 0;
};

// TKEdit with the tooltip colour on focus and a typed "," taken as ".".
class TKEditKopa : public TKEdit {
    Q_OBJECT
  public:
    explicit TKEditKopa(QWidget* parent = nullptr);

    bool CommaToPoint = true;
    // Stored for forms that set them; the field does nothing with them.
    QKeySequence ActionShortCut;
    Qt::KeyboardModifiers ActionShiftState;

  protected:
    QChar TranslateTyped(QChar c) const override;
};

// Number texts of the edit control, free of any widget so that they can be
// tested and reused: "." is the decimal separator, "," is read as one.
namespace kedit {
// Step-by-step normalisation: sign set aside, digits and the first separator
// kept, leading zeros dropped, decimals cut or filled to `decimals` places and
// then filled to `decimalsShown`; "-" returns only for a value other than 0.
// A text without any digit gives an empty text.
QString NormaliseNumber(const QString& text, int decimals, int decimalsShown);
// The plain form of a number: no trailing zeros, at most `decimals` places.
QString PlainNumber(double value, int decimals);
// The integer part grouped by `groupSize` digits with blanks.
QString GroupDigits(const QString& plainNumber, int groupSize);
}  // namespace kedit
