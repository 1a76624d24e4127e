#pragma once
// A fresh kennel database in a temporary folder for store tests.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "platform/store/store.h"

namespace store_test {

class StoreFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.filePath(QStringLiteral("DATA"));
        platform::Database::CreateSchema(folder_);
        db_ = std::make_unique<platform::Database>(folder_);
    }

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
