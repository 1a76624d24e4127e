#include "platform/paradox/import_result.h"

namespace platform::paradox {
namespace {

QString Cell(const QString& text, int width) {
    return text.rightJustified(width);
}

}  // namespace

int ImportResult::TotalRead() const {
    int n = 0;
    for (const TableSummary& t : tables) {
        n += t.read;
    }
    return n;
}

int ImportResult::TotalWritten() const {
    int n = 0;
    for (const TableSummary& t : tables) {
        n += t.written;
    }
    return n;
}

namespace {

// The lines after the table: unknown columns and tables, copied files.
QString Remarks(const ImportResult& r) {
    QString text;
    QStringList missing, unknown;
    for (const TableSummary& t : r.tables) {
        if (t.oldFile.isEmpty()) {
            missing << t.table;
        } else if (!t.unknownColumns.isEmpty()) {
            unknown << QStringLiteral("%1: %2").arg(t.table,
                                                    t.unknownColumns.join(QStringLiteral(", ")));
        }
    }
    if (!unknown.isEmpty()) {
        text += QStringLiteral("Sloupce, které Harvel nemá (nepřevzaty): ") +
                unknown.join(QStringLiteral("; ")) + u'\n';
    }
    if (!missing.isEmpty()) {
        text +=
            QStringLiteral("Ve staré složce chybí: ") + missing.join(QStringLiteral(", ")) + u'\n';
    }
    if (!r.unknownTables.isEmpty()) {
        text += QStringLiteral("Tabulky, které Harvel nezná (nepřevzaty): ") +
                r.unknownTables.join(QStringLiteral(", ")) + u'\n';
    }
    if (!r.copiedSettings.isEmpty()) {
        text += QStringLiteral("Zkopírována nastavení: ") +
                r.copiedSettings.join(QStringLiteral(", ")) + u'\n';
    }
    if (!r.copiedTemplates.isEmpty()) {
        text += QStringLiteral("Zkopírováno předloh: %1\n").arg(r.copiedTemplates.size());
    }
    if (!r.replacedFiles.isEmpty()) {
        text += QStringLiteral("Nahrazeno: ") + r.replacedFiles.join(QStringLiteral(", ")) + u'\n';
    }
    if (!r.skippedFiles.isEmpty()) {
        text += QStringLiteral("Nepřečteno (není to obyčejný soubor): ") +
                r.skippedFiles.join(QStringLiteral(", ")) + u'\n';
    }
    return text;
}

}  // namespace

QString ImportResult::SummaryLines() const {
    QString text;
    for (const TableSummary& t : tables) {
        if (!t.oldFile.isEmpty()) {
            text += QStringLiteral(
                        "%1: přečteno %2, zapsáno %3, odmítnuto %4, poznámky %5, "
                        "obrázky %6\n")
                        .arg(t.table)
                        .arg(t.read)
                        .arg(t.written)
                        .arg(t.refused)
                        .arg(t.memos)
                        .arg(t.pictures);
        }
    }
    return text + Remarks(*this);
}

QString ImportResult::SummaryText() const {
    QString text =
        QStringLiteral("Tabulka          přečteno  zapsáno  odmítnuto  poznámky  obrázky\n");
    for (const TableSummary& t : tables) {
        if (!t.oldFile.isEmpty()) {
            text += t.table.leftJustified(15) + Cell(QString::number(t.read), 10) +
                    Cell(QString::number(t.written), 9) + Cell(QString::number(t.refused), 11) +
                    Cell(QString::number(t.memos), 10) + Cell(QString::number(t.pictures), 9) +
                    u'\n';
        }
    }
    return text + Remarks(*this);
}

QString ImportResult::RefusalText() const {
    QString text;
    for (const Refusal& r : refusals) {
        text += QStringLiteral("%1, řádek %2").arg(r.table).arg(r.row);
        if (!r.key.isEmpty()) {
            text += QStringLiteral(" („%1“)").arg(r.key);
        }
        text += QStringLiteral(": ") + r.reason + u'\n';
    }
    return text;
}

}  // namespace platform::paradox
