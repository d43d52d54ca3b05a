#include "app/CommandLine.h"

#include <cstdlib>
#include <cstring>

CommandLine CommandLine::Parse(int argc, const char* const* argv) {
    CommandLine line;
    line.settingsPath = SettingsStore::DefaultPath();

    const char* mute = std::getenv("HOSHIKAGE_MUTE");
    bool muteFromEnvironment = false;
    if (mute != nullptr && ParseSettingsBool(mute, muteFromEnvironment) && muteFromEnvironment) {
        line.overrides.push_back([](Settings& s) { s.mute = true; });
    }

    for (int i = 1; i < argc && line.error.empty(); ++i) {
        const std::string option = argv[i];
        // Options with a value take it as the next argument or after '='.
        std::string value;
        std::string name = option;
        const std::size_t eq = option.find('=');
        const bool inlineValue = option.rfind("--", 0) == 0 && eq != std::string::npos;
        if (inlineValue) {
            name = option.substr(0, eq);
            value = option.substr(eq + 1);
        }
        const auto takeValue = [&]() -> bool {
            if (inlineValue) return true;
            if (i + 1 >= argc) {
                line.error = name + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        const auto bad = [&] { line.error = "bad value \"" + value + "\" for " + name; };

        if (name == "--help" || name == "-h") {
            line.help = true;
        } else if (name == "--version") {
            line.version = true;
        } else if (name == "--fullscreen") {
            line.overrides.push_back([](Settings& s) { s.fullscreen = true; });
        } else if (name == "--windowed") {
            line.overrides.push_back([](Settings& s) { s.fullscreen = false; });
        } else if (name == "--mute") {
            line.overrides.push_back([](Settings& s) { s.mute = true; });
        } else if (name == "--volume") {
            int volume = 0;
            if (!takeValue()) break;
            if (!ParseVolume(value, volume)) {
                bad();
                break;
            }
            line.overrides.push_back([volume](Settings& s) { s.volume = volume; });
        } else if (name == "--antialias") {
            int samples = 0;
            if (!takeValue()) break;
            if (!ParseAntiAliasing(value, samples)) {
                bad();
                break;
            }
            line.overrides.push_back([samples](Settings& s) { s.antiAliasing = samples; });
        } else if (name == "--render-scale") {
            int percent = 0;
            if (!takeValue()) break;
            if (!ParseRenderScale(value, percent)) {
                bad();
                break;
            }
            line.overrides.push_back([percent](Settings& s) { s.renderScale = percent; });
        } else if (name == "--vsync") {
            int vsync = 0;
            if (!takeValue()) break;
            if (!ParseVsync(value, vsync)) {
                bad();
                break;
            }
            line.overrides.push_back([vsync](Settings& s) { s.vsync = vsync; });
        } else if (name == "--settings") {
            if (!takeValue()) break;
            if (value.empty()) {
                bad();
                break;
            }
            line.settingsPath = value;
        } else if (name == "--no-settings") {
            line.settingsPath.clear();
        } else {
            line.error = "unknown option " + option;
        }
    }
    return line;
}

std::string CommandLine::Usage() {
    const std::string settings = SettingsStore::DefaultPath();
    return std::string(
               "usage: hoshikage [options]\n"
               "  --fullscreen, --windowed      window mode (F11 or Alt+Enter in the game)\n"
               "  --mute                        start muted (or HOSHIKAGE_MUTE=1)\n"
               "  --volume N                    master volume, 0 to 100 percent\n"
               "  --antialias auto|off|2|4|8    multisampling of the 3D picture\n"
               "  --render-scale auto|50..100   3D resolution in percent of 1280x720\n"
               "  --vsync auto|on|off           wait for the display to show each picture\n"
               "  --settings FILE               use this settings file\n"
               "  --no-settings                 read and write no settings file\n"
               "  --help, --version\n") +
           (settings.empty() ? std::string("No settings folder was found: nothing is kept.\n")
                             : "Settings are kept in " + settings + ".\n");
}

SettingsStore CommandLine::MakeStore() const {
    SettingsStore store(settingsPath);
    store.Load();
    for (const auto& apply : overrides) store.Override(apply);
    return store;
}
