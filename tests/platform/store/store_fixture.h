#pragma once
// A fresh kennel database in a temporary folder for store tests; with
// HARVEL_TEST_STORE=server in the environment, a fresh database on the
// private PostgreSQL test cluster instead, so the same tests try both stores.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_schema.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"
#include "tests/support/postgres_cluster.h"

namespace store_test {

// Whether this run tries the tests on the server store.
inline bool OnServerStore() {
    return qgetenv("HARVEL_TEST_STORE") == "server";
}

class StoreFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        if (OnServer()) {
            HARVEL_REQUIRE_POSTGRES(cluster);
            folder_ = cluster->NewDatabase();
            platform::PostgresConnection connection(folder_);
            platform::CreateServerSchema(connection);
        } else {
            folder_ = dir_.filePath(QStringLiteral("DATA"));
            platform::Database::CreateSchema(folder_);
        }
        db_ = std::make_unique<platform::Database>(folder_);
    }

    // Runs SQL on whichever store the test has (the same text must suit both).
    void ExecuteSql(const QString& sql) {
        if (db_->IsServer()) {
            db_->Server().Execute(sql);
        } else {
            db_->Handle().Execute(sql);
        }
    }

    static bool OnServer() { return OnServerStore(); }

    // Appends one main card with a name and optional other columns (name, text).
    void AddCard(const QString& name,
                 const std::vector<std::pair<QString, QString>>& columns = {}) {
        platform::Table cards(*db_, QStringLiteral("main_card.db"));
        cards.Open();
        cards.Append();
        cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(name);
        for (const auto& [column, text] : columns) {
            cards.FieldByName(column).SetAsString(text);
        }
        cards.Post();
    }

    void AddRow(const QString& table, const std::vector<std::pair<QString, QString>>& columns) {
        platform::Table t(*db_, table);
        t.Open();
        t.Append();
        for (const auto& [column, text] : columns) {
            t.FieldByName(column).SetAsString(text);
        }
        t.Post();
    }

    // The values of one column over a data set, from the first row to the end.
    static QStringList Column(platform::DataSet& ds, const QString& name) {
        QStringList values;
        for (ds.First(); !ds.Eof(); ds.Next()) {
            values << ds.FieldByName(name).AsString();
        }
        return values;
    }

    QStringList QueryColumn(const QString& sql, const QString& column) {
        platform::Query q(*db_);
        q.SetSQL(sql.split('\n'));
        q.Open();
        return Column(q, column);
    }

    QTemporaryDir dir_;
    QString folder_;
    std::unique_ptr<platform::Database> db_;
};

}  // namespace store_test

// For a test of what only the local file has (its bytes, its folder, SQLite's
// own SQL): skipped in the run on the server store.
#define SKIP_ON_SERVER_STORE(why)                     \
    if (store_test::OnServerStore()) {                \
        GTEST_SKIP() << "local file only: " << (why); \
    }

// Declares `location`: the test's data folder, or in the run on the server
// store a fresh database on the test cluster (the test skips without one).
#define HARVEL_TEST_DATA_LOCATION(location, folder) \
    QString location = (folder).path() + "/";       \
    if (store_test::OnServerStore()) {              \
        HARVEL_REQUIRE_POSTGRES(cluster);           \
        location = cluster->NewDatabase();          \
    }
