// harvel-report --source: every installation template printed over the demo
// kennel through its print source's list query, with the kennel's name from
// Harvel.INI beside the program; the print page's where and order clauses;
// and the refusals: bad arguments, a missing template, a template of another
// source, a clause the store rejects, an empty list.

#include <gtest/gtest.h>

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "platform/codepage1250.h"
#include "tests/support/demo_installation.h"
#include "tests/support/html_scan.h"
#include "tests/support/program_run.h"

namespace {

using Result = testing_support::ProgramResult;

Result RunProgram(const QString& program, const QStringList& args) {
    return testing_support::RunProgram(program, args);
}

const QString kKennel = QStringLiteral("Chovatelská stanice z Lipové aleje");

QString TemplateFile(const QString& name) {
    return QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + name;
}

// The values of the first column of a CSV file (quoted fields may hold
// commas and line breaks), each once.
QStringList FirstColumn(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString text = QString::fromUtf8(f.readAll());
    QStringList values;
    QString field;
    bool quoted = false, first = true, header = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',' || c == u'\n') {
            if (first && !header && !field.trimmed().isEmpty() && !values.contains(field)) {
                values << field.trimmed();
            }
            first = c == u'\n';
            header = header && c != u'\n';
            field.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    return values;
}

// The top of the first element of page 1 that shows exactly `text` (a dump
// line is "<kind> <left> <top> <width> <height> <text>"), or -1.
int TopOf(const QString& dump, const QString& text) {
    for (const QString& line : dump.split(u'\n')) {
        if (line.startsWith("page ") && line != "page 1") {
            break;
        }
        const QStringList parts = line.split(u' ');
        if (parts.size() > 5 && parts.mid(5).join(u' ') == text) {
            return parts[2].toInt();
        }
    }
    return -1;
}

// The program in a folder of its own, with a Harvel.INI naming the kennel,
// and the demo kennel loaded into a data folder.
class PrintSourceTool : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        demo_ = new testing_support::DemoInstallation(QStringLiteral("[EvidList]\r\nChovatel=") +
                                                      kKennel + "\r\nJednotkaHmotnost= kg\r\n");
        ASSERT_TRUE(demo_->Failure().isEmpty()) << demo_->Failure().toStdString();
    }
    static void TearDownTestSuite() {
        delete demo_;
        demo_ = nullptr;
    }

    static QString Data() { return demo_->Data(); }
    static QString Out(const QString& name) { return demo_->Out(name); }
    static Result Report(const QStringList& args) { return demo_->Report(args); }

    // Prints one template of a source as a text dump and returns the dump.
    static QString Dump(int source, const QString& templateName, const QStringList& more = {}) {
        const QString out = Out(templateName + ".txt");
        QFile::remove(out);
        const Result r =
            Report(QStringList{"--source", QString::number(source), "--template",
                               TemplateFile(templateName), "--format", "dump", "--out", out} +
                   more);
        EXPECT_EQ(r.code, 0) << templateName.toStdString() << ": " << r.err.toStdString();
        QFile f(out);
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(f.readAll());
    }

    static testing_support::DemoInstallation* demo_;
};

testing_support::DemoInstallation* PrintSourceTool::demo_ = nullptr;

struct SourceTemplates {
    int source;
    const char* demoFile;  // the book's demo rows
    QStringList templates;
};

const SourceTemplates kSources[] = {
    {0, "main_card.csv", {"EvidList00.pts", "EvidList01.pts", "EvidList02.pts", "EvidList03.pts"}},
    {1, "osetreni.csv", {"ZdrKarta00.pts", "ZdrKarta01.pts"}},
    {2, "vystavy.csv", {"Vystavy00.pts"}},
    {3, "tituly.csv", {"Tituly00.pts"}},
    {4, "chovnost.csv", {"Chovnost00.pts", "Chovnost01.pts"}},
    {5, "vrhy.csv", {"Vrhy00.pts", "Vrhy01.pts"}},
    {6, "kryti.csv", {"Kryti00.pts", "Kryti01.pts", "Kryti02.pts", "Kryti03.pts"}},
    {7, "rodokmen.csv", {"rodokmen00.pts", "rodokmen01.pts", "rodokmen02.pts"}},
    {8, "Zkousky.csv", {"Zkousky00.pts"}},
    {9, "foto_album.csv", {"Foto00.pts"}},
};

}  // namespace

TEST_F(PrintSourceTool, EveryTemplatePrintsItsSourceWithTheDemoAnimals) {
    int printed = 0;
    for (const SourceTemplates& s : kSources) {
        const QStringList names =
            FirstColumn(QStringLiteral(HARVEL_SOURCE_DIR "/demo/") + s.demoFile);
        EXPECT_FALSE(names.isEmpty()) << "the demo kennel has no rows in " << s.demoFile;
        for (const QString& name : s.templates) {
            const QString dump = Dump(s.source, name);
            ++printed;
            EXPECT_TRUE(dump.contains(kKennel)) << name.toStdString();
            EXPECT_TRUE(dump.contains("Strana 1")) << name.toStdString();
            EXPECT_FALSE(dump.contains("????")) << name.toStdString();
            for (const QString& animal : names) {
                EXPECT_TRUE(dump.contains(animal))
                    << name.toStdString() << " lacks " << animal.toStdString();
            }
        }
    }
    EXPECT_EQ(printed, 21);
}

namespace {

// One text line of the page model: the page (0-based), the row it asks for at
// `linesPerInch`, and its letters without the blanks around them (none for a
// blank line, which still counts as a used row).
struct ModelLine {
    int page;
    int row;
    QString text;
};

// The lines of every text element of a dump (kinds 1..6, pictures left out).
QList<ModelLine> TextLines(const QString& dump, int linesPerInch) {
    QList<ModelLine> lines;
    int page = -1;
    for (const QString& line : dump.split(u'\n')) {
        if (line.startsWith("page ")) {
            ++page;
            continue;
        }
        const QStringList parts = line.split(u' ');
        if (parts.size() < 6 || parts[0].toInt() < 1 || parts[0].toInt() > 6) {
            continue;
        }
        const QString text = parts.mid(5).join(u' ');
        if (text == "[picture]") {
            continue;
        }
        const int top = int(std::lrint(parts[2].toInt() * double(linesPerInch) / 100.0));
        const QStringList shown = text.split(QStringLiteral("\\n"));
        for (int i = 0; i < shown.size(); ++i) {
            lines.append({page, top + i, shown[i].trimmed()});
        }
    }
    return lines;
}

// Lines per inch of a template's character rows: its I,6 line-spacing code.
int LinesPerInch(const QString& templateName) {
    QFile file(TemplateFile(templateName));
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& record : file.readAll().split('\n')) {
        if (record.startsWith("I,6,")) {
            const int code = record.split(',').value(5).trimmed().toInt();
            return code == 1 ? 4 : code == 2 ? 3 : 6;
        }
    }
    return 6;
}

}  // namespace

// The text export of every installation template over the demo kennel: every
// line of every label and value of the page model stands whole in its row.
TEST_F(PrintSourceTool, TextExportKeepsEveryLabelAndValueWhole) {
    for (const SourceTemplates& s : kSources) {
        for (const QString& name : s.templates) {
            const QString dump = Dump(s.source, name);
            const QString out = Out(name + ".cells.txt");
            const Result r =
                Report({"--source", QString::number(s.source), "--template", TemplateFile(name),
                        "--format", "txt", "--codepage", "cp1250", "--out", out});
            ASSERT_EQ(r.code, 0) << name.toStdString() << ": " << r.err.toStdString();
            QFile file(out);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            QStringList rows = platform::FromCp1250(file.readAll()).split(QStringLiteral("\r\n"));
            ASSERT_TRUE(rows.last().isEmpty()) << name.toStdString();
            rows.removeLast();

            const int linesPerInch = LinesPerInch(name);
            const QList<ModelLine> lines = TextLines(dump, linesPerInch);
            ASSERT_FALSE(lines.isEmpty()) << name.toStdString();
            // Every page but the last has all its rows; the last ends after its
            // last used row.
            const int pages =
                int(dump.count(QRegularExpression("^page ", QRegularExpression::MultilineOption)));
            int lastRows = 0;
            for (const ModelLine& line : lines) {
                if (line.page == pages - 1) {
                    lastRows = std::max(lastRows, line.row + 1);
                }
            }
            int pageRows = int(rows.size());
            if (pages > 1) {
                ASSERT_EQ((rows.size() - lastRows) % (pages - 1), 0) << name.toStdString();
                pageRows = int(rows.size() - lastRows) / (pages - 1);
            }
            for (const ModelLine& line : lines) {
                if (line.text.isEmpty()) {
                    continue;
                }
                const int row = line.page * pageRows + std::clamp(line.row, 0, pageRows - 1);
                ASSERT_LT(row, rows.size()) << name.toStdString();
                EXPECT_TRUE(rows[row].contains(line.text))
                    << name.toStdString() << " page " << line.page + 1 << ": \""
                    << line.text.toStdString() << "\" is not whole in \"" << rows[row].toStdString()
                    << "\"";
            }
        }
    }
}

// The output's name reaches the HTML pages only as the file names of their
// pictures, escaped: no element or attribute of its own. The name itself is
// the index of the pages.
TEST_F(PrintSourceTool, HtmlPagesMakeNoMarkupOfTheOutputName) {
    const QDir folder(Out("crafted"));
    ASSERT_TRUE(folder.mkpath("."));
    const QString out = folder.filePath("p\" onerror=\"alert(1)\" y=\"'<x>.html");
    const Result r = Report({"--source", "9", "--template", TemplateFile("Foto00.pts"), "--format",
                             "html", "--out", out});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QSet<QString> ours{"div", "/div", "p",  "/p",     "b",       "/b", "u",
                             "/u",  "i",    "/i", "strike", "/strike", "img"};
    const QSet<QString> ourAttributes{"style", "src", "alt", "align"};
    QStringList pages;
    int images = 0;
    for (int page = 1; QFile::exists(out.chopped(5) + QString::number(page) + ".html"); ++page) {
        const QString pageFile = out.chopped(5) + QString::number(page) + ".html";
        pages << QFileInfo(pageFile).fileName();
        QFile file(pageFile);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const auto scan = testing_support::ScanHtml(QString::fromUtf8(file.readAll()));
        for (const testing_support::HtmlTag& tag : scan.tags) {
            if (tag.name.startsWith(u'!') || tag.name == "html" || tag.name == "/html" ||
                tag.name == "head" || tag.name == "/head" || tag.name == "title" ||
                tag.name == "/title" || tag.name == "meta" || tag.name == "style" ||
                tag.name == "/style" || tag.name == "body" || tag.name == "/body" ||
                tag.name == "pre" || tag.name == "/pre") {
                continue;  // the header and trailer, fixed texts
            }
            EXPECT_TRUE(ours.contains(tag.name)) << tag.name.toStdString();
            for (const QString& attribute : tag.attributes.keys()) {
                EXPECT_TRUE(ourAttributes.contains(attribute)) << attribute.toStdString();
            }
            if (tag.name == "img") {
                ++images;
                const QString src = QUrl::fromPercentEncoding(
                    testing_support::DecodeHtml(tag.attributes.value("src")).toUtf8());
                EXPECT_TRUE(src.startsWith(QFileInfo(out).completeBaseName())) << src.toStdString();
                EXPECT_TRUE(folder.exists(src)) << src.toStdString();
            }
        }
    }
    EXPECT_FALSE(pages.isEmpty());
    EXPECT_EQ(images, FirstColumn(QStringLiteral(HARVEL_SOURCE_DIR "/demo/foto_album.csv")).size());
    QFile index(out);
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    QStringList links;
    for (const testing_support::HtmlTag& tag :
         testing_support::ScanHtml(QString::fromUtf8(index.readAll())).tags) {
        if (tag.name == "a") {
            links << QUrl::fromPercentEncoding(
                testing_support::DecodeHtml(tag.attributes.value("href")).toUtf8());
        }
    }
    EXPECT_EQ(links, pages);
}

TEST_F(PrintSourceTool, ColumnRulesOfTheDataModuleApply) {
    // The list query's booleans print "Ano"/"Ne" and weights carry the unit.
    const QString times = Dump(0, "EvidList03.pts");
    EXPECT_TRUE(times.contains(" Ano\n"));
    EXPECT_TRUE(times.contains(" Ne\n"));
    EXPECT_FALSE(times.contains("True"));
    EXPECT_TRUE(Dump(0, "EvidList02.pts").contains("13.20  kg"));
    // The event books' booleans are printed through the templates' own words.
    const QString matings = Dump(6, "Kryti00.pts");
    EXPECT_TRUE(matings.contains(" Ano\n"));
    EXPECT_FALSE(matings.contains("True"));
}

TEST_F(PrintSourceTool, TemplatesPrintTheirOwnWordsForCodesAndDates) {
    // Chov_jedinec 1 and 0 are decisions, not numbers.
    const QString approval = Dump(4, "Chovnost00.pts");
    EXPECT_TRUE(approval.contains(" chovný\n"));
    EXPECT_TRUE(approval.contains(" nechovný\n"));
    // The litter expected 63 days after the first mating on 2.10.2025.
    EXPECT_TRUE(Dump(6, "Kryti03.pts").contains(" 4.12.2025\n"));
    // The pedigree prints the stored ancestors with their titles.
    const QString pedigree = Dump(7, "rodokmen01.pts");
    EXPECT_TRUE(pedigree.contains("C.I.B., Šampion ČR"));
    EXPECT_TRUE(pedigree.contains(" Aron z Tří dubů\n"));
    EXPECT_TRUE(pedigree.contains(" Otec\n"));
    EXPECT_TRUE(pedigree.contains(" Matka\n"));
    // The album prints every photo of the demo kennel.
    const int photos = FirstColumn(QStringLiteral(HARVEL_SOURCE_DIR "/demo/foto_album.csv")).size();
    EXPECT_GT(photos, 0);
    EXPECT_EQ(Dump(9, "Foto00.pts").count("[picture]"), photos);
    // A litter's puppies: 1 dog and 2 bitches make 3.
    const QString litters = Dump(5, "Vrhy00.pts");
    EXPECT_TRUE(litters.contains("Eliška z Lipové aleje\\nFerda z Lipové aleje\\nGita"));
    EXPECT_TRUE(litters.contains(QRegularExpression("\\n6 320 \\d+ 44 \\d+ 3\\n")));
}

// A health card longer than a page names its animal on the pages after the
// first, where the animal's header does not stand.
TEST_F(PrintSourceTool, AListGoingOnToANewPageNamesItsAnimal) {
    const QString folder = Out("long");
    ASSERT_EQ(RunProgram(QStringLiteral(HARVEL_BIN_DIR "/harvel-data"), {"init", folder}).code, 0);
    QString csv = "Jmeno_registr,Datum_osetreni,Duvod_osetreni,Lekar\n";
    for (int day = 1; day <= 28; ++day) {
        csv += QStringLiteral("Bára Šťastná,%1.2.2020,Prohlídka,MVDr. Petr Novák\n").arg(day);
    }
    csv += "Hugo z Lipové aleje,1.3.2020,Očkování,MVDr. Petr Novák\n";
    QFile file(Out("long.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(csv.toUtf8());
    file.close();
    ASSERT_EQ(RunProgram(QStringLiteral(HARVEL_BIN_DIR "/harvel-data"),
                         {"load", folder, "osetreni.db", Out("long.csv")})
                  .code,
              0);
    const QString out = Out("long.txt");
    const Result r = RunProgram(demo_->Out("bin/harvel-report"),
                                {"--data", folder, "--source", "1", "--template",
                                 TemplateFile("ZdrKarta00.pts"), "--format", "dump", "--out", out});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QFile dump(out);
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    const QStringList pages =
        QString::fromUtf8(dump.readAll())
            .split(QRegularExpression("^page ", QRegularExpression::MultilineOption),
                   Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3);  // the long card over two pages, Hugo's on a page of its own
    EXPECT_FALSE(pages[0].contains("pokračování"));
    EXPECT_TRUE(pages[1].contains(" Bára Šťastná – pokračování\n"));
    EXPECT_FALSE(pages[2].contains("pokračování"));
    EXPECT_TRUE(pages[2].contains(" Hugo z Lipové aleje\n"));
}

TEST_F(PrintSourceTool, WhereAndOrderAreThePrintPagesClauses) {
    const QString dogs = Dump(0, "EvidList01.pts",
                              {"--where", "Pohlavi = \"Pes\" ", "--order", "Jmeno_registr DESC"});
    EXPECT_TRUE(dogs.contains("Kuba z Lipové aleje"));
    EXPECT_TRUE(dogs.contains("Mates z Lipové aleje"));
    // Gita is a bitch and nobody's parent.
    EXPECT_FALSE(dogs.contains("Gita z Lipové aleje"));
    EXPECT_LT(TopOf(dogs, "Mates z Lipové aleje"), TopOf(dogs, "Kuba z Lipové aleje"));
    // A record-sheet filter on an event book: only the litters of one dam.
    const QString litters =
        Dump(5, "Vrhy00.pts", {"--where", "Vrhy.Jmeno_registr = \"Dáša z Lipové aleje\" "});
    EXPECT_TRUE(litters.contains("Hugo z Lipové aleje"));
    EXPECT_FALSE(litters.contains("Bára Šťastná"));
}

// The texts a page shows at one left edge (a dump line is "<kind> <left>
// <top> <width> <height> <text>"), top to bottom, over every page.
QStringList TextsAt(const QString& dump, int kind, int left) {
    QStringList texts;
    std::vector<std::pair<int, QString>> page;
    auto flush = [&] {
        std::stable_sort(page.begin(), page.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [top, text] : page) {
            texts << text;
        }
        page.clear();
    };
    for (const QString& line : dump.split(u'\n')) {
        if (line.startsWith(QLatin1String("page "))) {
            flush();
        } else if (line.section(u' ', 0, 0).toInt() == kind &&
                   line.section(u' ', 1, 1).toInt() == left) {
            page.emplace_back(line.section(u' ', 2, 2).toInt(), line.section(u' ', 5));
        }
    }
    flush();
    return texts;
}

// The lists named after the sire and the partner come grouped by him, in
// his order, whatever order the print page asks for within that.
TEST_F(PrintSourceTool, ListsBySireAndPartnerComeInTheirOrder) {
    const struct {
        int source;
        const char* templateName;
        int left;  // the group header's name field
        const char* order;
    } lists[] = {{5, "Vrhy01.pts", 64, "Datum DESC"}, {6, "Kryti01.pts", 52, "Datum_kryti_1 DESC"}};
    QCollator czech{QLocale(QStringLiteral("cs_CZ"))};
    for (const auto& list : lists) {
        const QString dump =
            Dump(list.source, QLatin1String(list.templateName), {"--order", list.order});
        const QStringList names = TextsAt(dump, 2, list.left);
        ASSERT_GE(names.size(), 2) << list.templateName;
        QStringList sorted = names;
        std::sort(sorted.begin(), sorted.end(),
                  [&czech](const QString& a, const QString& b) { return czech.compare(a, b) < 0; });
        EXPECT_EQ(names, sorted) << list.templateName;
        EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size())
            << list.templateName << ": each name heads one group";
    }
}

namespace {

struct Placed {
    int left = -1, top = -1;
};

// Where page 1 shows exactly `text` (the first such element).
Placed PlaceOf(const QString& dump, const QString& text) {
    for (const QString& line : dump.split(u'\n')) {
        if (line.startsWith("page ") && line != "page 1") {
            break;
        }
        const QStringList parts = line.split(u' ');
        if (parts.size() > 5 && parts.mid(5).join(u' ') == text) {
            return {parts[1].toInt(), parts[2].toInt()};
        }
    }
    return {};
}

}  // namespace

// Both pedigree certificates of a line-bred puppy of the demo kennel: the
// kennel's name, the animal with its data, each ancestor in its generation's
// column (sires above dams) with titles and registration under its name, and
// the signature line.
TEST_F(PrintSourceTool, PedigreeCertificatesShowEveryAncestorInItsPlace) {
    const QString where = QStringLiteral("Jmeno_registr = \"Jája z Lipové aleje\"");
    for (const char* name : {"RodokmenEvid00.pts", "RodokmenEvid01.pts"}) {
        const QString dump = Dump(10, QString::fromLatin1(name), {"--where", where});
        SCOPED_TRACE(name);
        ASSERT_FALSE(dump.isEmpty());
        EXPECT_EQ(dump.count(QStringLiteral("page ")), 1);
        EXPECT_GE(PlaceOf(dump, kKennel).top, 0);
        const Placed animal = PlaceOf(dump, QStringLiteral("Jája z Lipové aleje"));
        const Placed sire = PlaceOf(dump, QStringLiteral("Hugo z Lipové aleje"));
        const Placed dam = PlaceOf(dump, QStringLiteral("Eliška z Lipové aleje"));
        const Placed grand[] = {PlaceOf(dump, QStringLiteral("Čenda od Jizery")),
                                PlaceOf(dump, QStringLiteral("Dáša z Lipové aleje")),
                                PlaceOf(dump, QStringLiteral("Aron z Tří dubů")),
                                PlaceOf(dump, QStringLiteral("Bára Šťastná"))};
        ASSERT_GE(animal.top, 0);
        ASSERT_GE(sire.top, 0);
        ASSERT_GE(dam.top, 0);
        EXPECT_LT(animal.top, sire.top);
        EXPECT_LT(sire.top, dam.top);
        EXPECT_EQ(sire.left, dam.left);
        for (int i = 0; i < 4; ++i) {
            EXPECT_GT(grand[i].left, sire.left) << i;
            EXPECT_EQ(grand[i].left, grand[0].left) << i;
            if (i > 0) {
                EXPECT_GT(grand[i].top, grand[i - 1].top) << i;
            }
        }
        // The sire's titles (newest first) and registration under his name.
        const Placed titles = PlaceOf(dump, QStringLiteral("Interšampion, Český šampion"));
        const Placed registration = PlaceOf(dump, QStringLiteral("ČLP 17901/19"));
        EXPECT_EQ(titles.left, sire.left);
        EXPECT_GT(titles.top, sire.top);
        EXPECT_GT(registration.top, titles.top);
        EXPECT_LT(registration.top, dam.top);
        // The animal's own data, registration and the signature line.
        EXPECT_GE(PlaceOf(dump, QStringLiteral("ČLP 21077/22")).top, 0);
        EXPECT_GE(PlaceOf(dump, QStringLiteral("Bígl")).top, 0);
        EXPECT_GE(PlaceOf(dump, QStringLiteral("Podpis chovatele")).top, 0);
        EXPECT_GE(PlaceOf(dump, QStringLiteral("5. generace")).top,
                  QString::fromLatin1(name) == "RodokmenEvid00.pts" ? 0 : -1);
    }
}

TEST_F(PrintSourceTool, BadArgumentsAreRefusedWithTheirReason) {
    const QString out = Out("bad.pdf");
    const QStringList tail{"--template", TemplateFile("Vrhy00.pts"), "--format", "pdf", "--out",
                           out};
    struct Case {
        QStringList args;
        const char* message;
    };
    const Case cases[] = {
        {QStringList{"--source", "11"} + tail, "číslo zdroje 0 až 10"},
        {QStringList{"--source", "-1"} + tail, "číslo zdroje 0 až 10"},
        {QStringList{"--source", "vrhy"} + tail, "ne \"vrhy\""},
        {QStringList{"--source", "5", "--table", "vrhy.db"} + tail, "právě jednu z voleb"},
        {QStringList{"--table", "vrhy.db", "--where", "Datum > \"1.1.2020\""} + tail,
         "patří k volbě --source"},
        {QStringList{"--source", "5", "--param", "Jiná stanice"} + tail, "z Harvel.INI"},
        {QStringList{"--source", "5", "--where"}, "chybí hodnota"},
    };
    for (const Case& c : cases) {
        const Result r = Report(c.args);
        EXPECT_EQ(r.code, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PrintSourceTool, AMissingTemplateIsReported) {
    const QString out = Out("missing.pdf");
    const Result r =
        Report({"--source", "5", "--template", Out("Vrhy99.pts"), "--format", "pdf", "--out", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("neexistuje")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PrintSourceTool, ATemplateOfAnotherSourceIsRefused) {
    const QString out = Out("other.pdf");
    const Result r = Report({"--source", "1", "--template", TemplateFile("Vrhy00.pts"), "--format",
                             "pdf", "--out", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("nepatří ke zdroji 1 \"Zdravotní karta\"")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Jmeno_reg_otec"));
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PrintSourceTool, AClauseTheStoreRejectsIsReportedWithItsReason) {
    const QString out = Out("rejected.pdf");
    const Result r = Report({"--source", "5", "--where", "Pohlavi = ", "--template",
                             TemplateFile("Vrhy00.pts"), "--format", "pdf", "--out", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("Příkaz SQL se nepovedlo provést")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("zdroj 5 \"Vrhy\""));
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PrintSourceTool, AnEmptyListPrintsAnEmptyReportAndSaysSo) {
    const QString dump = Dump(3, "Tituly00.pts", {"--where", "Pohlavi = \"nikdo\" "});
    EXPECT_TRUE(dump.contains(kKennel));
    EXPECT_FALSE(dump.contains("Hugo z Lipové aleje"));
    const Result r =
        Report({"--source", "3", "--where", "Pohlavi = \"nikdo\" ", "--template",
                TemplateFile("Tituly00.pts"), "--format", "dump", "--out", Out("empty.txt")});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains("je prázdný")) << r.err.toStdString();
}
