#pragma once

#include <filesystem>
#include <string>

#include "core/Canvas.h"

// The game's icon for desktop menus and launchers: a pale four-pointed star over a dark
// planet's rim in a night-blue rounded square. Painted at each size (not scaled down),
// so small sizes stay crisp.
Canvas MakeAppIcon(int size);

// The sizes installed with the game.
constexpr int kAppIconSizes[] = {64, 128, 256};

// Writes outDir/hicolor/NxN/apps/<name>.png for every size, the layout of the freedesktop
// icon theme. False with the reason in error when a file cannot be written.
bool WriteAppIcons(const std::filesystem::path& outDir, const std::string& name,
                   std::string& error);

// The sizes Windows draws an icon at: Explorer's lists and the task bar (16 to 48) up to its
// largest tiles (256).
constexpr int kWindowsIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The same icon as a Windows .ico file (one PNG image per size, which every Windows since
// Vista reads), for the game's executable.
bool WriteWindowsIcon(const std::filesystem::path& file, std::string& error);
