// The rail gun's bullets in flight and the lifetimes of the hit and muzzle effects.
#include "game/effects/MuzzleFlash.h"
#include "game/effects/Spark.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/enemy/Enemy.h"
#include "game/player/Bullet.h"
#include "game/player/BulletTrail.h"
#include "game/player/Player.h"
#include "game/world/Stone.h"

namespace {
constexpr int kStoneSparkLife = 50;  // passes
constexpr int kShipSparkLife = 70;
constexpr int kMuzzleLife = 50;
constexpr int kStoneSparkType = 3;
constexpr int kShipSparkType = 2;

template <typename Slots>
void FillEmpty(Slots& slots, const Matrix& at, int type) {
    for (auto& spark : slots) {
        if (!spark) spark = std::make_unique<Spark>(at, type);
    }
}

// Sparks live a fixed number of passes: a slot whose time is up is emptied (and can be
// refilled by the next hit), the others advance.
template <typename Slots, typename Lives>
void AgeSparks(Slots& slots, Lives& lives, int reset) {
    for (size_t i = 0; i < slots.size(); ++i) {
        if (lives[i] == 0) {
            slots[i].reset();
            lives[i] = reset;
        }
    }
    for (size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i]) continue;
        slots[i]->Update();
        --lives[i];
    }
}
}  // namespace

void Player::AddBullet(const Matrix& start, const Vector3& direction) {
    bullets.push_back(std::make_unique<Bullet>(start, direction));
    bulletTrails.push_back(std::make_unique<BulletTrail>(start));
}

void Player::UpdateBullets(EnemyList& enemies, const std::vector<Stone*>& stones,
                           BattleShip* ship) {
    size_t i = 0;
    while (i < bullets.size()) {
        Bullet& bullet = *bullets[i];
        bullet.Advance();

        bool cannonHitNow = false;
        if (ship != nullptr) {
            for (auto& cannon : ship->GetCannons()) {
                if (!cannon->IsAwake()) continue;
                bullet.TestTarget(cannon->GetBarrelMatrix(), Bullet::kCannon);
                damageOut = bullet.GetDamage();
                // Only hits are written: a miss must not wipe another bullet's hit of this
                // pass, and the cannon clears its pending damage itself.
                if (damageOut != 0) {
                    cannon->SetPendingDamage(damageOut);
                    cannonHitNow = true;
                }
                damageOut = 0;
            }
        }

        bool stoneHitNow = false;
        bool hullHitNow = false;
        if (!cannonHitNow) {
            // A bullet passing through a robot keeps flying and hurts it on every pass it
            // is within reach.
            for (auto& enemy : enemies) {
                bullet.TestTarget(enemy->GetWorld(), Bullet::kRobot);
                if (bullet.GetDamage() != 0) enemy->SetPendingDamage(bullet.GetDamage());
                damageOut = 0;
            }
            // The age counts robot tests, so with no robot about a bullet that misses
            // everything would fly (and be tested and drawn) for the rest of the battle;
            // it ages as if one robot were there instead.
            if (enemies.empty()) bullet.AgeWithoutTarget();
            for (Stone* stone : stones) {
                bullet.TestTarget(stone->GetBaseMatrix(), Bullet::kStone);
                if (!bullet.IsStoneHit()) continue;
                // Marks only: clearing would undo a hit another weapon made this pass.
                stone->SetHit(true);
                FillEmpty(stoneSparks, bullet.GetMatrix(), kStoneSparkType);
                stoneHitNow = true;
                break;
            }
            bulletTrails[i]->Update(bullet.GetMatrix());
            bullet.TestShip(ship);
            if (bullet.IsHullHit()) {
                FillEmpty(shipSparks, bullet.GetMatrix(), kShipSparkType);
                hullHitNow = true;
            }
        }

        // At most one bullet leaves per pass; the rest are looked at again next pass.
        if (cannonHitNow || stoneHitNow || hullHitNow || bullet.GetAge() > Bullet::kMaxAge) {
            bullets.erase(bullets.begin() + static_cast<std::ptrdiff_t>(i));
            bulletTrails.erase(bulletTrails.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
        ++i;
    }
}

void Player::AgeEffects() {
    AgeSparks(stoneSparks, stoneSparkLife, kStoneSparkLife);
    AgeSparks(shipSparks, shipSparkLife, kShipSparkLife);
    for (size_t i = 0; i < muzzleFlashes.size(); ++i) {
        if (!muzzleFlashes[i]) continue;
        muzzleFlashes[i]->Update();
        if (--muzzleLife[i] == 0) {
            muzzleFlashes[i].reset();
            muzzleLife[i] = kMuzzleLife;
        }
    }
}
