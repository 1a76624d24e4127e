// The reader on tables of our own writer: every field type of Paradox 3.0 to
// 7, nulls, memos in the leader and in both kinds of .MB block, the graphic
// header, code pages, keyed tables over many blocks in shuffled order,
// deleted records and free blocks.

#include <gtest/gtest.h>

#include <QDateTime>

#include "platform/paradox/paradox_error.h"
#include "platform/paradox/paradox_table.h"
#include "tests/support/paradox_writer.h"

namespace {

namespace pw = paradox_writer;
using platform::paradox::FieldKind;
using platform::paradox::ParadoxError;
using platform::paradox::ParadoxTable;
using platform::paradox::Record;

ParadoxTable Open(const pw::Table& t, platform::paradox::ReadOptions options = {}) {
    const pw::Files files = pw::Write(t);
    std::optional<QByteArray> mb;
    if (!files.mb.isEmpty()) {
        mb = files.mb;
    }
    return ParadoxTable(files.db, mb, QString::fromStdString(t.tableName), options);
}

pw::Table EveryType(int versionByte) {
    pw::Table t;
    t.versionByte = versionByte;
    t.fields = {{"Alpha", pw::kAlpha, 20},
                {"Datum", pw::kDate, 4},
                {"Kratke", pw::kShort, 2},
                {"Dlouhe", pw::kLong, 4},
                {"Penize", pw::kMoney, 8},
                {"Cislo", pw::kNumber, 8},
                {"Logicke", pw::kLogical, 1},
                {"Poznamka", pw::kMemo, 15},
                {"Format", pw::kFormattedMemo, 10},
                {"Obrazek", pw::kGraphic, 10},
                {"Ole", pw::kOle, 10},
                {"Binarni", pw::kBinary, 12},
                {"Cas", pw::kTime, 4},
                {"Okamzik", pw::kTimestamp, 8},
                {"Poradi", pw::kAutoIncrement, 4},
                {"Bcd", pw::kBcd, 2},
                {"Bajty", pw::kBytes, 6}};
    t.rows.push_back({QByteArray("Brok"), QDate(2020, 2, 1), std::int64_t{-5},
                      std::int64_t{-100000}, 12.5, -63.25, true, pw::Blob{QByteArray("kratka")},
                      pw::Blob{QByteArray("formatovana poznamka"), pw::Blob::SubAllocated},
                      pw::Blob{QByteArray("\xFF\xD8\xFFpicture", 10)},
                      pw::Blob{QByteArray("ole-object"), pw::Blob::SingleBlock},
                      pw::Blob{QByteArray("\x00\x01\x02", 3)}, QTime(13, 45, 30, 250),
                      QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)), std::int64_t{1},
                      pw::Bcd{"-1234.50"}, QByteArray("\x01\x02\x03", 3)});
    t.rows.push_back({QByteArray("Nula"),
                      QDate(1, 1, 1),
                      std::int64_t{0},
                      std::int64_t{0},
                      0.0,
                      0.0,
                      false,
                      {},
                      {},
                      {},
                      {},
                      {},
                      QTime(0, 0),
                      {},
                      std::int64_t{2},
                      pw::Bcd{"0.07"},
                      {}});
    t.rows.push_back(pw::Row(t.fields.size()));  // every field empty
    return t;
}

void ExpectEveryType(const ParadoxTable& px) {
    const std::vector<Record> r = px.ReadAll();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0][0].toString(), "Brok");
    EXPECT_EQ(r[0][1].toDate(), QDate(2020, 2, 1));
    EXPECT_EQ(r[0][2].toLongLong(), -5);
    EXPECT_EQ(r[0][3].toLongLong(), -100000);
    EXPECT_EQ(r[0][4].toDouble(), 12.5);
    EXPECT_EQ(r[0][5].toDouble(), -63.25);
    EXPECT_EQ(r[0][6], QVariant(true));
    EXPECT_EQ(r[0][7].toString(), "kratka");
    EXPECT_EQ(r[0][8].toString(), "formatovana poznamka");
    EXPECT_EQ(r[0][9].toByteArray(), QByteArray("\xFF\xD8\xFFpicture", 10));
    EXPECT_EQ(r[0][10].toByteArray(), QByteArray("ole-object"));
    EXPECT_EQ(r[0][11].toByteArray(), QByteArray("\x00\x01\x02", 3));
    EXPECT_EQ(r[0][12].toTime(), QTime(13, 45, 30, 250));
    EXPECT_EQ(r[0][13].toDateTime(), QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), Qt::UTC));
    EXPECT_EQ(r[0][14].toLongLong(), 1);
    EXPECT_EQ(r[0][15].toString(), "-1234.50");
    EXPECT_EQ(r[0][16].toByteArray(), QByteArray("\x01\x02\x03\x00\x00\x00", 6));
    // Zero is a value, not an empty field.
    EXPECT_EQ(r[1][1].toDate(), QDate(1, 1, 1));
    EXPECT_EQ(r[1][2], QVariant::fromValue<qint64>(0));
    EXPECT_EQ(r[1][3], QVariant::fromValue<qint64>(0));
    EXPECT_EQ(r[1][4], QVariant(0.0));
    EXPECT_EQ(r[1][6], QVariant(false));
    EXPECT_EQ(r[1][12].toTime(), QTime(0, 0));
    EXPECT_EQ(r[1][15].toString(), "0.07");
    for (size_t c = 0; c < r[2].size(); ++c) {
        EXPECT_FALSE(r[2][c].isValid()) << "field " << c;
    }
    for (int c : {7, 8, 9, 10, 11, 13, 16}) {
        EXPECT_FALSE(r[1][static_cast<size_t>(c)].isValid()) << "field " << c;
    }
}

TEST(ParadoxReaderFieldTypes, EveryTypeOfParadox7) {
    const ParadoxTable px = Open(EveryType(12));
    ASSERT_EQ(px.Fields().size(), 17u);
    EXPECT_EQ(px.Fields()[15].kind, FieldKind::Bcd);
    EXPECT_EQ(px.Fields()[15].decimals, 2);
    EXPECT_EQ(px.Fields()[15].size, 17);
    ExpectEveryType(px);
}

TEST(ParadoxReaderFieldTypes, EveryTypeWithTheHeadersOfParadox4And5) {
    for (int version : {5, 9, 10, 11}) {
        SCOPED_TRACE(version);
        const ParadoxTable px = Open(EveryType(version));
        EXPECT_FALSE(px.Header().VersionText().isEmpty());
        ExpectEveryType(px);
    }
}

TEST(ParadoxReaderFieldTypes, Paradox3TablesWithoutDataHeader) {
    pw::Table t;
    t.versionByte = 3;
    t.fields = {{"Jmeno", pw::kAlpha, 10}, {"Pocet", pw::kShort, 2}, {"Vaha", pw::kNumber, 8}};
    t.rows = {{QByteArray("\xAC"
                          "ert",
                          4),
               std::int64_t{32767}, 1e300},
              {QByteArray("Min"), std::int64_t{-32767}, -1e-300}};
    const ParadoxTable px = Open(t);
    EXPECT_FALSE(px.Header().hasDataHeader);
    EXPECT_EQ(px.Header().VersionText(), "3.0");
    EXPECT_EQ(px.CodePageNumber(), 852);  // none named: the Czech DOS code page
    const auto r = px.ReadAll();
    EXPECT_EQ(r[0][0].toString(), QStringLiteral("Čert"));
    EXPECT_EQ(r[0][1].toLongLong(), 32767);
    EXPECT_EQ(r[0][2].toDouble(), 1e300);
    EXPECT_EQ(r[1][1].toLongLong(), -32767);  // -32768 would be the empty value
    EXPECT_EQ(r[1][2].toDouble(), -1e-300);
}

TEST(ParadoxReaderFieldTypes, LongAndAutoIncrementLimits) {
    pw::Table t;
    t.fields = {{"L", pw::kLong, 4}, {"A", pw::kAutoIncrement, 4}};
    t.rows = {{std::int64_t{2147483647}, std::int64_t{1}},
              {std::int64_t{-2147483647}, std::int64_t{2}}};
    const auto r = Open(t).ReadAll();
    EXPECT_EQ(r[0][0].toLongLong(), 2147483647);
    EXPECT_EQ(r[1][0].toLongLong(), -2147483647);
}

TEST(ParadoxReaderFieldTypes, BcdNumbers) {
    pw::Table t;
    t.fields = {{"B0", pw::kBcd, 0}, {"B4", pw::kBcd, 4}};
    t.rows = {{pw::Bcd{"12345678901234567890"}, pw::Bcd{"3.1416"}},
              {pw::Bcd{"-7"}, pw::Bcd{"-0.0001"}}};
    const auto r = Open(t).ReadAll();
    EXPECT_EQ(r[0][0].toString(), "12345678901234567890");
    EXPECT_EQ(r[0][1].toString(), "3.1416");
    EXPECT_EQ(r[1][0].toString(), "-7");
    EXPECT_EQ(r[1][1].toString(), "-0.0001");
}

TEST(ParadoxReaderCodePages, TextOfEachCodePage) {
    // "Čížek" as each code page writes it.
    const std::vector<std::pair<int, QByteArray>> pages = {
        {1250, QByteArray("\xC8\xED\x9E"
                          "ek")},
        {852, QByteArray("\xAC\xA1\xA7"
                         "ek")},
    };
    for (const auto& [number, bytes] : pages) {
        pw::Table t;
        t.codePage = number;
        t.fields = {{"Jmeno", pw::kAlpha, 10}};
        t.rows = {{bytes}};
        const ParadoxTable px = Open(t);
        EXPECT_EQ(px.CodePageNumber(), number);
        EXPECT_EQ(px.ReadAll()[0][0].toString(), QStringLiteral("Čížek")) << number;
    }
    // Western code pages: "Müller" and "Façade".
    const std::vector<std::tuple<int, QByteArray, QString>> western = {
        {437, QByteArray("M\x81ller"), QStringLiteral("Müller")},
        {850,
         QByteArray("Fa\x87"
                    "ade"),
         QStringLiteral("Façade")},
        {1252, QByteArray("M\xFCller \x80"), QStringLiteral("Müller €")},
    };
    for (const auto& [number, bytes, text] : western) {
        pw::Table t;
        t.codePage = number;
        t.fields = {{"Jmeno", pw::kAlpha, 10}};
        t.rows = {{bytes}};
        EXPECT_EQ(Open(t).ReadAll()[0][0].toString(), text) << number;
    }
}

TEST(ParadoxReaderCodePages, OverrideAndFieldNamesAndMemos) {
    pw::Table t;
    t.codePage = 437;  // wrong: the data are in 1250
    t.fields = {{"V\xFD\x9Aka", pw::kAlpha, 10}, {"Pozn\xE1mka", pw::kMemo, 11}};
    t.rows = {
        {QByteArray("\x8A\xE1rka"), pw::Blob{QByteArray("\x9Elu\x9Do\x75\xE8k\xFD k\xF9\xF2")}}};
    platform::paradox::ReadOptions options;
    options.codePage = 1250;
    const ParadoxTable px = Open(t, options);
    EXPECT_EQ(px.Fields()[0].name, QStringLiteral("Výška"));
    EXPECT_EQ(px.FieldIndex(QStringLiteral("VÝŠKA")), 0);
    EXPECT_EQ(px.FieldIndex(QStringLiteral("poznámka")), 1);
    const auto r = px.ReadAll();
    EXPECT_EQ(r[0][0].toString(), QStringLiteral("Šárka"));
    EXPECT_EQ(r[0][1].toString(), QStringLiteral("žluťoučký kůň"));
}

TEST(ParadoxReaderBlobs, MemosInLeaderSubAllocatedAndSingleBlocks) {
    pw::Table t;
    t.fields = {{"Jmeno", pw::kAlpha, 10}, {"Poznamka", pw::kMemo, 30}};
    const QByteArray inLeader(20, 'a');
    const QByteArray pieceA(100, 'b'), pieceB(32, 'c'), pieceC(17, 'd');
    const QByteArray single(10000, 'e');
    QByteArray leaderAndMb(25, 'f');  // fits the leader, but kept in the .MB
    t.rows = {{QByteArray("1"), pw::Blob{inLeader}},
              {QByteArray("2"), pw::Blob{pieceA}},
              {QByteArray("3"), pw::Blob{pieceB}},
              {QByteArray("4"), pw::Blob{pieceC}},
              {QByteArray("5"), pw::Blob{single}},
              {QByteArray("6"), pw::Blob{leaderAndMb, pw::Blob::SubAllocated}}};
    // 70 more pieces: a second sub-allocated block
    for (int i = 0; i < 70; ++i) {
        t.rows.push_back({QByteArray::number(100 + i), pw::Blob{QByteArray(40 + i, 'x')}});
    }
    platform::paradox::BlobCounts counts;
    const auto r = Open(t).ReadAll(&counts);
    EXPECT_EQ(r[0][1].toString().toLatin1(), inLeader);
    EXPECT_EQ(r[1][1].toString().toLatin1(), pieceA);
    EXPECT_EQ(r[2][1].toString().toLatin1(), pieceB);
    EXPECT_EQ(r[3][1].toString().toLatin1(), pieceC);
    EXPECT_EQ(r[4][1].toString().toLatin1(), single);
    EXPECT_EQ(r[5][1].toString().toLatin1(), leaderAndMb);
    for (int i = 0; i < 70; ++i) {
        EXPECT_EQ(r[6 + static_cast<size_t>(i)][1].toString().size(), 40 + i);
    }
    EXPECT_EQ(counts.memos, 76);
}

TEST(ParadoxReaderBlobs, GraphicHeaderIsDroppedOnlyWhenItIsThere) {
    pw::Table t;
    t.fields = {{"Foto", pw::kGraphic, 10}, {"Bin", pw::kBinary, 10}};
    const QByteArray picture("BM\x36\x00\x00\x00rest-of-bitmap", 20);
    t.rows = {{pw::Blob{picture}, pw::Blob{picture}},
              {pw::Blob{picture, pw::Blob::SingleBlock, false}, {}},
              {pw::Blob{QByteArray("\x01\x00\x00\x01\x09\x00\x00\x00", 8)}, {}}};
    platform::paradox::BlobCounts counts;
    const auto r = Open(t).ReadAll(&counts);
    EXPECT_EQ(r[0][0].toByteArray(), picture);
    EXPECT_EQ(r[0][1].toByteArray(), picture);  // binary blobs have no graphic header
    EXPECT_EQ(r[1][0].toByteArray(), picture);
    // A header whose length does not match what follows is part of the picture.
    EXPECT_EQ(r[2][0].toByteArray(), QByteArray("\x01\x00\x00\x01\x09\x00\x00\x00", 8));
    EXPECT_EQ(counts.pictures, 3);
    EXPECT_EQ(counts.objects, 1);
}

pw::Table ManyCards(int count) {
    pw::Table t;
    t.keyFields = 1;
    t.fields = {{"Jmeno_registr", pw::kAlpha, 40}, {"Cislo", pw::kLong, 4}};
    for (int i = 0; i < count; ++i) {
        t.rows.push_back(
            {QByteArray("Pes ") + QByteArray::number(i).rightJustified(5, '0'), std::int64_t{i}});
    }
    return t;
}

TEST(ParadoxReaderBlocks, KeyedTableOverManyShuffledBlocksKeepsTheChainOrder) {
    pw::Table t = ManyCards(3000);  // 1 KiB blocks of 23 records: 131 blocks
    t.blockKilobytes = 1;
    t.shuffleBlocks = true;
    const ParadoxTable px = Open(t);
    EXPECT_TRUE(px.Header().Keyed());
    EXPECT_GT(px.Header().fileBlocks, 100);
    EXPECT_NE(px.Header().firstBlock, 1);
    const auto r = px.ReadAll();
    ASSERT_EQ(r.size(), 3000u);
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(r[static_cast<size_t>(i)][1].toLongLong(), i);
    }
}

TEST(ParadoxReaderBlocks, DeletedRecordsAndFreeBlocksAreSkipped) {
    pw::Table t = ManyCards(100);
    t.rowsPerBlock = 10;
    t.deletedSlotsPerBlock = 3;
    t.freeBlocks = 4;
    const ParadoxTable px = Open(t);
    const auto r = px.ReadAll();
    ASSERT_EQ(r.size(), 100u);
    for (const Record& rec : r) {
        EXPECT_TRUE(rec[0].toString().startsWith("Pes "));
    }
}

TEST(ParadoxReaderBlocks, EmptyTableAndEveryBlockSize) {
    pw::Table empty = ManyCards(0);
    EXPECT_TRUE(Open(empty).ReadAll().empty());
    for (int kb : {1, 2, 3, 4, 8, 16, 32}) {
        pw::Table t = ManyCards(500);
        t.blockKilobytes = kb;
        EXPECT_EQ(Open(t).ReadAll().size(), 500u) << kb;
    }
}

TEST(ParadoxReaderBlocks, StoppingEarly) {
    const ParadoxTable px = Open(ManyCards(50));
    int seen = 0;
    px.ForEachRecord([&seen](const Record&) { return ++seen < 7; });
    EXPECT_EQ(seen, 7);
}

}  // namespace
