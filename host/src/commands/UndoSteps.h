#pragma once
#include "scene/Scene.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rvhost::commands {

// Puts a built-in command's finished work on the undo queue (when the queue records).
void recordStep(const std::string& name, std::function<void()> undo, std::function<void()> redo);

// A command that made nodes: undo takes them (and what lies below them) out of the model,
// redo puts them back. Give only the topmost nodes made.
void recordCreation(const std::string& name, std::vector<std::shared_ptr<Node>> made);

// A command that deleted nodes: undo puts them back, redo deletes them again.
void recordDeletion(const std::string& name, std::vector<std::shared_ptr<Node>> deleted,
                    std::vector<Scene::Removal> removals);

} // namespace rvhost::commands
