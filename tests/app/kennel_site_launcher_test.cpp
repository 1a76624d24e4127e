// "Webové stránky chovné stanice..." in the launcher's menu: the folder is
// asked for, the site written from the data module's database with the
// kennel's name of the settings, and a box says what was written or why not.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>

#include "app/dmunit.h"
#include "app/fouvod.h"
#include "app/parametry.h"
#include "tests/records/site/site_kennel_fixture.h"
#include "tests/support/seams.h"

namespace {

using testing_support::ScriptedFileDialog;
using testing_support::ScriptedMessages;

class KennelSiteLauncher : public site_test::SiteKennelFixture {
  protected:
    void SetUp() override {
        SiteKennelFixture::SetUp();
        db_.reset();  // the data module opens the folder for itself
        dm_ = std::make_unique<TDM1>(folder_ + "/");
        saved_ = CurrentParametry();
        CurrentParametry().Chovatel = QStringLiteral("z Lipové aleje");
        launcher_.SetDataModule(dm_.get());
        site_ = dir_.filePath(QStringLiteral("web"));
    }
    void TearDown() override { CurrentParametry() = saved_; }

    // Chooses `folder` in the folder dialog and picks the menu entry.
    void Pick(const QString& folder) {
        ScriptedFileDialog dialog([&](const platform::FileDialogRequest& request) {
            asked_ = request;
            return folder;
        });
        QAction* entry = launcher_.findChild<QAction*>("MenuWebStranky");
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text(), "Webové stránky chovné stanice...");
        entry->trigger();
    }

    std::unique_ptr<TDM1> dm_;
    TFoUvod launcher_{nullptr};
    Parametry saved_;
    QString site_;
    platform::FileDialogRequest asked_;
    ScriptedMessages messages_;
};

TEST_F(KennelSiteLauncher, WritesTheSiteIntoTheChosenFolderAndSaysWhat) {
    Pick(site_);
    EXPECT_EQ(asked_.kind, platform::FileDialogKind::Folder);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    const platform::MessageRequest& box = messages_.Shown()[0];
    EXPECT_EQ(box.icon, platform::MessageIcon::Information);
    EXPECT_EQ(box.caption, "Webové stránky chovné stanice");
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Webové stránky byly zapsány do složky „%1“: "
                                                   "4 zvířata, 2 vrhy, 1 fotografie.\n\n")
                                        .arg(site_)))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.contains("Fotografii zvířete „Hugo“ nelze přečíst"));
    EXPECT_TRUE(FileText(site_ + "/index.html").contains("<h1>z Lipové aleje</h1>"));
    EXPECT_TRUE(QFile::exists(site_ + "/zvirata/aja-z-lipove-aleje.html"));
}

TEST_F(KennelSiteLauncher, CancellingTheFolderWritesNothing) {
    Pick(QString());
    EXPECT_TRUE(messages_.Shown().empty());
    EXPECT_FALSE(QFile::exists(site_));
}

TEST_F(KennelSiteLauncher, AFailureIsToldInAnErrorBox) {
    QFile blocker(site_);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Pick(site_);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(messages_.Shown()[0].text.startsWith("Webové stránky nelze zapsat: Složku „"))
        << messages_.Shown()[0].text.toStdString();
}

}  // namespace
