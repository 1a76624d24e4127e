#pragma once
// The file exports of harvel-report: HTML (per page or one unpaged page), RTF,
// text in a code page, one EMF or WMF per page, and a spool file. File names
// of multi-file formats follow the report component: out.html gives
// out1.html, out2.html, ... with pictures out1_3.bmp (page 1, element 3).

#include <QString>

#include "report/output/code_pages.h"

class TSestava;
class TSestVystup;

namespace harvel_report {

bool IsExportFormat(const QString& format);
// The code page named on the command line (empty: no conversion).
TSestLanguage CodePageOf(const QString& name);
// Writes `format` of the generated output; an empty text or the reason it failed.
QString WriteExport(const QString& format, TSestava& report, TSestVystup& output,
                    const QString& fileName);

}  // namespace harvel_report
