// The stone table as the stone field reads it: 20 little-endian float triples, no header.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "GeneratedTree.h"
#include "world/StoneTable.h"

namespace {

float LittleEndianFloat(const std::vector<unsigned char>& b, size_t at) {
    const uint32_t bits = static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
                          static_cast<uint32_t>(b[at + 2]) << 16 |
                          static_cast<uint32_t>(b[at + 3]) << 24;
    float v = 0.0f;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}  // namespace

TEST(StoneTable, FileDecodesToTheGeneratedPositions) {
    std::ifstream in(GeneratedRoot() / "Data/stone/stoneData.dat", std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 240u);
    const auto stones = StonePositions();
    for (int i = 0; i < kStoneCount; ++i) {
        EXPECT_EQ(LittleEndianFloat(bytes, i * 12 + 0), stones[i].x) << "stone " << i;
        EXPECT_EQ(LittleEndianFloat(bytes, i * 12 + 4), stones[i].y) << "stone " << i;
        EXPECT_EQ(LittleEndianFloat(bytes, i * 12 + 8), stones[i].z) << "stone " << i;
    }
}

TEST(StoneTable, StonesMakeAPlayableArena) {
    const auto stones = StonePositions();
    float nearest = 1e9f, farthestZ = -1e9f, nearestZ = 1e9f;
    int leftOfCentre = 0;
    for (int i = 0; i < kStoneCount; ++i) {
        const StonePosition& s = stones[i];
        // Never on top of the player's start at (0, 4, 0).
        const float fromStart = std::sqrt(s.x * s.x + (s.y - 4.0f) * (s.y - 4.0f) + s.z * s.z);
        nearest = std::min(nearest, fromStart);
        // Inside the play area the player is clamped to.
        EXPECT_LE(std::fabs(s.x), 300.0f);
        EXPECT_LE(std::fabs(s.z), 300.0f);
        // Across the flight plane (height 4), so every stone is cover that can be shot.
        EXPECT_LT(std::fabs(s.y - 4.0f), 6.5f) << "stone " << i;
        // Off the battleship's hull (x -30..30, z 170..230), with room for a stone's radius.
        const bool onHull = std::fabs(s.x) < 30.0f + kStoneRadius && s.z > 170.0f - kStoneRadius &&
                            s.z < 230.0f + kStoneRadius;
        EXPECT_FALSE(onHull) << "stone " << i << " at " << s.x << ", " << s.z;
        for (int j = 0; j < i; ++j) {
            const float d = std::hypot(s.x - stones[j].x, s.y - stones[j].y, s.z - stones[j].z);
            // Apart by more than two radii plus a robot's width, so nothing is walled in.
            EXPECT_GT(d, 2.0f * kStoneRadius + 6.0f) << "stones " << i << " and " << j;
        }
        farthestZ = std::max(farthestZ, s.z);
        nearestZ = std::min(nearestZ, s.z);
        if (s.x < 0.0f) ++leftOfCentre;
    }
    EXPECT_GT(nearest, 15.0f + kStoneRadius);
    // Spread along the way to the ship and to both sides of it.
    EXPECT_LT(nearestZ, 60.0f);
    EXPECT_GT(farthestZ, 150.0f);
    EXPECT_GE(leftOfCentre, 5);
    EXPECT_LE(leftOfCentre, 15);
}
