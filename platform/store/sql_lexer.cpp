#include "platform/store/sql_lexer.h"

#include "platform/store/store_error.h"

namespace platform {
namespace {

[[noreturn]] void Fail(const QString& what, int position) {
    throw StoreError(QStringLiteral("Chybný příkaz SQL: %1 (pozice %2).").arg(what).arg(position));
}

bool IsNameStart(QChar c) {
    return c.isLetter() || c == '_';
}
bool IsNamePart(QChar c) {
    return c.isLetterOrNumber() || c == '_';
}

Token ReadQuoted(const QString& s, int& i, QChar quote) {
    Token t;
    t.kind = TokenKind::Text;
    t.position = i + 1;
    t.quotedName = quote == '"';
    ++i;
    for (;;) {
        if (i >= s.size()) {
            Fail(QStringLiteral("neukončená textová konstanta"), t.position);
        }
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                t.text += quote;
                i += 2;
                continue;
            }
            ++i;
            return t;
        }
        t.text += s[i++];
    }
}

Token ReadNumber(const QString& s, int& i) {
    Token t;
    t.kind = TokenKind::Number;
    t.position = i + 1;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        t.text += s[i++];
    }
    if (i + 1 < s.size() && s[i] == '.' && s[i + 1].isDigit() && s[i + 1].unicode() < 128) {
        t.text += s[i++];
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            t.text += s[i++];
        }
    }
    if (i < s.size() && IsNamePart(s[i])) {
        Fail(QStringLiteral("chybné číslo"), t.position);
    }
    return t;
}

Token ReadSymbol(const QString& s, int& i) {
    static const char* const twoChar[] = {"<>", "<=", ">=", "!="};
    Token t;
    t.kind = TokenKind::Symbol;
    t.position = i + 1;
    for (const char* symbol : twoChar) {
        if (s.mid(i, 2) == QLatin1String(symbol)) {
            t.text = QLatin1String(symbol);
            i += 2;
            return t;
        }
    }
    static const QString oneChar = QStringLiteral("=<>(),.*;-");
    if (!oneChar.contains(s[i])) {
        Fail(QStringLiteral("nepovolený znak „%1“").arg(s[i]), t.position);
    }
    t.text = s[i++];
    return t;
}

}  // namespace

std::vector<Token> TokenizeLocalSql(const QString& s) {
    std::vector<Token> tokens;
    int i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == '"' || c == '\'') {
            tokens.push_back(ReadQuoted(s, i, c));
        } else if (c.isDigit() && c.unicode() < 128) {
            tokens.push_back(ReadNumber(s, i));
        } else if (IsNameStart(c)) {
            Token t;
            t.kind = TokenKind::Name;
            t.position = i + 1;
            while (i < s.size() && IsNamePart(s[i])) {
                t.text += s[i++];
            }
            tokens.push_back(t);
        } else {
            tokens.push_back(ReadSymbol(s, i));
        }
    }
    Token end;
    end.position = static_cast<int>(s.size()) + 1;
    tokens.push_back(end);
    return tokens;
}

}  // namespace platform
