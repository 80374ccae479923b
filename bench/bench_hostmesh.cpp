// The host's own costs on a 1,000,000-vertex plane (the size of a heavy sculpt): making it,
// the adjacency and normals a plug-in's first read builds, the ray index a first cast
// builds, and the realtime write-back of one dab (10,000 setPoint calls, updateSurface, and
// the reads that bring normals and index up to date afterwards).
#include <maya/MFnMesh.h>
#include <maya/MItMeshVertex.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>

#include "mesh/MeshGenerators.h"
#include "mesh/MeshShape.h"
#include "scene/Scene.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace rvhost;

namespace {

constexpr int kSide = 999; // (999 + 1)^2 = 1,000,000 vertices, 998,001 quads
constexpr int kDabVertices = 10000;

MeshGeometry plane() {
    return makePlane(100.0, 100.0, kSide, kSide);
}

// The same polygons under a layout of their own, so that nothing derived is shared yet.
MeshGeometry freshLayout(const MeshGeometry& from) {
    MeshGeometry mesh;
    mesh.setMesh(from.points(), from.counts(), from.connects());
    return mesh;
}

void makePlaneMesh(benchmark::State& state) {
    for (auto _ : state) {
        MeshGeometry mesh = plane();
        benchmark::DoNotOptimize(mesh.points().data());
    }
}
BENCHMARK(makePlaneMesh)->Unit(benchmark::kMillisecond)->Iterations(5);

// One adjacency part built from nothing; the copy of the polygons is left out of the timing.
template <typename Build> void buildPart(benchmark::State& state, Build build) {
    const MeshGeometry source = plane();
    for (auto _ : state) {
        state.PauseTiming();
        MeshGeometry mesh = freshLayout(source);
        state.ResumeTiming();
        build(mesh);
    }
}

void neighbours(benchmark::State& state) {
    buildPart(state, [](const MeshGeometry& m) { benchmark::DoNotOptimize(m.topology().neighbours(0)); });
}
BENCHMARK(neighbours)->Unit(benchmark::kMillisecond)->Iterations(5);

void vertexFaces(benchmark::State& state) {
    buildPart(state, [](const MeshGeometry& m) { benchmark::DoNotOptimize(m.topology().vertexFaces(0)); });
}
BENCHMARK(vertexFaces)->Unit(benchmark::kMillisecond)->Iterations(5);

void edges(benchmark::State& state) {
    buildPart(state, [](const MeshGeometry& m) { benchmark::DoNotOptimize(m.numEdges()); });
}
BENCHMARK(edges)->Unit(benchmark::kMillisecond)->Iterations(5);

void wholeNormals(benchmark::State& state) {
    buildPart(state, [](const MeshGeometry& m) { benchmark::DoNotOptimize(m.vertexNormals().data()); });
}
BENCHMARK(wholeNormals)->Unit(benchmark::kMillisecond)->Iterations(5);

void indexBuild(benchmark::State& state) {
    const MeshGeometry mesh = plane();
    RayQuery down{{0.3, 10.0, 0.2}, {0.0, -1.0, 0.0}, 100.0, false, 0.0};
    for (auto _ : state) {
        mesh.dropAccelerator();
        RayHit hit;
        if (!mesh.castRay(down, hit)) state.SkipWithError("the ray missed the plane");
    }
}
BENCHMARK(indexBuild)->Unit(benchmark::kMillisecond)->Iterations(5);

// A plane in the scene, with normals and ray index made, as a registered mesh has them.
struct SceneShape {
    SceneShape() {
        Scene::instance().clear();
        shape = MeshShape::createWithTransform(plane(), "benchPlane", "pPlane");
        const MeshGeometry& g = shape->geometry();
        g.vertexNormals();
        RayHit hit;
        g.castRay({{0.3, 10.0, 0.2}, {0.0, -1.0, 0.0}, 100.0, false, 0.0}, hit);
        // A dab's worth of vertices: a square patch in the middle of the plane.
        for (int r = 450; r < 550; ++r)
            for (int c = 450; c < 550; ++c)
                dab.push_back(r * (kSide + 1) + c);
    }
    ~SceneShape() { Scene::instance().clear(); }
    std::shared_ptr<MeshShape> shape;
    std::vector<int> dab;
};

// setPoint on every vertex of a dab, then updateSurface: the realtime write-back as the
// plug-in makes it (the new points are at hand; one call a vertex).
void setPointDab(benchmark::State& state) {
    SceneShape scene;
    MFnMesh fn(scene.shape->handle());
    std::vector<MPoint> points(scene.dab.size());
    for (size_t i = 0; i < scene.dab.size(); ++i)
        fn.getPoint(scene.dab[i], points[i]);
    for (auto _ : state) {
        for (MPoint& p : points)
            p.y += 0.001;
        for (size_t i = 0; i < scene.dab.size(); ++i)
            fn.setPoint(scene.dab[i], points[i], MSpace::kObject);
        fn.updateSurface();
        state.PauseTiming();
        scene.shape->geometry().vertexNormals(); // the reads come after, timed below
        state.ResumeTiming();
    }
    state.SetLabel("10,000 setPoint, updateSurface");
}
BENCHMARK(setPointDab)->Unit(benchmark::kMillisecond)->Iterations(50);

// The first reads after a dab's setPoint calls: normals and ray index brought up to date
// about the moved vertices alone.
void readsAfterDab(benchmark::State& state) {
    SceneShape scene;
    MFnMesh fn(scene.shape->handle());
    double lift = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        lift += 0.001;
        for (int v : scene.dab) {
            MPoint p;
            fn.getPoint(v, p);
            p.y = lift;
            fn.setPoint(v, p);
        }
        fn.updateSurface();
        state.ResumeTiming();
        MVector n;
        fn.getVertexNormal(scene.dab[0], false, n);
        MFloatPoint hit;
        fn.closestIntersection(MFloatPoint(0.3f, 10.0f, 0.2f), MFloatVector(0.0f, -1.0f, 0.0f),
                               nullptr, nullptr, false, MSpace::kObject, 100.0f, false, nullptr,
                               hit, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    state.SetLabel("normals and ray index after 10,000 moved");
}
BENCHMARK(readsAfterDab)->Unit(benchmark::kMillisecond)->Iterations(200);

// What a plug-in's record build reads: every vertex's neighbours through MItMeshVertex.
void connectedVerticesWalk(benchmark::State& state) {
    SceneShape scene;
    for (auto _ : state) {
        MItMeshVertex it(scene.shape->handle());
        MIntArray list;
        size_t total = 0;
        for (; !it.isDone(); it.next()) {
            it.getConnectedVertices(list);
            total += list.length();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(connectedVerticesWalk)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
