// The interpreter's speed on the shapes of text the plug-in and test scripts run.
#include "script/Interpreter.h"
#include "script/Output.h"
#include "script/ScriptCommands.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {
using rvhost::script::Interpreter;

void runText(benchmark::State& state, const std::string& text) {
    rvhost::script::registerScriptCommands();
    std::ostringstream out, err;
    rvhost::script::OutputRedirect redirect(out, err);
    for (auto _ : state) {
        Interpreter::instance().reset();
        benchmark::DoNotOptimize(Interpreter::instance().execute(text));
    }
    if (!err.str().empty()) state.SkipWithError(err.str().c_str());
}

// An arithmetic loop: the per-statement cost of the interpreter.
void BM_Loop(benchmark::State& state) {
    std::string text = "int $s = 0; for ($i = 0; $i < " + std::to_string(state.range(0)) +
                       "; $i++) { if ($i % 3 == 0) $s += $i; else $s -= 1; }";
    runText(state, text);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Loop)->Arg(1000)->Arg(100000);

// The registry's publishToScripts text for N meshes: parse plus element assignments.
void BM_Publish(benchmark::State& state) {
    std::string text = "global string $gRVSculptMeshes[]; clear($gRVSculptMeshes); "
                       "global string $gRVAllCachedMeshes[]; clear($gRVAllCachedMeshes); ";
    for (int i = 0; i < state.range(0); ++i)
        text += "$gRVAllCachedMeshes[" + std::to_string(i) + "] = \"|pPlane" + std::to_string(i) +
                "|pPlaneShape" + std::to_string(i) + "\"; ";
    runText(state, text);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Publish)->Arg(10)->Arg(1000);
} // namespace

BENCHMARK_MAIN();
