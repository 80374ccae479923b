#include "ApiVersion.h"

namespace rvhost {

// The API level this host implements; plug-ins export the level they were built against.
const char* const kApiVersion = "201602";

} // namespace rvhost
