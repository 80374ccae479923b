#pragma once
#include <maya/MTypes.h>

// The shape of the mouse cursor over a view while a tool is current. This host has no
// screen; a cursor is kept only so that tools can set it and tests can read it back.
class OPENMAYA_EXPORT MCursor {
public:
    constexpr MCursor() = default;
    MCursor(short width, short height, short hotSpotX, short hotSpotY, const unsigned char* bits,
            const unsigned char* mask);

    bool operator==(const MCursor& other) const { return id_ == other.id_; }
    bool operator!=(const MCursor& other) const { return id_ != other.id_; }

    static const MCursor defaultCursor;
    static const MCursor crossHairCursor;
    static const MCursor doubleCrossHairCursor;
    static const MCursor editCursor;
    static const MCursor pencilCursor;
    static const MCursor handCursor;

    // Host side only: the built-in shapes are numbered from 0 (defaultCursor) in the order
    // above; every bitmap cursor gets a number of its own.
    int id() const { return id_; }

private:
    constexpr explicit MCursor(int id) : id_(id) {}
    int id_ = 0;
};
