// The enemy manager: launches, the five-robot ceiling, separation, removal and the
// attack energy shared by every robot.
#include <gtest/gtest.h>

#include "enemy/InGame.h"

namespace {

// Runs the ship until its launch flag rises, then one manager pass.
void NextLaunch(EnemyWorld& w) {
    int guard = 0;
    do {
        w.ship.Update(false, w.player, w.stones, w.manager.GetEnemies());
    } while (!w.ship.GetLaunchFlag() && ++guard < 2000);
    ASSERT_TRUE(w.ship.GetLaunchFlag());
    w.manager.Update(w.player, nullptr, w.stones, w.ship);
}

}  // namespace

TEST(EnemyManager, LaunchesOneRobotAtOnceAndNeverMoreThanFive) {
    RunInGame([] {
        EnemyWorld w;
        EXPECT_EQ(w.manager.GetEnemies().size(), 1u);
        EXPECT_EQ(w.manager.GetSpawnedCount(), 1);
        for (int launch = 2; launch <= 5; ++launch) {
            NextLaunch(w);
            EXPECT_EQ(w.manager.GetEnemies().size(), static_cast<size_t>(launch));
        }
        NextLaunch(w);
        EXPECT_EQ(w.manager.GetEnemies().size(), 5u);
        EXPECT_EQ(w.manager.GetSpawnedCount(), 5);
        EXPECT_FALSE(w.manager.IsEnemyRemoved());
    });
}

TEST(EnemyManager, PushesApartTwoRobotsCloserThanThree) {
    RunInGame([] {
        EnemyWorld w;
        auto& enemies = w.manager.GetEnemies();
        enemies.push_back(std::make_unique<Enemy>(w.ship.GetWorld()));
        // Side by side, 1 apart, both walking out the same way.
        enemies[0]->SetMatrix(Matrix::CreateTranslation(10, 3, 50));
        enemies[1]->SetMatrix(Matrix::CreateTranslation(11, 3, 50));
        w.manager.Update(w.player, nullptr, w.stones, w.ship);
        const Vector3 a = enemies[0]->GetWorld().Translation();
        const Vector3 b = enemies[1]->GetWorld().Translation();
        // Each moved by the whole overlap of 2, away from the other.
        EXPECT_NEAR(b.x - a.x, 5.0f, 1e-3f);
        EXPECT_NEAR(a.y, b.y, 1e-4f);
    });
}

TEST(EnemyManager, RemovesTheDeadAndRaisesTheRemovedFlagForThatPassOnly) {
    RunInGame([] {
        EnemyWorld w;
        w.manager.GetEnemies()[0]->SetHp(0);
        int passes = 0;
        while (w.manager.GetEnemies().size() == 1 && passes < 1000) {
            w.manager.Update(w.player, nullptr, w.stones, w.ship);
            ++passes;
            if (w.manager.GetEnemies().size() == 1) {
                EXPECT_FALSE(w.manager.IsEnemyRemoved());
            }
        }
        EXPECT_TRUE(w.manager.GetEnemies().empty());
        EXPECT_TRUE(w.manager.IsEnemyRemoved());
        EXPECT_EQ(w.manager.GetSpawnedCount(), 0);
        w.manager.Update(w.player, nullptr, w.stones, w.ship);
        EXPECT_FALSE(w.manager.IsEnemyRemoved());
    });
}

TEST(EnemyManager, SwingsAndVolleysSpendTheSharedEnergyWhichRefillsToTwoThousand) {
    RunInGame([] {
        EnemyWorld w;
        EXPECT_EQ(w.manager.GetAttackEnergy(), 2000);
        w.manager.Update(w.player, nullptr, w.stones, w.ship);
        EXPECT_EQ(w.manager.GetAttackEnergy(), 2000);  // capped

        Enemy& enemy = *w.manager.GetEnemies()[0];
        enemy.SetWeaponMode(Enemy::kGunsArmed);
        enemy.SetFireRequest(1);
        w.manager.Update(w.player, nullptr, w.stones, w.ship);
        EXPECT_EQ(w.manager.GetAttackEnergy(), 1501);
        EXPECT_EQ(enemy.GetWeaponMode(), Enemy::kGunsFired);
        EXPECT_EQ(enemy.GetBulletCount(), 2);

        // Too little energy: the request is dropped silently.
        w.manager.SpendAttackEnergy(1200);
        Enemy broke(w.ship.GetWorld());
        broke.SetWeaponMode(Enemy::kGunsArmed);
        broke.SetFireRequest(1);
        w.Pass(broke);
        EXPECT_EQ(broke.GetFireRequest(), 0);
        EXPECT_EQ(broke.GetBulletCount(), 0);
        EXPECT_EQ(broke.GetWeaponMode(), Enemy::kGunsArmed);
    });
}
