#include "Local.h"
#  include "display/Draw.h"
#include "sculpt/Base.h"
#include "services/Tool.h" // after the seam
