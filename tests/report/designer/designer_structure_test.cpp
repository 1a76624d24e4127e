// Groups and details in the designer: the band order of group bands, the
// order WriteState writes with groups and details, a detail opened in its own
// window; the element tree, references by name, the record buttons, the
// component's edit operation and the preview that returns to the designer.

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "report/designer/designer_hook.h"
#include "report/designer/element_tree.h"
#include "report/output/widgets/sestp.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;

namespace {

const QString kLabel = QStringLiteral(",Arial,10,0,0,0,0,238,\"%1\",0,0,0,\"\",0,\"\"");

QString Text(const QString& code, int left, int top, const QString& text) {
    return QStringLiteral("%1,1,0,%2,%3,100,20").arg(code).arg(left).arg(top) + kLabel.arg(text);
}

// A master with one group and one attached detail, in the canonical order.
QStringList GroupedLines() {
    return {
        QStringLiteral("I,0,\"Seskupený seznam\""),
        QStringLiteral("I,1,10,52,6"),
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,0,1,24,0"),
        QStringLiteral("I,3,1,0,0,0"),
        QStringLiteral("I,3,2,1,40,0"),
        QStringLiteral("I,3,3,1,24,0"),
        QStringLiteral("I,3,4,0,0,0"),
        QStringLiteral("I,4,0,\"#Jmeno_registr\",1,24,1,32,0"),
        QStringLiteral("I,5,0"),
        QStringLiteral("I,6,0,8,8,0,1,1,1"),
        QStringLiteral("I,7,0,0,0,0,0,0,0,"),
        Text(QStringLiteral("Z"), 0, 0, QStringLiteral("Začátek")),
        QStringLiteral("T,15,0,0,0,726,30"),
        Text(QStringLiteral("K"), 0, 0, QStringLiteral("Konec")),
        Text(QStringLiteral("S0"), 0, 0, QStringLiteral("Hlava skupiny")),
        Text(QStringLiteral("U0"), 8, 8, QStringLiteral("Pata skupiny")),
        QStringLiteral("D0,I,3,2,1,24,0"),
        QStringLiteral("D0,") + Text(QStringLiteral("T"), 16, 0, QStringLiteral("V detailu")),
    };
}

struct GroupedFixture : DesignerFixture {
    GroupedFixture() : DesignerFixture(GroupedLines()) {
        detail.SetDataSource(data.source.get());
        detail.SetMasterSestava(&report);
        report.LoadTemplate(true);
    }
    ~GroupedFixture() { window.reset(); }
    TSestDetail detail;
};

}  // namespace

TEST(DesignerGroups, GroupBandsStackAroundTheBody) {
    GroupedFixture f;
    TFormSestE& w = f.Open();
    std::vector<int> codes;
    for (TOddil* band : w.Paper()->DisplayedBands()) {
        codes.push_back(band->Code());
    }
    EXPECT_EQ(codes, (std::vector<int>{0, 5, 2, 6, 3}));
    EXPECT_EQ(f.Band(5).Caption(), QStringLiteral("Začátek skupiny 1"));
    EXPECT_EQ(f.Band(6).Caption(), QStringLiteral("Konec skupiny 1"));
    EXPECT_EQ(f.Band(6).CaptionColor(), QColor(0, 128, 0));
    EXPECT_EQ(f.Band(5).y(), 24 + 16);
    EXPECT_EQ(f.Band(2).y(), 40 + 40);
    EXPECT_EQ(f.Band(6).y(), 80 + 56);
    EXPECT_EQ(f.Band(3).y(), 136 + 48);
    EXPECT_EQ(f.Band(6).Elements()[0]->geometry(), QRect(8, 8, 100, 20));
}

TEST(DesignerGroups, WriteStateOrderWithGroupsAndDetails) {
    GroupedFixture f;
    TFormSestE& w = f.Open();
    EXPECT_EQ(w.WriteState().Lines(), GroupedLines());
    // An element pasted into the group footer is written among the U0 records.
    w.FocusElement(&f.Element(0, 0));
    w.Copy();
    w.StartPaste();
    f.Band(6).Press(QPoint(200, 0), {}, false);
    const QStringList lines = w.WriteState().Lines();
    const int pasted =
        int(lines.indexOf(Text(QStringLiteral("U0"), 200, 0, QStringLiteral("Začátek"))));
    ASSERT_GE(pasted, 0);
    EXPECT_EQ(lines[pasted - 1], Text(QStringLiteral("U0"), 8, 8, QStringLiteral("Pata skupiny")));
    EXPECT_TRUE(lines[pasted + 1].startsWith(QStringLiteral("D0,")));
}

TEST(DesignerDetails, ADetailOpensInItsOwnWindowAndItsChangesComeBack) {
    GroupedFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& placement = f.Element(2, 0);
    EXPECT_EQ(placement.toolTip(), QStringLiteral("Detail 1: Tisková úloha Lumex"));
    QString detailCaption;
    testing_support::ScriptedModal script([&](QDialog& dialog) {
        auto* designer = qobject_cast<TFormSestE*>(&dialog);
        EXPECT_NE(designer, nullptr);
        if (!designer) {
            return 0;
        }
        detailCaption = designer->windowTitle();
        TOddil* body = designer->Paper()->Band(2);
        EXPECT_EQ(designer->Paper()->Band(1)->isVisible(), false);
        EXPECT_EQ(body->Elements().size(), 1u);
        designer->FocusElement(body->Elements()[0]);
        designer->KeyboardStep(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        return 0;
    });
    w.FocusElement(&placement);
    w.ElementDoubleClick(&placement);
    EXPECT_TRUE(detailCaption.startsWith(QStringLiteral("Oprava předlohy tiskové sestavy")));
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("změna detailu"));
    const QStringList lines = w.WriteState().Lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("D0,") +
                               Text(QStringLiteral("T"), 24, 0, QStringLiteral("V detailu"))));
}

TEST(DesignerTree, BandsInDisplayOrderAndElementsByName) {
    GroupedFixture f;
    TFormSestE& w = f.Open();
    w.SetTreeShown(true);
    TElementTree* tree = w.Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Seskupený seznam"));
    ASSERT_EQ(root->childCount(), 7);
    EXPECT_EQ(root->child(0)->text(0), QStringLiteral("Oddil: Začátek sestavy"));
    EXPECT_EQ(root->child(1)->text(0), QStringLiteral("Oddil: Hlava stránky"));
    EXPECT_TRUE(root->child(1)->font(0).italic());  // hidden band
    EXPECT_EQ(root->child(2)->text(0), QStringLiteral("Oddil: Začátek skupiny 1"));
    EXPECT_EQ(root->child(3)->text(0), QStringLiteral("Oddil: Tělo sestavy"));
    EXPECT_EQ(root->child(3)->child(0)->text(0), QStringLiteral("Detail 1: Tisková úloha Lumex"));
    EXPECT_TRUE(root->child(3)->font(0).bold());
    // Clicking a node selects its element; the node turns red.
    QTreeWidgetItem* footer = root->child(4)->child(0);
    emit tree->itemClicked(footer, 0);
    EXPECT_EQ(w.FocusedElement(), f.Band(6).Elements()[0]);
    EXPECT_EQ(w.Tree()->ItemOf(w.FocusedElement())->foreground(0).color(), QColor(Qt::red));
}

TEST(DesignerNames, RedirectSetsTheFieldNames) {
    DesignerFixture f(QStringList{
        QStringLiteral("I,3,2,1,40,0"),
        QStringLiteral("T,2,1,0,0,100,20,Arial,10,0,0,0,0,238,\"\",0,0,0,\"\",0,\"\""),
    });
    TFormSestE& w = f.Open();
    EXPECT_TRUE(w.WriteState().Lines().last().startsWith(QStringLiteral("T,2,1,")));
    w.RedirectByName();
    EXPECT_TRUE(w.WriteState().Lines().last().startsWith(QStringLiteral("T,2,Jmeno_call,")));
    EXPECT_EQ(w.History().Name(w.History().Current()), QStringLiteral("nastavení prvku"));
}

TEST(DesignerRecords, ButtonsStepTheDataAndRefreshTheSamples) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TLumexReportElement& name = f.Element(2, 0).Element();
    EXPECT_FALSE(w.Action(QStringLiteral("ActionPrvni"))->isEnabled());
    w.Action(QStringLiteral("ActionDalsi"))->trigger();
    EXPECT_EQ(name.value.text, QStringLiteral("Bella Šťastná hvězda"));
    EXPECT_TRUE(w.Action(QStringLiteral("ActionPrvni"))->isEnabled());
    w.Action(QStringLiteral("ActionPosledni"))->trigger();
    EXPECT_EQ(name.value.text, QStringLiteral("Cyril od Tří dubů"));
    EXPECT_FALSE(w.Action(QStringLiteral("ActionDalsi"))->isEnabled());
    w.Action(QStringLiteral("ActionPrvni"))->trigger();
    EXPECT_EQ(name.value.text, QStringLiteral("Arko z Lesní paseky"));
}

TEST(DesignerEntry, TheEditOperationOpensTheDesignerOnTheTemplate) {
    DesignerFixture f;
    InstallReportDesigner();
    QString caption;
    size_t elements = 0;
    testing_support::ScriptedModal script([&](QDialog& dialog) {
        if (auto* designer = qobject_cast<TFormSestE*>(&dialog)) {
            caption = designer->windowTitle();
            elements = designer->Paper()->AllElements().size();
        }
        return 0;
    });
    EXPECT_EQ(f.report.Edit(), sePreruseno);
    SetDesignerHook(nullptr);
    SetTemplateSaveDialog(nullptr);
    EXPECT_TRUE(caption.contains(QStringLiteral(" - Seznam psů (")));
    EXPECT_EQ(elements, 4u);
}

TEST(DesignerPreview, OpravaPredlohyReturnsAndZavritClosesTheDesigner) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.show();
    // The preview shows what is designed now, not what is in the file.
    TSesPrvek& title = f.Element(0, 0);
    title.Element().text = QStringLiteral("Návrh");
    w.RecordStep(dsText);
    int pages = 0;
    QString firstText;
    int answer = TFormSestP::kEditResult;
    testing_support::ScriptedModal script([&](QDialog& dialog) {
        if (auto* preview = qobject_cast<TFormSestP*>(&dialog)) {
            pages = preview->Output()->PageCount();
            for (int i = 0; i < preview->Output()->Page(0).Count(); ++i) {
                const QString text = preview->Output()->Page(0).Item(i).GetText();
                if (text == QStringLiteral("Návrh")) {
                    firstText = text;
                }
            }
            return answer;
        }
        return 0;
    });
    w.PreviewReport();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(firstText, QStringLiteral("Návrh"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(f.Band(0).Elements().size(), 2u);
    EXPECT_EQ(f.Element(2, 0).Element().value.text, QStringLiteral("Arko z Lesní paseky"));
    answer = QDialog::Accepted;
    f.messages.Answer(platform::mbNo);
    w.PreviewReport();
    EXPECT_FALSE(w.isVisible());
}
