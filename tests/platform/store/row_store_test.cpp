// The packed rows of a query result give back every value as it was
// stepped, whatever order its cells are read in: left to right (the place of
// the last cell is kept), backwards, across rows, after the store grew,
// after it was cleared and filled anew, and in a copy.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/store/row_store.h"
#include "platform/store/sqlite_handle.h"

namespace {

using platform::Connection;
using platform::RowStore;
using platform::Statement;
using platform::Value;

// Rows of mixed values: text of growing length, whole and real numbers,
// nulls and a blob, so skipping a cell means different widths.
void Fill(Connection& connection, RowStore& store, int rows, const QString& prefix) {
    Statement select(connection.Raw(),
                     QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 "
                                    "FROM n WHERE i + 1 < %1) SELECT ?1 || i, i, i * 0.5, "
                                    "CASE WHEN i % 3 = 0 THEN NULL ELSE substr('abcdefgh', 1, "
                                    "i % 8) END, x'00ff' FROM n")
                         .arg(rows));
    select.Bind(1, Value(prefix));
    while (select.Step()) {
        store.AppendFrom(select.Raw(), 5);
    }
}

Value Text(const char* text) {
    return Value(QString::fromUtf8(text));
}
Value Whole(std::int64_t number) {
    return Value(number);
}

}  // namespace

TEST(RowStore, CellsReadInAnyOrderAreTheValuesStepped) {
    QTemporaryDir dir;
    Connection connection(dir.filePath("rows.sqlite"), true);
    RowStore store;
    Fill(connection, store, 50, "a");
    ASSERT_EQ(store.Size(), 50u);

    platform::Row whole;
    for (std::size_t row = 0; row < store.Size(); ++row) {
        store.Read(row, whole);
        for (int column = 0; column < 5; ++column) {
            ASSERT_TRUE(platform::SameValue(store.ReadValue(row, column), whole[column]))
                << row << "/" << column;
        }
        for (int column = 4; column >= 0; --column) {
            ASSERT_TRUE(platform::SameValue(store.ReadValue(row, column), whole[column]))
                << row << "/" << column << " backwards";
        }
    }
    // Across rows and skipping cells: the kept place belongs to its row only.
    EXPECT_TRUE(platform::SameValue(store.ReadValue(7, 3), Text("abcdefg")));
    EXPECT_TRUE(platform::SameValue(store.ReadValue(8, 4), Value(QByteArray("\x00\xff", 2))));
    EXPECT_TRUE(platform::SameValue(store.ReadValue(7, 0), Text("a7")));
    EXPECT_TRUE(platform::SameValue(store.ReadValue(9, 1), Whole(9)));

    // Growing moves the buffers; the place read before must not be used.
    EXPECT_TRUE(platform::SameValue(store.ReadValue(49, 2), Value(24.5)));
    Fill(connection, store, 20000, "b");
    EXPECT_TRUE(platform::SameValue(store.ReadValue(49, 3), Text("a")));
    EXPECT_TRUE(platform::SameValue(store.ReadValue(50 + 19999, 0), Text("b19999")));

    // A copy reads its own buffer, also the row the original read last.
    const RowStore copy = store;
    store.Clear();
    EXPECT_TRUE(platform::SameValue(copy.ReadValue(50 + 19999, 1), Whole(19999)));

    // Cleared and filled anew: the same row number is another row now.
    Fill(connection, store, 3, "c");
    EXPECT_TRUE(platform::SameValue(store.ReadValue(2, 0), Text("c2")));
    EXPECT_TRUE(platform::SameValue(store.ReadValue(2, 1), Whole(2)));
}
