#include "game/effects/SmokeEmitter.h"

SmokeEmitter::SmokeEmitter(const Matrix& anchor) {
    puffs.reserve(kPuffCount);
    for (int i = 0; i < kPuffCount; ++i) puffs.push_back(std::make_unique<SmokePuff>(anchor));
}

void SmokeEmitter::Update(const Matrix& anchor, float halfSize) {
    for (auto& puff : puffs) puff->Update(halfSize);
    // Each puff is examined once; replacements join at the end and wait for the next call.
    size_t remaining = puffs.size();
    for (size_t i = 0; remaining > 0; --remaining) {
        if (puffs[i]->IsFinished()) {
            puffs.erase(puffs.begin() + static_cast<std::ptrdiff_t>(i));
            puffs.push_back(std::make_unique<SmokePuff>(anchor));
        } else {
            ++i;
        }
    }
}

void SmokeEmitter::Draw() {
    for (auto& puff : puffs) puff->Draw();
}
