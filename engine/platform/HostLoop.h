#pragma once

#include <functional>

// Runs the game's loop as the host allows: `turn` (one turn of the loop: pump, passes,
// picture) until it returns false, then `finish` once.
//
// On the desktop this is a plain loop on the calling thread and returns after `finish`.
// A browser owns its loop and must get control back after every turn, or the tab freezes:
// there the turns run once per animation frame and this call never returns (the page keeps
// the program, with main's stack, alive between frames); `finish` runs after the last turn.
void RunHostLoop(std::function<bool()> turn, std::function<void()> finish);
