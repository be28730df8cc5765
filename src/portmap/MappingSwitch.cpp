#include "portmap/MappingSwitch.h"

#include <cstdlib>
#include <cstring>

namespace tc::portmap {

bool mappingSwitchedOff() {
    const char* v = std::getenv(kSwitchVariable);
    return v && *v && std::strcmp(v, "0") != 0;
}

} // namespace tc::portmap
