#include "engine/platform/BrowserPage.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace browser_page {

// The page defines Module.hoshikagePage (packaging/web/page.js); a page without it (an
// embedding of the module elsewhere) is told nothing.
#ifdef __EMSCRIPTEN__

void ShowMessage(const std::string& caption, const std::string& text, bool error) {
    // clang-format off
    EM_ASM({
        if (Module.hoshikagePage) Module.hoshikagePage.showMessage(UTF8ToString($0), UTF8ToString($1), !!$2);
    }, caption.c_str(), text.c_str(), error ? 1 : 0);
    // clang-format on
}

void FramePresented() {
    EM_ASM({
        if (Module.hoshikagePage) Module.hoshikagePage.framePresented();
    });
}

void GameEnded() {
    EM_ASM({
        if (Module.hoshikagePage) Module.hoshikagePage.gameEnded();
    });
}

#else

void ShowMessage(const std::string&, const std::string&, bool) {}
void FramePresented() {}
void GameEnded() {}

#endif

}  // namespace browser_page
