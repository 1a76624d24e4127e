// harvel-data: the kennel's data from the command line. Commands (kUsage
// below says the same to the user):
//   init DIR|URI                            create DIR (or a server database) with the empty tables
//   copy SRC DST                            copy every table between two stores, checked
//   sql DIR "LOCAL SQL"                     run one query, rows tab-separated
//   (all but import, backup and restore also take a server's "postgresql://" address for DIR)
//   load DIR TABLE FILE.csv [--cut]         append rows from a UTF-8 CSV file;
//                                           --cut shortens texts longer than their column
//   dump DIR TABLE                          a table as CSV
//   coi DIR NAME [--generations N]          an animal's inbreeding figures
//   coi DIR --sire SIRE --dam DAM           the figure of a planned litter
//   mates DIR DAM [SIRE...]                 sires ranked by the litter's figure with DAM
//   import SRC DIR [--keep-going] [--templates DIR] [--settings DIR] [--codepage N]
//                                           take over the tables of an old installation
//   backup DIR [FILE]                       back the database up into DIR/Zalohy (or FILE)
//   restore DIR FILE                        put a backup back (the program must not run)
//   check DIR                               damaged values and orphan rows, exit 1 when any
//   agenda DIR [--from d.M.yyyy] [--to d.M.yyyy]   the breeder's diary
//   stats DIR [--from YEAR] [--to YEAR] [--breed BREED]   the breeding statistics
//   web DIR OUTDIR                          the kennel's web pages into OUTDIR
//   --help, --version

#include <unistd.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <new>

#include "agenda_command.h"
#include "backup_commands.h"
#include "data_commands.h"
#include "genetics_commands.h"
#include "import_command.h"
#include "platform/program_version.h"
#include "platform/standard_output.h"
#include "platform/store/backup.h"
#include "platform/store/data_folder_lock.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/store_error.h"
#include "server_commands.h"
#include "stats_command.h"
#include "web_command.h"

namespace {

const char kUsage[] =
    "Použití:\n"
    "  harvel-data init DIR                 vytvoří DIR s prázdnými tabulkami    \n"
    "  harvel-data init postgresql://UŽIVATEL@SERVER/DATABÁZE\n"
    "                                       vytvoří tabulky a role harvel_cteni a harvel_zapis\n"
    "                                       v prázdné databázi na serveru PostgreSQL\n"
    "  harvel-data copy ZDROJ CÍL           zkopíruje všechny tabulky do prázdné databáze\n"
    "                                       (složka dat nebo adresa postgresql://…) a zkontroluje\n"
    "                                       je řádek po řádku\n"
    "  harvel-data sql DIR \"LOCAL SQL\"      spustí dotaz a vypíše řádky oddělené tabulátory\n"
    "  harvel-data load DIR TABLE FILE.csv [--cut]\n"
    "                                       přidá řádky ze souboru CSV (UTF-8, záhlaví se jmény "
    "sloupců);\n"
    "                                       text delší než jeho sloupec odmítne, s --cut zkrátí\n"
    "  harvel-data dump DIR TABLE           vypíše tabulku jako CSV\n"
    "  harvel-data coi DIR JMÉNO [--generations N]   koeficient příbuzenské plemenitby zvířete\n"
    "  harvel-data coi DIR --sire OTEC --dam MATKA   koeficient plánovaného vrhu\n"
    "  harvel-data mates DIR MATKA [OTEC…]  psi seřazení podle koeficientu vrhu s matkou\n"
    "  harvel-data import SRC DIR [--keep-going] [--templates DIR] [--settings DIR] "
    "[--codepage N]\n"
    "                                       převezme tabulky dřívější instalace ze složky SRC\n"
    "  harvel-data backup DIR [FILE]        záloha databáze do DIR/Zalohy (nebo do souboru FILE)\n"
    "  harvel-data restore DIR FILE         obnoví databázi ze zálohy FILE (program nesmí běžet)\n"
    "  harvel-data check DIR                vypíše poškozené hodnoty a osiřelé záznamy\n"
    "  harvel-data agenda DIR [--from d.M.yyyy] [--to d.M.yyyy]\n"
    "                                       diář: co je po termínu a co přijde (výchozí 30 dní)\n"
    "  harvel-data stats DIR [--from ROK] [--to ROK] [--breed PLEMENO]\n"
    "                                       statistika chovu: vrhy, štěňata, koeficienty, výstavy\n"
    "  harvel-data web DIR OUTDIR           webové stránky chovné stanice do složky OUTDIR\n"
    "  Všechny příkazy kromě import, backup a restore berou místo DIR i adresu databáze\n"
    "  na serveru (postgresql://UŽIVATEL@SERVER/DATABÁZE).\n"
    "  harvel-data --help                   vypíše tento návod\n"
    "  harvel-data --version                vypíše verzi programu\n";

// load DIR TABLE FILE, with --cut anywhere after the command.
bool IsLoad(const QStringList& args) {
    const qsizetype cuts = args.count(QLatin1String("--cut"));
    return cuts <= 1 && args.size() - cuts == 4;
}

// The commands that work on a club's server database as on a data folder.
bool WorksOnServer(const QString& command) {
    static const QStringList commands{"sql",   "load",   "dump",  "check", "coi",
                                      "mates", "agenda", "stats", "web"};
    return commands.contains(command);
}

// The commands whose second argument is a data folder whose database they open.
bool OpensDataFolder(const QString& command) {
    static const QStringList commands{"sql", "load",  "dump",   "check", "backup",
                                      "coi", "mates", "agenda", "stats", "web"};
    return commands.contains(command);
}

// The store's message; for a damaged database also the newest backup that
// opens and the command that puts it back, as the program says it at start.
QString FailureText(const platform::StoreError& error, const QStringList& args) {
    QString text = error.Message();
    if (platform::IsDamageError(error.EngineCode()) && args.size() > 1 &&
        OpensDataFolder(args[0])) {
        text += '\n' + platform::DamagedDatabaseAdvice(args[1]);
    }
    return text;
}

int Run(const QStringList& args, QTextStream& out) {
    const QString command = args.value(0);
    if (OpensDataFolder(command) && !WorksOnServer(command) &&
        platform::IsServerAddress(args.value(1))) {
        throw platform::StoreError(
            QStringLiteral("Příkaz %1 pracuje se složkou dat. Databázi na serveru nejprve "
                           "zkopírujte do prázdné složky: harvel-data copy %2 SLOŽKA")
                .arg(command, platform::AddressWithoutPassword(args[1])));
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out << QString::fromUtf8(kUsage);
        return 0;
    }
    if (command == QLatin1String("init") && args.size() == 2) {
        if (platform::IsServerAddress(args[1])) {
            harvel_data::InitServerCommand(args[1], out);
        } else {
            harvel_data::InitCommand(args[1], out);
        }
    } else if (command == QLatin1String("copy") && args.size() == 3) {
        harvel_data::CopyCommand(args[1], args[2], out);
    } else if (command == QLatin1String("sql") && args.size() == 3) {
        harvel_data::SqlCommand(args[1], args[2], out);
    } else if (command == QLatin1String("load") && IsLoad(args)) {
        QStringList files = args.mid(1);
        const bool cut = files.removeAll(QStringLiteral("--cut")) > 0;
        harvel_data::LoadCommand(files[0], files[1], files[2], cut, out);
    } else if (command == QLatin1String("dump") && args.size() == 3) {
        harvel_data::DumpCommand(args[1], args[2], out);
    } else if (command == QLatin1String("coi") && args.size() >= 3) {
        harvel_data::CoiCommand(args.mid(1), out);
    } else if (command == QLatin1String("mates") && args.size() >= 3) {
        harvel_data::MatesCommand(args.mid(1), out);
    } else if (command == QLatin1String("backup") && (args.size() == 2 || args.size() == 3)) {
        harvel_data::BackupCommand(args.mid(1), out);
    } else if (command == QLatin1String("restore") && args.size() == 3) {
        harvel_data::RestoreCommand(args[1], args[2], out);
    } else if (command == QLatin1String("agenda") && args.size() >= 2) {
        harvel_data::AgendaCommand(args.mid(1), out);
    } else if (command == QLatin1String("stats") && args.size() >= 2) {
        harvel_data::StatsCommand(args.mid(1), out);
    } else if (command == QLatin1String("web") && args.size() == 3) {
        harvel_data::WebCommand(args[1], args[2], out);
    } else if (command == QLatin1String("check") && args.size() == 2) {
        return harvel_data::CheckCommand(args[1], out);
    } else if (command == QLatin1String("import")) {
        if (harvel_data::ImportCommand(args.mid(1), out) != 0) {
            std::fputs(kUsage, stderr);
            return 2;
        }
    } else {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return 0;
}

// What the command wrote must have reached its reader: a full disk or
// /dev/full behind the output is a failure like any other.
int CheckedExit(QTextStream& out, const platform::StandardOutput& device, int code) {
    out.flush();
    if (!device.Failed()) {
        return code;
    }
    platform::WriteErrorLine(
        QStringLiteral("Výstup nelze zapsat: %1.").arg(device.FailureReason()));
    return code != 0 ? code : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int rc = platform::AnswerVersionRequest(argc, argv, "harvel-data"); rc >= 0) {
        return rc;
    }
    // The application object knows the program's own folder, where the
    // installation's Harvel.INI lies (not the current folder).
    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    platform::SetDataLockHolderName(QStringLiteral("harvel-data ") + args.value(0));
    platform::StandardOutput device(STDOUT_FILENO);
    QTextStream out(&device);
    out.setEncoding(QStringConverter::Utf8);
    try {
        return CheckedExit(out, device, Run(args, out));
    } catch (const platform::StoreError& e) {
        const int code = CheckedExit(out, device, 1);
        platform::WriteErrorLine(FailureText(e, args));
        return code;
    } catch (const std::bad_alloc&) {
        const int code = CheckedExit(out, device, 1);
        platform::WriteErrorLine(QStringLiteral("Nedostatek paměti: příkaz nelze dokončit."));
        return code;
    } catch (const std::exception& e) {
        const int code = CheckedExit(out, device, 1);
        platform::WriteErrorLine(QString::fromLocal8Bit(e.what()));
        return code;
    }
}
