#pragma once
// The print sources of the record sheet's print page, in the order of the
// list "Výběr zdroje": 0 the record sheets, 1-9 one event book each, 10 the
// pedigrees assembled from the record sheets. The
// position is also the book kind of TDM1::RunBookQuery.
//
// For every source: its caption, the data source a report runs over, the
// label of its template list and the list's entries with their template
// files. The print button on the record sheet and `harvel-report --source`
// both point the report component at a source through PointReportAtSource,
// so a list printed from a script equals the one printed from the window.

#include <QList>
#include <QString>

class TDM1;
class TSestava;
namespace platform {
class DataSource;
}

// Every print source by its number, which is also its position in
// "Výběr zdroje" (0 to 10), the book kind of TDM1::RunBookQuery and the
// number of `harvel-report --source N`; stored numbers never change.
enum TPrintSourceNumber : int {
    tzEvidencniListy = 0,  // the record sheets, over QSeznamy
    tzZdravotniKarta = 1,
    tzVystavy = 2,
    tzTituly = 3,
    tzChovnost = 4,
    tzVrhy = 5,
    tzKryti = 6,
    tzRodokmen = 7,  // the stored pedigrees: no special selection
    tzZkousky = 8,
    tzFoto = 9,  // no special selection
    // The pedigrees of five generations assembled from the record sheets.
    tzRodokmenEvid = 10,
    tzDiar = 11,     // printed from the diary window only
    tzAdresar = 12,  // printed from the address book's window
};

// The sources of the print page: tzEvidencniListy to tzRodokmenEvid.
inline constexpr int kPrintSourceCount = tzRodokmenEvid + 1;

struct TPrintTemplate {
    QString caption;  // the entry of the template list
    QString file;     // the template file in the template folder
};

struct TPrintSource {
    QString caption;         // the entry of "Výběr zdroje"
    QString listLabel;       // the label of the template list
    QString dataSourceName;  // "SoQSeznamy" (position 0) or "SoQPomknihy"
    QList<TPrintTemplate> templates;
};

// The ten sources in list order.
const QList<TPrintSource>& PrintSources();
bool IsPrintSource(int position);

// Any print source by its number: the print page's, and those printed from
// a window of their own (the address book's); null for no source.
const TPrintSource* FindPrintSource(int number);

// The data source a report of the source runs over: SoQSeznamy for the
// record sheets, SoQRodokmenEvid for the assembled pedigrees, SoQPomknihy
// for an event book and the address book; null for no source.
platform::DataSource* PrintDataSource(TDM1& dm, int source);

// The template file of entry `templateIndex` of the source's list; empty
// when either position has no entry.
QString PrintTemplateFile(int source, int templateIndex);

// The before-report step: points `report` at the source's data source and
// at the file of the chosen template entry. Answers false, changing nothing
// that has no entry, when the source or the template position names no
// entry (nothing chosen); the caller reports that and runs nothing.
bool PointReportAtSource(TSestava& report, TDM1& dm, int source, int templateIndex);

// A template that sets its own order (a list grouped by the sire) gets the
// rows of the module's book query in that order first, then in the user's.
void FollowTemplateOrder(TSestava& report, TDM1& dm, int source);
// The same with a template file of the user's own (a name in the template
// folder or a full path); false when the source or the file is not given.
bool PointReportAtSource(TSestava& report, TDM1& dm, int source, const QString& templateFile);
