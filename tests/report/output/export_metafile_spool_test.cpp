// Page metafiles (EMF and placeable WMF) and spool files written and read back.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include "platform/paint/qpainter_canvas.h"
#include "report/output/sestexport.h"
#include "tests/report/output/export_fixture.h"

namespace {

quint32 At32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

// Two pages: a text and a filled frame on the first, a text on the second.
void TwoPages(ExportFixture& f) {
    TLumexReportElement& frame = f.Element(ekFrame);
    frame.width = 300;
    frame.height = 100;
    frame.fillColor = 0x0000FF;
    f.Place(frame, 0, 0, 0);
    f.Place(f.Text(QStringLiteral("První strana")), 0, 20, 200);
    f.Place(f.Text(QStringLiteral("Druhá strana")), 1, 20, 200);
}

QImage Rendered(TSestVystup& output, int page) {
    output.RenderPage(page, false);
    const platform::VectorPicture& image = output.PageImage();
    QImage bitmap(image.Width() / 6, image.Height() / 6, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    platform::QPainterCanvas canvas(&bitmap);
    canvas.SetPixelsPerInch(100);
    image.Play(canvas, QRect(0, 0, bitmap.width(), bitmap.height()));
    return bitmap;
}

QByteArray Spool(TSestVystup& output, const QString& title) {
    return Written(
        [&](QIODevice& device) { EXPECT_TRUE(SaveSpool(output, device, false, title)); });
}

bool Load(TSestVystup& output, const QByteArray& bytes, QString* error = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return LoadSpool(output, buffer, error);
}

}  // namespace

TEST(ExportMetafile, EnhancedAndPlaceableWithPageOrPaperGeometry) {
    ExportFixture f;
    TwoPages(f);
    auto metafile = [&](int page, bool paper, bool enhanced) {
        return Written([&](QIODevice& device) {
            SaveMetafile(f.output, device, page, paper, false, enhanced);
        });
    };
    const QByteArray emf = metafile(0, false, true);
    ASSERT_GT(emf.size(), 88);
    EXPECT_EQ(At32(emf, 0), 1u);            // header record
    EXPECT_EQ(At32(emf, 40), 0x464D4520u);  // " EMF"
    platform::VectorPicture page;
    ASSERT_TRUE(page.LoadEmf(emf));
    platform::VectorPicture paper;
    ASSERT_TRUE(paper.LoadEmf(metafile(0, true, true)));
    // The page alone is the printable area; in paper geometry the whole sheet.
    EXPECT_LT(page.Width(), paper.Width());
    EXPECT_LT(page.Height(), paper.Height());
    EXPECT_FALSE(f.output.PaperGeometry) << "paper geometry is only set for the one page";
    const QByteArray wmf = metafile(1, false, false);
    ASSERT_GT(wmf.size(), 22);
    EXPECT_EQ(At32(wmf, 0), 0x9AC6CDD7u);  // placeable metafile key
    EXPECT_TRUE(metafile(2, false, true).isEmpty());
    EXPECT_TRUE(metafile(-1, false, false).isEmpty());
}

TEST(ExportMetafile, UnwritableFileFailsWithoutAFile) {
    ExportFixture f;
    TwoPages(f);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("a1.emf"));
    EXPECT_TRUE(SaveMetafileFile(f.output, name, 0, false, true, true));
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_FALSE(
        SaveMetafileFile(f.output, dir.filePath(QStringLiteral("x/a.emf")), 0, false, true, true));
    EXPECT_FALSE(
        SaveMetafileFile(f.output, dir.filePath(QStringLiteral("a9.emf")), 8, false, true, true));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("a9.emf"))));
}

TEST(ExportSpool, HeaderWithPaddedTitleAndRecords) {
    ExportFixture f;
    TwoPages(f);
    const QByteArray spool = Spool(f.output, QStringLiteral("AB"));
    EXPECT_EQ(At32(spool, 0), 0x00010000u);
    EXPECT_EQ(At32(spool, 4), 28u);  // 20 + 2 * 4 units: A, B, NUL, padding NUL
    EXPECT_EQ(At32(spool, 8), 16u);
    EXPECT_EQ(At32(spool, 12), 24u);
    EXPECT_EQ(spool.mid(16, 12), QByteArray("A\0B\0\0\0\0\0\0\0\0\0", 12));
    EXPECT_EQ(At32(spool, 28), 12u);  // first page record
    const quint32 size = At32(spool, 32);
    EXPECT_EQ(At32(spool, 36 + size), 13u);
    EXPECT_EQ(At32(spool, 40 + size), 0u);
    EXPECT_EQ(spool.right(8), QByteArray("\x0C\0\0\0\0\0\0\0", 8));
    // An odd count needs no padding: "ABC" + NUL is four units too.
    EXPECT_EQ(At32(Spool(f.output, QStringLiteral("ABC")), 4), 28u);
    // No title: one NUL and one padding unit.
    EXPECT_EQ(At32(Spool(f.output, QString()), 4), 24u);
}

TEST(ExportSpool, WrittenAndReadBackGivesTheSamePages) {
    ExportFixture f;
    TwoPages(f);
    const QByteArray spool = Spool(f.output, QStringLiteral("Zdravotní karta"));
    // The spool pages are the pages drawn on the whole paper.
    std::vector<QImage> expected;
    f.output.PaperGeometry = true;
    for (int page = 0; page < 2; ++page) {
        expected.push_back(Rendered(f.output, page));
    }
    TSestVystup loaded;
    loaded.Title = QStringLiteral("stale");
    QString error;
    ASSERT_TRUE(Load(loaded, spool, &error)) << error.toStdString();
    EXPECT_TRUE(loaded.FromSpool);
    EXPECT_EQ(loaded.Title, QStringLiteral("Zdravotní karta"));
    ASSERT_EQ(loaded.PageCount(), 2);
    EXPECT_EQ(PaperSetup().MarginLeft, 0);
    EXPECT_EQ(PaperSetup().PaperWidth, 826);
    for (int page = 0; page < 2; ++page) {
        const QImage image = Rendered(loaded, page);
        ASSERT_EQ(image.size(), expected[page].size());
        // Text edges are smoothed a little differently after the round trip;
        // ink where there was none (or none where there was) is a real change.
        int ink = 0;
        int differing = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int a = qGray(image.pixel(x, y));
                const int b = qGray(expected[page].pixel(x, y));
                ink += b < 128;
                differing += std::abs(a - b) > 128;
            }
        }
        EXPECT_GT(ink, 100) << "page " << page;
        EXPECT_LT(differing, ink / 20) << "page " << page;
    }
    // A spool output is written to spool again unchanged in page count.
    TSestVystup again;
    ASSERT_TRUE(Load(again, Spool(loaded, QString())));
    EXPECT_EQ(again.PageCount(), 2);
}

// A record the reader does not understand could hide a page: skipping it
// loaded one page short without a word, so the file counts as damaged.
TEST(ExportSpool, RecordsItDoesNotUnderstandMakeTheFileDamaged) {
    ExportFixture f;
    TwoPages(f);
    const QByteArray spool = Spool(f.output, QStringLiteral("AB"));
    QByteArray withOther = spool.left(28);
    withOther += QByteArray("\x03\0\0\0\x04\0\0\0xyzw", 12);  // a type 3 record of four bytes
    withOther += spool.mid(28);
    // The second page's record type changed from 12 to 3.
    const quint32 first = At32(spool, 32);
    QByteArray retyped = spool;
    qToLittleEndian<quint32>(3u, retyped.data() + 36 + first + 8);
    // An end-of-page record that carries bytes is no end-of-page record.
    QByteArray longEnd = spool;
    qToLittleEndian<quint32>(4u, longEnd.data() + 36 + first + 4);
    struct Case {
        const char* what;
        QByteArray bytes;
        int pages;
    };
    const Case cases[] = {
        {"a type 3 record before the pages", withOther, 0},
        {"the second page's type changed", retyped, 1},
        {"an end-of-page record with a size", longEnd, 1},
    };
    for (const Case& c : cases) {
        TSestVystup loaded;
        QString error;
        EXPECT_FALSE(Load(loaded, c.bytes, &error)) << c.what;
        EXPECT_TRUE(error.contains(QStringLiteral("neznámý záznam")))
            << c.what << ": " << error.toStdString();
        EXPECT_EQ(loaded.PageCount(), c.pages) << c.what;
    }
    // The file as written still reads completely.
    TSestVystup loaded;
    EXPECT_TRUE(Load(loaded, spool));
    EXPECT_EQ(loaded.PageCount(), 2);
}

TEST(ExportSpool, DamagedFilesKeepThePagesReadAndFail) {
    ExportFixture f;
    TwoPages(f);
    const QByteArray spool = Spool(f.output, QStringLiteral("AB"));
    const quint32 first = At32(spool, 32);
    struct Case {
        const char* what;
        QByteArray bytes;
        int pages;
    };
    QByteArray lying = spool;
    qToLittleEndian<quint32>(0x7FFFFFF0u, lying.data() + 32);
    QByteArray badPage = spool;
    badPage[36 + 40] = 'X';  // the second page's EMF signature... of the first page
    QByteArray longHeader = spool.left(40);
    qToLittleEndian<quint32>(5000u, longHeader.data() + 4);
    const Case cases[] = {
        {"cut inside the second page", spool.left(int(44 + first + 20)), 1},
        {"cut before the end record", spool.left(spool.size() - 8), 2},
        {"page size beyond the file", lying, 0},
        {"damaged page", badPage, 0},
        {"header longer than the file", longHeader, 0},
    };
    for (const Case& c : cases) {
        TSestVystup loaded;
        QString error;
        EXPECT_FALSE(Load(loaded, c.bytes, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_EQ(loaded.PageCount(), c.pages) << c.what;
        EXPECT_TRUE(loaded.FromSpool) << c.what;
    }
}

TEST(ExportSpool, OutputWithoutPagesWritesNothing) {
    ExportFixture f;
    EXPECT_TRUE(Spool(f.output, QStringLiteral("x")).isEmpty());
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("a.spl"));
    EXPECT_TRUE(SaveSpoolFile(f.output, name, false, QString()));
    EXPECT_FALSE(QFile::exists(name));
}
