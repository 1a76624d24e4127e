// Failures a run goes on past: the page keeps what it can show, and the
// component reports each distinct failure once through OnRunError and lists
// it in RunErrors() — unusable paper, user functions that fail, pictures that
// cannot be read, fields and functions a template names that are not there.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include "component_fixture.h"
#include "report/engine/expression.h"
#include "report/engine/sestavy.h"
#include "report/output/output_dump.h"
#include "report/output/sestprn.h"

using component_test::DataFolder;

namespace {

const QString kBodyHeader = QStringLiteral("I,3,2,1,30,0");

QString TextElement(const QString& source, int kind, int left, const QString& text = QString()) {
    return QStringLiteral("T,%1,%2,%3,5,200,20,Arial,10,0,0,0,0,238,\"%4\",0,0,0,\"\",0,\"\"")
        .arg(kind)
        .arg(source)
        .arg(left)
        .arg(text);
}

QString PictureElement(const QString& file, int left) {
    return QStringLiteral("T,11,0,%1,5,100,20,,1,0,0,49,15,0,\"%2\",,,,\"\",0,\"\"")
        .arg(left)
        .arg(file);
}

class RunErrorsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        PaperSetup() = TPaperSetup();
        report.SetReportName(QStringLiteral("karta"));
        report.SetDataSource(data.source.get());
        report.OnNactiPredlohu = [this](TSestava& r) {
            r.SetPredloha(TPredloha(lines));
            return true;
        };
        report.OnRunError = [this](TSestavaTyp&, const TRunError& error) {
            raised.push_back(error);
        };
    }
    void TearDown() override { PaperSetup() = TPaperSetup(); }

    QStringList Dump() { return DumpOutput(report.Output()); }

    DataFolder data;
    TSestava report;
    QStringList lines;
    std::vector<TRunError> raised;
};

TEST_F(RunErrorsTest, UnusablePaperIsReplacedByTheDefaultAndReported) {
    struct Case {
        const char* pageLine;
        const char* value;  // what the message quotes
    };
    const Case cases[] = {
        {"I,2,0,0,1169,50,50,70,70,1,0", "0 × 1169"},
        {"I,2,0,-826,1169,50,50,70,70,1,0", "-826 × 1169"},
        {"I,2,1,826,999999999,50,50,70,70,1,0", "826 × 999999999"},
        {"I,2,0,826,1169,500,500,70,70,1,0", "okraje 500, 500, 70, 70"},
    };
    for (const Case& c : cases) {
        raised.clear();
        lines = QStringList{QString::fromLatin1(c.pageLine), kBodyHeader,
                            TextElement(QStringLiteral("Jmeno_registr"), 2, 10)};
        ASSERT_EQ(report.Generate(), seOK) << c.pageLine;
        ASSERT_EQ(raised.size(), 1U) << c.pageLine;
        EXPECT_EQ(raised[0].kind, rePaper);
        EXPECT_EQ(raised[0].name, QStringLiteral("karta.pts"));
        const QString message = raised[0].Message();
        EXPECT_TRUE(message.contains(QStringLiteral("karta.pts"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.value))) << message.toStdString();
        ASSERT_EQ(report.RunErrors().Count(), 1);
        // The default paper prints, in the orientation the template asked for.
        EXPECT_EQ(PaperSetup().PaperWidth, 826) << c.pageLine;
        EXPECT_EQ(PaperSetup().PaperHeight, 1169) << c.pageLine;
        EXPECT_EQ(PaperSetup().MarginLeft, 50) << c.pageLine;
        EXPECT_GT(report.Output().PageWidth, 0) << c.pageLine;
        EXPECT_GT(report.Output().PageHeight, 0) << c.pageLine;
        EXPECT_EQ(report.Output().PageCount(), 1) << c.pageLine;
    }
    // A usable paper is taken as it is and reports nothing; the failures of
    // the earlier template are forgotten when a new one is applied.
    raised.clear();
    lines = QStringList{QStringLiteral("I,2,1,584,826,20,20,20,20,1,0"), kBodyHeader,
                        TextElement(QStringLiteral("Jmeno_registr"), 2, 10)};
    ASSERT_EQ(report.Generate(), seOK);
    EXPECT_TRUE(raised.empty());
    EXPECT_TRUE(report.RunErrors().IsEmpty());
    EXPECT_EQ(PaperSetup().PaperWidth, 584);
    EXPECT_EQ(PaperSetup().Orientation, 1);
}

TEST_F(RunErrorsTest, FailingFunctionsAreReportedOncePerDistinctFailure) {
    QString deep = QStringLiteral("1");
    for (int i = 0; i < 60; ++i) {
        deep = QStringLiteral("(") + deep + QStringLiteral("+1)");
    }
    lines = QStringList{
        kBodyHeader,
        QStringLiteral("F,0,Podil,\"Podíl\",0,\"0\",0,\"10/(1-1)\",0,15,2,0"),
        QStringLiteral("F,1,Hluboka,\"Hluboká\",0,\"0\",0,\"%1\",0,15,2,0").arg(deep),
        QStringLiteral("F,2,Dobra,\"Dobrá\",0,\"0\",0,\"2*3\",0,15,2,0"),
        TextElement(QStringLiteral("Podil"), 6, 10, QStringLiteral("Podil")),
        TextElement(QStringLiteral("Hluboka"), 6, 220, QStringLiteral("Hluboka")),
        TextElement(QStringLiteral("Dobra"), 6, 430, QStringLiteral("Dobra")),
    };
    ASSERT_EQ(report.Generate(), seOK);
    // The page keeps what it showed: the failed values print as 0.
    const QStringList dump = Dump();
    EXPECT_EQ(dump.filter(QRegularExpression(QStringLiteral("^6 10 \\d+ 200 20 0$"))).size(), 3);
    EXPECT_EQ(dump.filter(QRegularExpression(QStringLiteral("^6 430 \\d+ 200 20 6$"))).size(), 3);

    // Three records, two failing functions: each failure is told once.
    ASSERT_EQ(raised.size(), 2U);
    ASSERT_EQ(report.RunErrors().Count(), 2);
    const TEvalResult division = EvaluateDirect(QStringLiteral("10/(1-1)"));
    const TEvalResult tooDeep = EvaluateDirect(deep);
    ASSERT_NE(division.error, eeOK);
    ASSERT_NE(tooDeep.error, eeOK);
    EXPECT_EQ(raised[0].kind, reFunction);
    EXPECT_EQ(raised[0].name, QStringLiteral("Podil"));
    EXPECT_EQ(raised[0].code, eeDomain);
    EXPECT_EQ(raised[0].position, division.position);
    EXPECT_EQ(raised[1].name, QStringLiteral("Hluboka"));
    EXPECT_EQ(raised[1].code, eeStackFull);
    EXPECT_EQ(raised[1].position, tooDeep.position);
    EXPECT_EQ(raised[0].Message(),
              QStringLiteral("Funkce \"Podil\" se nedala vypočítat: chyba 6 na pozici %1 výrazu "
                             "\"10/(1-1)\".")
                  .arg(raised[0].position + 1));

    // A second run of the same template tells the failures again.
    raised.clear();
    ASSERT_EQ(report.Generate(), seOK);
    EXPECT_EQ(raised.size(), 2U);
}

TEST_F(RunErrorsTest, DamagedPictureFilesAreReportedByName) {
    const QByteArray emfHeader = [] {
        QByteArray bytes(88, '\0');
        bytes[0] = 1;  // EMR_HEADER
        bytes[4] = 88;
        bytes.replace(40, 4, QByteArray(" EMF", 4));
        return bytes;
    }();
    struct Picture {
        const char* name;
        QByteArray bytes;
    };
    const Picture pictures[] = {
        {"poskozeny.emf", emfHeader + QByteArray("\x46\0\0\0\xFF\xFF\xFF\x7F", 8)},
        {"poskozeny.jpg", QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF", 10)},
        {"poskozeny.bmp", QByteArray("BM\x40\0\0\0\0\0\0\0\x36\0\0\0", 14)},
    };
    lines = QStringList{kBodyHeader};
    int left = 10;
    for (const Picture& picture : pictures) {
        QFile file(data.File(QString::fromLatin1(picture.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(picture.bytes);
        file.close();
        lines << PictureElement(file.fileName(), left);
        left += 110;
    }
    ASSERT_EQ(report.Generate(), seOK);
    ASSERT_EQ(raised.size(), 3U);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(raised[i].kind, rePicture);
        EXPECT_TRUE(raised[i].name.endsWith(QString::fromLatin1(pictures[i].name)))
            << raised[i].name.toStdString();
        EXPECT_FALSE(raised[i].detail.isEmpty());
        EXPECT_TRUE(raised[i].Message().startsWith(QStringLiteral("Obrázek \"")));
    }
    // The pages are there, without the pictures.
    EXPECT_EQ(report.Output().PageCount(), 1);
}

// Pictures naming a missing file, a folder or a device used to print nothing
// without a word; the device is never read (FIFOs: harvel-report's test).
TEST_F(RunErrorsTest, PicturesThatAreNoFilesAreReportedOncePerFileWithTheElement) {
    const QString missing = data.File(QStringLiteral("chybi.bmp"));
    const QString folder = data.File(QStringLiteral("slozka.bmp"));
    const QString background = data.File(QStringLiteral("pozadi.emf"));
    ASSERT_TRUE(QDir().mkdir(folder));
    lines = QStringList{kBodyHeader,
                        PictureElement(missing, 10),
                        PictureElement(folder, 120),
                        PictureElement(QStringLiteral("/dev/null"), 230),
                        PictureElement(missing, 340),
                        QStringLiteral("I,7,1,1,0,0,0,0,0,") + background};
    ASSERT_EQ(report.Generate(), seOK);
    report.PrepareOutput();

    // Three records and two elements naming the same missing file: each file once.
    ASSERT_EQ(raised.size(), 4U);
    EXPECT_EQ(report.RunErrors().Count(), 4);
    const QString body = QStringLiteral("prvek v oddílu \"Tělo sestavy\", vlevo %1, nahoře 5");
    const QString expected[][3] = {
        {missing, QStringLiteral("soubor neexistuje"), body.arg(10)},
        {folder, QStringLiteral("je to složka, ne soubor"), body.arg(120)},
        {QStringLiteral("/dev/null"), QStringLiteral("je to zařízení, ne soubor"), body.arg(230)},
        {background, QStringLiteral("soubor neexistuje"), QStringLiteral("pozadí sestavy")},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(raised[i].kind, rePicture) << i;
        EXPECT_EQ(raised[i].name, expected[i][0]) << i;
        EXPECT_EQ(raised[i].detail, expected[i][1]) << i;
        EXPECT_EQ(raised[i].element, expected[i][2]) << i;
    }
    EXPECT_EQ(raised[0].Message(), QStringLiteral("Obrázek \"%1\" (%2) nelze přečíst: soubor "
                                                  "neexistuje.")
                                       .arg(missing, body.arg(10)));
    EXPECT_EQ(report.Output().PageCount(), 1);
}

// A name without a folder is looked for in the template's folder: that is
// where the message says it is missing. An alternative of the list that loads
// leaves a missing one unsaid; a group footer's picture names its section.
TEST_F(RunErrorsTest, MissingPicturesAreNamedWhereTheyBelongAndAlternativesCount) {
    const QString bmp = data.File(QStringLiteral("logo.bmp"));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(bmp, "BMP"));
    report.OnNactiPredlohu = nullptr;
    report.ReportDirIgnore = false;
    report.SetReportDir(data.Folder());
    report.SetReportName(QStringLiteral("obrazky.pts"));
    ASSERT_TRUE(
        TPredloha(QStringList{
                      kBodyHeader,
                      QStringLiteral("I,4,0,\"Jmeno_registr\",0,0,1,30,0"),
                      PictureElement(QStringLiteral("nikde.jpg"), 10),
                      PictureElement(QStringLiteral("jinde.jpg,logo.bmp"), 120),
                      PictureElement(QStringLiteral("logo.bmp"), 230),
                      QStringLiteral("U0,11,0,40,3,100,20,,1,0,0,49,15,0,\"paticka.bmp\",,,,"
                                     "\"\",0,\"logo\""),
                  })
            .SaveToFile(data.File(QStringLiteral("obrazky.pts"))));
    ASSERT_EQ(report.Generate(), seOK);
    ASSERT_EQ(raised.size(), 2U);
    EXPECT_EQ(raised[0].name, data.File(QStringLiteral("nikde.jpg")));
    EXPECT_EQ(raised[0].detail, QStringLiteral("soubor neexistuje"));
    EXPECT_EQ(raised[1].name, data.File(QStringLiteral("paticka.bmp")));
    EXPECT_EQ(raised[1].element,
              QStringLiteral("prvek \"logo\" v oddílu \"Konec skupiny 1\", vlevo 40, nahoře 3"));
}

TEST_F(RunErrorsTest, DamagedPicturesOfAPictureColumnAreReportedByRecord) {
    platform::Table album(*data.database, QStringLiteral("foto_album"));
    album.Open();
    const QByteArray damaged("\xFF\xD8\xFF\xE0\0\x10JFIF", 10);
    const char* names[] = {"Arko z Lesní paseky", "Bella Šťastná hvězda", "Cyril od Tří dubů"};
    for (int i = 0; i < 3; ++i) {
        album.Append();
        album.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(names[i]));
        if (i == 1) {
            album.FieldByName("Foto_1").SetAsBytes(damaged);
        }
        album.Post();
    }
    album.First();
    platform::DataSource source(QStringLiteral("DsAlbum"), &album);
    report.SetDataSource(&source);
    lines = QStringList{kBodyHeader, TextElement(QStringLiteral("Foto_1"), 2, 10)};
    ASSERT_EQ(report.Generate(), seOK);
    ASSERT_EQ(raised.size(), 1U);
    EXPECT_EQ(raised[0].kind, rePicture);
    EXPECT_EQ(raised[0].name, QStringLiteral("Foto_1"));
    EXPECT_EQ(raised[0].record, 2);
    EXPECT_TRUE(raised[0].Message().contains(QStringLiteral("záznamu 2")))
        << raised[0].Message().toStdString();
    report.SetDataSource(data.source.get());
}

// A field the data does not have used to print the first field's value
// (the registered name) in its place.
TEST_F(RunErrorsTest, FieldsAndFunctionsTheReportLacksPrintEmptyAndAreReportedOnce) {
    lines = QStringList{
        kBodyHeader,
        TextElement(QStringLiteral("Datum_osetreni"), 2, 10, QStringLiteral("Datum_osetreni")),
        TextElement(QStringLiteral("99"), 2, 220),
        TextElement(QStringLiteral("Lekar"), 3, 430, QStringLiteral("Lekar")),
        TextElement(QStringLiteral("Neni"), 6, 640, QStringLiteral("Neni")),
        QStringLiteral("T,2,Jmeno_call,10,25,200,20,Arial,10,0,0,0,0,238,\"Jmeno_call\",0,0,0,"
                       "\"\",0,\"\""),
    };
    ASSERT_EQ(report.Generate(), seOK);
    const QStringList dump = Dump();
    for (const char* name : {"Arko z Lesní paseky", "Bella Šťastná hvězda"}) {
        EXPECT_TRUE(dump.filter(QString::fromUtf8(name)).isEmpty()) << name;
    }
    EXPECT_EQ(dump.filter(QRegularExpression(QStringLiteral("^2 10 \\d+ 200 20 $"))).size(), 3);
    EXPECT_EQ(dump.filter(QRegularExpression(QStringLiteral("^2 220 \\d+ 200 20 $"))).size(), 3);
    EXPECT_EQ(dump.filter(QRegularExpression(QStringLiteral("^3 430 \\d+ 200 20 $"))).size(), 3);
    EXPECT_EQ(dump.filter(QRegularExpression(QStringLiteral("^6 640 \\d+ 200 20 $"))).size(), 3);
    EXPECT_EQ(dump.filter(QStringLiteral("2 10 55 200 20 Bella")).size(), 1);

    // Told once each, in the order the run met them.
    ASSERT_EQ(raised.size(), 4U);
    auto told = [&](const QString& name) -> const TRunError* {
        for (const TRunError& error : raised) {
            if (error.name == name) {
                return &error;
            }
        }
        return nullptr;
    };
    const TRunError* date = told(QStringLiteral("Datum_osetreni"));
    const TRunError* number = told(QStringLiteral("99"));
    const TRunError* label = told(QStringLiteral("Lekar"));
    const TRunError* function = told(QStringLiteral("Neni"));
    ASSERT_TRUE(date && number && label && function);
    EXPECT_EQ(date->kind, reField);
    EXPECT_EQ(date->Message(),
              QStringLiteral("Položka \"Datum_osetreni\" v datech není, tiskne se prázdná."));
    EXPECT_EQ(number->kind, reFieldNumber);
    EXPECT_EQ(number->code, report.FieldCount());
    EXPECT_EQ(label->kind, reField);
    EXPECT_EQ(function->kind, reFunctionName);
    EXPECT_EQ(function->Message(),
              QStringLiteral("Funkce \"Neni\" v předloze není, tiskne se prázdná."));
}

TEST(RunErrorList, KeepsEachDistinctFailureOnce) {
    TRunErrors list;
    TRunError a;
    a.kind = reFunction;
    a.name = QStringLiteral("F");
    a.code = 6;
    TRunError b = a;
    b.position = 3;
    EXPECT_TRUE(list.Add(a));
    EXPECT_FALSE(list.Add(a));
    EXPECT_TRUE(list.Add(b));
    EXPECT_EQ(list.Count(), 2);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
