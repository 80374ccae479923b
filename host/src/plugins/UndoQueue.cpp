#include "plugins/UndoQueue.h"

#include "script/UndoChunk.h"

namespace rvhost {

// Never destroyed: at exit the plug-ins' own statics may be gone before the commands
// held here could be deleted.
UndoQueue& UndoQueue::instance() {
    static UndoQueue* queue = new UndoQueue;
    return *queue;
}

void UndoQueue::retire(std::unique_ptr<UndoEntry> entry) {
    retired_.push_back(std::move(entry));
}

bool UndoQueue::recording(Source source) const {
    return enabled_ && suspended_ == 0 &&
           (source == Source::Interaction || script::UndoChunk::recording());
}

void UndoQueue::push(std::unique_ptr<UndoEntry> entry, Source source) {
    if (running_ == 0) retired_.clear();
    if (!recording(source)) {
        retire(std::move(entry));
        return;
    }
    while (entries_.size() > cursor_) {
        retire(std::move(entries_.back()));
        entries_.pop_back();
    }
    entries_.push_back(std::move(entry));
    cursor_ = entries_.size();
    trim();
}

void UndoQueue::push(std::string name, std::function<MStatus()> undo,
                     std::function<MStatus()> redo) {
    push(std::make_unique<FunctionUndoEntry>(std::move(name), std::move(undo), std::move(redo)));
}

// The oldest done steps go first, then the furthest redo steps.
void UndoQueue::trim() {
    if (infinite_) return;
    while (entries_.size() > length_ && cursor_ > 0) {
        retire(std::move(entries_.front()));
        entries_.pop_front();
        --cursor_;
    }
    while (entries_.size() > length_) {
        retire(std::move(entries_.back()));
        entries_.pop_back();
    }
}

MStatus UndoQueue::step(bool forward, bool& moved) {
    if (running_ == 0) retired_.clear();
    moved = forward ? cursor_ < entries_.size() : cursor_ > 0;
    if (!moved) return MS::kSuccess;
    const std::size_t at = forward ? cursor_++ : --cursor_;
    UndoEntry* entry = entries_[at].get();
    Suspend quiet;
    ++running_;
    const MStatus status = forward ? entry->redo() : entry->undo();
    --running_;
    return status;
}

MStatus UndoQueue::undo(bool& moved) {
    return step(false, moved);
}

MStatus UndoQueue::redo(bool& moved) {
    return step(true, moved);
}

void UndoQueue::flush() {
    for (auto& entry : entries_)
        retire(std::move(entry));
    entries_.clear();
    cursor_ = 0;
    if (running_ == 0) retired_.clear();
}

void UndoQueue::setLength(unsigned int length) {
    length_ = length;
    trim();
}

void UndoQueue::setInfinite(bool infinite) {
    infinite_ = infinite;
    trim();
}

std::string UndoQueue::undoName() const {
    return cursor_ > 0 ? entries_[cursor_ - 1]->name() : std::string();
}

std::string UndoQueue::redoName() const {
    return cursor_ < entries_.size() ? entries_[cursor_]->name() : std::string();
}

UndoQueue::Suspend::Suspend() {
    ++instance().suspended_;
}

UndoQueue::Suspend::~Suspend() {
    --instance().suspended_;
}

} // namespace rvhost
