#include "report/output/widgets/sestp.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "platform/messages.h"
#include "platform/paint/picture.h"
#include "platform/paint/qpainter_canvas.h"
#include "platform/widgets/dialogs.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"
#include "report/output/widgets/preview_placement.h"
#include "report/output/widgets/preview_printing.h"

// The page panel: its size follows the zoom; the form paints it.
class TPagePanel final : public QWidget {
  public:
    explicit TPagePanel(TFormSestP* form) : QWidget(nullptr), form_(form) {
        setObjectName(QStringLiteral("PagePanel"));
        setFocusPolicy(Qt::NoFocus);
        setAutoFillBackground(false);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        form_->PaintPage(painter);
    }

  private:
    TFormSestP* form_;
};

namespace {

constexpr std::array<double, TFormSestP::kZoomLevels> kZoomFactors = {
    0.32, 0.40, 0.50, 0.64, 0.75, 0.83, 1.00, 1.20, 1.50, 2.00, 3.00};
constexpr std::array<const char*, TFormSestP::kZoomLevels> kZoomCaptions = {
    "32 %", "40 %", "50 %", "64 %", "75 %", "83 %", "100 %", "120 %", "150 %", "200 %", "300 %"};

const QString kCaption = QStringLiteral("Prohlížení sestavy před tiskem");

}  // namespace

// ---- zoom levels -----------------------------------------------------------------------

double TFormSestP::ZoomFactorOf(int level) {
    return kZoomFactors[std::clamp(level, 0, kZoomLevels - 1)];
}

int TFormSestP::NearestZoomLevel(int percent) {
    const double wanted = percent / 100.0;
    for (int i = 0; i + 1 < kZoomLevels; ++i) {
        if ((kZoomFactors[i] + kZoomFactors[i + 1]) / 2 > wanted) {
            return i;
        }
    }
    return kZoomLevels - 1;
}

// ---- construction ----------------------------------------------------------------------

TFormSestP::TFormSestP(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSestP"));
    setWindowTitle(kCaption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(900, 700);

    scrollBox_ = new QScrollArea(this);
    scrollBox_->setObjectName(QStringLiteral("ScrollBox"));
    scrollBox_->setAlignment(Qt::AlignCenter);
    scrollBox_->setWidgetResizable(false);
    scrollBox_->setFocusPolicy(Qt::NoFocus);
    scrollBox_->setBackgroundRole(QPalette::Dark);
    scrollBox_->horizontalScrollBar()->setSingleStep(kScrollIncrement);
    scrollBox_->verticalScrollBar()->setSingleStep(kScrollIncrement);
    pagePanel_ = new TPagePanel(this);
    scrollBox_->setWidget(pagePanel_);
    pagePanel_->installEventFilter(this);
    scrollBox_->viewport()->installEventFilter(this);

    BuildActions();
    BuildExportMenu();
    BuildContextMenu();
    BuildToolBars();
    SetEditEnabled(false);
    SetUserAction(false, QString());
    UpdateExports();
    ApplyZoom();
    UpdateNavigation();
}

TFormSestP::~TFormSestP() = default;

QAction* TFormSestP::MakeAction(const char* name, const QString& text, void (TFormSestP::*slot)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void TFormSestP::BuildActions() {
    actClose_ = MakeAction("ActZavrit", QStringLiteral("Zavřít náhled"), &QDialog::accept);
    actEdit_ =
        MakeAction("ActOprava", QStringLiteral("Oprava předlohy..."), &TFormSestP::CloseWithEdit);
    actEdit_->setToolTip(QStringLiteral("Návrat k opravě předlohy..."));
    actPrint_ = MakeAction("ActTisk", QStringLiteral("Tisk náhledu..."), &TFormSestP::Print);
    actUser_ = MakeAction("ActUser", QString(), &TFormSestP::UserAction);
    actUser_->setIcon(style()->standardIcon(QStyle::SP_CommandLink));
    actFirst_ = MakeAction("ActPrvni", QStringLiteral("První stránka"), &TFormSestP::ShowFirstPage);
    actPrevious_ = MakeAction("ActPredchozi", QStringLiteral("Předchozí stránka"),
                              &TFormSestP::ShowPreviousPage);
    actNext_ = MakeAction("ActNasledujici", QStringLiteral("Následující stránka"),
                          &TFormSestP::ShowNextPage);
    actLast_ =
        MakeAction("ActPosledni", QStringLiteral("Poslední stránka"), &TFormSestP::ShowLastPage);
    actGoTo_ = MakeAction("ActZobrazitStranku", QStringLiteral("Zobrazit stránku ..."),
                          &TFormSestP::AskPageNumber);

    zoomGroup_ = new QActionGroup(this);
    zoomGroup_->setExclusive(true);
    for (int i = 0; i < kZoomLevels; ++i) {
        auto* action = new QAction(QString::fromUtf8(kZoomCaptions[i]), this);
        action->setObjectName(QStringLiteral("ActZoom%1").arg(qRound(kZoomFactors[i] * 100)));
        action->setCheckable(true);
        zoomGroup_->addAction(action);
        connect(action, &QAction::triggered, this, [this, i] { SetZoomLevel(i); });
        zoomActions_[i] = action;
    }

    actExportText_ =
        MakeAction("ActUlozText", QStringLiteral("Textový soubor..."), &TFormSestP::ExportText);
    actExportRtf_ = MakeAction("ActUlozRtf", QStringLiteral("Soubor ve formátu RTF..."),
                               &TFormSestP::ExportRtf);
    actExportMetafile_ =
        MakeAction("ActUlozMetafile", QStringLiteral("Aktuální stránku jako EMF/WMF..."),
                   &TFormSestP::ExportCurrentMetafile);
    actExportMetafiles_ =
        MakeAction("ActUlozMetafiles", QStringLiteral("Všechny stránky jako EMF/WMF..."),
                   &TFormSestP::ExportAllMetafiles);
    actExportSpool_ = MakeAction("ActUlozSpool", QStringLiteral("Celou sestavu jako SPL..."),
                                 &TFormSestP::ExportSpool);
    actExportPdf_ = MakeAction("ActUlozPdf", QStringLiteral("Celou sestavu jako PDF..."),
                               &TFormSestP::ExportPdf);
    actExportHtml_ = MakeAction("ActUlozHtml", QStringLiteral("Aktuální stránku jako HTML..."),
                                &TFormSestP::ExportCurrentHtml);
    actExportHtmls_ = MakeAction("ActUlozHtmls", QStringLiteral("Všechny stránky jako HTML..."),
                                 &TFormSestP::ExportAllHtml);
}

void TFormSestP::BuildExportMenu() {
    exportMenu_ = new QMenu(QStringLiteral("Uložit do souboru"), this);
    exportMenu_->setObjectName(QStringLiteral("MenuUlozit"));
    exportMenu_->addAction(actExportText_);
    exportMenu_->addAction(actExportRtf_);
    exportMenu_->addSeparator();
    exportMenu_->addAction(actExportMetafile_);
    exportMenu_->addAction(actExportMetafiles_);
    exportMenu_->addAction(actExportSpool_);
    exportMenu_->addAction(actExportPdf_);
    exportMenu_->addSeparator();
    exportMenu_->addAction(actExportHtml_);
    exportMenu_->addAction(actExportHtmls_);
}

void TFormSestP::BuildContextMenu() {
    panelMenu_ = new QMenu(this);
    panelMenu_->setObjectName(QStringLiteral("MenuStranka"));
    auto* pages = panelMenu_->addMenu(QStringLiteral("Zobrazit stránku"));
    pages->setObjectName(QStringLiteral("MenuZobrazitStranku"));
    pages->addActions({actFirst_, actPrevious_, actNext_, actLast_});
    pages->addSeparator();
    pages->addAction(actGoTo_);
    auto* zoom = panelMenu_->addMenu(QStringLiteral("Zobrazení v měřítku [%]"));
    zoom->setObjectName(QStringLiteral("MenuMeritko"));
    for (QAction* action : zoomActions_) {
        zoom->addAction(action);
    }
    panelMenu_->addMenu(exportMenu_);
    panelMenu_->addSeparator();
    panelMenu_->addActions({actPrint_, actEdit_, actClose_});
}

void TFormSestP::BuildToolBars() {
    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBar"));
    tools->setFocusPolicy(Qt::NoFocus);
    tools->addActions({actClose_, actEdit_, actPrint_});
    auto* exportButton = new QToolButton(tools);
    exportButton->setObjectName(QStringLiteral("BtnUlozit"));
    exportButton->setText(exportMenu_->title());
    exportButton->setMenu(exportMenu_);
    exportButton->setPopupMode(QToolButton::InstantPopup);
    tools->addWidget(exportButton);
    tools->addAction(actUser_);

    // The page buttons in a row of their own, so that none hides behind "»".
    auto* pageTools = new QToolBar(this);
    pageTools->setObjectName(QStringLiteral("PageToolBar"));
    pageTools->setFocusPolicy(Qt::NoFocus);
    pageTools->addActions({actFirst_, actPrevious_, actNext_, actLast_, actGoTo_});

    auto* zoomTools = new QToolBar(this);
    zoomTools->setObjectName(QStringLiteral("ZoomToolBar"));
    zoomTools->setToolTip(QStringLiteral("Zobrazení v měřítku [%]"));
    for (QAction* action : zoomActions_) {
        zoomTools->addAction(action);
    }

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    pagesPanel_ = new QLabel(status);
    pagesPanel_->setObjectName(QStringLiteral("PanelStrana"));
    pagesPanel_->setToolTip(QStringLiteral("Aktuální stránka z celkového počtu stran"));
    pagesPanel_->setMinimumWidth(120);
    warningPanel_ = new QLabel(status);
    warningPanel_->setObjectName(QStringLiteral("PanelUpozorneni"));
    warningPanel_->setVisible(false);
    status->addWidget(pagesPanel_);
    status->addWidget(warningPanel_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(pageTools);
    layout->addWidget(zoomTools);
    layout->addWidget(scrollBox_, 1);
    layout->addWidget(status);
}

// ---- settings given before showing ----------------------------------------------------

void TFormSestP::ShowOutput(TSestVystup& output) {
    output_ = &output;
    output.SetCurrentPage(output.FirstPage - 1);
    output.SetRange(output.FirstPage, output.LastPage, output.Title, output.ExportLanguage,
                    output.Copies);
    if (output.FromSpool) {
        setWindowTitle(QStringLiteral("%1 - [%2]").arg(windowTitle(), output.Title));
    }
    ApplyZoom();
    UpdateExports();
    UpdatePrintAction();
    pagePanel_->update();
    UpdateNavigation();
}

void TFormSestP::SetEditEnabled(bool enabled) {
    editEnabled_ = enabled;
    actEdit_->setEnabled(enabled);
    actClose_->setToolTip(enabled ? QStringLiteral("Ukončit opravu předlohy")
                                  : QStringLiteral("Zavřít náhled"));
}

void TFormSestP::SetUserAction(bool visible, const QString& hint) {
    actUser_->setVisible(visible);
    actUser_->setText(hint);
    actUser_->setToolTip(hint);
}

void TFormSestP::SetRunWarnings(const QStringList& messages) {
    warningPanel_->setVisible(!messages.isEmpty());
    if (messages.isEmpty()) {
        warningPanel_->clear();
        warningPanel_->setToolTip(QString());
        return;
    }
    QString text = QStringLiteral("Upozornění: ") + messages.first();
    if (messages.size() > 1) {
        text += QStringLiteral(" (celkem %1 upozornění)").arg(messages.size());
    }
    warningPanel_->setText(text);
    warningPanel_->setToolTip(messages.join(QLatin1Char('\n')));
}

void TFormSestP::SetPrintEnabled(bool enabled) {
    printAllowed_ = enabled;
    UpdatePrintAction();
}

// Printing needs both the engine's permission and a print road set by the caller.
void TFormSestP::UpdatePrintAction() {
    actPrint_->setEnabled(printAllowed_ && bool(OnPrint));
}

void TFormSestP::showEvent(QShowEvent* event) {
    UpdatePrintAction();
    QDialog::showEvent(event);
}

void TFormSestP::SetBackground(const platform::Picture* picture, const QRect& rect, bool printed) {
    background_ = picture;
    backgroundRect_ = rect;
    printBackground_ = printed;
    pagePanel_->update();
}

void TFormSestP::SetExports(const TPreviewExports& exports) {
    exports_ = exports;
    UpdateExports();
}

void TFormSestP::UpdateExports() {
    const bool pagesOfOwn = output_ && !output_->FromSpool;
    actExportText_->setEnabled(pagesOfOwn && bool(exports_.SaveText));
    actExportRtf_->setEnabled(pagesOfOwn && bool(exports_.SaveRtf));
    actExportHtml_->setEnabled(pagesOfOwn && bool(exports_.SaveHtml));
    actExportHtmls_->setEnabled(pagesOfOwn && bool(exports_.SaveHtml));
    actExportSpool_->setEnabled(pagesOfOwn && bool(exports_.SaveSpool));
    actExportMetafile_->setEnabled(output_ && bool(exports_.SaveMetafile));
    actExportMetafiles_->setEnabled(output_ && bool(exports_.SaveMetafile));
    actExportPdf_->setEnabled(output_ && bool(exports_.SavePdf));
}

bool TFormSestP::Preview() {
    return ExecPlaced() != kEditResult;
}

int TFormSestP::ExecPlaced() {
    RestorePreviewPlacement(*this);
    const int result = platform::ExecModal(*this);
    KeepPreviewPlacement(*this);
    return result;
}

// ---- closing, printing, the user action ------------------------------------------------

void TFormSestP::CloseWithEdit() {
    if (editEnabled_) {
        done(kEditResult);
    }
}

void TFormSestP::CloseOrEdit() {
    if (editEnabled_) {
        CloseWithEdit();
    } else {
        accept();
    }
}

void TFormSestP::Print() {
    if (printAllowed_ && OnPrint) {
        OnPrint(*this);
    }
}

void TFormSestP::UserAction() {
    if (OnUserAction) {
        OnUserAction(CurrentPage());
    }
}

// ---- navigation ------------------------------------------------------------------------

int TFormSestP::CurrentPage() const {
    return output_ ? output_->CurrentPage : 0;
}

int TFormSestP::FirstAllowed() const {
    return output_ ? output_->FirstPage - 1 : 0;
}

int TFormSestP::LastAllowed() const {
    return output_ ? std::min(output_->LastPage, output_->PageCount()) - 1 : -1;
}

void TFormSestP::ShowPage(int page) {
    if (!output_) {
        return;
    }
    output_->SetCurrentPage(page);
    pagePanel_->update();
    UpdateNavigation();
}

void TFormSestP::ShowFirstPage() {
    if (CurrentPage() > FirstAllowed()) {
        ShowPage(FirstAllowed());
    }
}

void TFormSestP::ShowPreviousPage() {
    if (CurrentPage() > FirstAllowed()) {
        ShowPage(std::min(CurrentPage() - 1, LastAllowed()));
    }
}

void TFormSestP::ShowNextPage() {
    if (CurrentPage() < LastAllowed()) {
        ShowPage(std::max(CurrentPage() + 1, FirstAllowed()));
    }
}

void TFormSestP::ShowLastPage() {
    if (CurrentPage() < LastAllowed()) {
        ShowPage(LastAllowed());
    }
}

void TFormSestP::AskPageNumber() {
    if (!output_ || output_->PageCount() == 0) {
        return;
    }
    const int fallback = output_->FirstPage;
    QString answer = QString::number(fallback);
    if (!platform::InputQuery(QStringLiteral("Výběr stránky"), QStringLiteral("Stránka číslo:"),
                              answer, this)) {
        return;
    }
    bool number = false;
    int page = answer.trimmed().toInt(&number);
    if (!number) {
        page = fallback;
    }
    page = std::clamp(page - 1, 0, output_->PageCount() - 1);
    if (page != CurrentPage()) {
        ShowPage(page);
    }
}

void TFormSestP::UpdateNavigation() {
    const int current = CurrentPage();
    actFirst_->setEnabled(output_ && current > FirstAllowed());
    actPrevious_->setEnabled(output_ && current > FirstAllowed());
    actNext_->setEnabled(output_ && current < LastAllowed());
    actLast_->setEnabled(output_ && current < LastAllowed());
    actGoTo_->setEnabled(output_ && output_->PageCount() > 0);
    pagesPanel_->setText(QStringLiteral("Strana %1 z %2")
                             .arg(output_ && output_->PageCount() > 0 ? current + 1 : 0)
                             .arg(output_ ? output_->PageCount() : 0));
}

// ---- zoom and painting ------------------------------------------------------------------

void TFormSestP::SetZoomLevel(int level) {
    zoomLevel_ = std::clamp(level, 0, kZoomLevels - 1);
    ApplyZoom();
}

void TFormSestP::StepZoom(int delta) {
    const int level = std::clamp(zoomLevel_ + delta, 0, kZoomLevels - 1);
    if (level != zoomLevel_) {
        SetZoomLevel(level);
    }
}

void TFormSestP::ApplyZoom() {
    const TPaperSetup& paper = PaperSetup();
    const double f = ZoomFactor();
    pagePanel_->resize(nint(paper.OrientedWidth() * f), nint(paper.OrientedHeight() * f));
    pageTarget_ = QRect(QPoint(nint(paper.MarginLeft * f), nint(paper.MarginTop * f)),
                        QPoint(nint((paper.PrintableWidth() + paper.MarginLeft) * f),
                               nint((paper.PrintableHeight() + paper.MarginTop) * f)));
    zoomActions_[zoomLevel_]->setChecked(true);
    pagePanel_->update();
}

void TFormSestP::PaintPage(QPainter& painter) const {
    painter.fillRect(QRect(QPoint(0, 0), pagePanel_->size()), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    platform::QPainterCanvas canvas(&painter);
    const double f = ZoomFactor();
    if (background_ && !background_->IsEmpty() && !printBackground_) {
        const QRect r = backgroundRect_;
        background_->Draw(canvas, QRect(QPoint(nint(r.left() * f), nint(r.top() * f)),
                                        QPoint(nint(r.right() * f), nint(r.bottom() * f))));
    }
    if (output_ && output_->PageCount() > 0) {
        output_->DrawPage(canvas, pageTarget_);
    }
}

// ---- keyboard and mouse -------------------------------------------------------------------

void TFormSestP::Scroll(int dx, int dy) {
    QScrollBar* h = scrollBox_->horizontalScrollBar();
    QScrollBar* v = scrollBox_->verticalScrollBar();
    h->setValue(h->value() + dx);
    v->setValue(v->value() + dy);
}

void TFormSestP::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Escape:
            CloseOrEdit();
            break;
        case Qt::Key_PageUp:
            ctrl ? ShowFirstPage() : ShowPreviousPage();
            break;
        case Qt::Key_PageDown:
            ctrl ? ShowLastPage() : ShowNextPage();
            break;
        case Qt::Key_Left:
            Scroll(-kScrollIncrement, 0);
            break;
        case Qt::Key_Right:
            Scroll(kScrollIncrement, 0);
            break;
        case Qt::Key_Up:
            Scroll(0, -kScrollIncrement);
            break;
        case Qt::Key_Down:
            Scroll(0, kScrollIncrement);
            break;
        case Qt::Key_E:
            if (!ctrl) {
                return QDialog::keyPressEvent(event);
            }
            CloseWithEdit();
            break;
        case Qt::Key_P:
        case Qt::Key_T:
            if (!ctrl) {
                return QDialog::keyPressEvent(event);
            }
            Print();
            break;
        default:
            return QDialog::keyPressEvent(event);
    }
    event->accept();
}

bool TFormSestP::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pagePanel_ || watched == scrollBox_->viewport()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseMove:
            case QEvent::MouseButtonRelease:
                if (watched == pagePanel_) {
                    return MouseOnPanel(event);
                }
                break;
            case QEvent::Wheel:
                return WheelOnPanel(static_cast<QWheelEvent*>(event));
            case QEvent::ContextMenu:
                panelMenu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TFormSestP::MouseOnPanel(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint point = mouse->globalPosition().toPoint();
    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse->buttons() != Qt::MiddleButton) {
            return false;
        }
        dragging_ = true;
        lastDragPoint_ = point;
        pagePanel_->setCursor(Qt::ClosedHandCursor);
        pagePanel_->grabMouse();
        return true;
    }
    if (!dragging_) {
        return false;
    }
    if (event->type() == QEvent::MouseMove) {
        Scroll(lastDragPoint_.x() - point.x(), lastDragPoint_.y() - point.y());
        lastDragPoint_ = point;
        return true;
    }
    if (!(mouse->buttons() & Qt::MiddleButton)) {
        dragging_ = false;
        pagePanel_->releaseMouse();
        pagePanel_->unsetCursor();
    }
    return true;
}

bool TFormSestP::WheelOnPanel(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (dragging_) {
        if (delta < 0) {
            ShowNextPage();
        } else if (delta > 0) {
            ShowPreviousPage();
        }
        return true;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        StepZoom(delta / 120);
        return true;
    }
    return false;
}

// ---- exports ----------------------------------------------------------------------------

namespace {

const QString kMetafileFilter =
    QStringLiteral("Enhanced meta file (*.emf)|*.EMF|Windows meta file (*.wmf)|*.WMF");
const QString kHtmlFilter = QStringLiteral("Soubor HTML (*.html)|*.HTML|Všechny soubory (*.*)|*.*");
const QString kRtfFilter = QStringLiteral("Soubor RTF (*.rtf)|*.RTF|Všechny soubory (*.*)|*.*");
const QString kTextFilter =
    QStringLiteral("Textový soubor (*.txt)|*.TXT|Všechny soubory (*.*)|*.*");
const QString kSpoolFilter = QStringLiteral("Spool meta file (*.spl)|*.SPL");
const QString kPdfFilter = QStringLiteral("Dokument PDF (*.pdf)|*.PDF");

// "Description|pattern|..." pairs as a Qt filter ("Description;;..."); the
// descriptions carry their patterns in parentheses, which Qt reads.
QString QtFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2) {
        descriptions << parts[i];
    }
    return descriptions.join(QStringLiteral(";;"));
}

// The page file of an all-pages export: "a.emf" gives "a<n>.emf".
QString NumberedFileName(const QString& fileName, int number) {
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash) {
        return fileName + QString::number(number);
    }
    return fileName.left(dot) + QString::number(number) + fileName.mid(dot);
}

bool HasWmfExtension(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive);
}

}  // namespace

QString TFormSestP::AskExportFile(const QString& filter, const QString& suffix,
                                  bool confirmOverwrite) {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.caption = QStringLiteral("Výběr souboru");
    request.filter = QtFilter(filter);
    request.defaultSuffix = suffix;
    request.confirmOverwrite = confirmOverwrite;
    const QString chosen = platform::AskFileName(request, this);
    if (chosen.isEmpty()) {
        return QString();
    }
    // Only the file name is lower-cased: the folders keep their own names.
    const int slash = chosen.lastIndexOf(QLatin1Char('/'));
    return chosen.left(slash + 1) + chosen.mid(slash + 1).toLower();
}

void TFormSestP::ReportExportResult(bool ok) {
    if (!ok) {
        platform::ShowMessage(QStringLiteral("Výstupní soubor se nepodařilo uložit."),
                              QStringLiteral("Chyba"), platform::MessageIcon::Error);
    }
}

void TFormSestP::ExportText() {
    if (!output_ || !exports_.SaveText) {
        return;
    }
    const QString file = AskExportFile(kTextFilter, QStringLiteral("txt"), true);
    if (!file.isEmpty()) {
        ReportExportResult(exports_.SaveText(*output_, file));
    }
}

void TFormSestP::ExportPdf() {
    if (!output_ || !exports_.SavePdf) {
        return;
    }
    const QString file = AskExportFile(kPdfFilter, QStringLiteral("pdf"), true);
    if (file.isEmpty()) {
        return;
    }
    const QString failure = exports_.SavePdf(*output_, file);
    ShowPage(CurrentPage());
    if (!failure.isEmpty()) {
        platform::ShowMessage(failure, QStringLiteral("Chyba"), platform::MessageIcon::Error);
    }
}

void TFormSestP::ExportRtf() {
    if (!output_ || !exports_.SaveRtf) {
        return;
    }
    const QString file = AskExportFile(kRtfFilter, QStringLiteral("rtf"), true);
    if (!file.isEmpty()) {
        ReportExportResult(exports_.SaveRtf(*output_, file));
    }
}

void TFormSestP::ExportCurrentMetafile() {
    if (!output_ || !exports_.SaveMetafile) {
        return;
    }
    const QString file = AskExportFile(kMetafileFilter, QStringLiteral("wmf"), true);
    if (!file.isEmpty()) {
        ReportExportResult(
            exports_.SaveMetafile(*output_, file, CurrentPage(), !HasWmfExtension(file)));
    }
}

void TFormSestP::ExportAllMetafiles() {
    if (!output_ || !exports_.SaveMetafile) {
        return;
    }
    const QString file = AskExportFile(kMetafileFilter, QStringLiteral("wmf"), false);
    if (file.isEmpty()) {
        return;
    }
    bool ok = true;
    for (int i = 0; i < output_->PageCount(); ++i) {
        ok = exports_.SaveMetafile(*output_, NumberedFileName(file, i + 1), i,
                                   !HasWmfExtension(file)) &&
             ok;
    }
    ShowPage(CurrentPage());
    ReportExportResult(ok);
}

void TFormSestP::ExportCurrentHtml() {
    if (!output_ || !exports_.SaveHtml) {
        return;
    }
    const QString file = AskExportFile(kHtmlFilter, QStringLiteral("html"), true);
    if (!file.isEmpty()) {
        ReportExportResult(exports_.SaveHtml(*output_, file, CurrentPage()));
    }
}

void TFormSestP::ExportAllHtml() {
    if (!output_ || !exports_.SaveHtml) {
        return;
    }
    const QString file = AskExportFile(kHtmlFilter, QStringLiteral("html"), false);
    if (file.isEmpty()) {
        return;
    }
    // The pages go into a1.html, a2.html, …; the chosen file a.html links them.
    bool ok = true;
    QStringList pageFiles;
    for (int i = 0; i < output_->PageCount(); ++i) {
        const QString pageFile = NumberedFileName(file, i + 1);
        ok = exports_.SaveHtml(*output_, pageFile, i) && ok;
        pageFiles << QFileInfo(pageFile).fileName();
    }
    if (exports_.SaveHtmlIndex) {
        ok = exports_.SaveHtmlIndex(*output_, file, pageFiles) && ok;
    }
    ShowPage(CurrentPage());
    ReportExportResult(ok);
}

void TFormSestP::ExportSpool() {
    if (!output_ || !exports_.SaveSpool) {
        return;
    }
    const QString file = AskExportFile(kSpoolFilter, QStringLiteral("spl"), false);
    if (file.isEmpty()) {
        return;
    }
    const bool ok = exports_.SaveSpool(*output_, file);
    ShowPage(CurrentPage());
    ReportExportResult(ok);
}

// ---- opening on a generated output ------------------------------------------------------

int ShowPreview(TSestVystup& output, const QString& title, const TPreviewExports& exports,
                const QStringList& warnings) {
    TFormSestP form;
    if (!title.isEmpty() && !output.FromSpool) {
        form.setWindowTitle(QStringLiteral("%1 - [%2]").arg(form.windowTitle(), title));
    }
    form.SetBackground(output.Background, output.BackgroundRect, output.PrintBackground);
    form.SetExports(exports);
    AttachPreviewPrinting(form);
    form.ShowOutput(output);
    form.SetRunWarnings(warnings);
    return form.ExecPlaced();
}
