#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/Platform.h"

// What the game read from the platform during one pass, in the order it read it: the keys
// held, through the bindings and raw, and whether the window was active (sampled once when
// the pass's events are pumped), every cursor position (relative to the client area's
// top-left corner), every clock reading, and what each call for menu keys, commands and
// captured inputs returned (calls after the last one that returned something are not kept:
// they returned nothing). Replaying the same answers in the same order reproduces a run
// exactly, including the random seed the battle takes from the clock.
struct PassLog {
    std::set<int> held;
    std::vector<PlatformPoint> cursorReads;
    std::vector<uint32_t> timeReads;
    bool inactive = false;  // the window was in the background or minimised: no game pass
    std::set<int>
        rawHeld;  // IsRawKeyDown's answers: the same keys as held unless a key was rebound
    std::vector<std::vector<MenuKey>> menuReads;
    // Only the commands that change what a pass does (pause, options) are kept.
    std::vector<std::vector<PlatformCommand>> commandReads;
    std::vector<std::optional<PhysicalInput>> captureReads;
    bool operator==(const PassLog&) const = default;
};

// A recorded session. passes[0] holds what was read before the first pass (the loop's
// first clock reading); passes[n] the n-th pass.
struct InputLog {
    std::vector<PassLog> passes;

    // Text format, one pass per line:
    //   "hoshikage-input 3" header line, then per pass
    //   k <hex key codes, comma separated or -> c <x,y;x,y or -> [p] [r <hex key codes or ->]
    //   [m <calls>] [o <calls>] [x <calls>] t <ms ms ... or ->
    // where p marks a pass whose window was inactive, r gives the raw keys where they differ
    // from k, and m, o and x the menu keys, commands and captures the calls of the pass
    // returned, the calls separated by ';': menu keys as letters U D L R A B, commands as P
    // (pause) O (options), '.' for a call that returned none; a capture as '.' (nothing
    // yet), 'n' (cancelled), or k, m, p and the decimal code of a key, mouse button or pad
    // input. Recordings made before these existed ("hoshikage-input 2" without r, m, o, x;
    // "hoshikage-input 1" without p either) are read as well.
    bool Save(const std::string& path) const;
    // False (and the log left empty) on a missing, truncated or malformed file, including a
    // cursor position beyond 2^24 pixels either way.
    bool Load(const std::string& path);

    std::string ToText() const;
    bool FromText(const std::string& text);
};

// The virtual-key codes the game polls; the recorder samples these each pass, through the
// bindings and raw.
const std::vector<int>& RecordedKeys();
// Whether a command changes what a pass does, and so belongs in a recording.
bool IsRecordedCommand(PlatformCommand command);
