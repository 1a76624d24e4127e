#pragma once
// A generated list report long enough for the temporary page store: two
// records a page (a body band 400 high), a group with a sum, a page header
// with the print date and a page footer with "page x of y", so 4,000 records
// give over 2,000 pages. Every field text names its record, so pages differ.

#include <QString>
#include <QStringList>

#include "report/engine/predloha.h"
#include "report/engine/sestavyt.h"

namespace long_run {

constexpr int kFields = 4;

class GeneratedReport : public TSestavaTyp {
  public:
    explicit GeneratedReport(int records) : records_(records) {}
    int FieldCount() const override { return kFields; }
    int FindField(const QString& name) const override {
        const int i = name.mid(4).toInt() - 1;
        return name.startsWith(QLatin1String("Pole")) && i >= 0 && i < kFields ? i : -1;
    }
    int DataType(int i) override { return i == kFields - 1 ? ftsInteger : ftsString; }
    QString ValueText(int i) override {
        if (i == 0) {
            return QStringLiteral("Skupina %1").arg(current_ / 25);
        }
        if (i == kFields - 1) {
            return QString::number(current_ % 97);
        }
        return QStringLiteral("Záznam %1/%2").arg(current_).arg(i);
    }
    double ValueNumber(int i) override { return i == kFields - 1 ? current_ % 97 : 0.0; }
    TStepResult StepData(TStepDir dir) override {
        current_ = dir == sdFirst ? 0 : current_ + 1;
        return current_ < records_ ? srOK : srEof;
    }
    int Current() const { return current_; }

  private:
    int records_;
    int current_ = 0;
};

inline QString TextElement(const QString& code, int kind, int source, int left, int top, int width,
                           const QString& text = QString()) {
    return QStringLiteral("%1,%2,%3,%4,%5,%6,18,Arial,9,0,0,0,0,238,\"%7\",0,0,0,\"\",0,\"\"")
        .arg(code)
        .arg(kind)
        .arg(source)
        .arg(left)
        .arg(top)
        .arg(width)
        .arg(text);
}

inline TPredloha ListTemplate() {
    QStringList lines = {
        "I,1,10,52,6",
        "I,2,0,826,1169,50,50,70,70,1,0",
        "I,3,1,1,30,0",
        "I,3,2,1,400,0",
        "I,3,4,1,30,0",
        "I,4,0,\"Pole1\",1,20,1,20,0",
        "F,1,Soucet,\"Součet\",0,0,2,\"#4\",2,15,0,0",
    };
    lines << TextElement("H", 1, 0, 0, 0, 300, "Seznam") << TextElement("H", 5, 3, 600, 0, 100);
    for (int f = 0; f < kFields; ++f) {
        lines << TextElement("T", 2, f, f * 180, 0, 170);
    }
    lines << "T,8,0,0,30,700,300,,1,0,0,0,15,0,,,,,\"\",0,\"\"";
    lines << TextElement("S0", 2, 0, 0, 0, 300);
    lines << TextElement("U0", 6, 0, 600, 0, 100);
    lines << TextElement("P", 5, 3, 500, 0, 100) << TextElement("P", 5, 4, 620, 0, 100);
    return TPredloha(lines);
}

}  // namespace long_run
