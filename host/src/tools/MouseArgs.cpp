#include "tools/MouseArgs.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace rvhost {
namespace {

using script::Value;

// A whole number, given as a number or as a word that is all number.
bool readWhole(const script::Argument& arg, long& out) {
    double number = 0.0;
    if (arg.value.type() == Value::Type::Int || arg.value.type() == Value::Type::Float) {
        number = arg.value.asFloat();
    } else if (arg.value.type() == Value::Type::String) {
        const std::string& text = arg.value.get<std::string>();
        char* end = nullptr;
        number = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0') return false;
    } else {
        return false;
    }
    if (!std::isfinite(number) || number != std::floor(number)) return false;
    out = static_cast<long>(number);
    return true;
}

bool readNumbers(const std::vector<script::Argument>& args, std::size_t& i, std::size_t count,
                 long low, long high, std::vector<long>& out) {
    for (std::size_t k = 0; k < count; ++k, ++i) {
        long value = 0;
        if (i >= args.size() || !readWhole(args[i], value) || value < low || value > high)
            return false;
        out.push_back(value);
    }
    return true;
}

struct ActionFlag {
    const char* name;
    MouseArgs::Kind kind;
    Mouse::Action action;
};

constexpr ActionFlag kActions[] = {
    {"-move", MouseArgs::Kind::Move, Mouse::Action::Press},
    {"-press", MouseArgs::Kind::Button, Mouse::Action::Press},
    {"-drag", MouseArgs::Kind::Button, Mouse::Action::Drag},
    {"-hold", MouseArgs::Kind::Button, Mouse::Action::Hold},
    {"-release", MouseArgs::Kind::Button, Mouse::Action::Release},
    {"-stroke", MouseArgs::Kind::Stroke, Mouse::Action::Press},
};

} // namespace

bool MouseArgs::parse(const std::vector<script::Argument>& args, std::string& error) {
    for (std::size_t i = 0; i < args.size();) {
        const Value& word = args[i].value;
        if (word.type() != Value::Type::String || word.get<std::string>().empty() ||
            word.get<std::string>()[0] != '-') {
            error = "Unexpected argument: " + word.asString();
            return false;
        }
        ++i;
        if (!readFlag(word.get<std::string>(), args, i, error)) return false;
    }
    if (kind == Kind::None) {
        error = "One of -move, -press, -drag, -hold, -release or -stroke is needed";
        return false;
    }
    if (kind == Kind::Stroke && steps < 1) {
        error = "-stroke needs -steps N with N at least 1";
        return false;
    }
    if (kind != Kind::Stroke && steps != 0) {
        error = "-steps goes with -stroke only";
        return false;
    }
    if (kind == Kind::Move && (modifiers.shift || modifiers.control)) {
        error = "-shift and -ctrl go with button events only";
        return false;
    }
    return true;
}

bool MouseArgs::readFlag(const std::string& flag, const std::vector<script::Argument>& args,
                         std::size_t& i, std::string& error) {
    if (flag == "-shift" || flag == "-ctrl") {
        (flag == "-shift" ? modifiers.shift : modifiers.control) = true;
        return true;
    }
    if (flag == "-steps") {
        std::vector<long> n;
        if (!readNumbers(args, i, 1, 1, std::numeric_limits<int>::max(), n)) {
            error = "-steps needs a whole number of at least 1";
            return false;
        }
        steps = static_cast<int>(n[0]);
        return true;
    }
    for (const ActionFlag& candidate : kActions) {
        if (flag != candidate.name) continue;
        if (!setKind(candidate.kind, flag, error)) return false;
        action = candidate.action;
        const std::size_t count = kind == Kind::Stroke ? 4 : 2;
        std::vector<long> values;
        if (!readNumbers(args, i, count, std::numeric_limits<short>::min(),
                         std::numeric_limits<short>::max(), values)) {
            error = flag + (count == 4 ? " needs X0 Y0 X1 Y1" : " needs X Y") +
                    " as whole numbers of port pixels";
            return false;
        }
        coords.assign(values.begin(), values.end());
        return true;
    }
    error = "Invalid flag: " + flag;
    return false;
}

bool MouseArgs::setKind(Kind wanted, const std::string& flag, std::string& error) {
    if (kind != Kind::None) {
        error = "Only one mouse action at a time: " + flag + " is one too many";
        return false;
    }
    kind = wanted;
    return true;
}

} // namespace rvhost
