#include "controls/K_Edit.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPalette>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/clock.h"
#include "platform/czech_locale.h"
#include "platform/messages.h"

namespace {

const QChar kSeparator(platform::kDecimalSeparator);
const QChar kOtherSeparator(u',');

bool IsSeparator(QChar c) {
    return c == u'.' || c == u',';
}

// Set while a field takes the focus back after a failed check, so that the
// field the focus had meanwhile reached does not run its own leave checks.
bool focusBeingReturned = false;

}  // namespace

namespace kedit {

QString NormaliseNumber(const QString& text, int decimals, int decimalsShown) {
    QString source = text.trimmed();
    source.replace(kOtherSeparator, kSeparator);
    const bool negative = source.startsWith(u'-');
    if (decimals <= 0) {
        const int separatorAt = source.indexOf(kSeparator);
        if (separatorAt >= 0) {
            source.truncate(separatorAt);
        }
    }
    QString integerPart, decimalPart;
    bool separatorSeen = false;
    for (QChar c : source) {
        if (c.isDigit() && c.unicode() < 128) {
            (separatorSeen ? decimalPart : integerPart).append(c);
        } else if (c == kSeparator && !separatorSeen) {
            separatorSeen = true;
        }
    }
    if (integerPart.isEmpty() && decimalPart.isEmpty()) {
        return QString();
    }
    while (integerPart.size() > 1 && integerPart.startsWith(u'0')) {
        integerPart.remove(0, 1);
    }
    if (integerPart.isEmpty()) {
        integerPart = QStringLiteral("0");
    }
    QString result = integerPart;
    if (decimals > 0) {
        decimalPart = decimalPart.left(decimals).leftJustified(decimals, u'0');
        if (decimalsShown > decimals) {
            decimalPart = decimalPart.leftJustified(decimalsShown, u'0');
        }
        result += kSeparator + decimalPart;
    }
    const bool zero = !std::any_of(result.begin(), result.end(),
                                   [](QChar c) { return c.isDigit() && c != u'0'; });
    if (negative && !zero) {
        result.prepend(u'-');
    }
    return result;
}

QString PlainNumber(double value, int decimals) {
    const int places = std::max(0, decimals);
    // Cut, not rounded, to the kept places; the 15-digit form first removes
    // binary noise so that 0.29 does not become 0.28.
    const double scale = std::pow(10.0, places);
    const double scaled = std::stod(platform::FormatNumber(value * scale, 6).toStdString());
    const double cut = std::trunc(scaled) / scale;
    QString text = platform::FormatNumber(cut, places);
    if (text.contains(kSeparator)) {
        while (text.endsWith(u'0')) {
            text.chop(1);
        }
        if (text.endsWith(kSeparator)) {
            text.chop(1);
        }
    }
    if (text == QStringLiteral("-0")) {
        text = QStringLiteral("0");
    }
    return text;
}

QString GroupDigits(const QString& plainNumber, int groupSize) {
    if (groupSize <= 0) {
        return plainNumber;
    }
    QString sign, integerPart = plainNumber, rest;
    if (integerPart.startsWith(u'-')) {
        sign = QStringLiteral("-");
        integerPart.remove(0, 1);
    }
    const int separatorAt = integerPart.indexOf(kSeparator);
    if (separatorAt >= 0) {
        rest = integerPart.mid(separatorAt);
        integerPart.truncate(separatorAt);
    }
    for (int at = integerPart.size() - groupSize; at > 0; at -= groupSize) {
        integerPart.insert(at, u' ');
    }
    return sign + integerPart + rest;
}

}  // namespace kedit

namespace {

// The borderless pick list: Enter or a double click accepts, Esc or a right
// click cancels, leaving it with the mouse cancels when asked to.
class PickListPopup : public QListWidget {
  public:
    PickListPopup(QWidget* parent, bool closeIfMouseLeave)
        : QListWidget(parent), closeIfMouseLeave_(closeIfMouseLeave) {
        setWindowFlags(Qt::Popup);
        setMouseTracking(true);
    }
    int accepted = -1;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            accepted = currentRow();
            close();
        } else if (event->key() == Qt::Key_Escape) {
            close();
        } else {
            QListWidget::keyPressEvent(event);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::RightButton) {
            close();
        } else {
            QListWidget::mousePressEvent(event);
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QListWidget::mouseDoubleClickEvent(event);
        accepted = currentRow();
        close();
    }
    void enterEvent(QEnterEvent* event) override {
        entered_ = true;
        QListWidget::enterEvent(event);
    }
    void leaveEvent(QEvent* event) override {
        QListWidget::leaveEvent(event);
        if (closeIfMouseLeave_ && entered_) {
            close();
        }
    }

  private:
    bool closeIfMouseLeave_;
    bool entered_ = false;
};

}  // namespace

TKEdit::TKEdit(QWidget* parent) : QLineEdit(parent) {
    ColorOnDisabled = palette().color(QPalette::Button);
    ColorEditOnButt = palette().color(QPalette::ToolTipBase);
    ComboBox.ColorEditOnFocus = ColorEditOnButt;
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!internalChange_ && OnChange) {
            OnChange(this);
        }
    });
}

bool TKEdit::IsNumberMode() const {
    return EditType == teCurrency || EditType == teFloat || EditType == teInteger;
}

int TKEdit::KeptDecimals() const {
    return EditType == teInteger ? 0 : std::max(0, Number.Decimal);
}

QString TKEdit::PlainText() const {
    return showingFormatted_ ? plain_ : text();
}

void TKEdit::Loaded() {
    colourBeforeFocus_ = palette().color(QPalette::Base);
    if (!isEnabled()) {
        SetBaseColour(ColorOnDisabled);
    }
    if (EditType == teComboBox) {
        ButtonVisible = true;
        setReadOnly(true);
        const auto items = kedit::ParsePickItems(ComboBox.Items);
        if (ComboBox.ItemIndex >= 0 && ComboBox.ItemIndex < int(items.size())) {
            setText(items[ComboBox.ItemIndex].value);
        }
    }
    UpdateButton();
    if (Number.DecimalShow < Number.Decimal) {
        Number.DecimalShow = Number.Decimal;
    }
    if (!IsNumberMode()) {
        return;
    }
    QString source = PlainText();
    source.replace(kOtherSeparator, kSeparator);
    QString kept;
    // The separator stays for now: an integer keeps only what stands before it.
    const QString allowed = AllowedNumberCharacters() + kSeparator;
    for (QChar c : source) {
        if (allowed.contains(c)) {
            kept.append(c);
        }
    }
    if (EditType == teInteger) {
        const int separatorAt = kept.indexOf(kSeparator);
        if (separatorAt >= 0) {
            kept.truncate(separatorAt);
        }
    } else {
        kept = kedit::NormaliseNumber(kept, KeptDecimals(), KeptDecimals());
    }
    const auto number = platform::ParseNumber(kept);
    if (!number) {
        kept.clear();
    }
    value_ = number.value_or(0);
    SetPlainText(kept);
    if (!hasFocus()) {
        ShowFormatted();
    }
}

QString TKEdit::AllowedNumberCharacters() const {
    QString allowed = QStringLiteral("0123456789");
    if ((EditType == teCurrency || EditType == teFloat) && Number.Decimal > 0) {
        allowed += QStringLiteral(",.");
    }
    bool minus = Number.ValueMax < 0 || Number.ValueMin < 0 ||
                 (Number.ValueMax == 0 && Number.ValueMin == 0);
    if (Number.NumberArea == naOnlyPositive || Number.NumberArea == naPositive) {
        minus = false;
    }
    if (Number.NumberArea == naOnlyNegative || Number.NumberArea == naNegative) {
        minus = true;
    }
    if (minus) {
        allowed += u'-';
    }
    return allowed;
}

void TKEdit::SetValue(double value) {
    if (Number.ValueMax != 0 && value > Number.ValueMax) {
        value = Number.ValueMax;
    }
    if (Number.ValueMin != 0 && value < Number.ValueMin) {
        value = Number.ValueMin;
    }
    if (EditType == teInteger) {
        value = std::round(value);
    }
    const QString text = kedit::PlainNumber(value, KeptDecimals());
    value_ = platform::ParseNumber(text).value_or(0);
    SetPlainText(text);
    if (!hasFocus()) {
        ShowFormatted();
    }
}

void TKEdit::SetPlainText(const QString& text) {
    // `text` may be plain_ itself, which is cleared below: the copy is needed.
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization)
    const QString copy = text;
    showingFormatted_ = false;
    plain_.clear();
    setText(copy);
}

// Grouped digits, shown decimals and the currency text while not focused.
void TKEdit::ShowFormatted() {
    if (!IsNumberMode()) {
        return;
    }
    setAlignment(Number.RightAlignment ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter);
    const QString plain = PlainText();
    QString shown = plain;
    if (!plain.isEmpty() && Number.NumberCount > 0) {
        const int places = EditType == teInteger ? 0 : Number.DecimalShow;
        const auto number = platform::ParseNumber(plain);
        if (number) {
            shown = platform::FormatNumber(*number, places);
        }
        shown = kedit::GroupDigits(shown, Number.NumberCount);
    }
    if (EditType == teCurrency && Number.CurrTextShow && !plain.isEmpty()) {
        switch (Number.CurrPosition) {
            case ncCurr_Right:
                shown = shown + u' ' + Number.CurrText;
                break;
            case ncCurr_Left:
                shown = Number.CurrText + u' ' + shown;
                break;
            case ncCurrRight:
                shown = shown + Number.CurrText;
                break;
            case ncCurrLeft:
                shown = Number.CurrText + shown;
                break;
        }
    }
    if (shown == plain) {
        return;
    }
    internalChange_ = true;
    setText(shown);
    internalChange_ = false;
    plain_ = plain;
    showingFormatted_ = true;
}

void TKEdit::SetBaseColour(const QColor& colour) {
    if (!colour.isValid()) {
        return;
    }
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

void TKEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() != QEvent::EnabledChange || !colourBeforeFocus_.isValid()) {
        return;
    }
    SetBaseColour(isEnabled() ? colourBeforeFocus_ : ColorOnDisabled);
}

void TKEdit::MoveFocus(bool forward) {
    if (forward) {
        focusNextChild();
    } else {
        focusPreviousChild();
    }
}

// ---- the button and the pick list

void TKEdit::UpdateButton() {
    if (!ButtonVisible) {
        if (button_) {
            button_->hide();
        }
        setTextMargins(0, 0, 0, 0);
        return;
    }
    if (!button_) {
        button_ = new QToolButton(this);
        button_->setFocusPolicy(Qt::NoFocus);
        button_->setCursor(Qt::ArrowCursor);
        connect(button_, &QToolButton::clicked, this, &TKEdit::ClickButton);
    }
    button_->setText(ButtonCaption);
    button_->setGeometry(width() - ButtonWidth, 0, ButtonWidth, height());
    button_->show();
    setTextMargins(0, 0, ButtonWidth, 0);
}

void TKEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    if (button_ && ButtonVisible) {
        button_->setGeometry(width() - ButtonWidth, 0, ButtonWidth, height());
    }
}

void TKEdit::ClickButton() {
    if (EditType == teComboBox) {
        if (!kedit::ParsePickItems(ComboBox.Items).empty()) {
            OpenPickList();
        }
        return;
    }
    setFocus(Qt::OtherFocusReason);
    if (ColorEditOnButtActive) {
        SetBaseColour(ColorEditOnButt);
    }
    if (OnClickButton) {
        OnClickButton(this);
    }
    if (ColorOnFocusActive && hasFocus()) {
        SetBaseColour(ColorOnFocus);
    }
}

void TKEdit::OpenPickList() {
    std::vector<kedit::PickItem> items = kedit::ParsePickItems(ComboBox.Items);
    if (items.empty() || pickList_) {
        return;
    }
    if (ComboBox.Sorted) {
        std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
            return a.shown.localeAwareCompare(b.shown) < 0;
        });
    }
    auto* popup = new PickListPopup(this, ComboBox.CloseIfMouseLeave);
    pickList_ = popup;
    int widest = 0;
    for (const auto& item : items) {
        popup->addItem(item.shown);
        widest = std::max(widest, popup->fontMetrics().horizontalAdvance(item.shown) + 24);
    }
    popup->setCurrentRow(kedit::CurrentPickItem(items, text()));

    int rows = ComboBox.DropDownCount;
    if (rows < 1 || rows > 20) {
        rows = 6;
    }
    rows = std::min(rows, int(items.size()));
    const int rowHeight = std::max(popup->sizeHintForRow(0), 1);
    const int listHeight = rows * rowHeight + 2 * popup->frameWidth();
    const QRect field(mapToGlobal(QPoint(0, 0)), size());
    const int listWidth = std::max(field.width(), widest);
    const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, 10000, 10000);
    int left = widest > field.width() ? field.right() + 1 - listWidth : field.left();
    left = std::max(left, area.left());
    int top = field.bottom() + 1;
    if (top + listHeight > area.bottom()) {
        top = field.top() - listHeight;
    }
    popup->setGeometry(left, top, listWidth, listHeight);

    const QColor before = palette().color(QPalette::Base);
    SetBaseColour(ComboBox.ColorEditOnFocus);
    QEventLoop loop;
    popup->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(popup, &QObject::destroyed, &loop, &QEventLoop::quit);
    popup->show();
    popup->setFocus();
    // The popup closes itself; the loop ends once it is hidden.
    QTimer watch;
    connect(&watch, &QTimer::timeout, &loop, [&] {
        if (!popup->isVisible()) {
            loop.quit();
        }
    });
    watch.start(20);
    loop.exec();
    const int chosen = popup->accepted;
    pickList_ = nullptr;
    popup->deleteLater();
    SetBaseColour(before);
    if (chosen >= 0 && chosen < int(items.size())) {
        setText(items[chosen].value);
    }
}

bool TKEdit::HandleComboKey(QKeyEvent* event) {
    const bool shiftInsert =
        event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier;
    if (shiftInsert || event->matches(QKeySequence::Paste)) {
        return true;
    }
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        if (!ComboBox.OffDelKey) {
            setText(QString());
        }
        return true;
    }
    const QString typed = event->text();
    if (!ComboBox.ItemActionKey || typed.size() != 1 || typed.at(0).unicode() <= 31) {
        return false;
    }
    const auto items = kedit::ParsePickItems(ComboBox.Items);
    const int choice = kedit::FirstLetterChoice(items, text(), typed.at(0));
    if (choice >= 0) {
        setText(items[choice].value);
    }
    return true;
}

// ---- keys

bool TKEdit::HandleNavigationKey(QKeyEvent* event) {
    const auto usable = [](QWidget* w) { return w && w->isEnabled() && w->isVisible(); };
    const int key = event->key();
    if ((KeyLikeTab & keyEnter) && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        MoveFocus(true);
        return true;
    }
    if (KeyLikeTab & keyDownUp) {
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            QWidget* target = key == Qt::Key_Down ? FocusControl.Down : FocusControl.Up;
            if (usable(target)) {
                target->setFocus(Qt::TabFocusReason);
            } else {
                MoveFocus(key == Qt::Key_Down);
            }
            return true;
        }
        if (key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            QWidget* target = key == Qt::Key_PageDown ? FocusControl.PgDown : FocusControl.PgUp;
            if (usable(target)) {
                target->setFocus(Qt::TabFocusReason);
            }
            return true;
        }
    }
    if (EditType == teString && event->modifiers() == Qt::NoModifier) {
        const TExitString exit = StringEdit.ExitString;
        if (key == Qt::Key_Left && (exit == esLeft || exit == esLeftRight) &&
            cursorPosition() == 0 && !hasSelectedText()) {
            MoveFocus(false);
            return true;
        }
        if (key == Qt::Key_Right && (exit == esRight || exit == esLeftRight) &&
            cursorPosition() == text().size() && !hasSelectedText()) {
            MoveFocus(true);
            return true;
        }
    }
    return false;
}

bool TKEdit::AcceptNumberCharacter(QChar& c) const {
    if (!AllowedNumberCharacters().contains(c)) {
        return false;
    }
    if (c == kOtherSeparator) {
        c = kSeparator;
    }
    const QString current = text();
    const bool wholeSelected = !current.isEmpty() && selectedText() == current;
    if (wholeSelected) {
        return true;
    }
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    if (IsSeparator(c)) {
        return !current.contains(u',') && !current.contains(u'.') &&
               !(caret == 0 && current.contains(u'-'));
    }
    if (c == u'-') {
        return !current.contains(u'-') && caret == 0;
    }
    return true;
}

QString TKEdit::ApplyCase(const QString& typed) const {
    switch (CaseMode) {
        case cmUpperCase:
            return typed.toUpper();
        case cmLowerCase:
            return typed.toLower();
        case cmProperCase: {
            const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
            if (caret == 0 || text().at(caret - 1) == u' ') {
                return typed.toUpper();
            }
            return typed;
        }
        case cmNormal:
            break;
    }
    return typed;
}

void TKEdit::ApplyMaskState(const kedit::MaskState& state) {
    setText(state.text);
    setCursorPosition(std::clamp(state.caret, 0, int(state.text.size())));
}

void TKEdit::LayOutAndRevise(TMaskOn mode) {
    const QString& mask = MaskEdit.Mask;
    const QString laidOut = kedit::LayOutOnMask(text(), mask);
    const QString revised = kedit::ReviseMask(laidOut, mask, mode, platform::Now());
    if (revised != text()) {
        setText(revised);
    }
}

// Mask editing: every key that would change the text goes through the mask.
bool TKEdit::HandleMaskKey(QKeyEvent* event) {
    const QString& mask = MaskEdit.Mask;
    const bool shiftInsert =
        event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier;
    if (shiftInsert || event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        return true;
    }
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? int(selectedText().size()) : 0;
    const kedit::MaskState state{kedit::LayOutOnMask(text(), mask), cursorPosition()};
    if (event->key() == Qt::Key_Backspace) {
        ApplyMaskState(kedit::Backspace(mask, state, start, length));
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        ApplyMaskState(kedit::DeleteAtCaret(mask, state, start, length));
        return true;
    }
    const QString typed = event->text();
    if (typed.size() != 1 || typed.at(0).unicode() <= 31 ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    const QChar c = typed.at(0);
    const bool filtered =
        StringEdit.FiltrUse && !StringEdit.Filtr.isEmpty() && !StringEdit.Filtr.contains(c);
    if (filtered || !kedit::MaskAcceptsDigits(mask) || !c.isDigit() || c.unicode() > 127) {
        return true;  // refused, "." included
    }
    textBeforeTyping_ = text();
    caretBeforeTyping_ = cursorPosition();
    ApplyMaskState(kedit::TypeDigit(mask, state, c, start, length));
    return true;
}

void TKEdit::keyPressEvent(QKeyEvent* event) {
    const QString raw = event->text();
    if (raw.size() == 1 && TranslateTyped(raw.at(0)) != raw.at(0)) {
        QKeyEvent changed(event->type(), event->key(), event->modifiers(),
                          QString(TranslateTyped(raw.at(0))), event->isAutoRepeat(),
                          event->count());
        keyPressEvent(&changed);
        return;
    }
    if (HandleNavigationKey(event)) {
        return;
    }
    if (EditType == teMask && HandleMaskKey(event)) {
        return;
    }
    if (EditType == teComboBox && HandleComboKey(event)) {
        return;
    }
    if (ButtonVisible && !ButtonShortCut.isEmpty() &&
        QKeySequence(event->keyCombination()) == ButtonShortCut) {
        ClickButton();
        return;
    }
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed.at(0).unicode() > 31 &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!printable) {
        if (IsNumberMode() && event->key() == Qt::Key_Backspace) {
            textBeforeTyping_ = text();
            caretBeforeTyping_ = cursorPosition();
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    QChar c = typed.at(0);
    if (IsNumberMode()) {
        if (!AcceptNumberCharacter(c)) {
            return;
        }
        textBeforeTyping_ = text();
        caretBeforeTyping_ = cursorPosition();
    } else if (EditType == teString && StringEdit.FiltrUse && !StringEdit.Filtr.isEmpty() &&
               !StringEdit.Filtr.contains(c)) {
        return;
    }
    const QString result = ApplyCase(QString(c));
    if (result == typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent changed(event->type(), event->key(), event->modifiers(), result,
                      event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&changed);
}

// ---- entering

void TKEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Coming back from another window or a popup is not entering the field
    // again; the first field of a newly shown form is entered, though.
    if (entered_) {
        return;
    }
    entered_ = true;
    if (!colourBeforeFocus_.isValid()) {
        colourBeforeFocus_ = palette().color(QPalette::Base);
    }
    if (showingFormatted_) {
        SetPlainText(plain_);
    }
    if (EditType == teMask) {
        LayOutAndRevise(MaskEdit.MaskOnEnter);
    }
    if (!(EditType == teComboBox && ButtonVisible)) {
        ComboBox.Items.clear();
    }
    if (ColorOnFocusActive) {
        SetBaseColour(ColorOnFocus);
    }
    // Back after a failed check: the text and caret were restored already.
    if (returning_) {
        return;
    }
    PrepareOnEnter();
    PlaceCaretOnEnter();
}

void TKEdit::PrepareOnEnter() {
    if (EditType == teString && StringEdit.Filtr.isEmpty()) {
        StringEdit.FiltrUse = false;
    }
    if (!IsNumberMode()) {
        return;
    }
    QString current = text();
    const int separatorAt = current.indexOf(QRegularExpression(QStringLiteral("[.,]")));
    if (separatorAt >= 0) {
        const int decimals = KeptDecimals();
        current.truncate(decimals == 0 ? separatorAt : separatorAt + 1 + decimals);
        if (current != text()) {
            setText(current);
        }
    }
}

void TKEdit::PlaceCaretOnEnter() {
    deselect();
    if (CursorEndField == cfNormal) {
        if (AutoSelect) {
            selectAll();
        }
        return;
    }
    const int end = text().size();
    int caret = end;
    if (CursorEndField == cfPosition) {
        caret = caretOnLeave_;
    }
    if (CursorEndField == cfBegin) {
        caret = 0;
    }
    if (EditType == teMask) {
        caret = kedit::FirstBlank(text());
    }
    if (EditType == teComboBox) {
        caret = 0;
    }
    if (IsNumberMode() && !text().isEmpty()) {
        const double number = platform::ParseNumber(text()).value_or(0);
        if (number == 0 && Number.CursorZeroOver) {
            selectAll();
            return;
        }
        if (number != 0 && CursorEndField == cfZeroElsePosition) {
            caret = caretOnLeave_;
        }
        if (number != 0 && CursorEndField == cfZeroElseBegin) {
            caret = 0;
        }
    }
    setCursorPosition(std::clamp(caret, 0, end));
}

// ---- leaving

void TKEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another window or a popup taking the focus is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    if (leaving_) {
        return;
    }
    entered_ = false;
    if (focusBeingReturned) {
        return;
    }
    leaving_ = true;
    caretOnLeave_ = cursorPosition();
    if (ColorOnFocusActive && colourBeforeFocus_.isValid()) {
        SetBaseColour(colourBeforeFocus_);
    }
    if (CheckOnLeave()) {
        ShowFormatted();
    }
    leaving_ = false;
}

bool TKEdit::CheckOnLeave() {
    if (EditType == teString && !StringEdit.AlignLeftChar.isNull() && !text().isEmpty() &&
        text().size() < maxLength() && maxLength() < 32767) {
        setText(text().rightJustified(maxLength(), StringEdit.AlignLeftChar));
    }
    if (EditType == teMask) {
        LayOutAndRevise(MaskEdit.MaskOnExit);
    }
    if (IsNumberMode() && Number.NumberNoneDoZero && text().isEmpty()) {
        setText(QStringLiteral("0"));
    }
    // A mask without any digit counts as empty: its literals are no input.
    const QString current = text();
    const bool empty = EditType == teMask ? std::none_of(current.begin(), current.end(),
                                                         [](QChar c) { return c.isDigit(); })
                                          : current.isEmpty();
    if (RequiredMonitoring && Required && empty) {
        ReportAndReturn(QStringLiteral("Zadání položky je povinné !"), false);
        return false;
    }
    if (IsNumberMode() && !ProcessNumberOnLeave()) {
        return false;
    }
    return LeaveChecked();
}

bool TKEdit::ProcessNumberOnLeave() {
    const QString typed = text();
    // Normalisation keeps a leading sign, the digits and the first separator,
    // so even a pasted text leaves as a number (or empty).
    const QString normal = kedit::NormaliseNumber(typed, KeptDecimals(),
                                                  EditType == teInteger ? 0 : Number.DecimalShow);
    const bool isNumber = normal.isEmpty() || platform::ParseNumber(normal).has_value();
    if (normal != typed) {
        setText(normal);
    }
    if (Number.NumberTextToValue) {
        std::optional<double> number = platform::ParseNumber(normal);
        if (normal.isEmpty()) {
            number = 0.0;
        }
        SetValue(number.value_or(Number.ValueMin));
    } else {
        value_ = platform::ParseNumber(normal).value_or(0);
    }
    if (!Number.Valid) {
        return true;
    }
    const QString failure =
        isNumber ? ValidationFailure(text())
                 : QStringLiteral("Zadaná číselná hodnota \"%1\" není číslo !").arg(typed);
    if (failure.isEmpty()) {
        return true;
    }
    ReportAndReturn(failure, true);
    return false;
}

QString TKEdit::ValidationFailure(const QString& text) const {
    if (text.isEmpty()) {
        return QString();  // nothing typed: the required check decides
    }
    const double v = value_;
    const QString shown = platform::FormatNumber(v, 2, true);
    const auto area = [&](const char* rule) {
        return QString::fromUtf8(rule) + QStringLiteral("\n%1 nevyhovuje.").arg(shown);
    };
    switch (Number.NumberArea) {
        case naOnlyPositive:
            if (!(v > 0)) {
                return area("Zadání je pouze pro kladná čísla.");
            }
            break;
        case naOnlyNegative:
            if (!(v < 0)) {
                return area("Zadání je pouze pro záporná čísla.");
            }
            break;
        case naPositive:
            if (v < 0) {
                return area("Zadání platí pro kladná čísla.");
            }
            break;
        case naNegative:
            if (v > 0) {
                return area("Zadání platí pro záporná čísla.");
            }
            break;
        case naUnspecified:
            break;
    }
    const double max = Number.ValueMax, min = Number.ValueMin;
    if ((max != 0 || min < 0) && v > max) {
        return QStringLiteral("Maximální číselná hodnota je \"%1\"")
            .arg(kedit::PlainNumber(max, 15));
    }
    if ((min != 0 || max > 0) && v < min) {
        return QStringLiteral("Minimální číselná hodnota je \"%1\"")
            .arg(kedit::PlainNumber(min, 15));
    }
    return QString();
}

void TKEdit::ReportAndReturn(const QString& message, bool restoreTyping) {
    if (OnError) {
        OnError(this, message);
    } else {
        platform::ShowMessage(message, platform::DefaultCaption(), platform::MessageIcon::Warning,
                              platform::mbOK);
    }
    if (restoreTyping) {
        SetPlainText(textBeforeTyping_);
        setCursorPosition(std::clamp(caretBeforeTyping_, 0, int(text().size())));
    }
    deselect();
    ReturnFocus();
}

void TKEdit::ReturnFocus() {
    // The focus is already on its way elsewhere; take it back once it arrives.
    QTimer::singleShot(0, this, [this] {
        focusBeingReturned = true;
        returning_ = true;
        setFocus(Qt::OtherFocusReason);
        returning_ = false;
        focusBeingReturned = false;
    });
}

TKEditKopa::TKEditKopa(QWidget* parent) : TKEdit(parent) {
    ColorOnFocus = palette().color(QPalette::ToolTipBase);
}

QChar TKEditKopa::TranslateTyped(QChar c) const {
    return CommaToPoint && c == u',' ? QChar(u'.') : c;
}
