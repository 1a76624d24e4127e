// harvel-data as a user runs it, on the ground that hurt before: output to
// /dev/full and to a full disk fails aloud, names with escape sequences reach
// a terminal as visible escapes but a pipe as stored, a CSV text longer than
// its column is refused (or cut on purpose and listed), event rows without
// their animal are refused, and a write-protected folder with a write-ahead
// log but no index shows what the log committed.

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"
#include "tests/support/program_run.h"
#include "tests/support/small_disk.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::WriteFile;

using Result = testing_support::ProgramResult;
using testing_support::SmallDisk;

const QString kDataTool = QStringLiteral(HARVEL_BIN_DIR "/harvel-data");

Result Data(const QStringList& args) {
    return testing_support::RunProgram(kDataTool, args);
}

// Runs harvel-data with its standard output sent to `file`.
Result DataInto(const QStringList& args, const QString& file) {
    QProcess p;
    p.setStandardOutputFile(file);
    p.start(kDataTool, args);
    Result r;
    if (!p.waitForFinished(120000)) {
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Runs harvel-data on a pseudo-terminal: what the terminal receives.
QByteArray DataOnTerminal(const QStringList& args) {
    std::vector<QByteArray> texts{QFile::encodeName(kDataTool)};
    for (const QString& a : args) {
        texts.push_back(a.toUtf8());
    }
    std::vector<char*> argv;
    for (QByteArray& t : texts) {
        argv.push_back(t.data());
    }
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid < 0) {
        return QByteArray();
    }
    if (pid == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    QByteArray received;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(terminal, buffer, sizeof buffer);
        if (n <= 0) {
            break;  // EIO once the program has ended
        }
        received.append(buffer, n);
    }
    ::close(terminal);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return received;
}

class SafeOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath("DATA");
        ASSERT_EQ(Data({"init", data_}).code, 0);
    }
    Result Load(const QString& table, const QByteArray& csv, const QStringList& options = {}) {
        const QString file = dir_.filePath("vstup.csv");
        WriteFile(file, csv);
        return Data(QStringList{"load", data_, table, file} + options);
    }
    QString Dump(const QString& table) { return Data({"dump", data_, table}).out; }
    QTemporaryDir dir_;
    QString data_;
};

TEST_F(SafeOutput, OutputToDevFullOrAFullDiskIsAFailure) {
    ASSERT_EQ(Load("main_card.db", "Jmeno_registr\nAron\nBrok\n").code, 0);
    const QString sql = QStringLiteral("Select * from main_card");
    for (const QStringList& args :
         {QStringList{"sql", data_, sql}, QStringList{"dump", data_, "main_card.db"},
          QStringList{"check", data_}}) {
        SCOPED_TRACE(args[0].toStdString());
        const Result r = DataInto(args, QStringLiteral("/dev/full"));
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("Výstup nelze zapsat: na disku není místo."))
            << r.err.toStdString();
    }
    SmallDisk disk(dir_.filePath("disk"), 64);
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
    }
    disk.Fill(4096);
    const Result r = DataInto({"dump", data_, "main_card.db"}, disk.Folder() + "/karty.csv");
    // The cards fit: a dump that fits is a success, and complete.
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    QByteArray many = "Jmeno_registr,Povaha\n";
    for (int i = 0; i < 200; ++i) {
        many += "Pes " + QByteArray::number(i) + "," + QByteArray(150, 'x') + "\n";
    }
    ASSERT_EQ(Load("main_card.db", many).code, 0);
    const Result full = DataInto({"dump", data_, "main_card.db"}, disk.Folder() + "/karty.csv");
    EXPECT_EQ(full.code, 1);
    EXPECT_TRUE(full.err.contains("na disku není místo")) << full.err.toStdString();
}

TEST_F(SafeOutput, ControlCharactersReachATerminalAsEscapesAndAPipeAsStored) {
    const QByteArray name = "Rex\x1B]0;ovladnuto\x07\x1B[2J";
    ASSERT_EQ(Load("main_card.db", "Jmeno_registr,Jmeno_call\n\"" + name + "\",\"a\rb\"\n").code,
              0);
    // A pipe (and a file) gets the data as stored.
    const Result piped = Data({"sql", data_, "Select Jmeno_registr from main_card"});
    EXPECT_TRUE(piped.out.toUtf8().contains(name));
    const QByteArray shown = "Rex\\x1B]0;ovladnuto\\x07\\x1B[2J";
    const QByteArray sql = DataOnTerminal({"sql", data_, "Select Jmeno_registr from main_card"});
    EXPECT_TRUE(sql.contains(shown)) << sql.toStdString();
    const QByteArray dump = DataOnTerminal({"dump", data_, "main_card.db"});
    EXPECT_TRUE(dump.contains(shown)) << dump.toStdString();
    EXPECT_TRUE(dump.contains("a\\x0Db"));
    // check names the orphan's animal: a visit of the escaped name.
    ASSERT_EQ(Load("osetreni.db", "Jmeno_registr\n\"Nikdo\x1B[31m\"\n").code, 0);
    const QByteArray check = DataOnTerminal({"check", data_});
    EXPECT_TRUE(check.contains("Nikdo\\x1B[31m")) << check.toStdString();
    for (const QByteArray& terminal : {sql, dump, check}) {
        EXPECT_FALSE(terminal.contains('\x1B'));
        EXPECT_FALSE(terminal.contains('\x07'));
    }
}

TEST_F(SafeOutput, AnOverlongCsvTextIsRefusedUnlessCutOnPurpose) {
    const QByteArray longName(47, 'N');
    const QByteArray csv =
        "Jmeno_registr,Jmeno_call\nAron,Ari\n" + longName + ",Devatenactiznakovy\n";
    const Result refused = Load("main_card.db", csv);
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(
        refused.err.contains("vstup.csv, řádek 3, sloupec Jmeno_registr: text má 47 znaků, "
                             "sloupec jich pojme 40"))
        << refused.err.toStdString();
    EXPECT_EQ(Dump("main_card.db").count('\n'), 1) << "a refused load wrote rows";
    const Result note =
        Load("vrhy.db", "Jmeno_registr,Poznamka\nAron," + QByteArray(300, 'p') + "\n");
    EXPECT_EQ(note.code, 1);
    EXPECT_TRUE(note.err.contains("sloupec Poznamka: text má 300 znaků, sloupec jich pojme 255"));

    const Result cut = Load("main_card.db", csv, {"--cut"});
    ASSERT_EQ(cut.code, 0) << cut.err.toStdString();
    EXPECT_TRUE(
        cut.out.contains("Zkrácené texty (--cut):\n"
                         "vstup.csv, řádek 3, sloupec Jmeno_registr: 47 znaků zkráceno "
                         "na 40\n"
                         "vstup.csv, řádek 3, sloupec Jmeno_call: 18 znaků zkráceno na 15\n"))
        << cut.out.toStdString();
    EXPECT_TRUE(Dump("main_card.db").toUtf8().contains(QByteArray(40, 'N') + ",Devatenactiznak,"));
}

TEST_F(SafeOutput, LoadRefusesEventRowsWithoutTheirAnimal) {
    const std::vector<std::pair<QString, QByteArray>> rows = {
        {"vrhy.db", "Jmeno_registr,Poznamka\nAron,první\n,bez matky\n"},
        {"tituly.db", "Jmeno_Registr,Titul_Jmeno\nAron,CH\n   ,CH\n"},
        {"rodokmen.db", "Jmeno_registr,Otec\nAron,Brok\n\t,Brok\n"},
    };
    for (const auto& [table, csv] : rows) {
        SCOPED_TRACE(table.toStdString());
        const Result r = Load(table, csv);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("řádek 3: Záznam tabulky " + table +
                                   " nelze uložit: registrované jméno zvířete"))
            << r.err.toStdString();
        EXPECT_EQ(Dump(table).count('\n'), 1) << "a refused load wrote rows";
    }
}

TEST_F(SafeOutput, AWriteProtectedFolderWithALogShowsWhatTheLogCommitted) {
    ASSERT_EQ(Load("main_card.db", "Jmeno_registr\nAron\nBrok\n").code, 0);
    SmallDisk disk(dir_.filePath("disk"), 2048);
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "a write-protected medium of its own needs root (mount of a tmpfs)";
    }
    const QString copy = disk.Folder() + "/DATA";
    ASSERT_TRUE(QDir().mkpath(copy));
    {
        // A third card and a removed first one stay in the log while this connection lives.
        platform::Database db(data_);
        db.Handle().Execute(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
        db.Handle().Execute(
            QStringLiteral("INSERT INTO main_card (Jmeno_registr) VALUES ('Cyril')"));
        db.Handle().Execute(QStringLiteral("INSERT INTO vrhy (Jmeno_registr) VALUES ('Aron')"));
        db.Handle().Execute(QStringLiteral("DELETE FROM main_card WHERE Jmeno_registr = 'Aron'"));
        const QString file = platform::Database::DatabaseFile(data_);
        ASSERT_TRUE(QFile::copy(file, copy + "/harvel.sqlite"));
        ASSERT_TRUE(QFile::copy(file + "-wal", copy + "/harvel.sqlite-wal"));
    }
    ASSERT_TRUE(disk.MakeReadOnly());
    const Result sql = Data({"sql", copy, "Select Jmeno_registr from main_card"});
    ASSERT_EQ(sql.code, 0) << sql.err.toStdString();
    EXPECT_EQ(sql.out, "Jmeno_registr\nBrok\nCyril\n");
    const Result check = Data({"check", copy});
    EXPECT_EQ(check.code, 1);
    EXPECT_TRUE(check.out.contains("vrhy.db, řádek 1: osiřelý záznam")) << check.out.toStdString();
}

}  // namespace
