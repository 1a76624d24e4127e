#include <gtest/gtest.h>

#include <QBuffer>

#include "platform/store/csv_reader.h"
#include "platform/store/store_error.h"

namespace {

// Rows made as they are read, so a reader that takes the whole file first
// shows in how far the device was read.
class GeneratedRows : public QIODevice {
  public:
    explicit GeneratedRows(int rows) : rows_(rows) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    bool atEnd() const override {
        return QIODevice::atEnd() && pending_.isEmpty() && made_ >= rows_;
    }
    qint64 handedOut() const { return handedOut_; }

  protected:
    qint64 readData(char* data, qint64 max) override {
        while (pending_.size() < max && made_ < rows_) {
            pending_ += made_ == 0 ? QByteArray("Jmeno_registr;Plemeno\n")
                                   : "Pes " + QByteArray::number(made_) + ";Bígl\n";
            ++made_;
        }
        const qint64 n = std::min<qint64>(max, pending_.size());
        std::copy_n(pending_.constData(), n, data);
        pending_.remove(0, n);
        handedOut_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    int rows_, made_ = 0;
    QByteArray pending_;
    qint64 handedOut_ = 0;
};

}  // namespace

TEST(CsvReader, ReadsAsItGoesAndDeliversEveryRow) {
    GeneratedRows device(200000);
    platform::CsvReader reader(device);
    platform::CsvRecord record;
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.fields, (QStringList{"Jmeno_registr", "Plemeno"}));
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.fields, (QStringList{"Pes 1", QStringLiteral("Bígl")}));
    EXPECT_LT(device.handedOut(), 100000) << "the reader took the file ahead of its rows";
    int rows = 2, lastLine = 0;
    while (reader.Next(record)) {
        ++rows;
        lastLine = record.line;
    }
    EXPECT_EQ(rows, 200000);
    EXPECT_EQ(lastLine, 200000);
}

TEST(CsvReader, HeaderOverSeveralLinesStillChoosesTheSeparator) {
    QBuffer buffer;
    buffer.setData("\"Jmeno,\nregistr\";Plemeno\nAlík;\"Bígl\nkříženec\"\n\nBéla;Pudl");
    buffer.open(QIODevice::ReadOnly);
    platform::CsvReader reader(buffer);
    platform::CsvRecord record;
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.fields, (QStringList{"Jmeno,\nregistr", "Plemeno"}));
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.line, 3);
    EXPECT_EQ(record.fields,
              (QStringList{QStringLiteral("Alík"), QStringLiteral("Bígl\nkříženec")}));
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.line, 6);  // the blank line is skipped, the last line has no line end
    EXPECT_EQ(record.fields, (QStringList{QStringLiteral("Béla"), "Pudl"}));
    EXPECT_FALSE(reader.Next(record));
}

TEST(CsvReader, RowsBeforeAFaultComeFirstThenTheFaultNamesItsLine) {
    QBuffer buffer;
    buffer.setData("a,b\n1,2\n3,\xC3\x28\n");
    buffer.open(QIODevice::ReadOnly);
    platform::CsvReader reader(buffer);
    platform::CsvRecord record;
    ASSERT_TRUE(reader.Next(record));
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.fields, (QStringList{"1", "2"}));
    try {
        reader.Next(record);
        ADD_FAILURE() << "bytes that are not UTF-8 were read";
    } catch (const platform::StoreError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("řádek 3: text není v kódování UTF-8"));
    }
}
