#pragma once

#include <memory>
#include <vector>

#include "engine/math/Vector3.h"
#include "game/effects/RockMote.h"

// A shooting star far out at z = 500: it falls diagonally at 2 units per update, leaving
// a tail of rock motes, and fades out over 334 updates.
class Comet {
public:
    static constexpr int kMaxMotes = 100;

    // Draws rand() four times, in this order: x, y, one discarded value, the sign of the
    // speed (negated when even).
    Comet();
    // A comet at a known place (tests, demos); draws nothing.
    Comet(const Vector3& position, float speed);

    void Update();
    void Draw();

    bool IsFinished() const { return alpha < 0.0f; }
    const Vector3& GetPosition() const { return position; }
    float GetSpeed() const { return speed; }
    float GetAlpha() const { return alpha; }
    const std::vector<std::unique_ptr<RockMote>>& GetMotes() const { return motes; }

private:
    Vector3 position;
    float speed = 2.0f;
    float alpha = 1.0f;
    std::vector<std::unique_ptr<RockMote>> motes;
};
