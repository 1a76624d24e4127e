// harvel-data init and copy against a private PostgreSQL cluster: the demo
// kennel moved into a club's database and back reads byte for byte the same.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <map>

#include "platform/store/schema.h"
#include "tests/support/postgres_cluster.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::RunDataTool;

QString DemoKennel(const QTemporaryDir& dir) {
    const QString data = dir.filePath(QStringLiteral("DATA"));
    const testing_support::ProgramResult load = testing_support::RunProgram(
        QStringLiteral("/bin/sh"), {QStringLiteral(HARVEL_SOURCE_DIR "/demo/load-demo.sh"), data,
                                    QStringLiteral(HARVEL_BIN_DIR "/harvel-data")});
    EXPECT_EQ(load.code, 0) << load.err.toStdString();
    return data;
}

TEST(HarvelDataCopy, TheDemoKennelGoesToTheServerAndBackByteForByte) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    QTemporaryDir dir;
    const QString kennel = DemoKennel(dir);
    const QString server = cluster->NewDatabase();

    const auto init = RunDataTool({QStringLiteral("init"), server});
    ASSERT_EQ(init.code, 0) << init.err.toStdString();
    EXPECT_EQ(init.out.toStdString(),
              QStringLiteral("V databázi %1 vytvořeny prázdné tabulky a role harvel_cteni "
                             "(čtení) a harvel_zapis (čtení a zápis).\n")
                  .arg(server)
                  .toStdString());

    const auto there = RunDataTool({QStringLiteral("copy"), kennel, server});
    ASSERT_EQ(there.code, 0) << there.err.toStdString();
    EXPECT_TRUE(there.out.contains(QStringLiteral("main_card.db: 15 záznamů\n")))
        << there.out.toStdString();
    EXPECT_TRUE(there.out.endsWith(QStringLiteral("; kopie souhlasí se zdrojem řádek po řádku.\n")))
        << there.out.toStdString();

    const QString back = dir.filePath(QStringLiteral("BACK"));
    const auto home = RunDataTool({QStringLiteral("copy"), server, back});
    ASSERT_EQ(home.code, 0) << home.err.toStdString();
    for (const platform::TableSchema& table : platform::AllTableSchemas()) {
        const auto before = RunDataTool({QStringLiteral("dump"), kennel, table.fileName});
        const auto after = RunDataTool({QStringLiteral("dump"), back, table.fileName});
        ASSERT_EQ(before.code, 0) << before.err.toStdString();
        EXPECT_EQ(before.out.toStdString(), after.out.toStdString())
            << table.fileName.toStdString();
    }

    // A report over the server's record sheets is the report over the folder's.
    const QString templateFile = QStringLiteral(HARVEL_SOURCE_DIR "/templates/EvidList01.pts");
    const auto reportOn = [&](const QString& data, const QString& out) {
        return testing_support::RunProgram(
            QStringLiteral(HARVEL_BIN_DIR "/harvel-report"),
            {QStringLiteral("--data"), data, QStringLiteral("--table"),
             QStringLiteral("main_card.db"), QStringLiteral("--template"), templateFile,
             QStringLiteral("--format"), QStringLiteral("dump"), QStringLiteral("--out"), out});
    };
    const QString localOut = dir.filePath(QStringLiteral("local.dump"));
    const QString serverOut = dir.filePath(QStringLiteral("server.dump"));
    const auto local = reportOn(kennel, localOut);
    const auto onServer = reportOn(server, serverOut);
    ASSERT_EQ(local.code, 0) << local.err.toStdString();
    ASSERT_EQ(onServer.code, 0) << onServer.err.toStdString();
    const QByteArray localBytes = testing_support::ReadFile(localOut);
    EXPECT_GT(localBytes.size(), 1000);
    EXPECT_TRUE(localBytes == testing_support::ReadFile(serverOut));

    // A second copy into the filled database is refused and changes nothing.
    const auto again = RunDataTool({QStringLiteral("copy"), kennel, server});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("již obsahuje záznamy")))
        << again.err.toStdString();
}

// The whole tree of files under `folder`, each with its bytes.
std::map<QString, QByteArray> FilesUnder(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator walk(folder, QDir::Files, QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString file = walk.next();
        files[QDir(folder).relativeFilePath(file)] = testing_support::ReadFile(file);
    }
    return files;
}

// The commands that read past the local dialect (the diary, the inbreeding,
// the statistics, the web pages) say on the club's server what they say on
// the folder it was copied from.
TEST(HarvelDataCopy, DiaryGeneticsStatisticsAndPagesReadTheSameOnTheServer) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    QTemporaryDir dir;
    const QString kennel = DemoKennel(dir);
    const QString server = cluster->NewDatabase();
    ASSERT_EQ(RunDataTool({QStringLiteral("init"), server}).code, 0);
    const auto copy = RunDataTool({QStringLiteral("copy"), kennel, server});
    ASSERT_EQ(copy.code, 0) << copy.err.toStdString();

    const QStringList commands[] = {
        {"agenda", "DATA", "--from", "1.1.2015", "--to", "31.12.2030"},
        {"stats", "DATA"},
        {"stats", "DATA", "--from", "2018", "--to", "2022", "--breed", "Bígl"},
        {"coi", "DATA", "Nela z Lipové aleje"},
        {"coi", "DATA", "--sire", "Kuba z Lipové aleje", "--dam", "Nela z Lipové aleje"},
        {"mates", "DATA", "Líza z Lipové aleje"},
    };
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.join(' ').toStdString());
        QStringList onFolder = command, onServer = command;
        onFolder[1] = kennel;
        onServer[1] = server;
        const auto local = RunDataTool(onFolder);
        const auto remote = RunDataTool(onServer);
        ASSERT_EQ(local.code, 0) << local.err.toStdString();
        EXPECT_FALSE(local.out.isEmpty());
        EXPECT_EQ(remote.code, 0) << remote.err.toStdString();
        EXPECT_EQ(local.out.toStdString(), remote.out.toStdString());
        EXPECT_EQ(local.err.toStdString(), remote.err.toStdString());
    }

    const QString localSite = dir.filePath(QStringLiteral("web-local"));
    const QString serverSite = dir.filePath(QStringLiteral("web-server"));
    ASSERT_EQ(RunDataTool({QStringLiteral("web"), kennel, localSite}).code, 0);
    const auto web = RunDataTool({QStringLiteral("web"), server, serverSite});
    ASSERT_EQ(web.code, 0) << web.err.toStdString();
    const std::map<QString, QByteArray> localFiles = FilesUnder(localSite);
    EXPECT_GT(localFiles.size(), 10u);
    EXPECT_TRUE(localFiles == FilesUnder(serverSite));
}

TEST(HarvelDataCopy, ACommandOfADataFolderToldAServerSaysHowToReachIt) {
    const auto backup = RunDataTool(
        {QStringLiteral("backup"), QStringLiteral("postgresql://jana:tajne@%2Fnikde/kch")});
    EXPECT_EQ(backup.code, 1);
    EXPECT_EQ(backup.err.toStdString(),
              "Příkaz backup pracuje se složkou dat. Databázi na serveru nejprve zkopírujte do "
              "prázdné složky: harvel-data copy postgresql://jana:***@%2Fnikde/kch SLOŽKA\n");
    // A command that works on a server names one it cannot reach, without the password.
    const auto dump =
        RunDataTool({QStringLiteral("dump"), QStringLiteral("postgresql://jana:tajne@%2Fnikde/kch"),
                     QStringLiteral("main_card.db")});
    EXPECT_EQ(dump.code, 1);
    EXPECT_TRUE(dump.err.startsWith(QStringLiteral(
        "K databázovému serveru postgresql://jana:***@%2Fnikde/kch se nelze připojit: ")))
        << dump.err.toStdString();
    EXPECT_FALSE(dump.err.contains(QStringLiteral("tajne")));
    const auto usage = RunDataTool({QStringLiteral("copy"), QStringLiteral("jen-zdroj")});
    EXPECT_EQ(usage.code, 2);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("harvel-data copy ZDROJ CÍL")));
}

}  // namespace
