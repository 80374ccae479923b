// Frames of rvhost's window on a 1,000,000-vertex grid (1,996,002 triangles) with the built
// plug-in's tool over it: "hoverFrame" moves the mouse a few pixels and draws, as the window
// does on a hover (the scene unchanged, the feedback moved); "fullFrame" turns the camera a
// little and draws, so every triangle is drawn again; "movingFrame" does the same as a
// frame while the camera moves (the grid drawn reduced; its first frame makes the reduced
// mesh, which later frames keep); "firstMovingFrame" nudges a vertex before each, so each
// makes the reduced mesh again; "dabFrame" moves the pressed mouse so
// that every step lays a dab (realtime update on, as scripts/sculpt sets it) and draws;
// "dab" is the same without drawing, to tell the two costs apart.
// Process CPU time is measured as well as wall time: the renderer draws on threads of its
// own.
#include "BenchHost.h"
#include "mesh/MeshShape.h"
#include "scene/Scene.h"
#include "tools/Mouse.h"
#include "view/ViewPort.h"
#include "view/ViewRenderer.h"

#include <maya/MGlobal.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

bool setUp() {
    startHostWithStagedPlugin();
    const char* const script[] = {
        "polyPlane -w 100 -h 100 -sx 999 -sy 999 -n grid",
        "hostView -camera 0 60 80 0 0 0 0 1 0 -perspective 45 -size 640 480",
        "optionVar -fv RVOption_radius 3 -fv RVOption_value 0.2 -fv RVOption_spacing 0.25",
        "optionVar -iv RVOption_mode 0 -iv RVOption_vectorType 1 -iv RVOption_realtimeUpdate 1",
        "loadPlugin Ravelin",
        "RavelinContext rvBench",
        "setToolTo rvBench",
        "RavelinContext -e -add grid rvBench",
        "hostMouse -move 320 240"};
    for (const char* line : script)
        if (!MGlobal::executeCommand(line)) return false;
    return true;
}

bool render(rvhost::ViewRenderer::Detail detail = rvhost::ViewRenderer::Detail::kExact) {
    std::string error;
    return rvhost::ViewRenderer::render(rvhost::ViewPort::active(), error, detail);
}

void hoverFrame(benchmark::State& bench) {
    if (!render()) bench.SkipWithError("no OpenGL context");
    short x = 320;
    for (auto _ : bench) {
        x = short(x == 320 ? 326 : 320);
        rvhost::Mouse::instance().move(x, 240);
        render();
    }
}

void turningFrames(benchmark::State& bench, rvhost::ViewRenderer::Detail detail) {
    rvhost::Camera& camera = rvhost::ViewPort::active().camera();
    const MPoint eye = camera.eye();
    bool turned = false;
    for (auto _ : bench) {
        turned = !turned;
        camera.setLookAt(eye + MVector(turned ? 1.0 : 0.0, 0, 0), camera.centre(), camera.upHint());
        render(detail);
    }
    camera.setLookAt(eye, camera.centre(), camera.upHint());
}

// The first frame of a camera move after the mesh changed: a vertex nudged (as a dab would
// move some), then a moving frame, which makes the stand-in again.
void firstMovingFrame(benchmark::State& bench) {
    const auto grid =
        std::dynamic_pointer_cast<rvhost::MeshShape>(rvhost::Scene::instance().find("gridShape"));
    if (!grid) return bench.SkipWithError("no grid");
    rvhost::Camera& camera = rvhost::ViewPort::active().camera();
    const MPoint eye = camera.eye();
    bool turned = false;
    for (auto _ : bench) {
        turned = !turned;
        rvhost::Vec3 p = grid->geometry().point(0);
        p.y += turned ? 0.01 : -0.01;
        grid->geometry().setPoint(0, p);
        camera.setLookAt(eye + MVector(turned ? 1.0 : 0.0, 0, 0), camera.centre(), camera.upHint());
        render(rvhost::ViewRenderer::Detail::kMoving);
    }
    camera.setLookAt(eye, camera.centre(), camera.upHint());
}

// Drags back and forth along a row of the view, 12 pixels a step (about 1.5 units on the
// grid there, more than the dab spacing), so each step lays one dab; draws after each when
// `draw`.
void dabs(benchmark::State& bench, bool draw) {
    rvhost::Mouse& mouse = rvhost::Mouse::instance();
    MStatus handled;
    short x = 160, step = 12;
    mouse.act(rvhost::Mouse::Action::Press, x, 240, {}, handled);
    render();
    for (auto _ : bench) {
        if (x + step > 480 || x + step < 160) step = short(-step);
        x = short(x + step);
        mouse.act(rvhost::Mouse::Action::Drag, x, 240, {}, handled);
        if (draw) render();
    }
    mouse.act(rvhost::Mouse::Action::Release, x, 240, {}, handled);
}

void settings(benchmark::internal::Benchmark* b) {
    b->Iterations(20)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}

} // namespace

BENCHMARK(hoverFrame)->Apply(settings);
BENCHMARK_CAPTURE(turningFrames, fullFrame, rvhost::ViewRenderer::Detail::kExact)->Apply(settings);
BENCHMARK_CAPTURE(turningFrames, movingFrame, rvhost::ViewRenderer::Detail::kMoving)
    ->Apply(settings);
BENCHMARK(firstMovingFrame)->Apply(settings);
BENCHMARK_CAPTURE(dabs, dabFrame, true)->Apply(settings);
BENCHMARK_CAPTURE(dabs, dab, false)->Apply(settings);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The grid and the tool are made once, outside every measurement.
    if (!setUp()) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
