// Drafting a new template from chosen fields: both styles, both kinds of
// captions, by number and by name, rows that wrap, the page limit of the row
// style, the detail-report generators, names that are not fields.

#include <gtest/gtest.h>

#include "report/designer/template_draft.h"

namespace {

// Left, right and centre aligned fields of different display widths.
QList<TDraftField> Fields() {
    return {
        {QStringLiteral("Jmeno_registr"), QStringLiteral("Jméno"), 10, 0},
        {QStringLiteral("Vaha"), QStringLiteral("Váha"), 20, 1},
        {QStringLiteral("Plemeno"), QStringLiteral("Plemeno"), 4, 0x82},
    };
}

const QStringList kTitle = {
    QStringLiteral("Z,1,0,0,40,750,40,Arial,24,0,1,2,0,1,\"Nadpis sestavy\""),
    QStringLiteral("Z,5,0,678,0,72,20,Arial,10,0,2,0,0,1"),
    QStringLiteral("Z,1,0,622,0,56,20,Arial,10,0,2,0,0,1,\"Datum:\""),
};
const QStringList kPageNumber = {
    QStringLiteral("P,1,0,606,8,96,20,Arial,10,0,2,1,0,1,\"Stránka číslo:\""),
    QStringLiteral("P,5,3,702,8,32,20,Arial,10,0,2,1,0,1"),
};

QStringList Draft(const TDraftChoice& choice, int width = 750, int height = 1029) {
    return DraftTemplate(choice, Fields(), TDesignerSettings(), width, height);
}

}  // namespace

TEST(TemplateDraft, OneFieldInColumnStyle) {
    TDraftChoice choice;
    choice.chosen = {QStringLiteral("Jmeno_registr")};
    const QStringList expected =
        QStringList{QStringLiteral("I,5,0"),      QStringLiteral("I,6,0,8,8"),
                    QStringLiteral("I,3,0,1,96"), QStringLiteral("I,3,1,1,28"),
                    QStringLiteral("I,3,2,1,20"), QStringLiteral("I,3,3,0,16"),
                    QStringLiteral("I,3,4,1,32")} +
        kTitle +
        QStringList{QStringLiteral("H,3,0,0,0,90,20,Arial,10,0,0,0,0,1"),
                    QStringLiteral("T,2,0,0,0,90,20,Arial,10,0,0,0,0,1"),
                    QStringLiteral("H,7,0,0,20,750,3,,1,0,0,8,15,0")} +
        kPageNumber;
    EXPECT_EQ(Draft(choice), expected);
}

TEST(TemplateDraft, ColumnsWrapIntoNewRowsWithABodyLine) {
    TDraftChoice choice;
    choice.chosen = {QStringLiteral("Jmeno_registr"), QStringLiteral("Vaha"),
                     QStringLiteral("Plemeno")};
    choice.captionsAsText = true;
    choice.byName = true;
    const QStringList lines = Draft(choice, 200);
    // 90 + 160 > 200: "Vaha" starts the second row, 160 + 48 > 200: "Plemeno" the third.
    EXPECT_TRUE(lines.contains(QStringLiteral("H,1,0,0,0,90,20,Arial,10,0,0,0,0,1,\"Jméno\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("T,2,Jmeno_registr,0,0,90,20,Arial,10,0,0,0,0,1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("H,1,0,0,20,160,20,Arial,10,0,0,1,0,1,\"Váha\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("T,2,Vaha,0,20,160,20,Arial,10,0,0,1,0,1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("T,2,Plemeno,0,40,48,20,Arial,10,0,0,2,0,1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("T,7,0,0,60,200,3,,1,0,0,8,15,0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("H,7,0,0,68,200,3,,1,0,0,8,15,0")));
    EXPECT_EQ(lines[3], QStringLiteral("I,3,1,1,76"));
    EXPECT_EQ(lines[4], QStringLiteral("I,3,2,1,68"));
}

TEST(TemplateDraft, AFieldWiderThanThePaperIsCut) {
    TDraftChoice choice;
    choice.chosen = {QStringLiteral("Vaha")};
    choice.captions = false;
    const QStringList lines = Draft(choice, 100);
    EXPECT_TRUE(lines.contains(QStringLiteral("T,2,1,0,0,100,20,Arial,10,0,0,1,0,1")));
    // No captions, but the header line all the same.
    EXPECT_TRUE(lines.contains(QStringLiteral("H,7,0,0,20,100,3,,1,0,0,8,15,0")));
    for (const QString& line : lines) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("H,3,")));
        EXPECT_FALSE(line.startsWith(QStringLiteral("H,1,")));
    }
}

TEST(TemplateDraft, RowStyleWithTextCaptions) {
    TDraftChoice choice;
    choice.columnStyle = false;
    choice.captionsAsText = true;
    choice.chosen = {QStringLiteral("Jmeno_registr"), QStringLiteral("Vaha")};
    const QStringList expected =
        QStringList{QStringLiteral("I,5,0"),      QStringLiteral("I,6,0,8,8"),
                    QStringLiteral("I,3,0,1,96"), QStringLiteral("I,3,1,1,16"),
                    QStringLiteral("I,3,2,1,56"), QStringLiteral("I,3,3,0,16"),
                    QStringLiteral("I,3,4,1,32")} +
        kTitle +
        QStringList{QStringLiteral("H,7,0,0,5,750,3,,1,0,0,8,15,0"),
                    QStringLiteral("T,1,0,0,0,84,20,Arial,10,0,0,1,0,1,\"Jméno\""),
                    QStringLiteral("T,2,0,92,0,90,20,Arial,10,0,0,0,0,1"),
                    QStringLiteral("T,1,0,0,20,84,20,Arial,10,0,0,1,0,1,\"Váha\""),
                    QStringLiteral("T,2,1,92,20,160,20,Arial,10,0,0,1,0,1"),
                    QStringLiteral("T,7,0,0,48,750,3,,1,0,0,8,15,0")} +
        kPageNumber;
    EXPECT_EQ(Draft(choice), expected);
}

TEST(TemplateDraft, RowStyleLabelsAndThePageLimit) {
    TDraftChoice choice;
    choice.columnStyle = false;
    for (int i = 0; i < 3; ++i) {
        choice.chosen << QStringLiteral("Jmeno_registr");
    }
    // Room for two rows: 144 + 2 * 20 + 20 > 200 stops after the second.
    const QStringList lines = Draft(choice, 750, 200);
    EXPECT_EQ(lines.filter(QStringLiteral("T,2,")).size(), 2);
    EXPECT_TRUE(lines.contains(QStringLiteral("T,3,0,0,0,84,20,Arial,10,0,0,1,0,1")));
}

TEST(TemplateDraft, DetailColumnStyleUsesTheReportHeader) {
    TDraftChoice choice;
    choice.detail = true;
    choice.chosen = {QStringLiteral("Plemeno"), QStringLiteral("Kocka")};
    const QStringList expected = {
        QStringLiteral("I,5,0"),
        QStringLiteral("I,6,0,8,8"),
        QStringLiteral("I,3,0,1,28"),
        QStringLiteral("I,3,1,0,16"),
        QStringLiteral("I,3,2,1,20"),
        QStringLiteral("I,3,3,0,16"),
        QStringLiteral("I,3,4,0,16"),
        QStringLiteral("Z,3,2,0,0,48,20,Arial,10,0,0,2,0,1"),
        QStringLiteral("T,2,2,0,0,48,20,Arial,10,0,0,2,0,1"),
        QStringLiteral("Z,7,0,0,20,750,3,,1,0,0,8,15,0"),
    };
    EXPECT_EQ(Draft(choice), expected);
}

TEST(TemplateDraft, DetailRowStyle) {
    TDraftChoice choice;
    choice.detail = true;
    choice.columnStyle = false;
    choice.chosen = {QStringLiteral("Vaha")};
    const QStringList expected = {
        QStringLiteral("I,5,0"),
        QStringLiteral("I,6,0,8,8"),
        QStringLiteral("I,3,0,1,16"),
        QStringLiteral("I,3,1,0,16"),
        QStringLiteral("I,3,2,1,36"),
        QStringLiteral("I,3,3,0,16"),
        QStringLiteral("I,3,4,0,16"),
        QStringLiteral("Z,7,0,0,5,750,3,,1,0,0,8,15,0"),
        QStringLiteral("T,3,1,0,0,84,20,Arial,10,0,0,1,0,1"),
        QStringLiteral("T,2,1,92,0,160,20,Arial,10,0,0,1,0,1"),
        QStringLiteral("T,7,0,0,28,750,3,,1,0,0,8,15,0"),
    };
    EXPECT_EQ(Draft(choice), expected);
}

TEST(TemplateDraft, TheDesignerSettingsGiveUnitRasterAndFont) {
    TDesignerSettings s;
    s.useUnits = 1;
    s.rastrX = 10;
    s.rastrY = 5;
    s.implNazevFontu = QStringLiteral("Times New Roman");
    s.implVyskaFontu = 12;  // cw 9
    s.implVyska = 24;
    s.implSkriptFontu = 238;
    TDraftChoice choice;
    choice.chosen = {QStringLiteral("Jmeno_registr")};
    const QStringList lines = DraftTemplate(choice, Fields(), s, 750, 1029);
    EXPECT_EQ(lines[0], QStringLiteral("I,5,1"));
    EXPECT_EQ(lines[1], QStringLiteral("I,6,0,10,5"));
    EXPECT_TRUE(lines.contains(QStringLiteral("T,2,0,0,0,114,24,Times New Roman,12,0,0,0,0,238")));
}
