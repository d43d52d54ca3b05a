// Damage intake: the cannon shot, invulnerability, the running-down HP display and the
// gauge that follows it; the death check and the death sequence after the camera's lift.
#include <gtest/gtest.h>

#include <vector>

#include "engine/audio/AudioManager.h"
#include "engine/platform/Keys.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/player/Hp.h"
#include "player/PlayerStage.h"

namespace {

struct DamageLog {
    std::vector<int> hp;
    std::vector<int> shown;
    std::vector<int> gauge;
    std::vector<bool> invulnerable;
    std::vector<bool> flash;
    std::vector<bool> damageFlash;
    std::vector<int> soundsStarted;  // play-list growth during the player's update
};

// Cannon shots reach the player before the given passes.
DamageLog TakeShots(uint64_t passes, std::vector<int> shotPasses, int startHp = 2000) {
    DamageLog log;
    size_t before = 0;
    RunStage(passes, {},
             [&](PlayerStage& stage) {
                 stage.GetPlayer().SetHp(startHp);
                 stage.beforeUpdate = [&, shotPasses](PlayerStage& s, int pass) {
                     for (int shot : shotPasses) {
                         if (shot == pass) s.GetPlayer().SetCannonHit(1);
                     }
                     before = AudioManager::GetInstance().GetPlayListSize();
                 };
                 stage.afterUpdate = [&](PlayerStage& s, int) {
                     const Player& p = s.GetPlayer();
                     log.hp.push_back(p.GetHp());
                     log.shown.push_back(p.GetDisplayedHp());
                     log.gauge.push_back(p.GetHpGauge()->GetShownValue());
                     log.invulnerable.push_back(p.IsInvulnerable());
                     log.flash.push_back(p.HasHitFlash());
                     log.damageFlash.push_back(p.GetDamageFlash());
                     log.soundsStarted.push_back(
                         static_cast<int>(AudioManager::GetInstance().GetPlayListSize()) -
                         static_cast<int>(before));
                 };
             },
             {});
    return log;
}

TEST(PlayerDamage, ACannonShotCosts200ShowsTheHitFlashAndPlaysItsSound) {
    const DamageLog log = TakeShots(60, {5});
    EXPECT_EQ(log.hp[3], 2000);
    EXPECT_EQ(log.hp[4], 1800);
    EXPECT_TRUE(log.flash[4]);
    EXPECT_EQ(log.soundsStarted[4], 1);
    EXPECT_EQ(log.soundsStarted[3], 0);
    // The flash plays 32 updates (counter 8), then goes.
    EXPECT_TRUE(log.flash[4 + 31]);
    EXPECT_FALSE(log.flash[4 + 32]);
}

TEST(PlayerDamage, TheDisplayedHpRunsDownTenAPassAndTheGaugeFollowsIt) {
    const DamageLog log = TakeShots(40, {5});
    EXPECT_EQ(log.shown[3], 2000);
    EXPECT_EQ(log.shown[4], 1990);
    EXPECT_EQ(log.shown[13], 1900);
    EXPECT_EQ(log.shown[22], 1810);
    EXPECT_EQ(log.shown[23], 1800);
    EXPECT_EQ(log.shown[30], 1800);
    for (size_t i = 0; i < log.shown.size(); ++i) EXPECT_EQ(log.gauge[i], log.shown[i]) << i;
    EXPECT_TRUE(log.damageFlash[4]);
    EXPECT_TRUE(log.damageFlash[23]);
    EXPECT_FALSE(log.damageFlash[24]);
}

TEST(PlayerDamage, AnyLossGivesSixtyPassesOfInvulnerability) {
    // Hit at pass 5; pass 64 is the last invulnerable one; pass 65 takes damage again.
    const DamageLog log = TakeShots(70, {5, 30, 64, 65});
    EXPECT_TRUE(log.invulnerable[4]);
    EXPECT_TRUE(log.invulnerable[62]);
    EXPECT_FALSE(log.invulnerable[63]);
    EXPECT_EQ(log.hp[63], 1800);
    EXPECT_EQ(log.hp[64], 1600);
}

TEST(PlayerDamage, HpNeverFallsBelowZeroAndALethalHitShowsNoHitFlash) {
    const DamageLog log = TakeShots(10, {3}, 150);
    EXPECT_EQ(log.hp[2], 0);
    EXPECT_FALSE(log.flash[2]);
}

struct DeathLog {
    std::vector<bool> dying;
    std::vector<bool> alive;
    std::vector<bool> explosion;
    std::vector<bool> weapons;
    std::vector<int> timer;
    std::vector<float> fade;
    std::vector<Vector3> position;
};

TEST(PlayerDeath, WaitsForTheCameraThenExplodesTumblesFadesAndEnds) {
    DeathLog log;
    const int lift = 60;  // the camera reports its lift done from this pass
    RunStage(
        lift + 300, {},
        [&](PlayerStage& stage) {
            stage.GetPlayer().SetHp(100);
            stage.beforeUpdate = [&](PlayerStage& s, int pass) {
                if (pass == 3) s.GetPlayer().SetCannonHit(1);
                s.deathViewDone = pass >= lift;
            };
            stage.afterUpdate = [&](PlayerStage& s, int) {
                const Player& p = s.GetPlayer();
                log.dying.push_back(p.IsDying());
                log.alive.push_back(p.IsAlive());
                log.explosion.push_back(p.HasExplosion());
                log.weapons.push_back(p.GetWeaponInHand() != nullptr);
                log.timer.push_back(p.GetDeathTimer());
                log.fade.push_back(p.GetFadeAlpha());
                log.position.push_back(p.GetWorld().Translation());
            };
        },
        [](uint64_t) { return Keys({'W'}); });
    const int d = lift - 1;  // index of the first pass with the lift done
    EXPECT_FALSE(log.dying[1]);
    EXPECT_TRUE(log.dying[2]);
    // Dying, the robot stands still with its weapons until the camera is done.
    EXPECT_EQ(log.position[d - 1].z, log.position[2].z);
    EXPECT_TRUE(log.weapons[d - 1]);
    EXPECT_FALSE(log.explosion[d - 1]);
    EXPECT_EQ(log.timer[d - 1], 0);
    // Then the explosion, which plays 65 passes.
    EXPECT_TRUE(log.explosion[d]);
    EXPECT_FALSE(log.weapons[d]);
    EXPECT_TRUE(log.explosion[d + 63]);
    EXPECT_FALSE(log.explosion[d + 64]);
    // The wreck tumbles from the 21st pass, drifting 0.1 toward -z per pass.
    EXPECT_EQ(log.position[d + 19].z, log.position[d].z);
    EXPECT_NEAR(log.position[d + 20].z, log.position[d].z - 0.1f, 1e-4f);
    // The fade starts after 181 passes and the robot is gone at its 101st pass.
    EXPECT_EQ(log.fade[d + 180], 0.0f);
    EXPECT_NEAR(log.fade[d + 181], 0.01f, 1e-6f);
    EXPECT_TRUE(log.alive[d + 280]);
    EXPECT_FALSE(log.alive[d + 281]);
}

TEST(PlayerGauges, HpColoursChangeAboveHalfAndBelowThreeTenths) {
    RunStage(1, {},
             [](PlayerStage&) {
                 Hp gauge;
                 gauge.SetValue(2000, 1001);
                 EXPECT_EQ(gauge.GetColorIndex(), Hp::kGreen);
                 gauge.SetValue(2000, 1000);
                 EXPECT_EQ(gauge.GetColorIndex(), Hp::kYellow);
                 gauge.SetValue(2000, 600);
                 EXPECT_EQ(gauge.GetColorIndex(), Hp::kYellow);
                 gauge.SetValue(2000, 599);
                 EXPECT_EQ(gauge.GetColorIndex(), Hp::kRed);
                 // The bar shrinks from its right end: half the value, half the width, moved left.
                 gauge.SetValue(2000, 1000);
                 EXPECT_NEAR(gauge.GetBarMatrix()(0, 0), 1.0f, 1e-6f);
                 EXPECT_NEAR(gauge.GetBarMatrix().Translation().x, -280.0f - 92.5f, 1e-3f);
                 // An unchanged value is ignored even with another maximum.
                 const Matrix bar = gauge.GetBarMatrix();
                 gauge.SetValue(500, 1000);
                 EXPECT_EQ(gauge.GetBarMatrix(), bar);
                 EXPECT_EQ(gauge.GetColorIndex(), Hp::kYellow);
             },
             {});
}

}  // namespace

namespace {

// Destroys the battleship's three cannons with bullets placed on their barrels, then tries
// to hurt the player.
TEST(PlayerDamage, NoDamageOnceTheShipsDestructionHasBegun) {
    int explodedAt = -1, checkPass = -1, hpBefore = -1, hpAfter = -1, hitsLanded = 0;
    RunStage(1000, {.ship = true},
             [&](PlayerStage& stage) {
                 stage.GetPlayer().SetMatrix(Matrix::CreateTranslation(0.0f, 4.0f, -100.0f));
                 stage.beforeUpdate = [&](PlayerStage& s, int pass) {
                     // A shot that would land: the player is not invulnerable.
                     if (explodedAt > 0 && checkPass < 0 && !s.GetPlayer().IsInvulnerable()) {
                         checkPass = pass;
                         hpBefore = s.GetPlayer().GetHp();
                         s.GetPlayer().SetCannonHit(1);
                     }
                 };
                 stage.afterUpdate = [&](PlayerStage& s, int pass) {
                     BattleShip& ship = *s.GetShip();
                     if (pass == checkPass) hpAfter = s.GetPlayer().GetHp();
                     // Every pass counts as a robot kill, so each cannon wakes once the one
                     // before it is gone.
                     ship.Update(true, s.GetPlayer(), {}, s.Enemies());
                     if (explodedAt < 0 && ship.IsExploding()) explodedAt = pass;
                     if (s.GetPlayer().GetHp() < 1000) s.GetPlayer().SetHp(Player::kMaxHp);
                     if (explodedAt > 0 || pass % 61 != 0) return;
                     for (auto& cannon : ship.GetCannons()) {
                         if (!cannon->IsAwake() || !cannon->IsAlive()) continue;
                         const Vector3 at =
                             cannon->GetBarrelMatrix().Translation() + Vector3(0, 1, 0);
                         s.GetPlayer().AddBullet(Matrix::CreateRotationX(ToRadians(-90.0f)) *
                                                     Matrix::CreateTranslation(at),
                                                 {0, 1, 0});
                         ++hitsLanded;
                     }
                 };
             },
             {});
    ASSERT_GT(explodedAt, 0) << hitsLanded << " bullets placed on barrels";
    EXPECT_EQ(hitsLanded, 9);
    ASSERT_GT(checkPass, 0) << "exploded at pass " << explodedAt;
    EXPECT_EQ(hpAfter, hpBefore);
}

}  // namespace
