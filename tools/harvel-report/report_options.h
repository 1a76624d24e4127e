#pragma once
// The command line of harvel-report, read into one structure.

#include <QString>
#include <QStringList>
#include <optional>

namespace harvel_report {

struct ReportOptions {
    QString dataFolder;
    QString sql;
    QString table;
    // --source N: the print page's list of source N (0-10) with the clause
    // texts of --where and --order.
    std::optional<int> source;
    QString where, order;
    QString templateFile;
    QStringList params;
    std::optional<int> firstPage, lastPage, maxRecords;
    QString codepage;
    QString format;
    QString outFile;
    int dpi = 150;
    std::optional<QString> eval;
    bool preview = false;  // show the pages in the preview window after generating
    bool design = false;   // open the template in the designer
    // --strict: a failure the run went on past (a function, a picture, a
    // field, the paper) ends the program with exit code 1.
    bool strict = false;
    // --draft OUT.pts: a new template drafted from --fields A,B,C.
    QString draftOut;
    QStringList draftFields;
    QString draftStyle = QStringLiteral("column");    // column | row
    QString draftCaptions = QStringLiteral("label");  // label | text | none
    bool draftByName = false;
    bool help = false;  // --help: print the usage and do nothing else
};

// Reads the arguments (without the program name). Throws UsageError with a
// message naming the bad option.
ReportOptions ParseOptions(const QStringList& args);

struct UsageError {
    QString message;
};

// The formats this build writes, and all formats the tool knows by name.
bool IsWrittenFormat(const QString& format);
bool IsKnownFormat(const QString& format);
// The spreadsheet formats: the list's rows themselves, without a template.
bool IsSheetFormat(const QString& format);

}  // namespace harvel_report
