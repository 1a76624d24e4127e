#include "report/designer/papir.h"

#include <algorithm>

#include "report/designer/design_geometry.h"
#include "report/designer/oddil.h"
#include "report/designer/sesprvek.h"
#include "report/engine/sestavyt.h"
#include "report/output/sestprn.h"

TPapir::TPapir(TSestavaTyp& report, TDesignerOperations& designer, QWidget* parent)
    : QWidget(parent), report_(report), designer_(designer) {
    setObjectName(QStringLiteral("Papir"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

bool TPapir::IsDetail() const {
    return report_.IsDetail();
}

TOddil* TPapir::CreateBand(int code) {
    TOddilSestavy* section = nullptr;
    if (code < kFixedSectionCount) {
        section = &report_.Oddily().Fixed(code);
    } else {
        const int g = (code - stGroupHeader) / 2;
        if (g < report_.Skupiny().Count()) {
            const TPolSkup& group = report_.Skupiny()[g];
            section = (code - stGroupHeader) % 2 == 0 ? group.header : group.footer;
        }
    }
    auto* band = new TOddil(this, code, section);
    bands_.push_back(band);
    return band;
}

void TPapir::Rebuild() {
    for (TOddil* band : bands_) {
        delete band;
    }
    bands_.clear();
    for (int code = 0; code < kFixedSectionCount; ++code) {
        CreateBand(code);
    }
    for (int g = 0; g < report_.Skupiny().Count(); ++g) {
        CreateBand(GroupHeaderType(g));
        CreateBand(GroupFooterType(g));
    }
    for (TOddil* band : bands_) {
        TOddilSestavy* section = band->Section();
        if (!section) {
            continue;
        }
        for (int i = 0; i < section->Count(); ++i) {
            band->AddElement(&(*section)[i]);
        }
    }
    RelayBands();
}

void TPapir::ClearElements() {
    for (TOddil* band : bands_) {
        band->ClearElements();
    }
}

TOddil* TPapir::Band(int code) const {
    for (TOddil* band : bands_) {
        if (band->Code() == code) {
            return band;
        }
    }
    return nullptr;
}

std::vector<TOddil*> TPapir::DisplayedBands() const {
    std::vector<TOddil*> shown;
    for (int code : BandDisplayOrder(report_.Skupiny().Count())) {
        TOddil* band = Band(code);
        if (band && band->BandVisible()) {
            shown.push_back(band);
        }
    }
    return shown;
}

std::vector<TSesPrvek*> TPapir::AllElements() const {
    std::vector<TSesPrvek*> all;
    for (TOddil* band : bands_) {
        all.insert(all.end(), band->Elements().begin(), band->Elements().end());
    }
    return all;
}

TOddil* TPapir::BandOf(const TSesPrvek* element) const {
    return element ? element->Band() : nullptr;
}

void TPapir::SetZoom(double zoom) {
    zoom_ = zoom;
    RelayBands();
}

void TPapir::SetDesignWidth(int width) {
    designWidth_ = std::max(1, width);
    RelayBands();
}

void TPapir::RelayBands() {
    // The background's offset on each band: the paper's top-left corner seen
    // from the band, the page footer counted from the bottom of the paper.
    const TPaperSetup& paper = PaperSetup();
    int above = 0;
    for (TOddil* band : bands_) {
        band->backgroundOffset.setX(-paper.MarginLeft);
        if (!band->BandVisible()) {
            continue;
        }
        if (band->Code() == stPageFooter) {
            band->backgroundOffset.setY(band->BandHeight() + paper.MarginBottom -
                                        paper.OrientedHeight());
        } else {
            band->backgroundOffset.setY(-paper.MarginTop - above);
            above += band->BandHeight();
        }
    }
    int y = 0;
    const std::vector<TOddil*> shown = DisplayedBands();
    for (TOddil* band : bands_) {
        band->setVisible(std::find(shown.begin(), shown.end(), band) != shown.end());
    }
    for (TOddil* band : shown) {
        band->move(0, y);
        band->Relay();
        y += band->height();
    }
    resize(ToPixels(designWidth_, zoom_), y + 1);
}
