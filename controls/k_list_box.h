#pragma once
// TKListBox: a list box with focus colours that lets Enter and the arrow keys
// leave it for the neighbouring fields; also the body of the pick list.

#include <QColor>
#include <QListWidget>

// Members of the list box's TKeyLikeTab set.
enum TListKeyLikeTab : int { keyInLine = 0x04 };

class TKListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit TKListBox(QWidget* parent = nullptr);

    int KeyLikeTab;  // keyEnter | keyDownUp by default; keyInLine optional
    QColor ColorOnFocus = QColor(Qt::yellow);
    bool ColorOnFocusActive = true;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool MoveVertically(bool down, bool control);
    QColor colourBeforeFocus_;
};
