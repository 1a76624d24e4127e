// Damaged tables: truncated files, block and memo pointers into nowhere, a
// field count of zero, a record size that disagrees with the fields, a
// missing .MB, an encrypted table. Each gives a ParadoxError naming the
// table, never a crash, a hang or made-up rows.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/paradox/paradox_error.h"
#include "platform/paradox/paradox_table.h"
#include "tests/support/paradox_writer.h"

namespace {

namespace pw = paradox_writer;
using platform::paradox::ParadoxError;
using platform::paradox::ParadoxTable;
using platform::paradox::Record;

pw::Table Cards() {
    pw::Table t;
    t.tableName = "main_card.db";
    t.blockKilobytes = 1;
    t.rowsPerBlock = 5;
    t.fields = {{"Jmeno_registr", pw::kAlpha, 20}, {"Poznamka", pw::kMemo, 14}};
    for (int i = 0; i < 12; ++i) {
        t.rows.push_back({QByteArray("Pes ") + QByteArray::number(i),
                          pw::Blob{QByteArray(i % 3 == 0 ? 3000 : 50 + i, 'm')}});
    }
    return t;
}

// The message of the error reading the table gives, or "" when it reads.
QString ErrorOf(const QByteArray& db, std::optional<QByteArray> mb,
                std::vector<Record>* records = nullptr) {
    try {
        ParadoxTable px(db, std::move(mb), QStringLiteral("main_card.db"));
        auto all = px.ReadAll();
        if (records) {
            *records = std::move(all);
        }
        return QString();
    } catch (const ParadoxError& e) {
        return e.Message();
    }
}

void Put16(QByteArray& b, qsizetype at, int v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

int HeaderSize(const QByteArray& db) {
    return static_cast<unsigned char>(db[2]) | static_cast<unsigned char>(db[3]) << 8;
}

TEST(ParadoxBadInput, EveryTruncationOfTheTableIsAnErrorOrTheSameRows) {
    const pw::Files files = pw::Write(Cards());
    std::vector<Record> whole;
    ASSERT_EQ(ErrorOf(files.db, files.mb, &whole), "");
    ASSERT_EQ(whole.size(), 12u);
    int errors = 0;
    for (qsizetype size = 0; size < files.db.size(); size += 7) {
        std::vector<Record> got;
        const QString error = ErrorOf(files.db.first(size), files.mb, &got);
        if (error.isEmpty()) {
            EXPECT_EQ(got, whole) << size;  // only unused space of the last block was cut
        } else {
            ++errors;
            EXPECT_TRUE(error.startsWith("Tabulka main_card.db: ")) << error.toStdString();
        }
    }
    EXPECT_GT(errors, 100);
    // Cut inside the last block's records: an error that says the file is short.
    const qsizetype lastBlockEnd = HeaderSize(files.db) + 2 * 1024 + 6 + 2 * 34 - 5;
    EXPECT_TRUE(ErrorOf(files.db.first(lastBlockEnd), files.mb).contains("zkrácený"));
}

TEST(ParadoxBadInput, EveryTruncationOfTheMemoFileIsAnErrorOrTheSameRows) {
    const pw::Files files = pw::Write(Cards());
    std::vector<Record> whole;
    ASSERT_EQ(ErrorOf(files.db, files.mb, &whole), "");
    for (qsizetype size = 0; size < files.mb.size(); size += 61) {
        std::vector<Record> got;
        const QString error = ErrorOf(files.db, files.mb.first(size), &got);
        if (error.isEmpty()) {
            EXPECT_EQ(got, whole) << size;
        } else {
            EXPECT_TRUE(error.startsWith("Tabulka main_card.db: ")) << error.toStdString();
        }
    }
    EXPECT_NE(ErrorOf(files.db, files.mb.first(files.mb.size() - 4096)), "");
}

TEST(ParadoxBadInput, BlockPointersPastTheEndAndInACircle) {
    const pw::Files files = pw::Write(Cards());
    QByteArray first = files.db;
    Put16(first, 0x0E, 999);
    EXPECT_TRUE(ErrorOf(first, files.mb).contains("za konec souboru"))
        << ErrorOf(first, files.mb).toStdString();
    QByteArray next = files.db;
    Put16(next, HeaderSize(next), 77);  // block 1's successor
    EXPECT_TRUE(ErrorOf(next, files.mb).contains("blok 77"));
    QByteArray circle = files.db;
    Put16(circle, HeaderSize(circle) + 1024, 1);  // block 2 leads back to block 1
    EXPECT_TRUE(ErrorOf(circle, files.mb).contains("do kruhu"));
    QByteArray overfull = files.db;
    Put16(overfull, HeaderSize(overfull) + 4, 40 * 34);
    EXPECT_TRUE(ErrorOf(overfull, files.mb).contains("víc záznamů"));
    QByteArray misaligned = files.db;
    Put16(misaligned, HeaderSize(misaligned) + 4, 35);
    EXPECT_TRUE(ErrorOf(misaligned, files.mb).contains("není násobkem"));
}

TEST(ParadoxBadInput, HeaderThatContradictsItself) {
    const pw::Files files = pw::Write(Cards());
    QByteArray noFields = files.db;
    Put16(noFields, 0x21, 0);
    EXPECT_TRUE(ErrorOf(noFields, files.mb).contains("žádné pole"));
    QByteArray recordSize = files.db;
    Put16(recordSize, 0x00, 33);
    EXPECT_TRUE(ErrorOf(recordSize, files.mb).contains("nesouhlasí se součtem"));
    QByteArray hugeRecord = files.db;
    Put16(hugeRecord, 0x00, 5000);
    EXPECT_TRUE(ErrorOf(hugeRecord, files.mb).contains("délku záznamu"));
    QByteArray count = files.db;
    Put16(count, 0x06, 13);
    EXPECT_TRUE(ErrorOf(count, files.mb).contains("udává 13 záznamů"));
    QByteArray type = files.db;
    type[0x78] = 0x33;
    EXPECT_TRUE(ErrorOf(type, files.mb).contains("neznámý typ"));
    QByteArray index = files.db;
    index[0x04] = 1;
    EXPECT_TRUE(ErrorOf(index, files.mb).contains("index"));
    QByteArray blockSize = files.db;
    blockSize[0x05] = 5;
    EXPECT_TRUE(ErrorOf(blockSize, files.mb).contains("velikost bloku"));
    QByteArray version = files.db;
    version[0x39] = 0x40;
    EXPECT_TRUE(ErrorOf(version, files.mb).contains("verze"));
    EXPECT_TRUE(ErrorOf(QByteArray(), files.mb).contains("zkrácený"));
    EXPECT_NE(ErrorOf(QByteArray(4096, '\0'), files.mb), "");
    EXPECT_NE(ErrorOf(QByteArray(4096, '\xFF'), files.mb), "");
}

TEST(ParadoxBadInput, MemoPointerIntoNowhere) {
    const pw::Files files = pw::Write(Cards());
    const qsizetype firstRecord = HeaderSize(files.db) + 6;
    const qsizetype pointer = firstRecord + 20 + 4;  // after the name and the 4-byte leader
    auto withOffset = [&](std::uint32_t offset) {
        QByteArray db = files.db;
        for (int i = 0; i < 4; ++i) {
            db[pointer + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
        }
        return ErrorOf(db, files.mb);
    };
    EXPECT_TRUE(withOffset(0x7F000u | 0xFF).contains("mimo soubor"));
    EXPECT_TRUE(withOffset(0).contains("ani v záznamu"));  // 3000 bytes cannot be in the leader
    // The .MB holds the header block, the 3000-byte memo alone at 0x1000 and
    // a sub-allocated block at 0x2000.
    EXPECT_TRUE(withOffset(0x2000u | 0x30).contains("prázdnou"));    // an unused piece
    EXPECT_TRUE(withOffset(0x2000u | 0xFF).contains("neobsahuje"));  // not a single block
    EXPECT_TRUE(withOffset(0x1000u | 0x05).contains("neobsahuje"));  // not a piece
    EXPECT_NE(withOffset(0x1234u), "");                              // not on a block boundary
    QByteArray length = files.db;
    length[pointer + 4] = 0x01;  // 3000 becomes 2817: the single block disagrees
    EXPECT_TRUE(ErrorOf(length, files.mb).contains("jinou délku"));
}

TEST(ParadoxBadInput, MissingMemoFileAndEncryptedTable) {
    const pw::Files files = pw::Write(Cards());
    EXPECT_EQ(ErrorOf(files.db, std::nullopt),
              "Tabulka main_card.db: chybí soubor main_card.MB s poznámkami a obrázky tabulky");
    pw::Table encrypted = Cards();
    encrypted.encryption = 0x12345678;
    EXPECT_TRUE(ErrorOf(pw::Write(encrypted).db, files.mb).contains("heslem"));
    encrypted.versionByte = 4;
    EXPECT_TRUE(ErrorOf(pw::Write(encrypted).db, files.mb).contains("heslem"));
}

TEST(ParadoxBadInput, FilesOnDiskInAnyCaseAndAMissingFile) {
    QTemporaryDir dir;
    const pw::Files files = pw::Write(Cards());
    QFile db(dir.filePath("MAIN_CARD.DB")), mb(dir.filePath("Main_Card.mb"));
    ASSERT_TRUE(db.open(QIODevice::WriteOnly) && mb.open(QIODevice::WriteOnly));
    db.write(files.db);
    mb.write(files.mb);
    db.close();
    mb.close();
    EXPECT_EQ(ParadoxTable(dir.filePath("MAIN_CARD.DB")).ReadAll().size(), 12u);
    QFile::remove(dir.filePath("Main_Card.mb"));
    try {
        ParadoxTable px(dir.filePath("MAIN_CARD.DB"));
        FAIL() << "a table without its .MB opened";
    } catch (const ParadoxError& e) {
        EXPECT_TRUE(e.Message().contains("MAIN_CARD.MB")) << e.Message().toStdString();
    }
    try {
        ParadoxTable px(dir.filePath("vrhy.db"));
        FAIL() << "a missing file opened";
    } catch (const ParadoxError& e) {
        EXPECT_TRUE(e.Message().startsWith("Tabulka vrhy.db: soubor")) << e.Message().toStdString();
    }
}

}  // namespace
