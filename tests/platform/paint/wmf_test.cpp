// The placeable Windows metafile writer: header, checksum, records, 8-bit
// text, 16-bit coordinates, and what libwmf's wmf2svg makes of the file.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include "platform/codepage1250.h"
#include "platform/paint/vector_picture.h"
#include "tests/platform/paint/paint_scene.h"

using namespace platform;
using namespace paint_test;

namespace {

constexpr int kPlaceable = 22;
constexpr int kMetaHeader = 18;

quint16 U16At(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}
qint16 I16At(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}
quint32 U32At(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

struct WmfRecord {
    quint16 function;
    quint32 words;
    qsizetype offset;
};

QVector<WmfRecord> Records(const QByteArray& wmf) {
    QVector<WmfRecord> records;
    qsizetype offset = kPlaceable + kMetaHeader;
    while (offset + 6 <= wmf.size()) {
        const quint32 words = U32At(wmf, offset);
        records.append({U16At(wmf, offset + 4), words, offset});
        if (words < 3) {
            break;
        }
        offset += 2 * static_cast<qsizetype>(words);
    }
    return records;
}

QVector<WmfRecord> OfFunction(const QVector<WmfRecord>& records, quint16 function) {
    QVector<WmfRecord> found;
    for (const WmfRecord& r : records) {
        if (r.function == function) {
            found.append(r);
        }
    }
    return found;
}

VectorPicture Scene() {
    VectorPicture picture(400, 300, 72);
    DrawScene(picture);
    return picture;
}

}  // namespace

TEST(WmfStructure, PlaceableHeaderCarriesBoundsInchAndChecksum) {
    VectorPicture page(4960, 7016, 600);
    page.Ellipse(QRect(100, 100, 200, 200));
    const QByteArray wmf = page.ToWmf();
    ASSERT_GT(wmf.size(), kPlaceable + kMetaHeader);
    EXPECT_EQ(U32At(wmf, 0), 0x9AC6CDD7u);
    EXPECT_EQ(I16At(wmf, 6), 0);
    EXPECT_EQ(I16At(wmf, 8), 0);
    EXPECT_EQ(I16At(wmf, 10), 4960);
    EXPECT_EQ(I16At(wmf, 12), 7016);
    EXPECT_EQ(U16At(wmf, 14), 600);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2) {
        checksum ^= U16At(wmf, i);
    }
    EXPECT_EQ(U16At(wmf, 20), checksum);
}

TEST(WmfStructure, MetaHeaderMatchesTheRecords) {
    const QByteArray wmf = Scene().ToWmf();
    const qsizetype h = kPlaceable;
    EXPECT_EQ(U16At(wmf, h), 1);      // in memory
    EXPECT_EQ(U16At(wmf, h + 2), 9);  // header words
    EXPECT_EQ(U16At(wmf, h + 4), 0x0300);
    EXPECT_EQ(U32At(wmf, h + 6) * 2, static_cast<quint32>(wmf.size() - kPlaceable));
    const QVector<WmfRecord> records = Records(wmf);
    ASSERT_FALSE(records.isEmpty());
    quint32 largest = 0;
    qsizetype total = kPlaceable + kMetaHeader;
    for (const WmfRecord& r : records) {
        largest = qMax(largest, r.words);
        total += 2 * r.words;
    }
    EXPECT_EQ(total, wmf.size());
    EXPECT_EQ(U32At(wmf, h + 12), largest);
    EXPECT_EQ(records.last().function, 0);  // end record
    EXPECT_EQ(records.last().words, 3u);
}

TEST(WmfStructure, ObjectIndexesStayInsideTheAnnouncedTable) {
    const QByteArray wmf = Scene().ToWmf();
    const quint16 objects = U16At(wmf, kPlaceable + 10);
    EXPECT_GT(objects, 0);
    int created = 0;
    int deleted = 0;
    for (const WmfRecord& r : Records(wmf)) {
        if (r.function == 0x012D || r.function == 0x01F0) {  // select, delete
            EXPECT_LT(U16At(wmf, r.offset + 6), objects);
            deleted += r.function == 0x01F0 ? 1 : 0;
        }
        if (r.function == 0x02FA || r.function == 0x02FB || r.function == 0x02FC ||
            r.function == 0x0142) {
            ++created;
        }
    }
    EXPECT_EQ(created, deleted);  // every object is released by the end
}

TEST(WmfStructure, TextIsWindows1250WithOneAdvancePerByte) {
    VectorPicture page(1000, 1000, 600);
    Font font;
    font.charset = 0;
    page.SetFont(font);
    page.ExtTextOut(QPoint(10, 20), QStringLiteral("Kůň€"), {30, 31, 32, 33});
    const QByteArray wmf = page.ToWmf();
    const QVector<WmfRecord> texts = OfFunction(Records(wmf), 0x0A32);
    ASSERT_EQ(texts.size(), 1);
    const qsizetype t = texts.first().offset + 6;
    EXPECT_EQ(I16At(wmf, t), 20);  // y first
    EXPECT_EQ(I16At(wmf, t + 2), 10);
    ASSERT_EQ(I16At(wmf, t + 4), 4);
    EXPECT_EQ(wmf.mid(t + 8, 4), ToCp1250(QStringLiteral("Kůň€")));
    EXPECT_EQ(I16At(wmf, t + 12), 30);
    EXPECT_EQ(I16At(wmf, t + 18), 33);
    const QVector<WmfRecord> fonts = OfFunction(Records(wmf), 0x02FB);
    ASSERT_EQ(fonts.size(), 1);
    EXPECT_EQ(I16At(wmf, fonts.first().offset + 6), -83);  // 10 points at 600 per inch
    EXPECT_EQ(static_cast<quint8>(wmf.at(fonts.first().offset + 6 + 13)), 238);
    EXPECT_EQ(wmf.mid(fonts.first().offset + 6 + 18, 6), QByteArray("Arial\0", 6));
}

TEST(WmfStructure, LargePicturesAreScaledIntoSixteenBits) {
    VectorPicture banner(70000, 1000, 600);
    banner.Rectangle(QRect(60000, 100, 9000, 800));
    const QByteArray wmf = banner.ToWmf();
    EXPECT_EQ(I16At(wmf, 10), 23333);  // three units become one
    EXPECT_EQ(U16At(wmf, 14), 200);
    const QVector<WmfRecord> rectangles = OfFunction(Records(wmf), 0x041B);
    ASSERT_EQ(rectangles.size(), 1);
    EXPECT_EQ(I16At(wmf, rectangles.first().offset + 6 + 6), 20000);  // left
    EXPECT_EQ(I16At(wmf, rectangles.first().offset + 6 + 2), 23000);  // right
}

TEST(WmfStructure, ClippingIsScopedBySavedContexts) {
    const QByteArray wmf = Scene().ToWmf();
    const QVector<WmfRecord> records = Records(wmf);
    EXPECT_EQ(OfFunction(records, 0x001E).size(), 1);  // save
    EXPECT_EQ(OfFunction(records, 0x0127).size(), 1);  // restore
    const QVector<WmfRecord> clips = OfFunction(records, 0x0416);
    ASSERT_EQ(clips.size(), 1);
    EXPECT_EQ(I16At(wmf, clips.first().offset + 6), 140);   // bottom, exclusive
    EXPECT_EQ(I16At(wmf, clips.first().offset + 12), 300);  // left
}

// libwmf reads what we write: the shapes come out as SVG shapes and the text
// (written by wmf2svg one character at a time) in order.
TEST(WmfConsumers, Wmf2svgReadsShapesAndText) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (program.isEmpty()) {
        GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    }
    VectorPicture page(4960, 7016, 600);
    page.SetPixelsPerInch(100);
    page.SetPen(Pen{Qt::black, PenStyle::Solid, 6});
    page.SetBrush(Brush{Qt::red, BrushStyle::Solid, {}});
    page.Rectangle(QRect(600, 600, 1200, 600));
    page.Ellipse(QRect(2000, 600, 1200, 600));
    page.Polygon(QPolygon({QPoint(600, 1500), QPoint(1200, 1500), QPoint(900, 2000)}));
    page.MoveTo(QPoint(600, 2200));
    page.LineTo(QPoint(4000, 2200));
    Font font;
    font.size = 60;
    page.SetFont(font);
    page.SetTransparentText(true);
    page.TextOut(QPoint(600, 2400), QStringLiteral("Kennel Harvel"));

    QTemporaryDir dir;
    const QString wmfPath = dir.filePath(QStringLiteral("page.wmf"));
    const QString svgPath = dir.filePath(QStringLiteral("page.svg"));
    QFile file(wmfPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(page.SaveWmf(file));
    file.close();
    QProcess process;
    process.start(program, {QStringLiteral("-o"), svgPath, wmfPath});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QFile svgFile(svgPath);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const QString svg = QString::fromLatin1(svgFile.readAll());
    EXPECT_TRUE(svg.contains(QStringLiteral("<rect"))) << svg.left(2000).toStdString();
    EXPECT_TRUE(svg.contains(QStringLiteral("<ellipse")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<polygon")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<line")));
    EXPECT_TRUE(svg.contains(QStringLiteral("fill:red")));
    QString text;
    static const QRegularExpression kTextElement(QStringLiteral(">([^<]*)</text>"));
    for (const QRegularExpressionMatch& match : kTextElement.globalMatch(svg)) {
        text += match.captured(1);
    }
    EXPECT_EQ(text, QStringLiteral("Kennel Harvel"));
}
