#pragma once
#include "script/CommandTable.h"
#include "tools/Mouse.h"

#include <string>
#include <vector>

namespace rvhost {

// The arguments of hostMouse: one action flag with its coordinates, and the modifiers.
//   -move X Y | -press X Y | -drag X Y | -hold X Y | -release X Y
//   -stroke X0 Y0 X1 Y1 -steps N
//   -shift, -ctrl (not with -move)
struct MouseArgs {
    enum class Kind { None, Move, Button, Stroke };

    Kind kind = Kind::None;
    Mouse::Action action = Mouse::Action::Press;
    std::vector<short> coords;
    int steps = 0;
    Mouse::Modifiers modifiers;

    // False with a message for the user in `error`.
    bool parse(const std::vector<script::Argument>& args, std::string& error);

private:
    bool readFlag(const std::string& flag, const std::vector<script::Argument>& args,
                  std::size_t& i, std::string& error);
    bool setKind(Kind kind, const std::string& flag, std::string& error);
};

} // namespace rvhost
