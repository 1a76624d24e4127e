#pragma once
// Lets GoogleTest print Qt strings and string lists readably in failures.
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "{\n";
    for (const QString& item : list) {
        *os << "  \"" << item.toStdString() << "\"\n";
    }
    *os << "}";
}
