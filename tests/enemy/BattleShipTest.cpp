// The battleship and its cannons: launches, waking order, damage rules, flames, the main
// turret's missiles and the ship's destruction.
#include <gtest/gtest.h>

#include "enemy/InGame.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/enemy/ChargeShot.h"
#include "game/enemy/Missile.h"
#include "game/player/Bullet.h"

namespace {

struct CannonRig {
    EnemyWorld w;
    BattleShipCannon cannon{Matrix::CreateTranslation(-10, 10, 200), 0};

    void Pass(bool wake = false, int damage = 0) {
        cannon.SetPendingDamage(damage);
        cannon.Update(w.ship.GetWorld(), wake, false, 0.2f, w.player, w.stones,
                      w.manager.GetEnemies(), w.ship);
    }
};

void ShipPass(EnemyWorld& w, bool enemyRemoved) {
    w.ship.Update(enemyRemoved, w.player, w.stones, w.manager.GetEnemies());
}

}  // namespace

TEST(BattleShipCannon, OnlyRailHitsOfExactlyTwoHundredHurt) {
    RunInGame([] {
        CannonRig rig;
        rig.Pass(true);
        for (int damage : {300, 199, 201, 400, -200}) {
            rig.Pass(false, damage);
            EXPECT_EQ(rig.cannon.GetHp(), 600) << damage;
            EXPECT_FALSE(rig.cannon.IsHitFlashing());
        }
        rig.Pass(false, 200);
        EXPECT_EQ(rig.cannon.GetHp(), 400);
        EXPECT_TRUE(rig.cannon.IsHitFlashing());
    });
}

TEST(BattleShipCannon, TwoRailHitsWithinSixtyPassesCountOnce) {
    RunInGame([] {
        CannonRig rig;
        rig.Pass(false, 200);
        ASSERT_EQ(rig.cannon.GetHp(), 400);
        for (int pass = 1; pass < 60; ++pass) {
            rig.Pass(false, 200);
            EXPECT_EQ(rig.cannon.GetHp(), 400) << "pass " << pass << " after the hit";
        }
        EXPECT_FALSE(rig.cannon.IsHitFlashing());
        rig.Pass(false, 200);
        EXPECT_EQ(rig.cannon.GetHp(), 200);
    });
}

TEST(BattleShipCannon, FlamesFollowTheHpInSteps) {
    RunInGame([] {
        CannonRig rig;
        rig.Pass();
        EXPECT_EQ(rig.cannon.GetFlameCount(), 0);
        const int expected[] = {2, 4, 50};
        for (int flames : expected) {
            rig.Pass(false, 200);
            EXPECT_EQ(rig.cannon.GetFlameCount(), flames);
            for (int pass = 0; pass < 60; ++pass) rig.Pass();
            EXPECT_EQ(rig.cannon.GetFlameCount(), flames);  // burnt-out flames are renewed
        }
        EXPECT_EQ(rig.cannon.GetHp(), 0);
        EXPECT_FALSE(rig.cannon.IsAlive());
    });
}

TEST(BattleShipCannon, DiesOnceWithALaunchRequestAndTheMainTurretDroops) {
    RunInGame([] {
        CannonRig rig;
        rig.Pass(true);
        for (int hit = 0; hit < 3; ++hit) {
            rig.Pass(false, 200);
            if (hit < 2) {
                EXPECT_FALSE(rig.cannon.GetLaunchRequest());
                for (int pass = 0; pass < 60; ++pass) rig.Pass();
            }
        }
        EXPECT_TRUE(rig.cannon.GetLaunchRequest());
        EXPECT_FALSE(rig.cannon.IsAlive());
        EXPECT_FALSE(rig.cannon.IsAwake());
        const float pitchAtDeath = rig.cannon.GetPitch();
        rig.Pass(true);  // a dead cannon does not wake again
        EXPECT_FALSE(rig.cannon.GetLaunchRequest());
        EXPECT_FALSE(rig.cannon.IsAwake());
        for (int pass = 0; pass < 100; ++pass) rig.Pass();
        // 51 passes of one degree, the death pass included.
        EXPECT_NEAR(rig.cannon.GetPitch(), pitchAtDeath - 50.0f, 1e-3f);
    });
}

TEST(BattleShipCannon, MainTurretFiresFiveMissilesSixtyPassesApartThenRests) {
    RunInGame([] {
        CannonRig rig;
        rig.w.PlacePlayer({0, 4, -2000});  // out of the missiles' reach
        rig.Pass(true);
        EXPECT_TRUE(rig.cannon.IsAwake());
        // The cover starts opening in the pass after the wake.
        for (int pass = 1; pass <= BattleShipCannon::kOpeningPasses; ++pass) rig.Pass();
        EXPECT_TRUE(rig.cannon.IsCoverOpen());
        EXPECT_NEAR(rig.cannon.GetPitch(), -90.0f + 36.0f, 1e-3f);
        int launches = 0;
        int last = 0;
        for (int pass = 1; pass <= 660; ++pass) {
            // Every launch changes the shots left (the fifth refills them); counting missiles
            // would miss a launch in the pass an older missile runs out.
            const int before = rig.cannon.GetShotsLeft();
            rig.Pass();
            if (rig.cannon.GetShotsLeft() != before) {
                ++launches;
                if (launches > 1 && launches <= 5) {
                    EXPECT_EQ(pass - last, 60);
                }
                if (launches == 6) {
                    EXPECT_EQ(pass - last, 360);
                }
                last = pass;
            }
        }
        EXPECT_EQ(launches, 6);
    });
}

// Barrels run along their models' +y.
Vector3 BarrelAxis(const BattleShipCannon& cannon) {
    const Vector4 row = cannon.GetBarrelMatrix().Row(1);
    return Vector3(row.x, row.y, row.z).Normalized();
}

TEST(BattleShipCannon, SideCannonsPointOutOfTheHullAndTheTurretTurnsTowardThePlayer) {
    RunInGame([] {
        EnemyWorld w;
        const auto& cannons = w.ship.GetCannons();
        EXPECT_NEAR(BarrelAxis(*cannons[1]).z, -1.0f, 1e-4f);
        EXPECT_NEAR(BarrelAxis(*cannons[2]).z, 1.0f, 1e-4f);
        // The main barrel lies flat toward the player's side until it opens.
        EXPECT_NEAR(BarrelAxis(*cannons[0]).z, -1.0f, 1e-4f);

        CannonRig rig;
        rig.w.PlacePlayer({300, 4, 200});  // off to +x of the turret
        rig.Pass(true);
        for (int pass = 0; pass < 180 + 400; ++pass) rig.Pass();
        const Vector3 axis = BarrelAxis(rig.cannon);
        EXPECT_GT(axis.x, 0.5f);
        EXPECT_NEAR(axis.z, 0.0f, 0.02f);
        EXPECT_GT(axis.y, 0.5f);  // raised 36 degrees by the opening
    });
}

TEST(Missile, FinishesInItsFourHundredEightyFirstUpdate) {
    RunInGame([] {
        EnemyWorld w;
        w.PlacePlayer({0, 100, 5000});
        Missile missile(Matrix::CreateTranslation(0, 100, 0));
        for (int update = 1; update <= 480; ++update)
            ASSERT_TRUE(missile.Update(w.player, nullptr, w.stones)) << "update " << update;
        EXPECT_FALSE(missile.Update(w.player, nullptr, w.stones));
        EXPECT_FALSE(missile.IsAlive());
    });
}

TEST(Missile, ReachingThePlayerHandsItACannonHit) {
    RunInGame([] {
        EnemyWorld w;
        w.PlacePlayer({0, 4, 30});
        Missile missile(Matrix::CreateTranslation(0, 4, 0));
        int updates = 0;
        while (missile.Update(w.player, nullptr, w.stones) && updates < 100) ++updates;
        EXPECT_EQ(updates, 28);  // within 2 after 29 units of flight
        const int hpBefore = w.player.GetHp();
        float pitch = 0.0f;
        float yaw = 0.0f;
        w.player.Update(&pitch, &yaw, w.manager.GetEnemies(), w.stones, &w.ship, false);
        EXPECT_EQ(w.player.GetHp(), hpBefore - 200);
    });
}

TEST(Missile, TurnsAtMostThreeDegreesPerPassForSixtyPassesThenFliesStraight) {
    RunInGame([] {
        // Launched along +z with the target straight to its right.
        Missile missile(Matrix::CreateTranslation(0, 0, 0));
        const Vector3 target(10000, 0, 0);
        auto heading = [&] {
            const Vector4 row = missile.GetMatrix().Row(2);
            return Vector3(row.x, row.y, row.z).Normalized();
        };
        missile.Fly(target);
        EXPECT_NEAR(std::acos(heading().z), ToRadians(3.0f), 1e-3f);
        EXPECT_GT(heading().x, 0.0f);
        for (int pass = 2; pass <= 60; ++pass) missile.Fly(target);
        EXPECT_NEAR(heading().x, 1.0f, 1e-3f);  // 90 degrees turned within the 60 passes
        const Vector3 settled = heading();
        for (int pass = 0; pass < 20; ++pass) missile.Fly({0, 0, -10000});
        EXPECT_NEAR(Vector3::Distance(heading(), settled), 0.0f, 1e-4f);
    });
}

TEST(Missile, HitsWithinTwoAndIsNearWithinSixAndAHalf) {
    const Matrix at = Matrix::CreateTranslation(0, 0, 0);
    EXPECT_EQ(Missile::HitTest(at, Matrix::CreateTranslation(0, 1.99f, 0)), 200);
    EXPECT_EQ(Missile::HitTest(at, Matrix::CreateTranslation(0, 2.0f, 0)), 0);
    EXPECT_TRUE(Missile::NearTest(at, Matrix::CreateTranslation(6.49f, 0, 0)));
    EXPECT_FALSE(Missile::NearTest(at, Matrix::CreateTranslation(6.5f, 0, 0)));
}

TEST(ChargeShot, ChargesThreeHundredPassesClimbsFallsAndBurstsIntoARingOfTen) {
    RunInGame([] {
        EnemyWorld w;
        w.PlacePlayer({0, 4, -3000});
        ChargeShot shot(Matrix::CreateTranslation(0, 1.5f, 0), 1);
        const float factor = shot.GetSizeFactor();
        EXPECT_GE(factor, 1.0f);
        EXPECT_LT(factor, 2.0f);
        for (int pass = 1; pass < ChargeShot::kChargePasses; ++pass) {
            ASSERT_TRUE(shot.Update(w.player, w.stones));
            EXPECT_TRUE(shot.IsCharging());
        }
        shot.Update(w.player, w.stones);
        EXPECT_EQ(shot.GetPhase(), ChargeShot::Phase::Flying);
        shot.Update(w.player, w.stones);
        EXPECT_NEAR(shot.GetMatrix().Translation().y, 1.5f + factor, 1e-4f);
        EXPECT_NEAR(shot.GetMatrix().Translation().z, -factor, 1e-4f);
        float highest = 0.0f;
        int passes = 0;
        while (shot.GetPhase() == ChargeShot::Phase::Flying && passes < 1000) {
            shot.Update(w.player, w.stones);
            highest = std::max(highest, shot.GetMatrix().Translation().y);
            ++passes;
        }
        ASSERT_EQ(shot.GetPhase(), ChargeShot::Phase::Burst);
        EXPECT_GT(highest, 40.0f);
        ASSERT_EQ(shot.GetBulletCount(), 10);
        for (int i = 0; i < 10; ++i) EXPECT_NEAR(shot.GetBullet(i)->GetPosition().y, 4.0f, 1e-4f);
        // Finished once the ring's bullets have aged out.
        int rest = 0;
        while (shot.Update(w.player, w.stones) && rest < 500) ++rest;
        EXPECT_EQ(rest, 180);
    });
}

TEST(BattleShip, WithoutAKillNoCannonWakesAndRobotsLaunchEvery1801Passes) {
    RunInGame([] {
        EnemyWorld w;
        std::vector<int> launches;
        for (int pass = 1; pass <= 6000; ++pass) {
            ShipPass(w, false);
            if (w.ship.GetLaunchFlag()) launches.push_back(pass);
        }
        ASSERT_EQ(launches.size(), 3u);
        EXPECT_EQ(launches[0], 1802);
        EXPECT_EQ(launches[1] - launches[0], 1801);
        EXPECT_EQ(launches[2] - launches[1], 1801);
        for (const auto& cannon : w.ship.GetCannons()) EXPECT_FALSE(cannon->IsAwake());
    });
}

TEST(BattleShip, CannonsWakeInOrderOnlyAfterTheirPredecessorDied) {
    RunInGame([] {
        EnemyWorld w;
        const auto& cannons = w.ship.GetCannons();
        w.PlacePlayer({0, 4, -2000});
        for (int kill = 0; kill < 5; ++kill) ShipPass(w, true);
        EXPECT_TRUE(cannons[0]->IsAwake());
        EXPECT_FALSE(cannons[1]->IsAwake());
        EXPECT_FALSE(cannons[2]->IsAwake());

        // Cannon 0 dies: its launch request raises the ship's flag in that pass.
        for (int hit = 0; hit < 3; ++hit) {
            cannons[0]->SetPendingDamage(200);
            ShipPass(w, false);
            if (hit == 2) {
                EXPECT_TRUE(w.ship.GetLaunchFlag());
            }
            for (int pass = 0; pass < 60; ++pass) ShipPass(w, false);
        }
        ASSERT_FALSE(cannons[0]->IsAlive());
        EXPECT_FALSE(cannons[1]->IsAwake());  // waits for the next kill
        ShipPass(w, true);
        EXPECT_TRUE(cannons[1]->IsAwake());
        EXPECT_FALSE(cannons[2]->IsAwake());
    });
}

TEST(BattleShip, ExplodesBreaksUpSinksAndIsGoneOnceTheLastCannonDies) {
    RunInGame([] {
        EnemyWorld w;
        const auto& cannons = w.ship.GetCannons();
        w.PlacePlayer({0, 4, -2000});
        for (int i = 0; i < 3; ++i) {
            ShipPass(w, true);
            ASSERT_TRUE(cannons[i]->IsAwake());
            for (int hit = 0; hit < 3; ++hit) {
                cannons[i]->SetPendingDamage(200);
                ShipPass(w, false);
                for (int pass = 0; pass < 60; ++pass) ShipPass(w, false);
            }
            ASSERT_FALSE(cannons[i]->IsAlive());
        }
        // The last cannon died 61 passes ago: the destruction is under way.
        EXPECT_TRUE(w.ship.IsExploding());
        EXPECT_TRUE(w.ship.IsAlive());
        const float startY = w.ship.GetWorld().Translation().y;
        int passes = 0;
        bool brokeUp = false;
        while (w.ship.IsAlive() && passes < 1000) {
            ShipPass(w, false);
            brokeUp = brokeUp || w.ship.IsBreakingUp();
            ++passes;
        }
        EXPECT_TRUE(brokeUp);
        EXPECT_FALSE(w.ship.IsAlive());
        EXPECT_EQ(w.ship.GetSinkCount(), 241);
        EXPECT_LT(w.ship.GetWorld().Translation().y, startY - 20.0f);
        EXPECT_EQ(w.ship.GetShockwaveHalfSize(), 0.0f);
    });
}
