#pragma once

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

// Runs the leak check now, while the GL driver is still loaded: what it keeps for the life
// of the process is then told apart by module (the suppressions in LeakChecks.cpp). Does
// nothing without the address sanitizer.
inline void CheckLeaksWhileDriverLoaded() {
#ifdef __SANITIZE_ADDRESS__
    __lsan_do_leak_check();
#endif
}
