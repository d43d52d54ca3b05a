#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// The game names every file in UTF-8: data paths, the settings file, replay logs,
// screenshots. The C and C++ libraries read a narrow file name in the system's code page
// on Windows (not UTF-8), so a game folder or a user folder named in Japanese would not
// open there. Opening goes through these instead; elsewhere they change nothing.

// The path a UTF-8 name stands for, ready for the std::filesystem calls and the file
// streams (which take a path as it is, wide on Windows).
std::filesystem::path PathFromUtf8(std::string_view utf8);
// The path's name in UTF-8.
std::string Utf8FromPath(const std::filesystem::path& path);
// std::fopen with a UTF-8 name. The caller closes the file.
std::FILE* OpenFile(const std::string& utf8Path, const char* mode);
