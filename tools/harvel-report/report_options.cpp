#include "report_options.h"

#include "app/address_print.h"
#include "app/database_address.h"
#include "app/print_sources.h"
#include "platform/folders.h"

namespace harvel_report {

namespace {

const QStringList kWritten = {
    QStringLiteral("dump"), QStringLiteral("pdf"),         QStringLiteral("png"),
    QStringLiteral("html"), QStringLiteral("html-single"), QStringLiteral("rtf"),
    QStringLiteral("txt"),  QStringLiteral("emf"),         QStringLiteral("wmf"),
    QStringLiteral("spl"),  QStringLiteral("xlsx"),        QStringLiteral("csv")};
const QStringList kKnown = {
    QStringLiteral("dump"), QStringLiteral("pdf"),         QStringLiteral("png"),
    QStringLiteral("html"), QStringLiteral("html-single"), QStringLiteral("rtf"),
    QStringLiteral("txt"),  QStringLiteral("emf"),         QStringLiteral("wmf"),
    QStringLiteral("spl"),  QStringLiteral("xlsx"),        QStringLiteral("csv")};

int PositiveNumber(const QString& option, const QString& text, int minimum) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum) {
        throw UsageError{QStringLiteral("Volba %1 potřebuje celé číslo nejméně %2, ne \"%3\".")
                             .arg(option)
                             .arg(minimum)
                             .arg(text)};
    }
    return value;
}

const QStringList kCodePages = {QStringLiteral("ascii"), QStringLiteral("cp867"),
                                QStringLiteral("cp852"), QStringLiteral("cp1250"),
                                QStringLiteral("iso88592")};

// Exactly one of --sql, --table and --source names the data; the print
// page's clauses and the parameters of Harvel.INI belong to --source.
void CheckDataChoice(const ReportOptions& o) {
    const int choices = int(!o.sql.isEmpty()) + int(!o.table.isEmpty()) + int(o.source.has_value());
    if (choices != 1) {
        throw UsageError{QStringLiteral("Zadejte právě jednu z voleb --sql, --table a --source.")};
    }
    if (!o.source && (!o.where.isEmpty() || !o.order.isEmpty())) {
        throw UsageError{QStringLiteral("Volby --where a --order patří k volbě --source.")};
    }
    if (o.source && !o.params.isEmpty()) {
        throw UsageError{
            QStringLiteral("Volbu --param nelze spojit s volbou --source: parametry "
                           "sestavy se berou z Harvel.INI.")};
    }
}

int SourceNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || FindPrintSource(value) == nullptr) {
        throw UsageError{QStringLiteral("Volba --source potřebuje číslo zdroje 0 až %1 nebo %2 "
                                        "(adresář), ne \"%3\".")
                             .arg(kPrintSourceCount - 1)
                             .arg(tzAdresar)
                             .arg(text)};
    }
    return value;
}

void CheckDraft(const ReportOptions& o) {
    if (o.draftFields.isEmpty()) {
        throw UsageError{QStringLiteral("Chybí volba --fields A,B,C.")};
    }
    if (o.draftStyle != QLatin1String("column") && o.draftStyle != QLatin1String("row")) {
        throw UsageError{QStringLiteral("Neznámý styl \"%1\" (column, row).").arg(o.draftStyle)};
    }
    if (o.draftCaptions != QLatin1String("label") && o.draftCaptions != QLatin1String("text") &&
        o.draftCaptions != QLatin1String("none")) {
        throw UsageError{
            QStringLiteral("Neznámé popisy \"%1\" (label, text, none).").arg(o.draftCaptions)};
    }
}

// A list written as a spreadsheet needs no template: its columns are the list's.
void CheckSheet(const ReportOptions& o) {
    if (o.preview || o.design) {
        throw UsageError{
            QStringLiteral("Formát \"%1\" nelze spojit s náhledem ani návrhem.").arg(o.format)};
    }
    if (o.outFile.isEmpty()) {
        throw UsageError{QStringLiteral("Chybí volba --out FILE.")};
    }
}

// A template opened from the file manager ("harvel-report --design FILE")
// is designed over the program's own database (its data folder, or the club's
// server of Harvel.INI) and its record sheets.
void DefaultDesignData(ReportOptions& o) {
    if (!o.design || !o.dataFolder.isEmpty()) {
        return;
    }
    o.dataFolder = DatabaseAddress();
    if (o.sql.isEmpty() && o.table.isEmpty() && !o.source) {
        o.table = QStringLiteral("main_card.db");
    }
}

void Check(const ReportOptions& o) {
    if (!o.codepage.isEmpty() && !kCodePages.contains(o.codepage)) {
        throw UsageError{QStringLiteral("Neznámá kódová stránka \"%1\" (ascii, cp867, cp852, "
                                        "cp1250, iso88592).")
                             .arg(o.codepage)};
    }
    if (o.dataFolder.isEmpty()) {
        throw UsageError{QStringLiteral("Chybí volba --data DIR.")};
    }
    CheckDataChoice(o);
    if (o.eval) {
        return;
    }
    if (!o.draftOut.isEmpty()) {
        CheckDraft(o);
        return;
    }
    if (IsSheetFormat(o.format)) {
        CheckSheet(o);
        return;
    }
    if (o.templateFile.isEmpty()) {
        throw UsageError{QStringLiteral("Chybí volba --template FILE.pts.")};
    }
    if ((o.preview || o.design) && o.format.isEmpty() && o.outFile.isEmpty()) {
        return;
    }
    if (o.format.isEmpty()) {
        throw UsageError{QStringLiteral("Chybí volba --format.")};
    }
    if (!IsKnownFormat(o.format)) {
        throw UsageError{QStringLiteral("Neznámý formát \"%1\".").arg(o.format)};
    }
    if (o.outFile.isEmpty()) {
        throw UsageError{QStringLiteral("Chybí volba --out FILE.")};
    }
}

}  // namespace

bool IsWrittenFormat(const QString& format) {
    return kWritten.contains(format);
}

bool IsKnownFormat(const QString& format) {
    return kKnown.contains(format);
}

bool IsSheetFormat(const QString& format) {
    return format == QLatin1String("xlsx") || format == QLatin1String("csv");
}

ReportOptions ParseOptions(const QStringList& args) {
    ReportOptions o;
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        if (option == QLatin1String("--preview")) {
            o.preview = true;
            continue;
        }
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            o.help = true;
            return o;
        }
        if (option == QLatin1String("--strict")) {
            o.strict = true;
            continue;
        }
        if (option == QLatin1String("--by-name")) {
            o.draftByName = true;
            continue;
        }
        if (option == QLatin1String("--design")) {
            // "--design FILE.pts" names the template; a bare "--design" uses --template.
            o.design = true;
            if (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1String("--"))) {
                o.templateFile = args[++i];
            }
            continue;
        }
        if (i + 1 >= args.size()) {
            throw UsageError{QStringLiteral("Neznámá volba nebo chybí hodnota: %1").arg(option)};
        }
        const QString& value = args[++i];
        if (option == QLatin1String("--data")) {
            o.dataFolder = value;
        } else if (option == QLatin1String("--sql")) {
            o.sql = value;
        } else if (option == QLatin1String("--table")) {
            o.table = value;
        } else if (option == QLatin1String("--source")) {
            o.source = SourceNumber(value);
        } else if (option == QLatin1String("--where")) {
            o.where = value;
        } else if (option == QLatin1String("--order")) {
            o.order = value;
        } else if (option == QLatin1String("--template")) {
            o.templateFile = value;
        } else if (option == QLatin1String("--param")) {
            o.params << value;
        } else if (option == QLatin1String("--first")) {
            o.firstPage = PositiveNumber(option, value, 1);
        } else if (option == QLatin1String("--last")) {
            o.lastPage = PositiveNumber(option, value, 1);
        } else if (option == QLatin1String("--max-records")) {
            o.maxRecords = PositiveNumber(option, value, 0);
        } else if (option == QLatin1String("--codepage")) {
            o.codepage = value;
        } else if (option == QLatin1String("--format")) {
            o.format = value;
        } else if (option == QLatin1String("--out")) {
            o.outFile = value;
        } else if (option == QLatin1String("--dpi")) {
            o.dpi = PositiveNumber(option, value, 10);
            if (o.dpi > 1200) {
                throw UsageError{QStringLiteral("Volba --dpi dovoluje nejvýše 1200.")};
            }
        } else if (option == QLatin1String("--eval")) {
            o.eval = value;
        } else if (option == QLatin1String("--draft")) {
            o.draftOut = value;
        } else if (option == QLatin1String("--fields")) {
            o.draftFields = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (QString& field : o.draftFields) {
                field = field.trimmed();
            }
        } else if (option == QLatin1String("--style")) {
            o.draftStyle = value;
        } else if (option == QLatin1String("--captions")) {
            o.draftCaptions = value;
        } else {
            throw UsageError{QStringLiteral("Neznámá volba: %1").arg(option)};
        }
    }
    DefaultDesignData(o);
    Check(o);
    return o;
}

}  // namespace harvel_report
