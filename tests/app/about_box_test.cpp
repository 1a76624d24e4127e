// The about box: caption, product name, version, and both ways to close it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/aboutbox.h"
#include "platform/program_version.h"

TEST(AboutBox, ShowsProductAndVersionWithoutAFrame) {
    TAboutBox1 about;
    EXPECT_EQ(about.windowTitle(), "O aplikaci");
    EXPECT_TRUE(about.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto* product = about.findChild<QLabel*>("ProductName");
    auto* version = about.findChild<QLabel*>("Version");
    ASSERT_NE(product, nullptr);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(product->text(), "Harvel 1.0");
    // The version "harvel --version" prints (CMake's project version).
    EXPECT_EQ(version->text(), platform::ProgramVersion());
    EXPECT_FALSE(version->text().isEmpty());
}

TEST(AboutBox, OkAndEnterCloseWithOk) {
    for (bool enter : {false, true}) {
        SCOPED_TRACE(enter ? "Enter" : "OK");
        TAboutBox1 about;
        about.show();
        about.setResult(QDialog::Rejected);
        if (enter) {
            QTest::keyClick(&about, Qt::Key_Return);
        } else {
            QTest::mouseClick(about.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        }
        EXPECT_EQ(about.result(), QDialog::Accepted);
        EXPECT_FALSE(about.isVisible());
    }
}
