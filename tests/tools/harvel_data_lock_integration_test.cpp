// The writers of a data folder as a user starts them, real processes on real
// files: a load and a restore started together (one is refused, naming the
// other, and nothing is lost, in either order), a load killed with signal 9
// leaving the lock to the next writer, the running program keeping every
// tool's writes out whatever its temporary folder, a pipe, a device or a
// folder refused at once, the installation's Harvel.INI read rather than the
// current folder's, one file per backup, and a damaged database answered
// with the newest backup that opens by every reading command.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

using Result = testing_support::ProgramResult;

QString Bin(const QString& program) {
    return QStringLiteral(HARVEL_BIN_DIR "/") + program;
}

Result Data(const QStringList& args) {
    return testing_support::RunProgram(Bin("harvel-data"), args);
}

// A CSV of `rows` record sheets whose names start with `prefix`.
QByteArray Cards(const QString& prefix, int rows) {
    QByteArray csv = "Jmeno_registr,Pohlavi,Povaha\n";
    const QByteArray nature(150, 'k');
    for (int i = 0; i < rows; ++i) {
        csv += (prefix + QString::number(i)).toUtf8() + ",pes," + nature + '\n';
    }
    return csv;
}

class Writers : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath("DATA");
        ASSERT_EQ(Data({"init", data_}).code, 0);
        Load(Cards("Pes ", 2));
    }
    void TearDown() override {
        for (QProcess* p : {&writer_, &program_}) {
            if (p->state() != QProcess::NotRunning) {
                ::kill(static_cast<pid_t>(p->processId()), SIGCONT);
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }
    Result Load(const QByteArray& csv) {
        const QString file = dir_.filePath("karty.csv");
        WriteFile(file, csv);
        return Data({"load", data_, "main_card.db", file});
    }
    int CardCount() {
        const Result sql = Data({"sql", data_, "Select COUNT(*) from main_card"});
        EXPECT_EQ(sql.code, 0) << sql.err.toStdString();
        return sql.out.section('\n', 1, 1).toInt();
    }
    QString LockFile() const { return data_ + "/harvel.lock"; }
    // Starts a writer and stops it (SIGSTOP) once it holds the data folder's
    // lock under `holder`; false when it ended before.
    bool StartAndHoldStill(const QStringList& args, const QString& holder) {
        writer_.start(Bin("harvel-data"), args);
        if (!writer_.waitForStarted(5000)) {
            return false;
        }
        const QByteArray expected =
            QStringLiteral("%1\n%2\n").arg(holder).arg(writer_.processId()).toUtf8();
        QElapsedTimer waited;
        waited.start();
        while (writer_.state() == QProcess::Running && waited.elapsed() < 30000) {
            if (ReadFile(LockFile()) == expected) {
                ::kill(static_cast<pid_t>(writer_.processId()), SIGSTOP);
                return true;
            }
            QThread::usleep(500);
        }
        return false;
    }
    Result GoOn() {
        ::kill(static_cast<pid_t>(writer_.processId()), SIGCONT);
        Result r;
        if (!writer_.waitForFinished(120000)) {
            return r;
        }
        r.code = writer_.exitCode();
        r.out = QString::fromUtf8(writer_.readAllStandardOutput());
        r.err = QString::fromUtf8(writer_.readAllStandardError());
        return r;
    }
    QString Busy(const QString& holder) const {
        return QStringLiteral("Data používá %1 (proces %2).\n")
            .arg(holder)
            .arg(writer_.processId());
    }
    QStringList BackupFolderFiles() const {
        return QDir(data_ + "/Zalohy").entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir_;
    QString data_;
    QProcess writer_, program_;
};

TEST_F(Writers, ARestoreDuringALoadIsRefusedAndTheLoadKeepsItsRows) {
    const QString backup = dir_.filePath("zaloha.sqlite");
    ASSERT_EQ(Data({"backup", data_, backup}).code, 0);
    const QString csv = dir_.filePath("velka.csv");
    WriteFile(csv, Cards("Štěně ", 20000));
    ASSERT_TRUE(StartAndHoldStill({"load", data_, "main_card.db", csv}, "harvel-data load"))
        << "the load ended before it could be seen holding the lock";

    const Result restore = Data({"restore", data_, backup});
    EXPECT_EQ(restore.code, 1);
    EXPECT_EQ(restore.err, Busy("harvel-data load"));
    EXPECT_EQ(restore.out, "");

    const Result load = GoOn();
    EXPECT_EQ(load.code, 0) << load.err.toStdString();
    EXPECT_EQ(load.out, "Do tabulky main_card.db přidáno 20000 řádků.\n");
    EXPECT_EQ(CardCount(), 20002);
    EXPECT_TRUE(BackupFolderFiles().isEmpty()) << "the refused restore kept a backup";
    EXPECT_FALSE(QFile::exists(LockFile())) << "the lock file outlived its holder";
}

TEST_F(Writers, ALoadDuringARestoreIsRefusedAndTheRestoredDataStay) {
    ASSERT_EQ(Load(Cards("Fena ", 30000)).code, 0);
    const QString backup = dir_.filePath("zaloha.sqlite");
    ASSERT_EQ(Data({"backup", data_, backup}).code, 0);
    ASSERT_EQ(Load(Cards("Po záloze ", 3)).code, 0);
    ASSERT_TRUE(StartAndHoldStill({"restore", data_, backup}, "harvel-data restore"))
        << "the restore ended before it could be seen holding the lock";

    const Result load = Load(Cards("Během obnovy ", 5));
    EXPECT_EQ(load.code, 1);
    EXPECT_EQ(load.err, Busy("harvel-data restore"));

    const Result restore = GoOn();
    EXPECT_EQ(restore.code, 0) << restore.err.toStdString();
    EXPECT_EQ(CardCount(), 30002);
    // The refused load wrote nothing and said so: done again, it is kept.
    EXPECT_EQ(Load(Cards("Během obnovy ", 5)).code, 0);
    EXPECT_EQ(CardCount(), 30007);
}

TEST_F(Writers, ALoadKilledWithSignal9LeavesTheLockToTheNextWriter) {
    const QString csv = dir_.filePath("velka.csv");
    WriteFile(csv, Cards("Štěně ", 20000));
    ASSERT_TRUE(StartAndHoldStill({"load", data_, "main_card.db", csv}, "harvel-data load"));
    ::kill(static_cast<pid_t>(writer_.processId()), SIGKILL);
    ASSERT_TRUE(writer_.waitForFinished(5000));
    EXPECT_TRUE(QFile::exists(LockFile()));  // only a name now

    const Result next = Load(Cards("Další ", 3));
    EXPECT_EQ(next.code, 0) << next.err.toStdString();
    EXPECT_EQ(CardCount(), 5);
    const Result check = Data({"check", data_});
    EXPECT_EQ(check.code, 0) << check.out.toStdString() << check.err.toStdString();
}

// A copy of the program in BIN/ of a root of its own, whose data folder is
// ROOT/DATA/, with a temporary folder of its own; its messages go to stderr.
class WithProgram : public Writers {
  protected:
    void SetUp() override {
        Writers::SetUp();
        ASSERT_TRUE(QDir(dir_.path()).mkpath("root/BIN"));
        ASSERT_TRUE(QFile::copy(Bin("harvel"), dir_.filePath("root/BIN/harvel")));
        data_ = dir_.filePath("root/DATA");
        ASSERT_EQ(Data({"init", data_}).code, 0);
    }
    void StartProgram() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", dir_.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HARVEL_MESSAGES", "stderr");
        program_.setProcessEnvironment(environment);
        program_.start(dir_.filePath("root/BIN/harvel"), {});
        ASSERT_TRUE(program_.waitForStarted(5000));
    }
};

TEST_F(WithProgram, TheRunningProgramKeepsEveryToolsWritesOutWhateverItsTemporaryFolder) {
    StartProgram();
    const QByteArray holder =
        QStringLiteral("program Harvel\n%1\n").arg(program_.processId()).toUtf8();
    QElapsedTimer waited;
    waited.start();
    while (ReadFile(LockFile()) != holder && waited.elapsed() < 20000 &&
           program_.state() == QProcess::Running) {
        QThread::msleep(20);
    }
    ASSERT_EQ(ReadFile(LockFile()), holder) << program_.readAllStandardError().toStdString();

    // The tools run under the default temporary folder, not the program's.
    const QString expected =
        QStringLiteral("Data používá program Harvel (proces %1).\n").arg(program_.processId());
    const QString backup = dir_.filePath("zaloha.sqlite");
    ASSERT_EQ(Data({"backup", data_, backup}).code, 0);  // reading is never refused
    EXPECT_EQ(Data({"restore", data_, backup}).err, expected);
    EXPECT_EQ(Load(Cards("Pes ", 1)).err, expected);
    EXPECT_EQ(Data({"backup", data_}).err, expected);
    EXPECT_EQ(Data({"sql", data_, "Select * from main_card"}).code, 0);

    program_.terminate();
    ASSERT_TRUE(program_.waitForFinished(10000));
    EXPECT_EQ(Load(Cards("Pes ", 1)).code, 0);
}

TEST_F(WithProgram, AProgramStartedDuringALoadOpensTheDataReadOnlyAndSaysWhoHasThem) {
    const QString csv = dir_.filePath("velka.csv");
    WriteFile(csv, Cards("Štěně ", 20000));
    ASSERT_TRUE(StartAndHoldStill({"load", data_, "main_card.db", csv}, "harvel-data load"));
    StartProgram();
    const QString said = QStringLiteral(
                             "je otevřena jen pro čtení (Data používá harvel-data load "
                             "(proces %1))")
                             .arg(writer_.processId());
    QString errors;
    QElapsedTimer waited;
    waited.start();
    while (!errors.contains(said) && waited.elapsed() < 20000 &&
           program_.state() == QProcess::Running) {
        program_.waitForReadyRead(200);
        errors += QString::fromUtf8(program_.readAllStandardError());
    }
    EXPECT_TRUE(errors.contains(said)) << errors.toStdString();
    const Result load = GoOn();
    EXPECT_EQ(load.code, 0) << load.err.toStdString();
    EXPECT_EQ(CardCount(), 20000);
}

// Runs a command that must end within a second.
Result WithinASecond(const QStringList& args) {
    QProcess p;
    p.start(Bin("harvel-data"), args);
    Result r;
    if (!p.waitForFinished(1000)) {
        ADD_FAILURE() << args.join(' ').toStdString() << " did not end within a second";
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitCode();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

TEST_F(Writers, APipeADeviceOrAFolderIsRefusedAtOnceWithWhatItIs) {
    const QString backup = dir_.filePath("zaloha.sqlite");
    ASSERT_EQ(Data({"backup", data_, backup}).code, 0);
    const QString pipe = dir_.filePath("roura.sqlite");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const struct {
        QString source, reason;
    } sources[] = {{pipe, "je to pojmenovaná roura (FIFO), ne soubor"},
                   {"/dev/zero", "je to zařízení, ne soubor"},
                   {dir_.filePath("DATA"), "je to složka, ne soubor"}};
    for (const auto& [source, reason] : sources) {
        const Result r = WithinASecond({"restore", data_, source});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(
            r.err,
            QStringLiteral("Ze souboru „%1“ nelze databázi obnovit: %2.\n").arg(source, reason));
    }
    // A pipe found as the database.
    const QString folder = dir_.filePath("ROURA");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString database = folder + "/harvel.sqlite";
    ASSERT_EQ(::mkfifo(QFile::encodeName(database).constData(), 0600), 0);
    const Result restore = WithinASecond({"restore", folder, backup});
    EXPECT_EQ(restore.code, 1);
    EXPECT_EQ(restore.err, QStringLiteral("Databázi „%1“ nelze použít: je to pojmenovaná roura "
                                          "(FIFO), ne soubor; nic nebylo změněno.\n")
                               .arg(database));
    const Result sql = WithinASecond({"sql", folder, "Select * from main_card"});
    EXPECT_EQ(sql.code, 1);
    EXPECT_TRUE(sql.err.contains("je to pojmenovaná roura (FIFO)")) << sql.err.toStdString();
    EXPECT_EQ(WithinASecond({"backup", folder}).code, 1);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"harvel.sqlite"});
}

TEST_F(Writers, TheToolsReadTheInstallationsIniNotTheCurrentFolders) {
    const QString elsewhere = dir_.filePath("jinde");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    WriteFile(elsewhere + "/Harvel.INI", "[EvidList]\r\nPocetZaloh=1\r\n");
    ASSERT_FALSE(QFile::exists(Bin("Harvel.INI")))
        << "the build's own Harvel.INI would decide how many backups stay";
    for (int i = 0; i < 3; ++i) {
        QProcess p;
        p.setWorkingDirectory(elsewhere);
        p.start(Bin("harvel-data"), {"backup", data_});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    EXPECT_EQ(BackupFolderFiles().filter(QRegularExpression("\\.sqlite$")).size(), 3)
        << BackupFolderFiles().join(' ').toStdString();
}

TEST_F(Writers, EachBackupIsOneFileAndARestoreLeavesNoneBeside) {
    ASSERT_EQ(Data({"backup", data_}).code, 0);
    ASSERT_EQ(Load(Cards("Další ", 2)).code, 0);
    const Result second = Data({"backup", data_});
    ASSERT_EQ(second.code, 0);
    const QStringList backups = BackupFolderFiles().filter(QRegularExpression("\\.sqlite$"));
    ASSERT_EQ(backups.size(), 2);
    EXPECT_EQ(Data({"restore", data_, data_ + "/Zalohy/" + backups[0]}).code, 0);
    EXPECT_EQ(CardCount(), 2);
    const QStringList files = BackupFolderFiles();
    EXPECT_EQ(files.filter(QRegularExpression("-(wal|shm|journal)$|\\.part$")), QStringList())
        << files.join(' ').toStdString();
    EXPECT_EQ(files.size(), 4) << files.join(' ').toStdString();  // 3 backups and the state
}

TEST_F(Writers, ADamagedDatabaseIsAnsweredWithTheNewestBackupThatOpens) {
    const Result backup = Data({"backup", data_});
    ASSERT_EQ(backup.code, 0);
    const QString newest = BackupFolderFiles().filter(QRegularExpression("\\.sqlite$")).value(0);
    {
        QFile live(data_ + "/harvel.sqlite");
        ASSERT_TRUE(live.open(QIODevice::ReadWrite));
        live.write(QByteArray(100, '\x7f'));
    }
    const QString advice =
        QStringLiteral(
            "Nejnovější záloha, kterou lze otevřít: %1 (obnoví ji příkaz harvel-data "
            "restore \"%2\" \"%2/Zalohy/%1\").")
            .arg(newest, data_);
    const QString report = dir_.filePath("karty.txt");
    const QList<QPair<QString, QStringList>> runs{
        {"harvel-data", {"sql", data_, "Select * from main_card"}},
        {"harvel-data", {"dump", data_, "main_card.db"}},
        {"harvel-data", {"check", data_}},
        {"harvel-report",
         {"--data", data_, "--table", "main_card.db", "--template",
          HARVEL_SOURCE_DIR "/templates/EvidList01.pts", "--format", "dump", "--out", report}}};
    for (const auto& [program, args] : runs) {
        const Result r = testing_support::RunProgram(Bin(program), args);
        EXPECT_EQ(r.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(advice)) << args.join(' ').toStdString() << "\n"
                                            << r.err.toStdString();
    }
    // The command named puts the data back.
    EXPECT_EQ(Data({"restore", data_, data_ + "/Zalohy/" + newest}).code, 0);
    EXPECT_EQ(CardCount(), 2);
}

}  // namespace
