// The layouts a run remembers per element: only a text laid out with all the
// same settings is taken again, the lines are shared, not copied, and long
// texts are not kept.
#include <gtest/gtest.h>

#include "report/engine/layout_memory.h"
#include "report/model/lumex_element.h"

namespace {

TTextLayoutKey Key(const QString& text) {
    TTextLayoutKey key;
    key.text = text;
    key.font.name = QStringLiteral("Arial");
    key.font.size = 9;
    key.rect = QRect(0, 0, 88 * 72, 18 * 72);
    return key;
}

TRadky Lines(const QString& text) {
    TRadky lines;
    TFragment fragment;
    fragment.Text = text;
    lines.Add().Fragments.append(fragment);
    return lines;
}

TEST(LayoutMemory, ATextIsTakenAgainOnlyWithEverySettingTheSame) {
    TLayoutMemory memory;
    TLumexReportElement element, other;
    memory.Keep(&element, Key(QStringLiteral("Bígl")), Lines(QStringLiteral("Bígl")));
    const TRadky* known = memory.Find(&element, Key(QStringLiteral("Bígl")));
    ASSERT_NE(known, nullptr);
    EXPECT_EQ(LineText((*known)[0]), QStringLiteral("Bígl"));
    EXPECT_EQ(memory.Find(&other, Key(QStringLiteral("Bígl"))), nullptr) << "another element";

    std::vector<TTextLayoutKey> changed(8, Key(QStringLiteral("Bígl")));
    changed[0].text = QStringLiteral("Bígl ");
    changed[1].font.bold = true;
    changed[2].font.color = Qt::red;
    changed[3].rect.setWidth(87 * 72);
    changed[4].multiline = true;
    changed[5].rtf = true;
    changed[6].lineHeight = 100.0 / 6.0;
    changed[7].alignment = 2;
    for (size_t i = 0; i < changed.size(); ++i) {
        EXPECT_EQ(memory.Find(&element, changed[i]), nullptr) << i;
    }
    TTextLayoutKey spaced = Key(QStringLiteral("Bígl"));
    spaced.letterSpacing = 10;
    EXPECT_EQ(memory.Find(&element, spaced), nullptr);
}

TEST(LayoutMemory, EachElementKeepsItsLastTwoTextsAndNoLongOnes) {
    TLayoutMemory memory;
    TLumexReportElement element;
    memory.Keep(&element, Key(QStringLiteral("pes")), Lines(QStringLiteral("pes")));
    memory.Keep(&element, Key(QStringLiteral("fena")), Lines(QStringLiteral("fena")));
    EXPECT_NE(memory.Find(&element, Key(QStringLiteral("pes"))), nullptr);
    EXPECT_NE(memory.Find(&element, Key(QStringLiteral("fena"))), nullptr);
    memory.Keep(&element, Key(QStringLiteral("štěně")), Lines(QStringLiteral("štěně")));
    EXPECT_EQ(memory.Find(&element, Key(QStringLiteral("pes"))), nullptr) << "the oldest went";
    EXPECT_NE(memory.Find(&element, Key(QStringLiteral("fena"))), nullptr);
    EXPECT_NE(memory.Find(&element, Key(QStringLiteral("štěně"))), nullptr);

    const QString memo(TLayoutMemory::kLongestText + 1, QLatin1Char('x'));
    memory.Keep(&element, Key(memo), Lines(memo));
    EXPECT_EQ(memory.Find(&element, Key(memo)), nullptr);

    memory.Clear();
    EXPECT_EQ(memory.Find(&element, Key(QStringLiteral("fena"))), nullptr);
}

TEST(LayoutMemory, LinesTakenAgainAreTheirOwnOnceChanged) {
    TLayoutMemory memory;
    TLumexReportElement element;
    memory.Keep(&element, Key(QStringLiteral("strana 1 z ?")),
                Lines(QStringLiteral("strana 1 z ?")));
    TRadky taken = *memory.Find(&element, Key(QStringLiteral("strana 1 z ?")));
    taken[0].Fragments[0].Text = QStringLiteral("strana 1 z 9");  // as the page count is filled in
    EXPECT_EQ(LineText((*memory.Find(&element, Key(QStringLiteral("strana 1 z ?"))))[0]),
              QStringLiteral("strana 1 z ?"));
}

}  // namespace
