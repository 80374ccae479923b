#include "sculpt/Up.h"
