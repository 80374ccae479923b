#pragma once
#include <maya/MCursor.h>
#include <maya/MObject.h>
#include <maya/MString.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

class MPxToolCommand;

namespace rvhost {

// Makes the tool command that a context command registered next to itself; the maker
// decides who owns the command until it is finalised.
using ToolCommandMaker = std::function<MPxToolCommand*()>;

// What the host keeps for every context besides the plug-in's own object.
struct ContextState {
    std::string name; // empty until the context registry takes the context
    MString helpString;
    MString titleString;
    std::array<MString, 3> images;
    MCursor cursor = MCursor::defaultCursor;
    std::vector<MObject> manipulators; // in the order added
    ToolCommandMaker makeToolCommand;
};

} // namespace rvhost
