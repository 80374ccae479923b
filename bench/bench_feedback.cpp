// Cost of the brush feedback on a 1,000,000-vertex grid (1,996,002 triangles) whose brush
// reaches about 1% of the vertices. "points/" works out one frame's drawn points and
// colours directly, walking only the vertices near the brush and, for comparison, every
// vertex; "snapshot/" draws a 640 x 480 picture of the whole grid through the host as
// hostView -snapshot does, without the tool and with the built plug-in's hover feedback
// in either OpenGL renderer.
#include "display/KVBrushFeedback.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/RVMeshData.h"

#include "BenchHost.h"
#include "graph/PluginNodes.h"

#include <maya/MFloatArray.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPxNode.h>
#include <maya/MRampAttribute.h>
#include <maya/MSelectionList.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
// Grid of 100 x 100 units; radius 5.64 covers pi r^2 = 100 units^2, 1% of it.
constexpr double kRadius = 5.64;

// Holds a curve ramp for the fall-off, as the manipulator does.
class RampHolder : public MPxNode {
public:
    static MObject ramp;
    static void* creator() { return new RampHolder; }
    static MStatus initialize() {
        ramp = MRampAttribute::createCurveRamp("fallOffRamp", "fo");
        return addAttribute(ramp);
    }
};
MObject RampHolder::ramp;

struct Scene {
    Scene() {
        startHostWithStagedPlugin();
        MGlobal::executeCommand("file -f -new");
        MGlobal::executeCommand("polyPlane -w 100 -h 100 -sx 999 -sy 999 -n grid");
        MGlobal::executeCommand("hostView -camera 0 100 0 0 0 0 0 0 -1 -ortho 120 -size 640 480");
        MSelectionList list;
        list.add("gridShape");
        list.getDagPath(0, record.meshPath);
        record.buildMeshRecord();
        record.instanceCentres.append(MPoint(10.3, 0.0, -7.1));
        record.instanceCount = 1;
        // A stroke's worth of touched vertices, 1% of the grid, and 1% masked elsewhere.
        for (int row = 0; row < 100; ++row)
            for (int column = 0; column < 100; ++column) {
                record.strokeTouched[row * 1000 + column] = 1;
                record.maskFlag[(row + 500) * 1000 + column] = true;
                record.maskWeight[(row + 500) * 1000 + column] = 0.5;
            }
        rvhost::registerPluginNode("benchRampHolder", MTypeId(0x7f0b1), RampHolder::creator,
                                   RampHolder::initialize, MPxNode::kDependNode, "");
        MFnDependencyNode fn;
        fallOff = MRampAttribute(fn.create("benchRampHolder"), RampHolder::ramp);
        MFloatArray positions, values;
        MIntArray interps;
        positions.append(0.0f);
        values.append(1.0f);
        interps.append(1);
        positions.append(1.0f);
        values.append(0.0f);
        interps.append(1);
        fallOff.addEntries(positions, values, interps);
        state.radius = kRadius;
    }
    RVMeshData record;
    KVPSCtxData state;
    MRampAttribute fallOff;
};

Scene& scene() {
    static Scene s;
    return s;
}

void points(benchmark::State& bench, bool stroke, bool useMask, bool everyVertex) {
    Scene& s = scene();
    s.state.strokeActive = stroke;
    s.state.useMask = useMask;
    KVBrushFeedback feedback(s.state, s.record, s.fallOff);
    const auto walk =
        everyVertex ? KVBrushFeedback::Walk::kEveryVertex : KVBrushFeedback::Walk::kNearBrush;
    std::vector<KVFeedbackPoint> drawn;
    for (auto _ : bench) {
        feedback.collectPoints(drawn, walk);
        benchmark::DoNotOptimize(drawn.data());
    }
    bench.counters["points"] = static_cast<double>(drawn.size());
}

const std::string& picture() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / "ravelin_bench_feedback.png").string();
    return path;
}

// The grid alone, as a picture of the scene costs before any tool draws.
void snapshotPlain(benchmark::State& bench) {
    scene();
    MGlobal::executeCommand("setToolTo selectSuperContext");
    MGlobal::executeCommand("hostView -renderer legacy");
    for (auto _ : bench)
        MGlobal::executeCommand(MString("hostView -snapshot \"") + picture().c_str() + "\"");
}

// The built plug-in's tool hovering over the grid, drawn by the given renderer.
void snapshotHover(benchmark::State& bench, const char* renderer) {
    scene();
    static const bool loaded = [] {
        MGlobal::setOptionVarValue("RVOption_radius", kRadius);
        MGlobal::setOptionVarValue("RVOption_fallOffRamp", MString("1,0,1,0,1,1"));
        return MGlobal::executeCommand("loadPlugin Ravelin") &&
               MGlobal::executeCommand("RavelinContext rvBench") &&
               MGlobal::executeCommand("setToolTo rvBench") &&
               MGlobal::executeCommand("RavelinContext -e -add grid rvBench") &&
               MGlobal::executeCommand("hostMouse -move 400 250");
    }();
    if (!loaded) {
        bench.SkipWithError("the plug-in's tool could not be set up");
        return;
    }
    MGlobal::executeCommand(MString("hostView -renderer ") + renderer);
    for (auto _ : bench)
        MGlobal::executeCommand(MString("hostView -snapshot \"") + picture().c_str() + "\"");
}

void frames(benchmark::internal::Benchmark* b) {
    b->Iterations(50)->Unit(benchmark::kMillisecond);
}
void pictures(benchmark::internal::Benchmark* b) {
    b->Iterations(5)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
}
} // namespace

BENCHMARK_CAPTURE(points, hover_nearBrush, false, false, false)->Apply(frames);
BENCHMARK_CAPTURE(points, hover_everyVertex, false, false, true)->Apply(frames);
BENCHMARK_CAPTURE(points, hoverMask_nearBrush, false, true, false)->Apply(frames);
BENCHMARK_CAPTURE(points, hoverMask_everyVertex, false, true, true)->Apply(frames);
BENCHMARK_CAPTURE(points, strokeMask_nearBrush, true, true, false)->Apply(frames);
BENCHMARK_CAPTURE(points, strokeMask_everyVertex, true, true, true)->Apply(frames);

BENCHMARK(snapshotPlain)->Apply(pictures);
BENCHMARK_CAPTURE(snapshotHover, legacy, "legacy")->Apply(pictures);
BENCHMARK_CAPTURE(snapshotHover, vp2, "vp2")->Apply(pictures);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    scene(); // the million-vertex grid is built once, outside every measurement
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
