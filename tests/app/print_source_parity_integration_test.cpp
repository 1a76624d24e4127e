// A list printed from the command line equals the one printed from the
// window: for every source and template of the print page, the record
// sheet's road (RunBookQuery, the before-report step on Sestava1, the
// kennel's name as parameter line 1) and harvel-report --source over the
// demo kennel give the same pages, element by element.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "app/print_sources.h"
#include "platform/codepage1250.h"
#include "report/engine/sestavy.h"
#include "report/output/output_dump.h"
#include "tests/support/seams.h"

namespace {

const QString kKennel = QStringLiteral("Chovatelská stanice z Lipové aleje");
const QString kOrder = QStringLiteral("Jmeno_registr ASC");

int RunProgram(const QString& program, const QStringList& args, QString* err = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        return -1;
    }
    if (err) {
        *err = QString::fromUtf8(p.readAllStandardError());
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

class PrintSourceParity : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir().mkpath(root_.filePath("bin")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(HARVEL_BIN_DIR "/harvel-report"), Program()));
        QFile ini(root_.filePath("bin/Harvel.INI"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(platform::ToCp1250(QStringLiteral("[EvidList]\r\nChovatel=") + kKennel + "\r\n"));
        ini.close();
        ASSERT_EQ(RunProgram(QStringLiteral("/bin/sh"),
                             {QStringLiteral(HARVEL_SOURCE_DIR "/demo/load-demo.sh"), Data(),
                              QStringLiteral(HARVEL_BIN_DIR "/harvel-data")}),
                  0);
        saved_ = CurrentParametry();
        CurrentParametry().Chovatel = kKennel;
    }
    void TearDown() override { CurrentParametry() = saved_; }

    QString Data() const { return root_.filePath("DATA"); }
    QString Program() const { return root_.filePath("bin/harvel-report"); }

    QStringList CommandLinePages(int source, const QString& file) {
        const QString out = root_.filePath("out.txt");
        QString err;
        EXPECT_EQ(
            RunProgram(Program(),
                       {"--data", Data(), "--source", QString::number(source), "--order", kOrder,
                        "--template", QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + file,
                        "--format", "dump", "--out", out},
                       &err),
            0)
            << err.toStdString();
        QFile dump(out);
        if (!dump.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(dump.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir root_;
    Parametry saved_;
};

}  // namespace

TEST_F(PrintSourceParity, EveryTemplatePrintsTheSamePagesFromBothRoads) {
    testing_support::ScriptedMessages messages;
    TDM1 dm(Data() + "/");
    dm.Sestava1.SetReportDir(QStringLiteral(HARVEL_SOURCE_DIR "/templates"));
    int compared = 0;
    for (int source = 0; source < kPrintSourceCount; ++source) {
        const QList<TPrintTemplate>& templates = PrintSources().at(source).templates;
        for (int index = 0; index < templates.size(); ++index) {
            dm.RunBookQuery(source, kOrder, QString());
            ASSERT_TRUE(PointReportAtSource(dm.Sestava1, dm, source, index));
            ASSERT_EQ(dm.Sestava1.Generate(), seOK) << templates[index].file.toStdString();
            dm.Sestava1.PrepareOutput();
            const QStringList window = DumpOutput(dm.Sestava1.Output());
            ASSERT_GT(window.size(), 10) << templates[index].file.toStdString();
            // Cage labels carry no kennel header; every page of a list does.
            if (templates[index].file != QStringLiteral("EvidStitky00.pts")) {
                EXPECT_TRUE(window.join(u'\n').contains(kKennel))
                    << templates[index].file.toStdString();
            }
            EXPECT_EQ(CommandLinePages(source, templates[index].file), window)
                << templates[index].file.toStdString();
            ++compared;
        }
    }
    EXPECT_EQ(compared, 24);
    EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().join(' ').toStdString();
}
