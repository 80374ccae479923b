#include "platformcmd/ArgReader.h"

#include "script/ScriptCommands.h"

#include <cstdlib>

namespace rvhost::platformcmd {

using script::Value;

const Value* ArgReader::peek() const {
    return done() ? nullptr : &call_.args[next_].value;
}

bool ArgReader::text(std::string& out) {
    const Value* v = peek();
    if (!v || v->isArray() || v->isNone()) return false;
    out = v->asString();
    ++next_;
    return true;
}

bool ArgReader::number(double& out) {
    const Value* v = peek();
    if (!v) return false;
    if (v->type() == Value::Type::Int || v->type() == Value::Type::Float) {
        out = v->asFloat();
    } else if (v->type() == Value::Type::String) {
        const std::string s = v->asString();
        char* end = nullptr;
        out = std::strtod(s.c_str(), &end);
        if (s.empty() || *end != '\0') return false;
    } else {
        return false;
    }
    ++next_;
    return true;
}

MStatus ArgReader::fail(const std::string& text) const {
    return script::commandError(call_.name + ": " + text);
}

} // namespace rvhost::platformcmd
