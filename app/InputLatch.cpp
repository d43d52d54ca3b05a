#include "app/InputLatch.h"

InputLatch& InputLatch::GetInstance() {
    static InputLatch instance;
    return instance;
}

bool InputLatch::Trigger(bool held, bool& latched) {
    if (!held) {
        latched = false;
        return false;
    }
    if (latched) return false;
    latched = true;
    return true;
}
