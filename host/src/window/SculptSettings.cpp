#include "window/SculptSettings.h"

#include <maya/MGlobal.h>

#include "script/Interpreter.h"
#include "tools/ContextRegistry.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace rvhost::window {

namespace {

const char* const kModeNames[SculptSettings::kModeCount] = {
    "Displace", "Smooth", "Bulge", "Flatten", "Pinch", "Grab", "Mask", "Smear", "NoDeform"};
const char* const kMirrorNames[3] = {"reflectAxisX", "reflectAxisY", "reflectAxisZ"};

MString option(const std::string& name) {
    return MString(("RVOption_" + name).c_str());
}

void readDouble(const std::string& name, double& field) {
    bool exists = false;
    const double v = MGlobal::optionVarDoubleValue(option(name), &exists);
    if (exists && std::isfinite(v)) field = v;
}

void readFlag(const std::string& name, bool& field) {
    bool exists = false;
    const int v = MGlobal::optionVarIntValue(option(name), &exists);
    if (exists) field = v != 0;
}

double clampRadius(double radius) {
    if (!std::isfinite(radius)) return SculptSettings::kMinRadius;
    return std::clamp(radius, SculptSettings::kMinRadius, SculptSettings::kMaxRadius);
}

} // namespace

SculptSettings SculptSettings::load() {
    SculptSettings s;
    bool exists = false;
    const int mode = MGlobal::optionVarIntValue(option("mode"), &exists);
    if (exists) s.mode = mode;
    readDouble("radius", s.radius);
    readDouble("value", s.value);
    readDouble("spacing", s.spacing);
    for (int axis = 0; axis < 3; ++axis)
        readFlag(kMirrorNames[axis], s.mirror[axis]);
    readFlag("useMask", s.mask);
    readFlag("realtimeUpdate", s.realtime);
    return s;
}

bool SculptSettings::store() const {
    MGlobal::setOptionVarValue(option("mode"), std::clamp(mode, 0, kModeCount - 1));
    MGlobal::setOptionVarValue(option("radius"), clampRadius(radius));
    if (std::isfinite(value)) MGlobal::setOptionVarValue(option("value"), value);
    if (std::isfinite(spacing) && spacing > 0.0)
        MGlobal::setOptionVarValue(option("spacing"), spacing);
    for (int axis = 0; axis < 3; ++axis)
        MGlobal::setOptionVarValue(option(kMirrorNames[axis]), int(mirror[axis]));
    MGlobal::setOptionVarValue(option("useMask"), int(mask));
    MGlobal::setOptionVarValue(option("realtimeUpdate"), int(realtime));
    return reloadCurrentTool();
}

void SculptSettings::scaleRadius(double factor) {
    radius = clampRadius(radius * factor);
}

std::string SculptSettings::statusText() const {
    std::ostringstream text;
    text << modeName(mode) << "   radius " << radius << "   value " << value;
    return text.str();
}

const char* SculptSettings::modeName(int mode) {
    return mode >= 0 && mode < kModeCount ? kModeNames[mode] : "unknown mode";
}

bool reloadCurrentTool() {
    ContextRegistry& registry = ContextRegistry::instance();
    const std::string name = registry.currentName();
    if (!registry.current()) return true;
    return static_cast<bool>(script::Interpreter::instance().execute(registry.commandNameOf(name) +
                                                                     " -e " + name + ";"));
}

} // namespace rvhost::window
