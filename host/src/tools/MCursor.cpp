#include <maya/MCursor.h>

namespace {

// Bitmap cursors are numbered after the built-in shapes.
int nextBitmapId = 6;

} // namespace

const MCursor MCursor::defaultCursor(0);
const MCursor MCursor::crossHairCursor(1);
const MCursor MCursor::doubleCrossHairCursor(2);
const MCursor MCursor::editCursor(3);
const MCursor MCursor::pencilCursor(4);
const MCursor MCursor::handCursor(5);

MCursor::MCursor(short, short, short, short, const unsigned char*, const unsigned char*)
    : id_(nextBitmapId++) {}
