#pragma once

#include <string>

// Environment changes for tests, the same on every system (through the platform layer's
// SetEnvironmentValue, which on Windows changes both copies of the environment).

// Sets name to value; with overwrite false an existing value is kept (as setenv(…, 0)).
void SetEnv(const char* name, const char* value, bool overwrite = true);
void UnsetEnv(const char* name);

// Sets (or, with a null value, removes) a variable for one scope and restores it after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name;
    std::string previous;
    bool hadValue = false;
};
