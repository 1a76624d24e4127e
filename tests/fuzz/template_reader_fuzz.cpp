// Templates are files users edit by hand and pass around: whatever bytes a
// .pts file holds, reading it into a report (with attached details) must not
// crash, and the template written from what was read must read back to the
// very same lines.
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

#include "report/engine/predloha.h"
#include "report/engine/sestava_layout.h"

namespace {

void EnsureApplication() {
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "template_reader_fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

class FuzzLayout : public TSestavaLayout {
  public:
    explicit FuzzLayout(bool detail) : detail_(detail) {}
    bool IsDetail() const override { return detail_; }
    int FieldCount() const override { return 4; }
    int FindField(const QString& name) const override {
        static const QStringList fields = {"Jmeno_registr", "Datum", "Plemeno", "Foto"};
        for (int index = 0; index < fields.size(); ++index) {
            if (fields[index].compare(name, Qt::CaseInsensitive) == 0) {
                return index;
            }
        }
        return -1;
    }
    // The paper stays with the report, so runs do not depend on each other.
    void ApplyPageSetup(const TPageSettings&) override {}
    TPageSettings CurrentPageSetup() const override { return Settings().page; }

  private:
    bool detail_;
};

struct Report {
    Report() {
        master.Detaily().Add(&first);
        master.Detaily().Add(&second);
    }
    FuzzLayout master{false};
    FuzzLayout first{true};
    FuzzLayout second{true};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureApplication();
    TPredloha predloha;
    predloha.LoadFromBytes(QByteArrayView(data, static_cast<qsizetype>(size)));

    Report once;
    once.master.SetPredloha(predloha);
    const TPredloha written = once.master.WriteTemplate();

    // Through the file encoding and back.
    TPredloha reread;
    reread.LoadFromBytes(written.ToBytes());
    if (reread.Lines() != written.Lines()) {
        std::abort();
    }
    Report twice;
    twice.master.SetPredloha(reread);
    if (twice.master.WriteTemplate().Lines() != written.Lines()) {
        std::abort();  // what the writer wrote does not read back the same
    }
    // Every line on its own as an element record, whatever its code, read by
    // a report of the current template version.
    FuzzLayout plain(false);
    for (const QString& line : predloha.Lines()) {
        TLumexReportElement element(&plain);
        element.ParseElement(line);
        TLumexReportElement again(&plain);
        again.ParseElement(element.FormatElement(QStringLiteral("T")));
        if (again.FormatElement(QStringLiteral("T")) !=
            element.FormatElement(QStringLiteral("T"))) {
            std::abort();
        }
    }
    return 0;
}
