// The temporary page store of long runs: a page read back equals the page
// written; every reader (the dump, rendering, the text, RTF, HTML, metafile
// and PDF exports) gives the same over a stored 2,000-page run as over the
// same pages in memory; the total page count is filled in; no temporary file
// is ever left behind, also by a run cancelled halfway.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>

#include "long_run_fixture.h"
#include "report/model/lumex_element.h"
#include "report/output/export_pdf.h"
#include "report/output/output_dump.h"
#include "report/output/page_codec.h"
#include "report/output/page_store.h"
#include "report/output/sestexport.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"

namespace {

void ExpectSameFragment(const TFragment& a, const TFragment& b) {
    EXPECT_EQ(a.Text, b.Text);
    EXPECT_EQ(a.X, b.X);
    EXPECT_EQ(a.FontName, b.FontName);
    EXPECT_EQ(a.Size, b.Size);
    EXPECT_EQ(a.Colour, b.Colour);
    EXPECT_EQ(a.Charset, b.Charset);
    EXPECT_EQ(a.Bold, b.Bold);
    EXPECT_EQ(a.Underline, b.Underline);
    EXPECT_EQ(a.Italic, b.Italic);
    EXPECT_EQ(a.Strikeout, b.Strikeout);
    EXPECT_EQ(a.TextHeight, b.TextHeight);
    EXPECT_EQ(a.Descent, b.Descent);
}

void ExpectSameLine(const TRadek& a, const TRadek& b) {
    ASSERT_EQ(a.Fragments.size(), b.Fragments.size());
    for (qsizetype i = 0; i < a.Fragments.size(); ++i) {
        ExpectSameFragment(a.Fragments[i], b.Fragments[i]);
    }
    EXPECT_EQ(a.CurrentFragment, b.CurrentFragment);
    EXPECT_EQ(a.HasBreak, b.HasBreak);
    EXPECT_EQ(a.BreakX, b.BreakX);
    EXPECT_EQ(a.BreakCount, b.BreakCount);
    EXPECT_EQ(a.BreakFragment, b.BreakFragment);
    EXPECT_EQ(a.BreakInFragment, b.BreakInFragment);
    EXPECT_EQ(a.MinHeight, b.MinHeight);
    EXPECT_EQ(a.Height, b.Height);
    EXPECT_EQ(a.Descent, b.Descent);
    EXPECT_EQ(a.Offset, b.Offset);
    EXPECT_EQ(a.Wrapped, b.Wrapped);
    EXPECT_EQ(a.FirstOfParagraph, b.FirstOfParagraph);
}

void ExpectSameElement(const TVystPrvek& a, const TVystPrvek& b) {
    EXPECT_EQ(a.Element, b.Element);
    EXPECT_EQ(a.Bounds(), b.Bounds());
    EXPECT_EQ(a.FirstLine, b.FirstLine);
    EXPECT_EQ(a.LastLine, b.LastLine);
    EXPECT_EQ(a.Text, b.Text);
    EXPECT_EQ(a.PictureFile, b.PictureFile);
    EXPECT_EQ(a.HasPicture, b.HasPicture);
    ASSERT_EQ(bool(a.Picture), bool(b.Picture));
    if (a.Picture) {
        EXPECT_EQ(a.Picture->IsVector(), b.Picture->IsVector());
        EXPECT_EQ(a.Picture->Bitmap(), b.Picture->Bitmap());
    }
    ASSERT_EQ(bool(a.Lines), bool(b.Lines));
    if (a.Lines) {
        ASSERT_EQ(a.Lines->Count(), b.Lines->Count());
        for (int i = 0; i < a.Lines->Count(); ++i) {
            ExpectSameLine((*a.Lines)[i], (*b.Lines)[i]);
        }
    }
}

void ExpectSamePage(const TStranaPrvku& a, const TStranaPrvku& b) {
    ASSERT_EQ(a.Count(), b.Count());
    for (int i = 0; i < a.Count(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameElement(a.Item(i), b.Item(i));
    }
}

TFragment Fragment(const QString& text, const QColor& colour) {
    TFragment f;
    f.Text = text;
    for (int i = 0; i <= text.size(); ++i) {
        f.X.append(i * 410 - 3);
    }
    f.FontName = QStringLiteral("Arial");
    f.Size = 9.5;
    f.Colour = colour;
    f.Charset = 238;
    f.Bold = true;
    f.Italic = true;
    f.TextHeight = 1234;
    f.Descent = 210;
    return f;
}

// A page with every kind of content a placed element carries.
struct SamplePage {
    TLumexReportElement text, rotated, frame, photo, drawing;
    std::unique_ptr<TStranaPrvku> page = std::make_unique<TStranaPrvku>();
    const TVystPrvek* drawingElement = nullptr;

    SamplePage() {
        text.kind = ekField;
        rotated.kind = ekText;
        rotated.angle = 90;
        frame.kind = ekFrame;
        photo.kind = ekField;
        drawing.kind = ekPaintBox;

        auto lines = std::make_unique<TVystPrvek>(&text, 10, 20, 300, 40);
        TRadky radky;
        TRadek& first = radky.Add();
        first.Fragments.append(Fragment(QStringLiteral("Čert z Lesa"), QColor(128, 0, 0)));
        first.Fragments.append(Fragment(QStringLiteral(" a"), QColor::fromHsv(120, 200, 100)));
        first.HasBreak = true;
        first.BreakX = 4100;
        first.BreakCount = 5;
        first.BreakFragment = 0;
        first.BreakInFragment = 4;
        first.Height = 1300;
        first.MinHeight = 1200;
        first.Descent = 220;
        first.Offset = -7;
        first.Wrapped = true;
        TRadek& second = radky.Add();
        second.Fragments.append(Fragment(QString(), QColor()));
        second.FirstOfParagraph = false;
        lines->SetLines(radky);
        page->Add(std::move(lines));

        auto turned = std::make_unique<TVystPrvek>(&rotated, 1, 2, 3, 4);
        turned->Text = QStringLiteral("Šikmý text");
        page->Add(std::move(turned));
        page->Add(std::make_unique<TVystPrvek>(&frame, 0, 0, 700, 300));

        auto picture = std::make_unique<TVystPrvek>(&photo, 5, 6, 70, 80);
        QImage image(7, 5, QImage::Format_RGB32);
        image.fill(QColor(10, 20, 30));
        image.setPixelColor(3, 2, Qt::yellow);
        picture->SetPicture(platform::Picture(image));
        page->Add(std::move(picture));

        auto file = std::make_unique<TVystPrvek>(&photo, 9, 9, 9, 9);
        file->SetPictureFile(QStringLiteral("pes.bmp"));
        page->Add(std::move(file));

        auto drawn = std::make_unique<TVystPrvek>(&drawing, 0, 500, 100, 100);
        platform::VectorPicture vector(100, 100, 100);
        drawn->SetPicture(platform::Picture(vector));
        drawingElement = drawn.get();
        page->Add(std::move(drawn));
    }
};

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The system's temporary folder pointed at an empty folder of the test's own.
class OwnTemporaryFolder {
  public:
    OwnTemporaryFolder() : saved_(qgetenv("TMPDIR")) { qputenv("TMPDIR", dir_.path().toUtf8()); }
    ~OwnTemporaryFolder() { qputenv("TMPDIR", saved_); }
    QString Path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    QByteArray saved_;
};

}  // namespace

TEST(PageCodec, APageReadBackEqualsThePageWrittenAndVectorPicturesStayInMemory) {
    SamplePage sample;
    std::string bytes;
    PageCodec::Encode(*sample.page, bytes, nullptr);
    std::vector<std::unique_ptr<TVystPrvek>> kept;
    kept.push_back(CopyElement(*sample.drawingElement));
    const TVystPrvek* keptElement = kept.front().get();

    const auto copied = PageCodec::Decode(bytes.data(), qsizetype(bytes.size()), kept, true);
    ExpectSamePage(*sample.page, *copied);
    EXPECT_NE(&copied->Item(0), keptElement) << "a copy of the kept element";
    ASSERT_EQ(kept.size(), 1u);

    const auto moved = PageCodec::Decode(bytes.data(), qsizetype(bytes.size()), kept, false);
    ExpectSamePage(*sample.page, *moved);
    EXPECT_EQ(&moved->Item(0), keptElement) << "the kept element itself";
    EXPECT_TRUE(kept.empty());

    // A record cut short is refused, not read past its end.
    std::vector<std::unique_ptr<TVystPrvek>> none;
    EXPECT_THROW(PageCodec::Decode(bytes.data(), qsizetype(bytes.size() / 2), none, true),
                 std::runtime_error);
}

TEST(PageStore, StoredPagesComeBackEqualAndHeldElementsStayTheSameObjects) {
    OwnTemporaryFolder temporary;
    SamplePage sample;
    TStranaPrvku reference;
    for (int i = 0; i < sample.page->Count(); ++i) {
        reference.AppendInOrder(CopyElement(sample.page->Item(i)));
    }
    TPageStore store;
    const TVystPrvek* held = &sample.page->Item(sample.page->Count() - 1);  // the text
    store.Hold(held);
    std::unique_ptr<TStranaPrvku> page = std::move(sample.page);
    const int record = store.Put(page);
    ASSERT_GE(record, 0);
    EXPECT_EQ(page, nullptr) << "the store took the page";
    EXPECT_TRUE(FilesIn(temporary.Path()).isEmpty()) << "the file has no name while in use";

    ExpectSamePage(reference, store.Get(record));
    EXPECT_EQ(&store.Get(record), &store.Get(record)) << "read once into the cache";

    std::unique_ptr<TStranaPrvku> back = store.Take(record);
    ExpectSamePage(reference, *back);
    EXPECT_EQ(&back->Item(back->Count() - 1), held);
}

TEST(PageStore, TheCacheHoldsAFewPagesAndForgetsThemOnRequest) {
    OwnTemporaryFolder temporary;
    TPageStore store;
    TLumexReportElement element;
    std::vector<int> records;
    for (int i = 0; i < TPageStore::kCachedPages + 2; ++i) {
        auto page = std::make_unique<TStranaPrvku>();
        page->Add(std::make_unique<TVystPrvek>(&element, i, 0, 10, 10));
        records.push_back(store.Put(page));
    }
    const TStranaPrvku* first = &store.Get(records[0]);
    for (int i = 1; i < TPageStore::kCachedPages; ++i) {
        EXPECT_EQ(store.Get(records[i]).Item(0).Left, i);
    }
    EXPECT_EQ(&store.Get(records[0]), first) << "still cached";
    store.ForgetCache();
    EXPECT_EQ(store.Get(records[0]).Item(0).Left, 0);
    EXPECT_EQ(store.Get(records.back()).Item(0).Left, TPageStore::kCachedPages + 1);
}

// Pages of one element each whose place tells them apart.
std::vector<int> PutNumberedPages(TPageStore& store, const TLumexReportElement& element, int count,
                                  std::vector<const TVystPrvek*>* elements = nullptr) {
    std::vector<int> records;
    for (int i = 0; i < count; ++i) {
        auto page = std::make_unique<TStranaPrvku>();
        auto placed = std::make_unique<TVystPrvek>(&element, i, 0, 10, 10);
        placed->Text = QStringLiteral("strana %1 ").arg(i).repeated(50);
        if (elements) {
            elements->push_back(placed.get());
        }
        page->Add(std::move(placed));
        records.push_back(store.Put(page));
    }
    return records;
}

TEST(PageStore, PagesReadAheadComeBackEqualInAnyOrderOfReading) {
    OwnTemporaryFolder temporary;
    TPageStore store;
    TLumexReportElement element;
    const std::vector<int> records = PutNumberedPages(store, element, 40);
    // Forwards (read ahead), backwards, jumping about and forwards again.
    std::vector<int> order;
    for (int i = 0; i < 40; ++i) {
        order.push_back(i);
    }
    for (int i = 39; i >= 0; i -= 3) {
        order.push_back(i);
    }
    for (int i : {7, 30, 8, 31, 0, 39, 20, 21, 22, 23}) {
        order.push_back(i);
    }
    for (int i : order) {
        const TStranaPrvku& page = store.Get(records[size_t(i)]);
        ASSERT_EQ(page.Count(), 1);
        EXPECT_EQ(page.Item(0).Left, i);
        EXPECT_EQ(page.Item(0).Text, QStringLiteral("strana %1 ").arg(i).repeated(50));
    }
    std::unique_ptr<TStranaPrvku> taken = store.Take(records[5]);
    EXPECT_EQ(taken->Item(0).Left, 5);
}

TEST(PageStore, AHeldElementChangedAfterItsPageWasReadAheadIsReadChanged) {
    OwnTemporaryFolder temporary;
    TPageStore store;
    TLumexReportElement element;
    std::vector<std::unique_ptr<TStranaPrvku>> pages;
    auto held = std::make_unique<TVystPrvek>(&element, 1, 1, 10, 10);
    held->Text = QStringLiteral("strana 2 z ?");
    TVystPrvek* heldElement = held.get();
    store.Hold(heldElement);
    std::vector<int> records;
    for (int i = 0; i < 5; ++i) {
        auto page = std::make_unique<TStranaPrvku>();
        page->Add(std::make_unique<TVystPrvek>(&element, i, 0, 10, 10));
        if (i == 2) {
            page->Add(std::move(held));
        }
        records.push_back(store.Put(page));
    }
    ASSERT_EQ(store.Get(records[1]).Item(0).Left, 1);    // page 2 is read ahead now
    heldElement->Text = QStringLiteral("strana 2 z 5");  // the total page count filled in
    store.ForgetCache();
    // The held element was added last, so it is drawn first.
    const TStranaPrvku& page = store.Get(records[2]);
    ASSERT_EQ(page.Count(), 2);
    EXPECT_EQ(page.Item(0).Text, QStringLiteral("strana 2 z 5"));
    EXPECT_EQ(page.Item(1).Left, 2);

    store.Get(records[1]);  // page 2 read ahead again, then taken for good
    std::unique_ptr<TStranaPrvku> back = store.Take(records[2]);
    ASSERT_EQ(back->Count(), 2);
    EXPECT_EQ(&back->Item(0), heldElement) << "the held element itself, not a copy read ahead";
}

// A temporary file that cannot grow past a few kilobytes, as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);  // a write fails instead
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedSignal_);
    }

  private:
    rlimit saved_{};
    void (*savedSignal_)(int) = nullptr;
};

TEST(PageStore, PagesTheFileCannotTakeStayInMemoryAndLaterOnesAreRefused) {
    OwnTemporaryFolder temporary;
    TPageStore store;
    TLumexReportElement element;
    std::vector<int> records;
    std::vector<const TVystPrvek*> elements;
    {
        const FileSizeLimit limit(16 * 1024);  // room for a few pages of ~1 kB
        records = PutNumberedPages(store, element, 60, &elements);
        store.Get(records[0]);  // waits until the pages are written or refused
    }
    const auto refused = std::find(records.begin(), records.end(), -1);
    ASSERT_NE(refused, records.end()) << "the store says it can take no more";
    EXPECT_FALSE(store.IsUsable());
    const int stored = int(refused - records.begin());
    EXPECT_GT(stored, 1);
    EXPECT_TRUE(std::all_of(refused, records.end(), [](int r) { return r == -1; }));
    // Every page the store took comes back, whether its bytes got into the file or not.
    for (int i = 0; i < stored; ++i) {
        const TStranaPrvku& page = store.Get(records[size_t(i)]);
        ASSERT_EQ(page.Count(), 1) << i;
        EXPECT_EQ(page.Item(0).Left, i);
        EXPECT_EQ(page.Item(0).Text, QStringLiteral("strana %1 ").arg(i).repeated(50));
    }
    std::unique_ptr<TStranaPrvku> last = store.Take(records[size_t(stored - 1)]);
    ASSERT_EQ(last->Count(), 1);
    EXPECT_EQ(last->Item(0).Left, stored - 1);
}

class LongRun : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = PaperSetup();
        PaperSetup() = TPaperSetup();
        report.SetPredloha(long_run::ListTemplate());
    }
    void TearDown() override { PaperSetup() = saved_; }

    // The run's output again, every page brought back into memory.
    void BringAllPagesBack() {
        TSestVystup& out = report.Output();
        for (int i = 0; i < out.PageCount(); ++i) {
            out.Page(i);
        }
        ASSERT_EQ(out.StoredPageCount(), 0);
    }

    OwnTemporaryFolder temporary;
    long_run::GeneratedReport report{4200};

  private:
    TPaperSetup saved_;
};

TEST_F(LongRun, TwoThousandPagesAreStoredAndReadTheSameAsFromMemory) {
    ASSERT_EQ(report.Run(true), 0);
    TSestVystup& out = report.Output();
    ASSERT_GE(out.PageCount(), 2000);
    EXPECT_GT(out.StoredPageCount(), out.PageCount() - 10) << "finished pages left memory";
    EXPECT_TRUE(FilesIn(temporary.Path()).isEmpty());

    // The total page count was filled in at the end, also on stored pages.
    const QString total = QString::number(out.PageCount());
    const QStringList first = DumpOutput(out).mid(0, out.ReadPage(0).Count() + 1);
    EXPECT_TRUE(first.filter(QRegularExpression(" " + total + "$")).size() == 1)
        << first.join('\n').toStdString();

    const QStringList dump = DumpOutput(out);
    const QByteArray text = [&] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        SaveTextStream(out, buffer, 1, out.PageCount(), 1);
        return buffer.data();
    }();
    const QByteArray rtf = [&] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        SaveRtf(out, buffer);
        return buffer.data();
    }();
    auto html = [&](int page) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        SaveHtmlPage(out, buffer, temporary.Path() + '/', page, QStringLiteral("p.bmp"));
        return buffer.data();
    };
    auto image = [&](int page) {
        out.RenderPage(page, false);
        return out.PageImage().ToEmf();
    };
    const int middle = out.PageCount() / 2;
    const int last = out.PageCount() - 1;
    const QByteArray htmlMiddle = html(middle);
    const QByteArray imageFirst = image(0), imageMiddle = image(middle), imageLast = image(last);
    const QString pdf = temporary.Path() + QStringLiteral("/list.pdf");
    ASSERT_EQ(SavePdfFile(out, pdf, QStringLiteral("Seznam")), QString());
    EXPECT_GT(QFileInfo(pdf).size(), 100000);

    BringAllPagesBack();
    EXPECT_EQ(DumpOutput(out), dump);
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    SaveTextStream(out, again, 1, out.PageCount(), 1);
    EXPECT_EQ(again.data(), text);
    QBuffer rtfAgain;
    rtfAgain.open(QIODevice::WriteOnly);
    SaveRtf(out, rtfAgain);
    EXPECT_EQ(rtfAgain.data(), rtf);
    EXPECT_EQ(html(middle), htmlMiddle);
    EXPECT_EQ(image(0), imageFirst);
    EXPECT_EQ(image(middle), imageMiddle);
    EXPECT_EQ(image(last), imageLast);
    EXPECT_TRUE(dump.contains(QStringLiteral("page %1").arg(out.PageCount())));
}

TEST_F(LongRun, ARunCancelledHalfwayLeavesNoTemporaryFiles) {
    class CancelLate : public TRunProgress {
      public:
        CancelLate(long_run::GeneratedReport& r, const QString& folder, bool& checked)
            : report_(r), folder_(folder), checked_(checked) {}
        void SetText(const QString&) override {}
        bool Poll() override {
            if (report_.Current() < 2100) {
                return false;
            }
            // Halfway: pages are in the store, yet no file can be seen.
            checked_ = report_.Output().StoredPageCount() > 500 && FilesIn(folder_).isEmpty();
            return true;
        }

      private:
        long_run::GeneratedReport& report_;
        QString folder_;
        bool& checked_;
    };
    bool checkedHalfway = false;
    SetRunProgressFactory([&]() -> std::unique_ptr<TRunProgress> {
        return std::make_unique<CancelLate>(report, temporary.Path(), checkedHalfway);
    });
    const int result = report.Run(true);
    SetRunProgressFactory(nullptr);
    EXPECT_NE(result, 0) << "the run was cancelled";
    EXPECT_TRUE(checkedHalfway);
    report.Output().Clear();
    EXPECT_EQ(report.Output().StoredPageCount(), 0);
    EXPECT_TRUE(FilesIn(temporary.Path()).isEmpty());
}

TEST_F(LongRun, ShortRunsKeepTheirPagesInMemory) {
    long_run::GeneratedReport shortRun(60);
    shortRun.SetPredloha(long_run::ListTemplate());
    ASSERT_EQ(shortRun.Run(true), 0);
    EXPECT_GE(shortRun.Output().PageCount(), 30);
    EXPECT_EQ(shortRun.Output().StoredPageCount(), 0);
}
