// Controllers as the game sees them: the mapping from a pad's state to keys and camera
// motion, and virtual controllers plugged into the scripted platform, read through SDL's
// controller path like real ones.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "engine/platform/Keys.h"
#include "engine/platform/PadMapping.h"
#include "support/GameHarness.h"

namespace {

PadState Stick(PadAxis xAxis, PadAxis yAxis, int x, int y) {
    PadState pad;
    pad.SetAxis(xAxis, x);
    pad.SetAxis(yAxis, y);
    return pad;
}

std::set<int> KeysOf(const PadState& pad) {
    std::set<int> held;
    AddPadKeys(pad, held);
    return held;
}

TEST(PadMapping, LeftStickHoldsMovementKeysOnlyPastTheDeadZone) {
    const int edge = padmap::kMoveDeadZone;
    EXPECT_TRUE(KeysOf(Stick(PadAxis::LeftX, PadAxis::LeftY, 0, -edge)).empty());
    EXPECT_TRUE(KeysOf(Stick(PadAxis::LeftX, PadAxis::LeftY, edge, 0)).empty());
    // The dead zone is round: a diagonal just inside it holds nothing either.
    const int diagonal = static_cast<int>(edge / std::sqrt(2.0f)) - 1;
    EXPECT_TRUE(KeysOf(Stick(PadAxis::LeftX, PadAxis::LeftY, diagonal, diagonal)).empty());

    EXPECT_EQ(KeysOf(Stick(PadAxis::LeftX, PadAxis::LeftY, 0, -edge - 1)), (std::set<int>{'W'}));
    EXPECT_EQ(KeysOf(Stick(PadAxis::LeftX, PadAxis::LeftY, 0, 32767)), (std::set<int>{'S'}));
    EXPECT_EQ(KeysOf(Stick(PadAxis::LeftX, PadAxis::LeftY, -32768, 0)), (std::set<int>{'A'}));
    EXPECT_EQ(KeysOf(Stick(PadAxis::LeftX, PadAxis::LeftY, 32767, 0)), (std::set<int>{'D'}));
}

TEST(PadMapping, LeftStickHasEightEqualSectors) {
    // Every 45° is one of eight directions; the sector edges lie 22.5° either side.
    const std::vector<std::set<int>> expected = {{'D'}, {'D', 'S'}, {'S'}, {'S', 'A'},
                                                 {'A'}, {'A', 'W'}, {'W'}, {'W', 'D'}};
    for (int sector = 0; sector < 8; ++sector) {
        for (float offset : {-20.0f, 0.0f, 20.0f}) {
            const float degrees = sector * 45.0f + offset;
            const float radians = degrees * 3.14159265f / 180.0f;
            const PadState pad = Stick(PadAxis::LeftX, PadAxis::LeftY,
                                       static_cast<int>(std::lround(30000 * std::cos(radians))),
                                       static_cast<int>(std::lround(30000 * std::sin(radians))));
            EXPECT_EQ(KeysOf(pad), expected[sector]) << degrees << "°";
        }
    }
}

TEST(PadMapping, EveryActionHasAButton) {
    struct Case {
        PadButton button;
        int key;
    };
    const Case cases[] = {
        {PadButton::X, vk::LButton},          {PadButton::Y, vk::RButton},
        {PadButton::LeftShoulder, vk::Shift}, {PadButton::RightShoulder, vk::Space},
        {PadButton::A, vk::Return},           {PadButton::Start, vk::Return},
        {PadButton::DpadUp, vk::Up},          {PadButton::DpadDown, vk::Down},
        {PadButton::DpadLeft, vk::Left},      {PadButton::DpadRight, vk::Right},
    };
    for (const Case& c : cases) {
        PadState pad;
        pad.Press(c.button);
        EXPECT_EQ(KeysOf(pad), (std::set<int>{c.key})) << static_cast<int>(c.button);
    }
    // B, Back, Guide and the stick clicks play nothing (Back must not quit by accident).
    for (PadButton idle : {PadButton::B, PadButton::Back, PadButton::Guide, PadButton::LeftStick,
                           PadButton::RightStick}) {
        PadState pad;
        pad.Press(idle);
        EXPECT_TRUE(KeysOf(pad).empty()) << static_cast<int>(idle);
    }
}

TEST(PadMapping, TriggersActPastHalfTheirTravel) {
    PadState pad;
    pad.SetAxis(PadAxis::RightTrigger, padmap::kTriggerThreshold - 1);
    pad.SetAxis(PadAxis::LeftTrigger, padmap::kTriggerThreshold - 1);
    EXPECT_TRUE(KeysOf(pad).empty());
    pad.SetAxis(PadAxis::RightTrigger, padmap::kTriggerThreshold);
    EXPECT_EQ(KeysOf(pad), (std::set<int>{vk::LButton}));
    pad.SetAxis(PadAxis::LeftTrigger, 32767);
    EXPECT_EQ(KeysOf(pad), (std::set<int>{vk::LButton, vk::Shift}));
}

TEST(PadMapping, RightStickTurnsLikeTheMouseWithAFineCentre) {
    const int edge = padmap::kLookDeadZone;
    const PadLook rest = PadLookMotion(Stick(PadAxis::RightX, PadAxis::RightY, edge, 0));
    EXPECT_EQ(rest.dx, 0.0f);
    EXPECT_EQ(rest.dy, 0.0f);
    const PadLook right = PadLookMotion(Stick(PadAxis::RightX, PadAxis::RightY, 32767, 0));
    EXPECT_FLOAT_EQ(right.dx, padmap::kLookPixelsPerPass);
    EXPECT_EQ(right.dy, 0.0f);
    // Up on the stick moves like the mouse moved up.
    const PadLook up = PadLookMotion(Stick(PadAxis::RightX, PadAxis::RightY, 0, -32768));
    EXPECT_FLOAT_EQ(up.dy, -padmap::kLookPixelsPerPass);
    // Halfway past the dead zone turns a quarter as fast (squared response).
    const int half = edge + (32767 - edge) / 2;
    const PadLook slow = PadLookMotion(Stick(PadAxis::RightX, PadAxis::RightY, -half, 0));
    EXPECT_NEAR(slow.dx, -padmap::kLookPixelsPerPass / 4.0f, 0.01f);
    // The right stick never moves the robot, the left never turns the camera.
    EXPECT_TRUE(KeysOf(Stick(PadAxis::RightX, PadAxis::RightY, 32767, 32767)).empty());
    const PadLook none = PadLookMotion(Stick(PadAxis::LeftX, PadAxis::LeftY, 32767, 0));
    EXPECT_EQ(none.dx, 0.0f);
}

// Runs the scripted platform with a script of pads, recording what the platform reports
// after each pass's pump.
struct Reading {
    std::set<int> held;
    PlatformPoint cursor;
    int pads = 0;
};

std::vector<Reading> Read(uint64_t passes, const std::function<PassInput(uint64_t)>& script) {
    GameHarness harness;
    std::vector<Reading> readings;
    harness.Platform().SetScript(script);
    harness.Platform().SetPassHook([&](uint64_t) {
        Reading r;
        for (int key : {vk::LButton, vk::RButton, vk::Return, vk::Shift, vk::Space, vk::Left,
                        vk::Up, vk::Right, vk::Down, int{'W'}, int{'A'}, int{'S'}, int{'D'}}) {
            if (harness.Platform().IsKeyDown(key)) r.held.insert(key);
        }
        r.cursor = harness.Platform().GetCursorPos();
        r.pads = harness.Platform().GetConnectedPads();
        readings.push_back(r);
    });
    harness.Run([] { return new SceneBase; }, passes);
    return readings;
}

TEST(VirtualController, IsReadThroughSdlLikeARealOne) {
    const auto readings = Read(4, [](uint64_t pass) {
        PassInput input;
        PadState pad;
        if (pass == 2) {
            pad.Press(PadButton::A);
            pad.SetAxis(PadAxis::LeftY, -32768);
        }
        if (pass == 3) {
            pad.SetAxis(PadAxis::RightTrigger, 32767);
            pad.Press(PadButton::RightShoulder);
            pad.SetAxis(PadAxis::LeftX, 20000);
        }
        input.pads[0] = pad;
        return input;
    });
    ASSERT_EQ(readings.size(), 4u);
    EXPECT_EQ(readings[0].pads, 1);
    // A pad at rest holds nothing: in particular its released triggers read as released.
    EXPECT_TRUE(readings[0].held.empty());
    EXPECT_EQ(readings[1].held, (std::set<int>{vk::Return, 'W'}));
    EXPECT_EQ(readings[2].held, (std::set<int>{vk::LButton, vk::Space, 'D'}));
    EXPECT_TRUE(readings[3].held.empty());
}

TEST(VirtualController, HotplugComesAndGoesBetweenPasses) {
    const auto readings = Read(6, [](uint64_t pass) {
        PassInput input;
        PadState pad;
        pad.Press(PadButton::Y);
        if (pass == 2 || pass == 3 || pass == 5) input.pads[7] = pad;
        if (pass == 3) input.pads[8] = PadState{};
        return input;
    });
    const std::vector<int> counts = {0, 1, 2, 0, 1, 0};
    for (size_t i = 0; i < readings.size(); ++i) {
        EXPECT_EQ(readings[i].pads, counts[i]) << "pass " << i + 1;
        EXPECT_EQ(readings[i].held.count(vk::RButton), counts[i] > 0 ? 1u : 0u) << "pass " << i + 1;
    }
}

TEST(VirtualController, KeyboardMouseAndTwoPadsPlayTogether) {
    const auto readings = Read(3, [](uint64_t pass) {
        PassInput input;
        input.held = {'W', vk::Shift};
        input.mouseDx = 5;
        PadState first;
        first.Press(PadButton::X);
        first.SetAxis(PadAxis::RightX, 32767);
        PadState second;
        second.SetAxis(PadAxis::LeftX, -32768);
        input.pads[0] = first;
        if (pass >= 2) input.pads[1] = second;
        return input;
    });
    ASSERT_EQ(readings.size(), 3u);
    EXPECT_EQ(readings[0].held, (std::set<int>{'W', vk::Shift, vk::LButton}));
    EXPECT_EQ(readings[1].held, (std::set<int>{'W', vk::Shift, vk::LButton, 'A'}));
    // Mouse and right stick add up: 5 + 12 pixels a pass.
    const int step = 5 + static_cast<int>(padmap::kLookPixelsPerPass);
    EXPECT_EQ(readings[1].cursor.x - readings[0].cursor.x, step);
    EXPECT_EQ(readings[2].cursor.x - readings[1].cursor.x, step);
}

TEST(VirtualController, SlightTiltStillTurnsByCarryingFractions) {
    // A tilt worth about a third of a pixel a pass turns one pixel every third pass or so,
    // rather than never.
    const int tilt = padmap::kLookDeadZone +
                     static_cast<int>((32767 - padmap::kLookDeadZone) * std::sqrt(1.0f / 36.0f));
    const auto readings = Read(30, [&](uint64_t) {
        PassInput input;
        input.pads[0].SetAxis(PadAxis::RightX, tilt);
        return input;
    });
    const int moved = readings.back().cursor.x - readings.front().cursor.x;
    EXPECT_GE(moved, 8);
    EXPECT_LE(moved, 11);
}

}  // namespace
