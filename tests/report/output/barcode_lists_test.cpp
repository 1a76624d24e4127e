// The type list of the designer and the bar-width list with its look-up.

#include <gtest/gtest.h>

#include "report/output/sestbarc.h"

TEST(BarcodeLists, TypeNamesInDesignerOrder) {
    const QStringList& names = BarcodeTypeNames();
    ASSERT_EQ(names.size(), kBarcodeTypeCount);
    EXPECT_EQ(names.first(), "2/5 interleaved");
    EXPECT_EQ(BarcodeTypeName(btCodabar), "Codebar");
    EXPECT_EQ(BarcodeTypeName(btUpcE1), "UPC-E1");
    EXPECT_EQ(BarcodeTypeName(btEan8Or13), "EAN 8/13");
    EXPECT_EQ(BarcodeTypeName(21), QString());
    EXPECT_EQ(BarcodeTypeName(-1), QString());
    int digitTypes = 0;
    for (int t = 0; t < kBarcodeTypeCount; ++t) {
        digitTypes += IsDigitBarcodeType(t);
    }
    EXPECT_EQ(digitTypes, 14);
    EXPECT_FALSE(IsDigitBarcodeType(btCode93Full));
    EXPECT_TRUE(IsDigitBarcodeType(btCode128C));
    EXPECT_FALSE(IsDigitBarcodeType(99));
}

TEST(BarcodeLists, BarWidthsAreCaptionTimesEight) {
    const std::vector<TBarWidth>& list = BarWidthList();
    ASSERT_EQ(list.size(), 36u);
    for (const TBarWidth& entry : list) {
        const double caption = QString(entry.caption).replace(',', '.').toDouble();
        EXPECT_EQ(entry.value, qRound(caption * 8)) << entry.caption.toStdString();
    }
    for (size_t i = 1; i < list.size(); ++i) {
        EXPECT_LT(list[i - 1].value, list[i].value);
    }
    EXPECT_EQ(list.front().caption, "0,50");
    EXPECT_EQ(list.back().caption, "16,00");
    EXPECT_EQ(list[DefaultBarWidthIndex()].caption, "1,00");
    EXPECT_EQ(list[DefaultBarWidthIndex()].value, kDefaultModuleWidth);
}

TEST(BarcodeLists, LookUpTakesTheFirstEntryNotBelow) {
    const auto caption = [](int value) { return BarWidthList()[FindBarWidthIndex(value)].caption; };
    EXPECT_EQ(caption(18), "2,25");
    EXPECT_EQ(caption(17), "2,25");
    EXPECT_EQ(caption(8), "1,00");
    EXPECT_EQ(caption(4), "0,50");
    EXPECT_EQ(caption(1), "0,50");
    EXPECT_EQ(caption(97), "14,00");
    EXPECT_EQ(caption(128), "16,00");
    // Widths the painter replaces with 8 show the entry it draws with.
    EXPECT_EQ(caption(0), "1,00");
    EXPECT_EQ(caption(-5), "1,00");
    EXPECT_EQ(caption(129), "1,00");
}
