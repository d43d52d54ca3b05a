// The axe: one swing per press through the shared click latch, its timing and hit window,
// the blow on robots within reach, the slash trail and the glow; and the weapon switch.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/InputLatch.h"
#include "engine/platform/Keys.h"
#include "game/enemy/SwingAnimator.h"
#include "game/player/Ax.h"
#include "game/player/FlashAx.h"
#include "game/player/Railgun.h"
#include "player/PlayerStage.h"
#include "support/Voices.h"

namespace {

struct SwingLog {
    std::vector<bool> swinging;  // after each pass
    std::vector<bool> window;
    std::vector<bool> trail;
    std::vector<float> glow;

    int CountStarts() const {
        int starts = 0;
        for (size_t i = 0; i < swinging.size(); ++i) {
            if (swinging[i] && (i == 0 || !swinging[i - 1])) ++starts;
        }
        return starts;
    }
};

SwingLog Swing(uint64_t passes, const std::function<PassInput(uint64_t)>& script,
               bool clickLatchedAtStart = false) {
    SwingLog log;
    RunStage(
        passes, {},
        [&](PlayerStage& stage) {
            // The harness frees the latch; a scene switched by a click leaves it set.
            InputLatch::GetInstance().SetClick(clickLatchedAtStart);
            stage.afterUpdate = [&](PlayerStage& s, int) {
                const Player& p = s.GetPlayer();
                log.swinging.push_back(p.IsSwinging());
                log.window.push_back(p.GetSwing()->IsHitWindow());
                log.trail.push_back(p.HasSlashTrail());
                log.glow.push_back(p.GetSlashFlash() ? p.GetSlashFlash()->GetGlowOpacity() : 0.f);
            };
        },
        script);
    return log;
}

// Calls of a lone animator until its player swing stops, and the call that opens the
// hit window (the player must run the swing exactly as the animator times it).
struct AnimatorTiming {
    int calls = 0;
    int firstHit = 0;
};

AnimatorTiming TimeLoneSwing() {
    AnimatorTiming timing;
    RunStage(1, {},
             [&](PlayerStage&) {
                 SwingAnimator swing;
                 do {
                     swing.RunPlayerSwing(Matrix(), Matrix());
                     ++timing.calls;
                     if (swing.IsHitWindow() && timing.firstHit == 0)
                         timing.firstHit = timing.calls;
                 } while (swing.IsRunning() && timing.calls < 500);
             },
             {});
    return timing;
}

TEST(PlayerAxe, HoldingTheButtonSwingsOnceWithATenPassHitWindow) {
    const AnimatorTiming lone = TimeLoneSwing();
    // Raise 50, strike 10, hold 10, return 10; the raise's 0.02 steps summed in single
    // precision fall just short of 1 after 50, which adds a pass.
    EXPECT_GE(lone.calls, 80);
    EXPECT_LE(lone.calls, 81);

    const SwingLog log =
        Swing(200, [](uint64_t pass) { return pass >= 2 ? Keys({vk::LButton}) : Keys({}); });
    EXPECT_EQ(log.CountStarts(), 1);
    // Pass 2 (index 1) starts the swing; it stops in the animator's last call.
    const int end = lone.calls;  // index of the pass with the last call
    EXPECT_FALSE(log.swinging[0]);
    EXPECT_TRUE(log.swinging[1]);
    EXPECT_TRUE(log.swinging[end - 1]);
    EXPECT_FALSE(log.swinging[end]);
    int open = 0, firstOpen = -1;
    for (size_t i = 0; i < log.window.size(); ++i) {
        if (!log.window[i]) continue;
        ++open;
        if (firstOpen < 0) firstOpen = static_cast<int>(i);
    }
    EXPECT_EQ(open, 10);
    EXPECT_EQ(firstOpen, lone.firstHit);  // call n runs in pass n + 1, index n
    // The slash trail appears with the window and outlives it by its 60-pass countdown.
    const int closed = firstOpen + 10;
    EXPECT_FALSE(log.trail[firstOpen - 1]);
    EXPECT_TRUE(log.trail[firstOpen]);
    EXPECT_TRUE(log.trail[closed + 58]);
    EXPECT_FALSE(log.trail[closed + 59]);
    // The glow builds during the raise and strike and is gone afterwards.
    EXPECT_NEAR(log.glow[50], 0.5f, 0.02f);
    EXPECT_EQ(log.glow[closed + 20], 0.0f);
}

TEST(PlayerAxe, HalfwayThroughTheRaiseTheHandHoldsHalfTheRotation) {
    // The raise goes from the rest pose T(0.8, 0.2, 0) to RotX(180 rad) × T(0.7, 0, 0).
    // 180 rad is 180 - 28 × 2π ≈ 4.0708 rad about X, i.e. -2.2124 rad along the shorter
    // arc; halfway is RotX(-1.1062 rad) with the translation midway.
    const float shorter = std::remainder(180.0f, 2.0f * kPi);
    const float half = shorter / 2.0f;
    Matrix hand;
    Matrix world;
    RunStage(
        40, {},
        [&](PlayerStage& stage) {
            stage.afterUpdate = [&](PlayerStage& s, int pass) {
                if (pass != 26) return;  // the swing's 25th step: progress 0.5
                hand = s.GetPlayer().GetRightHand();
                world = s.GetPlayer().GetWorld();
            };
        },
        [](uint64_t pass) { return pass == 2 ? Keys({vk::LButton}) : Keys({}); });
    const Matrix local = hand * world.Invert();
    EXPECT_NEAR(local(1, 1), std::cos(half), 1e-3f);
    EXPECT_NEAR(local(1, 2), std::sin(half), 1e-3f);
    EXPECT_NEAR(local(2, 1), -std::sin(half), 1e-3f);
    EXPECT_NEAR(local(0, 0), 1.0f, 1e-4f);
    EXPECT_NEAR(local.Translation().x, 0.75f, 1e-3f);
    EXPECT_NEAR(local.Translation().y, 0.1f, 1e-3f);
    EXPECT_NEAR(local.Translation().z, 0.0f, 1e-4f);
}

TEST(PlayerAxe, ANewSwingNeedsTheButtonReleasedAndPressedAgain) {
    const SwingLog log = Swing(300, [](uint64_t pass) {
        if (pass < 100) return Keys({vk::LButton});
        if (pass < 105) return Keys({});
        return Keys({vk::LButton});
    });
    EXPECT_EQ(log.CountStarts(), 2);
    EXPECT_TRUE(log.swinging[104]);  // pass 105
}

TEST(PlayerAxe, TheClickThatSwitchedScenesStartsNoSwing) {
    const SwingLog held = Swing(
        50, [](uint64_t) { return Keys({vk::LButton}); }, true);
    EXPECT_EQ(held.CountStarts(), 0);
    const SwingLog again = Swing(
        50, [](uint64_t pass) { return pass == 20 ? Keys({}) : Keys({vk::LButton}); }, true);
    EXPECT_EQ(again.CountStarts(), 1);
    EXPECT_TRUE(again.swinging[20]);
}

TEST(PlayerAxe, TheBlowHitsRobotsWithinReachOnlyWhileTheWindowIsOpen) {
    int nearDamage = -1, farDamage = -1, beforeWindow = -1;
    RunStage(
        90, {},
        [&](PlayerStage& stage) {
            Enemy* near = stage.AddEnemy(0.0f, 50.0f);
            Enemy* far = stage.AddEnemy(40.0f, 40.0f);
            stage.beforeUpdate = [near](PlayerStage& s, int pass) {
                // Keep the near robot on the blade (where it was at the end of the last pass).
                if (pass < 3) return;
                Matrix at =
                    Matrix::CreateTranslation(s.GetPlayer().GetWeaponMatrix().Translation());
                near->SetMatrix(at);
            };
            stage.afterUpdate = [&, near, far](PlayerStage& s, int pass) {
                if (pass == 50) beforeWindow = near->GetPendingDamage();
                if (pass == 62) {
                    nearDamage = near->GetPendingDamage();
                    farDamage = far->GetPendingDamage();
                }
                (void)s;
            };
        },
        [](uint64_t pass) { return pass == 2 ? Keys({vk::LButton}) : Keys({}); });
    EXPECT_EQ(beforeWindow, 0);
    EXPECT_EQ(nearDamage, Ax::kHitDamage);
    EXPECT_EQ(farDamage, 0);
}

TEST(PlayerAxe, AxeReachEndsJustBeforeThreeUnits) {
    RunStage(1, {},
             [](PlayerStage&) {
                 Ax axe(0);
                 axe.Attach(Matrix(), {0.0f, 0.0f, 0.0f});
                 axe.HitTest(Matrix::CreateTranslation(2.99f, 0.0f, 0.0f));
                 EXPECT_EQ(axe.GetDamage(), 300);
                 axe.HitTest(Matrix::CreateTranslation(0.0f, 0.0f, 3.0f));
                 EXPECT_EQ(axe.GetDamage(), 0);
                 // The gun never deals melee damage.
                 Railgun gun;
                 gun.Attach(Matrix(), {0.0f, 0.0f, 0.0f});
                 gun.HitTest(Matrix());
                 EXPECT_EQ(gun.GetDamage(), 0);
                 // The blade is placed by its grip transform, then the offset, then the mount.
                 axe.Attach(Matrix::CreateTranslation(10.0f, 0.0f, 0.0f), {0.0f, 1.0f, 0.0f});
                 EXPECT_NEAR(axe.GetMatrix().Translation().x, 10.0f, 1e-5f);
                 EXPECT_NEAR(axe.GetMatrix().Translation().y, 1.0f, 1e-5f);
             },
             {});
}

TEST(PlayerWeapons, TheRightButtonSwitchesOncePerPressButNotWhileSwinging) {
    std::vector<int> index;
    std::vector<bool> gunInHand;
    std::vector<bool> axeInHand;
    RunStage(
        140, {},
        [&](PlayerStage& stage) {
            stage.afterUpdate = [&](PlayerStage& s, int) {
                index.push_back(s.GetPlayer().GetWeaponIndex());
                const Weapon* hand = s.GetPlayer().GetWeaponInHand();
                gunInHand.push_back(dynamic_cast<const Railgun*>(hand) != nullptr);
                axeInHand.push_back(dynamic_cast<const Ax*>(hand) != nullptr);
            };
        },
        [](uint64_t pass) {
            if (pass >= 2 && pass <= 10) return Keys({vk::RButton});  // held: one switch
            if (pass == 20) return Keys({vk::RButton});               // back to the axe
            if (pass == 30) return Keys({vk::LButton});               // swing...
            if (pass == 40) return Keys({vk::RButton});               // ... blocks this
            return Keys({});
        });
    EXPECT_EQ(index[0], 0);
    EXPECT_EQ(index[1], 1);
    EXPECT_EQ(index[9], 1);
    EXPECT_TRUE(gunInHand[1]);
    EXPECT_EQ(index[19], 0);
    EXPECT_TRUE(axeInHand[19]);
    EXPECT_EQ(index[39], 0);
    EXPECT_EQ(index.back(), 0);
}

}  // namespace

// The swing is heard where the robot is, far from the world origin here.
TEST(PlayerAxe, TheStrikeSoundsAtTheRobot) {
    const Vector3 at(100.0f, Player::kHeight, 120.0f);
    bool struck = false;
    Vector3 heardAt;
    RunStage(
        90, {},
        [&](PlayerStage& stage) {
            stage.GetPlayer().SetMatrix(Matrix::CreateTranslation(at));
            stage.afterUpdate = [&](PlayerStage&, int) {
                const FwSoundInstance* strike = FindVoice("Data/sound/attack.wav");
                if (strike && !struck) heardAt = strike->GetEmitterPosition();
                struck = struck || strike;
            };
        },
        [](uint64_t pass) { return pass >= 2 ? Keys({vk::LButton}) : Keys({}); });
    ASSERT_TRUE(struck);
    EXPECT_LT(Vector3::Distance(heardAt, at), 2.0f)
        << "heard at " << heardAt.x << ", " << heardAt.y << ", " << heardAt.z;
}
