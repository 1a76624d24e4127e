#include "report/designer/element_picture.h"

#include <algorithm>

#include "report/engine/sestavyt.h"
#include "report/output/lumex_canvas.h"
#include "report/output/sestvyst.h"

platform::VectorPicture DesignElementPicture(TSestavaTyp& report, TLumexReportElement& element) {
    const int w = std::max(element.width, 1);
    const int h = std::max(element.height, 1);
    platform::VectorPicture picture(w * kPageImageScale, h * kPageImageScale, 600);
    if (element.kind == ekDetail) {
        return picture;
    }
    TLumexCanvas canvas(picture, 100);
    canvas.PinFont();
    std::unique_ptr<TVystPrvek> placed = report.PlaceElement(element, 0, 0);
    report.Output().DrawElement(*placed, canvas, 0, 0, kPageImageScale, kPageImageScale,
                                kPageImageScale);
    return picture;
}
