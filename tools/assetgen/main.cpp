// assetgen: writes every file the game reads below Data/ into a folder.
//   assetgen OUT_DIR [--contact-sheet FILE] [--only TEXT] [--sounds wav|vorbis]
// --only writes just the images and sounds whose path contains TEXT, and no models.
// --sounds vorbis writes the sounds as Ogg Vorbis (.ogg) instead of WAV (the browser build).
//   assetgen --icons OUT_DIR NAME
// writes the desktop icon, OUT_DIR/hicolor/NxN/apps/NAME.png at each installed size.
//   assetgen --windows-icon FILE.ico
// writes the icon of the Windows executable.
#include <chrono>
#include <cstdio>
#include <string>

#include "AssetGenerator.h"
#include "images/AppIcon.h"
#include "models/ModelGenerator.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: %s OUT_DIR [--contact-sheet FILE] [--only TEXT] [--sounds wav|vorbis]\n",
            argv[0]);
        return 2;
    }
    if (std::string(argv[1]) == "--icons") {
        std::string error;
        if (argc != 4 || !WriteAppIcons(argv[2], argv[3], error)) {
            std::fprintf(stderr, "assetgen: icons: %s\n",
                         argc != 4 ? "usage: --icons OUT_DIR NAME" : error.c_str());
            return argc != 4 ? 2 : 1;
        }
        return 0;
    }
    if (std::string(argv[1]) == "--windows-icon") {
        std::string error;
        if (argc != 3 || !WriteWindowsIcon(argv[2], error)) {
            std::fprintf(stderr, "assetgen: windows icon: %s\n",
                         argc != 3 ? "usage: --windows-icon FILE.ico" : error.c_str());
            return argc != 3 ? 2 : 1;
        }
        return 0;
    }
    const std::filesystem::path outRoot = argv[1];
    std::filesystem::path sheet;
    std::string only;
    SoundFormat sounds = SoundFormat::Wav;
    for (int i = 2; i + 1 < argc; ++i) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--contact-sheet") sheet = value;
        if (option == "--only") only = value;
        if (option == "--sounds") {
            if (value != "wav" && value != "vorbis") {
                std::fprintf(stderr, "assetgen: --sounds takes wav or vorbis, not %s\n",
                             value.c_str());
                return 2;
            }
            sounds = value == "vorbis" ? SoundFormat::Vorbis : SoundFormat::Wav;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    if (!GenerateAssets(outRoot, error, only, sounds)) {
        std::fprintf(stderr, "assetgen: %s\n", error.c_str());
        return 1;
    }
    if (only.empty() && !GenerateModels(outRoot, error)) {
        std::fprintf(stderr, "assetgen: models: %s\n", error.c_str());
        return 1;
    }
    if (!sheet.empty() && !WriteContactSheet(outRoot, sheet, error)) {
        std::fprintf(stderr, "assetgen: contact sheet: %s\n", error.c_str());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: wrote %s/Data in %.2f s\n", outRoot.string().c_str(), seconds);
    return 0;
}
