#include "report/output/text_layout.h"

#include "report/output/lumex_canvas.h"
#include "report/output/rtf_reader.h"
#include "report/output/text_layouter.h"

void LayoutText(TLumexCanvas& canvas, const QRect& rect, const QString& text, TRadky& lines,
                bool wrap, double lineHeight, double charSpacing, int alignment,
                const platform::Font& font, bool rtf) {
    TTextLayouter layouter(canvas, rect, lines, wrap, lineHeight, charSpacing, alignment, font);
    if (rtf) {
        ReadRtf(text, layouter);
    } else {
        layouter.ExpectCharacters(int(text.size()));
        for (QChar ch : text) {
            if (!layouter.Feed(ch.unicode())) {
                break;
            }
        }
    }
    layouter.Finish();
}
