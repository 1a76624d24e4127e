#pragma once
// The preview window of a report output: one page at a time at a chosen zoom,
// navigation within the output's page range, printing and file exports through
// hooks the caller sets, and the way back to editing the template.
//
// The page is replayed from the output's vector page image straight onto the
// page panel at the current zoom, so texts and lines stay sharp at any size.

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QShowEvent;
class QActionGroup;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class TSestVystup;
class TPagePanel;

namespace platform {
class Picture;
}

// The file writers behind the export menu. An export whose writer is not set
// stays disabled. Each answers false when the file could not be written.
struct TPreviewExports {
    std::function<bool(TSestVystup& output, const QString& fileName)> SaveText;
    std::function<bool(TSestVystup& output, const QString& fileName)> SaveRtf;
    // One page (0-based) as EMF when `enhanced`, else as placeable WMF.
    std::function<bool(TSestVystup& output, const QString& fileName, int page, bool enhanced)>
        SaveMetafile;
    // One page (0-based) as a whole HTML file with its pictures beside it.
    std::function<bool(TSestVystup& output, const QString& fileName, int page)> SaveHtml;
    // The index of the pages saved one file each: links to `pageFiles`
    // (names beside `fileName`) in order.
    std::function<bool(TSestVystup& output, const QString& fileName, const QStringList& pageFiles)>
        SaveHtmlIndex;
    std::function<bool(TSestVystup& output, const QString& fileName)> SaveSpool;
    // The whole report as a PDF document; an empty text, or why it failed.
    std::function<QString(TSestVystup& output, const QString& fileName)> SavePdf;
};

class TFormSestP : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kZoomLevels = 11;
    static constexpr int kDefaultZoomLevel = 6;
    static constexpr int kScrollIncrement = 16;
    // The dialog result of "Oprava předlohy...".
    static constexpr int kEditResult = 2;

    explicit TFormSestP(QWidget* parent = nullptr);
    ~TFormSestP() override;

    // Zoom factor of a level 0..10.
    static double ZoomFactorOf(int level);
    // The first level whose midpoint with the next level is above `percent`; 10 when none.
    static int NearestZoomLevel(int percent);

    // ---- set before showing --------------------------------------------------------
    void ShowOutput(TSestVystup& output);
    void SetEditEnabled(bool enabled);
    void SetUserAction(bool visible, const QString& hint);
    void SetPrintEnabled(bool enabled);
    // The background picture (not owned), its rectangle in hundredths of an inch
    // on the paper, and whether it is part of the printed page.
    void SetBackground(const platform::Picture* picture, const QRect& rect, bool printed);
    void SetExports(const TPreviewExports& exports);
    // What the run went past (a failing function, an unreadable picture, a
    // field the data lacks): the first in the status bar, all in its tooltip;
    // nothing shown when there is none.
    void SetRunWarnings(const QStringList& messages);

    // Shows the window modally; true when it was closed with "Zavřít náhled"
    // (or the window's close button), false for "Oprava předlohy...".
    bool Preview();
    // Shows the window modally where it was last closed (the first time
    // maximized) and remembers where it is closed; the dialog result.
    int ExecPlaced();

    // ---- hooks ---------------------------------------------------------------------
    // "Tisk náhledu...": the print road (printer check, print dialog, printing).
    std::function<void(TFormSestP& form)> OnPrint;
    std::function<void()> OnBeforePrint;
    std::function<void()> OnAfterPrint;
    // The user action, called with the current page index (0-based).
    std::function<void(int page)> OnUserAction;

    // ---- state ---------------------------------------------------------------------
    TSestVystup* Output() const { return output_; }
    int CurrentPage() const;
    int ZoomLevel() const { return zoomLevel_; }
    double ZoomFactor() const { return ZoomFactorOf(zoomLevel_); }
    void SetZoomLevel(int level);
    // Steps the level by `delta`, clamped to 0..10; nothing when unchanged.
    void StepZoom(int delta);
    bool PrintBackground() const { return printBackground_; }
    void SetPrintBackground(bool value) { printBackground_ = value; }
    const platform::Picture* Background() const { return background_; }
    QRect PageTarget() const { return pageTarget_; }
    bool Dragging() const { return dragging_; }

    // ---- commands ------------------------------------------------------------------
    void ShowFirstPage();
    void ShowPreviousPage();
    void ShowNextPage();
    void ShowLastPage();
    void AskPageNumber();
    void ExportText();
    void ExportRtf();
    void ExportCurrentMetafile();
    void ExportAllMetafiles();
    void ExportSpool();
    void ExportPdf();
    void ExportCurrentHtml();
    void ExportAllHtml();

    // Paints the page panel (white, a background that is not printed, the page).
    void PaintPage(QPainter& painter) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildActions();
    void BuildToolBars();
    void BuildExportMenu();
    void BuildContextMenu();
    QAction* MakeAction(const char* name, const QString& text, void (TFormSestP::*slot)());
    int FirstAllowed() const;
    int LastAllowed() const;
    void ShowPage(int page);
    void UpdateNavigation();
    void UpdateExports();
    void UpdatePrintAction();
    void ApplyZoom();
    void Scroll(int dx, int dy);
    void CloseWithEdit();
    void CloseOrEdit();
    void Print();
    void UserAction();
    bool MouseOnPanel(QEvent* event);
    bool WheelOnPanel(QWheelEvent* event);
    // The save dialog of one export; the chosen name with its file name lower-cased.
    QString AskExportFile(const QString& filter, const QString& suffix, bool confirmOverwrite);
    void ReportExportResult(bool ok);

    TSestVystup* output_ = nullptr;
    const platform::Picture* background_ = nullptr;
    QRect backgroundRect_;
    bool printBackground_ = false;
    int zoomLevel_ = kDefaultZoomLevel;
    QRect pageTarget_;
    bool dragging_ = false;
    QPoint lastDragPoint_;
    bool editEnabled_ = false;
    bool printAllowed_ = true;
    TPreviewExports exports_;

    QScrollArea* scrollBox_ = nullptr;
    TPagePanel* pagePanel_ = nullptr;
    QLabel* pagesPanel_ = nullptr;  // "Strana 1 z 8"
    QLabel* warningPanel_ = nullptr;
    QMenu* exportMenu_ = nullptr;
    QMenu* panelMenu_ = nullptr;
    QAction* actClose_ = nullptr;
    QAction* actEdit_ = nullptr;
    QAction* actPrint_ = nullptr;
    QAction* actUser_ = nullptr;
    QAction* actFirst_ = nullptr;
    QAction* actPrevious_ = nullptr;
    QAction* actNext_ = nullptr;
    QAction* actLast_ = nullptr;
    QAction* actGoTo_ = nullptr;
    QAction* actExportText_ = nullptr;
    QAction* actExportRtf_ = nullptr;
    QAction* actExportMetafile_ = nullptr;
    QAction* actExportMetafiles_ = nullptr;
    QAction* actExportSpool_ = nullptr;
    QAction* actExportPdf_ = nullptr;
    QAction* actExportHtml_ = nullptr;
    QAction* actExportHtmls_ = nullptr;
    QActionGroup* zoomGroup_ = nullptr;
    std::array<QAction*, kZoomLevels> zoomActions_{};
};

// Opens the preview modally on a generated output with `title` added to the
// caption, printing through the print dialog; answers the dialog result
// (QDialog::Accepted or kEditResult). `warnings` go to the status bar.
int ShowPreview(TSestVystup& output, const QString& title,
                const TPreviewExports& exports = TPreviewExports(),
                const QStringList& warnings = QStringList());
