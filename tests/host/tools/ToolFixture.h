#pragma once
#include <maya/MEvent.h>
#include <maya/MPxContext.h>

#include "script/CommandTable.h"
#include "script/Output.h"
#include "tools/ContextRegistry.h"
#include "tools/Mouse.h"
#include "tools/ToolCommands.h"
#include "view/ViewPort.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace rvhost::test {

// One call a context received, with what its event carried.
struct Call {
    std::string what;
    short x = 0;
    short y = 0;
    bool shift = false;
    bool control = false;
    bool operator==(const Call& o) const {
        return what == o.what && x == o.x && y == o.y && shift == o.shift && control == o.control;
    }
};

inline std::ostream& operator<<(std::ostream& os, const Call& c) {
    return os << c.what << "(" << c.x << "," << c.y << (c.shift ? ",shift" : "")
              << (c.control ? ",ctrl" : "") << ")";
}

// A context that writes down every event entry the host calls, into a log it shares with
// other contexts so that their order shows. Its Viewport 2.0 entries answer only when
// `newerForm` is set; otherwise the base class's defaults apply.
class RecordingContext : public MPxContext {
public:
    RecordingContext(std::string tag, std::vector<Call>& log, bool newerForm = false)
        : tag_(std::move(tag)), log_(log), newerForm_(newerForm) {}

    void toolOnSetup(MEvent& event) override { note("setup", event); }
    void toolOffCleanup() override { log_.push_back({tag_ + ".cleanup"}); }
    MStatus doPress(MEvent& event) override { return note("press", event); }
    MStatus doDrag(MEvent& event) override { return note("drag", event); }
    MStatus doHold(MEvent& event) override { return note("hold", event); }
    MStatus doRelease(MEvent& event) override { return note("release", event); }
    MStatus doPress(MEvent& event, MHWRender::MUIDrawManager& m,
                    const MHWRender::MFrameContext& f) override {
        return newerForm_ ? note("press2", event) : MPxContext::doPress(event, m, f);
    }
    MStatus doRelease(MEvent& event, MHWRender::MUIDrawManager& m,
                      const MHWRender::MFrameContext& f) override {
        return newerForm_ ? note("release2", event) : MPxContext::doRelease(event, m, f);
    }

    // What the next handler returns.
    MStatus answer = MS::kSuccess;

private:
    MStatus note(const std::string& what, MEvent& event) {
        Call call{tag_ + "." + what};
        event.getPosition(call.x, call.y);
        call.shift = event.isModifierShift();
        call.control = event.isModifierControl();
        log_.push_back(call);
        return answer;
    }

    std::string tag_;
    std::vector<Call>& log_;
    bool newerForm_;
};

// Runs the tool commands straight from the command table, with the host's messages caught.
class ToolFixture : public ::testing::Test {
protected:
    void SetUp() override {
        registerToolCommands();
        ViewPort::active().reset();
        Mouse::instance().releaseSilently();
        Mouse::instance().move(0, 0);
    }
    void TearDown() override { ContextRegistry::instance().clear(); }

    // Adds a recording context under `name` and returns it (owned by the registry).
    RecordingContext& addContext(const std::string& name, bool newerForm = false,
                                 ToolCommandMaker maker = {}) {
        auto context = std::make_unique<RecordingContext>(name, log, newerForm);
        RecordingContext& ref = *context;
        ContextRegistry::Entry entry;
        entry.context = std::move(context);
        entry.commandName = "testContext";
        entry.makeToolCommand = std::move(maker);
        EXPECT_EQ(ContextRegistry::instance().add(name, std::move(entry)), MS::kSuccess);
        return ref;
    }

    // Words of a command line: numbers become numbers, everything else a bare word.
    MStatus run(const std::string& line, script::Value* result = nullptr) {
        std::istringstream words(line);
        script::CommandCall call;
        words >> call.name;
        for (std::string word; words >> word;) {
            std::istringstream number(word);
            int n = 0;
            if (number >> n && number.eof())
                call.args.push_back({script::Value(n), false});
            else
                call.args.push_back({script::Value(word), true});
        }
        const script::CommandHandler* handler = script::CommandTable::instance().find(call.name);
        if (!handler) return MS::kNotFound;
        script::Value ignored;
        script::OutputRedirect redirect(out, err);
        return (*handler)(call, result ? *result : ignored);
    }

    std::vector<Call> log;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace rvhost::test
