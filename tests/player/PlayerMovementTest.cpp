// Walking, gliding, the key-pair latches, bounds, overheated movement and the hull push,
// driven through scripted keys in the real loop.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/graphics/CollisionQuery.h"
#include "engine/platform/Keys.h"
#include "game/enemy/BattleShip.h"
#include "game/player/Ax.h"
#include "game/player/Railgun.h"
#include "player/PlayerStage.h"

namespace {

struct Track {
    std::vector<Vector3> positions;  // after each pass, index 0 = pass 1
    std::vector<float> speeds;
    std::vector<float> tilts;

    // Distance covered in pass n (1-based, n >= 2).
    float Step(int n) const {
        const Vector3 d = positions[n - 1] - positions[n - 2];
        return std::sqrt(d.x * d.x + d.z * d.z);
    }
};

Track Walk(uint64_t passes, const std::function<PassInput(uint64_t)>& script,
           const std::function<void(PlayerStage&)>& setUp = {}) {
    Track track;
    RunStage(
        passes, {},
        [&](PlayerStage& stage) {
            if (setUp) setUp(stage);
            stage.afterUpdate = [&](PlayerStage& s, int) {
                track.positions.push_back(s.GetPlayer().GetWorld().Translation());
                track.speeds.push_back(s.GetPlayer().GetSpeed());
                track.tilts.push_back(s.GetPlayer().GetTilt());
            };
        },
        script);
    return track;
}

TEST(PlayerBody, StartsStandingAtTheOriginWithTheAxeChosenButNotYetMade) {
    bool checkedBefore = false;
    RunStage(1, {},
             [&](PlayerStage& stage) {
                 Player& p = stage.GetPlayer();
                 const Vector3 at = p.GetWorld().Translation();
                 EXPECT_EQ(at.x, 0.0f);
                 EXPECT_EQ(at.y, 4.0f);
                 EXPECT_EQ(at.z, 0.0f);
                 EXPECT_EQ(p.GetYaw(), 0.0f);
                 EXPECT_EQ(p.GetHp(), 2000);
                 EXPECT_EQ(p.GetEnergy(), 1000);
                 EXPECT_EQ(p.GetWeaponIndex(), 0);
                 EXPECT_EQ(p.GetWeaponInHand(), nullptr);
                 EXPECT_EQ(p.GetRadius(), 1.5f);
                 EXPECT_TRUE(p.IsAlive());
                 checkedBefore = true;
                 stage.afterUpdate = [](PlayerStage& s, int) {
                     const Player& q = s.GetPlayer();
                     EXPECT_NE(dynamic_cast<const Ax*>(q.GetWeaponInHand()), nullptr);
                     EXPECT_NE(dynamic_cast<const Railgun*>(q.GetWeaponOnBack()), nullptr);
                     EXPECT_NE(q.GetSlashFlash(), nullptr);
                     // Rest pose of the limbs from the body matrix.
                     const Vector3 hand = q.GetLeftHand().Translation();
                     EXPECT_NEAR(hand.x, -0.7f, 1e-5f);
                     EXPECT_NEAR(hand.y, 3.4f, 1e-5f);
                     EXPECT_NEAR(q.GetRightHand().Translation().x, 0.8f, 1e-5f);
                     EXPECT_NEAR(q.GetHitBoxMatrix().Translation().y, 3.0f, 1e-5f);
                 };
             },
             {});
    EXPECT_TRUE(checkedBefore);
}

TEST(PlayerMovement, TwoKeysTogetherMoveDiagonallyAtTheSingleKeySpeed) {
    const Track both = Walk(30, [](uint64_t) { return Keys({'W', 'D'}); });
    const Track one = Walk(30, [](uint64_t) { return Keys({'W'}); });
    for (int n = 5; n <= 30; ++n) {
        EXPECT_NEAR(both.Step(n), 0.3f, 1e-4f) << n;
        EXPECT_NEAR(one.Step(n), 0.3f, 1e-4f) << n;
    }
    const Vector3 end = both.positions.back();
    EXPECT_NEAR(end.x, end.z, 1e-3f);  // 45° between forward and right
    EXPECT_GT(end.x, 5.0f);
    EXPECT_NEAR(one.positions.back().x, 0.0f, 1e-5f);
    // The body has turned to the direction of travel.
}

TEST(PlayerMovement, ReleasedKeysGlideSixtyPassesLosingSpeedEachPass) {
    const Track t = Walk(100, [](uint64_t pass) { return pass <= 10 ? Keys({'W'}) : Keys({}); });
    // The last key pass moves 0.3; then the speed falls by 0.005 per pass.
    EXPECT_NEAR(t.Step(10), 0.3f, 1e-4f);
    EXPECT_NEAR(t.Step(11), 0.295f, 1e-4f);
    EXPECT_NEAR(t.Step(20), 0.25f, 1e-4f);
    int gliding = 0;
    for (int n = 11; n <= 100; ++n) {
        if (t.Step(n) > 1e-6f) ++gliding;
        EXPECT_NEAR(t.positions[n - 1].x, 0.0f, 1e-4f);  // keeps its direction
    }
    EXPECT_GE(gliding, 58);
    EXPECT_LE(gliding, 60);
    EXPECT_EQ(t.speeds.back(), 0.0f);
    EXPECT_NEAR(t.positions.back().z, 3.0f + 0.3f * 59.0f / 2.0f, 0.35f);
}

TEST(PlayerMovement, HoldingBackThenForwardKeepsMovingBack) {
    const Track t = Walk(40, [](uint64_t pass) {
        return pass <= 10 ? Keys({'S'}) : Keys({'S', 'W'});
    });
    for (int n = 2; n <= 40; ++n) {
        EXPECT_LT(t.positions[n - 1].z, t.positions[n - 2].z) << n;
    }
    // From rest, the first key of a pair wins.
    const Track w = Walk(10, [](uint64_t) { return Keys({'W', 'S'}); });
    EXPECT_GT(w.positions.back().z, 2.0f);
}

TEST(PlayerMovement, NeverLeavesThePlayAreaAndStaysAtHeightFour) {
    // Starts near a corner and runs diagonally into it, boosting until overheated.
    const Track t = Walk(
        400,
        [](uint64_t) {
            return Keys({'W', vk::Shift});
        },
        [](PlayerStage& stage) {
            stage.yaw = 135.0f;  // forward = (+x, -z)
            stage.GetPlayer().SetMatrix(Matrix::CreateTranslation(280.0f, 4.0f, -280.0f));
        });
    bool reachedCorner = false;
    for (const Vector3& p : t.positions) {
        EXPECT_LE(std::abs(p.x), 300.0f);
        EXPECT_LE(std::abs(p.z), 300.0f);
        EXPECT_EQ(p.y, 4.0f);
        reachedCorner = reachedCorner || (p.x == 300.0f && p.z == -300.0f);
    }
    EXPECT_TRUE(reachedCorner);
}

TEST(PlayerMovement, OverheatedMovesAtATenthWithoutLeaning) {
    // Boost from almost no energy: the gauge runs dry at once and the robot overheats
    // while still holding Shift.
    bool overheatedSeen = false;
    Track t;
    RunStage(
        120, {},
        [&](PlayerStage& stage) {
            stage.GetPlayer().SetEnergy(6);
            stage.afterUpdate = [&](PlayerStage& s, int) {
                const Player& p = s.GetPlayer();
                t.positions.push_back(p.GetWorld().Translation());
                t.tilts.push_back(p.GetTilt());
                if (p.IsOverheated()) overheatedSeen = true;
            };
        },
        [](uint64_t) {
            return Keys({'W', vk::Shift});
        });
    ASSERT_TRUE(overheatedSeen);
    EXPECT_NEAR(t.Step(2), 0.5f, 1e-4f);  // still boosting
    for (int n = 4; n <= 120; ++n) {
        EXPECT_NEAR(t.Step(n), 0.1f, 1e-4f) << n;
        EXPECT_EQ(t.tilts[n - 1], 0.0f) << n;
    }
}

TEST(PlayerMovement, LeansForwardWhileWalkingUpToTheLimitAndStraightensWhenStopping) {
    const Track t = Walk(80, [](uint64_t pass) {
        if (pass <= 40) return Keys({'W', vk::Shift});
        return Keys({});
    });
    EXPECT_EQ(t.tilts[4], 5.0f);
    EXPECT_EQ(t.tilts[39], 30.0f);  // boost lean limit
    // Released: two passes of -2 (above 10) plus the standing -1.
    EXPECT_EQ(t.tilts[40], 27.0f);
    EXPECT_EQ(t.tilts.back(), 0.0f);
}

TEST(PlayerMovement, RunningIntoTheHullStopsThreeUnitsBeforeIt) {
    // Find the hull straight ahead of a start point facing +z.
    Vector3 normal;
    float distance = 0.0f;
    bool found = false;
    std::vector<float> gaps;
    RunStage(
        220, {.ship = true},
        [&](PlayerStage& stage) {
            const CollisionQuery query;
            const Vector3 origin{0.0f, 4.0f, 100.0f};
            found = query.RayToModel(stage.GetShip()->GetHitModel(), stage.GetShip()->GetWorld(),
                                     origin, {0.0f, 0.0f, 1.0f}, normal, distance);
            if (!found) return;
            // 40 units in front of the hull.
            stage.GetPlayer().SetMatrix(
                Matrix::CreateTranslation(0.0f, 4.0f, origin.z + distance - 40.0f));
            stage.afterUpdate = [&](PlayerStage& s, int) {
                const Vector3 at = s.GetPlayer().GetWorld().Translation();
                Vector3 n;
                float d = 0.0f;
                if (query.RayToModel(s.GetShip()->GetHitModel(), s.GetShip()->GetWorld(), at,
                                     {0.0f, 0.0f, 1.0f}, n, d)) {
                    gaps.push_back(d * -n.z);
                }
            };
        },
        [](uint64_t) { return Keys({'W'}); });
    ASSERT_TRUE(found) << "no hull ahead of the test line";
    ASSERT_FALSE(gaps.empty());
    for (float gap : gaps) EXPECT_GE(gap, 3.0f - 1e-3f);
    EXPECT_NEAR(gaps.back(), 3.0f, 1e-3f);
}

}  // namespace
