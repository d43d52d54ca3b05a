#pragma once

#include <string>

struct SDL_Window;

// What the game does the way each operating system expects, apart from the window: where
// a player's own files live and how a player starts the game without sound. Each answer
// is made here, once, so that nothing above the platform layer asks which system it is on.

// The folder for the player's settings, in UTF-8, without a trailing separator; empty
// when none can be found (the game then keeps no settings).
//   Windows:    %APPDATA%\hoshikage (the roaming application data folder)
//   elsewhere:  $XDG_CONFIG_HOME/hoshikage, or ~/.config/hoshikage when XDG_CONFIG_HOME is
//               unset or not absolute (the XDG rule: a relative value is ignored)
std::string SettingsFolder();

// Environment variables as every library in the process reads them: on Windows the C
// runtime keeps a copy of its own (what getenv and OpenAL Soft read) beside the process's
// (what SDL reads and child processes inherit), and both change. With overwrite false an
// existing value is kept. Values must not be empty (Windows would remove the variable).
void SetEnvironmentValue(const char* name, const char* value, bool overwrite);
void RemoveEnvironmentValue(const char* name);

// For runs without a player (the tools' headless shots and replays): OpenAL Soft's null
// output, and SDL's offscreen video where there is one (Windows has none: SDL's own driver
// opens a window there). Whatever the environment already names is kept.
void UseHeadlessDrivers();

// Makes the game's folder the current one when the current folder has no Data/ but the
// program's own folder has: a shortcut, "Open with" or a Command Prompt may start the
// program from anywhere, and the game reads its data by relative paths.
void EnterGameFolder();

// The lines the no-sound message ends with: how to start the game with OpenAL Soft's null
// output on this system, and where the read-me explains it.
std::string StartWithoutSoundHint();

// A modal message box in the system's own style, owned by the window when one is given:
// on Windows a real MessageBox (OK; the error icon for errors), elsewhere SDL's. Returns
// false when it could not be shown (no display). HOSHIKAGE_NO_MESSAGE_BOX=1 in the
// environment suppresses it for unattended runs (tests, scripts), which read stderr.
bool ShowSystemMessageBox(const std::string& caption, const std::string& text, bool error,
                          SDL_Window* owner);
