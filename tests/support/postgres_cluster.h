#pragma once
// A private PostgreSQL cluster for tests: made with initdb in a temporary
// folder and reached only over a Unix socket there (no network), started
// once per test program and stopped at its end. Each test takes a database
// of its own. Where PostgreSQL is not installed the tests skip with a
// message saying so.

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace testing_support {

class PostgresCluster {
  public:
    // The test program's cluster, started on first use; null when it cannot
    // run here, with the reason in `whyNot`.
    static PostgresCluster* Shared(QString* whyNot);
    ~PostgresCluster();

    // A new, empty UTF-8 database; its "postgresql://" address as the
    // cluster's superuser.
    QString NewDatabase();
    // The address of a database for another user.
    QString Address(const QString& database, const QString& user = QString()) const;
    // Makes the server ask `user` for a password on its socket (the others
    // keep logging in without one).
    void RequirePasswordFor(const QString& user);
    // Runs SQL as the superuser in a database (roles, grants); fails the test on an error.
    void Execute(const QString& database, const QString& sql) const;

  private:
    PostgresCluster() = default;
    bool Start(QString* whyNot);
    // Runs a server program as the cluster's owner (the postgres user when
    // the tests run as root, which PostgreSQL refuses to run as).
    bool RunTool(const QString& tool, const QStringList& args, QString* output) const;

    QTemporaryDir dir_{QStringLiteral("/tmp/harvel-pg-XXXXXX")};
    QString binDir_;
    bool running_ = false;
    int databases_ = 0;
};

}  // namespace testing_support

// Skips the current test when no cluster can be run here.
#define HARVEL_REQUIRE_POSTGRES(cluster)                                \
    QString postgresWhyNot;                                             \
    testing_support::PostgresCluster* cluster =                         \
        testing_support::PostgresCluster::Shared(&postgresWhyNot);      \
    if ((cluster) == nullptr) {                                         \
        GTEST_SKIP() << "PostgreSQL: " << postgresWhyNot.toStdString(); \
    }
