// Cost of one sculpt dab on a 1,000,000-vertex grid whose brush reaches about 1% of the
// vertices: Displace, Displace with all three mirror planes (8 instances) and Smooth.
// "dabs/" calls the stroke code directly, through the grid index and through the
// whole-mesh reference loop; "contextDrags/" drives the built plug-in's tool with hostMouse
// drags (press before, release after the measurement), the host's falloff ramp included.
// Every iteration is one drag sample of a stroke that zigzags over the grid.
#include "sculpt/KVDabPass.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/KVStroke.h"
#include "sculpt/RVMeshData.h"
#include "services/KVStencil.h"

#include "app/Startup.h"

#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {
// Grid of 100 x 100 units; radius 5.64 covers pi r^2 = 100 units^2, 1% of it.
constexpr double kRadius = 5.64;
// Dabs a run: ten passes to and fro. A fixed count makes every run (and repetition) the
// same strokes on the same flat grid.
constexpr int kDabs = 400;

class BenchServices : public KVSculptServices {
public:
    RVMeshData* record = nullptr;
    MStatus selectRecordById(const MString&) override { return MS::kSuccess; }
    RVMeshData* currentRecord() override { return record; }
    std::vector<RVMeshData*> inModelRecords() override { return {record}; }
    bool manipulatorExists() override { return true; }
    float evalFallOff(float position) override { return 1.0f - position; }
};

struct Scene {
    Scene() {
        rvhost::startHost();
        // The plug-in finds its install folder (the stage) through the registry stand-in.
        const std::string registry = std::string(RAVELIN_STAGE_DIR) + "/bench_registry.ini";
        std::ofstream(registry) << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tolvenic\\Ravelin3Dv1x64]\n"
                                << "InstallPath=sz:" RAVELIN_STAGE_DIR "/\n";
        setenv("RVHOST_REGISTRY", registry.c_str(), 1);
        setenv("RVHOST_PLUGIN_PATH", RAVELIN_STAGE_DIR "/lib", 1);
        MGlobal::executeCommand("file -f -new");
        MGlobal::executeCommand("polyPlane -w 100 -h 100 -sx 999 -sy 999 -n grid");
        MGlobal::executeCommand("addAttr -ln RavelinSculptID -sn rvId -dt \"string\" gridShape");
        MGlobal::executeCommand("setAttr -type \"string\" gridShape.rvId \"bench\"");
        MGlobal::executeCommand("hostView -camera 0 100 0 0 0 0 0 0 -1");
        MGlobal::executeCommand("hostView -ortho 120");
        MGlobal::executeCommand("hostView -size 1200 900");
        MSelectionList list;
        list.add("gridShape");
        list.getDagPath(0, record.meshPath);
        MFnMesh(record.meshPath).getPoints(flatPoints);
        record.buildMeshRecord();
        services.record = &record;
        state.setUp = true;
        state.radius = kRadius;
        state.spacing = 0.0;
        // The first ray cast builds the host's ray index, once for the whole run.
        state.mode = kNoDeform;
        KVCursorSample centre;
        centre.x = 600;
        centre.y = 450;
        KVStroke(state, services).applyDab(centre);
    }
    // Every run starts from the flat grid.
    void flatten() {
        MFnMesh(record.meshPath).setPoints(flatPoints);
        record.buildMeshRecord();
    }
    MPointArray flatPoints;
    RVMeshData record;
    BenchServices services;
    KVPSCtxData state;
};

Scene& scene() {
    static Scene s;
    return s;
}

void dabs(benchmark::State& bench, int mode, int reflectCode, bool wholeMesh) {
    Scene& s = scene();
    s.flatten();
    s.state.mode = mode;
    s.state.reflectCode = reflectCode;
    KVDabPass::wholeMeshWalk() = wholeMesh;
    KVStroke stroke(s.state, s.services);
    KVCursorSample sample;
    int k = 0;
    double reached = 0.0;
    for (auto _ : bench) {
        // 10 pixels apart (1 unit) along x, to and fro between x = 10 and 20 at z = 11,
        // raising and then lowering each spot so that the surface stays near the plane.
        const int step = (k++ / 2) % 20;
        sample.x = static_cast<short>(700 + 10 * (step < 10 ? step : 20 - step));
        sample.y = 450 - 110;
        sample.control = k % 2 == 0;
        stroke.applyDab(sample);
        reached += static_cast<double>(s.record.lastDabVertices.size());
    }
    KVDabPass::wholeMeshWalk() = false;
    s.record.settleObjectPoints();
    if (!wholeMesh) bench.counters["reached"] = reached / std::max(k, 1);
}
// The same strokes through the tool: the plug-in's context picks and strokes the grid.
// The plug-in loaded once and its tool "rvBench" picked on the grid.
bool toolLoaded() {
    static const bool loaded = [] {
        const bool ok = MGlobal::executeCommand("loadPlugin Ravelin") &&
                        MGlobal::executeCommand("RavelinContext rvBench") &&
                        MGlobal::executeCommand("setToolTo rvBench") &&
                        MGlobal::executeCommand("RavelinContext -e -add grid rvBench");
        MGlobal::setOptionVarValue("RVOption_radius", kRadius);
        MGlobal::setOptionVarValue("RVOption_spacing", 0.0);
        MGlobal::setOptionVarValue("RVOption_fallOffRamp", MString("1,0,1,0,1,1"));
        return ok;
    }();
    return loaded;
}
void contextDrags(benchmark::State& bench, int mode, int reflectCode) {
    Scene& s = scene();
    if (!toolLoaded()) {
        bench.SkipWithError("the plug-in's tool could not be set up");
        return;
    }
    s.flatten();
    MGlobal::setOptionVarValue("RVOption_mode", mode);
    MGlobal::setOptionVarValue("RVOption_reflectAxisX", reflectCode == 7 ? 1 : 0);
    MGlobal::setOptionVarValue("RVOption_reflectAxisY", reflectCode == 7 ? 1 : 0);
    MGlobal::setOptionVarValue("RVOption_reflectAxisZ", reflectCode == 7 ? 1 : 0);
    MGlobal::executeCommand("hostMouse -press 700 340");
    int k = 0;
    for (auto _ : bench) {
        const int step = (++k / 2) % 20;
        const int x = 700 + 10 * (step < 10 ? step : 20 - step);
        MGlobal::executeCommand(MString("hostMouse -drag ") + x + " 340" +
                                (k % 2 == 0 ? " -ctrl" : ""));
    }
    MGlobal::executeCommand("hostMouse -release 700 340");
}
// A 64 x 64 checkered picture on a plane below the grid, covering it (the view rays are
// followed both ways; above the grid it would take the presses meant for the grid).
std::string stencilPicture() {
    static const std::string file = [] {
        const std::string path = std::string(RAVELIN_STAGE_DIR) + "/bench_stencil.pgm";
        std::ofstream out(path);
        out << "P2\n64 64\n255\n";
        for (int r = 0; r < 64; ++r)
            for (int c = 0; c < 64; ++c)
                out << (((r / 8 + c / 8) % 2) ? 255 : 64) << (c == 63 ? "\n" : " ");
        MGlobal::executeCommand("polyPlane -w 120 -h 120 -sx 1 -sy 1 -n benchStencil");
        MGlobal::executeCommand("move -r 0 -50 0 benchStencil");
        return path;
    }();
    return file;
}

// The dab's stencil questions answered by the stencil itself.
class StencilServices : public BenchServices {
public:
    bool stencilActive() override { return true; }
    double stencilSample(const MPoint& world) override {
        return KVStencil::instance().stencilFactor(world);
    }
};

void stencilDabs(benchmark::State& bench) {
    Scene& s = scene();
    KVStencil& stencil = KVStencil::instance();
    if (!stencil.setupStencil("benchStencil", stencilPicture().c_str()) || !stencil.isReady()) {
        bench.SkipWithError("the stencil could not be set up");
        return;
    }
    s.flatten();
    s.state.mode = kDisplace;
    s.state.reflectCode = 0;
    StencilServices services;
    services.record = &s.record;
    KVStroke stroke(s.state, services);
    KVCursorSample sample;
    int k = 0;
    for (auto _ : bench) {
        const int step = (k++ / 2) % 20;
        sample.x = static_cast<short>(700 + 10 * (step < 10 ? step : 20 - step));
        sample.y = 450 - 110;
        sample.control = k % 2 == 0;
        stroke.applyDab(sample);
    }
    s.record.settleObjectPoints();
}

// The same through the tool, the stencil set up from its option variables.
void stencilContextDrags(benchmark::State& bench) {
    MGlobal::setOptionVarValue("RVOption_useStencil", 1);
    MGlobal::setOptionVarValue("RVOption_stencilPolyNode", MString("benchStencil"));
    MGlobal::setOptionVarValue("RVOption_stencilImageFile", MString(stencilPicture().c_str()));
    if (!toolLoaded() || !MGlobal::executeCommand("RavelinContext -e -stencil -setup rvBench")) {
        bench.SkipWithError("the plug-in's tool could not be set up");
        return;
    }
    contextDrags(bench, kDisplace, 0);
    MGlobal::setOptionVarValue("RVOption_useStencil", 0);
}

// Every run is kDabs dabs, timed in milliseconds a dab.
void dabRun(benchmark::internal::Benchmark* b) {
    b->Iterations(kDabs)->Unit(benchmark::kMillisecond);
}
} // namespace

BENCHMARK_CAPTURE(dabs, displace_indexed, kDisplace, 0, false)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, displace_wholeMesh, kDisplace, 0, true)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, displace8_indexed, kDisplace, 7, false)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, displace8_wholeMesh, kDisplace, 7, true)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, smooth_indexed, kSmooth, 0, false)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, smooth_wholeMesh, kSmooth, 0, true)->Apply(dabRun);
// What a dab costs before its vertex pass: selection query, ray cast, instances.
BENCHMARK_CAPTURE(dabs, noDeform, kNoDeform, 0, false)->Apply(dabRun);

// Through the tool: press, the drags measured, release.
BENCHMARK_CAPTURE(contextDrags, displace, kDisplace, 0)->Apply(dabRun);
BENCHMARK_CAPTURE(contextDrags, displace8, kDisplace, 7)->Apply(dabRun);
BENCHMARK_CAPTURE(contextDrags, smooth, kSmooth, 0)->Apply(dabRun);

// Displace through a stencil picture: every reached vertex is looked at through the view.
BENCHMARK(stencilDabs)->Apply(dabRun);
BENCHMARK(stencilContextDrags)->Apply(dabRun);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    scene(); // the million-vertex grid is built once, outside every measurement
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
