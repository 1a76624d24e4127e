#pragma once
// The window "Statistika chovu": the kennel's breeding history as charts over
// a chosen span of years and breed (records/stats/breeding_stats.h), one
// chart at a time with the table of its numbers beside it and a note of what
// the figures leave out. "Uložit obrázek..." writes the chart as PNG or PDF,
// "Tisk" prints it through the report library's print dialog, "Kopírovat"
// puts its picture on the clipboard.

#include <QDialog>
#include <vector>

#include "records/stats/breeding_charts.h"
#include "records/stats/breeding_stats.h"

class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TDM1;

class TFoStatistika : public QDialog {
    Q_OBJECT
  public:
    explicit TFoStatistika(TDM1& dm, QWidget* parent = nullptr);
    ~TFoStatistika() override;

    QSpinBox* SpinOd = nullptr;
    QSpinBox* SpinDo = nullptr;
    QComboBox* ComboPlemeno = nullptr;
    QComboBox* ComboGraf = nullptr;
    QChartView* ChartView = nullptr;
    QTableWidget* GridHodnoty = nullptr;
    QLabel* LabelPoznamky = nullptr;

    const breeding::BreedingStats& Stats() const { return stats_; }
    const std::vector<breeding::ChartContent>& Charts() const { return charts_; }
    const breeding::ChartContent& CurrentChart() const;
    // Reads the figures of the span and breed in the controls and shows the
    // chosen chart; a span that is no span says so and changes nothing.
    bool Reload();
    // The size pictures are saved and copied at.
    static QSize PictureSize() { return {1400, 900}; }

  private:
    void BuildControls();
    void LayOut();
    void ShowChart();
    void SavePicture();
    void PrintChart();
    void CopyPicture();
    QPushButton* AddButton(const char* name, const QString& caption);

    TDM1& dm_;
    breeding::BreedingStats stats_;
    std::vector<breeding::ChartContent> charts_;
    QList<QPushButton*> buttons_;
};
