#include "game/effects/SparkBurst.h"

SparkBurst::SparkBurst(const Matrix& world) {
    sparks.reserve(kSparkCount);
    for (int i = 0; i < kSparkCount; ++i) sparks.push_back(std::make_unique<Spark>(world, 1));
}

void SparkBurst::Update() {
    for (auto& spark : sparks) spark->Update();
}

void SparkBurst::Draw() {
    for (auto& spark : sparks) spark->Draw();
}
