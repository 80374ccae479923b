#pragma once
#include <maya/MStatus.h>

#include <functional>
#include <memory>
#include <string>

class MPxCommand;

namespace rvhost {

// One step of the undo queue. It has been done when it enters the queue.
class UndoEntry {
public:
    virtual ~UndoEntry() = default;
    virtual const std::string& name() const = 0;
    virtual MStatus undo() = 0;
    virtual MStatus redo() = 0;
};

// A step given as two functions: the way built-in commands record their work.
class FunctionUndoEntry : public UndoEntry {
public:
    FunctionUndoEntry(std::string name, std::function<MStatus()> undo,
                      std::function<MStatus()> redo);
    const std::string& name() const override { return name_; }
    MStatus undo() override { return undo_(); }
    MStatus redo() override { return redo_(); }

private:
    std::string name_;
    std::function<MStatus()> undo_;
    std::function<MStatus()> redo_;
};

// A plug-in command kept after its doIt; the queue owns and finally deletes it.
class CommandUndoEntry : public UndoEntry {
public:
    CommandUndoEntry(std::string name, std::unique_ptr<MPxCommand> command);
    ~CommandUndoEntry() override;
    const std::string& name() const override { return name_; }
    MStatus undo() override;
    MStatus redo() override;

private:
    std::string name_;
    std::unique_ptr<MPxCommand> command_;
};

} // namespace rvhost
