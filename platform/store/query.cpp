#include "platform/store/query.h"

#include <future>

#include "platform/store/database.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_values.h"
#include "platform/store/sort_keys.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"

namespace platform {

// The rows of a result read on a connection of their own (ReadAhead).
struct Query::ServerRowsAhead {
    QStringList sql;
    std::future<RowStore> rows;
};

Query::Query(Database& database) : DataSet(database) {}

Query::~Query() {
    try {
        Close();
    } catch (...) {
    }
}

void Query::SetSQL(const QStringList& lines) {
    Close();
    sql_ = lines;
}

void Query::AddSQL(const QString& line) {
    Close();
    sql_ << line;
}

QString Query::DisplayName() const {
    return Name().isEmpty() ? QStringLiteral("Dotaz") : QStringLiteral("Dotaz %1").arg(Name());
}

namespace {

std::vector<ColumnSchema> ResultColumns(const TranslatedQuery& translated) {
    std::vector<ColumnSchema> result;
    for (const ResultColumn& c : translated.columns) {
        ColumnSchema column = c.column;
        column.name = c.name;
        result.push_back(column);
    }
    return result;
}

// The whole result of a query on a server, read in one statement, so it is
// one consistent snapshot of the data; the server sorts it.
RowStore ReadServerResult(PostgresConnection& connection, const TranslatedQuery& translated) {
    std::vector<QByteArray> parameters;
    for (const Value& value : translated.parameters) {
        parameters.push_back(ParameterText(value));
    }
    const std::vector<ColumnSchema> columns = ResultColumns(translated);
    RowStore result;
    PostgresRowStream rows(connection, translated.sql, parameters);
    Row row(columns.size());
    while (rows.Next()) {
        ReadServerRow(rows, columns, 0, row);
        result.Append(row);
    }
    return result;
}

}  // namespace

void Query::ReadAhead() {
    Database* database = GetDatabase();
    // A run that reads one snapshot (OpenMode::ReadOnly) reads on its own connection only.
    if (!database->IsServer() || IsActive() || database->Mode() == OpenMode::ReadOnly) {
        return;
    }
    const TranslatedQuery translated = TranslateLocalSql(sql_.join('\n'), SqlTarget::Server);
    const QString address = database->Folder();
    ahead_ = std::make_unique<ServerRowsAhead>();
    ahead_->sql = sql_;
    ahead_->rows = std::async(std::launch::async, [address, translated] {
        PostgresConnection own(address);
        own.Execute(QStringLiteral("SET default_transaction_read_only = on"));
        return ReadServerResult(own, translated);
    });
}

std::vector<ColumnSchema> Query::OpenOnServer() {
    const TranslatedQuery translated = TranslateLocalSql(sql_.join('\n'), SqlTarget::Server);
    result_.Clear();
    order_.clear();
    // Rows read ahead for this very text are taken; a read ahead that failed
    // (a server that refuses a second connection) is read again here, where
    // its failure is reported.
    if (const std::unique_ptr<ServerRowsAhead> ahead = std::move(ahead_);
        ahead && ahead->sql == sql_) {
        try {
            result_ = ahead->rows.get();
            return ResultColumns(translated);
        } catch (const StoreError&) {
        }
    }
    try {
        result_ = ReadServerResult(GetDatabase()->Server(), translated);
    } catch (...) {
        result_.Clear();
        throw;
    }
    return ResultColumns(translated);
}

std::vector<ColumnSchema> Query::DoOpen() {
    if (GetDatabase()->IsServer()) {
        return OpenOnServer();
    }
    const TranslatedQuery translated = TranslateLocalSql(sql_.join('\n'));
    // The sort terms ride along as extra columns and the rows are sorted
    // here; DISTINCT must not see them, so it keeps SQLite's ORDER BY.
    const bool sortHere = !translated.distinct && !translated.order.empty();
    QString text = translated.sql;
    if (sortHere) {
        QStringList terms;
        for (const OrderTerm& term : translated.order) {
            terms << term.sql;
        }
        text =
            QStringLiteral("SELECT %1, %2 FROM %3")
                .arg(translated.selectList, terms.join(QStringLiteral(", ")), translated.fromWhere);
    }
    Statement statement(GetDatabase()->Handle().Raw(), text);
    for (size_t i = 0; i < translated.parameters.size(); ++i) {
        statement.Bind(static_cast<int>(i) + 1, translated.parameters[i]);
    }
    result_.Clear();
    order_.clear();
    const int columns = static_cast<int>(translated.columns.size());
    SortKeys keys;
    try {
        while (statement.Step()) {
            result_.AppendFrom(statement.Raw(), columns);
            if (sortHere) {
                keys.AppendFrom(statement.Raw(), columns, translated.order);
            }
        }
    } catch (...) {
        result_.Clear();
        throw;
    }
    if (sortHere) {
        order_ = keys.SortedRows();
    }
    return ResultColumns(translated);
}

void Query::DoClose() {
    result_.Clear();
}

std::vector<DataSet::RowId> Query::LoadRowIds() {
    if (!order_.empty()) {
        return order_;
    }
    std::vector<RowId> ids(result_.Size());
    for (size_t i = 0; i < ids.size(); ++i) {
        ids[i] = static_cast<RowId>(i);
    }
    return ids;
}

void Query::FetchRow(RowId id, Row& out) {
    result_.Read(static_cast<size_t>(id), out);
}

Value Query::FetchValue(RowId id, int column) {
    return result_.ReadValue(static_cast<size_t>(id), column);
}

std::vector<DataSet::RowId> Query::FindRows(const std::vector<int>& columns,
                                            const std::vector<Value>& values) {
    std::vector<RowId> found;
    for (size_t r = 0; r < result_.Size(); ++r) {
        bool all = true;
        for (size_t i = 0; i < columns.size() && all; ++i) {
            Value v = result_.ReadValue(r, columns[i]);
            if (const auto* s = std::get_if<QString>(&v); s != nullptr && s->isEmpty()) {
                v = Value();
            }
            all = v == values[i];
        }
        if (all) {
            found.push_back(static_cast<RowId>(r));
        }
    }
    return found;
}

}  // namespace platform
