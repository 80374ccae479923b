// hostTablet -press/-move/-release X Y [-pressure P] [-xTilt A] [-yTilt B]
// [-pointer pen/eraser/cursor]: one real Qt tablet event to the main window.
#include "platformcmd/ArgReader.h"
#include "platformcmd/PlatformCommands.h"

#include "ui/TabletInput.h"

#include <cmath>

namespace rvhost::platformcmd {
namespace {

using ui::TabletSample;

const char kUsage[] = "use -press, -move or -release X Y, then -pressure P -xTilt A -yTilt B "
                      "-pointer pen/eraser/cursor as needed";

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

MStatus hostTablet(const script::CommandCall& call, script::Value&) {
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
    ui::sendTabletEvent(sample);
    return MS::kSuccess;
}

} // namespace

void registerTabletCommand(script::CommandTable& table) {
    table.add("hostTablet", hostTablet);
}

} // namespace rvhost::platformcmd
