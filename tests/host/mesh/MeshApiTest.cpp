// MFnMesh, MFnMeshData and the iterators on shapes and data, in object and world space.
#include <maya/MFnMesh.h>
#include <maya/MFnMeshData.h>
#include <maya/MItMeshEdge.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>

#include "mesh/MeshData.h"
#include "mesh/MeshGenerators.h"
#include "mesh/MeshQueries.h"
#include "mesh/MeshShape.h"
#include "scene/Component.h"
#include "scene/Graph.h"
#include "scene/Scene.h"
#include "scene/Transform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace rvhost;

namespace {

class MeshApi : public ::testing::Test {
protected:
    void SetUp() override { Scene::instance().clear(); }
    void TearDown() override { Scene::instance().clear(); }

    // A plane shape under a transform moved by (10, 0, 0) and scaled (2, 1, 1).
    std::shared_ptr<MeshShape> movedPlane(int sx = 2, int sy = 2) {
        auto shape = MeshShape::createWithTransform(makePlane(2.0, 2.0, sx, sy), "", "pPlane");
        auto* transform = static_cast<Transform*>(shape->parent().get());
        transform->setTriple(*Transform::attributes().translate, MVector(10, 0, 0));
        transform->setTriple(*Transform::attributes().scale, MVector(2, 1, 1));
        return shape;
    }
};

MFloatPointArray quadPoints() {
    MFloatPointArray points;
    for (const auto& p : {MFloatPoint(0, 0, 0), MFloatPoint(1, 0, 0), MFloatPoint(1, 0, -1),
                          MFloatPoint(0, 0, -1), MFloatPoint(2, 0, 0), MFloatPoint(2, 0, -1)})
        points.append(p);
    return points;
}

MIntArray ints(std::initializer_list<int> values) {
    MIntArray a;
    for (int v : values)
        a.append(v);
    return a;
}

std::vector<int> sorted(const MIntArray& a) {
    std::vector<int> v(a.items());
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

TEST_F(MeshApi, CreatePlacesTheMeshAsAsked) {
    const MFloatPointArray points = quadPoints();
    const MIntArray counts = ints({4, 4}), connects = ints({0, 1, 2, 3, 1, 4, 5, 2});
    MFnMesh fn;
    MStatus status;
    MObject transform = fn.create(6, 2, points, counts, connects, MObject::kNullObj, &status);
    ASSERT_TRUE(status);
    EXPECT_TRUE(transform.hasFn(MFn::kTransform));
    EXPECT_TRUE(fn.object().hasFn(MFn::kMesh)); // attached to the new shape
    EXPECT_EQ(fn.numPolygons(), 2);
    EXPECT_EQ(fn.numEdges(), 7);
    EXPECT_EQ(fn.fullPathName(), MString("|polySurface1|polySurfaceShape1"));

    MFnMesh under;
    MObject shape = under.create(6, 2, points, counts, connects, transform, &status);
    ASSERT_TRUE(status);
    EXPECT_TRUE(shape.hasFn(MFn::kMesh));

    MFnMeshData dataFn;
    MObject data = dataFn.create();
    MFnMesh onData;
    EXPECT_EQ(onData.create(6, 2, points, counts, connects, data, &status), data);
    EXPECT_EQ(onData.numVertices(), 6);

    // Bad input changes nothing.
    const MIntArray badConnects = ints({0, 1, 2, 3, 1, 4, 5, 9});
    EXPECT_TRUE(onData.create(6, 2, points, counts, badConnects, data, &status).isNull());
    EXPECT_EQ(status, MS::kInvalidParameter);
    const MIntArray badCounts = ints({4, 3});
    EXPECT_TRUE(onData.create(6, 2, points, badCounts, connects, data, &status).isNull());
    EXPECT_EQ(MFnMesh(data).numPolygons(), 2);
}

TEST_F(MeshApi, PointsAreFloatsAndWorldSpaceUsesTheTransform) {
    auto shape = movedPlane();
    MFnMesh fn(shape->handle());
    MPointArray points;
    ASSERT_TRUE(fn.getPoints(points));
    ASSERT_EQ(points.length(), 9u);
    points[0] = MPoint(0.1, 0.2, 0.3);
    ASSERT_TRUE(fn.setPoints(points));
    fn.getPoints(points);
    EXPECT_EQ(points[0].x, double(0.1f)); // stored in single precision
    EXPECT_EQ(fn.getRawPoints(nullptr)[2], 0.3f);

    fn.getPoints(points, MSpace::kWorld);
    EXPECT_NEAR(points[8].x, 2 * 1.0 + 10, 1e-6);
    EXPECT_NEAR(points[8].z, -1.0, 1e-6);
    points[8] = MPoint(14, 1, 0);
    ASSERT_TRUE(fn.setPoints(points, MSpace::kWorld));
    MPoint p;
    fn.getPoint(8, p);
    EXPECT_NEAR(p.x, 2.0, 1e-6);
    EXPECT_NEAR(p.y, 1.0, 1e-6);

    MPointArray tooFew(3);
    EXPECT_EQ(fn.setPoints(tooFew), MS::kInvalidParameter);
    // Data has no world space.
    MFnMeshData dataFn;
    MObject data = dataFn.create();
    MFnMesh copyFn;
    copyFn.copy(shape->handle(), data);
    EXPECT_EQ(copyFn.getPoints(points, MSpace::kWorld), MS::kInvalidParameter);
}

TEST_F(MeshApi, CopyIsIndependentOfItsSource) {
    auto shape = movedPlane();
    MFnMeshData dataFn;
    MObject data = dataFn.create();
    MFnMesh copyFn;
    ASSERT_EQ(copyFn.copy(shape->handle(), data), data);
    MFnMesh fn(shape->handle());
    MPointArray points;
    fn.getPoints(points);
    points[4] = MPoint(0, 5, 0);
    fn.setPoints(points);
    MPoint p;
    copyFn.getPoint(4, p);
    EXPECT_EQ(p.y, 0.0);
    MIntArray counts, connects;
    copyFn.getVertices(counts, connects);
    EXPECT_EQ(counts.length(), 4u);
    EXPECT_EQ(connects.length(), 16u);
}

TEST_F(MeshApi, NormalsFollowPointsUntilSetByHand) {
    auto shape = movedPlane(1, 1);
    MFnMesh fn(shape->handle());
    MPointArray points;
    fn.getPoints(points);
    // Tilt the quad: raise its +x side.
    points[1].y = points[3].y = 2.0;
    fn.setPoints(points);
    MVector faceNormal;
    fn.getPolygonNormal(0, faceNormal);
    EXPECT_NEAR(faceNormal.x, -1 / std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(faceNormal.y, 1 / std::sqrt(2.0), 1e-6);
    MFloatVectorArray normals;
    fn.getNormals(normals);
    EXPECT_NEAR(normals[0].x, faceNormal.x, 1e-6);
    // World space: the x scale of 2 halves the slope, carried as a normal (inverse
    // transpose), not as a direction.
    fn.getPolygonNormal(0, faceNormal, MSpace::kWorld);
    EXPECT_NEAR(faceNormal.x, -1 / std::sqrt(5.0), 1e-6);
    EXPECT_NEAR(faceNormal.y, 2 / std::sqrt(5.0), 1e-6);

    MFloatVectorArray set(4, MFloatVector(0, 0, 1));
    ASSERT_TRUE(fn.setNormals(set));
    points[1].y = points[3].y = 0.0;
    fn.setPoints(points);
    fn.getNormals(normals);
    EXPECT_EQ(normals[2], MFloatVector(0, 0, 1)); // locked
}

TEST_F(MeshApi, RayCastsThroughTheApi) {
    auto shape = MeshShape::createWithTransform(makeSphere(1.0, 12, 8), "", "pSphere");
    MFnMesh fn(shape->handle());
    MFloatPoint hit;
    float param;
    int face, triangle;
    float b1, b2;
    MStatus status;
    ASSERT_TRUE(fn.closestIntersection(MFloatPoint(0.1f, 0.2f, 5), MFloatVector(0, 0, -1), nullptr,
                                       nullptr, false, MSpace::kObject, 999999, false, nullptr, hit,
                                       &param, &face, &triangle, &b1, &b2, 0.1f, &status));
    EXPECT_TRUE(status);
    EXPECT_GT(hit.z, 0.8f);
    EXPECT_NEAR(param, 5 - hit.z, 1e-5);

    // Restricting to faces gives the every-triangle answer over those faces.
    std::mt19937 rng(5);
    MIntArray faceIds;
    std::vector<TriangleRef> chosen;
    const MeshGeometry& g = shape->geometry();
    for (int f = 0; f < g.numPolygons(); f += 3) {
        faceIds.append(f);
        for (int k = 0; k < g.polygonSize(f) - 2; ++k)
            chosen.push_back(g.triangles()[g.firstTriangle(f) + k]);
    }
    std::uniform_real_distribution<float> u(-1.5f, 1.5f);
    for (int i = 0; i < 200; ++i) {
        const MFloatPoint source(u(rng), u(rng), 4);
        const MFloatVector direction(u(rng) * 0.2f, u(rng) * 0.2f, -1);
        const bool found =
            fn.closestIntersection(source, direction, &faceIds, nullptr, false, MSpace::kObject,
                                   100, true, nullptr, hit, &param, &face, &triangle, &b1, &b2);
        RayQuery q;
        q.source = {source.x, source.y, source.z};
        q.direction = {direction.x, direction.y, direction.z};
        q.maxParam = 100;
        q.bothDirections = true;
        q.tolerance = 1e-6f;
        RayHit expected;
        ASSERT_EQ(found, castRayOnTriangles(g, q, chosen, expected));
        if (found) {
            EXPECT_EQ(face, expected.face);
            EXPECT_EQ(face % 3, 0);
            EXPECT_EQ(param, float(expected.param));
        }
    }
    // triIds need faceIds of the same length.
    MIntArray triIds = ints({0});
    EXPECT_FALSE(fn.anyIntersection(MFloatPoint(0, 0, 5), MFloatVector(0, 0, -1), nullptr, &triIds,
                                    false, MSpace::kObject, 100, false, nullptr, hit, &param, &face,
                                    &triangle, &b1, &b2, 1e-6f, &status));
    EXPECT_EQ(status, MS::kInvalidParameter);
}

TEST_F(MeshApi, WorldSpaceRayHitsTheMovedMesh) {
    auto shape = movedPlane();
    MFnMesh fn(shape->handle());
    MFloatPoint hit;
    float param;
    int face;
    // World x = 11.5 is object x = 0.75: face 1 (row 0, column 1).
    ASSERT_TRUE(fn.closestIntersection(MFloatPoint(11.5f, 3, 0.5f), MFloatVector(0, -1, 0), nullptr,
                                       nullptr, false, MSpace::kWorld, 100, false, nullptr, hit,
                                       &param, &face, nullptr, nullptr, nullptr));
    EXPECT_EQ(face, 1);
    EXPECT_FLOAT_EQ(hit.x, 11.5f);
    EXPECT_FLOAT_EQ(hit.y, 0.0f);
    EXPECT_FLOAT_EQ(param, 3.0f);
    EXPECT_FALSE(fn.closestIntersection(MFloatPoint(0.75f, 3, 0.5f), MFloatVector(0, -1, 0),
                                        nullptr, nullptr, false, MSpace::kWorld, 100, false,
                                        nullptr, hit, &param, &face, nullptr, nullptr, nullptr));
}

TEST_F(MeshApi, UVAtPointInterpolatesThePlaneLayout) {
    auto shape = movedPlane(4, 4);
    MFnMesh fn(shape->handle());
    float2 uv;
    int polygon;
    MPoint p(0.3, 0.0, -0.6);
    ASSERT_TRUE(fn.getUVAtPoint(p, uv, MSpace::kObject, nullptr, &polygon));
    EXPECT_NEAR(uv[0], (0.3 + 1) / 2, 1e-6); // u = (x + w/2) / w
    EXPECT_NEAR(uv[1], (1 + 0.6) / 2, 1e-6); // v = (h/2 - z) / h
    EXPECT_EQ(polygon, 3 * 4 + 2);
    // Above the plane and in world space: the nearest surface point counts.
    MPoint above(10 + 2 * 0.3, 4.0, -0.6);
    ASSERT_TRUE(fn.getUVAtPoint(above, uv, MSpace::kWorld));
    EXPECT_NEAR(uv[0], 0.65, 1e-6);
    const MString other("uvSet2");
    EXPECT_FALSE(fn.getUVAtPoint(p, uv, MSpace::kObject, &other));
}

TEST_F(MeshApi, IteratorsWalkVerticesPolygonsAndEdges) {
    auto shape = movedPlane(2, 2);
    MDagPath path = MDagPath::of(shape);
    MItMeshVertex vertices(path);
    int n = 0;
    for (; !vertices.isDone(); vertices.next(), ++n) {
        MIntArray connected;
        vertices.getConnectedVertices(connected);
        if (vertices.index() == 4) {
            EXPECT_EQ(sorted(connected), (std::vector<int>{1, 3, 5, 7}));
            EXPECT_FALSE(vertices.onBoundary());
        }
        if (vertices.index() == 0) {
            EXPECT_EQ(sorted(connected), (std::vector<int>{1, 3}));
        }
        MVector normal;
        vertices.getNormal(normal);
        EXPECT_NEAR(normal.y, 1.0, 1e-6);
    }
    EXPECT_EQ(n, 9);
    int previous;
    ASSERT_TRUE(vertices.setIndex(8, previous));
    EXPECT_NEAR(vertices.position(MSpace::kWorld).x, 12.0, 1e-6);

    MItMeshPolygon polygons(shape->handle());
    EXPECT_EQ(polygons.count(), 4u);
    MIntArray faceVertices, neighbours;
    polygons.getVertices(faceVertices);
    EXPECT_EQ(faceVertices.items(), (std::vector<int>{0, 1, 4, 3}));
    polygons.getConnectedFaces(neighbours);
    EXPECT_EQ(neighbours.items(), (std::vector<int>{1, 2}));
    double area;
    polygons.getArea(area, MSpace::kWorld);
    EXPECT_NEAR(area, 2.0, 1e-9);

    MItMeshEdge edges(shape->handle());
    EXPECT_EQ(edges.count(), 12);
    int boundary = 0;
    for (; !edges.isDone(); edges.next()) {
        MIntArray faces;
        const int faceCount = edges.getConnectedFaces(faces);
        EXPECT_EQ(edges.onBoundary(), faceCount == 1);
        boundary += edges.onBoundary() ? 1 : 0;
    }
    EXPECT_EQ(boundary, 8);
}

TEST_F(MeshApi, ShapePlugsCarryMeshData) {
    auto shape = movedPlane();
    const PlugValue out = shape->storedValue({MeshShape::attributes().outMesh.get(), -1});
    const MObject data = std::get<MObject>(out);
    EXPECT_TRUE(data.hasFn(MFn::kMeshData));
    EXPECT_EQ(MFnMesh(data).numVertices(), 9);
    // worldMesh carries the points through the transform.
    const PlugValue world = shape->storedValue({MeshShape::attributes().worldMesh.get(), 0});
    MPoint p;
    MFnMesh(std::get<MObject>(world)).getPoint(8, p);
    EXPECT_NEAR(p.x, 12.0, 1e-6);
    MFnMesh(data).getPoint(8, p);
    EXPECT_NEAR(p.x, 1.0, 1e-6);
    // Setting inMesh replaces the geometry.
    auto cube = std::make_shared<MeshData>(makeCube(1, 1, 1, 1, 1, 1));
    shape->store({MeshShape::attributes().inMesh.get(), -1}, MObject(cube));
    EXPECT_EQ(MFnMesh(shape->handle()).numVertices(), 8);
    shape->store({MeshShape::attributes().intermediateObject.get(), -1}, 1.0);
    EXPECT_TRUE(shape->intermediate());
}

TEST_F(MeshApi, EditedPointsReachWhatTheShapeFeeds) {
    // A second shape fed by the first's outMesh follows its edits through the graph.
    auto source = movedPlane();
    auto follower = MeshShape::createWithTransform(MeshGeometry(), "", "follower");
    Graph& graph = Graph::instance();
    ASSERT_TRUE(graph.connect({source.get(), {MeshShape::attributes().outMesh.get(), -1}},
                              {follower.get(), {MeshShape::attributes().inMesh.get(), -1}}));
    MFnMesh fn(source->handle());
    EXPECT_EQ(MFnMesh(follower->handle()).numVertices(), 9);
    ASSERT_TRUE(fn.setPoint(4, MPoint(0, 3, 0)));
    MPoint p;
    MFnMesh(follower->handle()).getPoint(4, p);
    EXPECT_EQ(p.y, 3.0);
}

TEST_F(MeshApi, PointAtATimeEditsReachFollowersAtUpdateSurfaceOrTheNextGraphWork) {
    auto source = movedPlane();
    auto follower = MeshShape::createWithTransform(MeshGeometry(), "", "follower");
    Graph& graph = Graph::instance();
    const PlugId outMesh{MeshShape::attributes().outMesh.get(), -1};
    ASSERT_TRUE(graph.connect({source.get(), outMesh},
                              {follower.get(), {MeshShape::attributes().inMesh.get(), -1}}));
    MFnMesh fn(source->handle());
    // updateSurface closes a run of setPoint calls: the follower has them all.
    for (int v = 0; v < 9; ++v)
        ASSERT_TRUE(fn.setPoint(v, MPoint(v, 1.5, 0)));
    ASSERT_TRUE(fn.updateSurface());
    for (int v = 0; v < 9; ++v)
        EXPECT_EQ(follower->geometry().point(v).y, 1.5) << v;
    // Without updateSurface, the graph's next piece of work brings the follower along.
    ASSERT_TRUE(fn.setPoint(4, MPoint(0, -2, 0)));
    graph.evaluate(*follower, outMesh);
    EXPECT_EQ(follower->geometry().point(4).y, -2.0);
}

TEST_F(MeshApi, AShapeGoneWithAnUntoldEditLeavesTheGraphNothingToTell) {
    Graph& graph = Graph::instance();
    {
        auto lone = movedPlane();
        ASSERT_TRUE(MFnMesh(lone->handle()).setPoint(3, MPoint(0, 4, 0)));
        EXPECT_TRUE(graph.hasLater());
    }
    Scene::instance().clear(); // the last owner: the shape is destroyed here
    EXPECT_FALSE(graph.hasLater());
    graph.flushLater();
}

TEST_F(MeshApi, ConnectedVerticesFollowTheEdgeOrderOnEveryVertex) {
    // A sphere: quads, pole triangles, a seam, and poles with many neighbours.
    auto shape = MeshShape::createWithTransform(makeSphere(1.0, 9, 6), "", "pSphere");
    const MeshGeometry reference(shape->geometry()); // shares the polygons, not the walk
    const MeshTopology& edges = reference.topology();
    MItMeshVertex it(shape->handle());
    MIntArray list;
    list.append(-7); // whatever the array held goes
    int walked = 0;
    for (; !it.isDone(); it.next(), ++walked) {
        const int v = it.index();
        ASSERT_TRUE(it.getConnectedVertices(list));
        std::vector<int> expected;
        for (int e : edges.vertexEdges(v)) {
            const auto& ends = edges.edge(e);
            expected.push_back(ends.first == v ? ends.second : ends.first);
        }
        EXPECT_EQ(list.items(), expected) << "vertex " << v;
    }
    EXPECT_EQ(walked, shape->geometry().numVertices());
}

TEST_F(MeshApi, IteratorsKeepToAComponentAndRefuseDataWorldSpace) {
    auto shape = movedPlane(2, 2);
    auto component = std::make_shared<Component>(MFn::kMeshVertComponent);
    component->add(7);
    component->add(2);
    MItMeshVertex some(MDagPath::of(shape), MObject(component));
    std::vector<int> seen;
    for (; !some.isDone(); some.next())
        seen.push_back(some.index());
    EXPECT_EQ(seen, (std::vector<int>{7, 2}));
    int previous;
    EXPECT_EQ(some.setIndex(3, previous), MS::kInvalidParameter); // not in the component

    MFnMeshData dataFn;
    MObject data = dataFn.create();
    MFnMesh().copy(shape->handle(), data);
    MItMeshVertex onData(data);
    MStatus status;
    onData.position(MSpace::kWorld, &status);
    EXPECT_EQ(status, MS::kInvalidParameter);
    EXPECT_TRUE(onData.position(MSpace::kObject, &status) == MPoint(-1, 0, 1));

    MStatus notMesh;
    MItMeshPolygon polygons(shape->parent()->handle(), &notMesh);
    EXPECT_EQ(notMesh, MS::kInvalidParameter);
    EXPECT_TRUE(polygons.isDone());
}

TEST_F(MeshApi, CreateWithUVsAndNearestPoint) {
    MFloatPointArray points = quadPoints();
    MFloatArray us, vs;
    for (float u : {0.0f, 0.5f, 0.5f, 0.0f, 1.0f, 1.0f})
        us.append(u);
    for (float v : {0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f})
        vs.append(v);
    MFnMesh fn;
    MStatus status;
    fn.create(6, 2, points, ints({4, 4}), ints({0, 1, 2, 3, 1, 4, 5, 2}), us, vs, MObject::kNullObj,
              &status);
    ASSERT_TRUE(status);
    float u, v;
    ASSERT_TRUE(fn.getPolygonUV(1, 2, u, v)); // face 1's third corner is vertex 5
    EXPECT_EQ(u, 1.0f);
    EXPECT_EQ(v, 1.0f);
    float2 uv;
    MPoint at(1.5, 0.0, -0.25);
    ASSERT_TRUE(fn.getUVAtPoint(at, uv));
    EXPECT_NEAR(uv[0], 0.75, 1e-6);
    EXPECT_NEAR(uv[1], 0.25, 1e-6);
    MPoint nearest;
    int polygon;
    ASSERT_TRUE(fn.getClosestPoint(MPoint(3, 2, -0.5), nearest, MSpace::kObject, &polygon));
    EXPECT_EQ(polygon, 1);
    EXPECT_NEAR(nearest.x, 2.0, 1e-6);
    EXPECT_NEAR(nearest.y, 0.0, 1e-6);
}
