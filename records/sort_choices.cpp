#include "records/sort_choices.h"

#include <QSet>
#include <array>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "platform/store/sql_translator.h"

namespace {

QString BareTable(const QString& file) {
    return file.section(QLatin1Char('.'), 0, 0);
}

bool IsBasicColumn(const QString& column) {
    for (const TSortChoice& basic : BasicSortChoices()) {
        if (!basic.column.isEmpty() && basic.column.compare(column, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The columns of the source's list query, read from the statement itself so
// the entries always match what the list holds. Pictures cannot be sorted.
QList<TSortChoice> BuildChoices(int source) {
    QList<TSortChoice> choices = BasicSortChoices();
    const platform::TranslatedQuery query =
        platform::TranslateLocalSql(TDM1::BookQueryLines(source, QString(), QString()).join('\n'));
    QSet<QString> captions;
    for (const TSortChoice& basic : choices) {
        captions.insert(basic.caption);
    }
    for (const platform::ResultColumn& result : query.columns) {
        const platform::ColumnSchema& column = result.column;
        if (column.type == platform::ColumnType::Graphic || IsBasicColumn(column.name)) {
            continue;
        }
        const QString table = BareTable(result.tableFile);
        TSortChoice choice;
        choice.table = table;
        choice.column =
            source == tzEvidencniListy ? column.name : table + QLatin1Char('.') + column.name;
        choice.caption = column.caption.isEmpty() ? column.name : column.caption;
        // A record-sheet column whose word the event book uses too.
        if (captions.contains(choice.caption)) {
            choice.caption += QStringLiteral(" (evidenční list)");
        }
        captions.insert(choice.caption);
        choices << choice;
    }
    return choices;
}

}  // namespace

const QList<TSortChoice>& SortChoices(int source) {
    static std::array<QList<TSortChoice>, kPrintSourceCount> all;
    if (!IsPrintSource(source)) {
        return BasicSortChoices();
    }
    QList<TSortChoice>& choices = all.at(static_cast<size_t>(source));
    if (choices.isEmpty()) {
        choices = BuildChoices(source);
    }
    return choices;
}

int FindSortChoice(const QList<TSortChoice>& choices, const TSortChoice& choice) {
    for (int i = 0; i < choices.size(); ++i) {
        const TSortChoice& entry = choices.at(i);
        if (entry.column.section(QLatin1Char('.'), -1)
                    .compare(choice.column.section(QLatin1Char('.'), -1), Qt::CaseInsensitive) ==
                0 &&
            entry.table.compare(choice.table, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}
