#include "game/effects/FlameEmitter.h"

int FlameEmitter::FlameCountFor(int damageStep) {
    switch (damageStep) {
        case 200:
            return 4;
        case 400:
            return 2;
        case 0:
            return 50;
        default:
            return 0;
    }
}

FlameEmitter::FlameEmitter(const Matrix& anchor, int damageStep) {
    const int count = FlameCountFor(damageStep);
    flames.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) flames.push_back(std::make_unique<RisingFlame>(anchor));
}

void FlameEmitter::Update(const Matrix& anchor, float halfSize) {
    for (auto& flame : flames) flame->Update(halfSize);
    size_t remaining = flames.size();
    for (size_t i = 0; remaining > 0; --remaining) {
        if (flames[i]->IsFinished()) {
            flames.erase(flames.begin() + static_cast<std::ptrdiff_t>(i));
            flames.push_back(std::make_unique<RisingFlame>(anchor));
        } else {
            ++i;
        }
    }
}

void FlameEmitter::Draw() {
    for (auto& flame : flames) flame->Draw();
}
