// The help window: a topic opens its page, a topic without a page opens the
// contents, back and forward walk the pages seen; and every help topic the
// forms ask for has a page in the help the installation ships.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include "app/help_topics.h"
#include "app/help_window.h"
#include "platform/folders.h"

namespace {

class HelpWindow : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("HELP")));
        platform::SetProgramFolderOverride(root_.filePath(QStringLiteral("bin")));
        Page("index.html", "<h1>Obsah</h1><a href=\"400.html\">Tisky</a>");
        Page("400.html", "<h1>Tiskové výstupy</h1>");
        Page("500.html", "<h1>Adresář</h1>");
    }
    void TearDown() override { platform::SetProgramFolderOverride(QString()); }

    void Page(const char* name, const char* body) {
        QFile file(platform::HelpFolder() + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("<html><body>") + body + "</body></html>");
    }
    static QString Shown(const THelpWindow& window) {
        return QFileInfo(window.CurrentPage()).fileName();
    }

    QTemporaryDir root_;
};

TEST_F(HelpWindow, TopicsOpenTheirPageAndUnknownTopicsTheContents) {
    THelpWindow window;
    EXPECT_TRUE(window.ShowTopic(400));
    EXPECT_EQ(Shown(window), "400.html");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.findChild<QTextBrowser*>("HelpBrowser")
                    ->toPlainText()
                    .contains(QStringLiteral("Tiskové výstupy")));
    EXPECT_TRUE(window.ShowTopic(999));
    EXPECT_EQ(Shown(window), "index.html");
}

TEST_F(HelpWindow, BackForwardAndContentsButtons) {
    THelpWindow window;
    auto* back = window.findChild<QPushButton*>("BtnZpet");
    auto* forward = window.findChild<QPushButton*>("BtnVpred");
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    window.ShowTopic(400);
    EXPECT_FALSE(back->isEnabled());
    window.ShowTopic(500);
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(Shown(window), "400.html");
    ASSERT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(Shown(window), "500.html");
    window.findChild<QPushButton*>("BtnObsah")->click();
    EXPECT_EQ(Shown(window), "index.html");
}

TEST_F(HelpWindow, AnEmptyHelpFolderShowsNothing) {
    QDir(platform::HelpFolder()).removeRecursively();
    THelpWindow window;
    EXPECT_FALSE(window.ShowTopic(400));
    EXPECT_FALSE(window.isVisible());
}

// Help asked for from a modal form is a window of that form, so the modal
// form does not block it; when the form closes (and is destroyed) the help
// window lives on with its page, over the modal form beneath, if any.
TEST_F(HelpWindow, HelpFromAModalFormIsNotBlockedByItAndOutlivesIt) {
    THelpWindow window;
    QWidget* ownerWhileOpen = nullptr;
    QWidget* ownerAfterInner = nullptr;
    QDialog outer;
    QTimer::singleShot(0, &outer, [&] {
        auto* inner = new QDialog(&outer);
        QTimer::singleShot(0, inner, [&, inner] {
            EXPECT_TRUE(window.ShowTopic(400));
            ownerWhileOpen = window.parentWidget();
            inner->reject();
        });
        inner->exec();
        delete inner;
        QApplication::processEvents();
        ownerAfterInner = window.parentWidget();
        outer.reject();
    });
    outer.exec();
    QApplication::processEvents();
    EXPECT_NE(ownerWhileOpen, nullptr);
    EXPECT_NE(ownerWhileOpen, &outer);
    EXPECT_EQ(ownerAfterInner, &outer);
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(Shown(window), "400.html");
}

// Every topic number a form asks for, and every link between the pages,
// leads to a page of the shipped help.
TEST(ShippedHelp, EveryTopicAndLinkHasItsPage) {
    const QDir help(QStringLiteral(HARVEL_SOURCE_DIR "/help"));
    for (int topic :
         {100, 200, 201, 202, 300, 301, 302, 303, 304, 305, 306, 307, 308, 400, 500, 501, 502}) {
        EXPECT_TRUE(help.exists(QStringLiteral("%1.html").arg(topic))) << topic;
    }
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
    for (const QString& name : help.entryList({QStringLiteral("*.html")})) {
        QFile file(help.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("<h1>"))) << name.toStdString();
        for (auto m = link.globalMatch(text); m.hasNext();) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(help.exists(target)) << name.toStdString() << " → " << target.toStdString();
        }
    }
}

}  // namespace
