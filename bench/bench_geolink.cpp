// Linked meshes at up to a million vertices.
// "match/N": RVPolyCompare's matching alone: the nearest-vertex index built over N random
// points and N random queries answered (counter "indexPerPoints": the index's bytes over
// the second mesh's own points, three floats each); "matchBuild" and "matchQueries" are
// its two halves. "matchThroughHost/N": the command run by script on
// two grid planes of about N vertices each, reading the points and returning the list.
// "deform": RVGeoLink::deform alone on a 1,000,000-vertex child, its inputs evaluated.
// "linkUpdate": the whole update after one parent vertex moves: the host pulls the child,
// which evaluates the link (the host's copies of the geometry included).
#include "commands/RVNearestVertex.h"

#include "BenchHost.h"

#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>
#include <maya/MDoubleArray.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MFnMesh.h>
#include <maya/MFnMeshData.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MItGeometry.h>
#include <maya/MMatrix.h>
#include <maya/MPlug.h>
#include <maya/MPxDeformerNode.h>
#include <maya/MSelectionList.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace {

MPointArray randomCloud(unsigned int n, unsigned int seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> u(-50.0f, 50.0f);
    MPointArray points(n);
    for (unsigned int i = 0; i < n; ++i)
        points[i] = MPoint(u(rng), u(rng), u(rng));
    return points;
}

void match(benchmark::State& bench) {
    const unsigned int n = static_cast<unsigned int>(bench.range(0));
    const MPointArray first = randomCloud(n, 1), second = randomCloud(n, 2);
    double bytes = 0.0;
    for (auto _ : bench) {
        const RVNearestVertex index(second);
        const MIntArray matches = index.nearestOfEach(first);
        bytes = static_cast<double>(index.memoryUsed());
        benchmark::DoNotOptimize(matches[n - 1]);
    }
    bench.counters["indexPerPoints"] = bytes / (12.0 * n);
}

// The two halves of "match": building the index, and answering the queries.
void matchBuild(benchmark::State& bench) {
    const unsigned int n = static_cast<unsigned int>(bench.range(0));
    const MPointArray second = randomCloud(n, 2);
    for (auto _ : bench) {
        const RVNearestVertex index(second);
        benchmark::DoNotOptimize(index.memoryUsed());
    }
}

void matchQueries(benchmark::State& bench) {
    const unsigned int n = static_cast<unsigned int>(bench.range(0));
    const MPointArray first = randomCloud(n, 1), second = randomCloud(n, 2);
    const RVNearestVertex index(second);
    for (auto _ : bench) {
        const MIntArray matches = index.nearestOfEach(first);
        benchmark::DoNotOptimize(matches[n - 1]);
    }
}

bool startWithPlugin() {
    static const bool loaded = [] {
        startHostWithStagedPlugin();
        return static_cast<bool>(MGlobal::executeCommand("loadPlugin Ravelin"));
    }();
    return loaded;
}

// Two overlapping grids of about n vertices whose rows and columns differ by one.
void matchThroughHost(benchmark::State& bench) {
    if (!startWithPlugin()) return bench.SkipWithError("the plug-in did not load");
    const int side = bench.range(0) == 1000000 ? 999 : 315;
    MGlobal::executeCommand("file -f -new");
    MGlobal::executeCommand(MString("polyPlane -w 100 -h 100 -sx ") + side + " -sy " + (side + 1) +
                            " -n first");
    MGlobal::executeCommand(MString("polyPlane -w 100 -h 100 -sx ") + (side + 1) + " -sy " + side +
                            " -n second");
    MIntArray matches;
    for (auto _ : bench)
        MGlobal::executeCommand("RVPolyCompare -mv first second", matches);
    bench.counters["vertices"] = matches.length();
}

MObject dependNode(const char* name) {
    MSelectionList list;
    list.add(name);
    MObject node;
    list.getDependNode(0, node);
    return node;
}

// A million-vertex child linked to a parent of the same grid, vertex k to vertex k.
struct LinkedScene {
    LinkedScene() {
        ready = startWithPlugin();
        for (const char* command :
             {"file -f -new", "polyPlane -w 100 -h 100 -sx 999 -sy 999 -n parent",
              "polyPlane -w 100 -h 100 -sx 999 -sy 999 -n child",
              "deformer -type RVGeoLink -n link child", "createNode transform -n holder",
              "addAttr -ln ids -dt Int32Array holder",
              "connectAttr parentShape.outMesh link.parentGeometryIn",
              "connectAttr holder.ids link.matchedVtxIdsIn[0]"})
            ready = ready && MGlobal::executeCommand(command);
        MIntArray ids(1000000, 0);
        for (unsigned int k = 0; k < ids.length(); ++k)
            ids[k] = static_cast<int>(k);
        MFnIntArrayData data;
        ready = ready &&
                MFnDependencyNode(dependNode("holder")).findPlug("ids").setValue(data.create(ids));
    }
    bool ready = false;
};

LinkedScene& linkedScene() {
    static LinkedScene scene;
    return scene;
}

void deform(benchmark::State& bench) {
    if (!linkedScene().ready) return bench.SkipWithError("the linked scene could not be made");
    MObject link = dependNode("link");
    auto* deformer = dynamic_cast<MPxDeformerNode*>(MFnDependencyNode(link).userNode());
    if (!deformer) return bench.SkipWithError("no deformer");
    // The child's geometry as the host hands it to deform: a copy of the original.
    MFnMeshData meshData;
    MObject geometry = meshData.create();
    MFnMesh().copy(MFnDependencyNode(dependNode("childShapeOrig")).findPlug("outMesh").asMObject(),
                   geometry);
    MDataHandle handle;
    handle.load(0.0, MString(), geometry);
    MDataBlock block(*deformer->hostNode());
    MStatus status;
    for (auto _ : bench) {
        MItGeometry iter(handle, false);
        status = deformer->deform(block, iter, MMatrix(), 0);
    }
    if (!status) bench.SkipWithError("deform failed");
}

void linkUpdate(benchmark::State& bench) {
    if (!linkedScene().ready) return bench.SkipWithError("the linked scene could not be made");
    MGlobal::executeCommand("undoInfo -state off");
    int k = 0;
    for (auto _ : bench)
        MGlobal::executeCommand(MString("move -r -os 0 ") + (++k % 2 ? "0.5" : "-0.5") +
                                " 0 parent.vtx[500500]");
    MGlobal::executeCommand("undoInfo -state on");
    MDoubleArray parent, child;
    MGlobal::executeCommand("pointPosition -l parent.vtx[500500]", parent);
    MGlobal::executeCommand("pointPosition -l child.vtx[500500]", child);
    if (parent.length() != 3 || child.length() != 3 || parent[1] != child[1])
        bench.SkipWithError("the child did not follow");
}

} // namespace

BENCHMARK(match)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(matchBuild)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(matchQueries)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(matchThroughHost)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(deform)->Unit(benchmark::kMillisecond);
BENCHMARK(linkUpdate)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
