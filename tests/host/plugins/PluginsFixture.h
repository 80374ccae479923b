#pragma once
#include "plugins/PluginCommands.h"
#include "plugins/UndoQueue.h"
#include "script/Interpreter.h"
#include "script/Output.h"
#include "script/ScriptCommands.h"
#include "script/Value.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

// A host with the script language's commands and this room's, a clean interpreter, an empty undo
// queue with default settings, and both output streams captured.
class PluginsTest : public ::testing::Test {
protected:
    using Value = rvhost::script::Value;

    PluginsTest() {
        static const bool registered = [] {
            rvhost::script::registerScriptCommands();
            rvhost::registerPluginCommands();
            return true;
        }();
        (void)registered;
        rvhost::script::Interpreter::instance().reset();
        resetUndo();
    }
    ~PluginsTest() override { resetUndo(); }

    static void resetUndo() {
        rvhost::UndoQueue& queue = rvhost::UndoQueue::instance();
        queue.flush();
        queue.setEnabled(true);
        queue.setInfinite(false);
        queue.setLength(rvhost::UndoQueue::kDefaultLength);
    }

    MStatus run(const std::string& text, Value* result = nullptr) {
        return rvhost::script::Interpreter::instance().execute(text, result);
    }
    // The value of one statement, which must succeed.
    Value value(const std::string& statement) {
        Value result;
        EXPECT_TRUE(run(statement + ";", &result)) << statement << "\n" << err();
        return result;
    }
    int intOf(const std::string& statement) { return value(statement).asInt(); }

    std::string err() const { return err_.str(); }
    void clearOutput() {
        out_.str("");
        err_.str("");
    }

private:
    std::ostringstream out_;
    std::ostringstream err_;
    rvhost::script::OutputRedirect redirect_{out_, err_};
};
