#include "platform/paradox/installation_import.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "platform/atomic_file.h"
#include "platform/paradox/old_installation.h"
#include "platform/paradox/paradox_error.h"
#include "platform/paradox/paradox_table.h"
#include "platform/paradox/plain_file.h"
#include "platform/store/store.h"
#include "platform/store/text_width.h"

namespace platform::paradox {
namespace {

// Progress is told every this many rows, and at each table's start.
constexpr int kProgressStep = 500;

struct ColumnMap {
    int oldIndex;
    int newIndex;
};

std::unique_ptr<ParadoxTable> OpenOld(const QString& path, int codePage) {
    ReadOptions options;
    options.codePage = codePage;
    return std::make_unique<ParadoxTable>(path, options);
}

void RequireEmptyTarget(Database& database) {
    for (const TableSchema& schema : AllTableSchemas()) {
        Table table(database, schema.fileName);
        table.Open();
        const int rows = table.RecordCount();
        if (rows > 0) {
            throw StoreError(QStringLiteral("Datová složka %1 už obsahuje data (tabulka %2: %3 "
                                            "řádků). Data dřívější instalace lze převzít jen do "
                                            "prázdné datové složky.")
                                 .arg(QDir::toNativeSeparators(database.Folder()), schema.fileName)
                                 .arg(rows));
        }
    }
}

class TableImport {
  public:
    TableImport(const ParadoxTable& old, Table& table, TableSummary& summary,
                std::vector<Refusal>& refusals)
        : old_(old), table_(table), summary_(summary), refusals_(refusals) {
        MapColumns();
    }

    // Returns false when the progress handler asked to stop.
    bool Run(ImportProgress& progress, const ImportProgressHandler& handler) {
        bool go = true;
        old_.ForEachRecord([&](const Record& record) {
            ++summary_.read;
            Append(record);
            ++progress.rowsDone;
            if (handler && progress.rowsDone % kProgressStep == 0) {
                go = handler(progress);
            }
            return go;
        });
        return go;
    }

  private:
    void MapColumns() {
        const TableSchema& schema = table_.Schema();
        for (size_t i = 0; i < old_.Fields().size(); ++i) {
            const QString& name = old_.Fields()[i].name;
            const int column = schema.ColumnIndex(name);
            if (column < 0) {
                summary_.unknownColumns << name;
            } else {
                columns_.push_back({static_cast<int>(i), column});
            }
        }
        for (size_t i = 0; i < old_.Fields().size() && keyField_ < 0; ++i) {
            if (old_.Fields()[i].kind == FieldKind::Alpha) {
                keyField_ = static_cast<int>(i);
            }
        }
    }

    void Append(const Record& record) {
        table_.Append();
        int memos = 0, pictures = 0;
        try {
            for (const ColumnMap& c : columns_) {
                const QVariant& value = record[static_cast<size_t>(c.oldIndex)];
                if (!value.isValid()) {
                    continue;
                }
                const ColumnSchema& column =
                    table_.Schema().columns[static_cast<size_t>(c.newIndex)];
                CheckWidth(column, value);
                table_.Fields(c.newIndex).SetAsVariant(InListSpelling(column, value));
                // A memo counts as one wherever it lands (vrhy.db keeps its note as text).
                memos += IsTextBlob(old_.Fields()[static_cast<size_t>(c.oldIndex)].kind);
                pictures += column.type == ColumnType::Graphic;
            }
            table_.Post();
        } catch (const StoreError& e) {
            table_.Cancel();
            Refuse(record, e.Message());
            return;
        }
        ++summary_.written;
        summary_.memos += memos;
        summary_.pictures += pictures;
    }

    // The record sheet's sex is a closed list "Fena", "Pes"; an older
    // installation wrote it in any case ("fena", "PES"), which is written in
    // the list's own spelling. Any other text stays as it was.
    QVariant InListSpelling(const ColumnSchema& column, const QVariant& value) const {
        static const QStringList sexes{QStringLiteral("Fena"), QStringLiteral("Pes")};
        if (table_.Schema().sqlName != QLatin1String("main_card") ||
            column.name != QLatin1String("Pohlavi")) {
            return value;
        }
        for (const QString& sex : sexes) {
            if (value.toString().trimmed().compare(sex, Qt::CaseInsensitive) == 0) {
                return sex;
            }
        }
        return value;
    }

    // The store cuts a long text to the column's width; taking over loses
    // nothing silently, so such a row is refused instead.
    static void CheckWidth(const ColumnSchema& column, const QVariant& value) {
        if (column.type != ColumnType::Text) {
            return;
        }
        const QString text = value.toString();
        if (IsTooLongFor(column, text)) {
            throw StoreError(QStringLiteral("sloupec %1: ").arg(column.name) +
                             TooLongText(column, text));
        }
    }

    void Refuse(const Record& record, const QString& reason) {
        ++summary_.refused;
        Refusal refusal;
        refusal.table = summary_.table;
        refusal.row = summary_.read;
        if (keyField_ >= 0) {
            refusal.key = record[static_cast<size_t>(keyField_)].toString();
        }
        refusal.reason = reason;
        refusals_.push_back(refusal);
    }

    const ParadoxTable& old_;
    Table& table_;
    TableSummary& summary_;
    std::vector<Refusal>& refusals_;
    std::vector<ColumnMap> columns_;
    int keyField_ = -1;
};

// "EvidList01.pts" -> "EvidList01.BAK", as a template save keeps its previous version.
QString BackupName(const QString& file) {
    const QFileInfo info(file);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".BAK"));
}

[[noreturn]] void CannotCopy(const QString& file, const QString& targetFolder,
                             const QString& reason) {
    throw StoreError(
        QStringLiteral("Soubor %1 nelze zkopírovat do %2: %3")
            .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(targetFolder), reason));
}

// The new installation's own copy of a file is kept as .BAK before the old
// one takes its place; its name (letter case included) stays.
void KeepReplaced(const QString& existing, ImportResult& result) {
    const QString backup = BackupName(existing);
    QFile::remove(backup);
    if (!QFile::copy(existing, backup)) {
        throw StoreError(
            QStringLiteral("Soubor %1 nelze uschovat jako %2; nebyl nahrazen.")
                .arg(QDir::toNativeSeparators(existing), QDir::toNativeSeparators(backup)));
    }
    result.replacedFiles << QStringLiteral("%1 (původní uschován jako %2)")
                                .arg(QFileInfo(existing).fileName(), QFileInfo(backup).fileName());
}

void CopyOne(const QString& file, const QString& target, const QString& targetFolder) {
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly)) {
        CannotCopy(file, targetFolder, source.errorString());
    }
    AtomicFile copy(target);
    if (!copy.Open()) {
        CannotCopy(file, targetFolder, copy.FailureText());
    }
    while (!source.atEnd()) {
        const QByteArray block = source.read(64 * 1024);
        if (block.isEmpty() && source.error() != QFileDevice::NoError) {
            CannotCopy(file, targetFolder, source.errorString());
        }
        copy.write(block);
    }
    if (!copy.Commit()) {
        CannotCopy(file, targetFolder, copy.FailureText());
    }
    QFile(target).setPermissions(QFile(target).permissions() | QFileDevice::WriteOwner);
}

QStringList CopyFiles(const QStringList& files, const QString& targetFolder, ImportResult& result) {
    QStringList copied;
    if (!QDir().mkpath(targetFolder)) {
        throw StoreError(QStringLiteral("Složku %1 nelze vytvořit.")
                             .arg(QDir::toNativeSeparators(targetFolder)));
    }
    for (const QString& file : files) {
        const QString name = QFileInfo(file).fileName();
        if (const QString reason = NotPlainFileReason(file); !reason.isEmpty()) {
            result.skippedFiles << QStringLiteral("%1 (%2)").arg(name, reason);
            continue;
        }
        const QString existing = OldInstallation::FindFile(targetFolder, name);
        if (!existing.isEmpty()) {
            KeepReplaced(existing, result);
        }
        CopyOne(file, existing.isEmpty() ? QDir(targetFolder).filePath(name) : existing,
                targetFolder);
        copied << name;
    }
    return copied;
}

void CopyOldFiles(const OldInstallation& old, const ImportRequest& request, ImportResult& result) {
    if (!request.settingsTarget.isEmpty()) {
        QStringList files;
        for (const QString& name : {QStringLiteral("Harvel.INI"), QStringLiteral("SestDLL.ini")}) {
            if (const QString file = old.SettingsFile(name); !file.isEmpty()) {
                files << file;
            }
        }
        result.copiedSettings = CopyFiles(files, request.settingsTarget, result);
    }
    if (!request.templatesTarget.isEmpty()) {
        result.copiedTemplates = CopyFiles(old.TemplateFiles(), request.templatesTarget, result);
    }
}

}  // namespace

ImportResult ImportOldInstallation(const ImportRequest& request,
                                   const ImportProgressHandler& progress) {
    const OldInstallation old = OldInstallation::Locate(request.source);
    const QString target = QFileInfo(request.target).canonicalFilePath();
    if (!target.isEmpty() && QFileInfo(old.dataFolder).canonicalFilePath() == target) {
        throw StoreError(QStringLiteral("Stará a nová datová složka nesmí být tatáž."));
    }
    const bool existed = QFile::exists(Database::DatabaseFile(request.target));
    if (!existed) {
        Database::CreateSchema(request.target);
    }
    Database database(request.target);
    RequireEmptyTarget(database);

    ImportResult result;
    if (existed) {
        result.backupFile = TakeAutomaticBackup(request.target, request.backupsToKeep);
    }
    // Every old table is opened (and its header checked) before anything is written.
    std::vector<std::unique_ptr<ParadoxTable>> olds;
    ImportProgress state;
    QStringList known;
    for (const TableSchema& schema : AllTableSchemas()) {
        // The earlier program had no such table: it stays empty, and is not
        // reported as missing from the old installation.
        if (schema.addedLater) {
            continue;
        }
        TableSummary summary;
        summary.table = schema.fileName;
        const QString file = old.TableFile(schema.fileName);
        known << QFileInfo(file).fileName().toLower();
        summary.oldFile = QFileInfo(file).fileName();
        const QString notPlain = file.isEmpty() ? QString() : NotPlainFileReason(file);
        if (!notPlain.isEmpty()) {
            result.skippedFiles << QStringLiteral("%1 (%2)").arg(summary.oldFile, notPlain);
        }
        olds.push_back(file.isEmpty() || !notPlain.isEmpty() ? nullptr
                                                             : OpenOld(file, request.codePage));
        if (olds.back()) {
            state.rowsTotal += static_cast<int>(olds.back()->Header().recordCount);
        }
        result.tables.push_back(summary);
    }
    for (const QString& file : old.TableFiles()) {
        if (!known.contains(file.toLower())) {
            result.unknownTables << file;
        }
    }

    database.StartTransaction();
    try {
        for (size_t i = 0; i < olds.size(); ++i) {
            if (!olds[i]) {
                continue;
            }
            Table table(database, result.tables[i].table);
            table.Open();
            table.BeginBulkAppend();
            state.table = result.tables[i].table;
            if (progress && !progress(state)) {
                result.interrupted = true;
                break;
            }
            TableImport import(*olds[i], table, result.tables[i], result.refusals);
            if (!import.Run(state, progress)) {
                result.interrupted = true;
                break;
            }
            table.EndBulkAppend();
        }
        if (result.interrupted || (!result.refusals.empty() && !request.keepGoing)) {
            database.Rollback();
            for (TableSummary& t : result.tables) {
                t.written = t.memos = t.pictures = 0;
            }
            return result;
        }
        database.Commit();
    } catch (...) {
        database.RollbackAfterFailure();
        throw;
    }
    result.committed = true;
    database.Analyze();
    CopyOldFiles(old, request, result);
    return result;
}

}  // namespace platform::paradox
