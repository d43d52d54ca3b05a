// Damage intake of an enemy robot: clamping, invulnerability, the stun, the gauge run-down,
// the forced retreat at low HP and the death sequence.
#include <gtest/gtest.h>

#include "enemy/InGame.h"
#include "game/enemy/EscapeShot.h"
#include "game/enemy/MoveAttack.h"
#include "game/enemy/Stun.h"

TEST(EnemyDamage, AnAxeBlowShortenedByClampingNeitherStunsNorSparks) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        enemy.SetHp(250);
        enemy.SetPendingDamage(300);
        w.Pass(enemy);
        EXPECT_EQ(enemy.GetHp(), 0);
        EXPECT_EQ(enemy.GetStunTimer(), 0);
        EXPECT_FALSE(enemy.HasAxeHitEffect());
        EXPECT_FALSE(enemy.HasGunHitEffect());
        // It dies in the same pass: explosion and a wreck that no longer carries its axe.
        EXPECT_TRUE(enemy.HasExploded());
        EXPECT_FALSE(enemy.HasAxe());
        EXPECT_EQ(enemy.GetBodyMode(), 3);
    });
}

TEST(EnemyDamage, AFullAxeBlowStunsAndSparksAndARailHitOnlyFlashes) {
    RunInGame([] {
        EnemyWorld w;
        Enemy axed(w.ship.GetWorld());
        axed.SetPendingDamage(300);
        w.Pass(axed);
        EXPECT_EQ(axed.GetHp(), 300);
        EXPECT_EQ(axed.GetStunTimer(), 20);
        EXPECT_TRUE(axed.HasAxeHitEffect());
        EXPECT_FALSE(axed.HasGunHitEffect());

        Enemy shot(w.ship.GetWorld());
        shot.SetPendingDamage(200);
        w.Pass(shot);
        EXPECT_EQ(shot.GetHp(), 400);
        EXPECT_EQ(shot.GetStunTimer(), 0);
        EXPECT_FALSE(shot.HasAxeHitEffect());
        EXPECT_TRUE(shot.HasGunHitEffect());
    });
}

TEST(EnemyDamage, DamageDuringTheTwentyFiveInvulnerablePassesIsDiscarded) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        enemy.SetPendingDamage(200);
        w.Pass(enemy);
        ASSERT_EQ(enemy.GetHp(), 400);
        for (int pass = 1; pass <= 24; ++pass) {
            enemy.SetPendingDamage(200);
            w.Pass(enemy);
            EXPECT_EQ(enemy.GetHp(), 400) << "pass " << pass << " after the hit";
            // Discarded, not kept for later.
            EXPECT_EQ(enemy.GetPendingDamage(), 0);
        }
        EXPECT_FALSE(enemy.IsInvulnerable());
        w.Pass(enemy);
        EXPECT_EQ(enemy.GetHp(), 400);  // nothing pending any more
        enemy.SetPendingDamage(200);
        w.Pass(enemy);
        EXPECT_EQ(enemy.GetHp(), 200);
    });
}

TEST(EnemyDamage, TheGaugeFallsSixPerPassAndStopsAtHp) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        enemy.SetPendingDamage(200);
        w.Pass(enemy);
        EXPECT_EQ(enemy.GetGaugeHp(), 594);
        int previous = enemy.GetGaugeHp();
        for (int pass = 0; pass < 40; ++pass) {
            w.Pass(enemy);
            EXPECT_EQ(enemy.GetGaugeHp(), std::max(previous - 6, 400));
            previous = enemy.GetGaugeHp();
        }
        EXPECT_EQ(enemy.GetGaugeHp(), 400);
    });
}

TEST(EnemyDamage, LowHpForcesAFreshRetreatAtOnceAndAgainAfterThreeHundredPasses) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        enemy.SetHp(200);
        w.Pass(enemy);
        const auto* first = dynamic_cast<const EscapeShot*>(enemy.GetState());
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->GetCounter(), 0);
        EXPECT_TRUE(enemy.IsEscapePending());

        int forcedAt = 0;
        for (int pass = 2; pass <= 400 && forcedAt == 0; ++pass) {
            const bool pendingBefore = enemy.IsEscapePending();
            w.Pass(enemy);
            if (!pendingBefore && enemy.IsEscapePending()) {
                forcedAt = pass;
                const auto* again = dynamic_cast<const EscapeShot*>(enemy.GetState());
                ASSERT_NE(again, nullptr);
                EXPECT_EQ(again->GetCounter(), 0);
            }
        }
        // Pending for 301 passes, forced again in the next.
        EXPECT_EQ(forcedAt, 302);
    });
}

TEST(EnemyDamage, AnAxeBlowHoldsTheRobotInStunUntilItsTimerReadsOne) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        enemy.SetPendingDamage(300);
        w.Pass(enemy);
        ASSERT_EQ(enemy.GetStunTimer(), 20);
        for (int pass = 1; pass <= 19; ++pass) {
            w.Pass(enemy);
            EXPECT_NE(dynamic_cast<const Stun*>(enemy.GetState()), nullptr) << "pass " << pass;
            EXPECT_EQ(enemy.GetStunTimer(), 20 - pass);
            EXPECT_TRUE(enemy.IsReady());
        }
        w.Pass(enemy);
        EXPECT_NE(dynamic_cast<const MoveAttack*>(enemy.GetState()), nullptr);
        EXPECT_EQ(enemy.GetStunTimer(), 0);
        // Reeling leans the robot back, at most 15 degrees.
        EXPECT_LT(enemy.GetPitch(), 0.0f);
        EXPECT_GE(enemy.GetPitch(), -15.0f);
    });
}

TEST(EnemyDeath, ExplodesFliesApartFadesAndReportsItselfGone) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        enemy.SetHp(200);
        enemy.SetPendingDamage(200);
        w.Pass(enemy);
        ASSERT_TRUE(enemy.HasExploded());
        const Matrix rightHandAtDeath = enemy.GetLimb(1);
        // Limbs stay put until the explosion's 11th frame.
        w.Passes(enemy, 9);
        EXPECT_EQ(enemy.GetLimb(1), rightHandAtDeath);
        w.Passes(enemy, 2);
        EXPECT_NE(enemy.GetLimb(1), rightHandAtDeath);
        // Fade from the explosion's 65th frame at 0.005 per pass: 201 passes to go below 0.
        int passes = 12;
        while (enemy.IsAlive() && passes < 1000) {
            w.Pass(enemy);
            ++passes;
        }
        EXPECT_FALSE(enemy.IsAlive());
        EXPECT_LT(enemy.GetAlpha(), 0.0f);
        EXPECT_NEAR(passes, 64 + 201, 1);
        EXPECT_EQ(enemy.GetAttackDamage(), 0);
    });
}

TEST(EnemyDeath, APushMovesTheWreckButLeavesItsFlyingLimbsWhereTheyAre) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        enemy.SetHp(200);
        enemy.SetPendingDamage(200);
        w.Passes(enemy, 20);  // the limbs have been flying for several passes
        ASSERT_EQ(enemy.GetBodyMode(), 3);
        Matrix limbs[4];
        for (int i = 0; i < 4; ++i) limbs[i] = enemy.GetLimb(i + 1);
        // What the separation query does to two overlapping robots or a robot and a stone.
        Matrix pushed = enemy.GetWorld();
        pushed.SetTranslation(pushed.Translation() + Vector3(1.5f, 0.0f, -0.5f));
        enemy.SetMatrix(pushed);
        enemy.UpdateMatrix();
        EXPECT_EQ(enemy.GetWorld(), pushed);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(enemy.GetLimb(i + 1), limbs[i]) << "limb " << i + 1;
        // The living robot's limbs still follow a push.
        Enemy living(w.ship.GetWorld());
        Matrix moved = living.GetWorld();
        moved.SetTranslation(moved.Translation() + Vector3(2.0f, 0.0f, 0.0f));
        living.SetMatrix(moved);
        living.UpdateMatrix();
        EXPECT_EQ(living.GetLimb(2), Matrix::CreateTranslation(-1.0f, -0.5f, 0.0f) * moved);
    });
}
