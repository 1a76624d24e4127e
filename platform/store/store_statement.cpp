#include "platform/store/store_statement.h"

#include <vector>

#include "platform/store/database.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_values.h"
#include "platform/store/reading_sql.h"
#include "platform/store/sqlite_handle.h"

namespace platform {

class StoreStatement::Side {
  public:
    virtual ~Side() = default;
    virtual void Bind(int index, const Value& value) = 0;
    virtual bool Step() = 0;
    virtual void Reset() = 0;
    virtual bool IsNull(int column) const = 0;
    virtual QString Text(int column) const = 0;
    virtual std::int64_t Int(int column) const = 0;
    virtual Value Column(int column) const = 0;
};

namespace {

class FileSide final : public StoreStatement::Side {
  public:
    FileSide(Connection& connection, const QString& sql) : statement_(connection.Raw(), sql) {}

    void Bind(int index, const Value& value) override { statement_.Bind(index, value); }
    bool Step() override { return statement_.Step(); }
    void Reset() override { statement_.Reset(); }
    bool IsNull(int column) const override {
        return sqlite3_column_type(statement_.Raw(), column) == SQLITE_NULL;
    }
    // Straight from SQLite's buffer: a scan reads hundreds of thousands of names.
    QString Text(int column) const override {
        sqlite3_stmt* raw = statement_.Raw();
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(raw, column));
        return text == nullptr ? QString()
                               : QString::fromUtf8(text, sqlite3_column_bytes(raw, column));
    }
    std::int64_t Int(int column) const override { return statement_.ColumnInt(column); }
    Value Column(int column) const override { return statement_.Column(column); }

  private:
    Statement statement_;
};

class ServerSide final : public StoreStatement::Side {
  public:
    ServerSide(PostgresConnection& connection, const QString& sql, StoreStatement::Reading reading)
        : connection_(connection), sql_(ServerReadingSql(sql)), reading_(reading) {}

    void Bind(int index, const Value& value) override {
        if (static_cast<int>(parameters_.size()) < index) {
            parameters_.resize(static_cast<size_t>(index));
        }
        parameters_[static_cast<size_t>(index - 1)] = ParameterText(value);
    }

    bool Step() override {
        if (!started_) {
            Start();
        }
        if (stream_) {
            return stream_->Next();
        }
        return ++row_ < result_->Rows();
    }

    void Reset() override {
        stream_.reset();
        result_.reset();
        started_ = false;
    }

    bool IsNull(int column) const override {
        return stream_ ? stream_->IsNull(column) : result_->IsNull(row_, column);
    }
    QString Text(int column) const override {
        return IsNull(column) ? QString() : QString::fromUtf8(Bytes(column));
    }
    std::int64_t Int(int column) const override {
        const Value value = Column(column);
        if (const auto* whole = std::get_if<std::int64_t>(&value)) {
            return *whole;
        }
        if (const auto* real = std::get_if<double>(&value)) {
            return static_cast<std::int64_t>(*real);
        }
        return Text(column).toLongLong();
    }
    Value Column(int column) const override {
        const unsigned type = stream_ ? stream_->ColumnType(column) : result_->ColumnType(column);
        return ValueOfServerType(type, Bytes(column), IsNull(column));
    }

  private:
    void Start() {
        if (reading_ == StoreStatement::Reading::Scan) {
            stream_ = std::make_unique<PostgresRowStream>(connection_, sql_, parameters_);
        } else {
            result_ = std::make_unique<PostgresResult>(connection_.RunPrepared(sql_, parameters_));
            row_ = -1;
        }
        started_ = true;
    }
    QByteArray Bytes(int column) const {
        return stream_ ? stream_->Bytes(column) : result_->Bytes(row_, column);
    }

    PostgresConnection& connection_;
    QString sql_;
    StoreStatement::Reading reading_;
    std::vector<QByteArray> parameters_;
    bool started_ = false;
    std::unique_ptr<PostgresRowStream> stream_;
    std::unique_ptr<PostgresResult> result_;
    int row_ = -1;
};

}  // namespace

StoreStatement::StoreStatement(Database& database, const QString& sql, Reading reading) {
    if (database.IsServer()) {
        side_ = std::make_unique<ServerSide>(database.Server(), sql, reading);
    } else {
        side_ = std::make_unique<FileSide>(database.Handle(), sql);
    }
}

StoreStatement::StoreStatement(Connection& connection, const QString& sql)
    : side_(std::make_unique<FileSide>(connection, sql)) {}

StoreStatement::~StoreStatement() = default;

void StoreStatement::Bind(int index, const Value& value) {
    side_->Bind(index, value);
}

bool StoreStatement::Step() {
    return side_->Step();
}

void StoreStatement::Reset() {
    side_->Reset();
}

bool StoreStatement::IsNull(int column) const {
    return side_->IsNull(column);
}

QString StoreStatement::Text(int column) const {
    return side_->Text(column);
}

std::int64_t StoreStatement::Int(int column) const {
    return side_->Int(column);
}

Value StoreStatement::Column(int column) const {
    return side_->Column(column);
}

}  // namespace platform
