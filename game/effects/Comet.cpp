#include "game/effects/Comet.h"

#include <cmath>
#include <cstdlib>

Comet::Comet() {
    position.x = static_cast<float>(rand() % 500 - 250);
    position.y = static_cast<float>(rand() % 200 + 100);
    position.z = 500.0f;
    (void)rand();  // a draw the placement makes and no longer uses; kept for the sequence
    speed = 2.0f;
    if (rand() % 2 == 0) speed = -speed;
}

Comet::Comet(const Vector3& position, float speed) : position(position), speed(speed) {}

void Comet::Update() {
    position.x -= speed;
    position.y -= std::abs(speed);
    for (size_t i = 0; i < motes.size();) {
        motes[i]->Update(alpha);
        if (motes[i]->IsFinished()) {
            motes.erase(motes.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    if (motes.size() < kMaxMotes) motes.push_back(std::make_unique<RockMote>(position));
    alpha -= 0.003f;
}

void Comet::Draw() {
    for (auto& mote : motes) mote->Draw();
}
