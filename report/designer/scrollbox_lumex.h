#pragma once
// TScrollBoxLumex: the scroll box around the paper; it reports every new
// scroll position, which the designer passes on to the rulers.

#include <QScrollArea>
#include <functional>

class TScrollBoxLumex : public QScrollArea {
    Q_OBJECT
  public:
    explicit TScrollBoxLumex(QWidget* parent = nullptr);

    std::function<void(int position)> OnHorizontalScroll;
    std::function<void(int position)> OnVerticalScroll;
};
