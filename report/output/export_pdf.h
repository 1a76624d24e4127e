#pragma once
// A report as a PDF document: every page image replayed as vectors on a page
// of the paper's size, so the text stays selectable and the fonts are
// embedded; the document title is the report's description.

#include <QString>

#include "platform/paint/vector_picture.h"

class TSestVystup;

// Writes pages FirstPage..LastPage of the output; an empty text when done,
// otherwise the reason the file could not be written.
QString SavePdfFile(TSestVystup& output, const QString& fileName, const QString& title);

// Renders page `index` (0-based) on the whole paper, margins included, and
// answers the output's page image.
const platform::VectorPicture& RenderPageOnPaper(TSestVystup& output, int index);
