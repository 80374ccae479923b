#pragma once
#include "script/CommandTable.h"
#include "view/ViewPort.h"

#include <optional>
#include <string>
#include <vector>

namespace rvhost {

// One hostView call, read whole before anything changes so that a bad argument anywhere
// leaves the view as it was:
//   -camera EX EY EZ CX CY CZ UX UY UZ, -perspective FOV, -ortho WIDTH, -size W H,
//   -renderer legacy|vp2|vp2-directx, -snapshot FILE.png, -worldToView X Y Z,
//   -q with one of -refreshCount, -size, -renderer, -camera, -perspective, -ortho.
class HostViewCommand {
public:
    MStatus run(const script::CommandCall& call, script::Value& result);

private:
    MStatus parse(const std::vector<script::Argument>& args);
    MStatus readFlag(const std::string& flag, const std::vector<script::Argument>& args,
                     size_t& next);
    MStatus numbers(const std::vector<script::Argument>& args, size_t& next, size_t count,
                    const std::string& flag, std::vector<double>& out);
    // The view with every setting applied, or an error naming the refused one.
    MStatus settled(ViewPort& view) const;
    MStatus query(script::Value& result) const;

    bool query_ = false;
    std::vector<std::string> queried_;
    std::vector<double> camera_, size_, worldPoint_;
    std::optional<double> perspective_, ortho_;
    std::optional<ViewPort::Renderer> renderer_;
    std::optional<std::string> snapshot_;
};

} // namespace rvhost
