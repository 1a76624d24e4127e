#include "app/diary_print.h"

#include "app/parametry.h"
#include "platform/czech_locale.h"
#include "platform/folders.h"
#include "records/diary/diary_entry.h"
#include "report/engine/sestavy.h"

const TPrintSource& DiaryPrintSource() {
    static const TPrintSource source{QStringLiteral("Diář"),
                                     QStringLiteral("Sestavy diáře"),
                                     QStringLiteral("SoDiar"),
                                     {{QStringLiteral("Diář"), QStringLiteral("Diar00.pts")}}};
    return source;
}

QString SpanText(const diary::DiarySpan& span) {
    return QStringLiteral("Od %1 do %2")
        .arg(platform::FormatDate(span.from), platform::FormatDate(span.to));
}

void SetUpDiaryReport(TSestava& report, platform::DataSource& source,
                      const diary::DiarySpan& span) {
    report.SetDataSource(&source);
    report.SetReportDir(platform::TemplateFolder());
    report.ReportDirIgnore = false;
    report.IsStored = false;
    report.SetPrintBackground(false);
    report.SetReportName(DiaryPrintSource().templates.first().file);
    report.SetParametry({CurrentParametry().Chovatel, SpanText(span)});
}
