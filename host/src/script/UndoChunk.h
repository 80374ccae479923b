#pragma once
#include <functional>

namespace rvhost::script {

// Tells the undo queue whether the commands that run now may enter it. executeCommand
// opens one chunk per call with its undo flag; nothing open means recording (commands a
// script or the user runs directly are undoable). The queue asks recording() when a
// command finishes, and may set a hook to learn when chunks open and close.
class UndoChunk {
public:
    // Called with true and the chunk's flag when a chunk opens, false when it closes.
    using Hook = std::function<void(bool opening, bool undoable)>;

    explicit UndoChunk(bool undoable);
    ~UndoChunk();
    UndoChunk(const UndoChunk&) = delete;
    UndoChunk& operator=(const UndoChunk&) = delete;

    static bool recording();
    static void setHook(Hook hook);

private:
    bool undoable_;
};

} // namespace rvhost::script
