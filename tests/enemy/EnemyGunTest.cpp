// The shoulder-gun volleys: paired bullets, hits on the player, and the removal of a pair.
#include <gtest/gtest.h>

#include <cmath>

#include "enemy/InGame.h"
#include "game/player/Bullet.h"
#include "game/world/Stone.h"

namespace {

void Arm(Enemy& enemy) {
    enemy.SetWeaponMode(Enemy::kGunsArmed);
    enemy.SetFireRequest(1);
}

}  // namespace

TEST(EnemyGun, AVolleyLeavesTwoBulletsFromBothShouldersAlongTheHeading) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        EnemyWorld::PlaceEnemy(enemy, {100, 3, -100});
        Arm(enemy);
        w.Pass(enemy);
        ASSERT_EQ(enemy.GetBulletCount(), 2);
        EXPECT_TRUE(enemy.IsGunCoolingDown());
        const Vector3 left = enemy.GetBullet(0)->GetPosition();
        const Vector3 right = enemy.GetBullet(1)->GetPosition();
        EXPECT_NEAR(Vector3::Distance(left, right), 1.6f, 1e-3f);
        // A fresh robot faces -z (yaw 180): bullets start 3 ahead of it and fly that way.
        const Vector3 body = enemy.GetWorld().Translation();
        EXPECT_NEAR(left.z, body.z - 3.0f, 1e-3f);
        const Vector3 before = enemy.GetBullet(0)->GetPosition();
        w.Pass(enemy);
        EXPECT_NEAR(enemy.GetBullet(0)->GetPosition().z, before.z - 2.0f, 1e-3f);
        // The guns stay cold after a volley: no second one while cooling down.
        Arm(enemy);
        w.Pass(enemy);
        EXPECT_EQ(enemy.GetBulletCount(), 2);
    });
}

TEST(EnemyGun, OneBulletOfThePairReachingThePlayerIsNotCancelledByItsPartnersMiss) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        EnemyWorld::PlaceEnemy(enemy, {100, 3, -100});
        Arm(enemy);
        w.Pass(enemy);
        ASSERT_EQ(enemy.GetBulletCount(), 2);
        const Vector3 left = enemy.GetBullet(0)->GetPosition();
        const Vector3 right = enemy.GetBullet(1)->GetPosition();
        // Beside the left bullet's line, 1.4 off it and 3.0 off the right one; it meets the
        // left bullet after 5 more passes.
        const Vector3 outward = (left - right) / Vector3::Distance(left, right);
        w.PlacePlayer(left + outward * 1.4f + Vector3(0, 0, -10.0f));
        for (int pass = 1; pass <= 4; ++pass) {
            w.Pass(enemy);
            EXPECT_EQ(enemy.GetAttackDamage(), 0) << "pass " << pass;
        }
        w.Pass(enemy);
        EXPECT_EQ(enemy.GetBullet(0)->GetDamage(), 200);
        EXPECT_EQ(enemy.GetBullet(1)->GetDamage(), 0);
        EXPECT_EQ(enemy.GetAttackDamage(), 200);
        // A bullet that hits the player flies on.
        EXPECT_EQ(enemy.GetBulletCount(), 2);
    });
}

TEST(EnemyGun, AStoneHitRemovesBothBulletsOfThatVolleyOnlyAndMarksTheStone) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        EnemyWorld::PlaceEnemy(enemy, {100, 3, -100});
        // The gun cooldown runs on a 241-pass cycle; a volley at its end leaves the guns
        // ready again two passes later, so two volleys are in flight together.
        for (int pass = 1; pass < 240; ++pass) {
            w.Pass(enemy);
            enemy.SetWeaponMode(Enemy::kMelee);
        }
        Arm(enemy);
        w.Pass(enemy);
        ASSERT_EQ(enemy.GetBulletCount(), 2);
        const Vector3 firstShot = enemy.GetBullet(0)->GetPosition();
        w.Pass(enemy);
        Arm(enemy);
        w.Pass(enemy);
        ASSERT_EQ(enemy.GetBulletCount(), 4);

        // A stone straight ahead of the first volley.
        Stone stone;
        const float yaw = ToRadians(enemy.GetYaw());
        stone.PlaceAt(firstShot + Vector3(std::sin(yaw), 0, std::cos(yaw)) * 30.0f);
        stone.Update();
        w.stones.push_back(&stone);
        int passes = 0;
        while (enemy.GetBulletCount() == 4 && passes < 40) {
            w.Pass(enemy);
            ++passes;
        }
        EXPECT_TRUE(stone.IsHit());
        ASSERT_EQ(enemy.GetBulletCount(), 2);
        // What is left is the second volley, still a pair.
        EXPECT_NEAR(
            Vector3::Distance(enemy.GetBullet(0)->GetPosition(), enemy.GetBullet(1)->GetPosition()),
            1.6f, 0.05f);
        w.stones.clear();
        // Without anything to hit, bullets go once their age passes 180.
        for (int pass = 0; pass < 181 && enemy.GetBulletCount() > 0; ++pass) w.Pass(enemy);
        EXPECT_EQ(enemy.GetBulletCount(), 0);
    });
}
