#include "world/StoneTable.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>

#include "core/Rng.h"

namespace {

// The hull spans about x -30..30 and z 170..230; the cannons sit on it and the robots walk
// out of it, so the margin is generous.
bool NearHull(float x, float z) {
    return x > -45.0f && x < 45.0f && z > 150.0f && z < 250.0f;
}

void PutFloat(std::ofstream& out, float v) {
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    const unsigned char b[4] = {
        static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
        static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    out.write(reinterpret_cast<const char*>(b), 4);
}

}  // namespace

std::array<StonePosition, kStoneCount> StonePositions() {
    std::array<StonePosition, kStoneCount> stones{};
    Rng rng(0x5704E5ull);
    int placed = 0;
    // Rejection sampling over a band that widens toward the ship: the player flies through a
    // field of cover on the way in. Whole-number coordinates keep the table easy to read.
    while (placed < kStoneCount) {
        const float z = std::round(rng.Range(25.0f, 235.0f));
        const float halfWidth = 60.0f + 0.45f * z;
        const float x = std::round(rng.Range(-halfWidth, halfWidth));
        // Robots and the player fly at height 4: every stone crosses that plane, so each one
        // is cover that blocks movement and can be shot.
        const float y = std::round(rng.Range(-1.0f, 10.0f));
        if (std::hypot(x, z) < 30.0f || NearHull(x, z) || std::fabs(x) > 280.0f) continue;
        // Keep the flight line straight ahead of the start open for the opening seconds.
        if (std::fabs(x) < 12.0f && z < 70.0f) continue;
        bool crowded = false;
        for (int i = 0; i < placed; ++i) {
            const float dx = stones[i].x - x;
            const float dy = stones[i].y - y;
            const float dz = stones[i].z - z;
            if (std::sqrt(dx * dx + dy * dy + dz * dz) < 32.0f) crowded = true;
        }
        if (crowded) continue;
        stones[placed++] = {x, y, z};
    }
    return stones;
}

bool WriteStoneTable(const std::filesystem::path& file, std::string& error) {
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const StonePosition& s : StonePositions()) {
        PutFloat(out, s.x);
        PutFloat(out, s.y);
        PutFloat(out, s.z);
    }
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}
