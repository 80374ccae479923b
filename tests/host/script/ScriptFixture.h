#pragma once
#include "script/CommandTable.h"
#include "script/Interpreter.h"
#include "script/OptionVars.h"
#include "script/Output.h"
#include "script/ScriptCommands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace rvhost::script {
// Readable values in failure messages.
inline void PrintTo(const Value& value, std::ostream* os) {
    *os << Value::typeName(value.type()) << " {" << value.asString() << "}";
}
} // namespace rvhost::script

// The language's commands registered, a clean interpreter, no preferences file (a test
// never touches the user's), and both output streams captured.
class ScriptTest : public ::testing::Test {
protected:
    using Value = rvhost::script::Value;
    using CommandCall = rvhost::script::CommandCall;

    ScriptTest() {
        static const bool registered = (rvhost::script::registerScriptCommands(), true);
        (void)registered;
        rvhost::script::Interpreter::instance().reset();
        unsetenv("RVHOST_PREFS");
        rvhost::script::OptionVars::instance().reload();
    }

    ~ScriptTest() override {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                table().add(it->first, *it->second);
            else
                table().remove(it->first);
        }
    }

    static rvhost::script::CommandTable& table() {
        return rvhost::script::CommandTable::instance();
    }

    MStatus run(const std::string& text, Value* result = nullptr) {
        return rvhost::script::Interpreter::instance().execute(text, result);
    }

    // The value of one expression statement, run in the session scope.
    Value value(const std::string& expression) {
        Value result;
        EXPECT_TRUE(run(expression + ";", &result)) << expression << "\n" << err();
        return result;
    }

    // Stands in for a command the host does not have here; every call is recorded.
    void stub(const std::string& name, Value result = Value()) {
        const rvhost::script::CommandHandler* old = table().find(name);
        saved_.emplace_back(name, old ? std::optional(*old) : std::nullopt);
        table().add(name, [this, result](const CommandCall& call, Value& out) {
            calls_.push_back(call);
            out = result;
            return MStatus(MS::kSuccess);
        });
    }

    // The recorded calls of one command, each as its arguments' text joined by blanks.
    std::vector<std::string> callsOf(const std::string& name) const {
        std::vector<std::string> texts;
        for (const CommandCall& call : calls_) {
            if (call.name != name) continue;
            std::string text;
            for (const auto& arg : call.args)
                text += (text.empty() ? "" : " ") + arg.value.asString();
            texts.push_back(text);
        }
        return texts;
    }

    std::string out() const { return out_.str(); }
    std::string err() const { return err_.str(); }

    std::vector<CommandCall> calls_;

private:
    std::ostringstream out_;
    std::ostringstream err_;
    rvhost::script::OutputRedirect redirect_{out_, err_};
    std::vector<std::pair<std::string, std::optional<rvhost::script::CommandHandler>>> saved_;
};
