// The preview over a run of over 2,000 pages, most of them in the temporary
// page store: the page panel shows the same as over the pages in memory.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>

#include "report/output/sestprn.h"
#include "report/output/widgets/sestp.h"
#include "tests/report/output/long_run_fixture.h"

namespace {

QImage Shown(TFormSestP& form) {
    return form.findChild<QWidget*>("PagePanel")->grab().toImage();
}

void Trigger(TFormSestP& form, const char* name) {
    auto* action = form.findChild<QAction*>(QLatin1String(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

}  // namespace

TEST(PreviewLongRun, StoredPagesAreShownAsThePagesInMemory) {
    PaperSetup() = TPaperSetup();
    long_run::GeneratedReport report(4200);
    report.SetPredloha(long_run::ListTemplate());
    ASSERT_EQ(report.Run(true), 0);
    TSestVystup& out = report.Output();
    ASSERT_GE(out.PageCount(), 2000);
    ASSERT_GT(out.StoredPageCount(), 1900);

    TFormSestP form;
    form.ShowOutput(out);
    EXPECT_EQ(form.findChild<QLabel*>("PanelStrana")->text(),
              QStringLiteral("Strana 1 z %1").arg(out.PageCount()));
    const QImage first = Shown(form);
    Trigger(form, "ActPosledni");
    EXPECT_EQ(form.CurrentPage(), out.PageCount() - 1);
    const QImage last = Shown(form);
    Trigger(form, "ActPredchozi");
    const QImage beforeLast = Shown(form);
    EXPECT_NE(last, beforeLast) << "pages differ, so the comparison below means something";

    for (int i = 0; i < out.PageCount(); ++i) {
        out.Page(i);  // every page back into memory
    }
    ASSERT_EQ(out.StoredPageCount(), 0);
    Trigger(form, "ActPosledni");
    EXPECT_EQ(Shown(form), last);
    Trigger(form, "ActPredchozi");
    EXPECT_EQ(Shown(form), beforeLast);
    Trigger(form, "ActPrvni");
    EXPECT_EQ(Shown(form), first);
}
