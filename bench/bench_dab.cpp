// Cost of one sculpt dab on a 1,000,000-vertex grid whose brush reaches about 1% of the
// vertices: Displace, Displace with all three mirror planes (8 instances) and Smooth,
// each through the grid index and through the whole-mesh reference loop. Every
// iteration is one drag sample of a stroke that zigzags over the middle of the grid.
#include "sculpt/KVDabPass.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/KVStroke.h"
#include "sculpt/RVMeshData.h"

#include "app/Startup.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {
// Grid of 100 x 100 units; radius 5.64 covers pi r^2 = 100 units^2, 1% of it.
constexpr double kRadius = 5.64;

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
        record.buildMeshRecord();
        services.record = &record;
        state.setUp = true;
        state.radius = kRadius;
        state.spacing = 0.0;
    }
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
    s.state.mode = mode;
    s.state.reflectCode = reflectCode;
    KVDabPass::wholeMeshWalk() = wholeMesh;
    KVStroke stroke(s.state, s.services);
    KVCursorSample sample;
    int k = 0;
    for (auto _ : bench) {
        // 10 pixels apart (1 unit) along x, to and fro between x = 10 and 20 at z = 11.
        const int step = k++ % 20;
        sample.x = static_cast<short>(700 + 10 * (step < 10 ? step : 20 - step));
        sample.y = 450 - 110;
        stroke.applyDab(sample);
    }
    KVDabPass::wholeMeshWalk() = false;
    s.record.settleObjectPoints();
}
} // namespace

BENCHMARK_CAPTURE(dabs, displace_indexed, kDisplace, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dabs, displace_wholeMesh, kDisplace, 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dabs, displace8_indexed, kDisplace, 7, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dabs, displace8_wholeMesh, kDisplace, 7, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dabs, smooth_indexed, kSmooth, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dabs, smooth_wholeMesh, kSmooth, 0, true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
