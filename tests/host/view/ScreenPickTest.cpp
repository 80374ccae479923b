#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MSelectionMask.h>

#include "mesh/MeshGenerators.h"
#include "mesh/MeshShape.h"
#include "scene/Scene.h"
#include "scene/Transform.h"
#include "view/ViewPort.h"

#include <gtest/gtest.h>

using rvhost::ViewPort;

namespace {

// Two 4 x 4 planes seen from above, 10 pixels to a world unit: "low" at the origin and
// "high" one unit above it and 3 units along x, so they overlap over x in [1, 2].
class ScreenPick : public ::testing::Test {
protected:
    void SetUp() override {
        ViewPort::active().reset();
        ASSERT_TRUE(ViewPort::active().camera().setLookAt(MPoint(0, 10, 0), MPoint(0, 0, 0),
                                                          MVector(0, 0, -1)));
        ASSERT_TRUE(ViewPort::active().camera().setOrthographic(64));
        low = plane("low", MVector(0, 0, 0));
        high = plane("high", MVector(3, 1, 0));
        MGlobal::clearSelectionList();
        MGlobal::setObjectSelectionMask(MSelectionMask(MSelectionMask::kSelectMeshes));
    }
    void TearDown() override {
        MGlobal::setObjectSelectionMask(MSelectionMask(MSelectionMask::kSelectObjectsMask));
        MGlobal::clearSelectionList();
        rvhost::Scene::instance().remove(*low);
        rvhost::Scene::instance().remove(*high);
        ViewPort::active().reset();
    }

    std::shared_ptr<rvhost::DagNode> plane(const char* name, const MVector& at) {
        std::string error;
        auto shape = rvhost::MeshShape::createWithTransform(rvhost::makePlane(4, 4, 2, 2), name,
                                                            "pPlane", &error);
        EXPECT_TRUE(shape) << error;
        auto transform = std::dynamic_pointer_cast<rvhost::Transform>(shape->parent());
        MTransformationMatrix m;
        m.setTranslation(at, MSpace::kTransform);
        transform->setTransformation(m);
        return transform;
    }

    static std::vector<std::string> selected() {
        MSelectionList list;
        MGlobal::getActiveSelectionList(list);
        std::vector<std::string> names;
        for (unsigned int i = 0; i < list.length(); ++i) {
            MDagPath path;
            list.getDagPath(i, path);
            names.push_back(path.partialPathName().asChar());
        }
        return names;
    }

    std::shared_ptr<rvhost::DagNode> low, high;
};

} // namespace

TEST_F(ScreenPick, ClickPicksTheNearestSurfaceTransform) {
    using V = std::vector<std::string>;
    ASSERT_TRUE(MGlobal::selectFromScreen(320 + 15, 240, MGlobal::kReplaceList));
    EXPECT_EQ(selected(), V{"high"}); // x = 1.5: both planes, the higher is nearer the eye
    ASSERT_TRUE(MGlobal::selectFromScreen(320 - 5, 240, MGlobal::kAddToList));
    EXPECT_EQ(selected(), (V{"high", "low"})); // x = -0.5: only the low one
    ASSERT_TRUE(MGlobal::selectFromScreen(100, 100, MGlobal::kReplaceList));
    EXPECT_EQ(selected(), V{}); // nothing there: replacing clears

    low->setIntermediate(true); // not visible, not pickable
    ASSERT_TRUE(MGlobal::selectFromScreen(320 - 5, 240, MGlobal::kReplaceList));
    EXPECT_EQ(selected(), V{});
}

TEST_F(ScreenPick, TheObjectMaskCanRuleMeshesOut) {
    MGlobal::setObjectSelectionMask(MSelectionMask(MSelectionMask::kSelectJoints));
    ASSERT_TRUE(MGlobal::selectFromScreen(320, 240, MGlobal::kReplaceList));
    EXPECT_TRUE(selected().empty());
}

TEST_F(ScreenPick, RectanglePicksMeshesWithAVertexInside) {
    using V = std::vector<std::string>;
    // Around the low plane's centre vertex only.
    ASSERT_TRUE(MGlobal::selectFromScreen(310, 230, 328, 250, MGlobal::kReplaceList));
    EXPECT_EQ(selected(), V{"low"});
    // Given corner to corner in any order, around both planes' vertices at x = 1 and x = 3.
    ASSERT_TRUE(MGlobal::selectFromScreen(370, 260, 300, 220, MGlobal::kReplaceList));
    EXPECT_EQ(selected(), (V{"low", "high"}));
}
