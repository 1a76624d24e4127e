#pragma once
// Small outputs built by hand for the export tests: template elements with
// laid-out lines placed on pages. Texts are measured with the Liberation
// fonts that stand in for Arial (fonts-liberation2).
#include <QBuffer>
#include <deque>
#include <functional>

#include "report/model/lumex_element.h"
#include "report/output/lumex_canvas.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"
#include "report/output/text_layout.h"

class ExportFixture {
  public:
    ExportFixture() {
        saved_ = PaperSetup();
        PaperSetup() = TPaperSetup();  // A4 portrait, margins 50/50/70/70
    }
    ~ExportFixture() { PaperSetup() = saved_; }

    TLumexReportElement& Element(int kind) {
        elements_.emplace_back();
        TLumexReportElement& element = elements_.back();
        element.kind = kind;
        return element;
    }

    // A text element with `text` laid out into its box (wrapped when multiline).
    TLumexReportElement& Text(const QString& text, int width = 200, int height = 20,
                              bool multiline = false) {
        TLumexReportElement& element = Element(ekText);
        element.text = text;
        element.width = width;
        element.height = height;
        if (multiline) {
            element.textFlags |= tfMultiline;
        }
        return element;
    }

    void Place(TLumexReportElement& element, int page, int left, int top) {
        auto placed =
            std::make_unique<TVystPrvek>(&element, left, top, element.width, element.height);
        if (element.IsText()) {
            TLumexCanvas canvas(100);
            TRadky lines;
            LayoutText(canvas, LayoutRect(element.width, element.height), element.text, lines,
                       element.Multiline(), 0, 0, element.alignment, element.font.CanvasFont(),
                       element.RtfText());
            placed->SetLines(lines);
        }
        output.AddElement(std::move(placed), page);
    }

    TSestVystup output;

  private:
    std::deque<TLumexReportElement> elements_;
    TPaperSetup saved_;
};

inline QByteArray Written(const std::function<void(QIODevice&)>& write) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return buffer.data();
}
