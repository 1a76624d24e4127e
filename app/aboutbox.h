#pragma once
// The about box TAboutBox1 ("O aplikaci", borderless): the product name
// "Harvel 1.0" and the program's version. Created for one modal showing.

#include <QDialog>

class TAboutBox1 : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox1(QWidget* parent = nullptr);

    // The program's version, e.g. "1.0.0", as "harvel --version" prints it.
    static QString VersionText();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OKButtonClick();
};
