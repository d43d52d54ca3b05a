#pragma once

#include <string>
#include <utility>
#include <vector>

// The player's choices that outlive a run: what the game sounds and looks like around the
// fixed game itself. Plain data with its defaults; SettingsStore reads and writes it.
//
// File format (settings.ini): one `key = value` per line; blank lines and lines starting
// with '#' or ';' are comments. Known keys:
//   volume       = 0..100        master volume in percent of the calibrated level
//   mute         = true | false  (also yes/no, on/off, 1/0)
//   fullscreen   = true | false  desktop fullscreen instead of a window
//   antialias    = auto | off | 2 | 4 | 8   multisampling of the 3D picture
//   render_scale = auto | 50..100           3D resolution in percent of 1280 × 720
//   vsync        = auto | on | off          wait for the display to show each picture
//   music_volume   = 0..100      the music's share of the master volume, in percent
//   effects_volume = 0..100      the sound effects' share, in percent
//   mouse_sensitivity = 0.25..4  a factor on the camera's turn per mouse pixel
//   invert_look  = true | false  the mouse and the right stick turn the view the other way up
//   pad_look_sensitivity = 0.25..4  a factor on the right stick's camera turn
//   bind.<action> = ...          the keys and buttons of one action (read by the input
//                                layer, which checks them; kept here as written)
// Unknown keys are kept as read and written back; a bad value keeps the default.
struct Settings {
    static constexpr int kAuto = -1;  // antiAliasing / renderScale / vsync: decided at run time
    static constexpr int kMaxVolume = 100;
    static constexpr int kMinRenderScale = 50;
    static constexpr int kMaxRenderScale = 100;
    // Look sensitivities are kept in percent of the game's own rate (100 = 1×).
    static constexpr int kMinSensitivity = 25;
    static constexpr int kMaxSensitivity = 400;

    int volume = kMaxVolume;  // percent
    bool mute = false;
    bool fullscreen = false;
    int antiAliasing = kAuto;        // kAuto, 0 (off), or 2, 4, 8 samples
    int renderScale = kAuto;         // kAuto, or a fixed percent in [50, 100]
    int vsync = kAuto;               // kAuto, 0 (off) or 1 (on)
    int musicVolume = kMaxVolume;    // percent of the master volume
    int effectsVolume = kMaxVolume;  // percent of the master volume
    int mouseSensitivity = 100;      // percent, kMinSensitivity..kMaxSensitivity
    bool invertLook = false;
    int padLookSensitivity = 100;  // percent, kMinSensitivity..kMaxSensitivity

    // `bind.<action>` lines in file order, the action's name without the prefix and its
    // value as written. The input layer reads them and falls back to its defaults for any
    // it cannot use.
    std::vector<std::pair<std::string, std::string>> bindings;

    // Lines with keys this build does not know, in file order: kept so that a newer or
    // older build's choices survive a save.
    std::vector<std::pair<std::string, std::string>> unknown;

    bool operator==(const Settings&) const = default;
};

// Reads the text of a settings file. Every line that cannot be used (no '=', an empty
// key, a value out of range) adds one warning and leaves that setting at its default.
Settings ParseSettings(const std::string& text, std::vector<std::string>& warnings);
// The text that ParseSettings reads back to the same settings.
std::string FormatSettings(const Settings& settings);

// Value parsers shared by the file and the command line; false on a bad value.
bool ParseSettingsBool(const std::string& value, bool& out);
bool ParseVolume(const std::string& value, int& out);
bool ParseAntiAliasing(const std::string& value, int& out);
bool ParseRenderScale(const std::string& value, int& out);
bool ParseVsync(const std::string& value, int& out);
// A factor such as 0.5, 1, 1.25 or 4 (or a percent: 150%), kept as a whole percent.
bool ParseSensitivity(const std::string& value, int& percent);
// The factor as the file writes it: 1, 0.5, 1.25.
std::string FormatSensitivity(int percent);
