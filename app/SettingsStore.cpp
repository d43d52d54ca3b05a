#include "app/SettingsStore.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "engine/platform/FilePath.h"
#include "engine/platform/SystemConventions.h"

namespace {

// Refuses files far beyond anything the game writes: a settings file is a few lines.
constexpr std::uintmax_t kMaxFileBytes = 64 * 1024;

}  // namespace

SettingsStore SettingsStore::Reproducible() {
    SettingsStore store;
    store.Override([](Settings& s) {
        s.antiAliasing = 0;
        s.renderScale = Settings::kMaxRenderScale;
        s.vsync = 0;
    });
    return store;
}

std::string SettingsStore::DefaultPath() {
    const std::string folder = SettingsFolder();
    if (folder.empty()) return {};
    return Utf8FromPath(PathFromUtf8(folder) / "settings.ini");
}

void SettingsStore::Warn(const std::string& message) const {
    std::fprintf(stderr, "hoshikage: settings %s: %s\n", path.c_str(), message.c_str());
}

bool SettingsStore::Load() {
    kept = Settings{};
    effective = kept;
    if (path.empty()) return false;

    const std::filesystem::path file = PathFromUtf8(path);
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        if (std::filesystem::exists(file, error)) {
            Warn("cannot be read; using the defaults");
            return false;
        }
        // A first run: say where the settings will live and write the defaults there, so
        // the player finds the file to edit and later starts have nothing to warn about.
        Warn("not found; writing the defaults");
        Save();
        return false;
    }
    if (size > kMaxFileBytes) {
        Warn("larger than " + std::to_string(kMaxFileBytes) + " bytes; using the defaults");
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) {
        Warn("cannot be read; using the defaults");
        return false;
    }
    std::vector<std::string> warnings;
    kept = ParseSettings(text.str(), warnings);
    effective = kept;
    for (const std::string& warning : warnings) Warn(warning + "; default kept");
    return true;
}

bool SettingsStore::Save() const {
    if (path.empty()) return false;
    const std::filesystem::path target = PathFromUtf8(path);
    std::error_code error;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);

    std::filesystem::path temporary = target;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << FormatSettings(kept);
        out.flush();
        if (!out) {
            Warn("cannot be written; the change lasts for this run only");
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        Warn("cannot be replaced (" + error.message() + "); the change lasts for this run only");
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

void SettingsStore::Change(const std::function<void(Settings&)>& change) {
    change(kept);
    change(effective);
    Save();
}
