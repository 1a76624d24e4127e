#pragma once
// TLedka: an indicator lamp. The lamp shows LedOnColor while on and
// LedOffColor while off; IsBlink switches between the two every BlinkRate
// milliseconds. With AutoSelectColor the two colours go in pairs: setting
// one sets the other to the same position of its list (red/maroon,
// lime/green, yellow/olive, blue/navy, fuchsia/purple, aqua/teal, white/gray,
// silver/black). The control always has the size of its lamp bitmap.

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>

enum TLedStatus { IsOff, IsOn, IsBlink };
enum TLedOnColors { lcSilver, lcRed, lcLime, lcYellow, lcBlue, lcFuchsia, lcAqua, lcWhite };
enum TLedOffColors { lcBlack, lcMaroon, lcGreen, lcOlive, lcNavy, lcPurple, lcTeal, lcGray };

QColor LedColor(TLedOnColors color);
QColor LedColor(TLedOffColors color);

// The program's lamp bitmap "GENERICLED": a bezel and a round lamp area.
// Pixels of the lamp area are pure white shaded towards grey; they take the
// lamp's colour when drawn.
const QImage& GenericLedBitmap();
// The rectangle of the lamp area within the bitmap.
QRect GenericLedLampArea();

class TLedka : public QWidget {
    Q_OBJECT
  public:
    explicit TLedka(QWidget* parent = nullptr);

    TLedStatus LedStatus() const { return status_; }
    void SetLedStatus(TLedStatus status);
    TLedOnColors LedOnColor() const { return onColor_; }
    void SetLedOnColor(TLedOnColors color);
    TLedOffColors LedOffColor() const { return offColor_; }
    void SetLedOffColor(TLedOffColors color);
    bool AutoSelectColor() const { return autoSelectColor_; }
    void SetAutoSelectColor(bool on) { autoSelectColor_ = on; }
    int BlinkRate() const { return blinkTimer_.interval(); }
    void SetBlinkRate(int milliseconds);

    // Whether the lamp shows its on colour at this moment (also while blinking).
    bool IsLit() const { return lit_; }
    QColor ShownColor() const { return lit_ ? LedColor(onColor_) : LedColor(offColor_); }
    // The lamp as drawn now.
    QImage LampImage() const;

    QSize sizeHint() const override { return GenericLedBitmap().size(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Toggle();

    TLedStatus status_ = IsOff;
    TLedOnColors onColor_ = lcRed;
    TLedOffColors offColor_ = lcMaroon;
    bool autoSelectColor_ = true;
    bool lit_ = false;
    QTimer blinkTimer_;
};
