#pragma once

namespace rvhost::script {

// Tells the undo queue whether the commands that run now may enter it. executeCommand
// opens one chunk per call with its undo flag; nothing open means recording (commands a
// script or the user runs directly are undoable). The queue asks recording() when a
// command finishes.
class UndoChunk {
public:
    explicit UndoChunk(bool undoable);
    ~UndoChunk();
    UndoChunk(const UndoChunk&) = delete;
    UndoChunk& operator=(const UndoChunk&) = delete;

    static bool recording();
};

} // namespace rvhost::script
