#pragma once
// A report whose data fields are given by the test (name, label, type,
// display width, alignment), for dialogs that list fields or switch panels
// by field type without a database behind them.

#include <QList>
#include <QString>

#include "report/engine/data_types.h"
#include "report/engine/sestavyt.h"

namespace designer_test {

struct TTestField {
    QString name;
    QString label;
    int type = ftsString;
    int width = 10;
    int alignment = 0;
};

class FieldReport : public TSestavaTyp {
  public:
    explicit FieldReport(QList<TTestField> fields = {}) : fields_(std::move(fields)) {}
    int FieldCount() const override { return int(fields_.size()); }
    int DataType(int i) override { return Valid(i) ? fields_[i].type : ftsUnknown; }
    int Alignment(int i) override { return Valid(i) ? fields_[i].alignment : 0; }
    int DisplayWidth(int i) override { return Valid(i) ? fields_[i].width : 0; }
    QString FieldLabel(int i) override { return Valid(i) ? fields_[i].label : QString(); }
    QString FieldName(int i) override { return Valid(i) ? fields_[i].name : QString(); }
    QString ValueText(int i) override { return Valid(i) ? fields_[i].name + "?" : QString(); }
    int FindField(const QString& name) const override {
        for (int i = 0; i < fields_.size(); ++i) {
            if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }

  private:
    bool Valid(int i) const { return i >= 0 && i < fields_.size(); }
    QList<TTestField> fields_;
};

// Three text fields, a memo and a picture.
inline QList<TTestField> KennelFields() {
    return {{"Jmeno_registr", "Jméno", ftsString, 40, 0},
            {"Jmeno_call", "Volací jméno", ftsString, 15, 0},
            {"Cip", "Čip", ftsLargeint, 12, 1},
            {"Poznamka", "Poznámka", ftsMemo, 30, 0},
            {"Foto", "Fotografie", ftsGraphic, 10, 0}};
}

}  // namespace designer_test
