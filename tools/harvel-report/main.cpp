// harvel-report: runs a report template over a data folder without the
// windowed program. Ways to call it (kUsage below says the same to the user):
//   --data DIR (--sql "LOCAL SQL" | --table NAME) --template FILE.pts
//       [--param TEXT]... [--first N] [--last M] [--max-records N]
//       --format dump|pdf|png|html|html-single|rtf|txt|emf|wmf|spl --out FILE
//       [--dpi N] [--codepage ascii|cp867|cp852|cp1250|iso88592] [--preview] [--strict]
//                                  the pages into files (or the preview window);
//                                  --strict: exit 1 when the run reported a problem
//   --data DIR (--sql … | --table …) [--template FILE.pts] [--param TEXT]... --eval "EXPRESSION"
//                                  one report expression on the first record
//   --data DIR --source N [--where TEXT] [--order TEXT] --template FILE.pts --format FMT --out FILE
//                                  the list of the print page's source N (0 to 10, or 12
//                                  for the address book)
//   --data DIR (--source N [--where …] [--order …] | --sql … | --table …)
//       --format xlsx|csv --out FILE
//                                  the rows of the list as a spreadsheet, without a template
//   --data DIR (--sql … | --table …) --design FILE.pts
//                                  the template in the designer window
//   --design FILE.pts              the same on the program's data, table main_card.db
//   --data DIR (--sql … | --table …) --draft OUT.pts --fields A,B,C
//       [--style column|row] [--captions label|text|none] [--by-name]
//                                  a new template drafted from the chosen fields
//   --help, --version

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>

#include "app/user_folders.h"
#include "design_command.h"
#include "draft_command.h"
#include "export_formats.h"
#include "page_writers.h"
#include "platform/allocator_tuning.h"
#include "platform/program_version.h"
#include "platform/standard_output.h"
#include "platform/store/backup.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"
#include "preview_command.h"
#include "print_source.h"
#include "report/engine/expression.h"
#include "report/engine/sestavy.h"
#include "report/engine/template_check.h"
#include "report/output/export_pdf.h"
#include "report_options.h"
#include "sheet_command.h"

namespace {

const char kUsage[] =
    "Použití:\n"
    "  harvel-report --data DIR (--sql \"LOCAL SQL\" | --table NAME) --template FILE.pts\n"
    "                [--param TEXT]... [--first N] [--last M] [--max-records N]\n"
    "                --format dump|pdf|png|html|html-single|rtf|txt|emf|wmf|spl --out FILE\n"
    "                [--dpi N] [--codepage ascii|cp867|cp852|cp1250|iso88592] [--preview]\n"
    "                [--strict]   (chyba výpočtu, obrázku, položky či papíru: kód 1)\n"
    "  harvel-report --data DIR (--sql \"LOCAL SQL\" | --table NAME) [--template FILE.pts] "
    "[--param TEXT]...\n"
    "                --eval \"VÝRAZ\"\n"
    "  harvel-report --data DIR --source N [--where TEXT] [--order TEXT] --template FILE.pts\n"
    "                --format FMT --out FILE   (seznam zdroje N: 0 až 10 zdroje tiskové "
    "stránky,\n"
    "                12 adresář)\n"
    "  harvel-report --data DIR (--source N [--where TEXT] [--order TEXT] | --sql … | --table …)\n"
    "                --format xlsx|csv --out FILE   (řádky seznamu jako tabulka, bez předlohy)\n"
    "  harvel-report --data DIR (--sql \"LOCAL SQL\" | --table NAME) --design FILE.pts\n"
    "  harvel-report --data DIR (--sql \"LOCAL SQL\" | --table NAME) --draft OUT.pts --fields "
    "A,B,C\n"
    "                [--style column|row] [--captions label|text|none] [--by-name]\n"
    "  harvel-report --design FILE.pts      (bez --data a --table: data programu, tabulka "
    "main_card.db)\n"
    "  harvel-report --help\n"
    "  harvel-report --version\n";

struct Failure {
    QString message;
};

void PrintError(const QString& message) {
    std::fprintf(stderr, "harvel-report: %s\n", message.toUtf8().constData());
}

// The data of the report: the database of the folder and one open table or query.
struct ReportData {
    std::unique_ptr<platform::Database> database;
    std::unique_ptr<platform::DataSet> dataSet;
    std::unique_ptr<platform::DataSource> source;
    std::unique_ptr<harvel_report::PrintSourceRun> printSource;  // --source

    platform::DataSource* Source() const {
        return printSource ? printSource->Source() : source.get();
    }
};

// A read transaction for as long as it lives; nothing is written in it.
class ReadSnapshot {
  public:
    explicit ReadSnapshot(platform::Database& database) : connection_(database.Handle()) {
        connection_.Execute(QStringLiteral("BEGIN"));
    }
    ~ReadSnapshot() {
        try {
            connection_.Execute(QStringLiteral("COMMIT"));
        } catch (...) {
        }
    }
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

  private:
    platform::Connection& connection_;
};

// Yes/no columns read "Ano" and "Ne" in reports and in the designer, as
// the program's own data module shows them (print sources get its rules).
void ShowBooleansInCzech(platform::DataSet& dataSet) {
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        platform::Field& field = dataSet.Fields(i);
        if (field.Kind() == platform::ColumnType::Boolean && field.DisplayFormat().isEmpty()) {
            field.SetDisplayFormat(QStringLiteral("Ano;Ne"));
        }
    }
}

ReportData OpenData(const harvel_report::ReportOptions& o) {
    if (!platform::IsServerAddress(o.dataFolder) && !QFileInfo(o.dataFolder).isDir()) {
        throw Failure{QStringLiteral("Složka s daty \"%1\" neexistuje.").arg(o.dataFolder)};
    }
    ReportData data;
    if (o.source) {
        data.printSource = std::make_unique<harvel_report::PrintSourceRun>(o.dataFolder, *o.source,
                                                                           o.where, o.order);
        return data;
    }
    data.database =
        std::make_unique<platform::Database>(o.dataFolder, platform::OpenMode::ReadOnly);
    if (!o.table.isEmpty()) {
        data.dataSet = std::make_unique<platform::Table>(*data.database, o.table);
    } else {
        auto query = std::make_unique<platform::Query>(*data.database);
        query->SetSQL(QStringList{o.sql});
        data.dataSet = std::move(query);
    }
    data.dataSet->Open();
    ShowBooleansInCzech(*data.dataSet);
    data.source =
        std::make_unique<platform::DataSource>(QStringLiteral("DataSource"), data.dataSet.get());
    return data;
}

void SetTemplate(TSestava& report, const QString& templateFile) {
    const QFileInfo info(templateFile);
    if (!info.isFile()) {
        throw Failure{QStringLiteral("Soubor s předlohou \"%1\" neexistuje.").arg(templateFile)};
    }
    if (info.suffix().compare(QLatin1String("pts"), Qt::CaseInsensitive) == 0) {
        report.ReportDirIgnore = false;
        report.SetReportDir(info.absolutePath());
        report.SetReportName(info.fileName());
    } else {
        // A template under another extension is read directly, and refused
        // like a .pts file when it has nothing to print.
        const QString path = info.absoluteFilePath();
        report.OnNactiPredlohu = [path](TSestava& r) {
            TPredloha lines;
            if (!lines.LoadFromFile(path)) {
                return false;
            }
            r.SetPredloha(lines);
            const QString refusal = TemplateRefusal(r, path);
            if (!refusal.isEmpty()) {
                PrintError(refusal);
                return false;
            }
            return true;
        };
    }
}

int EvaluateOnFirstRecord(const harvel_report::ReportOptions& o, TSestava& report,
                          QTextStream& out) {
    if (!report.PrepareData()) {
        throw Failure{QStringLiteral("Data nejsou připravena.")};
    }
    report.LoadFieldLists();
    // With a template its user functions can be named in the expression.
    if (!o.templateFile.isEmpty() && report.LoadTemplate(false) != seOK) {
        throw Failure{QStringLiteral("Předlohu \"%1\" se nepodařilo načíst.").arg(o.templateFile)};
    }
    report.StepData(sdFirst);
    const TEvalResult result = ::Evaluate(*o.eval);
    if (result.error != eeOK) {
        out << "error " << result.error << ' ' << result.position << '\n';
    } else {
        out << "ok " << int(result.value.kind) << ' ' << (result.value.null ? 1 : 0) << ' '
            << GeneralNumberText(result.value.number) << ' ' << result.value.text << '\n';
    }
    return 0;
}

// The failures the run went past are printed as they come (each once); with
// --strict they make the exit code 1.
void PrintRunErrors(TSestava& report) {
    report.OnRunError = [](TSestavaTyp&, const TRunError& error) { PrintError(error.Message()); };
}

int RunErrorsExitCode(const harvel_report::ReportOptions& o, const TSestava& report) {
    return o.strict && !report.RunErrors().IsEmpty() ? 1 : 0;
}

int WriteReport(const harvel_report::ReportOptions& o, TSestava& report) {
    if (!o.format.isEmpty() && !harvel_report::IsWrittenFormat(o.format)) {
        throw Failure{QStringLiteral("Formát \"%1\" tato verze zatím nezapisuje.").arg(o.format)};
    }
    report.ExportLanguage = harvel_report::CodePageOf(o.codepage);
    // The single-file HTML export is one page as long as its content.
    report.Unpaged = o.format == QLatin1String("html-single");
    const int r = report.Generate();
    if (r == seCteniPredlohy) {
        // Why the template was refused has been told already.
        throw Failure{QStringLiteral("Předlohu \"%1\" se nepodařilo načíst.").arg(o.templateFile)};
    }
    if (r == sePreruseno) {
        throw Failure{QStringLiteral("Sestava byla přerušena: nic se nezobrazí ani nezapíše.")};
    }
    if (r != seOK) {
        throw Failure{QStringLiteral("Sestavu se nepodařilo vytvořit (kód %1).").arg(r)};
    }
    report.PrepareOutput();
    TSestVystup& output = report.Output();
    // Every format answers an output without pages the same way.
    if (!o.format.isEmpty() && output.PageCount() == 0) {
        throw Failure{QStringLiteral("Sestava nemá žádnou stránku.")};
    }
    QString error;
    if (o.format == QLatin1String("dump")) {
        error = harvel_report::WriteDump(output, o.outFile);
    } else if (o.format == QLatin1String("pdf")) {
        error = SavePdfFile(output, o.outFile, report.Popis());
    } else if (harvel_report::IsExportFormat(o.format)) {
        error = harvel_report::WriteExport(o.format, report, output, o.outFile);
    } else if (!o.format.isEmpty()) {
        error = harvel_report::WritePngs(output, o.outFile, o.dpi);
    }
    if (!error.isEmpty()) {
        throw Failure{error};
    }
    if (o.preview) {
        const int shown =
            harvel_report::ShowOutputPreview(output, report.Popis(), report.RunErrors().Messages());
        return shown != 0 ? shown : RunErrorsExitCode(o, report);
    }
    return RunErrorsExitCode(o, report);
}

// The name of the spreadsheet's sheet: the print source's caption, the
// table's name or "Seznam" for a query.
QString SheetName(const harvel_report::ReportOptions& o, const ReportData& data) {
    if (data.printSource) {
        return data.printSource->Caption();
    }
    return o.table.isEmpty() ? QStringLiteral("Seznam") : QFileInfo(o.table).completeBaseName();
}

int Run(const harvel_report::ReportOptions& o, QTextStream& out) {
    ReportData data = OpenData(o);
    if (harvel_report::IsSheetFormat(o.format)) {
        const QString error = harvel_report::WriteSheetFile(*data.Source()->GetDataSet(), o.format,
                                                            o.outFile, SheetName(o, data));
        if (!error.isEmpty()) {
            throw Failure{error};
        }
        return 0;
    }
    TSestava report;
    if (o.preview) {
        harvel_report::ShowRunProgress();
    }
    PrintRunErrors(report);
    report.SetDataSource(data.Source());
    report.Parametry = data.printSource ? data.printSource->Parametry() : o.params;
    if (data.printSource) {
        data.printSource->FollowTemplateOrder(report);
    }
    if (o.firstPage) {
        report.StartPage = *o.firstPage;
    }
    if (o.lastPage) {
        report.EndPage = *o.lastPage;
    }
    if (o.maxRecords) {
        report.MaxRecords = *o.maxRecords;
    }
    if (o.design) {
        return harvel_report::DesignTemplate(report, o.templateFile);
    }
    if (!o.draftOut.isEmpty()) {
        harvel_report::DraftTemplateFile(
            report, {o.draftOut, o.draftFields, o.draftStyle, o.draftCaptions, o.draftByName});
        return 0;
    }
    if (!o.templateFile.isEmpty() || !o.eval) {
        SetTemplate(report, o.templateFile);
    }
    if (data.printSource) {
        data.printSource->CheckBeforePrint(o.templateFile);
    }
    if (o.eval) {
        return EvaluateOnFirstRecord(o, report, out);
    }
    // The whole run reads one snapshot of the database: SQLite then takes its
    // read lock once, not for every record. A club's server gives a run that
    // only reads its snapshot when the database opens.
    std::optional<ReadSnapshot> snapshot;
    if (data.database && !data.database->IsServer()) {
        snapshot.emplace(*data.database);
    }
    return WriteReport(o, report);
}

// Parses the options and runs; the exit code.
int RunTool(const QStringList& args, QTextStream& out) {
    QString dataFolder;
    try {
        const harvel_report::ReportOptions options = harvel_report::ParseOptions(args);
        dataFolder = options.dataFolder;
        if (options.help) {
            out << QString::fromUtf8(kUsage);
            return 0;
        }
        return Run(options, out);
    } catch (const harvel_report::UsageError& e) {
        PrintError(e.message);
        std::fputs(kUsage, stderr);
        return 2;
    } catch (const harvel_report::DraftFailure& e) {
        PrintError(e.message);
    } catch (const Failure& e) {
        PrintError(e.message);
    } catch (const harvel_report::PrintSourceError& e) {
        PrintError(e.message);
    } catch (const platform::StoreError& e) {
        PrintError(e.Message());
        // A damaged database is answered as the program answers it at start.
        if (platform::IsDamageError(e.EngineCode()) && !dataFolder.isEmpty()) {
            std::fprintf(stderr, "%s\n",
                         platform::DamagedDatabaseAdvice(dataFolder).toUtf8().constData());
        }
    } catch (const std::bad_alloc&) {
        PrintError(QStringLiteral("Nedostatek paměti: sestavu nelze dokončit."));
    } catch (const std::exception& e) {
        PrintError(QString::fromLocal8Bit(e.what()));
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int rc = platform::AnswerVersionRequest(argc, argv, "harvel-report"); rc >= 0) {
        return rc;
    }
    platform::TuneAllocator();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !harvel_report::WantsPreview(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The options are the tool's own: Qt would take "--style" for itself.
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // What the tool prints (--eval, --help) must reach its reader: a full disk
    // or /dev/full behind the output is a failure.
    platform::StandardOutput device(STDOUT_FILENO);
    QTextStream out(&device);
    out.setEncoding(QStringConverter::Utf8);
    // An installed program's folders in the user's home, as the program has them.
    for (const QString& problem : PrepareCurrentUserFolders()) {
        PrintError(problem);
    }
    const int rc = RunTool(args, out);
    out.flush();
    if (device.Failed()) {
        PrintError(QStringLiteral("Výstup nelze zapsat: %1.").arg(device.FailureReason()));
        return rc != 0 ? rc : 1;
    }
    return rc;
}
