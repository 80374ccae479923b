#include <maya/MEvent.h>

namespace {

void succeed(MStatus* status) {
    if (status) *status = MS::kSuccess;
}

} // namespace

MStatus MEvent::getPosition(short& x_pos, short& y_pos) const {
    x_pos = x_;
    y_pos = y_;
    return MS::kSuccess;
}

MStatus MEvent::setPosition(short x_pos, short y_pos) {
    x_ = x_pos;
    y_ = y_pos;
    return MS::kSuccess;
}

MStatus MEvent::getWindowPosition(short& x_pos, short& y_pos) const {
    return getPosition(x_pos, y_pos);
}

MEvent::MouseButtonType MEvent::mouseButton(MStatus* ReturnStatus) const {
    succeed(ReturnStatus);
    return button_;
}

bool MEvent::isModifierKeyRelease(MStatus* ReturnStatus) const {
    succeed(ReturnStatus);
    return false;
}

MEvent::ModifierType MEvent::modifiers(MStatus* ReturnStatus) const {
    succeed(ReturnStatus);
    return static_cast<ModifierType>(modifiers_);
}

MStatus MEvent::setModifiers(const ModifierType& modType) {
    modifiers_ = modType;
    return MS::kSuccess;
}

bool MEvent::isModifierNone(MStatus* ReturnStatus) const {
    succeed(ReturnStatus);
    return modifiers_ == 0;
}

bool MEvent::isModifierShift(MStatus* ReturnStatus) const {
    succeed(ReturnStatus);
    return (modifiers_ & shiftKey) != 0;
}

bool MEvent::isModifierControl(MStatus* ReturnStatus) const {
    succeed(ReturnStatus);
    return (modifiers_ & controlKey) != 0;
}

bool MEvent::isModifierLeftMouseButton(MStatus* ReturnStatus) const {
    succeed(ReturnStatus);
    return button_ == kLeftMouse;
}

bool MEvent::isModifierMiddleMouseButton(MStatus* ReturnStatus) const {
    succeed(ReturnStatus);
    return button_ == kMiddleMouse;
}
