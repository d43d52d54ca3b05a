#pragma once

#include <memory>
#include <vector>

#include "engine/math/Matrix.h"
#include "game/effects/Spark.h"

// Sixty type-1 sparks at one point (the enemy's axe hit). Lives as long as its owner's
// timer says.
class SparkBurst {
public:
    static constexpr int kSparkCount = 60;

    explicit SparkBurst(const Matrix& world);

    void Update();
    void Draw();

    const std::vector<std::unique_ptr<Spark>>& GetSparks() const { return sparks; }

private:
    std::vector<std::unique_ptr<Spark>> sparks;
};
