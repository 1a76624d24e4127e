#pragma once
// A small writer of HTML5 pages: every text and attribute value it is given
// is escaped, so a name such as "<script>" or "Ben & \"Bim\"" comes out as
// the text it is and never as markup. Elements are closed in the order they
// were opened.

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace site {

// The text with &, <, >, " and ' written as character references.
QString EscapedHtml(const QString& text);

using HtmlAttributes = std::vector<std::pair<QString, QString>>;

class HtmlWriter {
  public:
    // Opens the document: doctype, lang="cs", UTF-8, the phone viewport, the
    // title and the stylesheet (a file name relative to the page).
    HtmlWriter(const QString& title, const QString& stylesheet);

    void Open(const QString& tag, const HtmlAttributes& attributes = {});
    void Close();
    // <tag attributes>text</tag>
    void Element(const QString& tag, const QString& text, const HtmlAttributes& attributes = {});
    // An element without content or end tag (img).
    void Empty(const QString& tag, const HtmlAttributes& attributes);
    void Text(const QString& text);
    void Link(const QString& href, const QString& text);

    // Closes what is still open and answers the whole page.
    QString Finish();

  private:
    void StartTag(const QString& tag, const HtmlAttributes& attributes);

    QString html_;
    QStringList open_;
};

}  // namespace site
