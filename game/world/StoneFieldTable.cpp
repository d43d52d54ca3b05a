// The stone table file: where the battle's stones stand.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/platform/FilePath.h"
#include "game/world/StoneField.h"

namespace {

constexpr size_t kRecordBytes = 12;

float LittleEndianFloat(const unsigned char* bytes) {
    const uint32_t bits = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                          static_cast<uint32_t>(bytes[2]) << 16 |
                          static_cast<uint32_t>(bytes[3]) << 24;
    // Copied rather than std::bit_cast: the browser build's C++ library predates it.
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

}  // namespace

void StoneField::ParseTable(const unsigned char* bytes, size_t size,
                            Vector3 (&positions)[kStoneCount]) {
    for (Vector3& p : positions) p = Vector3();
    // A record cut off by the end of the file counts as missing: its stone stays at the
    // origin rather than at a position made of stray bytes.
    const size_t whole = bytes != nullptr ? size / kRecordBytes : 0;
    for (size_t i = 0; i < whole && i < size_t(kStoneCount); ++i) {
        const unsigned char* record = bytes + i * kRecordBytes;
        positions[i] = Vector3(LittleEndianFloat(record), LittleEndianFloat(record + 4),
                               LittleEndianFloat(record + 8));
    }
}

bool StoneField::ReadTable(const std::string& path, Vector3 (&positions)[kStoneCount]) {
    for (Vector3& p : positions) p = Vector3();
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) return false;
    unsigned char table[kStoneCount * kRecordBytes] = {};
    const size_t read = std::fread(table, 1, sizeof table, file);
    std::fclose(file);
    ParseTable(table, read, positions);
    return true;
}
