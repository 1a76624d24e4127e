#pragma once
// The grids of the print page, one per print source, with their columns in
// order: the field each shows and its title.

#include <QList>
#include <QString>

class TDbGridKOPA;

struct TPrintGridColumn {
    QString field;
    QString title;
    bool rightAligned = false;
};

// The columns of the grid of `source` (0-9).
QList<TPrintGridColumn> PrintGridColumns(int source);

// Sets the columns, titles and alignment of the grid of `source`; every
// grid is read only with whole rows selected, the record sheets' grid moves
// down a row on Enter.
void SetUpPrintGrid(TDbGridKOPA& grid, int source);
