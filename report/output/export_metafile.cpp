// One rendered page as an enhanced metafile or a placeable Windows metafile.
#include "report/output/export_elements.h"
#include "report/output/sestexport.h"

namespace {

// Renders one page with the paper geometry switched on or off for the call.
void RenderForExport(TSestVystup& output, int page, bool paperGeometry, bool withBackground) {
    const bool saved = output.PaperGeometry;
    output.PaperGeometry = paperGeometry;
    output.RenderPage(page, withBackground);
    output.PaperGeometry = saved;
}

}  // namespace

bool SaveMetafile(TSestVystup& output, QIODevice& stream, int page, bool paperGeometry,
                  bool withBackground, bool enhanced) {
    if (page < 0 || page >= output.PageCount()) {
        return false;
    }
    RenderForExport(output, page, paperGeometry, withBackground);
    output.CurrentPage = page;
    const QByteArray bytes = enhanced ? output.PageImage().ToEmf() : output.PageImage().ToWmf();
    return !bytes.isEmpty() && stream.write(bytes) == bytes.size();
}

bool SaveMetafileFile(TSestVystup& output, const QString& fileName, int page, bool paperGeometry,
                      bool withBackground, bool enhanced) {
    if (page < 0 || page >= output.PageCount()) {
        return false;
    }
    return WriteFileAtomically(fileName, [&](QIODevice& device) {
        return SaveMetafile(output, device, page, paperGeometry, withBackground, enhanced);
    });
}

// Used by the spool writer: the page as EMF bytes rendered on the whole paper.
QByteArray PageAsPaperEmf(TSestVystup& output, int page, bool withBackground) {
    RenderForExport(output, page, true, withBackground);
    output.CurrentPage = page;
    return output.PageImage().ToEmf();
}
