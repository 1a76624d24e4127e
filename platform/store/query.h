#pragma once
// A query in the store's local SQL (see sql_translator.h for the dialect):
// its text is set line by line, Open runs it and the result is read like a
// table, read-only. Re-opening runs the text again.

#include <QStringList>
#include <memory>

#include "platform/store/dataset.h"
#include "platform/store/row_store.h"
#include "platform/store/sql_translator.h"

namespace platform {

class Query : public DataSet {
  public:
    explicit Query(Database& database);
    ~Query() override;

    const QStringList& SQL() const { return sql_; }
    void SetSQL(const QStringList& lines);  // closes the query first
    void ClearSQL() { SetSQL({}); }
    void AddSQL(const QString& line);

    // On a club's server: starts reading the result on a connection of its
    // own, beside what the program does meanwhile; the next Open takes the
    // rows read when the text has not changed since. Nothing on a local file.
    void ReadAhead();

    QString DisplayName() const override;
    bool IsQuery() const override { return true; }

  protected:
    std::vector<ColumnSchema> DoOpen() override;
    void DoClose() override;
    std::vector<RowId> LoadRowIds() override;
    void FetchRow(RowId id, Row& out) override;
    bool FetchesByColumn() const override { return true; }
    Value FetchValue(RowId id, int column) override;
    std::vector<RowId> FindRows(const std::vector<int>& columns,
                                const std::vector<Value>& values) override;

  private:
    struct ServerRowsAhead;
    std::vector<ColumnSchema> OpenOnServer();
    std::unique_ptr<ServerRowsAhead> ahead_;
    QStringList sql_;
    RowStore result_;
    std::vector<RowId> order_;  // row numbers of result_ in the query's order
};

}  // namespace platform
