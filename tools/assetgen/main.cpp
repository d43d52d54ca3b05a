// assetgen: writes every file the game reads below Data/ into a folder.
//   assetgen OUT_DIR [--contact-sheet FILE] [--only TEXT]
// --only writes just the images and sounds whose path contains TEXT, and no models.
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
        std::fprintf(stderr, "usage: %s OUT_DIR [--contact-sheet FILE] [--only TEXT]\n", argv[0]);
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
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--contact-sheet") sheet = argv[i + 1];
        if (std::string(argv[i]) == "--only") only = argv[i + 1];
    }
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    if (!GenerateAssets(outRoot, error, only)) {
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
