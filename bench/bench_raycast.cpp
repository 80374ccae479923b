// Ray casts on a 1,000,000-vertex grid, the size of a heavy sculpt: the time per ray that a
// brush pays a few times per mouse sample, and the one-off cost of the hierarchy.
#include <maya/MFnMesh.h>

#include "mesh/MeshData.h"
#include "mesh/MeshGenerators.h"
#include "mesh/MeshQueries.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

using namespace rvhost;

namespace {

constexpr int kSide = 999; // (999 + 1)^2 = 1,000,000 vertices, 1,996,002 triangles

// A rolling grid 100 units wide, so rays meet slopes and not one flat plane.
MeshGeometry rollingGrid() {
    MeshGeometry mesh = makePlane(100.0, 100.0, kSide, kSide);
    std::vector<float> xyz = mesh.points();
    for (size_t i = 0; i < xyz.size(); i += 3)
        xyz[i + 1] = float(2.0 * std::sin(xyz[i] * 0.3) * std::cos(xyz[i + 2] * 0.2));
    mesh.setPoints(xyz);
    return mesh;
}

const MObject& gridData() {
    static const MObject data(std::make_shared<MeshData>(rollingGrid()));
    return data;
}

struct Ray {
    MFloatPoint source;
    MFloatVector direction;
};

// Rays from a camera above the grid towards random points on it, as cursor rays run.
const std::vector<Ray>& rays() {
    static const std::vector<Ray> list = [] {
        std::mt19937 rng(1);
        std::uniform_real_distribution<float> across(-40.0f, 40.0f);
        std::vector<Ray> r(4096);
        for (Ray& ray : r) {
            ray.source = MFloatPoint(0.0f, 80.0f, 60.0f);
            ray.direction = MFloatVector(across(rng), -80.0f, across(rng) - 60.0f);
            ray.direction.normalize();
        }
        return r;
    }();
    return list;
}

void castOnce(MFnMesh& mesh, const Ray& ray, benchmark::State& state) {
    MFloatPoint hit;
    float param, b1, b2;
    int face, triangle;
    const bool found = mesh.closestIntersection(ray.source, ray.direction, nullptr, nullptr, false,
                                                MSpace::kObject, 999999.0f, false, nullptr, hit,
                                                &param, &face, &triangle, &b1, &b2, 0.1f);
    if (!found) state.SkipWithError("a ray missed the grid");
    benchmark::DoNotOptimize(hit);
}

void closestIntersection(benchmark::State& state) {
    MFnMesh mesh(gridData());
    castOnce(mesh, rays()[0], state); // the hierarchy is built outside the timing
    size_t i = 0;
    for (auto _ : state)
        castOnce(mesh, rays()[i++ % rays().size()], state);
    state.SetLabel("per ray");
}
BENCHMARK(closestIntersection)->Unit(benchmark::kMicrosecond);

void closestIntersectionEveryTriangle(benchmark::State& state) {
    const MeshGeometry& geometry =
        std::static_pointer_cast<MeshData>(gridData().object())->geometry;
    size_t i = 0;
    for (auto _ : state) {
        const Ray& ray = rays()[i++ % rays().size()];
        RayQuery q;
        q.source = {ray.source.x, ray.source.y, ray.source.z};
        q.direction = {ray.direction.x, ray.direction.y, ray.direction.z};
        q.maxParam = 999999.0;
        q.tolerance = 0.1;
        RayHit hit;
        benchmark::DoNotOptimize(castRayEveryTriangle(geometry, q, hit));
    }
    state.SetLabel("per ray, the plain loop");
}
BENCHMARK(closestIntersectionEveryTriangle)->Unit(benchmark::kMillisecond)->Iterations(20);

// Building the hierarchy from nothing, then one cast.
void buildHierarchy(benchmark::State& state) {
    MFnMesh mesh(gridData());
    for (auto _ : state) {
        mesh.freeCachedIntersectionAccelerator();
        castOnce(mesh, rays()[0], state);
    }
}
BENCHMARK(buildHierarchy)->Unit(benchmark::kMillisecond)->Iterations(5);

// After points move (a stroke's write-back): setPoints, then the refit on the next cast.
void refitAfterSetPoints(benchmark::State& state) {
    MFnMesh mesh(gridData());
    MFloatPointArray points;
    mesh.getPoints(points);
    castOnce(mesh, rays()[0], state);
    for (auto _ : state) {
        points[0].y += 0.001f;
        mesh.setPoints(points);
        castOnce(mesh, rays()[1], state);
    }
}
BENCHMARK(refitAfterSetPoints)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
