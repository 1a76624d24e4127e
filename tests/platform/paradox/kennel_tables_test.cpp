// The reader on Paradox 7 tables written by another program (a small kennel
// in code page 1250): every value must equal what two independent readers
// dumped from the same files, and the pictures must equal the originals.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <cmath>

#include "platform/paradox/paradox_table.h"
#include "platform/store/csv.h"

namespace {

using platform::paradox::FieldKind;
using platform::paradox::ParadoxTable;
using platform::paradox::Record;

QString KennelFolder() {
    QStringList candidates;
    if (qEnvironmentVariableIsSet("HARVEL_SHARED_DIR")) {
        candidates << qEnvironmentVariable("HARVEL_SHARED_DIR") + "/paradox/kennel";
    }
    candidates << QStringLiteral(HARVEL_SOURCE_DIR "/../shared/paradox/kennel")
               << QStringLiteral(HARVEL_SOURCE_DIR "/../../shared/paradox/kennel");
    for (const QString& c : candidates) {
        if (QFile::exists(c + "/main_card.db")) {
            return QDir(c).absolutePath();
        }
    }
    return QString();
}

#define REQUIRE_KENNEL(folder)                                                              \
    const QString folder = KennelFolder();                                                  \
    if (folder.isEmpty())                                                                   \
        GTEST_SKIP() << "the shared Paradox sample tables (shared/paradox/kennel) are not " \
                        "beside the source tree";

std::vector<platform::CsvRecord> Dump(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return platform::ParseCsv(file.readAll());
}

QString Sha1(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

// A value as the "pxdump" reader writes it.
QString PxdumpText(const QVariant& v, FieldKind kind) {
    if (!v.isValid()) {
        return QString();
    }
    switch (kind) {
        case FieldKind::Logical:
            return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case FieldKind::Date:
            return v.toDate().toString(Qt::ISODate);
        case FieldKind::Number:
        case FieldKind::Money: {
            const double d = v.toDouble();
            if (d == std::floor(d) && std::fabs(d) < 1e15) {
                return QString::number(d, 'f', 1);
            }
            return QString::number(d, 'g', QLocale::FloatingPointShortest);
        }
        case FieldKind::Graphic:
            return QStringLiteral("<graphic %1 bytes sha1=%2")
                .arg(v.toByteArray().size())
                .arg(Sha1(v.toByteArray()));
        default:
            return v.toString();
    }
}

// A value as the "pxview" reader writes it (pictures only as present or not).
QString PxviewText(const QVariant& v, FieldKind kind) {
    if (!v.isValid()) {
        return QString();
    }
    switch (kind) {
        case FieldKind::Logical:
            return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case FieldKind::Number:
        case FieldKind::Money:
            return QString::number(v.toDouble(), 'f', 6);
        case FieldKind::Graphic:
            return QStringLiteral("[picture]");
        default:
            return PxdumpText(v, kind);
    }
}

void ExpectEqualsDumps(const QString& folder, const QString& table) {
    ParadoxTable px(folder + "/" + table);
    const std::vector<Record> records = px.ReadAll();
    const auto pxdump = Dump(folder + "/" + table + ".pxdump.csv");
    const auto pxview = Dump(folder + "/" + table + ".pxview.csv");
    ASSERT_EQ(pxdump.size(), records.size() + 1);
    ASSERT_EQ(pxview.size(), records.size() + 1);
    for (size_t c = 0; c < px.Fields().size(); ++c) {
        EXPECT_EQ(px.Fields()[c].name, pxdump[0].fields.value(static_cast<qsizetype>(c)));
        EXPECT_TRUE(pxview[0]
                        .fields.value(static_cast<qsizetype>(c))
                        .startsWith(px.Fields()[c].name + ","));
    }
    for (size_t r = 0; r < records.size(); ++r) {
        for (size_t c = 0; c < px.Fields().size(); ++c) {
            const FieldKind kind = px.Fields()[c].kind;
            const QVariant& v = records[r][c];
            const QString dumped = pxdump[r + 1].fields.value(static_cast<qsizetype>(c));
            const QString viewed = pxview[r + 1].fields.value(static_cast<qsizetype>(c));
            const std::string where = table.toStdString() + " row " + std::to_string(r + 1) + " " +
                                      px.Fields()[c].name.toStdString();
            if (kind == FieldKind::Graphic) {
                EXPECT_TRUE(dumped.startsWith(PxdumpText(v, kind) + " ") ||
                            (dumped.isEmpty() && !v.isValid()))
                    << where << ": " << dumped.toStdString();
                EXPECT_EQ(viewed.isEmpty(), !v.isValid()) << where;
            } else {
                EXPECT_EQ(PxdumpText(v, kind), dumped) << where;
                EXPECT_EQ(PxviewText(v, kind), viewed) << where;
            }
        }
    }
}

TEST(KennelTables, MainCardEqualsBothDumps) {
    REQUIRE_KENNEL(folder);
    ExpectEqualsDumps(folder, "main_card.db");
}

TEST(KennelTables, LittersEqualBothDumps) {
    REQUIRE_KENNEL(folder);
    ExpectEqualsDumps(folder, "vrhy.db");
}

TEST(KennelTables, PhotoAlbumEqualsBothDumps) {
    REQUIRE_KENNEL(folder);
    ExpectEqualsDumps(folder, "foto_album.db");
}

TEST(KennelTables, HeaderOfTheKeyedMainCard) {
    REQUIRE_KENNEL(folder);
    ParadoxTable px(folder + "/main_card.db");
    const auto& h = px.Header();
    EXPECT_TRUE(h.Keyed());
    EXPECT_EQ(h.keyFieldCount, 1);
    EXPECT_EQ(h.recordCount, 20u);
    EXPECT_EQ(h.blockSize, 2048);
    EXPECT_EQ(h.recordSize, 247);
    EXPECT_EQ(h.codePage, 1250);
    EXPECT_EQ(h.VersionText(), "7.0");
    EXPECT_EQ(h.sortOrderName, "ANSIINTL");
    ASSERT_EQ(px.Fields().size(), 11u);
    EXPECT_EQ(px.Fields()[10].name, "Poznamka");
    EXPECT_EQ(px.Fields()[10].kind, FieldKind::Memo);
    EXPECT_EQ(px.Fields()[10].size, 50);
    EXPECT_EQ(px.Fields()[9].kind, FieldKind::Number);
}

TEST(KennelTables, MemosFromTheLeaderAndBothKindsOfBlobBlock) {
    REQUIRE_KENNEL(folder);
    ParadoxTable px(folder + "/main_card.db");
    platform::paradox::BlobCounts counts;
    const auto records = px.ReadAll(&counts);
    std::map<QString, QString> memo;
    for (const Record& r : records) {
        memo[r[0].toString()] = r[10].toString();
    }
    EXPECT_EQ(memo["Aron od Zlatého potoka"], "Klidný, vyrovnaný.");  // in the leader
    EXPECT_EQ(memo["Čert ze Skály"].toUtf8().size() > 285, true);     // type 3
    EXPECT_EQ(memo["Čert ze Skály"].size(), 285);                     // one byte each
    EXPECT_EQ(memo["Žofie z Lipové aleje"].size(), 2590);             // type 2
    EXPECT_TRUE(memo["Žofie z Lipové aleje"].endsWith("Konec poznámky."));
    EXPECT_TRUE(memo["Bára z Kopečku"].isEmpty());
    EXPECT_EQ(counts.memos, 6);  // Aron, Čert, Žofie and three fillers
}

TEST(KennelTables, PicturesEqualTheOriginalsWithAndWithoutGraphicHeader) {
    REQUIRE_KENNEL(folder);
    ParadoxTable px(folder + "/foto_album.db");
    platform::paradox::BlobCounts counts;
    const auto records = px.ReadAll(&counts);
    QFile jpeg(folder + "/expected/dog64x48.jpg"), bmp(folder + "/expected/kostky40x30.bmp");
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    const QByteArray dog = jpeg.readAll(), dice = bmp.readAll();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0][1].toByteArray(), dog);
    EXPECT_FALSE(records[0][2].isValid());
    EXPECT_EQ(records[1][1].toByteArray(), dice);
    EXPECT_EQ(records[1][2].toByteArray(), dog);  // stored without the graphic header
    EXPECT_FALSE(records[2][1].isValid());
    EXPECT_FALSE(records[2][2].isValid());
    EXPECT_EQ(counts.pictures, 3);
}

TEST(KennelTables, NullsAreNullAndZerosAreZero) {
    REQUIRE_KENNEL(folder);
    ParadoxTable litters(folder + "/vrhy.db");
    const auto rows = litters.ReadAll();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][3], QVariant::fromValue<qint64>(0));  // Pocet_pes 0, not empty
    EXPECT_EQ(rows[1][5].toString(), "Vrh B");
    EXPECT_FALSE(rows[2][1].isValid());
    EXPECT_FALSE(rows[2][3].isValid());
    EXPECT_FALSE(rows[2][5].isValid());
    ParadoxTable cards(folder + "/main_card.db");
    for (const Record& r : cards.ReadAll()) {
        if (r[0].toString() == "Ťapka ze Mlýna") {
            EXPECT_EQ(r[6].toDate(), QDate(1969, 12, 31));
            ASSERT_TRUE(r[9].isValid());
            EXPECT_EQ(r[9].toDouble(), 0.0);
        }
    }
}

TEST(KennelTables, CodePageOverrideChangesTheText) {
    REQUIRE_KENNEL(folder);
    platform::paradox::ReadOptions options;
    options.codePage = 852;
    ParadoxTable px(folder + "/vrhy.db", options);
    EXPECT_EQ(px.CodePageNumber(), 852);
    // "Ž" is 0x8E in code page 1250, which code page 852 reads as "Ä".
    EXPECT_TRUE(px.ReadAll()[0][0].toString().startsWith(QStringLiteral("Äofie")));
}

}  // namespace
