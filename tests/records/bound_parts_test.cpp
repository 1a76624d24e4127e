// The bound fields the edit forms are built from: a field keeps the input
// limit it was made with, no matter how wide its column is.
#include <gtest/gtest.h>

#include "controls/k_db_edit.h"
#include "platform/store/field.h"
#include "records/bound_parts.h"
#include "tests/records/event_book_fixture.h"

namespace {

using event_book_testing::BookFormTest;

class BoundParts : public BookFormTest {
  protected:
    void SetUp() override {
        BookFormTest::SetUp();
        platform::Table& matings = dm_->TaKryti;
        if (!matings.IsActive()) {
            matings.Open();
        }
        matings.Append();
        matings.FieldByName("Jmeno_registr").SetAsString("Aron");
        matings.Post();
    }
    QWidget parent_;
};

// Jmeno_partner holds 50 characters.
TEST_F(BoundParts, AFieldTakesItsOwnLimitOrElseAsManyAsItsColumnHolds) {
    TKDBEditKopa* limited =
        NewBoundEdit("DBEditJmeno_partner", dm_->SoKryti, "Jmeno_partner", 15, false, &parent_);
    TKDBEditKopa* open =
        NewBoundEdit("DBEditJmeno_partner2", dm_->SoKryti, "Jmeno_partner", 0, false, &parent_);
    dm_->TaKryti.First();
    EXPECT_EQ(limited->maxLength(), 15);
    EXPECT_EQ(open->maxLength(), 50);
    EXPECT_EQ(limited->objectName(), "DBEditJmeno_partner");
}

}  // namespace
