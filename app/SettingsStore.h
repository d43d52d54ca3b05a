#pragma once

#include <functional>
#include <string>

#include "app/Settings.h"

// Owns the settings of the run: the ones kept in the player's file and the ones in force,
// which may differ for one run (a command-line option overrides the file without being
// written to it). A change the player makes in the game applies to both and is saved.
//
// The game never fails for its settings: a missing, unreadable or malformed file gives
// the defaults and one warning line on stderr (a missing one is then written with the
// defaults, so only the first run warns), and a file that cannot be written is reported
// the same way and otherwise ignored. A store without a path (tests, replays, benchmarks)
// reads and writes nothing.
class SettingsStore {
public:
    SettingsStore() = default;
    explicit SettingsStore(std::string path) : path(std::move(path)) {}

    // A store without a file whose pictures are reproducible: no multisampling and the full
    // render scale instead of the automatic choices, which depend on the machine and on
    // its speed. The one tests, replays and benchmarks keep.
    static SettingsStore Reproducible();

    // settings.ini in the system's settings folder for the game (SettingsFolder: under
    // %APPDATA% on Windows, $XDG_CONFIG_HOME or ~/.config elsewhere); empty when there is
    // none. Paths are UTF-8 throughout.
    static std::string DefaultPath();

    // Reads the file into both the kept and the effective settings. Returns false (and
    // leaves the defaults, after a warning) when it is missing or unreadable; a missing
    // file is created with the defaults. Bad lines keep their defaults and are each warned
    // about, but still count as read.
    bool Load();
    // Writes the kept settings: to a temporary file beside it, then renamed over it, so
    // an interrupted write never leaves half a file. Creates the folder when needed.
    bool Save() const;

    // For this run only (command-line options).
    void Override(const std::function<void(Settings&)>& change) { change(effective); }
    // The player changed something: applied to both copies and saved at once.
    void Change(const std::function<void(Settings&)>& change);

    const Settings& Get() const { return effective; }
    const Settings& Kept() const { return kept; }
    const std::string& GetPath() const { return path; }

private:
    void Warn(const std::string& message) const;

    std::string path;
    Settings kept;
    Settings effective;
};
