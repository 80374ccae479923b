#pragma once
#include <maya/MDataHandle.h>

#include "scene/Node.h"

namespace rvhost {

// A handle on node.attribute[index]: an input is evaluated through the graph, an output
// holds what the node stores now.
MDataHandle makeHandle(Node& node, const Attribute* attribute, int index, bool output);

} // namespace rvhost
