#include "ToolFixture.h"

#include <maya/MArgList.h>
#include <maya/MPxContextCommand.h>
#include <maya/MPxToolCommand.h>

#include "plugins/CommandHandlers.h"
#include "plugins/ToolCommandKeeper.h"
#include "plugins/UndoQueue.h"

namespace rvhost::test {
namespace {

int undoneStrokes = 0;

class StrokeToolCommand : public MPxToolCommand {
public:
    StrokeToolCommand() { setCommandString("strokeToolCmd"); }
    static void* creator() { return new StrokeToolCommand; }

    MStatus undoIt() override {
        ++undoneStrokes;
        return MS::kSuccess;
    }
    bool isUndoable() const override { return true; }
    MStatus finalize() override {
        MArgList command;
        command.addArg(commandString());
        return doFinalize(command);
    }
};

// Makes a tool command at the press and finalises it at the release, as sculpt tools do.
class StrokeContext : public MPxContext {
public:
    MStatus doPress(MEvent&) override {
        command_ = newToolCommand();
        return command_ ? MS::kSuccess : MS::kFailure;
    }
    MStatus doRelease(MEvent&) override {
        if (!command_) return MS::kNotFound;
        MPxToolCommand* finished = command_;
        command_ = nullptr;
        return finished->finalize();
    }

private:
    MPxToolCommand* command_ = nullptr;
};

class StrokeContextCommand : public MPxContextCommand {
public:
    static void* creator() { return new StrokeContextCommand; }
    MPxContext* makeObj() override { return new StrokeContext; }
};

class ToolCommandTest : public ToolFixture {
protected:
    void SetUp() override {
        ToolFixture::SetUp();
        script::CommandTable::instance().add(
            "strokeCtx",
            contextCommandHandler(StrokeContextCommand::creator, StrokeToolCommand::creator));
        UndoQueue::instance().flush();
        undoneStrokes = 0;
    }
    void TearDown() override {
        ToolFixture::TearDown();
        ToolCommandKeeper::instance().removeMadeFor("strokeCtx");
        script::CommandTable::instance().remove("strokeCtx");
        UndoQueue::instance().flush();
    }
};

TEST_F(ToolCommandTest, EachStrokeFinalisesOneToolCommandIntoTheUndoQueue) {
    script::Value name;
    ASSERT_EQ(run("strokeCtx", &name), MS::kSuccess) << err.str();
    ASSERT_EQ(run("setToolTo " + name.asString()), MS::kSuccess);

    script::Value codes;
    ASSERT_EQ(run("hostMouse -stroke 0 0 10 10 -steps 3", &codes), MS::kSuccess);
    EXPECT_EQ(codes.asIntArray(), std::vector<int>(5, 0));
    EXPECT_EQ(UndoQueue::instance().undoCount(), 1u);
    EXPECT_EQ(UndoQueue::instance().undoName(), "strokeToolCmd");

    run("hostMouse -stroke 0 0 10 10 -steps 1");
    EXPECT_EQ(UndoQueue::instance().undoCount(), 2u);
    bool moved = false;
    EXPECT_EQ(UndoQueue::instance().undo(moved), MS::kSuccess);
    EXPECT_TRUE(moved);
    EXPECT_EQ(undoneStrokes, 1);
}

TEST_F(ToolCommandTest, AnUnfinishedStrokeLeavesTheQueueAlone) {
    script::Value name;
    run("strokeCtx", &name);
    run("setToolTo " + name.asString());
    run("hostMouse -press 1 1");
    run("setToolTo selectSuperContext");
    EXPECT_EQ(UndoQueue::instance().undoCount(), 0u);
}

} // namespace
} // namespace rvhost::test
