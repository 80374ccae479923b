#include "PluginsFixture.h"

#include "plugins/UndoQueue.h"
#include "script/UndoChunk.h"

#include <string>

namespace {

using rvhost::UndoQueue;

// Steps that each add their number to a total, so the total tells which steps are done.
class UndoQueueTest : public PluginsTest {
protected:
    void pushStep(int n) {
        UndoQueue::instance().push(
            "step" + std::to_string(n),
            [this, n] {
                total -= n;
                return MStatus(MS::kSuccess);
            },
            [this, n] {
                total += n;
                return MStatus(MS::kSuccess);
            });
        total += n;
    }
    bool undo() {
        bool moved = false;
        EXPECT_TRUE(UndoQueue::instance().undo(moved));
        return moved;
    }
    bool redo() {
        bool moved = false;
        EXPECT_TRUE(UndoQueue::instance().redo(moved));
        return moved;
    }

    int total = 0;
};

TEST_F(UndoQueueTest, UndoAndRedoWalkTheStepsAndANewStepDropsTheRedoBranch) {
    pushStep(1);
    pushStep(10);
    pushStep(100);
    EXPECT_TRUE(undo());
    EXPECT_TRUE(undo());
    EXPECT_EQ(total, 1);
    EXPECT_EQ(UndoQueue::instance().redoName(), "step10");
    EXPECT_TRUE(redo());
    EXPECT_EQ(total, 11);
    pushStep(1000);
    EXPECT_FALSE(redo()) << "step100 was dropped by the new step";
    EXPECT_EQ(total, 1011);
    EXPECT_EQ(UndoQueue::instance().undoCount(), 3u);
    EXPECT_TRUE(undo());
    EXPECT_TRUE(undo());
    EXPECT_TRUE(undo());
    EXPECT_FALSE(undo());
    EXPECT_EQ(total, 0);
}

TEST_F(UndoQueueTest, PastTheLengthTheOldestStepsGoUnlessInfinite) {
    UndoQueue& queue = UndoQueue::instance();
    queue.setLength(2);
    for (int n = 1; n <= 5; ++n)
        pushStep(n);
    EXPECT_EQ(queue.undoCount(), 2u);
    EXPECT_TRUE(undo());
    EXPECT_TRUE(undo());
    EXPECT_FALSE(undo());
    EXPECT_EQ(total, 6) << "steps 4 and 5 undone; 1 to 3 are out of reach";

    queue.flush();
    queue.setInfinite(true);
    for (int n = 0; n < 80; ++n)
        pushStep(0);
    EXPECT_EQ(queue.undoCount(), 80u);
    queue.setInfinite(false);
    EXPECT_EQ(queue.undoCount(), 2u) << "finite again: trimmed to the length";
}

TEST_F(UndoQueueTest, NothingIsRecordedWhileUndoIsOffOrTheScriptSaysSo) {
    UndoQueue& queue = UndoQueue::instance();
    queue.setEnabled(false);
    pushStep(1);
    queue.setEnabled(true);
    {
        rvhost::script::UndoChunk noUndo(false);
        pushStep(2);
        EXPECT_FALSE(queue.recording());
        EXPECT_TRUE(queue.recording(UndoQueue::Source::Interaction))
            << "a finished interaction is kept whatever the script's flag";
    }
    EXPECT_EQ(queue.undoCount(), 0u);
    pushStep(3);
    EXPECT_EQ(queue.undoCount(), 1u);
}

TEST_F(UndoQueueTest, UndoInfoQueriesAndSetsTheQueue) {
    EXPECT_EQ(intOf("undoInfo -q -length"), 50);
    EXPECT_EQ(intOf("undoInfo -q -infinity"), 0);
    value("undoInfo -length 2");
    value("undoInfo -infinity on");
    EXPECT_EQ(intOf("undoInfo -q -l"), 2);
    EXPECT_EQ(intOf("undoInfo -q -in"), 1);
    EXPECT_TRUE(UndoQueue::instance().infinite());
    value("undoInfo -in false");
    pushStep(5);
    EXPECT_EQ(value("undoInfo -q -undoName").asString(), "step5");
    value("undoInfo -state off");
    EXPECT_EQ(intOf("undoInfo -q -state"), 0);
    EXPECT_EQ(UndoQueue::instance().undoCount(), 0u) << "-state off flushes";
    value("undoInfo -state on");
    EXPECT_FALSE(run("undoInfo -length many;"));
    EXPECT_NE(err().find("Flag -length needs an unsigned integer, not \"many\""), std::string::npos)
        << err();
}

TEST_F(UndoQueueTest, UndoRedoAndFlushCommands) {
    pushStep(1);
    pushStep(2);
    value("undo");
    EXPECT_EQ(total, 1);
    value("redo");
    EXPECT_EQ(total, 3);
    value("flushUndo");
    value("undo");
    EXPECT_EQ(total, 3);
    EXPECT_NE(err().find("// Warning: There are no more commands to undo."), std::string::npos)
        << err();
    UndoQueue::instance().push(
        "broken", [] { return MStatus(MS::kFailure); }, [] { return MStatus(MS::kSuccess); });
    EXPECT_FALSE(run("undo;"));
    EXPECT_NE(err().find("Undo of broken failed"), std::string::npos) << err();
}

} // namespace
