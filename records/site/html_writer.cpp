#include "records/site/html_writer.h"

namespace site {

QString EscapedHtml(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'&':
                escaped += QLatin1String("&amp;");
                break;
            case u'<':
                escaped += QLatin1String("&lt;");
                break;
            case u'>':
                escaped += QLatin1String("&gt;");
                break;
            case u'"':
                escaped += QLatin1String("&quot;");
                break;
            case u'\'':
                escaped += QLatin1String("&#39;");
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

HtmlWriter::HtmlWriter(const QString& title, const QString& stylesheet) {
    html_ += QLatin1String("<!DOCTYPE html>\n");
    Open(QStringLiteral("html"), {{QStringLiteral("lang"), QStringLiteral("cs")}});
    Open(QStringLiteral("head"));
    Empty(QStringLiteral("meta"), {{QStringLiteral("charset"), QStringLiteral("utf-8")}});
    Empty(QStringLiteral("meta"),
          {{QStringLiteral("name"), QStringLiteral("viewport")},
           {QStringLiteral("content"), QStringLiteral("width=device-width, initial-scale=1")}});
    Element(QStringLiteral("title"), title);
    Empty(QStringLiteral("link"), {{QStringLiteral("rel"), QStringLiteral("stylesheet")},
                                   {QStringLiteral("href"), stylesheet}});
    Close();
    Open(QStringLiteral("body"));
}

void HtmlWriter::StartTag(const QString& tag, const HtmlAttributes& attributes) {
    html_ += u'<' + tag;
    for (const auto& [name, value] : attributes) {
        html_ += u' ' + name + QLatin1String("=\"") + EscapedHtml(value) + u'"';
    }
    html_ += u'>';
}

void HtmlWriter::Open(const QString& tag, const HtmlAttributes& attributes) {
    StartTag(tag, attributes);
    html_ += u'\n';
    open_ << tag;
}

void HtmlWriter::Close() {
    if (open_.isEmpty()) {
        return;
    }
    html_ += QLatin1String("</") + open_.takeLast() + QLatin1String(">\n");
}

void HtmlWriter::Element(const QString& tag, const QString& text,
                         const HtmlAttributes& attributes) {
    StartTag(tag, attributes);
    html_ += EscapedHtml(text) + QLatin1String("</") + tag + u'>';
    // A line break after a link or span would show as a blank before the
    // text that follows ("Ben , Bim").
    if (tag != QLatin1String("a") && tag != QLatin1String("span")) {
        html_ += u'\n';
    }
}

void HtmlWriter::Empty(const QString& tag, const HtmlAttributes& attributes) {
    StartTag(tag, attributes);
    html_ += u'\n';
}

void HtmlWriter::Text(const QString& text) {
    html_ += EscapedHtml(text);
}

void HtmlWriter::Link(const QString& href, const QString& text) {
    Element(QStringLiteral("a"), text, {{QStringLiteral("href"), href}});
}

QString HtmlWriter::Finish() {
    while (!open_.isEmpty()) {
        Close();
    }
    return html_;
}

}  // namespace site
