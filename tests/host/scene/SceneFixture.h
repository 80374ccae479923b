#pragma once
#include <maya/MGlobal.h>

#include "scene/NodeTypes.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

// Every test starts from an empty scene and selection, with a plain shape type ("testShape")
// registered so that DAG paths have shapes to reach.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::Scene::instance().clear();
        MGlobal::clearSelectionList();
        if (!rvhost::NodeTypes::instance().find("testShape")) {
            rvhost::NodeType shape;
            shape.name = "testShape";
            shape.make = [] { return std::make_shared<rvhost::DagNode>("testShape", MFn::kShape); };
            shape.dag = true;
            rvhost::NodeTypes::instance().add(shape);
        }
    }
    void TearDown() override { rvhost::Scene::instance().clear(); }

    rvhost::Scene& scene = rvhost::Scene::instance();

    std::shared_ptr<rvhost::Node> make(const std::string& type, const std::string& name = {},
                                       rvhost::DagNode* parent = nullptr) {
        MStatus status;
        auto node = scene.create(type, name, parent, &status);
        EXPECT_TRUE(status) << scene.lastError();
        return node;
    }
};
