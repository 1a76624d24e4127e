// Memory that runs out is named as such: the check of a database does not
// take it for a damaged table, and the store's message says what happened.

#include <sqlite3.h>

#include "platform/store/data_check.h"
#include "tests/platform/store/store_fixture.h"

namespace {

using platform::StoreError;

// SQLite's allocations fail beyond `bytes` for as long as it lives.
class HeapLimit {
  public:
    explicit HeapLimit(sqlite3_int64 bytes) : before_(sqlite3_hard_heap_limit64(bytes)) {}
    ~HeapLimit() { sqlite3_hard_heap_limit64(before_); }
    HeapLimit(const HeapLimit&) = delete;
    HeapLimit& operator=(const HeapLimit&) = delete;

  private:
    sqlite3_int64 before_;
};

class OutOfMemory : public store_test::StoreFixture {};

TEST_F(OutOfMemory, TheCheckSaysSoInsteadOfCallingATableDamaged) {
    // A note of 8 MB: reading its row needs more than SQLite may take below.
    AddCard(QStringLiteral("Aron"), {{QStringLiteral("Poznamka"), QString(8 << 20, u'p')}});
    QString message;
    int code = 0;
    {
        const HeapLimit limit(sqlite3_memory_used() + (2 << 20));
        try {
            const std::vector<platform::CheckFinding> findings = platform::CheckDatabase(*db_);
            for (const platform::CheckFinding& finding : findings) {
                ADD_FAILURE() << "reported as a finding: " << finding.Line().toStdString();
            }
        } catch (const StoreError& error) {
            message = error.Message();
            code = error.EngineCode();
        }
    }
    EXPECT_EQ(code & 0xFF, SQLITE_NOMEM) << message.toStdString();
    EXPECT_TRUE(message.startsWith("Nedostatek paměti.")) << message.toStdString();
    // With the memory back the same database checks clean.
    EXPECT_TRUE(platform::CheckDatabase(*db_).empty());
}

}  // namespace
