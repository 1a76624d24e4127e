#include "platform/store/sql_translator.h"

#include <QSet>
#include <deque>

#include "platform/store/sql_lexer.h"
#include "platform/store/store_error.h"
#include "platform/store/value_check.h"
#include "platform/store/value_text.h"

namespace platform {
namespace {

constexpr int kMaxNesting = 64;

const char* const kReserved[] = {
    "SELECT", "FROM", "WHERE", "AND",  "OR",    "NOT",      "BETWEEN", "LIKE",   "IS",    "NULL",
    "IN",     "LEFT", "RIGHT", "FULL", "INNER", "OUTER",    "JOIN",    "ON",     "ORDER", "BY",
    "ASC",    "DESC", "AS",    "TRUE", "FALSE", "DISTINCT", "GROUP",   "HAVING", "UNION", "CROSS"};

bool IsReserved(const Token& t) {
    for (const char* word : kReserved) {
        if (t.IsKeyword(word)) {
            return true;
        }
    }
    return false;
}

bool IsTextLike(ColumnType type) {
    return type == ColumnType::Text || type == ColumnType::Memo;
}

struct TableRef {
    const TableSchema* schema = nullptr;
    QString alias;     // as written, may be empty
    QString sqlAlias;  // t0, t1, ...
};

struct Operand {
    enum Kind { Column, Text, Number, Boolean, Null } kind = Null;
    QString sql;  // a column's SQLite expression
    const ColumnSchema* column = nullptr;
    int table = -1;  // a column's table in tables_
    QString text;    // a text constant or the digits of a number
    bool boolean = false;
    int position = 0;
};

struct SelectItem {
    enum Kind { All, TableAll, Single, Aggregate } kind = All;
    QString qualifier, name, alias;
    QString function;  // COUNT, SUM, MIN, MAX or AVG for an aggregate
    bool distinct = false;
    bool star = false;  // COUNT(*)
    int position = 0;
};

const char* const kAggregates[] = {"COUNT", "SUM", "MIN", "MAX", "AVG"};

bool IsAggregateName(const Token& t) {
    for (const char* name : kAggregates) {
        if (t.IsKeyword(name)) {
            return true;
        }
    }
    return false;
}

struct OutputColumn {
    QString sql;
    ResultColumn meta;
};

QString FlipOperator(const QString& op) {
    if (op == QLatin1String("<")) {
        return QStringLiteral(">");
    }
    if (op == QLatin1String(">")) {
        return QStringLiteral("<");
    }
    if (op == QLatin1String("<=")) {
        return QStringLiteral(">=");
    }
    if (op == QLatin1String(">=")) {
        return QStringLiteral("<=");
    }
    return op;
}

class Translator {
  public:
    Translator(const QString& statement, SqlTarget target)
        : tokens_(TokenizeLocalSql(statement)), server_(target == SqlTarget::Server) {}

    TranslatedQuery Run() {
        if (!Peek().IsKeyword("SELECT")) {
            Fail(QStringLiteral("povolen je jen jeden příkaz SELECT"), Peek());
        }
        Take();
        const bool distinct = AcceptKeyword("DISTINCT");
        const std::vector<SelectItem> items = ParseSelectList();
        ExpectKeyword("FROM");
        QString from = ParseTableRef();
        for (QString join = ParseJoin(); !join.isEmpty(); join = ParseJoin()) {
            from += join;
        }
        ResolveSelectList(items);
        QStringList selected;
        for (const OutputColumn& c : output_) {
            selected << c.sql;
        }
        QString fromWhere = from;
        if (AcceptKeyword("WHERE")) {
            fromWhere += QStringLiteral(" WHERE ") + ParseOr();
        }
        fromWhere += ParseGrouping(items);
        if (AcceptKeyword("ORDER")) {
            ExpectKeyword("BY");
            aggregatesAllowed_ = grouped_;
            ParseOrderList();
            aggregatesAllowed_ = false;
            // Rows equal in every given column keep the order they were added in.
            if (!grouped_) {
                order_.push_back({QStringLiteral("t0.rowid"), false});
            }
        } else if (grouped_) {
            // Groups come in the order of their columns, as the keyed-table
            // engine listed them.
            order_ = groupOrder_;
        } else {
            DefaultOrder();
        }
        SelectGroupExpressions(selected);
        const QStringList orderTexts = OrderTexts(distinct, selected);
        const QString sql =
            QStringLiteral("SELECT ") + (distinct ? QStringLiteral("DISTINCT ") : QString()) +
            selected.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + fromWhere +
            (orderTexts.isEmpty()
                 ? QString()
                 : QStringLiteral(" ORDER BY ") + orderTexts.join(QStringLiteral(", ")));
        AcceptSymbol(";");
        if (Peek().kind != TokenKind::End) {
            Fail(QStringLiteral("za koncem příkazu následuje další text"), Peek());
        }
        TranslatedQuery result;
        result.sql = sql;
        result.distinct = distinct;
        result.selectList = selected.join(QStringLiteral(", "));
        result.fromWhere = fromWhere;
        result.order = std::move(order_);
        result.parameters = std::move(parameters_);
        for (OutputColumn& c : output_) {
            result.columns.push_back(std::move(c.meta));
        }
        return result;
    }

  private:
    // ---- tokens --------------------------------------------------------------
    const Token& Peek(size_t ahead = 0) const {
        const size_t i = pos_ + ahead;
        return i < tokens_.size() ? tokens_[i] : tokens_.back();
    }
    Token Take() {
        Token t = Peek();
        if (pos_ < tokens_.size() - 1) {
            ++pos_;
        }
        return t;
    }
    bool AcceptKeyword(const char* word) {
        if (!Peek().IsKeyword(word)) {
            return false;
        }
        Take();
        return true;
    }
    void ExpectKeyword(const char* word) {
        if (!AcceptKeyword(word)) {
            Fail(QStringLiteral("očekáváno %1").arg(QLatin1String(word)), Peek());
        }
    }
    bool AcceptSymbol(const char* symbol) {
        if (!Peek().IsSymbol(symbol)) {
            return false;
        }
        Take();
        return true;
    }
    void ExpectSymbol(const char* symbol) {
        if (!AcceptSymbol(symbol)) {
            Fail(QStringLiteral("očekáváno „%1“").arg(QLatin1String(symbol)), Peek());
        }
    }
    [[noreturn]] void Fail(const QString& what, const Token& at) const { Fail(what, at.position); }
    [[noreturn]] void Fail(const QString& what, int position) const {
        throw StoreError(
            QStringLiteral("Chybný příkaz SQL: %1 (pozice %2).").arg(what).arg(position));
    }
    QString Describe(const Token& t) const {
        return t.kind == TokenKind::End ? QStringLiteral("konec příkazu")
                                        : QStringLiteral("„%1“").arg(t.text);
    }
    QString Parameter(const Value& value) {
        parameters_.push_back(value);
        return (server_ ? QStringLiteral("$%1") : QStringLiteral("?%1")).arg(parameters_.size());
    }

    // ---- the two SQL dialects --------------------------------------------------
    // The local file's SQLite knows the Czech order as the collation CZECH and
    // the function czech_key; a PostgreSQL server as the ICU collation its
    // text columns carry, which also names it for other text expressions.
    QString Czech() const {
        return server_ ? QStringLiteral(" COLLATE \"cs-CZ-x-icu\"")
                       : QStringLiteral(" COLLATE CZECH");
    }
    QString EmptyIfNull(const QString& sql) const {
        return (server_ ? QStringLiteral("coalesce(%1, '')") : QStringLiteral("ifnull(%1, '')"))
            .arg(sql);
    }
    QString SortKey(const QString& sql) const {
        return server_ ? sql + Czech() : QStringLiteral("czech_key(%1)").arg(sql);
    }
    QString Like(const QString& value, const QString& pattern) const {
        // Both: case-sensitive, "_" and "%" only (no escape), a null value empty.
        return server_ ? QStringLiteral("(coalesce(%1, '') LIKE %2 ESCAPE '')").arg(value, pattern)
                       : QStringLiteral("harvel_like(%1, %2)").arg(value, pattern);
    }
    // SQLite puts nulls first in an ascending order and last in a descending
    // one; the server is told to do the same.
    QString Direction(bool descending) const {
        if (!server_) {
            return descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
        }
        return descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" ASC NULLS FIRST");
    }
    // The server lets a grouped query select and sort a group's column only
    // as the expression it groups by, so an empty text's group is selected
    // as empty (the same value here as null).
    void SelectGroupExpressions(QStringList& selected) {
        for (const QString& column : textGroupColumns_) {
            for (QString& sql : selected) {
                if (sql == column) {
                    sql = EmptyIfNull(column);
                }
            }
            for (OrderTerm& term : order_) {
                if (term.sql == SortKey(column)) {
                    term.sql = SortKey(EmptyIfNull(column));
                }
            }
        }
    }

    // The server sorts a DISTINCT result only by what it selects: each term
    // becomes the number of the selected column it sorts by; a term that is
    // no selected column (the row id) is left out, as rows that were merged
    // into one have no single id.
    QStringList OrderTexts(bool distinct, const QStringList& selected) const {
        QStringList texts;
        if (server_ && distinct) {
            texts = DistinctOrderTexts(selected);
            return texts;
        }
        for (const OrderTerm& term : order_) {
            texts << term.sql + Direction(term.descending);
        }
        return texts;
    }
    // Without a term it can use, the server sorts by the selected columns in turn.
    QStringList DistinctOrderTexts(const QStringList& selected) const {
        QStringList texts;
        for (const OrderTerm& term : order_) {
            for (qsizetype i = 0; i < selected.size(); ++i) {
                if (term.sql == selected[i] || term.sql == SortKey(selected[i])) {
                    texts << QString::number(i + 1) + Direction(term.descending);
                    break;
                }
            }
        }
        if (texts.isEmpty()) {
            for (qsizetype i = 0; i < selected.size(); ++i) {
                texts << QString::number(i + 1) + Direction(false);
            }
        }
        return texts;
    }

    // ---- tables --------------------------------------------------------------
    QString ParseTableRef() {
        const Token name = Take();
        if (!(name.kind == TokenKind::Name && !IsReserved(name)) &&
            !(name.kind == TokenKind::Text && name.quotedName)) {
            Fail(QStringLiteral("očekáván název tabulky, nalezeno %1").arg(Describe(name)), name);
        }
        TableRef ref;
        ref.schema = FindTableSchema(name.text);
        if (ref.schema == nullptr) {
            Fail(QStringLiteral("tabulka „%1“ neexistuje").arg(name.text), name);
        }
        if (AcceptKeyword("AS")) {
            if (Peek().kind != TokenKind::Name || IsReserved(Peek())) {
                Fail(QStringLiteral("očekáván alias tabulky"), Peek());
            }
            ref.alias = Take().text;
        } else if (Peek().kind == TokenKind::Name && !IsReserved(Peek())) {
            ref.alias = Take().text;
        }
        ref.sqlAlias = QStringLiteral("t%1").arg(tables_.size());
        tables_.push_back(ref);
        return QuoteIdentifier(ref.schema->sqlName) + QStringLiteral(" AS ") + ref.sqlAlias;
    }

    QString ParseJoin() {
        QString kind;
        if (Peek().IsKeyword("LEFT")) {
            Take();
            AcceptKeyword("OUTER");
            kind = QStringLiteral(" LEFT JOIN ");
        } else if (Peek().IsKeyword("INNER")) {
            Take();
            kind = QStringLiteral(" JOIN ");
        } else if (Peek().IsKeyword("JOIN")) {
            kind = QStringLiteral(" JOIN ");
        } else {
            if (Peek().IsKeyword("RIGHT") || Peek().IsKeyword("FULL") ||
                Peek().IsKeyword("CROSS") || Peek().IsSymbol(",")) {
                Fail(QStringLiteral("podporováno je jen LEFT JOIN a JOIN"), Peek());
            }
            return QString();
        }
        ExpectKeyword("JOIN");
        QString text = kind + ParseTableRef();
        ExpectKeyword("ON");
        return text + QStringLiteral(" ON ") + ParseOr();
    }

    int FindTable(const QString& qualifier, const Token& at) const {
        for (size_t i = 0; i < tables_.size(); ++i) {
            const TableRef& t = tables_[i];
            if (t.alias.compare(qualifier, Qt::CaseInsensitive) == 0) {
                return static_cast<int>(i);
            }
        }
        for (size_t i = 0; i < tables_.size(); ++i) {
            if (tables_[i].schema->sqlName.compare(qualifier, Qt::CaseInsensitive) == 0) {
                return static_cast<int>(i);
            }
        }
        Fail(QStringLiteral("tabulka „%1“ není v příkazu uvedena").arg(qualifier), at);
    }

    Operand ColumnOperand(const QString& qualifier, const QString& name, const Token& at) const {
        int table = -1;
        const ColumnSchema* column = nullptr;
        if (!qualifier.isEmpty()) {
            table = FindTable(qualifier, at);
            column = tables_[static_cast<size_t>(table)].schema->FindColumn(name);
        } else {
            // An unqualified name belongs to the first table that has it.
            for (size_t i = 0; i < tables_.size() && column == nullptr; ++i) {
                column = tables_[i].schema->FindColumn(name);
                table = static_cast<int>(i);
            }
        }
        if (column == nullptr) {
            Fail(QStringLiteral("neznámý sloupec „%1“").arg(name), at);
        }
        Operand o;
        o.kind = Operand::Column;
        o.column = column;
        o.table = table;
        o.position = at.position;
        // A value damaged outside the program (a text in a date column)
        // compares, sorts and groups as null.
        // The server's typed columns hold no such value.
        const QString sql =
            tables_[static_cast<size_t>(table)].sqlAlias + '.' + QuoteIdentifier(column->name);
        o.sql = server_ ? sql : CheckedColumnSql(*column, sql);
        return o;
    }

    // ---- select list -----------------------------------------------------------
    std::vector<SelectItem> ParseSelectList() {
        std::vector<SelectItem> items;
        do {
            SelectItem item;
            item.position = Peek().position;
            if (AcceptSymbol("*")) {
                item.kind = SelectItem::All;
            } else {
                if (IsAggregateName(Peek()) && Peek(1).IsSymbol("(")) {
                    items.push_back(ParseAggregateItem());
                    continue;
                }
                const Token first = Take();
                if (first.kind != TokenKind::Name || IsReserved(first)) {
                    Fail(QStringLiteral("v seznamu sloupců je povolen jen sloupec, nalezeno %1")
                             .arg(Describe(first)),
                         first);
                }
                item.kind = SelectItem::Single;
                item.name = first.text;
                if (AcceptSymbol(".")) {
                    item.qualifier = first.text;
                    if (AcceptSymbol("*")) {
                        item.kind = SelectItem::TableAll;
                    } else {
                        const Token second = Take();
                        if (second.kind != TokenKind::Name || IsReserved(second)) {
                            Fail(QStringLiteral("očekáván název sloupce"), second);
                        }
                        item.name = second.text;
                    }
                }
                if (item.kind == SelectItem::Single && AcceptKeyword("AS")) {
                    if (Peek().kind != TokenKind::Name || IsReserved(Peek())) {
                        Fail(QStringLiteral("očekáván název sloupce výsledku"), Peek());
                    }
                    item.alias = Take().text;
                }
            }
            items.push_back(item);
        } while (AcceptSymbol(","));
        return items;
    }

    // COUNT(*), COUNT([DISTINCT] column), SUM|MIN|MAX|AVG([DISTINCT] column) [AS name].
    SelectItem ParseAggregateItem() {
        SelectItem item;
        item.kind = SelectItem::Aggregate;
        item.position = Peek().position;
        item.function = Take().text.toUpper();
        ExpectSymbol("(");
        item.distinct = AcceptKeyword("DISTINCT");
        if (!item.distinct && item.function == QLatin1String("COUNT") && AcceptSymbol("*")) {
            item.star = true;
        } else {
            const Token first = Take();
            if (first.kind != TokenKind::Name || IsReserved(first)) {
                Fail(QStringLiteral("očekáván název sloupce"), first);
            }
            item.name = first.text;
            if (AcceptSymbol(".")) {
                const Token second = Take();
                if (second.kind != TokenKind::Name || IsReserved(second)) {
                    Fail(QStringLiteral("očekáván název sloupce"), second);
                }
                item.qualifier = first.text;
                item.name = second.text;
            }
        }
        ExpectSymbol(")");
        if (AcceptKeyword("AS")) {
            if (Peek().kind != TokenKind::Name || IsReserved(Peek())) {
                Fail(QStringLiteral("očekáván název sloupce výsledku"), Peek());
            }
            item.alias = Take().text;
        }
        return item;
    }

    // The SQLite expression of an aggregate and the column it yields. Texts
    // count and compare as the store keeps them: empty is null, order Czech.
    Operand AggregateOperand(const SelectItem& item) {
        Token at;
        at.position = item.position;
        ColumnSchema& column = syntheticColumns_.emplace_back();
        Operand o;
        o.kind = Operand::Column;
        o.position = item.position;
        o.column = &column;
        const QString distinct = item.distinct ? QStringLiteral("DISTINCT ") : QString();
        if (item.star) {
            column = {QStringLiteral("COUNT OF *"), ColumnType::Integer, 0, QString()};
            o.sql = QStringLiteral("count(*)");
            return o;
        }
        const Operand argument = ColumnOperand(item.qualifier, item.name, at);
        const ColumnSchema& source = *argument.column;
        if (source.type == ColumnType::Graphic || source.type == ColumnType::Memo) {
            Fail(QStringLiteral("sloupec %1 nelze použít v souhrnné funkci").arg(source.name),
                 item.position);
        }
        const bool text = IsTextLike(source.type);
        const QString value =
            text ? QStringLiteral("nullif(%1, '')").arg(argument.sql) : argument.sql;
        const QString name = item.function + QStringLiteral(" OF ") + source.name;
        if (item.function == QLatin1String("COUNT")) {
            column = {name, ColumnType::Integer, 0, QString()};
            o.sql = QStringLiteral("count(%1%2)").arg(distinct, value);
        } else if (item.function == QLatin1String("MIN") || item.function == QLatin1String("MAX")) {
            column = source;
            column.name = name;
            column.caption.clear();  // "MAX OF Datum" is not the column itself
            o.sql = QStringLiteral("%1(%2%3%4)")
                        .arg(item.function.toLower(), distinct, value, text ? Czech() : QString());
        } else {
            const bool numeric =
                source.type == ColumnType::Smallint || source.type == ColumnType::Integer ||
                source.type == ColumnType::Largeint || source.type == ColumnType::Float;
            if (!numeric) {
                Fail(QStringLiteral("%1 lze použít jen na číselný sloupec, %2 je %3")
                         .arg(item.function, source.name, ColumnTypeName(source.type)),
                     item.position);
            }
            const bool sumOfIntegers =
                item.function == QLatin1String("SUM") && source.type != ColumnType::Float;
            column = {name, sumOfIntegers ? ColumnType::Largeint : ColumnType::Float, 0, QString()};
            o.sql = QStringLiteral("%1(%2%3)").arg(item.function.toLower(), distinct, argument.sql);
        }
        return o;
    }

    // GROUP BY column, ... [HAVING condition]. A query with an aggregate or a
    // GROUP BY is grouped: every plain column it selects must be a group column.
    QString ParseGrouping(const std::vector<SelectItem>& items) {
        QString sql;
        QStringList groupColumns;
        if (AcceptKeyword("GROUP")) {
            ExpectKeyword("BY");
            grouped_ = true;
            QStringList terms;
            do {
                const Token t = Peek();
                const Operand o = ParseOperand();
                if (o.kind != Operand::Column) {
                    Fail(QStringLiteral("seskupovat lze jen podle sloupce"), t);
                }
                if (o.column->type == ColumnType::Graphic || o.column->type == ColumnType::Memo) {
                    Fail(QStringLiteral("podle sloupce %1 nelze seskupovat").arg(o.column->name),
                         t);
                }
                const bool text = IsTextLike(o.column->type);
                // Empty and null texts form one group, as they are one value here.
                terms << (text ? EmptyIfNull(o.sql) : o.sql);
                groupColumns << o.sql;
                if (text && server_) {
                    textGroupColumns_ << o.sql;
                }
                groupOrder_.push_back(
                    {text ? SortKey(server_ ? EmptyIfNull(o.sql) : o.sql) : o.sql, false});
            } while (AcceptSymbol(","));
            sql = QStringLiteral(" GROUP BY ") + terms.join(QStringLiteral(", "));
        }
        if (Peek().IsKeyword("HAVING")) {
            if (!grouped_) {
                Fail(QStringLiteral("HAVING bez souhrnné funkce nebo GROUP BY"), Peek());
            }
            Take();
            aggregatesAllowed_ = true;
            sql += QStringLiteral(" HAVING ") + ParseOr();
            aggregatesAllowed_ = false;
        }
        if (grouped_) {
            CheckGroupedSelectList(items, groupColumns);
        }
        return sql;
    }

    void CheckGroupedSelectList(const std::vector<SelectItem>& items,
                                const QStringList& groupColumns) {
        for (size_t i = 0; i < items.size(); ++i) {
            const SelectItem& item = items[i];
            if (item.kind == SelectItem::Aggregate) {
                continue;
            }
            if (item.kind != SelectItem::Single) {
                Fail(QStringLiteral("se souhrnnými funkcemi nelze vybrat všechny sloupce (*)"),
                     item.position);
            }
            if (!groupColumns.contains(selectedSql_[i])) {
                Fail(QStringLiteral("sloupec „%1“ musí být uveden v GROUP BY").arg(item.name),
                     item.position);
            }
        }
    }
    void AddOutput(const QString& sql, const ColumnSchema& column, const TableSchema& table,
                   const QString& alias) {
        // A column the statement renames is shown under the name it was given.
        ColumnSchema shown = column;
        if (!alias.isEmpty()) {
            shown.caption.clear();
        }
        output_.push_back(
            {sql, {UniqueName(alias.isEmpty() ? column.name : alias), shown, table.fileName}});
    }

    QString UniqueName(const QString& wanted) {
        QString name = wanted;
        for (int n = 1; usedNames_.contains(name.toLower()); ++n) {
            name = wanted + QStringLiteral("_%1").arg(n);
        }
        usedNames_.insert(name.toLower());
        return name;
    }

    void AddTable(const TableRef& t) {
        for (const ColumnSchema& c : t.schema->columns) {
            AddOutput(t.sqlAlias + '.' + QuoteIdentifier(c.name), c, *t.schema, QString());
        }
    }

    void ResolveSelectList(const std::vector<SelectItem>& items) {
        Token at;
        for (const SelectItem& item : items) {
            at.position = item.position;
            selectedSql_ << QString();
            if (item.kind == SelectItem::Aggregate) {
                grouped_ = true;
                const Operand o = AggregateOperand(item);
                output_.push_back({o.sql,
                                   {UniqueName(item.alias.isEmpty() ? o.column->name : item.alias),
                                    *o.column, QString()}});
            } else if (item.kind == SelectItem::All) {
                for (const TableRef& t : tables_) {
                    AddTable(t);
                }
            } else if (item.kind == SelectItem::TableAll) {
                AddTable(tables_[static_cast<size_t>(FindTable(item.qualifier, at))]);
            } else {
                const Operand o = ColumnOperand(item.qualifier, item.name, at);
                const TableSchema* owner = tables_[static_cast<size_t>(o.table)].schema;
                AddOutput(o.sql, *o.column, *owner, item.alias);
                selectedSql_.back() = o.sql;
            }
        }
    }

    // ---- conditions ------------------------------------------------------------
    struct NestingGuard {
        explicit NestingGuard(Translator& t) : translator(t) {
            if (++translator.nesting_ > kMaxNesting) {
                translator.Fail(QStringLiteral("podmínka je příliš hluboko vnořená"),
                                translator.Peek());
            }
        }
        ~NestingGuard() { --translator.nesting_; }
        Translator& translator;
    };

    QString ParseOr() {
        NestingGuard guard(*this);
        QString sql = ParseAnd();
        while (AcceptKeyword("OR")) {
            sql = sql + QStringLiteral(" OR ") + ParseAnd();
        }
        return sql;
    }

    QString ParseAnd() {
        QString sql = ParseNot();
        while (AcceptKeyword("AND")) {
            sql = sql + QStringLiteral(" AND ") + ParseNot();
        }
        return sql;
    }

    QString ParseNot() {
        if (AcceptKeyword("NOT")) {
            NestingGuard guard(*this);
            return QStringLiteral("NOT (") + ParseNot() + ')';
        }
        if (Peek().IsSymbol("(")) {
            Take();
            const QString inner = ParseOr();
            ExpectSymbol(")");
            return '(' + inner + ')';
        }
        return ParsePredicate();
    }

    Operand ParseOperand() {
        const Token t = Take();
        Operand o;
        o.position = t.position;
        if (t.kind == TokenKind::Text) {
            o.kind = Operand::Text;
            o.text = t.text;
        } else if (t.kind == TokenKind::Number) {
            o.kind = Operand::Number;
            o.text = t.text;
        } else if (t.IsSymbol("-") && Peek().kind == TokenKind::Number) {
            o.kind = Operand::Number;
            o.text = '-' + Take().text;
        } else if (t.IsKeyword("TRUE") || t.IsKeyword("FALSE")) {
            o.kind = Operand::Boolean;
            o.boolean = t.IsKeyword("TRUE");
        } else if (t.IsKeyword("NULL")) {
            o.kind = Operand::Null;
        } else if (IsAggregateName(t) && Peek().IsSymbol("(")) {
            if (!aggregatesAllowed_) {
                Fail(QStringLiteral("souhrnnou funkci %1 lze použít jen v seznamu sloupců, "
                                    "v HAVING a v ORDER BY")
                         .arg(t.text.toUpper()),
                     t);
            }
            --pos_;
            return AggregateOperand(ParseAggregateItem());
        } else if (t.kind == TokenKind::Name && !IsReserved(t)) {
            if (AcceptSymbol(".")) {
                const Token name = Take();
                if (name.kind != TokenKind::Name || IsReserved(name)) {
                    Fail(QStringLiteral("očekáván název sloupce"), name);
                }
                return ColumnOperand(t.text, name.text, t);
            }
            return ColumnOperand(QString(), t.text, t);
        } else {
            Fail(QStringLiteral("očekáván sloupec nebo konstanta, nalezeno %1").arg(Describe(t)),
                 t);
        }
        return o;
    }

    static Value RawValue(const Operand& o) {
        switch (o.kind) {
            case Operand::Text:
                return Value(o.text);
            case Operand::Number:
                if (!o.text.contains('.')) {
                    bool ok = false;
                    const qlonglong v = o.text.toLongLong(&ok);
                    if (ok) {
                        return Value(static_cast<std::int64_t>(v));
                    }
                }
                return Value(o.text.toDouble());
            case Operand::Boolean:
                return Value(static_cast<std::int64_t>(o.boolean ? 1 : 0));
            default:
                return Value();
        }
    }

    [[noreturn]] void Mismatch(const Operand& constant, const ColumnSchema& column) const {
        const QString shown =
            constant.kind == Operand::Boolean
                ? (constant.boolean ? QStringLiteral("TRUE") : QStringLiteral("FALSE"))
                : constant.text;
        Fail(QStringLiteral("hodnotu „%1“ nelze porovnat se sloupcem %2 (%3)")
                 .arg(shown, column.name, ColumnTypeName(column.type)),
             constant.position);
    }

    // The constant in the form the column keeps; null stands for "empty".
    Value Coerce(const Operand& constant, const ColumnSchema& column) const {
        if (constant.kind == Operand::Null) {
            return Value();
        }
        switch (column.type) {
            case ColumnType::Text:
            case ColumnType::Memo:
                if (constant.kind == Operand::Boolean) {
                    Mismatch(constant, column);
                }
                return constant.text.isEmpty() ? Value() : Value(constant.text);
            case ColumnType::Date: {
                if (constant.kind != Operand::Text) {
                    Mismatch(constant, column);
                }
                if (constant.text.trimmed().isEmpty()) {
                    return Value();
                }
                const QDate date = ParseDateText(constant.text);
                if (!date.isValid()) {
                    Fail(QStringLiteral("„%1“ není platné datum (sloupec %2)")
                             .arg(constant.text, column.name),
                         constant.position);
                }
                return Value(DateToIso(date));
            }
            case ColumnType::Boolean:
                if (constant.kind == Operand::Boolean) {
                    return RawValue(constant);
                }
                if (constant.kind == Operand::Text) {
                    const QString t = constant.text.trimmed();
                    if (t.isEmpty()) {
                        return Value();
                    }
                    if (t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) {
                        return Value(std::int64_t{1});
                    }
                    if (t.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
                        return Value(std::int64_t{0});
                    }
                }
                if (constant.kind == Operand::Number &&
                    (constant.text == QLatin1String("0") || constant.text == QLatin1String("1"))) {
                    return RawValue(constant);
                }
                Mismatch(constant, column);
            case ColumnType::Smallint:
            case ColumnType::Integer:
            case ColumnType::Largeint:
            case ColumnType::Float: {
                if (constant.kind == Operand::Number) {
                    return RawValue(constant);
                }
                if (constant.kind != Operand::Text) {
                    Mismatch(constant, column);
                }
                if (constant.text.trimmed().isEmpty()) {
                    return Value();
                }
                if (const auto i = ParseIntegerText(constant.text)) {
                    return Value(*i);
                }
                if (const auto d = ParseFloatText(constant.text)) {
                    return Value(*d);
                }
                Mismatch(constant, column);
            }
            case ColumnType::Graphic:
                Mismatch(constant, column);
        }
        return Value();
    }

    QString EmitCompare(Operand left, QString op, Operand right) {
        if (op == QLatin1String("!=")) {
            op = QStringLiteral("<>");
        }
        if (left.kind != Operand::Column && right.kind == Operand::Column) {
            std::swap(left, right);
            op = FlipOperator(op);
        }
        const bool ordering = op != QLatin1String("=") && op != QLatin1String("<>");
        if (left.kind != Operand::Column) {
            const bool texts = left.kind == Operand::Text && right.kind == Operand::Text;
            return Parameter(RawValue(left)) + (texts ? Czech() : QString()) + ' ' + op + ' ' +
                   Parameter(RawValue(right));
        }
        const ColumnSchema& column = *left.column;
        if (column.type == ColumnType::Graphic) {
            Fail(QStringLiteral("sloupec %1 nelze porovnávat").arg(column.name), left.position);
        }
        const bool text = IsTextLike(column.type);
        if (right.kind == Operand::Column) {
            if (text && ordering) {
                return left.sql + Czech() + ' ' + op + ' ' + right.sql;
            }
            return left.sql + ' ' + op + ' ' + right.sql;
        }
        const Value value = Coerce(right, column);
        const bool empty = IsNullValue(value);
        if (op == QLatin1String("=")) {
            if (!empty) {
                return left.sql + QStringLiteral(" = ") + Parameter(value);
            }
            return text ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(left.sql)
                        : left.sql + QStringLiteral(" IS NULL");
        }
        if (op == QLatin1String("<>")) {
            if (empty) {
                return text ? QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(left.sql)
                            : left.sql + QStringLiteral(" IS NOT NULL");
            }
            return text ? QStringLiteral("(%1 IS NULL OR %1 <> %2)").arg(left.sql, Parameter(value))
                        : left.sql + QStringLiteral(" <> ") + Parameter(value);
        }
        if (text) {
            return EmptyIfNull(left.sql) + Czech() + ' ' + op + ' ' +
                   Parameter(empty ? Value(QString()) : value);
        }
        return left.sql + ' ' + op + ' ' + Parameter(value);
    }

    QString EmitBetween(const Operand& subject, const Operand& low, const Operand& high,
                        bool negated) {
        const QString keyword =
            negated ? QStringLiteral(" NOT BETWEEN ") : QStringLiteral(" BETWEEN ");
        if (subject.kind != Operand::Column) {
            const QString lo = Parameter(RawValue(low));
            return Parameter(RawValue(subject)) + keyword + lo + QStringLiteral(" AND ") +
                   Parameter(RawValue(high));
        }
        const ColumnSchema& column = *subject.column;
        auto bound = [&](const Operand& o) {
            if (o.kind == Operand::Column) {
                return o.sql;
            }
            const Value v = Coerce(o, column);
            return Parameter(IsTextLike(column.type) && IsNullValue(v) ? Value(QString()) : v);
        };
        if (column.type == ColumnType::Graphic) {
            Fail(QStringLiteral("sloupec %1 nelze porovnávat").arg(column.name), subject.position);
        }
        if (IsTextLike(column.type)) {
            const QString lo = bound(low);
            return EmptyIfNull(subject.sql) + Czech() + keyword + lo + QStringLiteral(" AND ") +
                   bound(high);
        }
        const QString lo = bound(low);
        return subject.sql + keyword + lo + QStringLiteral(" AND ") + bound(high);
    }

    QString LikeSide(const Operand& o, const char* role) {
        if (o.kind == Operand::Text) {
            return Parameter(Value(o.text));
        }
        if (o.kind == Operand::Column && IsTextLike(o.column->type)) {
            return o.sql;
        }
        Fail(QStringLiteral("LIKE lze použít jen na text (%1)").arg(QLatin1String(role)),
             o.position);
    }

    QString EmitIn(const Operand& subject, bool negated) {
        ExpectSymbol("(");
        QStringList values;
        do {
            const Operand item = ParseOperand();
            if (item.kind == Operand::Column) {
                Fail(QStringLiteral("v seznamu IN jsou jen konstanty"), item.position);
            }
            if (subject.kind != Operand::Column) {
                values << Parameter(RawValue(item));
                continue;
            }
            const Value v = Coerce(item, *subject.column);
            values << Parameter(
                IsTextLike(subject.column->type) && IsNullValue(v) ? Value(QString()) : v);
        } while (AcceptSymbol(","));
        ExpectSymbol(")");
        QString target = subject.kind != Operand::Column    ? QString()
                         : IsTextLike(subject.column->type) ? EmptyIfNull(subject.sql)
                                                            : subject.sql;
        if (subject.kind != Operand::Column) {
            target = Parameter(RawValue(subject));
        }
        return target + (negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN (")) +
               values.join(QStringLiteral(", ")) + ')';
    }

    QString ParsePredicate() {
        const Operand left = ParseOperand();
        const Token op = Peek();
        if (op.kind == TokenKind::Symbol &&
            (op.text == QLatin1String("=") || op.text == QLatin1String("<>") ||
             op.text == QLatin1String("!=") || op.text == QLatin1String("<") ||
             op.text == QLatin1String(">") || op.text == QLatin1String("<=") ||
             op.text == QLatin1String(">="))) {
            Take();
            return EmitCompare(left, op.text, ParseOperand());
        }
        if (AcceptKeyword("IS")) {
            const bool negated = AcceptKeyword("NOT");
            ExpectKeyword("NULL");
            QString test;
            if (left.kind != Operand::Column) {
                test = QStringLiteral("%1 IS NULL").arg(Parameter(RawValue(left)));
            } else if (IsTextLike(left.column->type)) {
                test = QStringLiteral("(%1 IS NULL OR %1 = '')").arg(left.sql);
            } else {
                test = left.sql + QStringLiteral(" IS NULL");
            }
            return negated ? QStringLiteral("NOT (") + test + ')' : test;
        }
        const bool negated = AcceptKeyword("NOT");
        if (AcceptKeyword("BETWEEN")) {
            const Operand low = ParseOperand();
            ExpectKeyword("AND");
            return EmitBetween(left, low, ParseOperand(), negated);
        }
        if (AcceptKeyword("LIKE")) {
            const QString value = LikeSide(left, "hodnota");
            const QString pattern = LikeSide(ParseOperand(), "vzor");
            return (negated ? QStringLiteral("NOT ") : QString()) + Like(value, pattern);
        }
        if (AcceptKeyword("IN")) {
            return EmitIn(left, negated);
        }
        Fail(QStringLiteral("očekáván operátor porovnání, nalezeno %1").arg(Describe(Peek())),
             Peek());
    }

    // ---- order -----------------------------------------------------------------
    // Without ORDER BY the rows come in the first table's own order, as a
    // keyed table lists them.
    void DefaultOrder() {
        const TableRef& first = tables_.front();
        for (const QString& name : first.schema->order) {
            const ColumnSchema* column = first.schema->FindColumn(name);
            const QString sql = first.sqlAlias + '.' + QuoteIdentifier(column->name);
            order_.push_back({IsTextLike(column->type) ? SortKey(sql) : sql, false});
        }
        order_.push_back({first.sqlAlias + QStringLiteral(".rowid"), false});
    }

    void ParseOrderList() {
        do {
            const Token t = Peek();
            QString sql;
            ColumnType type = ColumnType::Text;
            if (t.kind == TokenKind::Number) {
                Take();
                const int n = t.text.toInt();
                if (t.text.contains('.') || n < 1 || n > static_cast<int>(output_.size())) {
                    Fail(QStringLiteral("číslo sloupce pro řazení mimo rozsah"), t);
                }
                sql = output_[static_cast<size_t>(n - 1)].sql;
                type = output_[static_cast<size_t>(n - 1)].meta.column.type;
            } else {
                const Operand o = ParseOperand();
                if (o.kind != Operand::Column) {
                    Fail(QStringLiteral("řadit lze jen podle sloupce"), t);
                }
                sql = o.sql;
                type = o.column->type;
            }
            bool descending = false;
            if (AcceptKeyword("DESC")) {
                descending = true;
            } else {
                AcceptKeyword("ASC");
            }
            if (type == ColumnType::Graphic) {
                Fail(QStringLiteral("podle obrázku nelze řadit"), t);
            }
            // Texts sort by their Czech sort key (computed once per row).
            order_.push_back({IsTextLike(type) ? SortKey(sql) : sql, descending});
        } while (AcceptSymbol(","));
    }

    std::vector<Token> tokens_;
    bool server_ = false;
    size_t pos_ = 0;
    std::vector<TableRef> tables_;
    std::vector<OutputColumn> output_;
    QSet<QString> usedNames_;
    std::vector<Value> parameters_;
    std::vector<OrderTerm> order_;
    int nesting_ = 0;
    bool grouped_ = false;
    bool aggregatesAllowed_ = false;
    std::vector<OrderTerm> groupOrder_;
    QStringList textGroupColumns_;               // the server's grouped text columns
    QStringList selectedSql_;                    // per select item: a plain column's SQL
    std::deque<ColumnSchema> syntheticColumns_;  // aggregate result columns, stable addresses
};

}  // namespace

TranslatedQuery TranslateLocalSql(const QString& statement, SqlTarget target) {
    return Translator(statement, target).Run();
}

}  // namespace platform
