#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Writes every glTF model of the game (with the textures they reference) below
// outRoot/Data. Returns false, with the reason in error, when a file cannot be written.
bool GenerateModels(const std::filesystem::path& outRoot, std::string& error);

// The Data-relative paths of the glTF files that GenerateModels writes.
std::vector<std::string> ModelFilePaths();
