#include "script/UndoChunk.h"

#include <vector>

namespace rvhost::script {

namespace {
struct State {
    std::vector<bool> open;
    UndoChunk::Hook hook;
};

State& state() {
    static State s;
    return s;
}
} // namespace

UndoChunk::UndoChunk(bool undoable) : undoable_(undoable) {
    state().open.push_back(undoable);
    if (state().hook) state().hook(true, undoable);
}

UndoChunk::~UndoChunk() {
    state().open.pop_back();
    if (state().hook) state().hook(false, undoable_);
}

bool UndoChunk::recording() {
    return state().open.empty() || state().open.back();
}

void UndoChunk::setHook(Hook hook) {
    state().hook = std::move(hook);
}

} // namespace rvhost::script
