// The kennel's web site written from the hand-made kennel: links resolve
// inside the site's folder, the address book and the animal marked
// "Nezveřejňovat" appear nowhere, hostile names come out as text.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>

#include "platform/store/store_error.h"
#include "records/site/html_writer.h"
#include "records/site/kennel_site.h"
#include "tests/records/site/site_kennel_fixture.h"
#include "tests/support/html_scan.h"

namespace {

using testing_support::ScanHtml;

class KennelSite : public site_test::SiteKennelFixture {
  protected:
    void SetUp() override {
        SiteKennelFixture::SetUp();
        site_ = dir_.filePath(QStringLiteral("web"));
    }

    site::SiteWritten Write() {
        return site::WriteKennelSite(*db_, QStringLiteral("z Lipové aleje"), site_);
    }

    QString Page(const QString& relative) { return FileText(site_ + u'/' + relative); }

    QStringList Pages() { return SiteFiles(site_).filter(QRegularExpression("\\.html$")); }

    QString site_;
};

TEST_F(KennelSite, PublishesTheOwnedAnimalsTheirLittersAndPhotos) {
    const site::SiteWritten written = Write();
    EXPECT_EQ(written.animals, 4);
    EXPECT_EQ(written.litters, 2);
    EXPECT_EQ(written.photos, 1);
    EXPECT_EQ(SiteFiles(site_),
              (QStringList{".harvel-web", "foto/aja-z-lipove-aleje-nahled.jpg",
                           "foto/aja-z-lipove-aleje.jpg", "index.html", "styl.css", "vrhy.html",
                           "zvirata/aja-z-lipove-aleje.html", "zvirata/ema.html",
                           "zvirata/hugo.html", "zvirata/script-alert-x-script-bim.html"}));
    // The photo that is no picture is said, not dropped silently.
    ASSERT_EQ(written.notes.size(), 1);
    EXPECT_TRUE(written.notes[0].contains("„Hugo“"));
    const QImage thumbnail(site_ + "/foto/aja-z-lipove-aleje-nahled.jpg");
    EXPECT_EQ(thumbnail.size(), QSize(320, 240));
    EXPECT_EQ(QImage(site_ + "/foto/aja-z-lipove-aleje.jpg").size(), QSize(800, 600));

    const QString index = Page("index.html");
    EXPECT_TRUE(index.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(index.contains("<meta name=\"viewport\""));
    EXPECT_TRUE(index.contains("<h1>z Lipové aleje</h1>"));
    EXPECT_TRUE(index.contains("<a href=\"zvirata/aja-z-lipove-aleje.html\">"));
    EXPECT_FALSE(index.contains("Cizí Brok"));

    const QString aja = Page("zvirata/aja-z-lipove-aleje.html");
    for (const char* text :
         {"<dd>CH CZ</dd>", "<dd>DKK A, Pra neg</dd>", "<dd>1.4.2022</dd>", "<td>3.6.2023</td>",
          "<td>Oblastní</td>", "<td>V1</td>", "<li>ZVV1</li>", "<a href=\"hugo.html\">Hugo</a>",
          "src=\"../foto/aja-z-lipove-aleje.jpg\""}) {
        EXPECT_TRUE(aja.contains(QString::fromUtf8(text))) << text;
    }
    // A parent's parent outside the kennel's ownership: its name, no link.
    EXPECT_TRUE(aja.contains("Cizí Brok</td>"));
    EXPECT_FALSE(aja.contains("cizi-brok"));
    EXPECT_TRUE(Page("zvirata/hugo.html").contains("<a href=\"aja-z-lipove-aleje.html\">"));
    EXPECT_FALSE(Page("zvirata/hugo.html").contains("<img"));

    const QString litters = Page("vrhy.html");
    EXPECT_LT(litters.indexOf("<h2>2025</h2>"), litters.indexOf("<h2>2022</h2>"));
    EXPECT_TRUE(litters.contains(
        "<td>\n<a href=\"zvirata/aja-z-lipove-aleje.html\">Ája z Lipové aleje</a>, Bára</td>"));
    EXPECT_TRUE(litters.contains("<td>neuvedeno</td>"));
    EXPECT_TRUE(litters.contains("Cyril"));
}

TEST_F(KennelSite, EveryLinkResolvesToAFileOfTheSite) {
    Write();
    int links = 0;
    for (const QString& page : Pages()) {
        const QString folder = QFileInfo(site_ + u'/' + page).absolutePath();
        for (const auto& tag : ScanHtml(Page(page)).tags) {
            EXPECT_NE(tag.name, "script") << page.toStdString();
            for (const char* attribute : {"href", "src"}) {
                if (!tag.attributes.contains(attribute)) {
                    continue;
                }
                const QString target = testing_support::DecodeHtml(tag.attributes[attribute]);
                ++links;
                EXPECT_FALSE(target.contains(':') || target.startsWith('/'))
                    << page.toStdString() << " " << target.toStdString();
                const QString path = QDir::cleanPath(folder + u'/' + target);
                EXPECT_TRUE(path.startsWith(QDir(site_).absolutePath() + u'/'))
                    << target.toStdString();
                EXPECT_TRUE(QFileInfo(path).isFile())
                    << page.toStdString() << " -> " << target.toStdString();
            }
        }
    }
    EXPECT_GT(links, 30);
}

TEST_F(KennelSite, NothingOfTheAddressBookNorOfTheHiddenAnimal) {
    Write();
    for (const QString& file : SiteFiles(site_)) {
        EXPECT_FALSE(file.contains("skryty")) << file.toStdString();
        const QString text = FileText(site_ + u'/' + file);
        EXPECT_FALSE(text.contains("Skrytý Rex")) << file.toStdString();
        EXPECT_FALSE(text.contains("Dan</")) << file.toStdString();  // the hidden dam's litter
        for (const QString& secret : site_test::kPrivate) {
            EXPECT_FALSE(text.contains(secret)) << file.toStdString() << secret.toStdString();
        }
    }
    // Ema's sire is hidden: no line for him, not an empty one.
    EXPECT_FALSE(Page("zvirata/ema.html").contains("<dt>Otec</dt>"));
}

TEST_F(KennelSite, HostileNamesComeOutAsText) {
    Write();
    const QString escaped = site::EscapedHtml(site_test::kHostile);
    EXPECT_EQ(escaped, "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; &#39;Bim&#39;");
    const QString index = Page("index.html");
    EXPECT_TRUE(index.contains("alt=\"" + escaped + "\"") || index.contains(escaped));
    EXPECT_TRUE(index.contains("&lt;b&gt;CH&lt;/b&gt;"));
    for (const QString& page : Pages()) {
        const QString html = Page(page);
        EXPECT_FALSE(html.contains("<script") || html.contains("<b>")) << page.toStdString();
    }
    const QString own = Page("zvirata/script-alert-x-script-bim.html");
    EXPECT_TRUE(testing_support::DecodeHtml(ScanHtml(own).text).contains(site_test::kHostile));
    EXPECT_TRUE(own.contains("<title>" + escaped + " – z Lipové aleje</title>"));
}

TEST_F(KennelSite, ALaterRunRemovesThePagesItNoLongerWritesAndKeepsTheUsersFiles) {
    Write();
    ASSERT_TRUE(QFile::exists(site_ + "/zvirata/aja-z-lipove-aleje.html"));
    QFile own(site_ + "/zvirata/moje.html");
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    {
        platform::Table cards(*db_, QStringLiteral("main_card.db"));
        cards.Open();
        ASSERT_TRUE(
            cards.Locate(QStringLiteral("Jmeno_registr"), QStringLiteral("Ája z Lipové aleje")));
        cards.Edit();
        cards.FieldByName(QStringLiteral("Nezverejnovat")).SetAsBoolean(true);
        cards.Post();
    }
    const site::SiteWritten written = Write();
    EXPECT_EQ(written.animals, 3);
    EXPECT_FALSE(QFile::exists(site_ + "/zvirata/aja-z-lipove-aleje.html"));
    EXPECT_FALSE(QFile::exists(site_ + "/foto/aja-z-lipove-aleje.jpg"));
    EXPECT_TRUE(QFile::exists(site_ + "/zvirata/moje.html"));
    EXPECT_TRUE(written.notes.contains(
        "Odstraněn soubor dřívějších stránek: zvirata/aja-z-lipove-aleje.html"));
    for (const QString& page : Pages()) {
        EXPECT_FALSE(Page(page).contains("Ája z Lipové aleje")) << page.toStdString();
    }
}

TEST_F(KennelSite, AFolderThatCannotBeMadeIsAFailureWithItsName) {
    QFile blocker(site_);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        Write();
        FAIL() << "no failure";
    } catch (const platform::StoreError& error) {
        EXPECT_TRUE(error.Message().contains("nelze vytvořit")) << error.Message().toStdString();
    }
}

}  // namespace
