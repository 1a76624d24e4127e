#pragma once
// TPaperPreview: the small page sketch of the paper tab: the paper with its
// shadow, the printable area divided into the print columns (four rows of
// cells when there is more than one column), drawn to scale in a square box.

#include <QWidget>

class TPaperPreview : public QWidget {
  public:
    explicit TPaperPreview(QWidget* parent = nullptr);

    // Lengths in hundredths of an inch; width and height as oriented.
    struct TPage {
        int width = 826;
        int height = 1169;
        int left = 50;
        int right = 50;
        int top = 70;
        int bottom = 70;
        int columns = 1;
        int gap = 0;
    };
    void SetPage(const TPage& page);
    const TPage& Page() const { return page_; }

    // The cells drawn for the page (pixel rectangles), for the sketch and tests.
    QList<QRect> Cells() const;
    QRect PaperRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double Scale() const;
    QRect PrintableRect() const;

    TPage page_;
};
