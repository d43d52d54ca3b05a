#include "game/world/StoneField.h"

#include "engine/audio/SoundCache.h"

namespace {

// Erases element i of both lists in one step; the caller does not advance i.
template <typename T>
void EraseAt(std::vector<T>& list, size_t i) {
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
}

}  // namespace

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
