// Harvel.INI naming a club's server, the address built from it, the login
// that asks for the password, and the data module working on the server.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QUrl>

#include "app/database_address.h"
#include "app/dmunit.h"
#include "app/server_login.h"
#include "platform/store/field.h"
#include "platform/store/postgres_connection.h"
#include "platform/widgets/dialogs.h"
#include "tests/support/postgres_cluster.h"
#include "tests/support/seams.h"
#include "tests/support/test_files.h"

namespace {

std::optional<ServerSettings> SettingsOf(const QByteArray& ini) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Harvel.INI"));
    testing_support::WriteFile(file, ini);
    return ReadServerSettings(file);
}

TEST(DatabaseAddress, TheSettingsNameAServerOnlyWithTypPostgreSQL) {
    const std::optional<ServerSettings> club = SettingsOf(
        "[Parametry]\r\nChovatel=Jana\r\n[Databaze]\r\nTyp=postgresql\r\nServer=klub.example.cz\r\n"
        "Port=6543\r\nDatabaze=plemenna_kniha\r\nUzivatel=jana\r\n");
    ASSERT_TRUE(club.has_value());
    EXPECT_EQ(club->server, QStringLiteral("klub.example.cz"));
    EXPECT_EQ(club->port, 6543);
    EXPECT_EQ(club->database, QStringLiteral("plemenna_kniha"));
    EXPECT_EQ(club->user, QStringLiteral("jana"));
    EXPECT_FALSE(SettingsOf("[Parametry]\r\nChovatel=Jana\r\n").has_value());
    EXPECT_FALSE(SettingsOf("[Databaze]\r\nTyp=SQLite\r\nServer=x\r\n").has_value());
    // The port is PostgreSQL's own when the file does not give one.
    EXPECT_EQ(SettingsOf("[Databaze]\r\nTyp=PostgreSQL\r\nServer=x\r\n")->port, 5432);
}

TEST(DatabaseAddress, EveryPartOfTheAddressIsEncoded) {
    const ServerSettings settings{QStringLiteral("/run/postgresql"), 5432,
                                  QStringLiteral("kniha č. 1"), QStringLiteral("jana@klub")};
    EXPECT_EQ(ServerAddress(settings),
              QStringLiteral("postgresql://jana%40klub@%2Frun%2Fpostgresql:5432/"
                             "kniha%20%C4%8D.%201"));
    EXPECT_EQ(ServerAddress(settings, QStringLiteral("t@j:n/é")),
              QStringLiteral("postgresql://jana%40klub:t%40j%3An%2F%C3%A9@%2Frun%2Fpostgresql:"
                             "5432/kniha%20%C4%8D.%201"));
    EXPECT_EQ(platform::AddressWithoutPassword(ServerAddress(settings, QStringLiteral("x"))),
              QStringLiteral("postgresql://jana%40klub:***@%2Frun%2Fpostgresql:5432/"
                             "kniha%20%C4%8D.%201"));
}

// The cluster's socket folder as the Server= of the settings file.
ServerSettings SettingsFor(testing_support::PostgresCluster& cluster, const QString& database,
                           const QString& user) {
    const QString address = cluster.Address(database, user);
    const QString host =
        QUrl::fromPercentEncoding(address.section('@', 1).section(':', 0, 0).toLatin1());
    return {host, address.section(':', -1).section('/', 0, 0).toInt(), database, user};
}

TEST(ServerLogin, AskedPasswordIsTriedUntilTheServerTakesIt) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString database = cluster->NewDatabase().section('/', -1);
    cluster->Execute(QStringLiteral("postgres"),
                     QStringLiteral("CREATE ROLE jana LOGIN PASSWORD 'tajne heslo'"));
    cluster->RequirePasswordFor(QStringLiteral("jana"));
    QStringList prompts;
    QStringList answers{QStringLiteral("špatné"), QStringLiteral("tajne heslo")};
    const platform::InputHandler previous =
        platform::SetInputHandler([&](const QString&, const QString& prompt, QString& value) {
            prompts << prompt;
            value = answers.takeFirst();
            return true;
        });
    const ServerSettings settings = SettingsFor(*cluster, database, QStringLiteral("jana"));
    const QString address = LoginAddress(settings);
    platform::SetInputHandler(previous);

    ASSERT_EQ(prompts.size(), 2);
    EXPECT_EQ(prompts[0], QStringLiteral("Heslo uživatele jana k databázi %1 na serveru %2:")
                              .arg(database, settings.server));
    // The second prompt gives the server's reason; the password is asked again
    // by libpq's flags, whatever language the server speaks.
    EXPECT_TRUE(prompts[1].startsWith(QStringLiteral("Server přihlášení nepřijal.\n")))
        << prompts[1].toStdString();
    EXPECT_TRUE(prompts[1].contains(QStringLiteral("jana"))) << prompts[1].toStdString();
    EXPECT_FALSE(prompts[1].contains(QStringLiteral("špatné"))) << prompts[1].toStdString();
    EXPECT_TRUE(
        prompts[1].endsWith(QStringLiteral("\n\nHeslo uživatele jana k databázi %1 na serveru %2:")
                                .arg(database, settings.server)));
    EXPECT_NO_THROW(platform::PostgresConnection{address});
}

TEST(ServerLogin, NoPasswordIsAskedWhereTheServerWantsNone) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString database = cluster->NewDatabase().section('/', -1);
    int asked = 0;
    const platform::InputHandler previous =
        platform::SetInputHandler([&](const QString&, const QString&, QString&) {
            ++asked;
            return false;
        });
    const ServerSettings settings = SettingsFor(*cluster, database, QStringLiteral("harvel"));
    EXPECT_EQ(LoginAddress(settings), ServerAddress(settings));
    platform::SetInputHandler(previous);
    EXPECT_EQ(asked, 0);
}

TEST(ServerDataModule, TheDataModuleOpensTheClubsBooksAndAReaderIsToldWhy) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString address = cluster->NewDatabase();
    platform::Database::CreateSchema(address);
    {
        platform::Database database(address);
        platform::Table cards(database, QStringLiteral("main_card.db"));
        cards.Open();
        cards.Append();
        cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QStringLiteral("Aron"));
        cards.Post();
    }
    cluster->Execute(QStringLiteral("postgres"),
                     QStringLiteral("CREATE ROLE poradce LOGIN IN ROLE harvel_cteni"));
    const QString asReader = cluster->Address(address.section('/', -1), QStringLiteral("poradce"));
    testing_support::ScriptedMessages messages;
    TDM1 module(asReader, nullptr, platform::OpenMode::ReadWriteOrReadOnly);
    ASSERT_TRUE(module.Database1.IsOpen());
    EXPECT_TRUE(module.Database1.IsServer());
    EXPECT_EQ(module.TaMain_Card.RecordCount(), 1);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("Databáze „%1“ je otevřena jen pro čtení (uživatel serveru smí data "
                             "jen číst). Záznamy lze prohlížet a tisknout, změny nelze uložit.")
                  .arg(asReader));
}

}  // namespace
