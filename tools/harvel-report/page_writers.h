#pragma once
// Writing the pages of a generated report: the text dump and one PNG per
// page (the PDF is the report library's own, shared with the preview).

#include <QString>

class TSestVystup;

namespace harvel_report {

// Each writer covers pages FirstPage..LastPage of the output (after
// SetRange) and returns an empty text, or the reason it failed.
QString WriteDump(const TSestVystup& output, const QString& fileName);
QString WritePngs(TSestVystup& output, const QString& fileName, int dpi);

// out.png, page 2 -> out2.png (the extension replaced by the page number and ".png").
QString PageFileName(const QString& fileName, int page, const QString& extension);

}  // namespace harvel_report
