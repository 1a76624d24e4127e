#pragma once
// The print sources of the record sheet's print page, in the order of the
// list "Výběr zdroje": for each its caption, the data source a print runs
// on, the label of its template list and the list's entries with their
// template files. The position is also the book kind of RunBookQuery, so
// the print page, its print button and harvel-report --source read the one
// table here.

#include <QString>
#include <vector>

class TDM1;
namespace platform {
class DataSource;
}

struct TPrintTemplate {
    QString caption;  // the entry of the template list
    QString file;     // the template file in the template folder
};

struct TPrintSource {
    int position = 0;
    QString caption;        // the entry of "Výběr zdroje"
    QString templateLabel;  // the label of the source's template list
    std::vector<TPrintTemplate> templates;
};

inline constexpr int kPrintSourceCount = 10;

// All ten sources, position 0 ("Evidenční listy") first.
const std::vector<TPrintSource>& PrintSources();
// The source at `position`, or nullptr outside 0..9.
const TPrintSource* FindPrintSource(int position);

// The data source a print of `position` runs on: SoQSeznamy for the record
// sheets, SoQPomknihy for the event books. `position` must be 0..9.
platform::DataSource& PrintSourceDataSource(TDM1& dm, int position);
