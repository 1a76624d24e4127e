#include "report/designer/element_picture.h"

#include <algorithm>

#include "report/engine/roman_fonts.h"
#include "report/engine/sestavyt.h"
#include "report/output/lumex_canvas.h"
#include "report/output/sestvyst.h"
#include "report/output/template_font.h"
#include "report/output/text_layout.h"

namespace {

// The element's text laid out into the placed element as a run lays it out.
void LayoutDesignText(TSestavaTyp& report, TLumexReportElement& element, TVystPrvek& placed) {
    const QString text = report.ElementText(element);
    if (element.angle != 0) {
        placed.Text = text;
        return;
    }
    platform::Font font = element.font.CanvasFont();
    SubstituteDeviceFont(font);
    const TRasterSettings& raster = report.Settings().raster;
    const bool characterMode = raster.CharacterMode() && raster.cellHeight > 0;
    const bool roman = IsRomanFont(element.font.name);
    const double letterSpacing =
        roman ? 100.0 / RomanCpi(element.font.name) : element.letterSpacing;
    const double lineHeight = roman ? 100.0 / 6.0 : (characterMode ? raster.cellHeight : 0.0);
    const bool multiline =
        element.Multiline() ||
        (element.kind == ekField && IsMemoFieldType(report.DataType(element.source)));
    static TLumexCanvas measure(100);
    TRadky lines;
    LayoutText(measure, LayoutRect(element.width, element.height), text, lines, multiline,
               lineHeight, letterSpacing, element.EffectiveAlignment(), font, element.RtfText());
    if (element.VariableHeight() && report.Settings().printColumns < 2) {
        placed.SetLines(lines);
        return;
    }
    int used = 0;
    int last = -1;
    FitLines(lines, 0, element.height, used, last);
    if (last >= 0) {
        placed.SetLineRange(lines, 0, last);
    }
}

// The element placed at the top-left corner with its text and picture, as
// the engine places it on a page.
std::unique_ptr<TVystPrvek> PlaceForDesign(TSestavaTyp& report, TLumexReportElement& element) {
    auto placed = std::make_unique<TVystPrvek>(&element, 0, 0, element.width, element.height);
    if (element.IsText() || element.kind == ekBarcode) {
        LayoutDesignText(report, element, *placed);
    }
    if (element.kind == ekField && IsPictureFieldType(report.DataType(element.source))) {
        if (!element.pictureFile.isEmpty()) {
            placed->SetPictureFile(element.pictureFile);
        } else {
            placed->SetPicture(element.picture);
        }
    } else if (element.kind == ekPicture) {
        placed->SetPictureFile(element.pictureFile);
        if (!element.picture.IsEmpty() && (element.frameFlags & ffPictureOwnCopy)) {
            placed->SetPicture(element.picture);
        }
    } else if (element.kind == ekPaintBox && !element.picture.IsEmpty()) {
        placed->SetPicture(element.picture);
    }
    return placed;
}

}  // namespace

platform::VectorPicture DesignElementPicture(TSestavaTyp& report, TLumexReportElement& element) {
    const int w = std::max(element.width, 1);
    const int h = std::max(element.height, 1);
    platform::VectorPicture picture(w * kPageImageScale, h * kPageImageScale, 600);
    if (element.kind == ekDetail) {
        return picture;
    }
    TLumexCanvas canvas(picture, 100);
    canvas.PinFont();
    std::unique_ptr<TVystPrvek> placed = PlaceForDesign(report, element);
    report.Output().DrawElement(*placed, canvas, 0, 0, kPageImageScale, kPageImageScale,
                                kPageImageScale);
    return picture;
}
