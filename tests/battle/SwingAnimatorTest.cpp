// Key-frame poses: the interpolator, both axe swings and the camera lift.
#include <gtest/gtest.h>

#include <cmath>

#include "battle/ProbeScene.h"
#include "engine/math/Quaternion.h"
#include "game/enemy/LiftMotion.h"
#include "game/enemy/PoseInterpolator.h"
#include "game/enemy/SwingAnimator.h"

namespace {

float QuaternionAngle(const Matrix& m) {
    Quaternion q = Quaternion::CreateFromRotationMatrix(m);
    q.Normalize();
    return 2.0f * std::acos(std::min(1.0f, std::abs(q.w)));
}

TEST(PoseInterpolator, HalfwayPoseHasHalfTheRotationAndTheMidpointTranslation) {
    const Matrix target = SwingAnimator::EnemyRaisePose();  // RotX(180 rad) × T(0.8, 0, 0)
    const Matrix half = PoseInterpolator::Interpolate(Matrix(), target, 0.5f);
    EXPECT_NEAR(QuaternionAngle(half), QuaternionAngle(target) / 2.0f, 1e-4f);
    EXPECT_NEAR(half.Translation().x, 0.4f, 1e-6f);
    // Still a rotation about X only, and a proper affine matrix.
    EXPECT_NEAR(half(0, 0), 1.0f, 1e-5f);
    EXPECT_FLOAT_EQ(half(0, 3), 0.0f);
    EXPECT_FLOAT_EQ(half(3, 3), 1.0f);
    // The ends are the poses themselves, with scale dropped.
    const Matrix scaled = Matrix::CreateScale(3.0f) * Matrix::CreateTranslation(1, 2, 3);
    const Matrix end = PoseInterpolator::Interpolate(target, scaled, 1.0f);
    EXPECT_NEAR(end(0, 0), 1.0f, 1e-5f);
    EXPECT_NEAR(end.Translation().z, 3.0f, 1e-6f);
}

TEST(PoseInterpolator, ProgressStopsAtOneAndResetStartsTheNextKeyFromZero) {
    PoseInterpolator pose;
    pose.SetUp(0.3f, Matrix(), Matrix::CreateTranslation(10.0f, 0.0f, 0.0f));
    EXPECT_FALSE(pose.Advance(false));
    EXPECT_FALSE(pose.Advance(false));
    EXPECT_FALSE(pose.Advance(false));
    EXPECT_TRUE(pose.Advance(false));
    EXPECT_FLOAT_EQ(pose.GetProgress(), 1.0f);
    EXPECT_FLOAT_EQ(pose.GetCurrent().Translation().x, 10.0f);
    EXPECT_TRUE(pose.Advance(false));  // stays at the end
    EXPECT_FLOAT_EQ(pose.GetProgress(), 1.0f);
    EXPECT_TRUE(pose.Advance(true));
    EXPECT_FLOAT_EQ(pose.GetProgress(), 0.0f);
    EXPECT_FLOAT_EQ(pose.GetCurrent().Translation().x, 10.0f);
}

class SwingTest : public ::testing::Test {
protected:
    void TearDown() override { DropDevicelessCaches(); }
    const Matrix rest = Matrix::CreateTranslation(0.3f, -1.0f, 0.2f);
};

// Frames until the swing stops running, and the frames with the hit window open.
struct SwingRun {
    int frames = 0;
    int firstHit = 0;
    int lastHit = 0;
};

template <typename Step>
SwingRun RunSwing(SwingAnimator& swing, Step step) {
    SwingRun run;
    do {
        step();
        ++run.frames;
        if (swing.IsHitWindow()) {
            if (run.firstHit == 0) run.firstHit = run.frames;
            run.lastHit = run.frames;
        }
    } while (swing.IsRunning() && run.frames < 500);
    return run;
}

// Forty single-precision steps of 0.025 (fifty of 0.02) sum to just under 1, so each raise
// takes one frame more than its step suggests; ten steps of 0.1 overshoot and end on time.
TEST_F(SwingTest, EnemySwingRaisesStrikesAndReturns) {
    SwingAnimator swing;
    const SwingRun run = RunSwing(swing, [&] { swing.RunEnemySwing(rest, Matrix::Identity()); });
    EXPECT_EQ(run.frames, 41 + 10 + 10);
    EXPECT_EQ(run.firstHit, 42);
    EXPECT_EQ(run.lastHit, 51);
    // Back at rest, ready to start over.
    EXPECT_NEAR(swing.GetOutputPose().Translation().y, -1.0f, 1e-5f);
    EXPECT_EQ(swing.GetKeyIndex(), 0);
    EXPECT_FALSE(swing.IsHitWindow());
}

TEST_F(SwingTest, SwingFlagAbortsTheEnemySwingWhichThenStartsOverFromTheRaise) {
    SwingAnimator swing;
    for (int i = 0; i < 45; ++i) swing.RunEnemySwing(rest, Matrix::Identity());
    ASSERT_TRUE(swing.IsHitWindow());
    swing.SetSwingFlag(true);
    swing.RunEnemySwing(rest, Matrix::Identity());
    EXPECT_FALSE(swing.IsRunning());
    EXPECT_FALSE(swing.IsHitWindow());
    EXPECT_FLOAT_EQ(swing.GetPose().GetProgress(), 0.0f);
    swing.SetSwingFlag(false);
    swing.RunEnemySwing(rest, Matrix::Identity());
    EXPECT_TRUE(swing.IsRunning());
    EXPECT_FLOAT_EQ(swing.GetPose().GetStep(), 0.025f);  // the raise again
    EXPECT_TRUE(swing.GetPose().GetStart() == rest);
}

TEST_F(SwingTest, PlayerSwingHasRaiseStrikeHoldAndReturn) {
    SwingAnimator swing;
    bool flagDuringRaise = false;
    bool flagDuringHold = true;
    int frame = 0;
    const SwingRun run = RunSwing(swing, [&] {
        swing.RunPlayerSwing(rest, Matrix::Identity());
        ++frame;
        if (frame == 10) flagDuringRaise = swing.GetSwingFlag();
        if (frame == 66) flagDuringHold = swing.GetSwingFlag();
    });
    EXPECT_EQ(run.frames, 51 + 10 + 10 + 10);
    EXPECT_EQ(run.firstHit, 52);
    EXPECT_EQ(run.lastHit, 61);
    EXPECT_TRUE(flagDuringRaise);
    EXPECT_FALSE(flagDuringHold);
    EXPECT_NEAR(swing.GetOutputPose().Translation().x, 0.3f, 1e-5f);
}

TEST(LiftMotion, RisesFifteenAndBacksFiveReachingTheEndInThe101stStep) {
    const Vector3 start(1.0f, 6.0f, -10.0f);
    LiftMotion lift(start);
    for (int step = 1; step <= 100; ++step) ASSERT_FALSE(lift.RunLift()) << "step " << step;
    EXPECT_TRUE(lift.RunLift());
    EXPECT_NEAR(lift.GetPosition().x, 1.0f, 1e-5f);
    EXPECT_NEAR(lift.GetPosition().y, 21.0f, 1e-5f);
    EXPECT_NEAR(lift.GetPosition().z, -15.0f, 1e-5f);
    EXPECT_TRUE(lift.RunLift());  // and stays there
    EXPECT_NEAR(lift.GetPosition().y, 21.0f, 1e-5f);
}

}  // namespace
