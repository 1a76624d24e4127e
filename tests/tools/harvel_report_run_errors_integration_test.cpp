// harvel-report on templates a run has to go past or refuse: unusable paper
// (the default paper prints and stderr says so), templates without any page
// (every format refuses alike), failing user functions and fields the data
// lacks (each told once on stderr; --strict makes the exit code 1).

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>

#include <sys/stat.h>

#include "tests/report/engine/component_fixture.h"
#include "tests/support/program_run.h"

namespace {

using Result = testing_support::ProgramResult;

Result RunProgram(const QString& program, const QStringList& args) {
    return testing_support::RunProgram(program, args);
}

Result RunReport(const QStringList& args) {
    return RunProgram(QStringLiteral(HARVEL_BIN_DIR "/harvel-report"), args);
}

// The program's own lines on stderr (Qt may add notes of its own).
QStringList Told(const Result& r) {
    return r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        .filter(QRegularExpression(QStringLiteral("^harvel-report: ")));
}

const QString kBody = QStringLiteral(
    "I,3,2,1,30,0\n"
    "T,2,Jmeno_registr,10,5,400,20,Arial,10,0,0,0,0,238,\"Jmeno_registr\",0,0,0,\"\",0,\"\"\n");

class RunErrorsTool : public ::testing::Test {
  protected:
    QString WriteTemplate(const QString& name, const QByteArray& bytes) {
        const QString path = data.File(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            ADD_FAILURE() << "cannot write " << path.toStdString();
        }
        return path;
    }
    QStringList Args(const QString& templateFile, const QString& format, const QString& out) {
        return {QStringLiteral("--data"),     data.Path(),
                QStringLiteral("--table"),    QStringLiteral("main_card"),
                QStringLiteral("--template"), templateFile,
                QStringLiteral("--format"),   format,
                QStringLiteral("--out"),      out};
    }

    component_test::DataFolder data;
};

TEST_F(RunErrorsTool, UnusablePaperPrintsOnTheDefaultPaperAndSaysSo) {
    const QString pts = WriteTemplate(QStringLiteral("nulovy.pts"),
                                      "I,2,0,0,1169,50,50,70,70,1,0\n" + kBody.toUtf8());
    const QString pdf = data.File(QStringLiteral("nulovy.pdf"));
    Result r = RunReport(Args(pts, QStringLiteral("pdf"), pdf));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("nulovy.pts"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("0 × 1169"))) << r.err.toStdString();
    EXPECT_EQ(Told(r).size(), 1) << r.err.toStdString();
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        const Result info = RunProgram(pdfinfo, {pdf});
        ASSERT_EQ(info.code, 0) << info.err.toStdString();
        EXPECT_TRUE(info.out.contains(QStringLiteral("595"))) << info.out.toStdString();
        EXPECT_TRUE(info.out.contains(QStringLiteral("842"))) << info.out.toStdString();
    }
    // --strict: the same words, and exit code 1.
    r = RunReport(Args(pts, QStringLiteral("pdf"), pdf) << QStringLiteral("--strict"));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("nulovy.pts"))) << r.err.toStdString();

    // An absurd size gave a PNG export that "could not be written".
    const QString huge = WriteTemplate(QStringLiteral("obri.pts"),
                                       "I,2,0,826,999999999,50,50,70,70,1,0\n" + kBody.toUtf8());
    r = RunReport(Args(huge, QStringLiteral("png"), data.File(QStringLiteral("obri.png")))
                  << "--dpi"
                  << "20");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("nelze zapsat"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("999999999"))) << r.err.toStdString();
    EXPECT_EQ(QImage(data.File(QStringLiteral("obri1.png"))).size(), QSize(165, 234));
}

// Empty and damaged templates are refused before the run, with the reason;
// a sound template whose sections are all hidden makes no page. Either way
// every format refuses alike and writes nothing.
TEST_F(RunErrorsTool, TemplatesWithoutAPageAreRefusedByEveryFormatAlike) {
    const QByteArray whole = "I,0,\"Seznam\"\nI,3,2,1,30,0\n";
    const std::vector<std::pair<QString, QString>> templates = {
        {WriteTemplate(QStringLiteral("prazdna.pts"), QByteArray()), "je prázdná."},
        {WriteTemplate(QStringLiteral("bajt.pts"), QByteArray("I")),
         "je poškozená: řádek 1 není záznam předlohy (\"I\")."},
        {WriteTemplate(QStringLiteral("useknuta.pts"), whole.left(9)), "je prázdná."},
        {WriteTemplate(QStringLiteral("skryta.pts"), "I,3,2,0,30,0\n" + kBody.mid(13).toUtf8()),
         "Sestava nemá žádnou stránku."},
    };
    for (const auto& [pts, reason] : templates) {
        for (const char* format : {"dump", "pdf", "png", "txt", "rtf", "html", "spl"}) {
            const QString out = data.File(QStringLiteral("vystup.%1").arg(format));
            const Result r = RunReport(Args(pts, QString::fromLatin1(format), out));
            EXPECT_EQ(r.code, 1) << format << " " << pts.toStdString();
            EXPECT_TRUE(r.err.contains(reason)) << format << ": " << r.err.toStdString();
            EXPECT_FALSE(QFileInfo::exists(out)) << format;
        }
    }
}

// The range the user gave ends the run before the report does: the pages
// asked for are written and one line on stderr says the rest were not
// made; --strict makes that exit code 1. Without a range every page comes.
TEST_F(RunErrorsTool, ARangeEndingTheRunEarlyIsToldOnce) {
    const QString pts = WriteTemplate(QStringLiteral("karty.pts"),
                                      "I,0,\"Karty\"\nI,3,2,1,700,0\n" + kBody.mid(13).toUtf8());
    const QString out = data.File(QStringLiteral("karty.txt"));
    auto pages = [&out] {
        QFile dump(out);
        return dump.open(QIODevice::ReadOnly)
                   ? int(QString::fromUtf8(dump.readAll())
                             .count(
                                 QRegularExpression("^page ", QRegularExpression::MultilineOption)))
                   : -1;
    };
    Result r = RunReport(Args(pts, QStringLiteral("dump"), out));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(pages(), 3);
    EXPECT_TRUE(Told(r).isEmpty()) << r.err.toStdString();

    r = RunReport(Args(pts, QStringLiteral("dump"), out) << "--last"
                                                         << "2");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(pages(), 2);
    EXPECT_EQ(Told(r), QStringList{QStringLiteral(
                           "harvel-report: Sestava \"karty.pts\" skončila na stránce 2, jak "
                           "určil zadaný rozsah stránek; další stránky nebyly vytvořeny.")})
        << r.err.toStdString();

    r = RunReport(Args(pts, QStringLiteral("dump"), out) << "--last"
                                                         << "2"
                                                         << "--strict");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Told(r).size(), 1) << r.err.toStdString();
    // A range the report does not pass is no problem, even under --strict.
    r = RunReport(Args(pts, QStringLiteral("dump"), out) << "--first"
                                                         << "2"
                                                         << "--last"
                                                         << "3"
                                                         << "--strict");
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(Told(r).isEmpty()) << r.err.toStdString();
}

TEST_F(RunErrorsTool, FailuresOfTheRunAreToldOnceAndStrictMakesThemFatal) {
    const QString pts = WriteTemplate(
        QStringLiteral("chyby.pts"),
        "I,3,2,1,30,0\n"
        "F,0,Podil,\"Podíl\",0,\"0\",0,\"10/(1-1)\",0,15,2,0\n"
        "T,6,Podil,10,5,200,20,Arial,10,0,0,0,0,238,\"Podil\",0,0,0,\"\",0,\"\"\n"
        "T,2,Lekar,220,5,200,20,Arial,10,0,0,0,0,238,\"Lekar\",0,0,0,\"\",0,\"\"\n"
        "T,2,Jmeno_call,430,5,200,20,Arial,10,0,0,0,0,238,\"Jmeno_call\",0,0,0,\"\",0,\"\"\n");
    const QString out = data.File(QStringLiteral("chyby.txt"));
    Result r = RunReport(Args(pts, QStringLiteral("dump"), out));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList told = Told(r);
    ASSERT_EQ(told.size(), 2) << r.err.toStdString();
    const QStringList function = told.filter(QStringLiteral("Funkce \"Podil\""));
    ASSERT_EQ(function.size(), 1) << r.err.toStdString();
    EXPECT_TRUE(function[0].contains(QStringLiteral("chyba 6"))) << r.err.toStdString();
    EXPECT_EQ(told.filter(QStringLiteral("Položka \"Lekar\"")).size(), 1) << r.err.toStdString();
    // The page shows what it showed before: 0 for the function, nothing for the
    // missing field (never the registered name), the call names as they are.
    QFile dump(out);
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(dump.readAll());
    EXPECT_EQ(text.count(QStringLiteral(" 200 20 0\n")), 3);
    EXPECT_FALSE(text.contains(QStringLiteral("Arko z Lesní paseky")));
    EXPECT_TRUE(text.contains(QStringLiteral("Cyril")));

    r = RunReport(Args(pts, QStringLiteral("dump"), out) << QStringLiteral("--strict"));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Told(r).size(), 2);

    // A clean template stays clean under --strict.
    const QString clean = WriteTemplate(QStringLiteral("cista.pts"), kBody.toUtf8());
    r = RunReport(Args(clean, QStringLiteral("dump"), out) << QStringLiteral("--strict"));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(Told(r).isEmpty()) << r.err.toStdString();
}

TEST_F(RunErrorsTool, PicturesNamingNoFileAreToldOnceAndTheRunEndsPromptly) {
    ASSERT_TRUE(QDir().mkdir(data.File(QStringLiteral("slozka.bmp"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(data.File(QStringLiteral("roura.bmp"))).constData(), 0600),
              0);
    // Names without a folder are looked for beside the template.
    const QString pts =
        WriteTemplate(QStringLiteral("obrazky.pts"),
                      kBody.toUtf8() +
                          "T,11,0,10,30,100,20,,1,0,0,49,15,0,\"chybi.bmp\",,,,\"\",0,\"\"\n"
                          "T,11,0,120,30,100,20,,1,0,0,49,15,0,\"slozka.bmp\",,,,\"\",0,\"\"\n"
                          "T,11,0,230,30,100,20,,1,0,0,49,15,0,\"roura.bmp\",,,,\"\",0,\"\"\n"
                          "T,11,0,340,30,100,20,,1,0,0,49,15,0,\"chybi.bmp\",,,,\"\",0,\"\"\n"
                          "I,7,1,1,0,0,0,0,0,pozadi.emf\n");
    const QString out = data.File(QStringLiteral("obrazky.pdf"));
    QElapsedTimer clock;
    clock.start();
    Result r = RunReport(Args(pts, QStringLiteral("pdf"), out));
    EXPECT_LT(clock.elapsed(), 60000);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(out).size() > 0);
    const QStringList told = Told(r);
    ASSERT_EQ(told.size(), 4) << r.err.toStdString();
    const QString expected[] = {
        QStringLiteral("Obrázek \"%1\" (prvek v oddílu \"Tělo sestavy\", vlevo 10, nahoře 30) "
                       "nelze přečíst: soubor neexistuje."),
        QStringLiteral("Obrázek \"%1\" (prvek v oddílu \"Tělo sestavy\", vlevo 120, nahoře 30) "
                       "nelze přečíst: je to složka, ne soubor."),
        QStringLiteral("Obrázek \"%1\" (prvek v oddílu \"Tělo sestavy\", vlevo 230, nahoře 30) "
                       "nelze přečíst: je to pojmenovaná roura (FIFO), ne soubor."),
        QStringLiteral("Obrázek \"%1\" (pozadí sestavy) nelze přečíst: soubor neexistuje."),
    };
    const char* files[] = {"chybi.bmp", "slozka.bmp", "roura.bmp", "pozadi.emf"};
    for (int i = 0; i < 4; ++i) {
        const QString path = QFileInfo(data.File(QString::fromLatin1(files[i]))).absoluteFilePath();
        EXPECT_TRUE(told[i].endsWith(expected[i].arg(path))) << told[i].toStdString();
    }

    r = RunReport(Args(pts, QStringLiteral("dump"), data.File(QStringLiteral("obrazky.txt")))
                  << QStringLiteral("--strict"));
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_EQ(Told(r).size(), 4) << r.err.toStdString();
}

}  // namespace

// Characters the text code page lacks are written as '?', and the user is
// told which (a Scandinavian kennel name loses its ø and å otherwise unseen).
TEST_F(RunErrorsTool, CharactersTheTextCodePageLacksAreTold) {
    const QString pts = WriteTemplate(QStringLiteral("seznam.pts"), kBody.toUtf8());
    const QString txt = data.File(QStringLiteral("seznam.txt"));
    // Czech text alone fits and is not told.
    const Result czech = RunReport(Args(pts, QStringLiteral("txt"), txt));
    EXPECT_EQ(czech.code, 0) << czech.err.toStdString();
    EXPECT_TRUE(Told(czech).isEmpty()) << czech.err.toStdString();

    data.cards->Append();
    data.cards->FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Bjørn fra Åsgård"));
    data.cards->Post();
    const Result r = RunReport(Args(pts, QStringLiteral("txt"), txt));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    ASSERT_EQ(Told(r).size(), 1) << r.err.toStdString();
    EXPECT_TRUE(Told(r).first().contains(QStringLiteral("\"ø\", \"Å\", \"å\"")))
        << r.err.toStdString();
    QFile file(txt);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Bj?rn fra ?sg?rd"));

    const Result strict = RunReport(Args(pts, QStringLiteral("txt"), txt) << "--strict");
    EXPECT_EQ(strict.code, 1) << strict.err.toStdString();
}
