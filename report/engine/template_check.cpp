#include "report/engine/template_check.h"

#include "report/engine/sestava_layout.h"
#include "report/model/template_fields.h"

namespace {

// How much of a damaged line the message quotes.
constexpr int kQuotedLength = 40;

bool IsDigits(QStringView text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

// A line the template format knows: a settings or function record, or a
// record of a section or of a detail's template.
bool IsTemplateRecord(QStringView line) {
    if (line.size() > 1 && (line[0] == u'I' || line[0] == u'F')) {
        return true;
    }
    const QString code = TemplateRecordCode(line);
    if (code.isEmpty()) {
        return false;
    }
    if (code.size() == 1) {
        for (int type = 0; type < kFixedSectionCount; ++type) {
            if (code == FixedSectionCode(type)) {
                return true;
            }
        }
        return false;
    }
    return (code[0] == u'S' || code[0] == u'U' || code[0] == u'D') &&
           IsDigits(QStringView(code).mid(1));
}

bool HasElements(const TSestavaLayout& layout) {
    const TListOddilu& sections = layout.Oddily();
    for (int s = 0; s < sections.Count(); ++s) {
        if (sections[s].Count() > 0) {
            return true;
        }
    }
    return false;
}

// The beginning of a line as the message shows it: control characters (a
// binary file) as U+FFFD, a longer line cut with "…" so the cut shows.
QString QuotedBeginning(const QString& line) {
    QString shown = line.left(kQuotedLength);
    for (QChar& c : shown) {
        if (c.category() == QChar::Other_Control) {
            c = QChar::ReplacementCharacter;
        }
    }
    if (line.size() > kQuotedLength) {
        shown += QChar(0x2026);
    }
    return shown;
}

QString EmptyText(const QString& name) {
    return QStringLiteral("Předloha \"%1\" je prázdná.").arg(name);
}

}  // namespace

QString TemplateRefusal(const TSestavaLayout& layout, const QString& name) {
    if (HasElements(layout)) {
        return QString();
    }
    const QStringList& lines = layout.Predloha().Lines();
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty() || IsTemplateRecord(line)) {
            continue;
        }
        return QStringLiteral(
                   "Předloha \"%1\" je poškozená: řádek %2 není záznam předlohy (\"%3\").")
            .arg(name)
            .arg(i + 1)
            .arg(QuotedBeginning(line));
    }
    return EmptyText(name);
}
