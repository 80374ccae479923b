#include "view/HostViewCommand.h"

#include "script/ScriptCommands.h"
#include "view/ViewCommands.h"
#include "view/ViewRenderer.h"

#include <cmath>
#include <cstdlib>
#include <map>

namespace rvhost {

namespace {

using script::Value;

const std::map<std::string, ViewPort::Renderer> kRenderers = {
    {"legacy", ViewPort::Renderer::kLegacy},
    {"vp2", ViewPort::Renderer::kVp2},
    {"vp2-directx", ViewPort::Renderer::kVp2DirectX}};

// Flags and how many values follow each (outside query mode).
const std::map<std::string, size_t> kFlags = {
    {"-camera", 9},   {"-perspective", 1}, {"-ortho", 1},       {"-size", 2},
    {"-renderer", 1}, {"-snapshot", 1},    {"-worldToView", 3}, {"-refreshCount", 0}};

MStatus fail(const std::string& text) {
    return script::commandError("hostView: " + text);
}

bool asNumber(const Value& v, double& out) {
    if (v.type() == Value::Type::Int || v.type() == Value::Type::Float) {
        out = v.asFloat();
        return true;
    }
    if (v.type() != Value::Type::String) return false;
    const std::string s = v.asString();
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return !s.empty() && *end == '\0' && std::isfinite(out);
}

bool isQueryFlag(const script::Argument& arg) {
    const std::string text = arg.value.asString();
    return text == "-q" || text == "-query";
}

std::string rendererName(ViewPort::Renderer renderer) {
    for (const auto& [name, value] : kRenderers)
        if (value == renderer) return name;
    return {};
}

} // namespace

MStatus HostViewCommand::run(const script::CommandCall& call, Value& result) {
    MStatus status = parse(call.args);
    if (!status) return status;
    if (query_) return query(result);

    ViewPort view = ViewPort::active();
    status = settled(view);
    if (!status) return status;
    ViewPort::active() = view;

    if (snapshot_) {
        std::string error;
        if (!ViewRenderer::snapshot(ViewPort::active(), *snapshot_, error)) return fail(error);
    }
    if (!worldPoint_.empty()) {
        short x = 0, y = 0;
        const bool visible =
            ViewPort::active().toPort(MPoint(worldPoint_[0], worldPoint_[1], worldPoint_[2]), x, y);
        result = Value(std::vector<int>{x, y, visible ? 1 : 0});
    }
    return MS::kSuccess;
}

MStatus HostViewCommand::parse(const std::vector<script::Argument>& args) {
    if (args.empty()) return fail("no flag given");
    // -q may stand anywhere; in query mode flags take no values.
    for (const script::Argument& arg : args)
        query_ = query_ || isQueryFlag(arg);
    size_t next = 0;
    while (next < args.size()) {
        if (isQueryFlag(args[next])) {
            ++next;
            continue;
        }
        MStatus status = readFlag(args[next++].value.asString(), args, next);
        if (!status) return status;
    }
    if (query_ && queried_.size() != 1)
        return fail("query one of -refreshCount, -size, -renderer, -camera, -perspective, -ortho");
    return MS::kSuccess;
}

MStatus HostViewCommand::readFlag(const std::string& flag,
                                  const std::vector<script::Argument>& args, size_t& next) {
    auto known = kFlags.find(flag);
    if (known == kFlags.end()) return fail("invalid flag " + flag);
    if (query_) {
        queried_.push_back(flag);
        return MS::kSuccess;
    }
    if (known->second == 0) return fail(flag + " is a query: use it with -q");
    if (flag == "-renderer" || flag == "-snapshot") {
        if (next >= args.size() || args[next].value.isArray()) return fail(flag + " needs a value");
        const std::string text = args[next++].value.asString();
        if (flag == "-snapshot") {
            snapshot_ = text;
            return MS::kSuccess;
        }
        auto renderer = kRenderers.find(text);
        if (renderer == kRenderers.end())
            return fail("unknown renderer \"" + text + "\"; use legacy, vp2 or vp2-directx");
        renderer_ = renderer->second;
        return MS::kSuccess;
    }
    std::vector<double> values;
    MStatus status = numbers(args, next, known->second, flag, values);
    if (!status) return status;
    if (flag == "-camera") camera_ = values;
    if (flag == "-size") size_ = values;
    if (flag == "-worldToView") worldPoint_ = values;
    if (flag == "-perspective") perspective_ = values[0];
    if (flag == "-ortho") ortho_ = values[0];
    return MS::kSuccess;
}

MStatus HostViewCommand::numbers(const std::vector<script::Argument>& args, size_t& next,
                                 size_t count, const std::string& flag, std::vector<double>& out) {
    for (size_t i = 0; i < count; ++i, ++next) {
        double v = 0;
        if (next >= args.size() || !asNumber(args[next].value, v))
            return fail(flag + " needs " + std::to_string(count) +
                        (count == 1 ? " number" : " numbers"));
        out.push_back(v);
    }
    return MS::kSuccess;
}

MStatus HostViewCommand::settled(ViewPort& view) const {
    const std::vector<double>& c = camera_;
    if (!c.empty() && !view.camera().setLookAt(MPoint(c[0], c[1], c[2]), MPoint(c[3], c[4], c[5]),
                                               MVector(c[6], c[7], c[8])))
        return fail("-camera: the eye must differ from the centre and up must not point along "
                    "the line of sight");
    if (perspective_ && !view.camera().setPerspective(*perspective_))
        return fail("-perspective: the field of view must lie between 0 and 180 degrees");
    if (ortho_ && !view.camera().setOrthographic(*ortho_))
        return fail("-ortho: the width must be positive");
    if (!size_.empty() && (size_[0] != std::floor(size_[0]) || size_[1] != std::floor(size_[1]) ||
                           !view.setSize(int(size_[0]), int(size_[1]))))
        return fail("-size: width and height must be whole numbers from 1 to 16384");
    if (renderer_) view.setRenderer(*renderer_);
    return MS::kSuccess;
}

MStatus HostViewCommand::query(Value& result) const {
    const ViewPort& view = ViewPort::active();
    const Camera& camera = view.camera();
    const std::string& flag = queried_.front();
    if (flag == "-refreshCount") {
        result = Value(int(view.refreshCount()));
    } else if (flag == "-size") {
        result = Value(std::vector<int>{view.width(), view.height()});
    } else if (flag == "-renderer") {
        result = Value(rendererName(view.renderer()));
    } else if (flag == "-camera") {
        const MPoint& e = camera.eye();
        const MPoint& c = camera.centre();
        const MVector& u = camera.upHint();
        result = Value(std::vector<double>{e.x, e.y, e.z, c.x, c.y, c.z, u.x, u.y, u.z});
    } else if (flag == "-perspective") {
        result = Value(camera.horizontalFov());
    } else if (flag == "-ortho") {
        result = Value(camera.orthoWidth());
    } else {
        return fail(flag + " cannot be queried");
    }
    return MS::kSuccess;
}

void registerViewCommands(script::CommandTable& table) {
    table.add("hostView", [](const script::CommandCall& call, Value& result) {
        return HostViewCommand().run(call, result);
    });
}

} // namespace rvhost
