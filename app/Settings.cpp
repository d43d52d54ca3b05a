#include "app/Settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

namespace {

std::string Trim(const std::string& s) {
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    const auto begin = std::find_if(s.begin(), s.end(), notSpace);
    const auto end = std::find_if(s.rbegin(), s.rend(), notSpace).base();
    return begin < end ? std::string(begin, end) : std::string();
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A whole decimal integer, nothing before or after it.
bool ParseInt(const std::string& value, int& out) {
    const char* first = value.data();
    const char* last = first + value.size();
    int parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || end != last || value.empty()) return false;
    out = parsed;
    return true;
}

std::string FormatAuto(int value) {
    return value == Settings::kAuto ? std::string("auto") : std::to_string(value);
}

}  // namespace

bool ParseSettingsBool(const std::string& value, bool& out) {
    const std::string v = Lower(Trim(value));
    if (v == "true" || v == "yes" || v == "on" || v == "1") {
        out = true;
        return true;
    }
    if (v == "false" || v == "no" || v == "off" || v == "0") {
        out = false;
        return true;
    }
    return false;
}

bool ParseVolume(const std::string& value, int& out) {
    int v = 0;
    if (!ParseInt(Trim(value), v) || v < 0 || v > Settings::kMaxVolume) return false;
    out = v;
    return true;
}

bool ParseAntiAliasing(const std::string& value, int& out) {
    const std::string v = Lower(Trim(value));
    if (v == "auto") {
        out = Settings::kAuto;
        return true;
    }
    if (v == "off" || v == "0" || v == "1") {
        out = 0;
        return true;
    }
    int samples = 0;
    if (!ParseInt(v, samples) || (samples != 2 && samples != 4 && samples != 8)) return false;
    out = samples;
    return true;
}

bool ParseRenderScale(const std::string& value, int& out) {
    std::string v = Lower(Trim(value));
    if (v == "auto") {
        out = Settings::kAuto;
        return true;
    }
    if (!v.empty() && v.back() == '%') v.pop_back();
    int percent = 0;
    if (!ParseInt(v, percent) || percent < Settings::kMinRenderScale ||
        percent > Settings::kMaxRenderScale) {
        return false;
    }
    out = percent;
    return true;
}

bool ParseVsync(const std::string& value, int& out) {
    if (Lower(Trim(value)) == "auto") {
        out = Settings::kAuto;
        return true;
    }
    bool on = false;
    if (!ParseSettingsBool(value, on)) return false;
    out = on ? 1 : 0;
    return true;
}

bool ParseSensitivity(const std::string& value, int& percent) {
    std::string v = Trim(value);
    bool inPercent = false;
    if (!v.empty() && v.back() == '%') {
        inPercent = true;
        v = Trim(v.substr(0, v.size() - 1));
    }
    // Digits with at most one point and two decimals: no exponents, signs or locales, so
    // the same text means the same on every machine.
    const std::size_t point = v.find('.');
    const std::string whole = v.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : v.substr(point + 1);
    const auto digits = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
    };
    if (whole.empty() || whole.size() > 3 || !digits(whole) || !digits(fraction) ||
        fraction.size() > 2 || (point != std::string::npos && fraction.empty())) {
        return false;
    }
    int hundredths = std::stoi(whole) * 100;
    if (!fraction.empty()) hundredths += std::stoi(fraction) * (fraction.size() == 1 ? 10 : 1);
    const int result = inPercent ? (hundredths + 50) / 100 : hundredths;
    if (inPercent && !fraction.empty()) return false;
    if (result < Settings::kMinSensitivity || result > Settings::kMaxSensitivity) return false;
    percent = result;
    return true;
}

std::string FormatSensitivity(int percent) {
    std::string out = std::to_string(percent / 100);
    const int rest = percent % 100;
    if (rest != 0) {
        out += '.';
        out += static_cast<char>('0' + rest / 10);
        if (rest % 10 != 0) out += static_cast<char>('0' + rest % 10);
    }
    return out;
}

Settings ParseSettings(const std::string& text, std::vector<std::string>& warnings) {
    Settings settings;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';') continue;
        const auto where = "line " + std::to_string(number) + ": ";
        const std::size_t eq = trimmed.find('=');
        if (eq == std::string::npos) {
            warnings.push_back(where + "no '=' in \"" + trimmed + "\"");
            continue;
        }
        const std::string key = Lower(Trim(trimmed.substr(0, eq)));
        const std::string value = Trim(trimmed.substr(eq + 1));
        if (key.empty()) {
            warnings.push_back(where + "no key before '='");
            continue;
        }
        bool ok = true;
        if (key == "volume") {
            ok = ParseVolume(value, settings.volume);
        } else if (key == "mute") {
            ok = ParseSettingsBool(value, settings.mute);
        } else if (key == "fullscreen") {
            ok = ParseSettingsBool(value, settings.fullscreen);
        } else if (key == "antialias") {
            ok = ParseAntiAliasing(value, settings.antiAliasing);
        } else if (key == "render_scale") {
            ok = ParseRenderScale(value, settings.renderScale);
        } else if (key == "vsync") {
            ok = ParseVsync(value, settings.vsync);
        } else if (key == "music_volume") {
            ok = ParseVolume(value, settings.musicVolume);
        } else if (key == "effects_volume") {
            ok = ParseVolume(value, settings.effectsVolume);
        } else if (key == "mouse_sensitivity") {
            ok = ParseSensitivity(value, settings.mouseSensitivity);
        } else if (key == "invert_look") {
            ok = ParseSettingsBool(value, settings.invertLook);
        } else if (key == "pad_look_sensitivity") {
            ok = ParseSensitivity(value, settings.padLookSensitivity);
        } else if (key.rfind("bind.", 0) == 0 && key.size() > 5) {
            // A later line for the same action replaces an earlier one, as for every key.
            const std::string action = key.substr(5);
            auto same = std::find_if(settings.bindings.begin(), settings.bindings.end(),
                                     [&](const auto& b) { return b.first == action; });
            if (same != settings.bindings.end()) {
                same->second = value;
            } else {
                settings.bindings.emplace_back(action, value);
            }
        } else {
            settings.unknown.emplace_back(key, value);
        }
        if (!ok) warnings.push_back(where + "bad value \"" + value + "\" for " + key);
    }
    return settings;
}

std::string FormatSettings(const Settings& settings) {
    std::string out = "# Hoshikage settings; the game rewrites this file when they change.\n";
    out += "volume = " + std::to_string(settings.volume) + "\n";
    out += std::string("mute = ") + (settings.mute ? "true" : "false") + "\n";
    out += std::string("fullscreen = ") + (settings.fullscreen ? "true" : "false") + "\n";
    out += "antialias = " +
           (settings.antiAliasing == 0 ? std::string("off") : FormatAuto(settings.antiAliasing)) +
           "\n";
    out += "render_scale = " + FormatAuto(settings.renderScale) + "\n";
    out += std::string("vsync = ") +
           (settings.vsync == Settings::kAuto ? "auto"
            : settings.vsync == 1             ? "on"
                                              : "off") +
           "\n";
    out += "music_volume = " + std::to_string(settings.musicVolume) + "\n";
    out += "effects_volume = " + std::to_string(settings.effectsVolume) + "\n";
    out += "mouse_sensitivity = " + FormatSensitivity(settings.mouseSensitivity) + "\n";
    out += std::string("invert_look = ") + (settings.invertLook ? "true" : "false") + "\n";
    out += "pad_look_sensitivity = " + FormatSensitivity(settings.padLookSensitivity) + "\n";
    for (const auto& [action, value] : settings.bindings) {
        out += "bind." + action + " = " + value + "\n";
    }
    for (const auto& [key, value] : settings.unknown) out += key + " = " + value + "\n";
    return out;
}
