#pragma once
#include "script/Value.h"

#include <vector>

namespace rvhost {

// The scalars behind an MArgList: ints, floats and strings only.
struct ArgValues {
    std::vector<script::Value> items;
};

} // namespace rvhost
