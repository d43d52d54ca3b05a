#pragma once

#include <filesystem>
#include <string>

// A Data/ tree written once per test run by the real generator (images, sounds, stone table
// and the models), in a temporary folder removed when the tests end.
const std::filesystem::path& GeneratedRoot();

// A fresh folder under the system temp directory, unique to this process and `tag`.
std::filesystem::path ScratchFolder(const std::string& tag);
