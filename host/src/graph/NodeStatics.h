#pragma once
#include "scene/Attribute.h"

#include <memory>
#include <vector>

namespace rvhost {

// The attributes every deformer has (MPxDeformerNode's statics), made once.
const std::vector<std::shared_ptr<Attribute>>& deformerBaseAttributes();

// MPxNode::addAttribute collects into `into` between these calls (a type's initializer);
// outside them it fails.
void beginStaticAttributes(std::vector<std::shared_ptr<Attribute>>& into);
void endStaticAttributes();
std::vector<std::shared_ptr<Attribute>>* staticAttributesInProgress();

} // namespace rvhost
