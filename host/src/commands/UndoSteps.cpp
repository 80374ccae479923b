#include "commands/UndoSteps.h"

#include "plugins/UndoQueue.h"

namespace rvhost::commands {

namespace {

// Nodes that one command put in or took out of the model.
struct NodePresence {
    std::vector<std::shared_ptr<Node>> nodes;
    std::vector<Scene::Removal> removals;

    void takeOut() {
        removals.clear();
        for (const auto& node : nodes)
            removals.push_back(Scene::instance().remove(*node));
    }
    void putBack() {
        for (auto removal = removals.rbegin(); removal != removals.rend(); ++removal)
            Scene::instance().restore(*removal);
        removals.clear();
    }
};

} // namespace

void recordStep(const std::string& name, std::function<void()> undo, std::function<void()> redo) {
    UndoQueue& queue = UndoQueue::instance();
    if (!queue.recording()) return;
    queue.push(
        name, [undo = std::move(undo)] { return undo(), MStatus(MS::kSuccess); },
        [redo = std::move(redo)] { return redo(), MStatus(MS::kSuccess); });
}

void recordCreation(const std::string& name, std::vector<std::shared_ptr<Node>> made) {
    auto presence = std::make_shared<NodePresence>();
    presence->nodes = std::move(made);
    recordStep(
        name, [presence] { presence->takeOut(); }, [presence] { presence->putBack(); });
}

void recordDeletion(const std::string& name, std::vector<std::shared_ptr<Node>> deleted,
                    std::vector<Scene::Removal> removals) {
    auto presence = std::make_shared<NodePresence>();
    presence->nodes = std::move(deleted);
    presence->removals = std::move(removals);
    recordStep(
        name, [presence] { presence->putBack(); }, [presence] { presence->takeOut(); });
}

} // namespace rvhost::commands
