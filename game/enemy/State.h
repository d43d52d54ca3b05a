#pragma once

#include <memory>

struct Matrix;
class Enemy;
class Player;

// One AI state of an enemy robot. The robot calls Update once per pass while it has HP
// left; the state moves and turns the robot by rewriting its world matrix, pitch and yaw
// (degrees) and asks for actions through the robot's accessors.
//
// The pose convention of every state: world = RotX(pitch) × RotY(yaw) × T(position).
class State {
public:
    // Deleted through this base by the robot that owns it.
    virtual ~State() = default;

    // Returns the state to switch to (the robot takes ownership), or null to stay.
    virtual std::unique_ptr<State> Update(Player& player, Enemy& enemy, Matrix& world, float& pitch,
                                          float& yaw) = 0;
};
