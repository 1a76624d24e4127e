// The enhanced metafile writer and reader: structure of the written bytes,
// round trips, and damaged input.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QRandomGenerator>
#include <QtEndian>

#include "platform/paint/qpainter_canvas.h"
#include "platform/paint/vector_picture.h"
#include "tests/platform/paint/paint_scene.h"
#include "tests/platform/paint/paint_test_support.h"

using namespace platform;
using namespace paint_test;

namespace {

struct EmfRecord {
    quint32 type;
    quint32 size;
    qsizetype offset;
};

quint32 U32At(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}
qint32 I32At(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}
void PutU32(QByteArray& bytes, qsizetype offset, quint32 value) {
    qToLittleEndian(value, bytes.data() + offset);
}

// Walks the records by their sizes; stops at the end or at a bad size.
QVector<EmfRecord> Records(const QByteArray& bytes) {
    QVector<EmfRecord> records;
    qsizetype offset = 0;
    while (offset + 8 <= bytes.size()) {
        const quint32 size = U32At(bytes, offset + 4);
        records.append({U32At(bytes, offset), size, offset});
        if (size < 8) {
            break;
        }
        offset += size;
    }
    return records;
}

QVector<EmfRecord> OfType(const QVector<EmfRecord>& records, quint32 type) {
    QVector<EmfRecord> found;
    for (const EmfRecord& r : records) {
        if (r.type == type) {
            found.append(r);
        }
    }
    return found;
}

constexpr quint32 kHeader = 1;
constexpr quint32 kEof = 14;
constexpr quint32 kIntersectClip = 30;
constexpr quint32 kStretchDiBits = 81;
constexpr quint32 kFont = 82;
constexpr quint32 kTextW = 84;
constexpr quint32 kPolygon16 = 86;

VectorPicture Scene() {
    VectorPicture picture(400, 300, 72);
    DrawScene(picture);
    return picture;
}

QImage Render(const VectorPicture& picture) {
    QImage image = WhiteImage(picture.Width(), picture.Height());
    QPainterCanvas canvas(&image);
    canvas.SetPixelsPerInch(picture.UnitsPerInch());
    picture.Play(canvas, QRect(0, 0, picture.Width(), picture.Height()));
    return image;
}

// A minimal metafile: header, the given records, end record.
QByteArray MinimalEmf(const QByteArray& body, int width = 100, int height = 100) {
    VectorPicture empty(width, height, 600);
    QByteArray bytes = empty.ToEmf();
    const quint32 headerSize = U32At(bytes, 4);
    QByteArray result = bytes.left(headerSize) + bytes.mid(headerSize, 36) + body;
    QByteArray eof(20, '\0');
    PutU32(eof, 0, kEof);
    PutU32(eof, 4, 20);
    PutU32(eof, 12, 16);
    PutU32(eof, 16, 20);
    result += eof;
    PutU32(result, 48, static_cast<quint32>(result.size()));
    return result;
}

QByteArray RecordBytes(quint32 type, std::initializer_list<qint32> values) {
    QByteArray record(8 + 4 * static_cast<int>(values.size()), '\0');
    PutU32(record, 0, type);
    PutU32(record, 4, static_cast<quint32>(record.size()));
    int offset = 8;
    for (qint32 v : values) {
        PutU32(record, offset, static_cast<quint32>(v));
        offset += 4;
    }
    return record;
}

}  // namespace

TEST(EmfStructure, HeaderDescribesThePictureAndTheFile) {
    VectorPicture page(4960, 7016, 600);  // A4 at 600 units per inch
    page.FillRect(QRect(0, 0, 100, 100));
    const QByteArray emf = page.ToEmf();
    const QVector<EmfRecord> records = Records(emf);
    ASSERT_FALSE(records.isEmpty());
    EXPECT_EQ(records.first().type, kHeader);
    EXPECT_EQ(records.first().size, 108u);
    EXPECT_EQ(I32At(emf, 8), 0);  // bounds in device units, inclusive
    EXPECT_EQ(I32At(emf, 16), 4959);
    EXPECT_EQ(I32At(emf, 20), 7015);
    EXPECT_EQ(I32At(emf, 32), 20997);  // frame in 0.01 mm: 4960 / 600 inch
    EXPECT_EQ(I32At(emf, 36), 29701);
    EXPECT_EQ(U32At(emf, 40), 0x464D4520u);  // " EMF"
    EXPECT_EQ(U32At(emf, 44), 0x00010000u);
    EXPECT_EQ(U32At(emf, 48), static_cast<quint32>(emf.size()));
    EXPECT_EQ(U32At(emf, 52), static_cast<quint32>(records.size()));
    // The reference device has exactly 600 pixels per inch.
    EXPECT_EQ(I32At(emf, 72) * 254, I32At(emf, 80) * 6000);
}

TEST(EmfStructure, RecordsTileTheFileAndEndWithEof) {
    const QByteArray emf = Scene().ToEmf();
    const QVector<EmfRecord> records = Records(emf);
    qsizetype total = 0;
    for (const EmfRecord& r : records) {
        EXPECT_EQ(r.size % 4, 0u) << "record type " << r.type;
        EXPECT_GE(r.size, 8u);
        total += r.size;
    }
    EXPECT_EQ(total, emf.size());
    ASSERT_FALSE(records.isEmpty());
    EXPECT_EQ(records.last().type, kEof);
    EXPECT_EQ(records.last().size, 20u);
    EXPECT_EQ(U32At(emf, records.last().offset + 16), 20u);  // its size repeated at its end
}

TEST(EmfStructure, SelectedObjectsUseHandlesTheHeaderAnnounces) {
    const QByteArray emf = Scene().ToEmf();
    const quint16 handles = qFromLittleEndian<quint16>(emf.constData() + 56);
    for (const EmfRecord& r : Records(emf)) {
        if (r.type == 37 || r.type == 40) {  // select, delete
            const quint32 handle = U32At(emf, r.offset + 8);
            if ((handle & 0x80000000u) == 0) {
                EXPECT_GT(handle, 0u);
                EXPECT_LT(handle, handles);
            }
        }
    }
}

TEST(EmfStructure, TextIsWrittenWithItsFontAndAdvances) {
    VectorPicture page(4960, 7016, 600);
    Font font;
    font.name = QStringLiteral("Times New Roman");
    font.size = 10;
    font.bold = true;
    font.escapement = 900;
    page.SetFont(font);
    page.ExtTextOut(QPoint(600, 700), QStringLiteral("Čert"), {60, 40, 30, 25});
    const QByteArray emf = page.ToEmf();
    const QVector<EmfRecord> records = Records(emf);

    const QVector<EmfRecord> fonts = OfType(records, kFont);
    ASSERT_EQ(fonts.size(), 1);
    const qsizetype f = fonts.first().offset + 12;        // LOGFONTW
    EXPECT_EQ(I32At(emf, f), -83);                        // em height: 10 pt at 600 units per inch
    EXPECT_EQ(I32At(emf, f + 8), 900);                    // escapement
    EXPECT_EQ(I32At(emf, f + 16), 700);                   // weight
    EXPECT_EQ(static_cast<quint8>(emf.at(f + 23)), 238);  // east-European character set
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(emf.constData() + f + 28)),
              QStringLiteral("Times New Roman"));

    const QVector<EmfRecord> texts = OfType(records, kTextW);
    ASSERT_EQ(texts.size(), 1);
    const qsizetype t = texts.first().offset;
    EXPECT_EQ(I32At(emf, t + 36), 600);  // reference point
    EXPECT_EQ(I32At(emf, t + 40), 700);
    const quint32 count = U32At(emf, t + 44);
    ASSERT_EQ(count, 4u);
    const QString text = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(emf.constData() + t + U32At(emf, t + 48)), count);
    EXPECT_EQ(text, QStringLiteral("Čert"));
    const qsizetype dx = t + U32At(emf, t + 72);
    EXPECT_EQ(I32At(emf, dx), 60);
    EXPECT_EQ(I32At(emf, dx + 4), 40);
    EXPECT_EQ(I32At(emf, dx + 8), 30);
    EXPECT_EQ(I32At(emf, dx + 12), 25);
}

TEST(EmfStructure, ShapesBitmapsAndClippingHaveTheirRecords) {
    const QByteArray emf = Scene().ToEmf();
    const QVector<EmfRecord> records = Records(emf);
    EXPECT_EQ(OfType(records, 43).size(), 1 + 1 + 4 + 1);  // rectangle, fill, frame, clipped fill
    EXPECT_EQ(OfType(records, 44).size(), 1);              // round rectangle
    EXPECT_EQ(OfType(records, 42).size(), 1);              // ellipse
    EXPECT_EQ(OfType(records, kPolygon16).size(), 1);
    EXPECT_EQ(OfType(records, 54).size(), 2);  // line segments
    EXPECT_EQ(OfType(records, 15).size(), 1);  // pixel
    const QVector<EmfRecord> clips = OfType(records, kIntersectClip);
    ASSERT_EQ(clips.size(), 1);
    EXPECT_EQ(I32At(emf, clips.first().offset + 8), 300);
    EXPECT_EQ(I32At(emf, clips.first().offset + 16), 340);  // right edge exclusive
    const QVector<EmfRecord> bitmaps = OfType(records, kStretchDiBits);
    ASSERT_EQ(bitmaps.size(), 1);
    const qsizetype b = bitmaps.first().offset;
    const qsizetype info = b + U32At(emf, b + 48);
    EXPECT_EQ(I32At(emf, info + 4), 4);  // bitmap width and height
    EXPECT_EQ(I32At(emf, info + 8), 4);
    EXPECT_EQ(qFromLittleEndian<quint16>(emf.constData() + info + 14), 24);
    EXPECT_EQ(I32At(emf, b + 72), 40);  // stretched to 40 x 40
}

TEST(EmfRoundTrip, ReadBackPictureRendersLikeTheOriginal) {
    const VectorPicture original = Scene();
    VectorPicture loaded;
    QString error;
    ASSERT_TRUE(loaded.LoadEmf(original.ToEmf(), &error)) << error.toStdString();
    EXPECT_EQ(loaded.Width(), 400);
    EXPECT_EQ(loaded.Height(), 300);
    EXPECT_EQ(loaded.UnitsPerInch(), 72);
    const QImage before = Render(original);
    const QImage after = Render(loaded);
    // Shapes, bitmaps and texts with given advances come back exactly; texts
    // drawn with their natural advances come back with whole-unit advances.
    EXPECT_EQ(DifferentShare(before.copy(0, 0, 400, 105), after.copy(0, 0, 400, 105), 0), 0.0);
    EXPECT_EQ(DifferentShare(before.copy(0, 135, 200, 40), after.copy(0, 135, 200, 40), 0), 0.0);
    EXPECT_LT(DifferentShare(before, after), 0.005);
}

TEST(EmfRoundTrip, TextsFontsAndAdvancesComeBack) {
    const VectorPicture original = Scene();
    VectorPicture loaded;
    ASSERT_TRUE(loaded.LoadEmf(original.ToEmf()));
    const PictureContent& before = original.Content();
    const PictureContent& after = loaded.Content();
    ASSERT_EQ(after.texts.size(), before.texts.size());
    for (int i = 0; i < before.texts.size(); ++i) {
        EXPECT_EQ(after.texts.at(i).text, before.texts.at(i).text);
        EXPECT_TRUE(after.texts.at(i).explicitAdvances);
        if (before.texts.at(i).explicitAdvances) {
            EXPECT_EQ(after.texts.at(i).advances, before.texts.at(i).advances);
        }
    }
    bool sawRotatedSerif = false;
    for (const PictureFont& font : after.fonts) {
        if (font.font.name == QStringLiteral("Times New Roman")) {
            sawRotatedSerif = font.font.escapement == 450;
            EXPECT_NEAR(font.pixelSize, 16.0, 0.5);
        }
    }
    EXPECT_TRUE(sawRotatedSerif);
}

TEST(EmfRoundTrip, PagePictureSurvivesSaveToDevice) {
    VectorPicture page(4960, 7016, 600);
    page.SetPixelsPerInch(100);
    Font font;
    font.size = 60;
    page.SetFont(font);
    page.TextOut(QPoint(600, 600), QStringLiteral("Zdravotní karta"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(page.SaveEmf(buffer));
    buffer.seek(0);
    VectorPicture loaded;
    ASSERT_TRUE(loaded.LoadEmf(buffer));
    EXPECT_EQ(loaded.Width(), 4960);
    EXPECT_EQ(loaded.Height(), 7016);
    EXPECT_EQ(loaded.UnitsPerInch(), 600);
    ASSERT_EQ(loaded.Content().texts.size(), 1);
    int sum = 0;
    for (int advance : loaded.Content().texts.first().advances) {
        sum += advance;
    }
    EXPECT_NEAR(sum, page.TextWidth(QStringLiteral("Zdravotní karta")), 1);
}

TEST(EmfDamagedInput, IsRefusedAndLeavesThePictureUnchanged) {
    const QByteArray good = Scene().ToEmf();
    QVector<QPair<const char*, QByteArray>> cases;
    cases.append({"empty", QByteArray()});
    cases.append({"garbage", QByteArray(500, 'x')});
    QByteArray badSignature = good;
    PutU32(badSignature, 40, 0x12345678);
    cases.append({"bad signature", badSignature});
    cases.append({"truncated in the middle", good.left(good.size() / 2)});
    cases.append({"truncated inside the header", good.left(60)});
    QByteArray lyingSize = good;
    PutU32(lyingSize, 108 + 4, 0x7FFFFFF0);  // first record after the header
    cases.append({"record size beyond the end", lyingSize});
    QByteArray oddSize = good;
    PutU32(oddSize, 108 + 4, 13);
    cases.append({"record size not a multiple of four", oddSize});
    QByteArray zeroSize = good;
    PutU32(zeroSize, 108 + 4, 0);
    cases.append({"record size zero", zeroSize});
    QByteArray noEof = good.left(good.size() - 20);
    PutU32(noEof, 48, static_cast<quint32>(noEof.size()));
    cases.append({"no end record", noEof});
    QByteArray huge = good;
    PutU32(huge, 32, 0x7FFFFFFF);  // frame right
    PutU32(huge, 36, 0x7FFFFFFF);
    cases.append({"huge dimensions", huge});
    QByteArray totalTooBig = good;
    PutU32(totalTooBig, 48, static_cast<quint32>(good.size() + 4));
    cases.append({"file size field beyond the data", totalTooBig});

    for (const auto& [name, bytes] : cases) {
        VectorPicture picture(10, 20, 600);
        picture.FillRect(QRect(0, 0, 5, 5));
        QString error;
        EXPECT_FALSE(picture.LoadEmf(bytes, &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
        EXPECT_EQ(picture.Width(), 10) << name;
        EXPECT_EQ(picture.Content().ops.size(), 1) << name;
    }
}

TEST(EmfDamagedInput, BitmapsLargerThanTheBudgetAreRefusedBeforeDecoding) {
    // A STRETCHDIBITS record whose header claims 60000 x 60000 pixels.
    QByteArray record = RecordBytes(
        kStretchDiBits, {0, 0, 99, 99, 0, 0, 0, 0, 0, 0, 80, 40, 120, 4, 0, 0x00CC0020, 100, 100});
    QByteArray info(40, '\0');
    PutU32(info, 0, 40);
    PutU32(info, 4, 60000);
    PutU32(info, 8, 60000);
    qToLittleEndian<quint16>(1, info.data() + 12);
    qToLittleEndian<quint16>(24, info.data() + 14);
    record += info + QByteArray(4, '\0');
    PutU32(record, 4, static_cast<quint32>(record.size()));
    VectorPicture picture;
    QString error;
    EXPECT_FALSE(picture.LoadEmf(MinimalEmf(record), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("too large"))) << error.toStdString();
}

TEST(EmfDamagedInput, BitmapWithTooLittleDataIsSkipped) {
    QByteArray record = RecordBytes(
        kStretchDiBits, {0, 0, 99, 99, 0, 0, 0, 0, 0, 0, 80, 40, 120, 4, 0, 0x00CC0020, 100, 100});
    QByteArray info(40, '\0');
    PutU32(info, 0, 40);
    PutU32(info, 4, 100);
    PutU32(info, 8, 100);
    qToLittleEndian<quint16>(1, info.data() + 12);
    qToLittleEndian<quint16>(24, info.data() + 14);
    record += info + QByteArray(4, '\0');
    PutU32(record, 4, static_cast<quint32>(record.size()));
    VectorPicture picture;
    ASSERT_TRUE(picture.LoadEmf(MinimalEmf(record)));
    EXPECT_TRUE(picture.Content().bitmaps.isEmpty());
}

TEST(EmfDamagedInput, TextAndPolygonCountsThatLieAreSkipped) {
    // Polygon claiming a million points in a 40-byte record.
    const QByteArray polygon = RecordBytes(kPolygon16, {0, 0, 10, 10, 1000000, 0, 0});
    // Text whose string offset points past its record.
    const QByteArray text =
        RecordBytes(kTextW, {0, 0, -1, -1, 1, 0, 0, 10, 10, 50, 4000, 0, 0, 0, -1, -1, 0});
    VectorPicture picture;
    ASSERT_TRUE(picture.LoadEmf(MinimalEmf(polygon + text)));
    EXPECT_TRUE(picture.Content().polygons.isEmpty());
    EXPECT_TRUE(picture.Content().texts.isEmpty());
}

TEST(EmfDamagedInput, UnknownRecordsAreSkipped) {
    QByteArray comment = RecordBytes(70, {4, 0x11223344});  // a comment
    QByteArray unknown = RecordBytes(250, {1, 2, 3});
    QByteArray rectangle = RecordBytes(43, {10, 10, 50, 50});
    VectorPicture picture;
    ASSERT_TRUE(picture.LoadEmf(MinimalEmf(comment + unknown + rectangle)));
    ASSERT_FALSE(picture.Content().ops.isEmpty());
    EXPECT_EQ(picture.Content().ops.last().kind, PictureOpKind::Rectangle);
    EXPECT_EQ(picture.Content().ops.last().rect, QRect(10, 10, 40, 40));
}

TEST(EmfDamagedInput, RandomCorruptionNeverCrashes) {
    const QByteArray good = Scene().ToEmf();
    QRandomGenerator random(20240611);
    for (int round = 0; round < 150; ++round) {
        QByteArray bytes = good;
        for (int i = 0; i < 8; ++i) {
            bytes[random.bounded(static_cast<int>(bytes.size()))] =
                static_cast<char>(random.bounded(256));
        }
        VectorPicture picture;
        QString error;
        if (picture.LoadEmf(bytes, &error)) {
            Render(picture);
        } else {
            EXPECT_FALSE(error.isEmpty());
        }
    }
}
