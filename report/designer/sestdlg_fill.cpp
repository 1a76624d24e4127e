// TSestDlg: filling the tabs, the shown unit, the dependent controls, the
// values taken back and closing with "&Konec".

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "platform/messages.h"
#include "report/designer/dialog_controls.h"
#include "report/designer/paper_preview.h"
#include "report/designer/sestdlg.h"
#include "report/engine/sestavyt.h"
#include "report/output/length_units.h"

using namespace designer_ui;

namespace {

void SetShown(QSpinBox* spin, int hundredths, int unit) {
    spin->setValue(ShowInUnit(hundredths, unit));
}

}  // namespace

void TSestDlg::Fill(const TTemplateSettingsValues& values, int tab) {
    filling_ = true;
    groupsChanged_ = false;
    values_ = values;
    shownUnit_ = 0;  // everything is filled in hundredths of an inch first
    units_->setCurrentIndex(0);
    const bool detail = values.isDetail;
    for (QWidget* w : std::initializer_list<QWidget*>{
             formatsBox_, editFormat_, addFormat_, dropFormat_, portrait_, landscape_,
             allowOrientation_, margins_[0], margins_[1], margins_[2], margins_[3],
             sectionVisible_[stPageHeader], sectionHeight_[stPageHeader],
             sectionVisible_[stPageFooter], sectionHeight_[stPageFooter], noFirstPageHeader_,
             noLastPageFooter_}) {
        w->setEnabled(!detail);
    }
    for (int i = 0; i < kFixedSectionCount; ++i) {
        sectionVisible_[i]->setChecked(values.visible[i]);
        sectionHeight_[i]->setText(QString::number(values.height[i]));
    }
    bodyOnNewPage_->setChecked(values.flags[stBody] & sfBodyOnNewPage);
    breakAfterHeader_->setChecked(values.flags[stReportHeader] & sfPageBreakAfterReportHeader);
    breakBeforeFooter_->setChecked(values.flags[stReportFooter] & sfPageBreakBeforeReportFooter);
    noLastPageHeader_->setChecked(values.flags[stPageHeader] & sfNoPageHeaderOnLastPage);
    noFirstPageHeader_->setChecked(values.flags[stPageHeader] & sfNoPageHeaderOnFirstPage);
    noLastPageFooter_->setChecked(values.flags[stPageFooter] & sfNoPageFooterOnLastPage);
    footerAtPageFooter_->setChecked(values.flags[stReportFooter] & sfReportFooterAtPageFooter);
    footerOnlyFirstPage_->setChecked(values.flags[stPageFooter] & sfPageFooterOnlyOnFirstPage);

    reportName_->setText(values.reportName);
    reportDir_->setText(values.reportDir);
    copies_->setText(QString::number(values.copies));
    startPage_->setText(QString::number(values.startPage));
    endPage_->setText(LastPageText(values.endPage));
    maxRecords_->setText(QString::number(values.maxRecords));
    popis_->setText(values.popis);

    formats_.Load(host_.IniPath());
    const int format = formats_.FindOrAdd(values.paper.PaperWidth, values.paper.PaperHeight);
    FillFormats(format);
    chosenFormat_ = format;
    const bool user = format >= TListFormatu::kBuiltInCount;
    editFormat_->setText(user ? QStringLiteral("Oprav") : QStringLiteral("Ukaž"));
    dropFormat_->setEnabled(user && !detail);
    (values.paper.Landscape() ? landscape_ : portrait_)->setChecked(true);
    allowOrientation_->setChecked(values.paper.OrientationMayChange);

    rasterType_->button(values.rasterType == 1 ? 1 : 0)->setChecked(true);
    if (QAbstractButton* b = pitch_->button(std::clamp(values.pitch, 0, 2))) {
        b->setChecked(true);
    }
    showGrid_->setChecked(values.showGrid);
    snap_->setChecked(values.snap);
    QStringList pictures;
    host_.Report().ListPictures(pictures);
    backgroundFile_->clear();
    backgroundFile_->addItems(pictures);
    defaultBackground_->setChecked(!values.background.ownBackground);
    printBackground_->setChecked(values.background.printBackground);
    backgroundFile_->setEditText(values.background.fileName);
    wholePaper_->setChecked(!values.background.placed);
    placement_[0]->setValue(values.background.left);
    placement_[1]->setValue(values.background.top);
    placement_[2]->setValue(values.background.width);
    placement_[3]->setValue(values.background.height);
    rasterX_->setText(QString::number(values.rasterX));
    rasterY_->setText(QString::number(values.rasterY));

    margins_[0]->setValue(values.paper.MarginLeft);
    margins_[1]->setValue(values.paper.MarginRight);
    margins_[2]->setValue(values.paper.MarginTop);
    margins_[3]->setValue(values.paper.MarginBottom);
    columns_->setValue(std::max(1, values.printColumns));
    gap_->setValue(values.columnGap);

    allTabs_ = tab < 0;
    const int shown = tab < 0 ? lastTab_ : (tab < tbCount ? tab : tbSestava);
    for (int t = 0; t < tbCount; ++t) {
        tabs_->setTabVisible(t, allTabs_ || t == shown);
    }
    tabs_->setCurrentIndex(shown);
    filling_ = false;

    SwitchUnit(std::clamp(values.unit, 0, kUnitCount - 1));
    // Group heights are shown in the unit in force when a group is selected.
    RefillGroups();
    infoUnit_->setText(QLatin1Char('(') + UnitLabel(shownUnit_) + QLatin1Char(')'));
    RasterTypeChanged();
    BackgroundChanged();
    ReportFooterPageBreakChanged();
    RefreshPreview();
}

void TSestDlg::SelectTab(int tab) {
    if (tab >= 0 && tab < tbCount) {
        lastTab_ = tab;
    }
}

void TSestDlg::SwitchUnit(int u) {
    u = std::clamp(u, 0, kUnitCount - 1);
    if (u != shownUnit_) {
        const bool wasFilling = filling_;
        filling_ = true;
        const int old = std::max(0, shownUnit_);
        for (QSpinBox* spin : {gap_, margins_[0], margins_[1], margins_[2], margins_[3],
                               placement_[0], placement_[1], placement_[2], placement_[3]}) {
            SetShown(spin, TakeFromUnit(spin->value(), old), u);
        }
        for (QLineEdit* height : sectionHeight_) {
            bool ok = false;
            const int shown = height->text().trimmed().toInt(&ok);
            height->setText(QString::number(ok ? ShowInUnit(TakeFromUnit(shown, old), u) : 0));
        }
        shownUnit_ = u;
        filling_ = wasFilling;
    }
    units_->setCurrentIndex(shownUnit_);
    infoUnit_->setText(QLatin1Char('(') + UnitLabel(shownUnit_) + QLatin1Char(')'));
    RefreshPreview();
}

void TSestDlg::PageChanged() {
    if (!filling_) {
        RefreshPreview();
    }
}

int TSestDlg::MarginValue(int i) const {
    return TakeFromUnit(margins_[i]->value(), shownUnit_);
}

void TSestDlg::SetMarginValue(int i, int hundredths) {
    margins_[i]->setValue(ShowInUnit(hundredths, shownUnit_));
}

void TSestDlg::RefreshPreview() {
    const bool landscape = landscape_->isChecked();
    TPaperPreview::TPage page;
    page.width = landscape ? values_.paper.PaperHeight : values_.paper.PaperWidth;
    page.height = landscape ? values_.paper.PaperWidth : values_.paper.PaperHeight;
    page.left = MarginValue(0);
    page.right = MarginValue(1);
    page.top = MarginValue(2);
    page.bottom = MarginValue(3);
    page.columns = std::max(1, columns_->value());
    page.gap = TakeFromUnit(gap_->value(), shownUnit_);
    preview_->SetPage(page);
    const int u = shownUnit_;
    auto shown = [u](int v) { return QString::number(ShowInUnit(v, u)); };
    const int printableWidth = page.width - page.left - page.right;
    infoSize_->setText(shown(page.width) + QStringLiteral(" x ") + shown(page.height));
    infoPrintable_->setText(shown(printableWidth) + QStringLiteral(" x ") +
                            shown(page.height - page.top - page.bottom));
    const int cell = (printableWidth - (page.columns - 1) * page.gap) / page.columns;
    infoCell_->setText(shown(cell) + QStringLiteral(" x ") +
                       sectionHeight_[stBody]->text().trimmed());
}

void TSestDlg::RasterTypeChanged() {
    const bool graphic = rasterType_->checkedId() != 1;
    rasterSize_->setVisible(graphic);
    pitchBox_->setVisible(!graphic);
}

void TSestDlg::BackgroundChanged() {
    const bool own = !defaultBackground_->isChecked();
    backgroundFile_->setEnabled(own);
    printBackground_->setEnabled(own);
    wholePaper_->setEnabled(own);
    for (QSpinBox* spin : placement_) {
        spin->setEnabled(own && !wholePaper_->isChecked());
    }
}

void TSestDlg::ReportFooterPageBreakChanged() {
    const bool on = breakBeforeFooter_->isChecked();
    if (!on) {
        noLastPageHeader_->setChecked(false);
    }
    noLastPageHeader_->setEnabled(on);
}

TTemplateSettingsValues TSestDlg::Values() const {
    TTemplateSettingsValues v = values_;
    const int u = shownUnit_;
    v.popis = popis_->text();
    v.paper.Orientation = landscape_->isChecked() ? 1 : 0;
    v.paper.OrientationMayChange = allowOrientation_->isChecked();
    v.paper.MarginLeft = MarginValue(0);
    v.paper.MarginRight = MarginValue(1);
    v.paper.MarginTop = MarginValue(2);
    v.paper.MarginBottom = MarginValue(3);
    v.printColumns = std::max(1, columns_->value());
    v.columnGap = TakeFromUnit(gap_->value(), u);
    v.rasterType = rasterType_->checkedId() == 1 ? 1 : 0;
    v.pitch = std::max(0, pitch_->checkedId());
    v.showGrid = showGrid_->isChecked();
    v.snap = snap_->isChecked();
    v.rasterX = WholeOr(rasterX_, values_.rasterX);
    v.rasterY = WholeOr(rasterY_, values_.rasterY);
    v.background.ownBackground = !defaultBackground_->isChecked();
    v.background.printBackground = printBackground_->isChecked();
    v.background.fileName = backgroundFile_->currentText();
    v.background.placed = !wholePaper_->isChecked();
    v.background.left = TakeFromUnit(placement_[0]->value(), u);
    v.background.top = TakeFromUnit(placement_[1]->value(), u);
    v.background.width = TakeFromUnit(placement_[2]->value(), u);
    v.background.height = TakeFromUnit(placement_[3]->value(), u);
    v.unit = units_->currentIndex();
    for (int i = 0; i < kFixedSectionCount; ++i) {
        v.visible[i] = sectionVisible_[i]->isChecked();
        bool ok = false;
        const int shown = sectionHeight_[i]->text().trimmed().toInt(&ok);
        // Text that is not a whole number: the previous height in hundredths,
        // 0 when it went through a unit conversion.
        v.height[i] = ok ? TakeFromUnit(shown, u) : (u == 0 ? values_.height[i] : 0);
    }
    auto flag = [](bool on, int bit) { return on ? bit : 0; };
    v.flags[stReportHeader] = flag(breakAfterHeader_->isChecked(), sfPageBreakAfterReportHeader);
    v.flags[stPageHeader] = flag(noFirstPageHeader_->isChecked(), sfNoPageHeaderOnFirstPage) |
                            flag(noLastPageHeader_->isChecked(), sfNoPageHeaderOnLastPage);
    v.flags[stBody] = flag(bodyOnNewPage_->isChecked(), sfBodyOnNewPage);
    v.flags[stReportFooter] = flag(breakBeforeFooter_->isChecked(), sfPageBreakBeforeReportFooter) |
                              flag(footerAtPageFooter_->isChecked(), sfReportFooterAtPageFooter);
    v.flags[stPageFooter] = flag(noLastPageFooter_->isChecked(), sfNoPageFooterOnLastPage) |
                            flag(footerOnlyFirstPage_->isChecked(), sfPageFooterOnlyOnFirstPage);
    return v;
}

bool TSestDlg::CheckMargins() {
    const TTemplateSettingsValues v = Values();
    if (v.paper.PrintableWidth() > 0 && v.paper.PrintableHeight() > 0) {
        return true;
    }
    platform::ShowMessage(QStringLiteral("Okraje papíru nenechávají žádnou plochu pro tisk."),
                          QStringLiteral("Chyba"), platform::MessageIcon::Warning);
    tabs_->setTabVisible(tbPapir, true);
    tabs_->setCurrentIndex(tbPapir);
    return false;
}

void TSestDlg::Finish() {
    if (!CheckMargins() || !CheckGroupExpressions()) {
        return;
    }
    if (rasterType_->checkedId() != 1) {
        const int orientation = landscape_->isChecked() ? 1 : 0;
        int left = MarginValue(0);
        int right = MarginValue(1);
        int top = MarginValue(2);
        int bottom = MarginValue(3);
        if (!MarginsFitPrinter(orientation, left, top, bottom, right)) {
            const int answer = platform::ShowMessage(
                QStringLiteral("Nastavené okraje tisku jsou menší, než umožňuje připojená "
                               "tiskárna. Upravit velikost okrajů podle možností tiskárny?"),
                QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
                platform::mbYes | platform::mbNo | platform::mbCancel);
            if (answer == platform::mbCancel) {
                return;
            }
            if (answer == platform::mbYes) {
                AdjustMarginsToPrinter(left, top, right, bottom);
                SetMarginValue(0, left);
                SetMarginValue(1, right);
                SetMarginValue(2, top);
                SetMarginValue(3, bottom);
            }
        }
    }
    accept();
}
