#pragma once
#include <maya/MSyntax.h>

#include <limits>
#include <string>
#include <vector>

namespace rvhost {

struct FlagSpec {
    std::string shortName; // with the leading dash
    std::string longName;
    std::vector<MSyntax::MArgType> args;
    bool multiUse = false;
    bool named(const std::string& name) const { return name == shortName || name == longName; }
};

// What MSyntax describes.
struct SyntaxData {
    static constexpr unsigned int kUnlimited = std::numeric_limits<unsigned int>::max();

    std::vector<FlagSpec> flags;
    std::vector<MSyntax::MArgType> commandArgs;
    MSyntax::MObjectFormat objectFormat = MSyntax::kNone;
    unsigned int minObjects = 0;
    unsigned int maxObjects = kUnlimited;
    bool selectionAsDefault = false;
    bool query = false;
    bool edit = false;

    // Declared flags by either name (with the dash); -query and -edit when enabled are
    // not among them.
    const FlagSpec* find(const std::string& name) const;
    FlagSpec* find(const std::string& name);
};

} // namespace rvhost
