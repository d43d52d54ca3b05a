#include "support/Environment.h"

#include <cstdlib>

#include "engine/platform/SystemConventions.h"

void SetEnv(const char* name, const char* value, bool overwrite) {
    SetEnvironmentValue(name, value, overwrite);
}

void UnsetEnv(const char* name) {
    RemoveEnvironmentValue(name);
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name(name) {
    if (const char* old = std::getenv(name)) {
        previous = old;
        hadValue = true;
    }
    if (value != nullptr) {
        SetEnv(name, value);
    } else {
        UnsetEnv(name);
    }
}

ScopedEnv::~ScopedEnv() {
    if (hadValue) {
        SetEnv(name.c_str(), previous.c_str());
    } else {
        UnsetEnv(name.c_str());
    }
}
