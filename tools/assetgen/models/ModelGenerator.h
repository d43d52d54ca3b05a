#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Writes every glTF model of the game (with the textures they reference) below
// outRoot/Data. Returns false, with the reason in error, when a file cannot be written.
bool GenerateModels(const std::filesystem::path& outRoot, std::string& error);

// The Data-relative paths of the glTF files that GenerateModels writes.
std::vector<std::string> ModelFilePaths();

// Writes the player and enemy robots assembled at their rest poses (player_rest.gltf,
// enemy_rest.gltf) into dir, for pictures and checks; the game does not read them.
bool GenerateAssembledRobots(const std::filesystem::path& dir, std::string& error);
