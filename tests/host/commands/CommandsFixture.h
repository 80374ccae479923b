#pragma once
#include <maya/MDoubleArray.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MStringArray.h>

#include "app/Startup.h"
#include "mesh/MeshShape.h"
#include "plugins/UndoQueue.h"
#include "scene/Scene.h"
#include "script/Interpreter.h"
#include "script/Output.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

// An empty scene, selection and undo queue, the host's commands registered, and both
// output streams captured. Commands run through MGlobal::executeCommand with undo on.
class CommandsTest : public ::testing::Test {
protected:
    CommandsTest() {
        rvhost::startHost();
        rvhost::script::Interpreter::instance().reset();
        reset();
    }
    ~CommandsTest() override { reset(); }

    static void reset() {
        rvhost::Scene::instance().clear();
        MGlobal::clearSelectionList();
        rvhost::UndoQueue::instance().flush();
    }

    bool ok(const std::string& text) {
        return MGlobal::executeCommand(MString(text.c_str()), false, true) == MS::kSuccess;
    }
    std::vector<std::string> strings(const std::string& text) {
        MStringArray result;
        EXPECT_TRUE(MGlobal::executeCommand(MString(text.c_str()), result, false, true))
            << text << "\n"
            << err();
        std::vector<std::string> out;
        for (unsigned int i = 0; i < result.length(); ++i)
            out.push_back(result[i].asChar());
        return out;
    }
    std::string text(const std::string& command) {
        MString result;
        EXPECT_TRUE(MGlobal::executeCommand(MString(command.c_str()), result, false, true))
            << command << "\n"
            << err();
        return result.asChar();
    }
    std::vector<double> numbers(const std::string& text) {
        MDoubleArray result;
        EXPECT_TRUE(MGlobal::executeCommand(MString(text.c_str()), result, false, true))
            << text << "\n"
            << err();
        std::vector<double> out;
        for (unsigned int i = 0; i < result.length(); ++i)
            out.push_back(result[i]);
        return out;
    }
    double number(const std::string& text) {
        double result = 0;
        EXPECT_TRUE(MGlobal::executeCommand(MString(text.c_str()), result, false, true))
            << text << "\n"
            << err();
        return result;
    }
    // Runs a command that must fail and returns the errors it showed.
    std::string failure(const std::string& text) {
        err_.str("");
        EXPECT_FALSE(ok(text)) << text;
        return err_.str();
    }
    bool undo() { return ok("undo"); }
    bool redo() { return ok("redo"); }

    std::shared_ptr<rvhost::MeshShape> mesh(const std::string& name) {
        return std::dynamic_pointer_cast<rvhost::MeshShape>(rvhost::Scene::instance().find(name));
    }
    std::string err() const { return err_.str(); }

private:
    std::ostringstream out_, err_;
    rvhost::script::OutputRedirect redirect_{out_, err_};
};

// Expects three numbers near the given ones.
inline void expectNear3(const std::vector<double>& got, double x, double y, double z) {
    ASSERT_EQ(got.size(), 3u);
    EXPECT_NEAR(got[0], x, 1e-6);
    EXPECT_NEAR(got[1], y, 1e-6);
    EXPECT_NEAR(got[2], z, 1e-6);
}
