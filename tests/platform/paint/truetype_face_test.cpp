// The font programs the PDF writer embeds: a subset keeps the glyph ids and
// the outlines of the glyphs used (with the parts of composite glyphs) and
// empties the others.
#include <gtest/gtest.h>

#include <QFont>
#include <QPainterPath>
#include <QRawFont>

#include "platform/paint/truetype_face.h"

using namespace platform;

namespace {

QRawFont Liberation() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(100);
    return QRawFont::fromFont(font);
}

quint32 GlyphOf(const QRawFont& face, QChar c) {
    return face.glyphIndexesForString(QString(c)).value(0);
}

}  // namespace

TEST(TrueTypeFace, ReadsTheMetricsOfATrueTypeFace) {
    const QRawFont face = Liberation();
    const TrueTypeFace program(face);
    ASSERT_TRUE(program.HasGlyphOutlines());
    EXPECT_EQ(program.UnitsPerEm(), 2048);
    EXPECT_GT(program.GlyphCount(), 500);
    EXPECT_TRUE(program.PostScriptName().startsWith("LiberationSans"));
    const quint32 a = GlyphOf(face, 'a');
    EXPECT_NEAR(program.Advance(a) * 100.0 / program.UnitsPerEm(),
                face.advancesForGlyphIndexes({a}, QRawFont::UseDesignMetrics).value(0).x(), 0.01);
    const std::optional<QRect> box = program.GlyphBox(GlyphOf(face, 'H'));
    ASSERT_TRUE(box);
    EXPECT_GT(box->bottom(), 1000);  // yMax: the cap height in font units
    EXPECT_FALSE(program.GlyphBox(GlyphOf(face, ' ')));
}

TEST(TrueTypeFace, SubsetKeepsUsedGlyphsAndTheirComponentsOnly) {
    const QRawFont face = Liberation();
    const TrueTypeFace program(face);
    std::vector<bool> used(program.GlyphCount(), false);
    const quint32 h = GlyphOf(face, 'H');
    const quint32 aacute = GlyphOf(face, QChar(0x00E1));  // á
    const quint32 o = GlyphOf(face, 'o');
    used[h] = true;
    used[aacute] = true;
    const QByteArray subset = program.Subset(used);
    ASSERT_FALSE(subset.isEmpty());

    QRawFont reloaded(subset, 100);
    ASSERT_TRUE(reloaded.isValid());
    EXPECT_FALSE(reloaded.pathForGlyph(h).isEmpty());
    EXPECT_FALSE(reloaded.pathForGlyph(aacute).isEmpty());
    EXPECT_TRUE(reloaded.pathForGlyph(o).isEmpty());
    // The accented letter looks as in the whole face, whether its outline
    // is its own or made of the base letter and the accent.
    EXPECT_EQ(reloaded.pathForGlyph(aacute).boundingRect().toAlignedRect(),
              face.pathForGlyph(aacute).boundingRect().toAlignedRect());
    // Glyphs after the last one used are left out; the ids before stay.
    const TrueTypeFace smaller(reloaded);
    EXPECT_GT(smaller.GlyphCount(), int(qMax(h, aacute)));
    EXPECT_LT(smaller.GlyphCount(), program.GlyphCount());
    EXPECT_EQ(smaller.Advance(aacute), program.Advance(aacute));
    EXPECT_LT(subset.size(), 60000);
}

TEST(TrueTypeFace, BuildsAFileWhoseTablesAreFoundAgain) {
    QHash<quint32, QByteArray> tables;
    tables.insert(SfntTag("head"), QByteArray(54, '\1'));
    tables.insert(SfntTag("abcd"), QByteArray("xyz"));
    const QByteArray file = BuildSfnt(0x00010000u, tables);
    // Header, two directory entries, the tables padded to four bytes.
    EXPECT_EQ(file.size(), 12 + 2 * 16 + 56 + 4);
    EXPECT_EQ(file.mid(12, 4), QByteArray("abcd"));  // sorted by tag
    EXPECT_EQ(file.mid(28, 4), QByteArray("head"));
}
