#include "platform/store/reading_sql.h"

#include <QHash>
#include <QSet>
#include <vector>

#include "platform/store/postgres_schema.h"
#include "platform/store/schema.h"

namespace platform {

QString ReadingSql::HasDate(const QString& column) const {
    return onServer_ ? QStringLiteral("%1 IS NOT NULL").arg(column)
                     : QStringLiteral("%1 > ''").arg(column);
}

QString ReadingSql::NoDate(const QString& column) const {
    return onServer_ ? QStringLiteral("%1 IS NULL").arg(column)
                     : QStringLiteral("(%1 IS NULL OR %1 = '')").arg(column);
}

QString ReadingSql::IsSet(const QString& column) const {
    return onServer_ ? QStringLiteral("coalesce(%1, false)").arg(column)
                     : QStringLiteral("coalesce(%1, 0) <> 0").arg(column);
}

QString ReadingSql::NotCleared(const QString& column) const {
    return onServer_ ? QStringLiteral("%1 IS NOT FALSE").arg(column)
                     : QStringLiteral("(%1 IS NULL OR %1 <> 0)").arg(column);
}

QString ReadingSql::DaysAfter(const QString& column, int days) const {
    return onServer_ ? QStringLiteral("(%1 + %2)").arg(column).arg(days)
                     : QStringLiteral("date(%1, '+%2 days')").arg(column).arg(days);
}

QString ReadingSql::YearOf(const QString& column) const {
    return onServer_ ? QStringLiteral("to_char(%1, 'YYYY')").arg(column)
                     : QStringLiteral("substr(%1, 1, 4)").arg(column);
}

namespace {

// The spellings of the store's table and column names, by their lower case.
// A lower case that two spellings share (Jmeno_registr, Jmeno_Registr)
// maps to an empty text: such a name is quoted only as it is written.
class StoreNames {
  public:
    StoreNames() {
        for (const TableSchema& table : AllTableSchemas()) {
            Add(table.sqlName);
            for (const ColumnSchema& column : table.columns) {
                Add(column.name);
            }
        }
    }

    // The quoted name, or the word unchanged where it names nothing of the store.
    QString Quoted(const QString& word) const {
        if (spelled_.contains(word)) {
            return QuoteIdentifier(word);
        }
        const QString spelling = byLowerCase_.value(word.toLower());
        return spelling.isEmpty() ? word : QuoteIdentifier(spelling);
    }

  private:
    void Add(const QString& name) {
        spelled_.insert(name);
        const QString lower = name.toLower();
        const auto known = byLowerCase_.constFind(lower);
        if (known == byLowerCase_.constEnd()) {
            byLowerCase_.insert(lower, name);
        } else if (*known != name) {
            byLowerCase_[lower] = QString();
        }
    }

    QSet<QString> spelled_;
    QHash<QString, QString> byLowerCase_;
};

const StoreNames& Names() {
    static const StoreNames names;
    return names;
}

enum class Piece { Space, Word, Parameter, Quoted, Symbol };

struct Token {
    Piece piece;
    QString text;
    bool Is(const char* keyword) const {
        return piece == Piece::Word &&
               text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(QChar c) const { return piece == Piece::Symbol && text == c; }
};

bool IsWordStart(QChar c) {
    return c.isLetter() || c == u'_';
}

bool IsWordPart(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// The statement in pieces; a quoted text or name runs to its closing quote
// (a doubled quote is one character of it).
std::vector<Token> Pieces(const QString& sql) {
    std::vector<Token> tokens;
    qsizetype at = 0;
    const qsizetype size = sql.size();
    const auto runWhile = [&](qsizetype from, auto part) {
        qsizetype end = from;
        while (end < size && part(sql[end])) {
            ++end;
        }
        return end;
    };
    while (at < size) {
        const QChar c = sql[at];
        qsizetype end = at + 1;
        Piece piece = Piece::Symbol;
        if (c.isSpace()) {
            piece = Piece::Space;
            end = runWhile(at, [](QChar x) { return x.isSpace(); });
        } else if (c == u'\'' || c == u'"') {
            piece = Piece::Quoted;
            while (end < size) {
                if (sql[end] == c) {
                    if (end + 1 < size && sql[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    ++end;
                    break;
                }
                ++end;
            }
        } else if (c == u'?') {
            piece = Piece::Parameter;
            end = runWhile(at + 1, [](QChar x) { return x.isDigit(); });
        } else if (IsWordStart(c)) {
            piece = Piece::Word;
            end = runWhile(at, IsWordPart);
        } else if (c.isDigit()) {
            piece = Piece::Symbol;  // a number goes over unchanged
            end = runWhile(at, [](QChar x) { return x.isLetterOrNumber() || x == u'.'; });
        }
        tokens.push_back({piece, sql.mid(at, end - at)});
        at = end;
    }
    return tokens;
}

// Writes the pieces for the server, placing nulls in every ORDER BY term.
class ServerWriter {
  public:
    QString Write(const std::vector<Token>& tokens) {
        for (size_t i = 0; i < tokens.size(); ++i) {
            const Token& token = tokens[i];
            if (token.IsSymbol(u'(')) {
                ++depth_;
            } else if (token.IsSymbol(u')')) {
                EndOrderAt(depth_);
                --depth_;
            } else if (token.IsSymbol(u',') || token.Is("LIMIT") || token.Is("OFFSET")) {
                EndTermAt(depth_, !token.IsSymbol(u','));
            }
            Emit(token, NextWord(tokens, i));
        }
        EndOrderAt(0);
        return out_;
    }

  private:
    struct Order {
        int depth;
        QString lastWord;  // of the term being written
        bool placesNulls;  // the term says NULLS itself
    };

    static const Token* NextWord(const std::vector<Token>& tokens, size_t i) {
        for (size_t j = i + 1; j < tokens.size(); ++j) {
            if (tokens[j].piece != Piece::Space) {
                return &tokens[j];
            }
        }
        return nullptr;
    }

    void Emit(const Token& token, const Token* next) {
        switch (token.piece) {
            case Piece::Parameter:
                out_ += u'$' + token.text.mid(1);
                break;
            case Piece::Word:
                EmitWord(token, next);
                break;
            default:
                out_ += token.text;
        }
        if (token.piece != Piece::Space && token.piece != Piece::Word) {
            lastWord_.clear();
        }
        if (token.piece != Piece::Space && !orders_.empty() && orders_.back().depth == depth_) {
            orders_.back().lastWord = token.piece == Piece::Word ? token.text.toUpper() : QString();
            orders_.back().placesNulls |= token.Is("NULLS");
        }
    }

    void EmitWord(const Token& token, const Token* next) {
        if (token.Is("BY") && lastWord_ == QLatin1String("ORDER")) {
            out_ += token.text;
            orders_.push_back({depth_, QString(), false});
            lastWord_.clear();
            return;
        }
        if (lastWord_ == QLatin1String("COLLATE") && token.Is("CZECH")) {
            out_ += QuoteIdentifier(QString::fromLatin1(kServerCzechCollation));
        } else if (next != nullptr && next->IsSymbol(u'(')) {
            out_ += token.text;  // a function
        } else {
            out_ += Names().Quoted(token.text);
        }
        lastWord_ = token.text.toUpper();
    }

    // Where an ORDER BY term ends: its nulls are placed before what follows.
    void EndTermAt(int depth, bool endsOrder) {
        if (orders_.empty() || orders_.back().depth != depth) {
            return;
        }
        Order& order = orders_.back();
        if (!order.placesNulls) {
            // Right after the term, before the blanks that follow it.
            qsizetype end = out_.size();
            while (end > 0 && out_[end - 1].isSpace()) {
                --end;
            }
            out_.insert(end, order.lastWord == QLatin1String("DESC")
                                 ? QStringLiteral(" NULLS LAST")
                                 : QStringLiteral(" NULLS FIRST"));
        }
        order.lastWord.clear();
        order.placesNulls = false;
        if (endsOrder) {
            orders_.pop_back();
        }
    }

    void EndOrderAt(int depth) { EndTermAt(depth, true); }

    QString out_;
    QString lastWord_;
    int depth_ = 0;
    std::vector<Order> orders_;
};

}  // namespace

QString ServerTextArray(const QStringList& texts) {
    QStringList quoted;
    for (QString text : texts) {
        text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
        quoted << u'"' + text + u'"';
    }
    return u'{' + quoted.join(u',') + u'}';
}

QString ServerReadingSql(const QString& sql) {
    return ServerWriter().Write(Pieces(sql));
}

}  // namespace platform
