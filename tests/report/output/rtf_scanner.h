#pragma once
// A small RTF scanner for tests that read exported documents back: it knows
// RTF's escapes (\\ \{ \} \'hh \uN with its fallback), and lists every
// control word, every group by the control word it starts with, and the text
// of every text box (\shptxt) decoded to Unicode.
#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/codepage1250.h"

struct RtfScan {
    QSet<QString> controlWords;  // "u" and "'" included; "*" for \*
    QStringList groups;          // per group its first control word, "*shpinst" after \*
    QStringList textBoxes;       // the text of each \shptxt group, paragraphs ended by '\n'
    int unbalanced = 0;          // a "}" with no open group, or groups left open at the end
};

inline bool IsRtfLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline RtfScan ScanRtf(const QByteArray& rtf) {
    RtfScan scan;
    struct Group {
        QString word;
        bool starred = false;
        bool textBox = false;
    };
    std::vector<Group> stack;
    int skipFallback = 0;
    auto text = [&](const QString& piece) {
        if (skipFallback > 0) {
            --skipFallback;
            return;
        }
        for (const Group& group : stack) {
            if (group.textBox) {
                scan.textBoxes.last() += piece;
                return;
            }
        }
    };
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            stack.push_back(Group{});
            continue;
        }
        if (c == '}') {
            if (stack.empty()) {
                ++scan.unbalanced;
            } else {
                stack.pop_back();
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            continue;
        }
        if (c != '\\') {
            text(QString(QChar(uchar(c))));
            continue;
        }
        if (++i >= rtf.size()) {
            break;
        }
        const char first = rtf[i];
        QString word;
        QString parameter;
        if (IsRtfLetter(first)) {
            while (i < rtf.size() && IsRtfLetter(rtf[i])) {
                word += QChar(uchar(rtf[i++]));
            }
            while (i < rtf.size() && (rtf[i] == '-' || (rtf[i] >= '0' && rtf[i] <= '9'))) {
                parameter += QChar(uchar(rtf[i++]));
            }
            if (i >= rtf.size() || rtf[i] != ' ') {
                --i;
            }
        } else {
            word = QChar(uchar(first));
        }
        if (word == "\\" || word == "{" || word == "}") {
            text(word);
            continue;
        }
        scan.controlWords.insert(word);
        if (word == "'") {
            text(QString(
                QChar(platform::Cp1250ToUnicode(uchar(rtf.mid(i + 1, 2).toInt(nullptr, 16))))));
            i += 2;
            continue;
        }
        if (word == "u") {
            text(QString(QChar(char16_t(parameter.toShort()))));
            skipFallback = 1;
            continue;
        }
        if (word == "par") {
            text(QStringLiteral("\n"));
        }
        if (!stack.empty() && stack.back().word.isEmpty()) {
            if (word == "*") {
                stack.back().starred = true;
                continue;
            }
            stack.back().word = (stack.back().starred ? "*" : "") + word;
            scan.groups << stack.back().word;
            if (word == "shptxt") {
                stack.back().textBox = true;
                scan.textBoxes << QString();
            }
        }
    }
    scan.unbalanced += int(stack.size());
    return scan;
}
