#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

// A mouse event given to a tool context: the port position of the cursor, the button and
// the modifier keys held.
class OPENMAYA_EXPORT MEvent {
public:
    enum MouseButtonType { kLeftMouse = 1 << 6, kMiddleMouse = 1 << 7 };
    enum ModifierType { shiftKey = 1 << 0, controlKey = 1 << 2 };

    MEvent() = default;
    virtual ~MEvent() = default;

    MStatus getPosition(short& x_pos, short& y_pos) const;
    MStatus setPosition(short x_pos, short y_pos);
    // This host's events come from a port that fills its window, so both positions agree.
    MStatus getWindowPosition(short& x_pos, short& y_pos) const;

    MouseButtonType mouseButton(MStatus* ReturnStatus = nullptr) const;
    bool isModifierKeyRelease(MStatus* ReturnStatus = nullptr) const;
    ModifierType modifiers(MStatus* ReturnStatus = nullptr) const;
    MStatus setModifiers(const ModifierType& modType);
    bool isModifierNone(MStatus* ReturnStatus = nullptr) const;
    bool isModifierShift(MStatus* ReturnStatus = nullptr) const;
    bool isModifierControl(MStatus* ReturnStatus = nullptr) const;
    bool isModifierLeftMouseButton(MStatus* ReturnStatus = nullptr) const;
    bool isModifierMiddleMouseButton(MStatus* ReturnStatus = nullptr) const;

    // Host side only: the button that made the event.
    void setMouseButton(MouseButtonType button) { button_ = button; }

private:
    short x_ = 0;
    short y_ = 0;
    int modifiers_ = 0;
    MouseButtonType button_ = kLeftMouse;
};
