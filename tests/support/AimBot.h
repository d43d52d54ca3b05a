#pragma once

#include <algorithm>
#include <cmath>
#include <map>

#include "engine/platform/Keys.h"
#include "engine/platform/ScriptedPlatform.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/enemy/EnemyManager.h"
#include "game/player/Player.h"
#include "game/scenes/Camera.h"
#include "game/scenes/GameScene.h"

// A simple player for scripted battles: it turns the camera with mouse motion, shoots
// robots and woken cannons with the rail gun (leading moving robots), walks round the
// hull to reach the far cannon and sidesteps while its energy refills. Next() gives the
// input of one pass from the battle as it stands; it does nothing without a scene.
namespace aimbot {

inline constexpr float kDegreesPerPixel = 0.25f;
inline constexpr float kBulletSpeed = 2.0f;  // world units per pass
inline constexpr int kShotCost = 800;

inline float WrapDegrees(float a) {
    a = std::fmod(a, 360.0f);
    if (a > 180.0f) a -= 360.0f;
    if (a < -180.0f) a += 360.0f;
    return a;
}

inline int ToPixels(float degrees, int limit) {
    return std::clamp(static_cast<int>(std::lround(degrees / kDegreesPerPixel)), -limit, limit);
}

class AimBot {
public:
    GameScene* scene = nullptr;
    GameScene::Outcome outcome = GameScene::Outcome::None;
    int shots = 0;
    int cannonsSeenDown = 0;
    int lowestPlayerHp = 2000;

    PassInput Next(uint64_t pass) {
        PassInput input;
        if (!scene || outcome != GameScene::Outcome::None) return input;
        outcome = scene->GetOutcome();
        Player* player = scene->GetPlayer();
        Camera* camera = scene->GetCamera();
        BattleShip* ship = scene->GetBattleShip();
        EnemyManager* enemies = scene->GetEnemies();
        if (outcome != GameScene::Outcome::None || !player || !camera || !ship || !enemies)
            return input;
        lowestPlayerHp = std::min(lowestPlayerHp, player->GetHp());
        cannonsSeenDown = 0;
        for (const auto& cannon : ship->GetCannons()) cannonsSeenDown += !cannon->IsAlive();

        // Rail gun in hand: one press of the right button.
        if (player->GetWeaponIndex() != 1) {
            if (pass % 4 == 0) input.held.insert(vk::RButton);
            return input;
        }

        const Vector3 at = player->GetWorld().Translation();
        Vector3 target;
        bool farSide = false;
        const bool haveTarget = PickTarget(*ship, *enemies, at, target, farSide);
        TrackRobots(*enemies);

        // The far cannon hides behind the hull: walk round the stern to its side first.
        if (haveTarget && farSide && at.z < 230.0f) {
            const Vector3 waypoint =
                at.x < 55.0f && at.z < 225.0f ? Vector3(70, 4, at.z + 40) : Vector3(30, 4, 250);
            Steer(*camera, waypoint - at, 0.0f, input);
            input.held.insert('W');
            input.held.insert(vk::Shift);
            return input;
        }
        // Sidestep while the energy refills, so that missiles and bursts miss.
        if (player->GetEnergy() < kShotCost + 50 && !player->IsAiming() && !player->IsShotPose()) {
            input.held.insert((pass / 90) % 2 ? 'A' : 'D');
        }
        if (!haveTarget) return input;

        const Vector3 to = target - at;
        const float horizontal = std::sqrt(to.x * to.x + to.z * to.z);
        const float elevation = ToDegrees(std::atan2(to.y, horizontal));
        // Bullets leave at the camera pitch less 15 degrees (positive is down).
        const bool aligned = Steer(*camera, to, 15.0f - elevation, input);
        const bool ready = player->GetEnergy() >= kShotCost + 50 && !player->IsOverheated() &&
                           !player->IsAiming() && !player->IsShotPose();
        if (aligned && ready && !clickHeld) {
            input.held.insert(vk::LButton);
            clickHeld = true;
            ++shots;
        } else {
            clickHeld = false;
        }
        return input;
    }

private:
    // Turns the camera toward direction (yaw) and to the given pitch; true once within
    // half a degree of both.
    static bool Steer(const Camera& camera, const Vector3& direction, float pitch,
                      PassInput& input) {
        const float yaw = ToDegrees(std::atan2(direction.x, direction.z));
        const float yawError = WrapDegrees(yaw - camera.GetYaw());
        const float pitchError =
            std::clamp(pitch, Camera::kMinPitch, Camera::kMaxPitch) - camera.GetPitch();
        input.mouseDx = ToPixels(yawError, 40);
        input.mouseDy = ToPixels(pitchError, 40);
        return std::abs(yawError) < 0.5f && std::abs(pitchError) < 0.5f;
    }

    bool PickTarget(const BattleShip& ship, const EnemyManager& enemies, const Vector3& at,
                    Vector3& target, bool& farSide) {
        const auto& cannons = ship.GetCannons();
        for (std::size_t i = 0; i < cannons.size(); ++i) {
            const BattleShipCannon& cannon = *cannons[i];
            if (!cannon.IsAwake() || !cannon.IsAlive() || !cannon.IsCoverOpen()) continue;
            target = cannon.GetBarrelMatrix().Translation();
            farSide = i == 2;
            return true;
        }
        float best = 1e9f;
        const Enemy* chosen = nullptr;
        for (const auto& enemy : enemies.GetEnemies()) {
            if (enemy->GetHp() <= 0 || enemy->IsInvulnerable()) continue;
            const float d = Vector3::Distance(enemy->GetWorld().Translation(), at);
            if (d < best) {
                best = d;
                chosen = enemy.get();
            }
        }
        if (!chosen) return false;
        // Lead the robot by its last step over the bullet's flight time.
        const Vector3 position = chosen->GetWorld().Translation();
        Vector3 velocity;
        if (auto it = lastPositions.find(chosen); it != lastPositions.end())
            velocity = position - it->second;
        target = position;
        for (int i = 0; i < 3; ++i)
            target = position + velocity * (Vector3::Distance(target, at) / kBulletSpeed);
        farSide = false;
        return true;
    }

    void TrackRobots(const EnemyManager& enemies) {
        lastPositions.clear();
        for (const auto& enemy : enemies.GetEnemies())
            lastPositions[enemy.get()] = enemy->GetWorld().Translation();
    }

    std::map<const Enemy*, Vector3> lastPositions;
    bool clickHeld = false;
};

}  // namespace aimbot

using aimbot::AimBot;
