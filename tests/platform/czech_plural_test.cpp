// Czech plural forms of counted words.

#include <gtest/gtest.h>

#include "platform/czech_plural.h"

namespace {

TEST(CzechPlural, OneFewAndMany) {
    const platform::CzechForms rows{QStringLiteral("řádek"), QStringLiteral("řádky"),
                                    QStringLiteral("řádků")};
    EXPECT_EQ(platform::CzechPlural(1, rows), "řádek");
    for (int few : {2, 3, 4, -2}) {
        EXPECT_EQ(platform::CzechPlural(few, rows), "řádky") << few;
    }
    // Czech counts only 1 as one and 2 to 4 as few, also in 21 or 104.
    for (int many : {0, 5, 11, 21, 22, 104, 1000000}) {
        EXPECT_EQ(platform::CzechPlural(many, rows), "řádků") << many;
    }
}

}  // namespace
