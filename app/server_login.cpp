#include "app/server_login.h"

#include <sqlite3.h>

#include "platform/store/postgres_connection.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"

namespace {

constexpr int kAttempts = 3;

// Whether the server can be reached with the address; false only when it
// wants a (different) password.
bool Accepted(const QString& address) {
    try {
        platform::PostgresConnection probe(address);
        return true;
    } catch (const platform::StoreError& error) {
        return error.EngineCode() != SQLITE_AUTH;
    }
}

}  // namespace

QString LoginAddress(const ServerSettings& settings) {
    QString address = ServerAddress(settings);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (Accepted(address)) {
            return address;
        }
        const QString prompt =
            (attempt == 0 ? QString() : QStringLiteral("Server heslo nepřijal. ")) +
            QStringLiteral("Heslo uživatele %1 k databázi %2 na serveru %3:")
                .arg(settings.user, settings.database, settings.server);
        QString password;
        if (!platform::AskPassword(QStringLiteral("Přihlášení k databázi klubu"), prompt,
                                   password)) {
            break;
        }
        address = ServerAddress(settings, password);
    }
    return address;
}
