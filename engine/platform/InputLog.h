#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/Platform.h"

// What the game read from the platform during one pass, in the order it read it: the keys
// held and whether the window was active (both sampled once when the pass's events are
// pumped), every cursor position (relative to the client area's top-left corner) and every
// clock reading. Replaying the same answers in the
// same order reproduces a run exactly, including the random seed the battle takes from the clock.
struct PassLog {
    std::set<int> held;
    std::vector<PlatformPoint> cursorReads;
    std::vector<uint32_t> timeReads;
    bool inactive = false;  // the window was in the background or minimised: no game pass
    bool operator==(const PassLog&) const = default;
};

// A recorded session. passes[0] holds what was read before the first pass (the loop's
// first clock reading); passes[n] the n-th pass.
struct InputLog {
    std::vector<PassLog> passes;

    // Text format, one pass per line:
    //   "hoshikage-input 2" header line, then per pass
    //   k <hex key codes, comma separated or -> c <x,y;x,y or -> [p] t <ms ms ... or ->
    // where p marks a pass whose window was inactive. Recordings made before that mark
    // existed ("hoshikage-input 1", never inactive) are read as well.
    bool Save(const std::string& path) const;
    // False (and the log left empty) on a missing, truncated or malformed file.
    bool Load(const std::string& path);

    std::string ToText() const;
    bool FromText(const std::string& text);
};

// The virtual-key codes the game polls; the recorder samples these each pass.
const std::vector<int>& RecordedKeys();
