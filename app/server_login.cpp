#include "app/server_login.h"

#include <sqlite3.h>

#include <optional>

#include "platform/store/postgres_connection.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"

namespace {

constexpr int kAttempts = 3;

// Why the server refused the login with the address's password (or the
// lack of one), in its own words; nothing when it took the login or failed
// for another reason, which the opening of the database reports.
std::optional<QString> PasswordRefusal(const QString& address) {
    try {
        platform::PostgresConnection probe(address);
    } catch (const platform::StoreError& error) {
        if (error.EngineCode() == SQLITE_AUTH) {
            return error.Message();
        }
    }
    return std::nullopt;
}

}  // namespace

QString LoginAddress(const ServerSettings& settings) {
    QString address = ServerAddress(settings);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::optional<QString> refusal = PasswordRefusal(address);
        if (!refusal) {
            return address;
        }
        // After a password was tried, the server's reason: a wrong password,
        // or what else it refused the login for.
        const QString prompt =
            (attempt == 0 ? QString()
                          : QStringLiteral("Server přihlášení nepřijal.\n%1\n\n").arg(*refusal)) +
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
