// The designer's undo history: pushing at depth, the undo and redo bounds,
// collapsing, changing the depth and the hints of the two actions.

#include <gtest/gtest.h>

#include "report/designer/list_variant.h"

namespace {

TPredloha Lines(const QString& line) {
    return TPredloha(QStringList{line});
}

// Records the numbered changes 1..n as entries named "změna n".
void Record(TListVariant& history, int from, int to) {
    for (int n = from; n <= to; ++n) {
        history.Push(QStringLiteral("změna %1").arg(n)) = Lines(QString::number(n));
    }
}

}  // namespace

TEST(ListVariant, StartsWithTheEmptyBaseEntry) {
    TListVariant history;
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Current(), 0);
    EXPECT_EQ(history.Name(0), QStringLiteral("Základní varianta"));
    EXPECT_TRUE(history.CurrentTemplate().IsEmpty());
    EXPECT_EQ(history.Depth(), 10);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST(ListVariant, PushAtDepthDropsTheOldestEntries) {
    TListVariant history;
    history.SetDepth(3);
    Record(history, 1, 4);
    ASSERT_EQ(history.Count(), 3);
    EXPECT_EQ(history.Name(0), QStringLiteral("změna 2"));
    EXPECT_EQ(history.Name(1), QStringLiteral("změna 3"));
    EXPECT_EQ(history.Name(2), QStringLiteral("změna 4"));
    EXPECT_EQ(history.Current(), 2);
}

TEST(ListVariant, ANewChangeAfterUndoDropsTheUndoneEntries) {
    TListVariant history;
    history.SetDepth(3);
    Record(history, 1, 4);
    EXPECT_TRUE(history.Undo());
    EXPECT_TRUE(history.Undo());
    EXPECT_EQ(history.CurrentTemplate(), Lines(QStringLiteral("2")));
    Record(history, 5, 5);
    ASSERT_EQ(history.Count(), 2);
    EXPECT_EQ(history.Name(0), QStringLiteral("změna 2"));
    EXPECT_EQ(history.Name(1), QStringLiteral("změna 5"));
    EXPECT_FALSE(history.CanRedo());
}

TEST(ListVariant, UndoAndRedoStopAtTheEnds) {
    TListVariant history;
    Record(history, 1, 2);
    EXPECT_FALSE(history.Redo());
    EXPECT_TRUE(history.Undo());
    EXPECT_TRUE(history.Undo());
    EXPECT_FALSE(history.Undo());
    EXPECT_EQ(history.Current(), 0);
    EXPECT_TRUE(history.Redo());
    EXPECT_TRUE(history.Redo());
    EXPECT_FALSE(history.Redo());
    EXPECT_EQ(history.Current(), 2);
}

TEST(ListVariant, CollapseKeepsOnlyTheCurrentEntry) {
    TListVariant history;
    Record(history, 1, 3);
    history.Undo();
    history.Collapse();
    ASSERT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Current(), 0);
    EXPECT_EQ(history.Name(0), QStringLiteral("změna 2"));
    EXPECT_EQ(history.CurrentTemplate(), Lines(QStringLiteral("2")));
}

TEST(ListVariant, SetDepthDropsOldEntriesFirstThenEntriesAfterTheCurrent) {
    TListVariant history;
    Record(history, 1, 5);  // base + 5, current 5
    history.Undo();         // current "změna 4" at index 4
    history.Undo();         // "změna 3" at index 3
    history.SetDepth(2);
    ASSERT_EQ(history.Count(), 2);
    EXPECT_EQ(history.Name(0), QStringLiteral("změna 3"));
    EXPECT_EQ(history.Name(1), QStringLiteral("změna 4"));
    EXPECT_EQ(history.Current(), 0);
}

TEST(ListVariant, SetDepthBelowOneMeansOne) {
    TListVariant history;
    Record(history, 1, 2);
    history.SetDepth(0);
    EXPECT_EQ(history.Depth(), 1);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Name(0), QStringLiteral("změna 2"));
    history.SetDepth(-5);
    EXPECT_EQ(history.Depth(), 1);
}

TEST(ListVariant, HintsNameTheStepsOrSayThereIsNone) {
    TListVariant history;
    EXPECT_EQ(history.UndoHint(), QStringLiteral("Zrušit změny"));
    EXPECT_EQ(history.RedoHint(), QStringLiteral("Znovu změny"));
    history.Push(DesignStepName(dsInsert));
    history.Push(DesignStepName(dsMove));
    EXPECT_EQ(history.UndoHint(), QStringLiteral("Zrušit posun prvku"));
    history.Undo();
    EXPECT_EQ(history.UndoHint(), QStringLiteral("Zrušit vložení prvku"));
    EXPECT_EQ(history.RedoHint(), QStringLiteral("Znovu posun prvku"));
}

TEST(ListVariant, StepNamesAreNumberedOneToSixteen) {
    EXPECT_EQ(DesignStepName(1), QStringLiteral("vložení prvku"));
    EXPECT_EQ(DesignStepName(5), QStringLiteral("změna výšky oddílu"));
    EXPECT_EQ(DesignStepName(13), QStringLiteral("vložení z úschovy"));
    EXPECT_EQ(DesignStepName(16), QStringLiteral("změna měrných jednotek"));
    EXPECT_TRUE(DesignStepName(0).isEmpty());
    EXPECT_TRUE(DesignStepName(17).isEmpty());
}
