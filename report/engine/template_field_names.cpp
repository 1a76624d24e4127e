#include "report/engine/template_field_names.h"

#include "report/model/template_fields.h"

namespace {

bool IsNameStart(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

bool IsNameChar(QChar c) {
    return IsNameStart(c) || (c >= u'0' && c <= u'9') || c == u'$';
}

class NameCollector {
  public:
    void Add(const QString& name) {
        if (!name.isEmpty() && !seen_.contains(name, Qt::CaseInsensitive)) {
            seen_ << name;
        }
    }

    // The #name references of an expression; text literals in apostrophes
    // are skipped, as the expression reader does.
    void AddReferences(const QString& expression) {
        bool inLiteral = false;
        for (qsizetype i = 0; i < expression.size(); ++i) {
            const QChar c = expression[i];
            if (c == u'\'') {
                inLiteral = !inLiteral;
            } else if (!inLiteral && c == u'#' && i + 1 < expression.size() &&
                       IsNameStart(expression[i + 1])) {
                qsizetype end = i + 1;
                while (end < expression.size() && IsNameChar(expression[end])) {
                    ++end;
                }
                Add(expression.mid(i + 1, end - i - 1));
                i = end - 1;
            }
        }
    }

    const QStringList& Names() const { return seen_; }

  private:
    QStringList seen_;
};

bool IsElementCode(const QString& code) {
    static const QStringList fixed = {QStringLiteral("Z"), QStringLiteral("H"), QStringLiteral("T"),
                                      QStringLiteral("K"), QStringLiteral("P")};
    if (fixed.contains(code)) {
        return true;
    }
    return code.size() > 1 && (code[0] == u'S' || code[0] == u'U');
}

// A group expression of letters, digits, "$" and "_" only is a field: by
// number when it starts with a digit, by name otherwise.
void AddGroupExpression(NameCollector& names, const QString& expression) {
    bool bare = !expression.isEmpty();
    for (const QChar c : expression) {
        bare = bare && IsNameChar(c);
    }
    if (bare) {
        if (IsNameStart(expression[0])) {
            names.Add(expression);
        }
        return;
    }
    names.AddReferences(expression);
}

void AddElement(NameCollector& names, const QString& line) {
    TemplateFieldReader reader(line);
    reader.SkipField();
    const int kind = reader.NextInt();
    const QString source = reader.NextField();
    if ((kind == 2 || kind == 3) && !source.isEmpty() && !source[0].isDigit()) {
        names.Add(source);
    }
    for (int field = 4; field < 15; ++field) {
        reader.SkipField();
    }
    const QString text = reader.NextField();
    if (kind == 11 || kind == 12) {
        names.AddReferences(text);
    }
    for (int field = 16; field < 19; ++field) {
        reader.SkipField();
    }
    names.AddReferences(reader.NextField());
}

}  // namespace

QStringList TemplateFieldNames(const TPredloha& predloha) {
    NameCollector names;
    for (const QString& line : predloha.Lines()) {
        const QString code = TemplateRecordCode(line);
        if (code == u"I") {
            TemplateFieldReader reader(line);
            reader.SkipField();
            if (reader.NextInt(-1) == 4) {
                reader.SkipField();
                AddGroupExpression(names, reader.NextField());
            }
        } else if (code == u"F") {
            TemplateFieldReader reader(line);
            for (int field = 1; field < 8; ++field) {
                reader.SkipField();
            }
            names.AddReferences(reader.NextField());
        } else if (IsElementCode(code)) {
            AddElement(names, line);
        }
    }
    return names.Names();
}

QStringList MissingTemplateFields(const TPredloha& predloha, const QStringList& fields) {
    QStringList missing;
    for (const QString& name : TemplateFieldNames(predloha)) {
        if (!fields.contains(name, Qt::CaseInsensitive)) {
            missing << name;
        }
    }
    return missing;
}
