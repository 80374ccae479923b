#include "sculpt/Base.h"
#include "heightmap/Picture.h"
