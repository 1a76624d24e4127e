// The installation's templates as make_templates.py writes them: the files
// are what the script writes, every heading prints whole at its width (the
// rendered text, not the stored width), and the lists grouped by sire or
// partner set that order for their source's rows.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "report/engine/sestava_layout.h"
#include "report/engine/sestavy.h"
#include "report/engine/template_field_names.h"
#include "report/output/output_dump.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"
#include "report/output/text_lines.h"

namespace {

const QString kTemplates = QStringLiteral(HARVEL_SOURCE_DIR "/templates/");

QStringList InstalledTemplates() {
    return QDir(kTemplates).entryList({QStringLiteral("*.pts")}, QDir::Files, QDir::Name);
}

TPredloha Read(const QString& name) {
    TPredloha lines;
    EXPECT_TRUE(lines.LoadFromFile(kTemplates + name)) << name.toStdString();
    return lines;
}

// One record whose fields are all empty: every section with its static texts
// prints once.
class OneRecordReport {
  public:
    explicit OneRecordReport(const TPredloha& lines) {
        report.SetFieldNames(TemplateFieldNames(lines));
        report.OnStepData = [this](TSestavaD&, TStepDir dir) {
            position = dir == sdFirst ? 0 : position + 1;
            return position < 1 ? srOK : srEof;
        };
        report.OnGetData = [](TSestavaD&) {};
        report.OnNactiPredlohu = [lines](TSestava& r) {
            r.SetPredloha(lines);
            return true;
        };
        report.Parametry = {QStringLiteral("Chovatelská stanice z Lipové aleje")};
    }
    TSestava report;
    int position = -1;
};

// The static texts of every section, each as one line of words.
QSet<QString> StaticTexts(const TSestava& report) {
    QSet<QString> texts;
    const TListOddilu& sections = report.Oddily();
    for (int s = 0; s < sections.Count(); ++s) {
        const TOddilSestavy& section = sections[s];
        for (int k = 0; k < section.Count(); ++k) {
            if (section[k].kind == ekText) {
                texts.insert(section[k].text.simplified());
            }
        }
    }
    return texts;
}

// Every laid-out line of every static text lies within its element's box:
// nothing is drawn past its edges, where the page would clip it.
void ExpectTextsInsideTheirBoxes(const TSestVystup& output, const QString& name) {
    constexpr int kLayoutUnits = 72;  // per hundredth of an inch
    for (int p = 0; p < output.PageCount(); ++p) {
        const TStranaPrvku& page = output.Page(p);
        for (int i = 0; i < page.Count(); ++i) {
            const TVystPrvek& placed = page.Item(i);
            if (placed.Kind() != ekText || !placed.Lines) {
                continue;
            }
            for (const TRadek& line : *placed.Lines) {
                // The end of the last character that shows: a blank the line
                // was wrapped at takes no room.
                int right = 0;
                for (const TFragment& fragment : line.Fragments) {
                    for (int c = 0; c < fragment.Count() && c + 1 < fragment.X.size(); ++c) {
                        if (!fragment.Text[c].isSpace()) {
                            right = std::max(right, int(fragment.X[c + 1]));
                        }
                    }
                }
                const QString text = LineText(line).trimmed();
                EXPECT_GE(line.Offset, 0)
                    << name.toStdString() << ": \"" << text.toStdString() << "\" starts outside";
                EXPECT_LE(line.Offset + right, placed.Width * kLayoutUnits)
                    << name.toStdString() << ": \"" << text.toStdString() << "\" is "
                    << (line.Offset + right) / double(kLayoutUnits) << " wide in " << placed.Width;
            }
        }
    }
}

}  // namespace

// Depends on the metric-compatible Liberation fonts (fonts-liberation2).
TEST(InstalledTemplates, EveryHeadingPrintsWholeAtItsWidth) {
    PaperSetup() = TPaperSetup();
    const QStringList names = InstalledTemplates();
    ASSERT_GE(names.size(), 21);
    for (const QString& name : names) {
        OneRecordReport run(Read(name));
        ASSERT_EQ(run.report.Generate(), seOK) << name.toStdString();
        const QSet<QString> texts = StaticTexts(run.report);
        int printed = 0;
        for (const QString& line : DumpOutput(run.report.Output())) {
            if (!line.startsWith(QLatin1String("1 "))) {
                continue;
            }
            // "1 left top width height text", the lines joined by "\n".
            const QString shown = line.section(QLatin1Char(' '), 5)
                                      .replace(QStringLiteral("\\n"), QStringLiteral(" "))
                                      .simplified();
            ++printed;
            EXPECT_TRUE(texts.contains(shown))
                << name.toStdString() << ": \"" << shown.toStdString() << "\" is cut";
        }
        // A sheet of address labels has fields only, no heading of its own.
        if (!texts.isEmpty()) {
            EXPECT_GT(printed, 0) << name.toStdString();
        }
        ExpectTextsInsideTheirBoxes(run.report.Output(), name);
    }
}

TEST(InstalledTemplates, AreWhatMakeTemplatesWrites) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        GTEST_SKIP() << "python3 is not installed";
    }
    QTemporaryDir folder;
    QProcess script;
    script.start(python, {kTemplates + QStringLiteral("make_templates.py"), folder.path()});
    ASSERT_TRUE(script.waitForFinished(60000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    const QStringList written =
        QDir(folder.path()).entryList({QStringLiteral("*.pts")}, QDir::Files, QDir::Name);
    EXPECT_EQ(written, InstalledTemplates());
    for (const QString& name : written) {
        QFile made(QDir(folder.path()).filePath(name));
        QFile installed(kTemplates + name);
        ASSERT_TRUE(made.open(QIODevice::ReadOnly) && installed.open(QIODevice::ReadOnly));
        EXPECT_EQ(made.readAll(), installed.readAll()) << name.toStdString();
    }
}

TEST(InstalledTemplates, ListsBySireAndPartnerAreGroupedAndOrderedSo) {
    const struct {
        const char* file;
        const char* group;
        const char* order;
    } lists[] = {
        {"Vrhy01.pts", "#Jmeno_reg_otec", "Vrhy.Jmeno_reg_otec ASC"},
        {"Kryti01.pts", "#Jmeno_partner", "Kryti.Jmeno_partner ASC"},
    };
    for (const auto& list : lists) {
        OneRecordReport run(Read(QLatin1String(list.file)));
        QStringList asked;
        run.report.OnSourceOrder = [&asked](TSestava&, const QString& order) { asked << order; };
        ASSERT_EQ(run.report.Generate(), seOK);
        ASSERT_EQ(run.report.Skupiny().Count(), 1) << list.file;
        EXPECT_EQ(run.report.Skupiny()[0].expression, QLatin1String(list.group));
        EXPECT_EQ(asked, QStringList{QLatin1String(list.order)}) << list.file;
    }
}

TEST(TemplateSourceOrder, IsReadWrittenAndBelongsToItsTemplateOnly) {
    TSestava report;
    const TPredloha ordered(QStringList{QStringLiteral("I,3,2,1,30,0"),
                                        QStringLiteral("I,8,\"Vrhy.Jmeno_reg_otec ASC, Datum\"")});
    report.SetPredloha(ordered);
    EXPECT_EQ(report.Settings().sourceOrder, QStringLiteral("Vrhy.Jmeno_reg_otec ASC, Datum"));
    EXPECT_TRUE(report.WriteTemplate().Lines().contains(
        QStringLiteral("I,8,\"Vrhy.Jmeno_reg_otec ASC, Datum\"")));
    // A template without the record leaves the order to the caller, and
    // writes no such record.
    TSestava next;
    next.SetPredloha(ordered);
    next.SetPredloha(TPredloha(QStringList{QStringLiteral("I,3,2,1,30,0")}));
    EXPECT_TRUE(next.Settings().sourceOrder.isEmpty());
    EXPECT_TRUE(next.WriteTemplate().Lines().filter(QRegularExpression("^I,8")).isEmpty());
}
