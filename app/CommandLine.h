#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/SettingsStore.h"

// The game's command line: options that override the settings file for one run.
//
//   --fullscreen | --windowed        window mode
//   --mute                           start muted (also HOSHIKAGE_MUTE=1 in the environment)
//   --volume N                       master volume, 0..100 percent
//   --antialias auto|off|2|4|8       multisampling of the 3D picture
//   --render-scale auto|50..100      3D resolution in percent
//   --settings FILE                  read and write this settings file instead
//   --no-settings                    neither read nor write a settings file
//   --help, --version
struct CommandLine {
    bool help = false;
    bool version = false;
    // Empty when the command line is usable; otherwise what is wrong with it.
    std::string error;
    // The settings file to use: SettingsStore::DefaultPath() unless an option says
    // otherwise; empty for none.
    std::string settingsPath;

    // Each applies one option to the run's settings, in command-line order.
    std::vector<std::function<void(Settings&)>> overrides;

    // Parses argv[1..argc-1]; environment is consulted for HOSHIKAGE_MUTE.
    static CommandLine Parse(int argc, const char* const* argv);
    // The options, and where this system keeps the settings file.
    static std::string Usage();

    // Loads the chosen settings file into the store and applies the overrides.
    SettingsStore MakeStore() const;
};
