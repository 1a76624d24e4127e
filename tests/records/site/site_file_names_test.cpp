#include "records/site/site_file_names.h"

#include <gtest/gtest.h>

namespace {

TEST(SiteFileNames, CzechLettersLoseTheirMarksAndEverythingElseBecomesOneHyphen) {
    EXPECT_EQ(site::FileStem("Ája z Lipové aleje"), "aja-z-lipove-aleje");
    EXPECT_EQ(site::FileStem("ŽLUŤOUČKÝ kůň  úpěl"), "zlutoucky-kun-upel");
    EXPECT_EQ(site::FileStem("../../etc/passwd"), "etc-passwd");
    EXPECT_EQ(site::FileStem("<>\"&"), "zvire");
    EXPECT_EQ(site::FileStem(QString(100, u'a')).size(), 60);
}

TEST(SiteFileNames, NamesThatComeOutTheSameGetNumbersAndKeepThem) {
    site::SiteFileNames names;
    EXPECT_EQ(names.StemOf("Ája"), "aja");
    EXPECT_EQ(names.StemOf("Aja"), "aja-2");
    EXPECT_EQ(names.StemOf("ÁJA"), "aja-3");
    EXPECT_EQ(names.StemOf("Aja"), "aja-2");
    EXPECT_EQ(names.StemOf("aja-2"), "aja-2-2");
}

}  // namespace
