// The robot played with a controller: every action from the pad, the stick at the keys'
// speeds, keyboard and pad at once, and a controller plugged in and pulled out mid-battle.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/SceneManager.h"
#include "engine/platform/Keys.h"
#include "engine/platform/PadMapping.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Title.h"
#include "player/PlayerStage.h"

namespace {

PassInput Pad(const PadState& pad, std::initializer_list<int> keys = {}) {
    PassInput input = Keys(keys);
    input.pads[0] = pad;
    return input;
}

PadState Button(PadButton button) {
    PadState pad;
    pad.Press(button);
    return pad;
}

PadState LeftStick(int x, int y) {
    PadState pad;
    pad.SetAxis(PadAxis::LeftX, x);
    pad.SetAxis(PadAxis::LeftY, y);
    return pad;
}

std::vector<Vector3> Positions(uint64_t passes, const std::function<PassInput(uint64_t)>& script) {
    std::vector<Vector3> positions;
    RunStage(
        passes, {},
        [&](PlayerStage& stage) {
            stage.afterUpdate = [&](PlayerStage& s, int) {
                positions.push_back(s.GetPlayer().GetWorld().Translation());
            };
        },
        script);
    return positions;
}

TEST(PlayerGamepad, StickMovesExactlyAsTheKeysDoAndRestsInsideItsDeadZone) {
    const auto keys = Positions(40, [](uint64_t) { return Keys({'W', 'D'}); });
    const auto stick = Positions(40, [](uint64_t) { return Pad(LeftStick(20000, -20000)); });
    ASSERT_EQ(keys.size(), stick.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(stick[i].x, keys[i].x) << i;
        EXPECT_EQ(stick[i].z, keys[i].z) << i;
    }
    EXPECT_GT(std::fabs(keys.back().z), 1.0f);

    const int inside = padmap::kMoveDeadZone - 100;
    const auto resting = Positions(20, [&](uint64_t) { return Pad(LeftStick(inside, 0)); });
    for (const Vector3& p : resting) {
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.z, 0.0f);
    }
}

TEST(PlayerGamepad, EveryCombatActionHasAButton) {
    struct Seen {
        bool swung = false;
        int weapon = 0;
        bool boosted = false;
        float yaw = 0.0f;
    };
    const auto play = [](const std::function<PassInput(uint64_t)>& script) {
        Seen seen;
        RunStage(
            12, {},
            [&](PlayerStage& stage) {
                stage.AddEnemy(30.0f, 0.0f);  // to the right, for the lock-on
                stage.afterUpdate = [&](PlayerStage& s, int) {
                    const Player& p = s.GetPlayer();
                    seen.swung = seen.swung || p.IsSwinging();
                    seen.weapon = p.GetWeaponIndex();
                    seen.boosted = seen.boosted || p.IsBoosting();
                    seen.yaw = s.yaw;
                };
            },
            script);
        return seen;
    };
    PadState trigger;
    trigger.SetAxis(PadAxis::RightTrigger, 32767);
    const Seen rt = play([&](uint64_t pass) { return Pad(pass == 3 ? trigger : PadState{}); });
    EXPECT_TRUE(rt.swung);
    const Seen x =
        play([](uint64_t pass) { return Pad(pass == 3 ? Button(PadButton::X) : PadState{}); });
    EXPECT_TRUE(x.swung);
    const Seen y =
        play([](uint64_t pass) { return Pad(pass == 3 ? Button(PadButton::Y) : PadState{}); });
    EXPECT_EQ(y.weapon, 1);
    EXPECT_FALSE(y.swung);
    const Seen lb = play([](uint64_t) { return Pad(Button(PadButton::LeftShoulder)); });
    EXPECT_TRUE(lb.boosted);
    const Seen rb = play([](uint64_t pass) {
        return Pad(pass >= 2 ? Button(PadButton::RightShoulder) : PadState{});
    });
    EXPECT_NEAR(rb.yaw, 90.0f, 1e-3f);
    const Seen idle = play([](uint64_t) { return Pad(PadState{}); });
    EXPECT_FALSE(idle.swung || idle.boosted);
    EXPECT_EQ(idle.weapon, 0);
    EXPECT_EQ(idle.yaw, 0.0f);
}

TEST(PlayerGamepad, KeyboardAndPadPlayTogether) {
    // Keys walk forward while the pad's stick walks right: a diagonal, as W + D.
    const auto both = Positions(30, [](uint64_t) { return Pad(LeftStick(32767, 0), {'W'}); });
    const auto keys = Positions(30, [](uint64_t) { return Keys({'W', 'D'}); });
    EXPECT_EQ(both.back().x, keys.back().x);
    EXPECT_EQ(both.back().z, keys.back().z);
}

TEST(PlayerGamepad, StartOrAOnTheTitleStartsTheBattle) {
    for (PadButton button : {PadButton::A, PadButton::Start}) {
        GameHarness harness;
        harness.DrawNothing();
        harness.Platform().SetScript([&](uint64_t pass) {
            PassInput input;
            input.pads[0] = pass == 10 ? Button(button) : PadState{};
            return input;
        });
        bool battle = false;
        harness.Platform().SetPassHook([&](uint64_t) {
            battle = dynamic_cast<GameScene*>(SceneManager::GetInstance().GetCurrent()) != nullptr;
        });
        harness.Run([] { return new Title; }, 112);
        EXPECT_TRUE(battle) << static_cast<int>(button);
        SceneManager::GetInstance().Clear();
    }
}

TEST(PlayerGamepad, AControllerPluggedInAndPulledOutMidBattle) {
    GameHarness harness;
    harness.DrawNothing();
    // Stick held forward throughout; the pad is connected over passes 20..39 and 60..79.
    harness.Platform().SetScript([](uint64_t pass) {
        PassInput input;
        if ((pass >= 20 && pass < 40) || (pass >= 60 && pass < 80))
            input.pads[3] = LeftStick(0, -32768);
        return input;
    });
    // Indexed by pass, as each pass begins (before its update): z[n] is where the robot
    // stood after pass n - 1.
    std::vector<float> z(101, 0.0f);
    std::vector<int> pads(101, -1);
    std::vector<bool> forward(101, false);
    harness.Platform().SetPassHook([&](uint64_t pass) {
        auto* battle = dynamic_cast<GameScene*>(SceneManager::GetInstance().GetCurrent());
        if (!battle || !battle->GetPlayer()) return;
        z[pass] = battle->GetPlayer()->GetWorld().Translation().z;
        pads[pass] = harness.Platform().GetConnectedPads();
        forward[pass] = harness.Platform().IsKeyDown('W');
        if (pass == 100) SceneManager::GetInstance().Clear();
    });
    harness.Run([] { return new GameScene; }, 100);
    const auto moved = [&](size_t from, size_t to) { return z[to] - z[from]; };
    EXPECT_EQ(pads[10], 0);
    EXPECT_EQ(pads[30], 1);
    EXPECT_EQ(pads[50], 0);
    EXPECT_EQ(pads[70], 1);
    EXPECT_TRUE(forward[30] && forward[70]);
    EXPECT_GT(moved(25, 38), 1.0f);
    // Unplugged with the stick still forward: no key stays held, and the robot only glides,
    // slower pass by pass, until the pad is back.
    EXPECT_FALSE(forward[40] || forward[59] || forward[80]);
    EXPECT_LT(std::fabs(moved(58, 59)), std::fabs(moved(38, 39)) * 0.8f);
    EXPECT_GT(moved(65, 78), 1.0f);
}

}  // namespace
