#include "report/engine/sestavad.h"

#include "platform/messages.h"
#include "report/engine/expression.h"

namespace {

const QString kChyba = QStringLiteral("Chyba");

}  // namespace

TSestavaD::TSestavaD() = default;
TSestavaD::~TSestavaD() = default;

// ---- field lists --------------------------------------------------------------------

void TSestavaD::SetFieldNames(const QStringList& names) {
    fieldNames_ = names;
    FieldValues.clear();
    for (int i = 0; i < names.size(); ++i) {
        FieldValues << QStringLiteral("Položka %1").arg(i + 1);
    }
}

void TSestavaD::SetFieldLabels(const QStringList& labels) {
    fieldLabels_ = labels;
}

bool TSestavaD::LoadFieldLists() {
    if (SourceMode() && bridge_.HasDataSet()) {
        QStringList list;
        bridge_.ReadNames(list);
        SetFieldNames(list);
        bridge_.ReadLabels(list);
        SetFieldLabels(list);
        ForEachDataDetail([](TSestavaD& detail) { detail.LoadFieldLists(); });
        return true;
    }
    return false;
}

// ---- preparing and closing ------------------------------------------------------------

bool TSestavaD::PrepareData() {
    if (EventMode()) {
        return true;
    }
    if (!bridge_.GetDataSource()) {
        platform::ShowMessage(QStringLiteral("Není definován zdroj dat."), kChyba,
                              platform::MessageIcon::Error);
        return false;
    }
    if (!bridge_.HasDataSet()) {
        platform::ShowMessage(QStringLiteral("Ke zdroji dat není připojena žádná tabulka."), kChyba,
                              platform::MessageIcon::Error);
        return false;
    }
    openedHere_ = false;
    if (!bridge_.IsActive()) {
        const int answer =
            platform::ShowMessage(QStringLiteral("Připojená tabulka není aktivní. Zkusit otevřít?"),
                                  QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
                                  platform::mbYes | platform::mbNo);
        if (answer != platform::mbYes) {
            return false;
        }
        bridge_.Open();
        if (!bridge_.IsActive()) {
            platform::ShowMessage(QStringLiteral("Připojenou tabulku se nepodařilo otevřít."),
                                  kChyba, platform::MessageIcon::Error);
            return false;
        }
        openedHere_ = true;
    }
    bool ok = true;
    ForEachDataDetail([&ok](TSestavaD& detail) {
        if (ok) {
            ok = detail.PrepareData();
        }
    });
    return ok;
}

void TSestavaD::CloseIfOpened() {
    if (openedHere_) {
        bridge_.Close();
        openedHere_ = false;
    }
}

// ---- data provider --------------------------------------------------------------------

int TSestavaD::DataType(int i) {
    int type = (SourceMode() && InRange(i)) ? bridge_.FieldType(i) : ftsUnknown;
    if (OnGetDataType) {
        OnGetDataType(*this, i, type);
    }
    return type;
}

int TSestavaD::Alignment(int i) {
    int alignment = (SourceMode() && InRange(i)) ? bridge_.FieldAlignment(i) : 0;
    if (OnGetAlignment) {
        OnGetAlignment(*this, i, alignment);
    }
    return alignment;
}

int TSestavaD::DisplayWidth(int i) {
    return (SourceMode() && InRange(i)) ? bridge_.FieldDisplayWidth(i) : 10;
}

QString TSestavaD::ValueText(int i) {
    if (!InRange(i)) {
        return QStringLiteral("Položka ?");
    }
    if (EventMode()) {
        return FieldValues.value(i);
    }
    return bridge_.FieldText(i);
}

double TSestavaD::SourceNumber(int i) const {
    switch (bridge_.FieldType(i)) {
        case ftsSmallint:
        case ftsInteger:
        case ftsWord:
        case ftsFloat:
        case ftsCurrency:
        case ftsBCD:
        case ftsLargeint:
        case ftsFMTBcd:
        case ftsDate:
        case ftsTime:
        case ftsDateTime:
            return bridge_.FieldFloat(i);
        case ftsBoolean:
            return bridge_.FieldBoolean(i) ? 1.0 : 0.0;
        case ftsString:
        case ftsWideString:
            return LenientNumber(bridge_.FieldString(i));
        default:
            return 0.0;
    }
}

double TSestavaD::ValueNumber(int i) {
    if (!InRange(i)) {
        return 0.0;
    }
    if (EventMode()) {
        return LenientNumber(FieldValues.value(i));
    }
    return SourceNumber(i);
}

QString TSestavaD::MemoText(int i) {
    if (EventMode()) {
        return ValueText(i);
    }
    memo_ = InRange(i) ? bridge_.FieldMemo(i) : QString();
    return memo_;
}

const platform::Picture* TSestavaD::FieldPicture(int i) {
    if (EventMode()) {
        return nullptr;
    }
    if (InRange(i)) {
        QString why;
        if (!bridge_.FieldPicture(i, picture_, &why) && !why.isEmpty()) {
            // Bytes that are no readable picture: the page leaves it out and says so.
            TRunError error;
            error.kind = rePicture;
            error.name = FieldName(i);
            error.record = RecordNumber();
            error.detail = why;
            ReportRunError(error);
        }
    }
    return &picture_;
}

bool TSestavaD::IsNull(int i) {
    return SourceMode() && InRange(i) && bridge_.FieldIsNull(i);
}

QString TSestavaD::FieldLabel(int i) {
    return (i >= 0 && i < fieldLabels_.size()) ? fieldLabels_[i] : QString();
}

QString TSestavaD::FieldName(int i) {
    return InRange(i) ? fieldNames_[i] : QString::number(i);
}

int TSestavaD::FindField(const QString& name) const {
    for (int i = 0; i < fieldNames_.size(); ++i) {
        if (fieldNames_[i].compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

TStepResult TSestavaD::StepData(TStepDir dir) {
    TStepResult result = srBoth;
    if (OnStepData) {
        result = OnStepData(*this, dir);
    } else if (bridge_.GetDataSource()) {
        result = bridge_.Step(dir);
    }
    RefreshData();
    return result;
}

void TSestavaD::RefreshData() {
    if (OnGetData) {
        OnGetData(*this);
    }
    SetCurrentValueProvider(this);
}
