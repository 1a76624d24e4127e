#pragma once
// Where the kennel's database is: the data folder, or a breed club's
// database on a PostgreSQL server named in the settings file:
//
//   [Databaze]
//   Typ=PostgreSQL
//   Server=klub.example.cz      (a host name, or the folder of the server's socket)
//   Port=5432
//   Databaze=plemenna_kniha
//   Uzivatel=jana
//
// The password is never kept in the file: it comes from the user's
// ~/.pgpass or is asked for at start (server_login.h).

#include <QString>
#include <optional>

struct ServerSettings {
    QString server;
    int port = 5432;
    QString database;
    QString user;
};

// The server of the settings file; nothing for a kennel on its own desk (no
// [Databaze] section, or a Typ other than PostgreSQL).
std::optional<ServerSettings> ReadServerSettings(const QString& settingsFile);

// The "postgresql://" address of the server's database, with a password
// when one is given (it then lives only in memory).
QString ServerAddress(const ServerSettings& settings, const QString& password = QString());

// The address the program opens: the server of the settings file, or the data folder.
QString DatabaseAddress();
