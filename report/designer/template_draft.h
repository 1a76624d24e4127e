#pragma once
// Drafting a new template from chosen data fields: a report header with a
// title and the print date, one element per field in the body (side by side
// or one per row), optional captions, separating lines, the page number and
// the section settings. The new-template wizard and harvel-report --draft
// both draft through this.

#include <QList>
#include <QString>
#include <QStringList>

#include "report/designer/designer_settings.h"

// One data field of the report as the drafting needs it.
struct TDraftField {
    QString name;
    QString label;  // display label
    int displayWidth = 0;
    int alignment = 0;
};

struct TDraftChoice {
    QStringList chosen;           // field names in layout order
    bool columnStyle = true;      // false: one field per row with its caption on the left
    bool byName = false;          // "Pol. podle názvu"
    bool captions = true;         // "Popisy položek"
    bool captionsAsText = false;  // "Popisy textem"
    bool detail = false;          // drafted for a detail report
};

// The drafted lines. `width` and `height` are the printable width and
// height of the paper (W and Hp); chosen names that are not fields are skipped.
QStringList DraftTemplate(const TDraftChoice& choice, const QList<TDraftField>& fields,
                          const TDesignerSettings& settings, int width, int height);
