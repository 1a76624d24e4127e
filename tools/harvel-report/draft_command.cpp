#include "draft_command.h"

#include <algorithm>

#include "report/designer/designer_settings.h"
#include "report/designer/template_draft.h"
#include "report/engine/sestavy.h"
#include "report/output/paper_formats.h"
#include "report/output/sestprn.h"

namespace harvel_report {

void DraftTemplateFile(TSestava& report, const DraftOptions& o) {
    if (!report.PrepareData()) {
        throw DraftFailure{QStringLiteral("Data nejsou připravena.")};
    }
    report.LoadFieldLists();
    QList<TDraftField> fields;
    for (int i = 0; i < report.FieldCount(); ++i) {
        fields.append({report.FieldName(i), report.FieldLabel(i), report.DisplayWidth(i),
                       report.Alignment(i)});
    }
    for (const QString& name : o.fields) {
        const bool known = std::any_of(fields.begin(), fields.end(),
                                       [&](const TDraftField& f) { return f.name == name; });
        if (!known) {
            throw DraftFailure{
                QStringLiteral("Položka \"%1\" není mezi položkami dat sestavy.").arg(name)};
        }
    }
    TDesignerSettings settings;
    settings.Load(ReportIniPath(report.IniFileName));
    TDraftChoice choice;
    choice.chosen = o.fields;
    choice.columnStyle = o.style != QLatin1String("row");
    choice.captions = o.captions != QLatin1String("none");
    choice.captionsAsText = o.captions == QLatin1String("text");
    choice.byName = o.byName;
    const TPaperSetup& paper = PaperSetup();
    const TPredloha drafted(
        DraftTemplate(choice, fields, settings, paper.PrintableWidth(), paper.PrintableHeight()));
    if (!drafted.SaveToFile(o.outFile)) {
        throw DraftFailure{QStringLiteral("Předlohu \"%1\" se nepodařilo zapsat.").arg(o.outFile)};
    }
}

}  // namespace harvel_report
