#pragma once

#include <string>

// The web page the browser build runs in (packaging/web/index.html), as the platform layer
// talks to it. On the desktop there is no page: kInBrowser is false and the calls do nothing.
namespace browser_page {

#ifdef __EMSCRIPTEN__
inline constexpr bool kInBrowser = true;
#else
inline constexpr bool kInBrowser = false;
#endif

// A message box of the desktop, as text over the page's canvas.
void ShowMessage(const std::string& caption, const std::string& text, bool error);
// A picture was presented: the page counts them (its loading screen gives way at the first,
// and the browser test reads the count).
void FramePresented();
// The game has shut down (the loop ended): the page says so in place of the canvas.
void GameEnded();

}  // namespace browser_page
