#include "report/engine/DB_Bridge.h"

#include <exception>

#include "platform/messages.h"
#include "platform/paint/picture.h"
#include "platform/store/database.h"
#include "platform/store/datasource.h"
#include "platform/store/field.h"

void TBridge::SetDataSource(platform::DataSource* source) {
    if (source != source_) {
        bookmark_ = platform::Bookmark();
    }
    source_ = source;
}

platform::DataSet* TBridge::DataSet() const {
    return source_ ? source_->GetDataSet() : nullptr;
}

bool TBridge::IsDatabaseDataSet() const {
    const platform::DataSet* set = DataSet();
    return set && set->GetDatabase() != nullptr;
}

bool TBridge::IsActive() const {
    const platform::DataSet* set = DataSet();
    return set && set->IsActive();
}

void TBridge::Open() {
    if (platform::DataSet* set = DataSet()) {
        try {
            set->Open();
        } catch (const std::exception&) {
            // Reported by the caller, which sees the data set still closed.
        }
    }
}

void TBridge::Close() {
    if (platform::DataSet* set = DataSet()) {
        try {
            set->Close();
        } catch (const std::exception&) {
        }
    }
}

TStepResult TBridge::Step(TStepDir dir) {
    platform::DataSet* set = DataSet();
    if (!set) {
        return srBoth;
    }
    try {
        switch (dir) {
            case sdFirst:
                set->First();
                break;
            case sdPrior:
                set->Prior();
                break;
            case sdNext:
                set->Next();
                break;
            case sdLast:
                set->Last();
                break;
        }
    } catch (const std::exception&) {
        // A data set that fails while moving ends the run as if it were at its end.
        return srEof;
    }
    return static_cast<TStepResult>((set->Bof() ? srBof : 0) | (set->Eof() ? srEof : 0));
}

void TBridge::SaveBookmark() {
    bookmark_ = platform::Bookmark();
    if (platform::DataSet* set = DataSet(); set && set->IsActive()) {
        try {
            bookmark_ = set->GetBookmark();
        } catch (const std::exception&) {
            bookmark_ = platform::Bookmark();
        }
    }
}

void TBridge::RestoreBookmark() {
    if (!bookmark_.IsValid()) {
        return;
    }
    if (platform::DataSet* set = DataSet(); set && set->IsActive()) {
        try {
            set->GotoBookmark(bookmark_);
        } catch (const std::exception&) {
        }
    }
    bookmark_ = platform::Bookmark();
}

void TBridge::DisableControls() {
    if (platform::DataSet* set = DataSet()) {
        set->DisableControls();
    }
}

void TBridge::EnableControls() {
    if (platform::DataSet* set = DataSet()) {
        set->EnableControls();
    }
}

void TBridge::ReadNames(QStringList& names) const {
    names.clear();
    if (const platform::DataSet* set = DataSet()) {
        for (int i = 0; i < set->FieldCount(); ++i) {
            names << set->Fields(i).Name();
        }
    }
}

void TBridge::ReadLabels(QStringList& labels) const {
    labels.clear();
    if (const platform::DataSet* set = DataSet()) {
        for (int i = 0; i < set->FieldCount(); ++i) {
            labels << set->Fields(i).DisplayLabel();
        }
    }
}

const platform::Field* TBridge::FieldAt(int i) const {
    const platform::DataSet* set = DataSet();
    if (!set || i < 0 || i >= set->FieldCount()) {
        return nullptr;
    }
    return &set->Fields(i);
}

namespace {

// Runs a read of the store and answers `fallback` when it throws.
template <typename T, typename Read>
T Guarded(const platform::Field* field, T fallback, Read read) {
    if (!field) {
        return fallback;
    }
    try {
        return read(*field);
    } catch (const std::exception&) {
        return fallback;
    }
}

}  // namespace

int TBridge::FieldType(int i) const {
    return Guarded(FieldAt(i), 0,
                   [](const platform::Field& f) { return static_cast<int>(f.Type()); });
}

int TBridge::FieldAlignment(int i) const {
    return Guarded(FieldAt(i), 0, [](const platform::Field& f) { return f.Alignment(); });
}

int TBridge::FieldDisplayWidth(int i) const {
    return Guarded(FieldAt(i), 10, [](const platform::Field& f) { return f.DisplayWidth(); });
}

QString TBridge::FieldText(int i) const {
    return Guarded(FieldAt(i), QString(), [](const platform::Field& f) { return f.DisplayText(); });
}

QString TBridge::FieldString(int i) const {
    return Guarded(FieldAt(i), QString(), [](const platform::Field& f) { return f.AsString(); });
}

double TBridge::FieldFloat(int i) const {
    return Guarded(FieldAt(i), 0.0, [](const platform::Field& f) { return f.AsFloat(); });
}

bool TBridge::FieldBoolean(int i) const {
    return Guarded(FieldAt(i), false, [](const platform::Field& f) { return f.AsBoolean(); });
}

bool TBridge::FieldIsNull(int i) const {
    return Guarded(FieldAt(i), false, [](const platform::Field& f) { return f.IsNull(); });
}

QString TBridge::FieldMemo(int i) const {
    return Guarded(FieldAt(i), QString(), [](const platform::Field& f) {
        const platform::FieldType type = f.Type();
        if (type == platform::FieldType::Blob || type == platform::FieldType::Graphic) {
            return QString::fromUtf8(f.AsBytes());
        }
        return f.AsString();
    });
}

bool TBridge::FieldPicture(int i, platform::Picture& picture, QString* error) const {
    picture.Clear();
    return Guarded(FieldAt(i), false, [&picture, error](const platform::Field& f) {
        const QByteArray bytes = f.AsBytes();
        if (bytes.isEmpty()) {
            return false;
        }
        if (picture.LoadFromBytes(bytes, error)) {
            return true;
        }
        if (error && error->isEmpty()) {
            *error = QStringLiteral("no picture format it knows");
        }
        return false;
    });
}

QString TBridge::AliasPath(const QString& alias) const {
    const platform::DataSet* set = DataSet();
    const platform::Database* database = set ? set->GetDatabase() : nullptr;
    QString failure;
    if (!database || database->DatabaseName().compare(alias, Qt::CaseInsensitive) != 0) {
        failure = QStringLiteral("Alias \"%1\" neexistuje.").arg(alias);
    } else if (database->Params().isEmpty()) {
        failure = QStringLiteral("Alias \"%1\" nemá žádný parametr.").arg(alias);
    } else {
        const QString first = database->Params().first();
        const qsizetype eq = first.indexOf(QLatin1Char('='));
        return first.mid(eq + 1).left(255);
    }
    platform::ShowMessage(QStringLiteral("Function GetAliasPath error: %1").arg(failure),
                          platform::DefaultCaption(), platform::MessageIcon::Error);
    return QString();
}
