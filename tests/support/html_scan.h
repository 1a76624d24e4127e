#pragma once
// A small HTML reader for tests of the HTML export: it splits a page into tags
// and text the way a browser's tokenizer does (a quoted attribute value ends
// only at its own quote, whatever it holds), and turns character references
// back into characters. Enough to tell which elements and attributes a page
// really has, and what text a reader sees.
#include <QList>
#include <QMap>
#include <QString>

namespace testing_support {

struct HtmlTag {
    QString name;                       // lower case; "/div" for an end tag
    QMap<QString, QString> attributes;  // lower-case names, raw values
};

struct HtmlScan {
    QList<HtmlTag> tags;
    QString text;  // the text between the tags, raw
};

// &amp; &lt; &gt; &quot; &nbsp; and numeric references, decimal or hex.
inline QString DecodeHtml(const QString& html) {
    static const QMap<QString, QString> named{{"amp", "&"},   {"lt", "<"},   {"gt", ">"},
                                              {"quot", "\""}, {"nbsp", " "}, {"apos", "'"}};
    QString text;
    for (qsizetype i = 0; i < html.size(); ++i) {
        const qsizetype end = html[i] == u'&' ? html.indexOf(u';', i) : -1;
        if (end < 0) {
            text += html[i];
            continue;
        }
        const QString name = html.mid(i + 1, end - i - 1);
        bool ok = false;
        char32_t code = 0;
        if (name.startsWith(u"#x", Qt::CaseInsensitive)) {
            code = name.mid(2).toUInt(&ok, 16);
        } else if (name.startsWith(u'#')) {
            code = name.mid(1).toUInt(&ok, 10);
        }
        if (ok) {
            text += QString::fromUcs4(&code, 1);
        } else if (named.contains(name)) {
            text += named.value(name);
        } else {
            text += html[i];
            continue;
        }
        i = end;
    }
    return text;
}

inline HtmlScan ScanHtml(const QString& html) {
    HtmlScan scan;
    qsizetype i = 0;
    const auto isSpace = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
    };
    while (i < html.size()) {
        if (html[i] != u'<') {
            scan.text += html[i++];
            continue;
        }
        HtmlTag tag;
        ++i;
        while (i < html.size() && !isSpace(html[i]) && html[i] != u'>') {
            tag.name += html[i++].toLower();
        }
        while (i < html.size() && html[i] != u'>') {
            if (isSpace(html[i]) || html[i] == u'/') {
                ++i;
                continue;
            }
            QString name;
            while (i < html.size() && !isSpace(html[i]) && html[i] != u'=' && html[i] != u'>') {
                name += html[i++].toLower();
            }
            QString value;
            while (i < html.size() && isSpace(html[i])) {
                ++i;
            }
            if (i < html.size() && html[i] == u'=') {
                ++i;
                while (i < html.size() && isSpace(html[i])) {
                    ++i;
                }
                if (i < html.size() && (html[i] == u'"' || html[i] == u'\'')) {
                    const QChar quote = html[i++];
                    while (i < html.size() && html[i] != quote) {
                        value += html[i++];
                    }
                    ++i;
                } else {
                    while (i < html.size() && !isSpace(html[i]) && html[i] != u'>') {
                        value += html[i++];
                    }
                }
            }
            tag.attributes.insert(name, value);
        }
        ++i;
        scan.tags << tag;
    }
    return scan;
}

}  // namespace testing_support
