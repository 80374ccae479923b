#pragma once

namespace rvhost {
extern const char* const kApiVersion;
}
