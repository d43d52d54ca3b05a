#include "game/world/StoneField.h"

#include <bit>
#include <cstdint>
#include <cstdio>

#include "engine/audio/SoundCache.h"

namespace {

constexpr size_t kRecordBytes = 12;

float LittleEndianFloat(const unsigned char* bytes) {
    const uint32_t bits = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                          static_cast<uint32_t>(bytes[2]) << 16 |
                          static_cast<uint32_t>(bytes[3]) << 24;
    return std::bit_cast<float>(bits);
}

// Erases element i of both lists in one step; the caller does not advance i.
template <typename T>
void EraseAt(std::vector<T>& list, size_t i) {
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
}

}  // namespace

bool StoneField::ReadTable(const std::string& path, Vector3 (&positions)[kStoneCount]) {
    for (Vector3& p : positions) p = Vector3();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    for (int i = 0; i < kStoneCount; ++i) {
        unsigned char record[kRecordBytes] = {};
        // A record cut off by the end of the file counts as missing: its stone stays at
        // the origin rather than at a position made of stray bytes.
        if (std::fread(record, 1, kRecordBytes, file) != kRecordBytes) break;
        positions[i] = Vector3(LittleEndianFloat(record), LittleEndianFloat(record + 4),
                               LittleEndianFloat(record + 8));
    }
    std::fclose(file);
    return true;
}

StoneField::StoneField(const std::string& tablePath) {
    stones.reserve(kStoneCount);
    for (int i = 0; i < kStoneCount; ++i) stones.push_back(std::make_unique<Stone>());
    Vector3 positions[kStoneCount];
    if (ReadTable(tablePath, positions)) {
        for (int i = 0; i < kStoneCount; ++i) stones[i]->PlaceAt(positions[i]);
    }
    for (auto& stone : stones) stoneView.push_back(stone.get());
}

StoneField::~StoneField() = default;

void StoneField::Update(bool advance) {
    if (advance) {
        for (auto& stone : stones) stone->Update();
    }
    Shatter();
    PlayFlashes();
    StepFragments(advance);
}

void StoneField::Shatter() {
    for (size_t i = 0; i < stones.size();) {
        Stone& stone = *stones[i];
        if (!stone.IsHit()) {
            ++i;
            continue;
        }
        const Matrix& base = stone.GetBaseMatrix();
        for (int k = 0; k < 10; ++k) fragments.push_back(std::make_unique<Fragment>(base));
        PlaySound3DOnce("Data/sound/bulletHit.wav", base.Translation(), 0.1f, false, 30.0f);
        flashes.push_back(std::make_unique<HitFlash>(base));
        flashFrames.push_back(0);
        EraseAt(stoneView, i);
        EraseAt(stones, i);
    }
}

void StoneField::PlayFlashes() {
    for (size_t i = 0; i < flashes.size();) {
        flashFrames[i] = flashes[i]->Update();
        if (flashFrames[i] == 8) {
            EraseAt(flashFrames, i);
            EraseAt(flashes, i);
        } else {
            ++i;
        }
    }
}

void StoneField::StepFragments(bool advance) {
    for (size_t i = 0; i < fragments.size();) {
        if (advance) fragments[i]->Step();
        if (fragments[i]->IsDead()) {
            EraseAt(fragments, i);
        } else {
            ++i;
        }
    }
}

void StoneField::Draw() {
    for (auto& stone : stones) stone->Draw();
    for (auto& fragment : fragments) fragment->Draw();
    for (auto& flash : flashes) flash->Draw();
}
