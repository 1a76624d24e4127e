#include "postgres_cluster.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>

#include "platform/store/postgres_connection.h"
#include "platform/store/store_error.h"

namespace testing_support {
namespace {

constexpr const char* kSuperuser = "harvel";
constexpr int kPort = 5432;  // no TCP port is opened; the socket lies in the private folder

// The newest installed server's programs (Debian keeps them out of PATH).
QString ServerBinDir() {
    QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(),
              [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& v : versions) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
        if (QFile::exists(bin + QStringLiteral("/initdb"))) {
            return bin;
        }
    }
    return QString();
}

bool RunsAsRoot() {
    return geteuid() == 0;
}

}  // namespace

PostgresCluster* PostgresCluster::Shared(QString* whyNot) {
    static std::unique_ptr<PostgresCluster> cluster;
    static QString reason;
    static bool tried = false;
    if (!tried) {
        tried = true;
        cluster.reset(new PostgresCluster());
        if (!cluster->Start(&reason)) {
            cluster.reset();
        }
    }
    if (!cluster && whyNot != nullptr) {
        *whyNot = reason;
    }
    return cluster.get();
}

bool PostgresCluster::RunTool(const QString& tool, const QStringList& args, QString* output) const {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(dir_.path());
    const QString program = binDir_ + '/' + tool;
    if (RunsAsRoot()) {
        p.start(QStringLiteral("runuser"),
                QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"),
                            program} +
                    args);
    } else {
        p.start(program, args);
    }
    const bool finished = p.waitForFinished(120000);
    *output = QString::fromLocal8Bit(p.readAll());
    return finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool PostgresCluster::Start(QString* whyNot) {
    binDir_ = ServerBinDir();
    if (binDir_.isEmpty()) {
        *whyNot = QStringLiteral(
            "no server installed under /usr/lib/postgresql (package "
            "postgresql); the server tests are skipped");
        return false;
    }
    if (!dir_.isValid()) {
        *whyNot = QStringLiteral("no temporary folder");
        return false;
    }
    if (RunsAsRoot()) {
        const passwd* owner = getpwnam("postgres");
        if (owner == nullptr ||
            chown(dir_.path().toLocal8Bit().constData(), owner->pw_uid, owner->pw_gid) != 0) {
            *whyNot = QStringLiteral("running as root without a postgres user to run the server");
            return false;
        }
    }
    const QString data = dir_.filePath(QStringLiteral("data"));
    QString output;
    if (!RunTool(QStringLiteral("initdb"),
                 {QStringLiteral("-D"), data, QStringLiteral("-A"), QStringLiteral("trust"),
                  QStringLiteral("-U"), QString::fromLatin1(kSuperuser), QStringLiteral("-E"),
                  QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8")},
                 &output)) {
        *whyNot = QStringLiteral("initdb failed: ") + output;
        return false;
    }
    const QString options = QStringLiteral("-k %1 -c listen_addresses='' -p %2 -c fsync=off")
                                .arg(dir_.path())
                                .arg(kPort);
    if (!RunTool(QStringLiteral("pg_ctl"),
                 {QStringLiteral("-D"), data, QStringLiteral("-o"), options, QStringLiteral("-l"),
                  dir_.filePath(QStringLiteral("server.log")), QStringLiteral("-w"),
                  QStringLiteral("start")},
                 &output)) {
        *whyNot = QStringLiteral("the server did not start: ") + output;
        return false;
    }
    running_ = true;
    return true;
}

PostgresCluster::~PostgresCluster() {
    if (!running_) {
        return;
    }
    QString output;
    RunTool(QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-m"),
             QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")},
            &output);
}

QString PostgresCluster::Address(const QString& database, const QString& user) const {
    // Built by joining, not by arg(): the encoded socket folder holds "%2F".
    return QStringLiteral("postgresql://") +
           (user.isEmpty() ? QString::fromLatin1(kSuperuser) : user) + '@' +
           QString::fromLatin1(QUrl::toPercentEncoding(dir_.path())) + ':' +
           QString::number(kPort) + '/' + database;
}

void PostgresCluster::Execute(const QString& database, const QString& sql) const {
    try {
        platform::PostgresConnection connection(Address(database));
        connection.Execute(sql);
    } catch (const platform::StoreError& error) {
        ADD_FAILURE() << "SQL on the test cluster failed: " << error.Message().toStdString();
    }
}

void PostgresCluster::RequirePasswordFor(const QString& user) {
    QFile rules(dir_.filePath(QStringLiteral("data/pg_hba.conf")));
    if (!rules.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "pg_hba.conf cannot be read";
        return;
    }
    const QByteArray before = rules.readAll();
    rules.close();
    // The first matching line decides, so this one goes before "trust".
    const QByteArray rule = "local all " + user.toUtf8() + " scram-sha-256\n";
    if (!rules.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        rules.write(rule + before) != rule.size() + before.size()) {
        ADD_FAILURE() << "pg_hba.conf cannot be written";
        return;
    }
    rules.close();
    Execute(QStringLiteral("postgres"), QStringLiteral("SELECT pg_reload_conf()"));
}

QString PostgresCluster::NewDatabase() {
    const QString name = QStringLiteral("kennel_%1").arg(++databases_);
    Execute(QStringLiteral("postgres"),
            QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(name));
    return Address(name);
}

}  // namespace testing_support
