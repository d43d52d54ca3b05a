// The rail gun: turning to the camera heading before the shot, the shooting pose, and the
// bullets: flight, hits on cannons, robots, stones and the hull, and their removal order.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/platform/Keys.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/player/Bullet.h"
#include "game/world/Stone.h"
#include "player/PlayerStage.h"

namespace {

// A bullet at position flying along +y (its third row), clear of everything else.
Matrix Upward(const Vector3& position) {
    return Matrix::CreateRotationX(ToRadians(-90.0f)) * Matrix::CreateTranslation(position);
}

TEST(PlayerRailgun, TurnsFiveDegreesAPassToTheCameraHeadingThenFires) {
    std::vector<float> yaws;
    std::vector<size_t> bullets;
    std::vector<Vector3> positions;
    int muzzles = 0;
    RunStage(
        60, {},
        [&](PlayerStage& stage) {
            stage.afterUpdate = [&](PlayerStage& s, int pass) {
                const Player& p = s.GetPlayer();
                yaws.push_back(p.GetYaw());
                bullets.push_back(p.GetBullets().size());
                positions.push_back(p.GetWorld().Translation());
                if (bullets.back() == 1 && muzzles == 0) muzzles = p.CountMuzzleFlashes();
                if (pass == 2) s.yaw = 88.0f;  // the camera turns right before the shot
            };
        },
        [](uint64_t pass) {
            if (pass == 1) return Keys({vk::RButton});
            if (pass == 2) return Keys({});
            if (pass == 3) return Keys({vk::LButton});
            return Keys({'W'});  // movement is locked while aiming
        });
    // Pass 3 pulls the trigger: 17 passes of 5° bring the body to 85°, the 18th turns the
    // last 3° and fires.
    EXPECT_NEAR(yaws[2], 5.0f, 1e-3f);
    EXPECT_NEAR(yaws[10], 45.0f, 1e-3f);
    EXPECT_EQ(bullets[18], 0u);
    EXPECT_EQ(bullets[19], 1u);
    EXPECT_NEAR(yaws[19], 88.0f, 1e-3f);
    EXPECT_EQ(muzzles, Player::kMuzzleSlots);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(positions[i].x, 0.0f) << i;
        EXPECT_EQ(positions[i].z, 0.0f) << i;
    }
    EXPECT_GT(positions[25].x, 0.5f);  // free again after the shot
}

TEST(PlayerRailgun, ABulletFliesTwoUnitsAPassAlongItsAim) {
    std::vector<Vector3> at;
    RunStage(
        12, {},
        [&](PlayerStage& stage) {
            stage.pitch = 15.0f;  // level shot
            stage.afterUpdate = [&](PlayerStage& s, int) {
                if (!s.GetPlayer().GetBullets().empty()) {
                    at.push_back(s.GetPlayer().GetBullets()[0]->GetPosition());
                }
            };
        },
        [](uint64_t pass) {
            if (pass == 1) return Keys({vk::RButton});
            if (pass == 2) return Keys({vk::LButton});
            return Keys({});
        });
    ASSERT_GE(at.size(), 5u);
    // Born at the muzzle 1.5 ahead and moved in its first pass already, then 2.0 per pass
    // straight ahead at body height.
    EXPECT_NEAR(at[0].z, 3.5f, 1e-4f);
    EXPECT_NEAR(at[1].z, 5.5f, 1e-4f);
    EXPECT_NEAR(at[4].z, 11.5f, 1e-4f);
    EXPECT_NEAR(at[4].y, 4.0f, 1e-4f);
    EXPECT_NEAR(at[4].x, 0.0f, 1e-4f);
}

TEST(PlayerBullets, ACannonHitRemovesTheBulletBeforeRobotsStonesAndTheHullAreTried) {
    int cannonHp = -1, robotDamage = -1;
    bool stoneHit = true;
    std::vector<size_t> counts;
    RunStage(3, {.ship = true},
             [&](PlayerStage& stage) {
                 BattleShip& ship = *stage.GetShip();
                 // A robot kill wakes the first cannon.
                 ship.Update(true, stage.GetPlayer(), {}, stage.Enemies());
                 BattleShipCannon* cannon = ship.GetCannons()[0].get();
                 ASSERT_TRUE(cannon->IsAwake());
                 const Vector3 barrel = cannon->GetBarrelMatrix().Translation();
                 // Two bullets that reach the barrel on the first pass, with a robot and a
                 // stone waiting at the very same spot.
                 const Vector3 spot = barrel + Vector3(0.0f, 3.0f, 0.0f);
                 stage.GetPlayer().AddBullet(Upward(spot - Vector3(0, 2, 0)), {0, 1, 0});
                 stage.GetPlayer().AddBullet(Upward(spot - Vector3(0, 2, 0)), {0, 1, 0});
                 Enemy* robot = stage.AddEnemy(spot.x, spot.z);
                 robot->SetMatrix(Matrix::CreateTranslation(spot));
                 Stone* stone = stage.AddStone(spot);
                 stage.afterUpdate = [&, cannon, robot, stone](PlayerStage& s, int pass) {
                     counts.push_back(s.GetPlayer().GetBullets().size());
                     if (pass == 1) {
                         // The cannon takes the pending damage in its own update.
                         s.GetShip()->Update(false, s.GetPlayer(), {}, s.Enemies());
                         cannonHp = cannon->GetHp();
                         robotDamage = robot->GetPendingDamage();
                         stoneHit = stone->IsHit();
                     }
                 };
             },
             {});
    EXPECT_EQ(cannonHp, BattleShipCannon::kMaxHp - Bullet::kDamage);
    EXPECT_EQ(robotDamage, 0);
    EXPECT_FALSE(stoneHit);
    // One bullet leaves per pass.
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts[0], 1u);
    EXPECT_EQ(counts[1], 0u);
}

TEST(PlayerBullets, ABulletThroughARobotHurtsItAndFliesOnAgingOnePerRobotTest) {
    std::vector<int> damage;
    std::vector<int> age;
    RunStage(
        6, {},
        [&](PlayerStage& stage) {
            Enemy* robot = stage.AddEnemy(0.0f, 40.0f);
            stage.AddEnemy(50.0f, 0.0f);  // far away, still tested
            robot->SetMatrix(Matrix::CreateTranslation(0.0f, 4.0f, 40.0f));
            // Flies along +z through the robot: within 2.0 on passes 2 and 3.
            stage.GetPlayer().AddBullet(Matrix::CreateTranslation(0.0f, 4.0f, 34.5f), {0, 0, 1});
            stage.afterUpdate = [&, robot](PlayerStage& s, int) {
                damage.push_back(robot->GetPendingDamage());
                robot->SetPendingDamage(0);  // the robot takes it in its own update
                age.push_back(s.GetPlayer().GetBullets().empty()
                                  ? -1
                                  : s.GetPlayer().GetBullets()[0]->GetAge());
            };
        },
        {});
    EXPECT_EQ(damage[0], 0);    // z 36.5
    EXPECT_EQ(damage[1], 200);  // z 38.5
    EXPECT_EQ(damage[2], 200);  // z 40.5
    EXPECT_EQ(damage[3], 0);    // z 42.5
    EXPECT_EQ(age[5], 12);      // still flying, two robots tested per pass
}

TEST(PlayerBullets, AStoneHitMarksTheStoneSparksAndRemovesTheBullet) {
    bool marked = false;
    int sparks = 0;
    std::vector<size_t> counts;
    RunStage(
        4, {},
        [&](PlayerStage& stage) {
            Stone* stone = stage.AddStone({0.0f, 4.0f, 60.0f});
            // A second bullet far from everything stays.
            stage.GetPlayer().AddBullet(Matrix::CreateTranslation(0.0f, 4.0f, 50.0f), {0, 0, 1});
            stage.GetPlayer().AddBullet(Matrix::CreateTranslation(100.0f, 4.0f, 0.0f), {1, 0, 0});
            stage.afterUpdate = [&, stone](PlayerStage& s, int pass) {
                counts.push_back(s.GetPlayer().GetBullets().size());
                if (pass == 2) {
                    marked = stone->IsHit();
                    sparks = s.GetPlayer().CountStoneSparks();
                }
            };
        },
        {});
    EXPECT_TRUE(marked);  // z 54 is within 6.5 of the stone
    EXPECT_EQ(sparks, Player::kSlots);
    EXPECT_EQ(counts[0], 2u);
    EXPECT_EQ(counts[1], 1u);
    EXPECT_EQ(counts[3], 1u);
}

TEST(PlayerBullets, ABulletLeavesAfter180RobotTests) {
    std::vector<size_t> counts;
    RunStage(
        185, {},
        [&](PlayerStage& stage) {
            stage.AddEnemy(-200.0f, -200.0f);
            stage.GetPlayer().AddBullet(Matrix::CreateTranslation(0.0f, 4.0f, 0.0f), {0, 0, 1});
            stage.afterUpdate = [&](PlayerStage& s, int) {
                counts.push_back(s.GetPlayer().GetBullets().size());
            };
        },
        {});
    EXPECT_EQ(counts[179], 1u);  // age 180: not above the limit
    EXPECT_EQ(counts[180], 0u);  // age 181
}

// With no robot in the battle nothing tests a bullet against a robot; it must still leave
// (after as many passes as a single robot's tests would take) instead of flying on for
// the rest of the battle.
TEST(PlayerBullets, WithoutRobotsABulletAgesOnePerPassAndLeaves) {
    std::vector<size_t> counts;
    std::vector<int> ages;
    RunStage(
        185, {},
        [&](PlayerStage& stage) {
            stage.GetPlayer().AddBullet(Matrix::CreateTranslation(0.0f, 4.0f, 0.0f), {0, 0, 1});
            stage.afterUpdate = [&](PlayerStage& s, int) {
                const auto& bullets = s.GetPlayer().GetBullets();
                counts.push_back(bullets.size());
                ages.push_back(bullets.empty() ? -1 : bullets[0]->GetAge());
            };
        },
        {});
    EXPECT_EQ(ages[0], 1);
    EXPECT_EQ(ages[99], 100);
    EXPECT_EQ(counts[179], 1u);
    EXPECT_EQ(counts[180], 0u);
}

}  // namespace
