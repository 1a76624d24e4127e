#pragma once
// The diary's print source "Diář": the entries the diary window shows, over
// the template Diar00.pts of the template folder. It is printed from the
// diary window only, so it is not one of the print page's sources; its
// number tzDiar (11) follows the print page's own (0 to 10).

#include <QString>

#include "app/print_sources.h"

class TSestava;
namespace platform {
class DataSource;
}
namespace diary {
struct DiarySpan;
}

const TPrintSource& DiaryPrintSource();

// Points `report` at the diary's data source and its template, with the
// kennel's name in parameter line 1 and the span in line 2.
void SetUpDiaryReport(TSestava& report, platform::DataSource& source, const diary::DiarySpan& span);

// "Od 1.6.2026 do 1.7.2026"
QString SpanText(const diary::DiarySpan& span);
