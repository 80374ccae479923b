// hostTablet -press/-move/-release X Y [-pressure P] [-xTilt A] [-yTilt B]
// [-pointer pen/eraser/cursor] [-shift] [-ctrl]: one real Qt tablet event to the main
// window, then the mouse event the window system makes from it, to the window and to the
// current tool.
#include "platformcmd/ArgReader.h"
#include "platformcmd/PlatformCommands.h"

#include "tools/Mouse.h"
#include "ui/TabletInput.h"

#include <cmath>

namespace rvhost::platformcmd {
namespace {

using ui::TabletSample;

const char kUsage[] = "use -press, -move or -release X Y, then -pressure P -xTilt A -yTilt B "
                      "-pointer pen/eraser/cursor -shift -ctrl as needed";

bool phaseFromFlag(const std::string& flag, TabletSample::Phase& phase) {
    if (flag == "-press")
        phase = TabletSample::Phase::Press;
    else if (flag == "-move")
        phase = TabletSample::Phase::Move;
    else if (flag == "-release")
        phase = TabletSample::Phase::Release;
    else
        return false;
    return true;
}

// Tilt is whole degrees from -60 to 60, as a tablet reports it.
MStatus readTilt(ArgReader& args, int& tilt) {
    double value = 0;
    if (!args.number(value) || value != std::floor(value) || value < -60 || value > 60)
        return args.fail("a tilt is a whole number of degrees from -60 to 60");
    tilt = static_cast<int>(value);
    return MS::kSuccess;
}

MStatus readOption(ArgReader& args, const std::string& flag, TabletSample& sample) {
    if (flag == "-pressure") {
        if (!args.number(sample.pressure) || sample.pressure < 0 || sample.pressure > 1)
            return args.fail("-pressure takes a number from 0 to 1");
        return MS::kSuccess;
    }
    if (flag == "-shift" || flag == "-ctrl") {
        (flag == "-shift" ? sample.shift : sample.control) = true;
        return MS::kSuccess;
    }
    if (flag == "-xTilt") return readTilt(args, sample.xTilt);
    if (flag == "-yTilt") return readTilt(args, sample.yTilt);
    std::string name;
    if (flag == "-pointer") {
        if (!args.text(name) || !ui::pointerFromName(name, sample.pointer))
            return args.fail("-pointer takes pen, eraser or cursor");
        return MS::kSuccess;
    }
    return args.fail("unknown flag " + flag + "; " + kUsage);
}

short portCoordinate(double value) {
    return static_cast<short>(std::lround(value));
}

// The pen's events go out as the window system sends them: the tablet event, then the
// mouse event made from it; the current tool gets that as a press, a drag while the pen is
// down, or a release, and a move of a hovering pen reaches the manipulators. The result is
// what hostMouse would give for the same mouse event.
MStatus deliver(ArgReader& args, const TabletSample& sample, script::Value& result) {
    Mouse& mouse = Mouse::instance();
    const bool press = sample.phase == TabletSample::Phase::Press;
    const bool release = sample.phase == TabletSample::Phase::Release;
    if (press && mouse.buttonDown()) return args.fail("the pen or mouse button is already down");
    if (release && !mouse.buttonDown()) return args.fail("the pen is not down");
    ui::sendTabletEvent(sample);
    ui::sendSynthesisedMouseEvent(sample);
    const short x = portCoordinate(sample.x), y = portCoordinate(sample.y);
    if (!press && !release && !mouse.buttonDown()) {
        result = static_cast<int>(mouse.move(x, y).size());
        return MS::kSuccess;
    }
    const Mouse::Action action =
        press ? Mouse::Action::Press : (release ? Mouse::Action::Release : Mouse::Action::Drag);
    MStatus handled;
    if (!mouse.act(action, x, y, {sample.shift, sample.control}, handled))
        return args.fail(mouse.lastError());
    result = static_cast<int>(handled.statusCode());
    return MS::kSuccess;
}

MStatus hostTablet(const script::CommandCall& call, script::Value& result) {
    ArgReader args(call);
    TabletSample sample;
    bool havePhase = false;
    std::string flag;
    while (!args.done()) {
        if (!args.text(flag)) return args.fail(kUsage);
        TabletSample::Phase phase;
        if (phaseFromFlag(flag, phase)) {
            if (havePhase) return args.fail("give only one of -press, -move and -release");
            if (!args.number(sample.x) || !args.number(sample.y))
                return args.fail(flag + " takes the port position X Y");
            sample.phase = phase;
            havePhase = true;
            continue;
        }
        MStatus status = readOption(args, flag, sample);
        if (!status) return status;
    }
    if (!havePhase) return args.fail(kUsage);
    return deliver(args, sample, result);
}

} // namespace

void registerTabletCommand(script::CommandTable& table) {
    table.add("hostTablet", hostTablet);
}

} // namespace rvhost::platformcmd
