// Blows from live enemy robots: an axe hit of 300 shows sparks and plays its sound; a blow
// landing together with a cannon shot (500 in one pass) shows neither sparks nor flash.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/audio/AudioManager.h"
#include "game/enemy/EnemyManager.h"
#include "player/PlayerStage.h"

namespace {

struct BlowResult {
    int pass = -1;  // the pass in which the player lost the blow
    int loss = 0;
    int sparks = 0;
    bool flash = false;
    int sounds = 0;  // voices started during that update
};

// Waits in front of the robots' launch point until a robot's axe lands. withCannonShot
// adds a cannon shot to the pass in which the blow is taken.
BlowResult WaitForBlow(bool withCannonShot) {
    BlowResult result;
    size_t before = 0;
    std::srand(7);
    RunStage(400, {.liveEnemies = true},
             [&](PlayerStage& stage) {
                 stage.GetPlayer().SetMatrix(Matrix::CreateTranslation(-35.0f, 4.0f, 165.0f));
                 stage.beforeUpdate = [&, withCannonShot](PlayerStage& s, int) {
                     before = AudioManager::GetInstance().GetPlayListSize();
                     if (!withCannonShot || result.pass > 0 || s.GetPlayer().IsInvulnerable())
                         return;
                     for (auto& enemy : s.Enemies()) {
                         if (enemy->GetAttackDamage() == 300) s.GetPlayer().SetCannonHit(1);
                     }
                 };
                 stage.afterUpdate = [&](PlayerStage& s, int pass) {
                     const Player& p = s.GetPlayer();
                     const int loss = Player::kMaxHp - p.GetHp();
                     if (result.pass < 0 && loss >= 300) {
                         result = {pass, loss, p.CountAxeSparks(), p.HasHitFlash(),
                                   static_cast<int>(AudioManager::GetInstance().GetPlayListSize()) -
                                       static_cast<int>(before)};
                     }
                     if (loss > 0 && loss < 300) s.GetPlayer().SetHp(Player::kMaxHp);  // shots
                 };
             },
             {});
    return result;
}

TEST(PlayerDamage, ARobotsAxeBlowOf300ShowsSparksAndPlaysItsSound) {
    const BlowResult blow = WaitForBlow(false);
    ASSERT_GT(blow.pass, 0) << "no axe blow landed";
    EXPECT_EQ(blow.loss, 300);
    EXPECT_EQ(blow.sparks, Player::kSlots);
    EXPECT_FALSE(blow.flash);
    EXPECT_GE(blow.sounds, 1);
}

TEST(PlayerDamage, TwoHitsInOnePassShowNeitherSparksNorFlash) {
    const BlowResult blow = WaitForBlow(true);
    ASSERT_GT(blow.pass, 0) << "no axe blow landed";
    EXPECT_EQ(blow.loss, 500);
    EXPECT_EQ(blow.sparks, 0);
    EXPECT_FALSE(blow.flash);
}

}  // namespace
