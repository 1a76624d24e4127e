#pragma once
// TPedigreeChart: one page of the pedigree sheet drawn as a pedigree chart.
// The animal stands at the left, each generation in a column to its right,
// every ancestor half way between its sire (above) and its dam (below), so
// the sire's side fills the upper half and the dam's side the lower half;
// lines join each animal to its two parents. Each place holds one field with
// its caption above it ("Otec", "Matka", "Děd", "Bába", …).

#include <QWidget>
#include <array>

#include "records/genetics/pedigree_positions.h"

class QLabel;

class TPedigreeChart : public QWidget {
    Q_OBJECT
  public:
    explicit TPedigreeChart(QWidget* parent = nullptr);

    // Puts `field` at `place` (1..31) with its caption; the chart owns both.
    void SetPlace(int place, QWidget* field);
    QWidget* Field(int place) const { return fields_[place]; }
    QLabel* Caption(int place) const { return captions_[place]; }
    // The caption of a place: "Jméno registrované", "Otec", "Matka", "Děd", …
    static QString PlaceCaption(int place);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect FieldRect(int place) const;
    void LayOutPlaces();
    int RowHeight() const;
    int ColumnWidth() const;

    std::array<QWidget*, pedigree::kLastPlace + 1> fields_{};
    std::array<QLabel*, pedigree::kLastPlace + 1> captions_{};
};
