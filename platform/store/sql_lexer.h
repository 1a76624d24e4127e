#pragma once
// Tokens of the store's local SQL: names, double-quoted text constants (a
// doubled "" stands for one quote), single-quoted ones likewise, numbers and
// the few symbols the dialect knows. Anything else is an error.

#include <QString>
#include <vector>

namespace platform {

enum class TokenKind { Name, Text, Number, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    QString text;             // the name, the constant's value, the number or the symbol
    int position = 0;         // 1-based character position in the statement
    bool quotedName = false;  // a double-quoted text, usable as a table name after FROM

    bool IsSymbol(const char* s) const {
        return kind == TokenKind::Symbol && text == QLatin1String(s);
    }
    bool IsKeyword(const char* word) const {
        return kind == TokenKind::Name &&
               text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
};

// Splits a statement into tokens, ending with one End token. Throws StoreError.
std::vector<Token> TokenizeLocalSql(const QString& text);

}  // namespace platform
