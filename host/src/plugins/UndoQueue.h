#pragma once
#include "plugins/UndoEntry.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// The host's undo queue: done steps before the cursor, undone ones (the redo branch) after
// it. A new step drops the redo branch; past `length` steps the oldest go, unless the
// queue is infinite. Steps the queue lets go are destroyed at its next operation, never
// while one of them may still be running (a tool command enters the queue from inside its
// own finalize).
class UndoQueue {
public:
    static constexpr unsigned int kDefaultLength = 50;

    static UndoQueue& instance();

    // Where a step comes from: a command obeys the undo flag of the script command
    // running it (MGlobal::executeCommand's undoEnabled); an interaction (a finalised tool
    // command) does not.
    enum class Source { Command, Interaction };

    // Records a done step. Discarded while recording is off or suspended.
    void push(std::unique_ptr<UndoEntry> entry, Source source = Source::Command);
    void push(std::string name, std::function<MStatus()> undo, std::function<MStatus()> redo);
    // True when push would keep a step from that source now.
    bool recording(Source source = Source::Command) const;

    // Undo or redo one step and return its status; the step moves across the cursor even
    // when it fails. False in `moved` when there was nothing to undo or redo.
    MStatus undo(bool& moved);
    MStatus redo(bool& moved);
    void flush();

    unsigned int length() const { return length_; }
    void setLength(unsigned int length);
    bool infinite() const { return infinite_; }
    void setInfinite(bool infinite);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    std::size_t undoCount() const { return cursor_; }
    std::size_t redoCount() const { return entries_.size() - cursor_; }
    // Names of the next step to undo and to redo ("" when none).
    std::string undoName() const;
    std::string redoName() const;

    // Nothing is recorded while a Suspend lives: the work of undo and redo themselves, and
    // commands a script runs with undo turned off.
    class Suspend {
    public:
        Suspend();
        ~Suspend();
        Suspend(const Suspend&) = delete;
        Suspend& operator=(const Suspend&) = delete;
    };

private:
    UndoQueue() = default;
    MStatus step(bool forward, bool& moved);
    void trim();
    void retire(std::unique_ptr<UndoEntry> entry);

    std::deque<std::unique_ptr<UndoEntry>> entries_;
    std::size_t cursor_ = 0;
    std::vector<std::unique_ptr<UndoEntry>> retired_;
    unsigned int length_ = kDefaultLength;
    bool infinite_ = false;
    bool enabled_ = true;
    int suspended_ = 0;
    int running_ = 0;
};

} // namespace rvhost
