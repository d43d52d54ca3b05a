#include "engine/platform/HostLoop.h"

#include <utility>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#ifdef __EMSCRIPTEN__

namespace {

struct BrowserLoop {
    std::function<bool()> turn;
    std::function<void()> finish;
};

void BrowserFrame(void* state) {
    auto* loop = static_cast<BrowserLoop*>(state);
    if (loop->turn()) return;
    emscripten_cancel_main_loop();
    loop->finish();
    delete loop;
}

}  // namespace

void RunHostLoop(std::function<bool()> turn, std::function<void()> finish) {
    auto* loop = new BrowserLoop{std::move(turn), std::move(finish)};
    // Frame rate 0: the browser's animation frames (the display's rate) pace the turns.
    emscripten_set_main_loop_arg(BrowserFrame, loop, 0, 1);
}

#else

void RunHostLoop(std::function<bool()> turn, std::function<void()> finish) {
    while (turn()) {
    }
    finish();
}

#endif
