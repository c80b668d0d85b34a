#include <gtest/gtest.h>

#include "document/SheetDocument.h"
#include "undo/TavrlUndo.h"

namespace {

// Each edit adds a row named after the state it leads to: S1, S2, ...
void Edit(CSheetDocument& d, int n) {
    d.SaveUndo();
    d.m_Sheet.AddLine("S" + std::to_string(n));
}

int State(const CSheetDocument& d) {
    return d.m_Sheet.GetSize();
}

TEST(Undo, FreshDocumentHasNothingToUndoOrRedo) {
    CSheetDocument d;
    EXPECT_FALSE(d.CanUndo());
    EXPECT_FALSE(d.CanRedo());
}

TEST(Undo, WorkedSequence) {
    CSheetDocument d;
    Edit(d, 1);
    Edit(d, 2);
    EXPECT_EQ(d.m_Undo.GetSize(), 2);
    EXPECT_EQ(d.m_Undo.GetPos(), 2);
    d.Undo();
    EXPECT_EQ(d.m_Undo.GetSize(), 3); // the latest state was kept for redo
    EXPECT_EQ(d.m_Undo.GetPos(), 1);
    EXPECT_EQ(State(d), 1);
    EXPECT_TRUE(d.CanUndo());
    EXPECT_TRUE(d.CanRedo());
    d.Undo();
    EXPECT_EQ(d.m_Undo.GetSize(), 3);
    EXPECT_EQ(State(d), 0);
    EXPECT_FALSE(d.CanUndo());
    d.Redo();
    EXPECT_EQ(State(d), 1);
    d.Redo();
    EXPECT_EQ(State(d), 2);
    EXPECT_FALSE(d.CanRedo());
    d.Undo();
    EXPECT_EQ(d.m_Undo.GetPos(), 1);
    Edit(d, 3); // from S1: S1 and S2 above the point are dropped
    EXPECT_EQ(d.m_Undo.GetSize(), 2);
    EXPECT_EQ(d.m_Undo.GetPos(), 2);
    EXPECT_FALSE(d.CanRedo());
}

TEST(Undo, OnlyTheLastHundredEditsCanBeUndone) {
    CSheetDocument d;
    for (int i = 1; i <= 150; ++i)
        Edit(d, i);
    EXPECT_EQ(d.m_Undo.GetSize(), 100);
    int undone = 0;
    while (d.CanUndo()) {
        d.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(State(d), 50);
    EXPECT_EQ(d.m_Undo.GetSize(), 101);
}

TEST(Undo, FullStackWithUndoneEditsDropsOldestAndRedoStates) {
    CSheetDocument d;
    for (int i = 1; i <= 100; ++i)
        Edit(d, i);
    d.Undo();
    d.Undo();
    EXPECT_EQ(d.m_Undo.GetSize(), 101);
    EXPECT_EQ(State(d), 98);
    Edit(d, 99);
    EXPECT_FALSE(d.CanRedo());
    // 101 units less the oldest, less the shown state and the two redo states, plus the new one.
    EXPECT_EQ(d.m_Undo.GetSize(), 98);
    EXPECT_EQ(static_cast<CTavrlUndo*>(d.m_Undo.GetAt(0))->m_Sheet.GetSize(), 1);
}

TEST(Undo, SnapshotBringsBackCursorAndSettings) {
    CSheetDocument d;
    d.m_Sheet.AddColumn("c", 1);
    d.m_Sheet.AddLine("a");
    d.m_Sheet.m_nCurLine = 0;
    d.m_Sheet.m_nLineNameWidth = 15;
    d.SaveUndo();
    d.m_Sheet.DeleteLine();
    d.m_Sheet.m_nLineNameWidth = 8;
    d.Undo();
    ASSERT_EQ(d.m_Sheet.GetSize(), 1);
    EXPECT_EQ(d.m_Sheet.m_nCurLine, 0);
    EXPECT_EQ(d.m_Sheet.m_nLineNameWidth, 15);
    EXPECT_EQ(d.m_Sheet[0]->GetSize(), 1);
}

TEST(Undo, NewAndOpenStartWithAnEmptyHistory) {
    CSheetDocument d;
    Edit(d, 1);
    d.DeleteContents();
    EXPECT_FALSE(d.CanUndo());
    Edit(d, 1);
    EXPECT_TRUE(d.Open("/nonexistent/x.tvr").has_value());
    EXPECT_FALSE(d.CanUndo());
    EXPECT_EQ(State(d), 0);
}

} // namespace
