#include "script/UndoChunk.h"

#include <vector>

namespace rvhost::script {

namespace {
// The undo flag of every open chunk, innermost last.
std::vector<bool>& openChunks() {
    static std::vector<bool> chunks;
    return chunks;
}
} // namespace

UndoChunk::UndoChunk(bool undoable) {
    openChunks().push_back(undoable);
}

UndoChunk::~UndoChunk() {
    openChunks().pop_back();
}

bool UndoChunk::recording() {
    return openChunks().empty() || openChunks().back();
}

} // namespace rvhost::script
