// Real-world check: barcodes drawn at 600 dpi through the QPainter canvas are
// read back by an independent decoder (zbarimg from zbar-tools) and must give
// the encoded text.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/paint/qpainter_canvas.h"
#include "report/output/barcode_encoding.h"
#include "report/output/sestbarc.h"
#include "tests/report/output/barcode_recording_canvas.h"

namespace {

constexpr int kDpi = 600;
constexpr int kModule = 8;  // 1/75 inch
constexpr int kQuietModules = 20;
constexpr int kBarHeight = 600;  // one inch

struct Case {
    const char* name;
    int type;
    QString text;
    bool checkDigit;
    QString expected;
    QStringList zbarOptions = {};
    int angle = 0;
    bool showText = true;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

QString ZbarPath() {
    return QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
}

// The barcode in a white image with a quiet zone on every side; the page
// image's canvas setup (fonts at 100 pixels per inch on a 600 dpi image).
QImage Render(const Case& c) {
    const TBarcodeSymbol symbol = EncodeBarcode(c.type, c.text, c.checkDigit);
    const int length = static_cast<int>(barcode_test::Modules(symbol.pattern).size()) * kModule;
    const int quiet = kQuietModules * kModule;
    const bool upright = c.angle % 180 != 0;
    const int width = (upright ? kBarHeight : length + 16 * kModule) + 2 * quiet;
    const int height = (upright ? length + 16 * kModule : kBarHeight) + 2 * quiet;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = qRound(kDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPoint corner(quiet, quiet);
    if (c.angle == 90) {
        corner = QPoint(quiet, height - quiet);
    } else if (c.angle == 180) {
        corner = QPoint(width - quiet, height - quiet);
    } else if (c.angle == 270) {
        corner = QPoint(width - quiet, quiet);
    }
    platform::QPainterCanvas canvas(&image);
    canvas.SetPixelsPerInch(100);
    DrawBarcode(canvas, QRect(corner, QSize(length, kBarHeight)), c.type, c.text, true, c.showText,
                c.checkDigit, c.angle, kModule);
    return image;
}

QString Decode(const QString& file, const QStringList& options) {
    QProcess zbar;
    zbar.start(ZbarPath(), QStringList{"--raw", "-q"} + options + QStringList{file});
    if (!zbar.waitForFinished(30000)) {
        return QStringLiteral("<zbarimg timed out>");
    }
    QString out = QString::fromUtf8(zbar.readAllStandardOutput());
    while (out.endsWith('\n')) {
        out.chop(1);
    }
    return out;
}

QString PrintableAscii() {
    QString text;
    for (char16_t c = 32; c < 127; ++c) {
        text += QChar(c);
    }
    return text;
}

QString AllDigitPairs() {
    QString text;
    for (int pair = 0; pair < 100; ++pair) {
        text += QString::number(pair).rightJustified(2, QLatin1Char('0'));
    }
    return text;
}

const QString kCode39Set = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");

class BarcodeZbar : public ::testing::TestWithParam<Case> {
  protected:
    void SetUp() override {
        if (ZbarPath().isEmpty()) {
            GTEST_SKIP() << "zbarimg (Debian package zbar-tools) is not installed";
        }
    }
};

}  // namespace

TEST_P(BarcodeZbar, DecodesToTheEncodedText) {
    const Case& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QString::fromLatin1(c.name) + ".png");
    ASSERT_TRUE(Render(c).save(file));
    // Keep the images for a look when asked to.
    const QString keep = qEnvironmentVariable("HARVEL_BARCODE_PNG_DIR");
    if (!keep.isEmpty()) {
        QFile::copy(file, QDir(keep).filePath(QString::fromLatin1(c.name) + ".png"));
    }
    EXPECT_EQ(Decode(file, c.zbarOptions).toStdString(), c.expected.toStdString());
}

// zbar reports UPC-A and UPC-E only when asked; by default a UPC-A reads as
// the EAN-13 with a leading 0. zbar reads UPC-E of number system 0 only, so
// UPC-E1 is not among these.
INSTANTIATE_TEST_SUITE_P(
    Symbologies, BarcodeZbar,
    ::testing::Values(
        Case{"ean8", btEan8, "9638507", true, "96385074"},
        Case{"ean8_given_check", btEan8, "55123457", false, "55123457"},
        Case{"ean13", btEan13, "590123412345", true, "5901234123457"},
        Case{"ean13_short", btEan13, "4006381333931", false, "4006381333931"},
        Case{"ean8or13", btEan8Or13, "400638133393", true, "4006381333931"},
        Case{"ean13_parity_rows", btEan13, "9780201379624", false, "9780201379624"},
        Case{"upca", btUpcA, "03600029145", true, "036000291452", {"-Supca.enable"}},
        Case{"upca_as_ean13", btUpcA, "03600029145", true, "0036000291452"},
        Case{"upce0", btUpcE0, "123456", true, "01234565", {"-Supce.enable"}},
        Case{"upce0_low_digit", btUpcE0, "123450", true, "01234505", {"-Supce.enable"}},
        Case{"upce0_digit_3",
             btUpcE0,
             "987653",
             true,
             QString("0987653") + QChar('0' + barcode::UpcECheckDigit("987653", 0)),
             {"-Supce.enable"}},
        Case{"code128a", btCode128A, "Harvel 2024 kennel", false, "HARVEL 2024 KENNEL"},
        Case{"code128a_controls", btCode128A, "AB\tCD", false, "AB\tCD"},
        Case{"code128b", btCode128B, "Harvel 2024: ok", false, "Harvel 2024: ok"},
        Case{"code128b_all", btCode128B, PrintableAscii(), false, PrintableAscii()},
        Case{"code128b_czech", btCode128B, QString::fromUtf8("Čert"), false, " ert"},
        Case{"code128c", btCode128C, "0123456789", false, "0123456789"},
        Case{"code128c_odd", btCode128C, "123", false, "0123"},
        Case{"code128c_all_pairs", btCode128C, AllDigitPairs(), false, AllDigitPairs()},
        Case{"code39", btCode39, "CODE39", false, "CODE39"},
        Case{"code39_check", btCode39, "CODE39", true, "CODE39W"},
        Case{"code39_all", btCode39, kCode39Set, false, kCode39Set},
        Case{"code39_skips", btCode39, "ab-CD", false, "-CD"},
        // zbar leaves Code 39 full-ASCII sequences as they are.
        Case{"code39_full",
             btCode39Full,
             "Pes, 3 roky!",
             false,
             barcode::Code39FullAsciiText("Pes, 3 roky!"),
             {}},
        Case{"code93", btCode93, "TEST93", false, "TEST93"},
        Case{"code93_all", btCode93, kCode39Set, false, kCode39Set},
        Case{"code93_full", btCode93Full, "Pes, 3 roky! a_b@c", false, "Pes, 3 roky! a_b@c"},
        Case{"interleaved", btInterleaved25, "12345678", false, "12345678"},
        Case{"interleaved_odd", btInterleaved25, "1234567", false, "123456"},
        Case{"interleaved_check", btInterleaved25, "1234567", true, "12345670"},
        Case{"codabar", btCodabar, "40156", false, "A40156B"},
        Case{"codabar_all", btCodabar, "0123456789-$:/.+", false, "A0123456789-$:/.+B"},
        Case{"rotated_90", btCode128B, "Rotated 90", false, "Rotated 90", {}, 90, false},
        Case{"rotated_180", btCode128B, "Rotated 180", false, "Rotated 180", {}, 180, false},
        Case{"rotated_270", btEan13, "590123412345", true, "5901234123457", {}, 270, false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });
