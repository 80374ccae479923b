#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MGlobal.h>
#include <maya/MItSelectionList.h>
#include <maya/MSelectionList.h>

#include "SceneFixture.h"

using SelectionTest = SceneTest;

TEST_F(SelectionTest, NamesPathsAndPatternsSelectEachObjectOnce) {
    auto plane = make("transform", "pPlane1");
    make("testShape", "pPlaneShape1", plane->asDag());
    make("transform", "pCube1");
    MSelectionList list;
    EXPECT_FALSE(list.add("nothing"));
    ASSERT_TRUE(list.add("pPlaneShape1"));
    ASSERT_TRUE(list.add("|pPlane1"));
    ASSERT_TRUE(list.add("p*1"));
    EXPECT_EQ(list.length(), 3u); // pPlane1 is not listed twice
    MDagPath path;
    ASSERT_TRUE(list.getDagPath(0, path));
    EXPECT_EQ(path.fullPathName(), MString("|pPlane1|pPlaneShape1"));
    MStringArray strings;
    list.getSelectionStrings(strings);
    ASSERT_EQ(strings.length(), 3u);
    EXPECT_EQ(strings[2], MString("pCube1"));

    ASSERT_TRUE(MGlobal::selectByName("pCube1", MGlobal::kReplaceList));
    ASSERT_TRUE(MGlobal::selectByName("pPlane1"));
    MSelectionList active;
    MGlobal::getActiveSelectionList(active);
    EXPECT_EQ(active.length(), 2u);
    scene.remove(*scene.find("pCube1"));
    MGlobal::getActiveSelectionList(active);
    ASSERT_EQ(active.length(), 1u); // deleted objects drop out
    MSelectionList byName;
    ASSERT_TRUE(MGlobal::getSelectionListByName("pPlane1", byName));
    MObject node;
    byName.getDependNode(0, node);
    EXPECT_EQ(node, plane->handle());
    MGlobal::setActiveSelectionList(byName, MGlobal::kRemoveFromList);
    MGlobal::getActiveSelectionList(active);
    EXPECT_TRUE(active.isEmpty());
}

// A shape of the mesh type with ten elements of every kind, as selection strings see it.
class TestMesh : public rvhost::DagNode {
public:
    TestMesh() : DagNode("testMesh", MFn::kMesh) {}
    int componentCount(MFn::Type) const override { return 10; }
};

TEST_F(SelectionTest, ComponentsOfAMeshMergeAndPrintAsRanges) {
    if (!rvhost::NodeTypes::instance().find("testMesh")) {
        rvhost::NodeType mesh;
        mesh.name = "testMesh";
        mesh.make = [] { return std::make_shared<TestMesh>(); };
        mesh.dag = true;
        rvhost::NodeTypes::instance().add(mesh);
    }
    auto plane = make("transform", "pPlane1");
    auto shape = make("testMesh", "pPlaneShape1", plane->asDag());
    make("transform", "empty");
    MSelectionList list;
    ASSERT_TRUE(list.add("pPlane1.vtx[3:5]"));
    ASSERT_TRUE(list.add("pPlaneShape1.vtx[7]"));
    ASSERT_TRUE(list.add("pPlane1.vtx[4]"));
    ASSERT_TRUE(list.add("pPlane1.f[*]"));
    EXPECT_FALSE(list.add("empty.vtx[0]"));     // no mesh below
    EXPECT_FALSE(list.add("pPlane1.bogus[1]")); // neither component nor attribute
    ASSERT_EQ(list.length(), 2u);
    MStringArray strings;
    list.getSelectionStrings(strings);
    ASSERT_EQ(strings.length(), 3u);
    EXPECT_EQ(strings[0], MString("pPlane1.vtx[3:5]"));
    EXPECT_EQ(strings[1], MString("pPlane1.vtx[7]"));
    EXPECT_EQ(strings[2], MString("pPlane1.f[*]"));

    MDagPath path;
    MObject component;
    ASSERT_TRUE(list.getDagPath(0, path, component));
    EXPECT_EQ(path.node(), shape->handle());
    MFnSingleIndexedComponent vertices(component);
    EXPECT_EQ(vertices.componentType(), MFn::kMeshVertComponent);
    EXPECT_EQ(vertices.elementCount(), 4);
    EXPECT_EQ(vertices.element(3), 7);

    // A whole object and a plug select differently from components.
    ASSERT_TRUE(list.add("pPlane1"));
    ASSERT_TRUE(list.add("pPlane1.translateX"));
    int dag = 0, components = 0, plugs = 0;
    for (MItSelectionList it(list); !it.isDone(); it.next()) {
        dag += it.itemType() == MItSelectionList::kDagSelectionItem;
        components += it.hasComponents();
        plugs += it.itemType() == MItSelectionList::kPlugSelectionItem;
    }
    EXPECT_EQ(dag, 3);
    EXPECT_EQ(components, 2);
    EXPECT_EQ(plugs, 1);
    MItSelectionList meshes(list, MFn::kMesh);
    int count = 0;
    for (; !meshes.isDone(); meshes.next())
        ++count;
    EXPECT_EQ(count, 2); // the component items sit on the shape
}
