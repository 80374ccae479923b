// Cost of one sculpt dab on a 1,000,000-vertex grid whose brush reaches about 1% of the
// vertices: Displace, Displace with all three mirror planes (8 instances) and Smooth.
// "dabs/" calls the stroke code directly, through the grid index and through the
// whole-mesh reference loop; "contextDrags/" drives the built plug-in's tool with hostMouse
// drags (press before, release after the measurement), the host's falloff ramp included.
// Every iteration is one drag sample of a stroke that zigzags over the grid.
// The grab brush on the same grid: "grabSamples/" times the samples after the gather
// (translation, rotation, scaling) directly, "grabGather/" the gather of about 1% of the
// grid, and "contextGrab/" a grab stroke's drags through the tool.
// Dab figures leave out the refit of the host's ray index after each run's reset;
// "refit/" times it alone. The dabs are also measured on a rolling grid, a sphere and a
// 4M-vertex rolling grid, the brush reaching about as many vertices. "toolStrokes" and
// "toolFirstStroke" time registration, press and release through the tool (CPU time) and
// the heap that each stroke's undo history keeps.
#include "sculpt/KVDabPass.h"
#include "sculpt/KVGrabBrush.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/KVStroke.h"
#include "sculpt/RVMeshData.h"
#include "services/KVStencil.h"

#include "BenchHost.h"

#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unordered_set>

namespace {
// Grid of 100 x 100 units; radius 5.64 covers pi r^2 = 100 units^2, 1% of it.
constexpr double kRadius = 5.64;
// Dabs a run: ten passes to and fro. A fixed count makes every run (and repetition) the
// same strokes on the same surface.
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

// The surfaces a dab is measured on, all with about 100 vertices a square unit where the
// brush works, so that it reaches about 10,000 of them: the flat 1M grid; the same grid
// rolling (a height field raised onto it, bumps of 4 units over 20); a sphere of radius
// 28.2 (1M vertices); the rolling grid at 4M vertices over twice the width.
enum Surface { kFlat, kRolling, kSphere, kRolling4M };

void run(const std::string& command) {
    if (!MGlobal::executeCommand(MString(command.c_str())))
        std::fprintf(stderr, "bench: %s failed\n", command.c_str());
}

double rollingHeight(double x, double z) {
    return 4.0 * std::sin(x * 0.314) * std::cos(z * 0.314);
}

// Makes the surface as "grid" and looks at it so that port (700 + 10 u, 450 - 10 v) is world
// (u, v) of the grid's plane (or of the sphere's front).
void makeSurface(Surface surface) {
    run("file -f -new");
    if (surface == kSphere) {
        run("polySphere -r 28.2 -sx 1000 -sy 1000 -n grid");
        run("hostView -camera 0 0 100 0 0 0 0 1 0");
    } else {
        const bool big = surface == kRolling4M;
        run(big ? "polyPlane -w 200 -h 200 -sx 1999 -sy 1999 -n grid"
                : "polyPlane -w 100 -h 100 -sx 999 -sy 999 -n grid");
        run("hostView -camera 0 100 0 0 0 0 0 0 -1");
    }
    run("addAttr -ln RavelinSculptID -sn rvId -dt \"string\" gridShape");
    run("setAttr -type \"string\" gridShape.rvId \"bench\"");
    run("hostView -ortho 120");
    run("hostView -size 1200 900");
    if (surface != kRolling && surface != kRolling4M) return;
    MSelectionList list;
    list.add("gridShape");
    MDagPath path;
    list.getDagPath(0, path);
    MFnMesh mesh(path);
    MPointArray points;
    mesh.getPoints(points);
    for (unsigned int v = 0; v < points.length(); ++v)
        points[v].y = rollingHeight(points[v].x, points[v].z);
    mesh.setPoints(points);
}

struct Scene {
    Scene() {
        startHostWithStagedPlugin();
        use(kFlat);
    }
    // One surface at a time lives in the scene (the 4M grid is big).
    void use(Surface wanted) {
        if (built && surface == wanted) return;
        record = RVMeshData();
        makeSurface(wanted);
        surface = wanted;
        built = true;
        MSelectionList list;
        list.add("gridShape");
        list.getDagPath(0, record.meshPath);
        MFnMesh(record.meshPath).getPoints(basePoints);
        record.buildMeshRecord();
        services.record = &record;
        state.setUp = true;
        state.radius = kRadius;
        state.spacing = 0.0;
        warmRayIndex();
    }
    // The first ray cast builds the host's ray index (or refits it after a reset): done
    // here, so that no dab figure holds it.
    void warmRayIndex() {
        const int mode = state.mode;
        state.mode = kNoDeform;
        KVCursorSample centre;
        centre.x = 700;
        centre.y = 340;
        KVStroke(state, services).applyDab(centre);
        state.mode = mode;
    }
    // Every run starts from the surface as made, its ray index refitted.
    void reset() {
        MFnMesh(record.meshPath).setPoints(basePoints);
        record.buildMeshRecord();
        warmRayIndex();
    }
    Surface surface = kFlat;
    bool built = false;
    MPointArray basePoints;
    RVMeshData record;
    BenchServices services;
    KVPSCtxData state;
};

Scene& scene() {
    static Scene s;
    return s;
}
Scene& scene(Surface surface) {
    Scene& s = scene();
    s.use(surface);
    return s;
}

void dabs(benchmark::State& bench, int mode, int reflectCode, bool wholeMesh,
          Surface surface = kFlat, bool realtime = false) {
    Scene& s = scene(surface);
    s.reset();
    s.state.mode = mode;
    s.state.realtimeUpdate = realtime;
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
    s.state.realtimeUpdate = false;
    s.record.settleObjectPoints();
    if (!wholeMesh) bench.counters["reached"] = reached / std::max(k, 1);
}
// The refit of the host's ray index after the points were reset: the first ray cast
// after setPoints pays it.
void refit(benchmark::State& bench, Surface surface) {
    Scene& s = scene(surface);
    MFnMesh mesh(s.record.meshPath);
    for (auto _ : bench) {
        bench.PauseTiming();
        mesh.setPoints(s.basePoints);
        bench.ResumeTiming();
        s.warmRayIndex();
    }
}
// The same strokes through the tool: the plug-in's context picks and strokes the grid.
// The plug-in loaded and its tool picked on the grid, once.
bool toolReady() {
    scene(kFlat);
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
// The flat grid with the tool set up on it, or null (the run marked as failed to set up).
Scene* toolOnFlatGrid(benchmark::State& bench) {
    Scene& s = scene(kFlat);
    if (toolReady()) return &s;
    bench.SkipWithError("the plug-in's tool could not be set up");
    return nullptr;
}
// The tool's mode, with every mirror plane on or off.
void setToolMode(int mode, bool mirrored) {
    MGlobal::setOptionVarValue("RVOption_mode", mode);
    for (const char* axis :
         {"RVOption_reflectAxisX", "RVOption_reflectAxisY", "RVOption_reflectAxisZ"})
        MGlobal::setOptionVarValue(axis, mirrored ? 1 : 0);
}
void contextDrags(benchmark::State& bench, int mode, int reflectCode) {
    Scene* tool = toolOnFlatGrid(bench);
    if (!tool) return;
    Scene& s = *tool;
    s.reset();
    setToolMode(mode, reflectCode == 7);
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
// The k-th cursor position of a grab stroke that starts at port (700, 340): to and fro
// over 10 units along x, or, turning, round a circle of 60 pixels about the start.
void grabCursor(int k, bool turning, short& x, short& y) {
    if (turning) {
        x = static_cast<short>(std::lround(700 + 60 * std::cos(0.2 * k)));
        y = static_cast<short>(std::lround(340 + 60 * std::sin(0.2 * k)));
        return;
    }
    const int step = k % 20;
    x = static_cast<short>(700 + 10 * (step < 10 ? step : 20 - step));
    y = 340;
}
// Grab samples after a gather at the grid's point (10, 11), with Control (rotation) or
// Control+Shift (scaling) as asked.
void grabSamples(benchmark::State& bench, bool control, bool shift, bool wholeMesh,
                 bool realtime = false) {
    Scene& s = scene(kFlat);
    s.reset();
    s.state.realtimeUpdate = realtime;
    s.state.mode = kGrab;
    s.state.reflectCode = 0;
    s.state.meshesReady = true;
    s.state.grabGathered = s.state.grabDepthTaken = s.state.rotating = s.state.scaling = false;
    KVDabPass::wholeMeshWalk() = wholeMesh;
    KVCursorSample sample;
    sample.x = 700;
    sample.y = 340;
    KVGrabBrush(s.state, s.services).applyGrab(sample);
    sample.control = control;
    sample.shift = shift;
    int k = 0;
    for (auto _ : bench) {
        grabCursor(k++, control && !shift, sample.x, sample.y);
        KVGrabBrush(s.state, s.services).applyGrab(sample);
    }
    KVDabPass::wholeMeshWalk() = false;
    s.state.realtimeUpdate = false;
    s.record.settleObjectPoints();
    bench.counters["gathered"] = static_cast<double>(s.record.touchedVertices.size());
}
// The gather alone, again and again at the same spot of the flat grid.
void grabGather(benchmark::State& bench, bool wholeMesh) {
    Scene& s = scene(kFlat);
    s.reset();
    s.state.mode = kGrab;
    s.state.reflectCode = 0;
    s.state.cursorX = 700;
    s.state.cursorY = 340;
    KVDabPass::wholeMeshWalk() = wholeMesh;
    KVGrabBrush grab(s.state, s.services);
    for (auto _ : bench)
        benchmark::DoNotOptimize(grab.gather(s.record));
    KVDabPass::wholeMeshWalk() = false;
    bench.counters["gathered"] = static_cast<double>(s.record.touchedVertices.size());
}
// A grab stroke through the tool: the press gathers, the drags are measured.
void contextGrab(benchmark::State& bench, const char* keys) {
    Scene* tool = toolOnFlatGrid(bench);
    if (!tool) return;
    Scene& s = *tool;
    s.reset();
    setToolMode(kGrab, false);
    MGlobal::executeCommand("hostMouse -press 700 340");
    int k = 0;
    short x = 0, y = 0;
    for (auto _ : bench) {
        grabCursor(k++, std::string(keys) == " -ctrl", x, y);
        MGlobal::executeCommand(MString("hostMouse -drag ") + x + " " + y + keys);
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
    Scene& s = scene(kFlat);
    KVStencil& stencil = KVStencil::instance();
    if (!stencil.setupStencil("benchStencil", stencilPicture().c_str()) || !stencil.isReady()) {
        bench.SkipWithError("the stencil could not be set up");
        return;
    }
    s.reset();
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
    scene(kFlat); // the card belongs to the flat grid's scene
    MGlobal::setOptionVarValue("RVOption_useStencil", 1);
    MGlobal::setOptionVarValue("RVOption_stencilPolyNode", MString("benchStencil"));
    MGlobal::setOptionVarValue("RVOption_stencilImageFile", MString(stencilPicture().c_str()));
    if (!toolReady() || !MGlobal::executeCommand("RavelinContext -e -stencil -setup rvBench")) {
        bench.SkipWithError("the plug-in's tool could not be set up");
        return;
    }
    contextDrags(bench, kDisplace, 0);
    MGlobal::setOptionVarValue("RVOption_useStencil", 0);
}

// Process CPU seconds: the strokes below time single calls, and other programs share
// the machine.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}
// Bytes the allocator hands out now.
double heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}
// Runs a script command and gives its process CPU time in milliseconds.
double cpuMs(const char* command) {
    const double start = cpuSeconds();
    MGlobal::executeCommand(command);
    return (cpuSeconds() - start) * 1e3;
}
// A stroke of 20 drags (the zigzag of the dab benchmarks) after the press.
void toolDrags() {
    for (int k = 1; k <= 20; ++k) {
        const int step = (k / 2) % 20;
        MGlobal::executeCommand(MString("hostMouse -drag ") + (700 + 10 * (step < 10 ? step : 20 - step)) +
                                " 340" + (k % 2 == 0 ? " -ctrl" : ""));
    }
}
// Strokes through the tool on the registered grid, the host's undo queue 50 long: the
// press and the release timed (CPU, milliseconds, averaged), and the heap the strokes
// leave behind, which is the undo history's growth.
void toolStrokes(benchmark::State& bench) {
    Scene* tool = toolOnFlatGrid(bench);
    if (!tool) return;
    Scene& s = *tool;
    s.reset();
    MGlobal::executeCommand("undoInfo -infinity off");
    MGlobal::executeCommand("undoInfo -length 50");
    setToolMode(kDisplace, false);
    // One stroke first, so that the history holds its first entries before the count.
    MGlobal::executeCommand("hostMouse -press 700 340");
    MGlobal::executeCommand("hostMouse -release 700 340");
    double press = 0.0, release = 0.0;
    const double heapBefore = heapBytes();
    for (auto _ : bench) {
        press += cpuMs("hostMouse -press 700 340");
        toolDrags();
        release += cpuMs("hostMouse -release 700 340");
    }
    const double strokes = static_cast<double>(bench.iterations());
    bench.counters["press_ms"] = press / strokes;
    bench.counters["release_ms"] = release / strokes;
    bench.counters["heapPerStroke_MiB"] = (heapBytes() - heapBefore) / strokes / (1 << 20);
}
// Undo and redo of a stroke through the tool on the registered grid (CPU milliseconds).
void toolUndoRedo(benchmark::State& bench) {
    Scene* tool = toolOnFlatGrid(bench);
    if (!tool) return;
    Scene& s = *tool;
    s.reset();
    setToolMode(kDisplace, false);
    MGlobal::executeCommand("hostMouse -press 700 340");
    toolDrags();
    MGlobal::executeCommand("hostMouse -release 700 340");
    double undo = 0.0, redo = 0.0;
    for (auto _ : bench) {
        undo += cpuMs("undo");
        redo += cpuMs("redo");
    }
    const double runs = static_cast<double>(bench.iterations());
    bench.counters["undo_ms"] = undo / runs;
    bench.counters["redo_ms"] = redo / runs;
}
// Registration of a fresh grid and its first stroke through the tool (CPU milliseconds):
// the record is built and the first press casts the first ray at the mesh.
void toolFirstStroke(benchmark::State& bench) {
    Scene* tool = toolOnFlatGrid(bench);
    if (!tool) return;
    Scene& s = *tool;
    double add = 0.0, press = 0.0, release = 0.0, addHeap = 0.0;
    for (auto _ : bench) {
        s.built = false;
        makeSurface(kFlat);
        const double heapBefore = heapBytes();
        add += cpuMs("RavelinContext -e -add grid rvBench");
        addHeap += heapBytes() - heapBefore;
        press += cpuMs("hostMouse -press 700 340");
        toolDrags();
        release += cpuMs("hostMouse -release 700 340");
    }
    const double runs = static_cast<double>(bench.iterations());
    bench.counters["register_ms"] = add / runs;
    // The record and whatever the host keeps for it (adjacency, ray index).
    bench.counters["registerHeap_MiB"] = addHeap / runs / (1 << 20);
    bench.counters["firstPress_ms"] = press / runs;
    bench.counters["release_ms"] = release / runs;
}

// What the record of the 1M grid holds, part by part (MiB), after a registration's snapshot
// and a stroke of 20 dabs; and what a fresh build leaves on the heap, which the parts
// should account for.
void recordMemory(benchmark::State& bench) {
    Scene& s = scene(kFlat);
    s.reset();
    double built = 0.0;
    for (auto _ : bench) {
        const double before = heapBytes();
        {
            RVMeshData fresh;
            fresh.meshPath = s.record.meshPath;
            fresh.buildMeshRecord();
            fresh.history.pushSnapshot(fresh.meshPath, fresh.maskFlag, fresh.maskWeight);
            built = heapBytes() - before;
        }
    }
    s.record.snapshotForStroke();
    KVStroke stroke(s.state, s.services);
    s.state.mode = kSmooth;
    KVCursorSample sample;
    for (int k = 0; k < 20; ++k) {
        sample.x = static_cast<short>(700 + 5 * k);
        sample.y = 340;
        stroke.applyDab(sample);
    }
    s.state.mode = kNoDeform;
    const RVMeshData& r = s.record;
    const auto mib = [](double bytes) { return bytes / (1 << 20); };
    const auto points = [](const MPointArray& a) { return double(a.length()) * sizeof(MPoint); };
    std::unordered_set<const void*> seen;
    size_t history = 0;
    for (const HistoryEntry& entry : r.history.entries)
        history += entry.points.addStorage(seen) + entry.normals.addStorage(seen) +
                   entry.maskFlags.addStorage(seen) + entry.maskWeights.addStorage(seen);
    const double parts[] = {
        points(r.points) + points(r.worldPoints),
        double(r.worldVertexNormals.length()) * sizeof(MVector),
        double(r.neighbours.offsets.capacity() + r.neighbours.list.capacity()) * sizeof(int),
        double(r.polygonCounts.length() + r.polygonConnects.length()) * sizeof(int),
        double(r.strokeAmount.length()) * sizeof(double) + double(r.strokeTouched.capacity()) +
            double(r.dabTouchCount.capacity()) * sizeof(int),
        double(r.maskFlag.size()) / 8.0 + double(r.maskWeight.capacity()) * sizeof(double),
        double(r.dabStartSlot.capacity()) * sizeof(int) +
            double(r.dabStartSaved.capacity()) * sizeof(MPoint),
        double(r.vertexRecords.storageBytes()),
        double(r.grid.storageBytes()),
        double(history)};
    const char* names[] = {"points_world", "normals", "neighbours", "polygons", "strokeBuffers",
                           "mask", "dabStart", "vertexRecords", "grid", "history"};
    double total = 0.0;
    for (size_t k = 0; k < sizeof(parts) / sizeof(parts[0]); ++k) {
        bench.counters[names[k]] = mib(parts[k]);
        total += parts[k];
    }
    bench.counters["total"] = mib(total);
    bench.counters["freshBuildHeap"] = mib(built);
    s.reset();
}

// Every run is kDabs dabs, timed in milliseconds a dab.
void dabRun(benchmark::internal::Benchmark* b) {
    b->Iterations(kDabs)->Unit(benchmark::kMillisecond);
}
} // namespace

BENCHMARK_CAPTURE(dabs, displace_indexed, kDisplace, 0, false)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, displace_realtime, kDisplace, 0, false, kFlat, true)->Apply(dabRun);
BENCHMARK_CAPTURE(refit, flat, kFlat)->Iterations(10)->Unit(benchmark::kMillisecond);
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

BENCHMARK_CAPTURE(grabSamples, translate_indexed, false, false, false)->Apply(dabRun);
BENCHMARK_CAPTURE(grabSamples, translate_wholeMesh, false, false, true)->Apply(dabRun);
BENCHMARK_CAPTURE(grabSamples, rotate_indexed, true, false, false)->Apply(dabRun);
BENCHMARK_CAPTURE(grabSamples, translate_realtime, false, false, false, true)->Apply(dabRun);
BENCHMARK_CAPTURE(grabSamples, scale_indexed, true, true, false)->Apply(dabRun);
BENCHMARK_CAPTURE(grabGather, indexed, false)->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(grabGather, wholeMesh, true)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(contextGrab, translate, "")->Apply(dabRun);
BENCHMARK_CAPTURE(contextGrab, rotate, " -ctrl")->Apply(dabRun);
// Displace through a stencil picture: every reached vertex is looked at through the view.
BENCHMARK(stencilDabs)->Apply(dabRun);
BENCHMARK(stencilContextDrags)->Apply(dabRun);
BENCHMARK(toolStrokes)->Iterations(10)->Unit(benchmark::kMillisecond);

// The other surfaces, each built once (the 4M grid last).
BENCHMARK_CAPTURE(dabs, displace_rolling, kDisplace, 0, false, kRolling)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, smooth_rolling, kSmooth, 0, false, kRolling)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, displace_sphere, kDisplace, 0, false, kSphere)->Apply(dabRun);
BENCHMARK_CAPTURE(dabs, displace_rolling4M, kDisplace, 0, false, kRolling4M)->Apply(dabRun);
BENCHMARK_CAPTURE(refit, rolling4M, kRolling4M)->Iterations(10)->Unit(benchmark::kMillisecond);
// Last: it makes the grid afresh.
BENCHMARK(toolUndoRedo)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(recordMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(toolFirstStroke)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    scene(); // the million-vertex grid is built once, outside every measurement
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
