#pragma once
// --draft: a new template drafted from chosen fields of the run's data, as
// the designer's new-template wizard drafts it, written to a file.

#include <QString>
#include <QStringList>

class TSestava;

namespace harvel_report {

struct DraftOptions {
    QString outFile;
    QStringList fields;
    QString style = QStringLiteral("column");    // column | row
    QString captions = QStringLiteral("label");  // label | text | none
    bool byName = false;
};

// Drafts over the report's data and writes the template; throws
// DraftFailure with a Czech message (nothing written) when a field is unknown.
void DraftTemplateFile(TSestava& report, const DraftOptions& options);

struct DraftFailure {
    QString message;
};

}  // namespace harvel_report
