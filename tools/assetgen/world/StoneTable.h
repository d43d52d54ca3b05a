#pragma once

#include <array>
#include <filesystem>
#include <string>

// The stone field's placement table: 20 positions in world units, written as 20 records of
// three little-endian IEEE-754 floats (x, y, z) with no header, 240 bytes in all.
struct StonePosition {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

constexpr int kStoneCount = 20;
// Collision radius of a stone; the placement keeps clear of it.
constexpr float kStoneRadius = 7.0f;

// The arena layout: scattered between the player's start (0, 4, 0) and the battleship at
// (0, 5, 200), never near the start, apart from each other and off the ship's hull.
std::array<StonePosition, kStoneCount> StonePositions();

bool WriteStoneTable(const std::filesystem::path& file, std::string& error);
