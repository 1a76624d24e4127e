// TDlgKonfPrvku: filling the pages from an element or a font, the font
// rules of the sample, and writing the dialog back into the element.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

#include "report/designer/design_tools.h"
#include "report/designer/dialog_controls.h"
#include "report/designer/dlgkonfprvku.h"
#include "report/designer/funkcedlg.h"
#include "report/designer/sest_fneditvyraz.h"
#include "report/engine/data_types.h"
#include "report/engine/sestavyt.h"
#include "report/output/length_units.h"
#include "report/output/sestbarc.h"
#include "report/output/template_font.h"

using namespace designer_ui;

namespace {

// "Skript:" entries by the charset index table.
constexpr int kScriptCharsets[] = {csWestern,    csGreek,    csTurkish, csBaltic,
                                   csEastEurope, csCyrillic, csSymbol,  csDefault};

int ScriptIndex(int charset) {
    for (int i = 0; i < 8; ++i) {
        if (kScriptCharsets[i] == charset) {
            return i;
        }
    }
    return -1;
}

int ColourTableIndex(int rgb) {
    for (int i = 0; i < 16; ++i) {
        if (TemplateColorTable(i) == rgb) {
            return i;
        }
    }
    return -1;
}

// The size a "Roman " device font is drawn in.
int DeviceFontSize(const QString& name) {
    const int cpi = DeviceFontCpi(name);
    return cpi == 12 ? 10 : cpi == 17 ? 8 : 11;
}

QString Padded(int number) {
    return QString::number(number).leftJustified(3, QLatin1Char(' '), true);
}

void SetFlag(int& word, int bit, bool on) {
    word = on ? (word | bit) : (word & ~bit);
}

}  // namespace

// ---- font page -----------------------------------------------------------------------------

void TDlgKonfPrvku::SetFont(const TElementFont& font) {
    font_ = font;
    filling_ = true;
    fontName_->setCurrentIndex(fontName_->findText(font.name, Qt::MatchFixedString));
    fontSize_->setEditText(QString::number(font.size));
    fontColour_->setCurrentIndex(ColourTableIndex(font.color));
    fontScript_->setCurrentIndex(ScriptIndex(font.charset));
    const int bits[] = {fsBold, fsItalic, fsUnderline, fsStrikeout};
    for (int i = 0; i < 4; ++i) {
        styles_[i]->setChecked(font.style & bits[i]);
    }
    filling_ = false;
    FontChanged();
}

void TDlgKonfPrvku::FontChanged() {
    if (filling_) {
        return;
    }
    if (fontName_->currentIndex() >= 0) {
        font_.name = fontName_->currentText().left(kMaxFontNameLength);
    }
    bool ok = false;
    const int size = fontSize_->currentText().trimmed().toInt(&ok);
    font_.size = ok ? size : 12;
    const int bits[] = {fsBold, fsItalic, fsUnderline, fsStrikeout};
    font_.style = 0;
    for (int i = 0; i < 4; ++i) {
        if (styles_[i]->isChecked()) {
            font_.style |= bits[i];
        }
    }
    if (fontColour_->currentIndex() >= 0) {
        font_.color = TemplateColorTable(fontColour_->currentIndex());
    }
    if (fontScript_->currentIndex() >= 0) {
        font_.charset = kScriptCharsets[fontScript_->currentIndex()];
    }
    const bool device = IsDeviceFont(font_.name);
    if (device && font_.size != DeviceFontSize(font_.name)) {
        font_.size = DeviceFontSize(font_.name);
        filling_ = true;
        fontSize_->setEditText(QString::number(font_.size));
        filling_ = false;
    }
    fontSize_->setEnabled(!device);
    RefreshSample();
}

void TDlgKonfPrvku::RefreshSample() {
    platform::Font font = font_.CanvasFont();
    SubstituteDeviceFont(font);
    QFont shown(font.name);
    shown.setPointSizeF(std::clamp(font.size, 1.0, 200.0));
    shown.setBold(font.bold);
    shown.setItalic(font.italic);
    shown.setUnderline(font.underline);
    shown.setStrikeOut(font.strikeout);
    sample_->setFont(shown);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::WindowText, font.color);
    sample_->setPalette(palette);
}

void TDlgKonfPrvku::PageChanged(int page) {
    if (fontScript_->currentIndex() >= 0) {
        font_.charset = kScriptCharsets[fontScript_->currentIndex()];
    }
    const bool units = page == pgBasic || page == pgBarcode;
    unitLabels_[0]->setVisible(units);
    unitLabels_[1]->setVisible(units);
}

// ---- sources and panels ----------------------------------------------------------------------

QStringList TDlgKonfPrvku::SourceItems(int kind, TSestavaTyp& report, const TListFunkci& functions,
                                       bool popisyPol) {
    QStringList items;
    switch (kind) {
        case ekField:
        case ekFieldLabel:
            for (int i = 0; i < report.FieldCount(); ++i) {
                items << QLatin1Char('#') + Padded(i + 1) + DesignFieldName(report, i, popisyPol);
            }
            break;
        case ekParameter:
            for (int i = 0; i < report.Parametry.size(); ++i) {
                items << QStringLiteral("Parametr &%1").arg(i + 1);
            }
            break;
        case ekVariable:
            items << QStringLiteral("Datum tisku") << QStringLiteral("Čas tisku")
                  << QStringLiteral("Číslo řádku") << QStringLiteral("Číslo stránky")
                  << QStringLiteral("Počet stran");
            for (int g = 1; g <= report.Skupiny().Count(); ++g) {
                items << QStringLiteral("Číslo ř. ve sk.%1").arg(g)
                      << QStringLiteral("Číslo skupiny %1").arg(g);
            }
            break;
        case ekFunction:
            for (int i = 0; i < functions.Count(); ++i) {
                items << QLatin1Char('@') + Padded(i + 1) + functions[i].name;
            }
            break;
        default:
            break;
    }
    return items;
}

int TDlgKonfPrvku::PanelForField(int field) const {
    if (kind_ != ekField || !context_.report || field < 0 ||
        field >= context_.report->FieldCount()) {
        return pnText;
    }
    const int type = context_.report->DataType(field);
    return IsPictureFieldType(type) ? pnPicture : IsMemoFieldType(type) ? pnMemo : pnText;
}

int TDlgKonfPrvku::ShownPanel() const {
    return panels_->currentIndex();
}

void TDlgKonfPrvku::SourceChanged(int index) {
    if (!filling_ && (kind_ == ekField || kind_ == ekFieldLabel)) {
        panels_->setCurrentIndex(PanelForField(index));
        RtfToggled(ShownPanel() == pnMemo && memoRtf_->isChecked());
    }
}

void TDlgKonfPrvku::RtfToggled(bool on) {
    const bool locked = on && ShownPanel() == pnMemo;
    alignment_->setEnabled(!locked);
    for (int page = 0; page < pgCount; ++page) {
        if (page != pages_->currentIndex()) {
            pages_->setTabEnabled(page, !locked);
        }
    }
}

void TDlgKonfPrvku::EditCondition() {
    if (!context_.report) {
        return;
    }
    const TListFunkci& functions =
        context_.functions ? *context_.functions : context_.report->Funkce();
    QString text = condition_->text();
    if (EditExpression(*context_.report, functions, false, context_.sledPodle, text, this)) {
        condition_->setText(text);
    }
}

void TDlgKonfPrvku::EditChosenFunction() {
    const int index = source_->currentIndex();
    if (!context_.report || !context_.functions || index < 0 ||
        index >= context_.functions->Count()) {
        return;
    }
    TListFunkci& functions = *context_.functions;
    if (EditFunction(*context_.report, functions, context_.sledPodle,
                     context_.report->Skupiny().Count(), functions[index], this) == 1) {
        functionEdited_ = true;
        source_->setItemText(index, QLatin1Char('@') + Padded(index + 1) + functions[index].name);
    }
}

// ---- filling ---------------------------------------------------------------------------------

bool TDlgKonfPrvku::Fill(const TLumexReportElement& e) {
    kind_ = e.kind;
    TSestavaTyp* report = context_.report;
    if (mode_ == kmText && report) {
        const bool fieldGone = (e.kind == ekField || e.kind == ekFieldLabel) &&
                               (e.source < 0 || e.source >= report->FieldCount());
        const int functionCount = context_.functions ? context_.functions->Count() : 0;
        const bool functionGone =
            e.kind == ekFunction && (e.source < 0 || e.source >= functionCount);
        if (fieldGone || functionGone) {
            return false;
        }
    }
    FillCommon(e);
    if (mode_ == kmText) {
        FillText(e);
    } else if (mode_ == kmBarcode) {
        FillBarcode(e);
    }
    return true;
}

void TDlgKonfPrvku::FillCommon(const TLumexReportElement& e) {
    const int values[] = {e.left, e.top, e.width, e.height};
    for (int i = 0; i < 4; ++i) {
        geometry_[i]->setText(QString::number(ShowInUnit(values[i], context_.unit)));
        barcodeGeometry_[i]->setText(geometry_[i]->text());
    }
    condition_->setText(e.condition);
    handler_->setChecked(e.handler);
    ident_->setText(e.ident);
    kindName_->setText(ElementKindName(e.kind));
}

void TDlgKonfPrvku::FillText(const TLumexReportElement& e) {
    SetFont(e.font);
    filling_ = true;
    alignment_->setCurrentIndex(e.alignment >= 0 && e.alignment <= 2 ? e.alignment : -1);
    spacing_->setText(QString::number(ShowInUnit(e.letterSpacing, context_.unit)));
    angle_->setText(QString::number(e.angle));
    for (int i = 0; i < 4; ++i) {
        frames_[i]->setChecked(e.frameFlags & (1 << i));
    }
    const bool staticText = e.kind == ekText;
    source_->clear();
    if (context_.report) {
        const TListFunkci& functions =
            context_.functions ? *context_.functions : context_.report->Funkce();
        source_->addItems(SourceItems(e.kind, *context_.report, functions, context_.popisyPol));
    }
    source_->setCurrentIndex(e.source >= 0 && e.source < source_->count() ? e.source : -1);
    source_->setEnabled(!staticText);
    source_->setVisible(!staticText);
    sourceCaption_->setVisible(!staticText);
    text_->setVisible(staticText);
    textCaption_->setVisible(staticText);
    text_->setText(staticText ? e.text : QString());
    const bool named = e.kind == ekField || e.kind == ekFieldLabel || e.kind == ekFunction;
    byNameGroup_->setEnabled(named);
    byName_->button(named && !e.sourceName.isEmpty() ? 1 : 0)->setChecked(true);

    int panel = pnText;
    if (e.kind == ekField) {
        panel = PanelForField(e.source);
    } else if (e.kind == ekFunction) {
        panel = pnFunction;
    } else if (e.kind == ekVariable) {
        panel = pnVariable;
    }
    panels_->setCurrentIndex(panel);
    for (QCheckBox* box : {txMultiline_, fnMultiline_}) {
        box->setChecked(e.textFlags & tfMultiline);
    }
    for (QCheckBox* box : {txVarHeight_, memoVarHeight_, fnVarHeight_}) {
        box->setChecked(e.textFlags & tfVariableHeight);
    }
    for (QCheckBox* box : {txBlok_, memoBlok_, fnBlok_}) {
        box->setChecked(e.textFlags & tfJustify);
    }
    memoRtf_->setChecked(e.textFlags & tfRtf);
    stretch_->setChecked(e.frameFlags & ffPictureStretch);
    keepAspect_->setChecked(e.frameFlags & ffPictureKeepAspect);
    filling_ = false;
    RtfToggled(memoRtf_->isChecked());
    if (staticText) {
        text_->setFocus();
    }
}

void TDlgKonfPrvku::FillBarcode(const TLumexReportElement& e) {
    barcodeText_->setText(e.text);
    const bool known = e.penStyle >= 0 && e.penStyle < kBarcodeTypeCount;
    barcodeType_->setCurrentIndex(known ? e.penStyle
                                        : barcodeType_->findText(QStringLiteral("EAN 13")));
    barWidth_->setCurrentIndex(FindBarWidthIndex(e.penWidth));
    checkSum_->setChecked(e.frameFlags & ffBarcodeCheckDigit);
    barText_->setChecked(e.frameFlags & ffBarcodeText);
    guards_->setChecked(e.frameFlags & ffBarcodeGuards);
    barcodeAngle_->setText(QString::number(e.angle));
}

// ---- applying --------------------------------------------------------------------------------

void TDlgKonfPrvku::Apply(TLumexReportElement& e) const {
    if (mode_ == kmText) {
        ApplyText(e);
        ApplyGeometry(e, geometry_);
    } else if (mode_ == kmBarcode) {
        ApplyBarcode(e);
        ApplyGeometry(e, barcodeGeometry_);
    } else if (mode_ == kmGraphic) {
        ApplyGeometry(e, geometry_);
    }
    if (mode_ != kmFont) {
        ApplyCondition(e);
    }
}

void TDlgKonfPrvku::ApplyGeometry(TLumexReportElement& e, QLineEdit* const* edits) const {
    int* targets[] = {&e.left, &e.top, &e.width, &e.height};
    for (int i = 0; i < 4; ++i) {
        double typed = 0;
        if (ReadNumber(edits[i], typed)) {
            const int value = TakeFromUnit(typed, context_.unit);
            // A box narrower than the designer's smallest element cannot be grabbed again.
            *targets[i] = i >= 2 ? std::max(value, 3) : value;
        }
    }
}

void TDlgKonfPrvku::ApplyCondition(TLumexReportElement& e) const {
    e.condition = condition_->text();
    e.handler = handler_->isChecked();
    e.ident = ident_->text();
}

void TDlgKonfPrvku::ApplyText(TLumexReportElement& e) const {
    TSestavaTyp* report = context_.report;
    e.font = font_;
    if (alignment_->currentIndex() >= 0) {
        e.alignment = alignment_->currentIndex();
    }
    const int chosen = source_->currentIndex();
    if (e.kind != ekText && chosen >= 0 && chosen != e.source) {
        e.source = chosen;
        e.missingSource.clear();  // a source picked here is one the report has
        if (e.kind == ekField && report) {
            report->LoadFieldValue(chosen, e.value);
            const platform::Picture* picture = IsPictureFieldType(report->DataType(chosen))
                                                   ? report->FieldPicture(chosen)
                                                   : nullptr;
            e.picture = picture ? *picture : platform::Picture();
        }
    }
    const bool byName = byName_->checkedId() == 1;
    if (e.kind == ekText) {
        e.text = text_->text();
    } else if (!e.missingSource.isEmpty()) {
        // A reference the report lacks keeps its own name, never the first field's.
    } else if ((e.kind == ekField || e.kind == ekFieldLabel) && report) {
        e.sourceName = byName ? report->FieldName(e.source).left(kMaxSourceNameLength) : QString();
        e.text = e.sourceName;
    } else if (e.kind == ekFunction && context_.functions) {
        e.sourceName =
            byName ? (*context_.functions)[e.source].name.left(kMaxSourceNameLength) : QString();
        e.text = e.sourceName;
    }
    switch (ShownPanel()) {
        case pnText:
            SetFlag(e.textFlags, tfMultiline, txMultiline_->isChecked());
            SetFlag(e.textFlags, tfJustify, txBlok_->isChecked());
            SetFlag(e.textFlags, tfVariableHeight, txVarHeight_->isChecked());
            break;
        case pnPicture:
            SetFlag(e.frameFlags, ffPictureStretch, stretch_->isChecked());
            SetFlag(e.frameFlags, ffPictureKeepAspect, keepAspect_->isChecked());
            break;
        case pnMemo:
            SetFlag(e.textFlags, tfMultiline, true);
            SetFlag(e.textFlags, tfJustify, memoBlok_->isChecked());
            SetFlag(e.textFlags, tfVariableHeight, memoVarHeight_->isChecked());
            SetFlag(e.textFlags, tfRtf, memoRtf_->isChecked());
            break;
        case pnFunction:
            SetFlag(e.textFlags, tfMultiline, fnMultiline_->isChecked());
            SetFlag(e.textFlags, tfJustify, fnBlok_->isChecked());
            SetFlag(e.textFlags, tfVariableHeight, fnVarHeight_->isChecked());
            break;
        default:
            break;
    }
    for (int i = 0; i < 4; ++i) {
        SetFlag(e.frameFlags, 1 << i, frames_[i]->isChecked());
    }
    double spacing = 0;
    e.letterSpacing = ReadNumber(spacing_, spacing) ? TakeFromUnit(spacing, context_.unit) : 0;
    e.angle = WholeOr(angle_, 0);
}

void TDlgKonfPrvku::ApplyBarcode(TLumexReportElement& e) const {
    e.text = barcodeText_->text();
    e.value.text = e.text;
    if (barcodeType_->currentIndex() >= 0) {
        e.penStyle = barcodeType_->currentIndex();
    }
    if (barWidth_->currentIndex() >= 0) {
        e.penWidth = BarWidthList()[barWidth_->currentIndex()].value;
    }
    SetFlag(e.frameFlags, ffBarcodeCheckDigit, checkSum_->isChecked());
    SetFlag(e.frameFlags, ffBarcodeText, barText_->isChecked());
    SetFlag(e.frameFlags, ffBarcodeGuards, guards_->isChecked());
    e.angle = WholeOr(barcodeAngle_, 0);
}
