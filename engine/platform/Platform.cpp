#include "engine/platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::unique_ptr<Platform>& Slot() {
    static std::unique_ptr<Platform> platform;
    return platform;
}
}  // namespace

Platform& GetPlatform() {
    if (!Slot()) {
        // Every entry point installs a backend first; reaching this is a programming error.
        std::fputs("no platform installed\n", stderr);
        std::abort();
    }
    return *Slot();
}

void SetPlatform(std::unique_ptr<Platform> platform) {
    Slot() = std::move(platform);
}

bool HasPlatform() {
    return Slot() != nullptr;
}
