// The battle camera inside the real loop: mouse and arrow input through the scripted
// platform, the lagging follow, the death lift, and what it hands to shaders and audio.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "battle/ProbeScene.h"
#include "engine/audio/AudioManager.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/platform/Keys.h"
#include "game/scenes/Camera.h"
#include "support/GameHarness.h"

namespace {

// Runs a camera in a probe scene: input each pass, Follow with the target the test gives.
struct CameraRig {
    GameHarness harness;
    std::unique_ptr<Camera> camera;
    std::function<Matrix(uint64_t)> target = [](uint64_t) { return Matrix(); };
    std::function<bool(uint64_t)> dying = [](uint64_t) { return false; };
    std::function<void(uint64_t, Camera&)> afterPass;

    void Run(uint64_t passes) {
        RunAndRelease(
            harness,
            [this] {
                auto* scene = new ProbeScene;
                scene->onUpdate = [this] {
                    if (!camera) camera = std::make_unique<Camera>();
                    camera->ReadInput();
                };
                scene->onCamera = [this] {
                    const uint64_t pass = harness.Platform().GetPass();
                    camera->Follow(target(pass), dying(pass));
                    if (afterPass) afterPass(pass, *camera);
                };
                scene->onDestroy = [this] { camera.reset(); };
                return scene;
            },
            passes);
    }
};

TEST(Camera, FortyPixelsOfMouseTurnTenDegreesAndTheCursorGoesBack) {
    CameraRig rig;
    float yawAfter = 0.0f;
    float pitchAfter = 0.0f;
    PlatformPoint cursorAfter;
    PlatformPoint center;
    rig.harness.Platform().SetScript(
        [](uint64_t pass) { return pass == 2 ? GameHarness::Hold({}, 40, -8) : PassInput{}; });
    rig.afterPass = [&](uint64_t pass, Camera& camera) {
        if (pass != 2) return;
        yawAfter = camera.GetYaw();
        pitchAfter = camera.GetPitch();
        center = camera.GetCenter();
        cursorAfter = GetPlatform().GetCursorPos();
    };
    rig.Run(3);
    EXPECT_FLOAT_EQ(yawAfter, 10.0f);
    EXPECT_FLOAT_EQ(pitchAfter, 13.0f);
    EXPECT_EQ(cursorAfter, center);
    // The centre is the middle of the client area on the screen.
    EXPECT_EQ(center, GetPlatform().ClientToScreen({640, 360}));
}

TEST(Camera, PitchStaysBetweenMinusTwentyAndSixtyForMouseAndArrows) {
    CameraRig rig;
    std::vector<float> pitches;
    rig.harness.Platform().SetScript([](uint64_t pass) {
        if (pass == 2) return GameHarness::Hold({}, 0, 10000);             // far down
        if (pass == 3) return GameHarness::Hold({}, 0, -10000);            // far up
        if (pass >= 4 && pass <= 5) return GameHarness::Hold({}, 0, 316);  // 15 + 79 → 60
        if (pass >= 6 && pass <= 8) return GameHarness::Hold({vk::Up});
        return GameHarness::Hold({vk::Down});
    });
    rig.afterPass = [&](uint64_t, Camera& camera) { pitches.push_back(camera.GetPitch()); };
    // Pass 1 sets the camera up with its first input already read.
    rig.Run(50);
    ASSERT_GE(pitches.size(), 50u);
    EXPECT_FLOAT_EQ(pitches[1], 60.0f);
    EXPECT_FLOAT_EQ(pitches[2], -20.0f);
    EXPECT_FLOAT_EQ(pitches[3], 59.0f);
    EXPECT_FLOAT_EQ(pitches[4], 60.0f);  // clamped, 79 + 79 went past
    EXPECT_FLOAT_EQ(pitches[5], 60.0f);  // up arrow at the limit
    EXPECT_FLOAT_EQ(pitches[7], 60.0f);
    EXPECT_FLOAT_EQ(pitches[8], 58.0f);  // down arrow
    EXPECT_FLOAT_EQ(pitches.back(), -20.0f);
}

TEST(Camera, ArrowsWrapTheYawButTheMouseDoesNot) {
    CameraRig rig;
    std::vector<float> yaws;
    rig.harness.Platform().SetScript([](uint64_t pass) {
        if (pass == 2) return GameHarness::Hold({vk::Left});
        if (pass == 3) return GameHarness::Hold({vk::Right});
        if (pass == 4) return GameHarness::Hold({}, -1480);  // 2 − 370
        if (pass == 5) return GameHarness::Hold({vk::Right});
        return PassInput{};
    });
    rig.afterPass = [&](uint64_t, Camera& camera) { yaws.push_back(camera.GetYaw()); };
    rig.Run(5);
    ASSERT_EQ(yaws.size(), 5u);
    EXPECT_FLOAT_EQ(yaws[1], 358.0f);
    EXPECT_FLOAT_EQ(yaws[2], 360.0f);  // not above 360: kept
    EXPECT_FLOAT_EQ(yaws[3], -10.0f);
    EXPECT_FLOAT_EQ(yaws[4], -8.0f);  // right arrow does not wrap upwards from below 0
}

TEST(Camera, FollowsThePlayerFourPassesLate) {
    CameraRig rig;
    // The player moves one unit along x per pass.
    rig.target = [](uint64_t pass) {
        return Matrix::CreateTranslation(static_cast<float>(pass), 4.0f, 0.0f);
    };
    std::vector<Vector3> focus;
    Vector3 eyeAt10;
    rig.afterPass = [&](uint64_t pass, Camera& camera) {
        focus.push_back(camera.GetFocus());
        if (pass == 10) eyeAt10 = camera.GetEye();
    };
    rig.Run(10);
    ASSERT_EQ(focus.size(), 10u);
    // Until four passes have gone by the history still holds the start T(0, 4, 0).
    EXPECT_FLOAT_EQ(focus[3].x, 0.0f);
    EXPECT_FLOAT_EQ(focus[4].x, 1.0f);
    EXPECT_FLOAT_EQ(focus[9].x, 6.0f);
    EXPECT_FLOAT_EQ(focus[9].y, 6.0f);
    // Ten units behind, looking down 15°.
    const Vector3 expected = Vector3(6.0f, 4.0f, 0.0f) + Camera::EyeOffset(15.0f, 0.0f);
    EXPECT_NEAR(eyeAt10.x, expected.x, 1e-4f);
    EXPECT_NEAR(eyeAt10.y, 4.0f + 10.0f * std::sin(ToRadians(15.0f)), 1e-4f);
    EXPECT_NEAR(eyeAt10.z, -10.0f * std::cos(ToRadians(15.0f)), 1e-4f);
}

TEST(Camera, SetsViewProjectionAndListenerFromTheEye) {
    CameraRig rig;
    rig.harness.Platform().SetScript(
        [](uint64_t pass) { return pass == 2 ? GameHarness::Hold({}, 120) : PassInput{}; });
    Matrix view, proj;
    Vector3 listener, front, eye;
    rig.afterPass = [&](uint64_t pass, Camera& camera) {
        if (pass != 2) return;
        ShaderManager& shaders = ShaderManager::GetInstance();
        view = shaders.GetView();
        proj = shaders.GetProjMatrix();
        listener = AudioManager::GetInstance().GetListenerPosition();
        front = AudioManager::GetInstance().GetListenerFront();
        eye = camera.GetEye();
    };
    rig.Run(2);
    EXPECT_TRUE(proj == Camera::Projection());
    // 60° vertically: the y scale is 1 / tan 30°.
    EXPECT_NEAR(proj(1, 1), 1.7320508f, 1e-5f);
    EXPECT_NEAR(proj(0, 0), 1.7320508f / (1280.0f / 720.0f), 1e-5f);
    const Vector3 eyeFromView = view.Invert().Translation();
    EXPECT_NEAR(eyeFromView.x, eye.x, 1e-3f);
    EXPECT_NEAR(eyeFromView.z, eye.z, 1e-3f);
    EXPECT_NEAR(listener.x, eye.x, 1e-4f);
    // Yaw 30°: the listener faces (sin 30°, 0, cos 30°) whatever the pitch.
    EXPECT_NEAR(front.x, 0.5f, 1e-5f);
    EXPECT_NEAR(front.y, 0.0f, 1e-6f);
    EXPECT_NEAR(front.z, 0.8660254f, 1e-5f);
}

TEST(Camera, DeathLiftStartsBehindTheLatestPoseAndEndsInItsHundredAndFirstStep) {
    CameraRig rig;
    const uint64_t dieAt = 20;
    rig.target = [](uint64_t pass) {
        return Matrix::CreateTranslation(static_cast<float>(std::min<uint64_t>(pass, 18)), 4.0f,
                                         0.0f);
    };
    rig.dying = [&](uint64_t pass) { return pass >= dieAt; };
    uint64_t doneAt = 0;
    Vector3 firstEye, lastEye, focusWhileDying;
    rig.afterPass = [&](uint64_t pass, Camera& camera) {
        if (pass == dieAt) {
            firstEye = camera.GetEye();
            focusWhileDying = camera.GetFocus();
        }
        if (camera.IsDeathViewDone() && doneAt == 0) doneAt = pass;
        lastEye = camera.GetEye();
    };
    rig.Run(dieAt + 110);
    // The first dying pass creates the lift at the newest history entry (x = 18), the
    // next 101 passes run it.
    EXPECT_NEAR(firstEye.x, 18.0f, 1e-4f);
    EXPECT_NEAR(focusWhileDying.x, 18.0f, 1e-5f);
    EXPECT_NEAR(focusWhileDying.y, 6.0f, 1e-5f);
    EXPECT_EQ(doneAt, dieAt + 101);
    EXPECT_NEAR(lastEye.y, firstEye.y + 15.0f, 1e-3f);
    EXPECT_NEAR(lastEye.z, firstEye.z - 5.0f, 1e-3f);
}

}  // namespace
