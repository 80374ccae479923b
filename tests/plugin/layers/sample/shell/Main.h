#include "services/Tool.h"
#include "sculpt/Base.h"
