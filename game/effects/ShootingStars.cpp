#include "game/effects/ShootingStars.h"

#include <cstdlib>

ShootingStars::ShootingStars() {
    for (int i = 0; i < kInitialComets; ++i) comets.push_back(std::make_unique<Comet>());
}

void ShootingStars::Update() {
    for (size_t i = 0; i < comets.size();) {
        comets[i]->Update();
        if (comets[i]->IsFinished()) {
            comets.erase(comets.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    if (rand() % 400 == 0) comets.push_back(std::make_unique<Comet>());
}

void ShootingStars::Draw() {
    for (auto& comet : comets) comet->Draw();
}
