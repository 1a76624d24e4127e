#pragma once
// A report layout with a fixed list of data fields and fonts, standing in for
// the engine in template tests, and helpers to build templates from lines.

#include <QStringList>
#include <ostream>
#include <vector>

#include "report/engine/sestava_layout.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class TestLayout : public TSestavaLayout {
  public:
    explicit TestLayout(QStringList fields = {}, bool detail = false)
        : fields_(std::move(fields)), detail_(detail) {}

    bool IsDetail() const override { return detail_; }
    int FieldCount() const override { return static_cast<int>(fields_.size()); }
    int FindField(const QString& name) const override {
        for (int index = 0; index < fields_.size(); ++index) {
            if (fields_[index].compare(name, Qt::CaseInsensitive) == 0) {
                return index;
            }
        }
        return -1;
    }
    bool IsInstalledFont(const QString& name) const override { return fonts.contains(name); }
    void LoadElementPicture(TLumexReportElement& element) override {
        picturesLoaded.push_back(element.text);
    }
    // The paper stays with this report instead of the process-wide setup.
    void ApplyPageSetup(const TPageSettings& page) override { pageSetups.push_back(page); }
    TPageSettings CurrentPageSetup() const override { return Settings().page; }

    QStringList fonts{QStringLiteral("Arial"), QStringLiteral("Times New Roman")};
    QStringList picturesLoaded;
    std::vector<TPageSettings> pageSetups;

  private:
    QStringList fields_;
    bool detail_;
};

// The columns of the health-card book query the kennel's templates print.
inline QStringList KennelFields() {
    return {"Jmeno_registr", "Datum",   "Druh_osetreni", "Lek",  "Veterinar",
            "Poznamka",      "Plemeno", "Foto",          "Cena", "Vaha"};
}

inline TPredloha Lines(std::initializer_list<const char*> lines) {
    TPredloha predloha;
    for (const char* line : lines) {
        predloha.Add(QString::fromUtf8(line));
    }
    return predloha;
}

inline QString TestDataPath(const QString& name) {
    return QStringLiteral(HARVEL_SOURCE_DIR "/tests/report/engine/data/") + name;
}
