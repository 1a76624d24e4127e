#pragma once
// Where a chart of the breeding statistics goes besides the screen: a PNG or
// PDF file, a printer (through the report library's print dialog and the
// program's printer system), the clipboard.

#include <QSize>
#include <QString>

#include "records/stats/breeding_charts.h"

class QWidget;

// Writes the chart to `path`: a PDF page (A4 landscape) when the name ends in
// ".pdf", otherwise a PNG picture of `pictureSize`. The file appears whole or
// not at all; on failure answers false with the reason in `error`.
bool SaveStatisticsChart(const breeding::ChartContent& content, const QString& path,
                         const QSize& pictureSize, QString& error);

// Asks for the printer and the copies and prints the chart on one landscape
// page. Says itself what went wrong; answers whether the page was printed.
bool PrintStatisticsChart(const breeding::ChartContent& content, QWidget* parent);

// Puts the chart's picture on the clipboard.
void CopyStatisticsChart(const breeding::ChartContent& content, const QSize& pictureSize);
