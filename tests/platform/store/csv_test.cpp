#include <gtest/gtest.h>

#include "platform/store/csv.h"
#include "platform/store/store_error.h"

using platform::ParseCsv;

TEST(Csv, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
    const auto records = ParseCsv("a,b,c\r\n\"x,1\",\"say \"\"hi\"\"\",\"two\nlines\"\r\nlast,,\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].fields, (QStringList{"x,1", "say \"hi\"", "two\nlines"}));
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[2].line, 4);  // the quoted line break counts
    EXPECT_EQ(records[2].fields, (QStringList{"last", "", ""}));
}

TEST(Csv, Utf8WithMarkAndSemicolonsFromSpreadsheets) {
    const auto records = ParseCsv(QByteArray("\xEF\xBB\xBF") +
                                  "Jmeno_registr;Plemeno\n\xC4\x8C"
                                  "ert;B\xC3\xADgl\n\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].fields, (QStringList{"Jmeno_registr", "Plemeno"}));
    EXPECT_EQ(records[1].fields, (QStringList{QStringLiteral("Čert"), QStringLiteral("Bígl")}));
}

TEST(Csv, FaultsNameTheLine) {
    auto message = [](const QByteArray& data) {
        try {
            ParseCsv(data);
        } catch (const platform::StoreError& e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_TRUE(message("a\n\"open\n").contains(QStringLiteral("řádek 2")));
    EXPECT_TRUE(message("a,b\n\"x\"y,1\n").contains(QStringLiteral("řádek 2")));
    EXPECT_TRUE(message("a\nok\n\xC3\x28\n").contains(QStringLiteral("řádek 3")));
}

TEST(Csv, WrittenLinesReadBack) {
    const QStringList fields{"plain", "with,comma", "quote\"d", "multi\nline", " padded", ""};
    const auto records = ParseCsv(platform::CsvLine({"h1", "h2", "h3", "h4", "h5", "h6"}) +
                                  platform::CsvLine(fields));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].fields, fields);
    EXPECT_EQ(platform::CsvLine({"a", "b"}), QByteArray("a,b\r\n"));
}
