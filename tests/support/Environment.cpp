#include "support/Environment.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

void SetEnv(const char* name, const char* value, bool overwrite) {
    if (!overwrite && std::getenv(name) != nullptr) return;
#ifdef _WIN32
    // An empty value would remove the variable on Windows; tests never need one.
    _putenv_s(name, value);
    SetEnvironmentVariableA(name, value);
#else
    setenv(name, value, 1);
#endif
}

void UnsetEnv(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");
    SetEnvironmentVariableA(name, nullptr);
#else
    unsetenv(name);
#endif
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
