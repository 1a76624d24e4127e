// The wizard in the designer and harvel-report --draft draft the same lines
// for the same choice over the same data and designer settings.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QProcess>
#include <QToolButton>

#include "report/designer/dlg_nova_sestava.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;

namespace {

// The lines harvel-report drafts for `args` over the fixture's data.
QStringList ToolDraft(DesignerFixture& f, const QStringList& args) {
    const QString out = f.data.File(QStringLiteral("z-nastroje.pts"));
    QProcess p;
    p.start(QStringLiteral(HARVEL_BIN_DIR "/harvel-report"),
            QStringList{"--data", f.data.Path(), "--table", "main_card", "--draft", out} + args);
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    TPredloha drafted;
    EXPECT_TRUE(drafted.LoadFromFile(out));
    return drafted.Lines();
}

// The lines the designer's wizard drafts, choosing `fields` in this order.
QStringList WizardDraft(DesignerFixture& f, const QStringList& fields, bool rows, bool byName,
                        bool textCaptions) {
    testing_support::ScriptedModal script([&](QDialog& d) {
        auto* wizard = qobject_cast<TDlgNovaSestava*>(&d);
        for (const QString& name : fields) {
            // ">" selects the next item after a move; only `name` is to go.
            // The items show the captions and keep the fields' names.
            wizard->SrcList()->clearSelection();
            for (int i = 0; i < wizard->SrcList()->count(); ++i) {
                QListWidgetItem* item = wizard->SrcList()->item(i);
                item->setSelected(item->data(Qt::UserRole).toString() == name);
            }
            wizard->Include();
        }
        if (rows) {
            designer_test::Press(d.findChild<QToolButton*>("SBRadek"));
        }
        d.findChild<QCheckBox*>("CBSledovatPodle")->setChecked(byName);
        d.findChild<QCheckBox*>("CBPopisyTextem")->setChecked(textCaptions);
        return TDlgNovaSestava::kDraft;
    });
    TFormSestE& w = f.Open();
    return w.History().Template(0).Lines();
}

}  // namespace

TEST(WizardAndTool, DraftTheSameLines) {
    struct Case {
        bool rows;
        bool byName;
        bool textCaptions;
        QStringList args;
    };
    const QStringList fields = {"Jmeno_call", "Registr_Cislo", "Jmeno_registr", "Cip"};
    const Case cases[] = {
        {false, false, false, {"--fields", fields.join(',')}},
        {true,
         true,
         true,
         {"--fields", fields.join(','), "--style", "row", "--captions", "text", "--by-name"}},
    };
    for (const Case& c : cases) {
        DesignerFixture f(QStringList{});
        f.data.cards->Close();
        // Both read the designer settings of the program folder of harvel-report.
        f.report.IniFileName = QStringLiteral(HARVEL_BIN_DIR "/SestDLL.ini");
        const QStringList tool = ToolDraft(f, c.args);
        const QStringList wizard = WizardDraft(f, fields, c.rows, c.byName, c.textCaptions);
        ASSERT_FALSE(tool.isEmpty());
        EXPECT_EQ(wizard, tool);
    }
}
