#pragma once

#include <set>

#include "engine/platform/PadState.h"

// How a controller plays the game: it stands in for the keys and the mouse, so the game's
// rules (which read keys and cursor motion) are the same for both.
//
//   left stick        W / A / S / D, past a dead zone, in eight directions; the game moves
//                     at its key speeds (it has no partial step)
//   right stick       mouse motion, past a dead zone, with a squared response for fine aim
//   D-pad             arrow keys (turn the camera)
//   RT, X             left button: swing / fire, held to brake, click on the screens
//   Y                 right button: switch weapon
//   LB, LT            Shift: boost
//   RB                Space: turn toward the nearest enemy
//   A, Start          Enter: start and continue on the title, clear and game-over screens
//
// That is the default binding (InputBindings): the platform holds a virtual key while the
// input its action is bound to is held. Start (also the pause command) and Back (the
// options) are the menus' and are never rebound.
namespace padmap {
// Radial dead zones, in stick units out of 32767.
constexpr int kMoveDeadZone = 8000;
constexpr int kLookDeadZone = 7000;
// A trigger counts as pressed past half its travel.
constexpr int kTriggerThreshold = 16384;
// A full deflection of the right stick turns the camera by this many mouse pixels a pass
// (the camera turns 0.25° per pixel: 12 px = 3° a pass, about 190° a second).
constexpr float kLookPixelsPerPass = 12.0f;
}  // namespace padmap

// The controller inputs the pad holds (its buttons, and the padinput codes of
// InputBindings.h for the triggers and the left stick's directions), added to `held`.
void AddPadInputs(const PadState& pad, std::set<int>& held);
// The virtual keys (Windows codes) the pad holds with the default bindings, added to `held`.
void AddPadKeys(const PadState& pad, std::set<int>& held);

// The camera motion the right stick asks for in one pass, in mouse pixels (fractions kept:
// the caller carries them over, so a slight tilt still turns slowly).
struct PadLook {
    float dx = 0.0f;
    float dy = 0.0f;
};
PadLook PadLookMotion(const PadState& pad);
