#pragma once
// The output of a report run: pages of placed elements. The engine fills it;
// the preview, the printers and the file exports read it. Each placed element
// (TVystPrvek) points back at the template element that produced it and adds
// its position on the page, its laid-out lines and its picture. One page at a
// time is rendered into the vector page image at 600 units per inch.

#include <QRect>
#include <QString>
#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "platform/paint/picture.h"
#include "platform/paint/vector_picture.h"
#include "report/output/code_pages.h"
#include "report/output/text_lines.h"

class TLumexReportElement;
class TLumexCanvas;
class TPageStore;

// Scale of the page image: canvas units per hundredth of an inch.
constexpr int kPageImageScale = 6;

// The last page of a range nobody set: every page the report has. Any number
// a user gives is a real page number and is honoured as it stands.
constexpr int kToLastPage = std::numeric_limits<int>::max();
// The last page of a range as the user reads it: its number, or "poslední".
QString LastPageText(int lastPage);

// Raised before a picture is drawn, with the placed size in canvas units.
using TPreparePictureHook = std::function<void(platform::Picture& picture, int width, int height)>;

class TVystPrvek {
  public:
    TVystPrvek(const TLumexReportElement* element, int left, int top, int width, int height);

    std::unique_ptr<TRadky> Lines;  // the shown lines of a text element
    int FirstLine = 0;
    int LastLine = -1;
    QString Text;                                // whole text of a rotated text element
    std::unique_ptr<platform::Picture> Picture;  // a per-record picture
    QString PictureFile;  // marks that the template element's own picture is used
    bool HasPicture = false;
    const TLumexReportElement* Element;  // not owned
    int Left, Top, Width, Height;        // hundredths of an inch, page coordinates

    void SetLines(const TRadky& lines);
    // Takes all of `lines` over without copying them.
    void SetLines(TRadky&& lines);
    void SetLineRange(const TRadky& lines, int first, int last);
    void SetPicture(const platform::Picture& picture);
    void SetPictureFile(const QString& name);
    QString GetText() const;
    int Kind() const;
    int Alignment() const;
    QRect Bounds() const { return QRect(Left, Top, Width, Height); }
};

// Where an element added to a page goes relative to one already there: it
// is inserted before the first existing element for which this is >= 0.
// Drawing areas go to the back, lines, shapes, pictures and barcodes above
// them (the latest first), texts on top in ascending order of their
// alignment and flag word. A missing element counts as kind 0.
int CompareDrawOrder(const TLumexReportElement* existing, const TLumexReportElement* added);
// The positions in `added` (elements in the order a run adds them to a
// page) as the page draws them, back to front.
std::vector<int> DrawingSequence(const std::vector<const TLumexReportElement*>& added);

class TStranaPrvku {
  public:
    // Puts the element at its place in the draw order (back to front). The
    // elements added since the page was last read are ordered when it is
    // read next, so that adding n elements takes n log n, not n² steps.
    void Add(std::unique_ptr<TVystPrvek> element);
    int Count() const { return int(elements_.size()); }
    // Room for `count` elements, so that filling a page does not regrow it.
    void Reserve(int count) { elements_.reserve(size_t(std::max(count, 0))); }
    TVystPrvek& Item(int i) {
        Order();
        return *elements_[i];
    }
    const TVystPrvek& Item(int i) const {
        Order();
        return *elements_[i];
    }
    void Clear() {
        elements_.clear();
        ordered_ = 0;
    }
    // Appends as the last element, for a page read back in its drawing order.
    void AppendInOrder(std::unique_ptr<TVystPrvek> element) {
        Order();
        elements_.push_back(std::move(element));
        ordered_ = elements_.size();
    }
    // Hands every element over in drawing order and leaves the page empty.
    std::vector<std::unique_ptr<TVystPrvek>> TakeAll();

  private:
    void Order() const {
        if (ordered_ != elements_.size()) {
            OrderAdded();
        }
    }
    void OrderAdded() const;

    // The first ordered_ elements are in draw order, the rest in the order added.
    mutable std::vector<std::unique_ptr<TVystPrvek>> elements_;
    mutable std::size_t ordered_ = 0;
};

class TSestVystup {
  public:
    TSestVystup();
    ~TSestVystup();
    TSestVystup(const TSestVystup&) = delete;
    TSestVystup& operator=(const TSestVystup&) = delete;

    // ---- pages -----------------------------------------------------------
    void AddElement(std::unique_ptr<TVystPrvek> element, int pageIndex);
    int PageCount() const;
    // A page for reading: the preview, the exports and printing read pages
    // through this. A long run keeps its finished pages in a temporary page
    // store (page_store.h); such a page is read back into a small cache, and
    // the reference stays valid until a few other stored pages have been read.
    const TStranaPrvku& ReadPage(int i) const;
    const TStranaPrvku& Page(int i) const { return ReadPage(i); }
    // A page for changing: a stored page comes back into memory for good.
    TStranaPrvku& Page(int i);
    // Keeps a placed element in memory when its page is stored: the engine
    // changes it at the end of the run (the total page count), after which it
    // calls HeldElementsChanged.
    void HoldInMemory(const TVystPrvek* element);
    void HeldElementsChanged();
    // How many pages are in the temporary page store now.
    int StoredPageCount() const;
    void DeletePage(int i);
    void Clear();

    // ---- range, background and settings given before output ------------------
    void SetBackground(const platform::Picture* picture, const QRect& rect, bool print);
    void SetRange(int firstPage, int lastPage, const QString& title, TSestLanguage exportLanguage,
                  int copies);
    void SetTextLineSpacing(int value) { TextLineSpacing = value; }

    // ---- rendering ---------------------------------------------------------
    void SetCurrentPage(int i);
    void RenderPage(int i, bool withBackground);
    // Stretches the page image into `rect` widened by one unit right and down.
    void DrawPage(platform::Canvas& canvas, const QRect& rect) const;
    // Draws one element onto `canvas` at the given offsets (hundredths of an
    // inch) and scales (canvas units per hundredth).
    void DrawElement(const TVystPrvek& element, TLumexCanvas& canvas, int offsetX, int offsetY,
                     double scaleX, double scaleY, double penScale) const;
    const platform::VectorPicture& PageImage() const { return pageImage_; }

    int RemainingHeight(int cursorY, int reserved) const { return PageBottom - reserved - cursorY; }

    // ---- printing (sestvyst_print.cpp) -------------------------------------------
    // Prints pages firstPage..lastPage (1-based, cut to the pages there are) on
    // the current graphic printer, `copies` times, as a job titled `title`. The
    // page is shifted by the printer's unprintable strips, scaled to its
    // resolution and, when the paper is larger than the printer's sheet, cropped,
    // reduced or tiled as the print-options hook answers (print_options.h).
    // `stopFlag` (may be null) is watched between pages and sheets; once it is
    // set the job is withdrawn. True when the job reached the spooler whole (or
    // there were no pages); false when it was stopped, cancelled in the options
    // window or could not be printed. A failure other than a stop is shown in a
    // message box and its text kept in PrintError.
    bool Print(int firstPage, int lastPage, const bool* stopFlag, const QString& title, int copies);
    // The same for a text-only printer: each page as rows of characters in the
    // ExportLanguage code page, sent raw, one form feed after each page.
    bool PrintText(int firstPage, int lastPage, const bool* stopFlag, const QString& title,
                   int copies);
    // Why the last Print or PrintText did not print everything; empty after a
    // success and after a stop.
    QString PrintError;

    // ---- spool pages (a spool file read back) ----------------------------------
    void SetSpoolPages(std::vector<platform::VectorPicture> pages);
    const std::vector<platform::VectorPicture>& SpoolPages() const { return spoolPages_; }

    // ---- state -----------------------------------------------------------------
    bool FromSpool = false;
    bool PaperGeometry = false;
    const platform::Picture* Background = nullptr;  // not owned
    QRect BackgroundRect;  // left, top, right, bottom in hundredths of an inch (paper)
    bool PrintBackground = false;
    int CurrentPage = 0;
    int FirstPage = 1;
    int LastPage = kToLastPage;
    int Copies = 1;
    int TextLineSpacing = -1;
    TSestLanguage ExportLanguage = slUndefined;
    QString Title;

    // Layout cursor, moved by the engine (a detail report lays out into the
    // same output, so it lives here).
    int CursorY = 0;
    int PageOverflow = 0;
    int ColumnLeft = 0;
    int ColumnNo = 1;
    int PageBottom = 0;
    int PageIndex = 0;
    int PageWidth = 0;   // printable width of the paper setup
    int PageHeight = 0;  // printable height of the paper setup

    TPreparePictureHook OnPreparePicture;

  private:
    void RefreshPageSize();
    void DrawTextElement(const TVystPrvek& element, TLumexCanvas& canvas, const QRect& box,
                         const QRect& target, double scaleX, double scaleY) const;
    void DrawFrameLines(const TVystPrvek& element, platform::Canvas& canvas, const QRect& target,
                        int penWidth) const;
    void DrawLineFigure(const TLumexReportElement& element, platform::Canvas& canvas, QRect target,
                        double penScale) const;
    void DrawShape(const TLumexReportElement& element, platform::Canvas& canvas, QRect target,
                   double scaleY, double penScale) const;
    void DrawPictureElement(const TVystPrvek& element, platform::Canvas& canvas,
                            const QRect& target, double scaleX, double scaleY) const;
    void DrawBarcodeElement(const TVystPrvek& element, platform::Canvas& canvas,
                            const QRect& target, double scale) const;

    void StoreFinishedPages(int newPage);
    void DropLastPage();

    // A page is in memory (`page`) or in the page store (`record`).
    struct PageSlot {
        std::unique_ptr<TStranaPrvku> page;
        int record = -1;
    };
    std::vector<PageSlot> pages_;
    std::unique_ptr<TPageStore> store_;
    int firstResident_ = 0;  // pages before it have been offered to the store
    std::vector<platform::VectorPicture> spoolPages_;
    platform::VectorPicture pageImage_;
};

// The placement of a picture of natural size (pw, ph) in `rect` by the
// element's stretch and aspect flags and horizontal alignment.
QRect PlacePicture(QRect rect, int pw, int ph, bool stretch, bool keepAspect, int alignment);

// Nearest integer, halves to the even neighbour.
int nint(double value);
