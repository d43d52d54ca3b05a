#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes bytes as the whole file, making its folder first. False with the reason in error.
bool WriteFileBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes,
                    std::string& error);
