// The record grid over a real table: the current row and the data set's
// current record follow each other, Enter moves down or right and on to the
// next record, the mouse notifications, editing in place, inserting and
// deleting.
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>

#include "controls/db_grid.h"
#include "tests/controls/bound_fixture.h"

using bound_test::Settle;
using platform::DataSetState;

namespace {

QString Name(platform::DataSet& dataSet) {
    return dataSet.FieldByName("Jmeno_registr").AsString();
}

class DbGrid : public bound_test::BoundForm {
  protected:
    void SetUp() override {
        BoundForm::SetUp();
        grid = Add(new TDbGridKOPA, "DBGrid1");
        grid->SetDataSource(source.get());
        grid->SetColumns({"Jmeno_registr", "Pohlavi", "Cip"});
    }

    QModelIndex Cell(int row, int column) const { return grid->model()->index(row, column); }
    QString Shown(int row, int column) const { return Cell(row, column).data().toString(); }

    void Click(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint at = grid->visualRect(Cell(row, column)).center();
        QTest::mouseClick(grid->viewport(), button, Qt::NoModifier, at);
        Settle();
    }

    TDbGridKOPA* grid = nullptr;
};

TEST_F(DbGrid, ShowsTheColumnsWithTitles) {
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->columnCount(), 3);
    EXPECT_EQ(Shown(1, 0), "Bára");
    EXPECT_EQ(Shown(0, 2), "12345");
    grid->SetColumnTitle(1, "Pohlaví");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "Pohlaví");
    // An untitled column is headed by its column's caption, not its name.
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Registrované jméno");
}

TEST_F(DbGrid, ChoosingARowMovesTheDataSetAndMovesFollow) {
    Show();
    Click(2, 1);
    EXPECT_EQ(Name(*cards), "Cita");
    EXPECT_EQ(grid->currentIndex().row(), 2);
    cards->First();
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(grid->currentIndex().column(), 1) << "the column stays";
    cards->Next();
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST_F(DbGrid, EnterMovesDownToTheNextRecord) {
    Show();
    grid->EnterIsTab = true;
    grid->EnterDirectionMove = DownMove;
    Click(0, 1);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(Name(*cards), "Bára");
    EXPECT_EQ(grid->currentIndex(), Cell(1, 1));
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(Name(*cards), "Cita") << "the last record stays";
    EXPECT_EQ(grid->currentIndex(), Cell(2, 1));
}

TEST_F(DbGrid, EnterMovesRightAndFromTheLastColumnToTheNextRecord) {
    Show();
    grid->EnterIsTab = true;
    grid->EnterDirectionMove = RightMove;
    Click(0, 1);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentIndex(), Cell(0, 2));
    EXPECT_EQ(Name(*cards), "Aron");
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentIndex(), Cell(1, 0));
    EXPECT_EQ(Name(*cards), "Bára");
}

TEST_F(DbGrid, WithoutEnterIsTabEnterDoesNotMove) {
    Show();
    Click(0, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(Name(*cards), "Aron");
    EXPECT_EQ(grid->currentIndex(), Cell(0, 0));
}

TEST_F(DbGrid, MouseNotifications) {
    Show();
    int left = 0, right = 0;
    QString movedTo;
    grid->OnMysDown = [&](TDbGridKOPA* sender, QMouseEvent* event) {
        EXPECT_EQ(sender, grid);
        EXPECT_EQ(event->button(), Qt::LeftButton);
        movedTo = Name(*cards);  // after the grid's own handling
        ++left;
    };
    grid->OnMouseRightClickDown = [&](TDbGridKOPA*, QMouseEvent* event) {
        EXPECT_EQ(event->button(), Qt::RightButton);
        ++right;
    };
    Click(1, 0);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(movedTo, "Bára");
    Click(2, 0, Qt::RightButton);
    EXPECT_EQ(right, 1);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(Name(*cards), "Bára") << "a right press does not choose a row";
}

TEST_F(DbGrid, WholeRowSelection) {
    Show();
    grid->SetRowSelect(true);
    Click(1, 1);
    EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 3);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(1, QModelIndex()));
}

TEST_F(DbGrid, EditingInPlaceWritesTheField) {
    Show();
    ASSERT_TRUE(grid->model()->flags(Cell(1, 2)) & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->model()->setData(Cell(1, 2), "4711"));
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    EXPECT_EQ(Name(*cards), "Bára");
    EXPECT_EQ(Shown(1, 2), "4711") << "the edited record shows its new value";
    cards->Post();
    EXPECT_EQ(Stored("Bára", "Cip"), "4711");
    EXPECT_FALSE(grid->model()->setData(Cell(0, 2), "abc"));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    cards->Cancel();
    EXPECT_EQ(Stored("Aron", "Cip"), "12345");
}

TEST_F(DbGrid, AQueryOrAReadOnlyGridIsNotEditable) {
    grid->SetReadOnly(true);
    EXPECT_FALSE(grid->model()->flags(Cell(0, 0)) & Qt::ItemIsEditable);
    grid->SetReadOnly(false);
    source->SetAutoEdit(false);
    EXPECT_FALSE(grid->model()->flags(Cell(0, 0)) & Qt::ItemIsEditable);
    cards->Edit();
    EXPECT_TRUE(grid->model()->flags(Cell(0, 0)) & Qt::ItemIsEditable);
    cards->Cancel();
    source->SetAutoEdit(true);
    platform::Query list(*db);
    list.SetSQL({"Select * from Main_card"});
    list.Open();
    source->SetDataSet(&list);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_FALSE(grid->model()->flags(Cell(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid->model()->setData(Cell(0, 0), "x"));
}

TEST_F(DbGrid, ARecordBeingInsertedShowsAsTheLastRow) {
    Show();
    cards->Append();
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    EXPECT_TRUE(grid->model()->setData(Cell(3, 0), "Dora"));
    EXPECT_EQ(Shown(3, 0), "Dora");
    cards->Post();
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(Stored("Dora", "Jmeno_registr"), "Dora");
    EXPECT_EQ(grid->currentIndex().row(), cards->RecNo());
    cards->Append();
    cards->Cancel();
    EXPECT_EQ(grid->model()->rowCount(), 4);
}

TEST_F(DbGrid, CtrlDeleteAsksBeforeDeleting) {
    Show();
    Click(1, 0);
    messages.Answer(platform::mbCancel);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Smazat záznam?");
    EXPECT_EQ(cards->RecordCount(), 3);
    messages.Answer(platform::mbOK);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(cards->RecordCount(), 2);
    EXPECT_EQ(grid->model()->rowCount(), 2);
}

TEST_F(DbGrid, ClosingAndRepointingTheSource) {
    cards->Close();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    cards->Open();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    platform::Query list(*db);
    list.SetSQL({"Select * from Main_card where Pohlavi = \"Fena\""});
    list.Open();
    source->SetDataSet(&list);
    EXPECT_EQ(grid->model()->rowCount(), 2);
    source->SetDataSet(cards.get());
    EXPECT_EQ(grid->model()->rowCount(), 3);
    grid->SetDataSource(nullptr);
    EXPECT_EQ(grid->model(), nullptr);
    cards->Next();  // nothing listens; no crash
}

TEST_F(DbGrid, TheSourceMayGoFirst) {
    auto* later = Add(new TDbGridKOPA, "DBGrid2");
    {
        platform::DataSource shortLived("SoShort", cards.get());
        later->SetDataSource(&shortLived);
        EXPECT_EQ(later->model()->rowCount(), 3);
    }
    EXPECT_EQ(later->DataSource(), nullptr);
    EXPECT_EQ(later->model()->rowCount(), 0);
    cards->Next();
    delete later;  // lets go of nothing that is gone
}

}  // namespace

namespace {

TEST_F(DbGrid, ACellBeingEditedIsTakenAlongByAPostFromElsewhere) {
    Show();
    Click(1, 2);
    grid->edit(Cell(1, 2));
    Settle();
    ASSERT_EQ(grid->PendingDataSet(), cards.get()) << "a cell is being edited";
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText("808");
    UpdateBoundControls(*cards);
    cards->Post();
    EXPECT_EQ(Stored("Bára", "Cip"), "808");
    EXPECT_EQ(grid->PendingDataSet(), nullptr);
}

}  // namespace
