// Movement, the body placement with bounds and hull push, the limbs and thrusters, and
// the lock-on turn of the camera.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/audio/FwSoundInstance.h"
#include "engine/audio/SoundCache.h"
#include "engine/platform/Keys.h"
#include "engine/platform/Platform.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/Enemy.h"
#include "game/player/Player.h"
#include "game/player/Thruster.h"
#include "game/world/Stone.h"

namespace {
constexpr float kTurnStep = 15.0f;    // degrees per pass toward the velocity
constexpr float kLockStep = 10.0f;    // degrees per pass of the camera toward the target
constexpr float kGlideLoss = 0.005f;  // speed lost per pass without input
constexpr float kThrusterVolume = 0.03f;

Vector3 Heading(float degrees) {
    const float r = ToRadians(degrees);
    return {std::sin(r), 0.0f, std::cos(r)};
}

// Angle between two unit vectors, degrees.
float AngleBetween(const Vector3& a, const Vector3& b) {
    return ToDegrees(std::acos(std::clamp(a.Dot(b), -1.0f, 1.0f)));
}

// Turns angle by step toward target from facing along the shorter way: target lies to the
// right of facing when (target × facing).y is negative.
void TurnToward(float& angle, float step, const Vector3& target, const Vector3& facing) {
    if (target.Cross(facing).y < 0.0f) {
        angle += step;
    } else {
        angle -= step;
    }
}
}  // namespace

void Player::Move(float cameraYaw, EnemyList& enemies, const std::vector<Stone*>& stones) {
    const Platform& input = GetPlatform();
    moved = false;

    if (!overheated) {
        if (input.IsKeyDown(vk::Shift)) {
            stepSpeed = 0.5f;
            tiltLimit = 30.0f;
            boosting = true;
            energyUsed = true;
            energy -= 3;
        } else {
            stepSpeed = 0.3f;
            boosting = false;
        }
    }

    // Of two opposite keys the one that acted last pass keeps acting: its latch makes the
    // other key skip a pass, and the first key of the pair is read before the second.
    const Vector3 forward = Heading(cameraYaw);
    const Vector3 right{forward.z, 0.0f, -forward.x};
    auto step = [&](int key, bool& latch, const Vector3& direction) {
        if (latch) {
            latch = false;
            return;
        }
        if (!input.IsKeyDown(key)) return;
        latch = true;
        speed = stepSpeed;
        velocity += direction * stepSpeed;
        moved = true;
        turningToVelocity = true;
    };
    step('W', forwardBackLatch, forward);
    step('A', leftRightLatch, -right);
    step('S', forwardBackLatch, -forward);
    step('D', leftRightLatch, right);

    if (!boosting) {
        if (tilt > 10.0f) {
            tilt -= 2.0f;
        } else {
            tiltLimit = 10.0f;
        }
    }
    if (moved) {
        if (energy > 0) tilt += 1.0f;
        tilt = std::min(tilt, tiltLimit);
        if (!thrusterSound) {
            thrusterSound =
                PlaySound3D("Data/sound/thruster.wav", Position(), kThrusterVolume, true, FLT_MAX);
        }
        if (thrusterSound) thrusterSound->Resume();
    } else {
        tilt = std::max(tilt - 1.0f, 0.0f);
        if (thrusterSound) thrusterSound->Pause();
    }

    velocity = velocity.Normalized() * speed;
    const Vector3 position = Position();
    tentative = {position.x + velocity.x, kHeight, position.z + velocity.z};

    if (turningToVelocity) {
        const Vector3 v = velocity.Normalized();
        if (v.LengthSquared() == 0.0f) {
            // Opposite keys cancelled: there is no direction to turn to.
            turningToVelocity = false;
        } else {
            const Vector3 facing = Heading(yaw);
            const float a = AngleBetween(facing, v);
            float turn = kTurnStep;
            if (a < kTurnStep) {
                turn = a;
                turningToVelocity = false;
            }
            TurnToward(yaw, turn, v, facing);
        }
    }

    if (speed <= 0.0f) {
        speed = 0.0f;
        velocity = {};
    } else {
        speed -= kGlideLoss;
    }

    if (input.IsKeyDown(vk::LButton)) braking = true;
    if (braking) {
        tilt -= 1.0f;
        if (tilt < 0.0f) {
            tilt = 0.0f;
            braking = false;
        }
    }

    for (Stone* stone : stones) query->SeparateSpheres(this, stone);
    for (auto& enemy : enemies) query->SeparateSpheres(this, enemy.get());

    SwitchWeapon();
}

void Player::PlaceBody(const BattleShip* ship) {
    world = Matrix::CreateRotationX(ToRadians(tilt)) * Matrix::CreateRotationY(ToRadians(yaw)) *
            Matrix::CreateTranslation(tentative.x, kHeight, tentative.z);
    Vector3 t = world.Translation();
    t.x = std::clamp(t.x, -kBounds, kBounds);
    t.z = std::clamp(t.z, -kBounds, kBounds);
    world.SetTranslation(t);

    if (ship == nullptr) return;
    const Vector3 direction = Heading(yaw);
    Vector3 normal;
    float distance = 0.0f;
    if (!query->RayToModel(ship->GetHitModel(), ship->GetWorld(), t, direction, normal, distance)) {
        return;
    }
    // k is the cosine between the ray and the hull's outward normal: d × k is the
    // perpendicular distance, which the push raises to the hull gap.
    const float k = -direction.Dot(normal);
    if (distance < kHullGap / k) {
        const float push = kHullGap - distance * k;
        t.x += push * normal.x;
        t.z += push * normal.z;
        world.SetTranslation(t);
    }
}

void Player::StepThrusters() {
    rightThruster->Step(world, moved, true);
    leftThruster->Step(world, moved, true);
}

void Player::UpdateCollisionSphere() {
    SetMatrixAndRadius(world, kRadius);
    hitBoxMatrix = Matrix::CreateScale(0.5f, 0.5f, 0.5f) *
                   Matrix::CreateTranslation(0.0f, -1.0f, 0.0f) * world;
}

void Player::TurnToLockTarget(float* cameraYaw, const EnemyList& enemies) {
    const Vector3 position = Position();
    if (GetPlatform().IsKeyDown(vk::Space)) {
        if (!lockLatch) {
            lockLatch = true;
            if (!locking) {
                float best = FLT_MAX;
                for (size_t i = 0; i < enemies.size(); ++i) {
                    const float d =
                        Vector3::Distance(enemies[i]->GetWorld().Translation(), position);
                    if (d < best) {
                        best = d;
                        lockTarget = static_cast<int>(i);
                        locking = true;
                    }
                }
            }
        }
    } else {
        lockLatch = false;
    }

    // The target may have been removed since the press (the list is then shorter or
    // empty): drop the lock so the next press can search again.
    if (enemies.empty() || !locking || lockTarget < 0 ||
        lockTarget >= static_cast<int>(enemies.size())) {
        lockTarget = -1;
        locking = false;
        return;
    }

    const Vector3 target = enemies[lockTarget]->GetWorld().Translation();
    lockTargetPosition = {target.x, 0.0f, target.z};
    const Vector3 d = Vector3(target.x - position.x, 0.0f, target.z - position.z).Normalized();
    const Vector3 heading = Heading(*cameraYaw);
    const float a = AngleBetween(heading, d);
    float turn = kLockStep;
    if (a < kLockStep) {
        turn = a;
        locking = false;
    }
    TurnToward(*cameraYaw, turn, d, heading);
}
