#include <gtest/gtest.h>

#include "LoadedModel.h"
#include "MeshQueries.h"
#include "models/ModelGenerator.h"
#include "models/RobotLayout.h"

using modelgen::RobotLayout;
using modelgen::V3;
using modelgen::Xf;

namespace {

// Player parts at the rest pose, in the world, as the game composes them.
struct PlayerAtRest {
    LoadedModel body, rightHand, leftHand, rightThigh, leftThigh, rightLeg, leftLeg;
    PlayerAtRest() {
        using L = RobotLayout;
        const std::string dir = "Data/player04/player04_4_";
        const Xf world = Xf::T(L::kPlayerBody);
        const Xf rThigh = Xf::T(L::kPlayerRightThigh) * world;
        const Xf lThigh = Xf::T(L::kPlayerLeftThigh) * world;
        body = LoadGenerated(dir + "body.gltf").Placed(world);
        rightHand =
            LoadGenerated(dir + "rightHand.gltf").Placed(Xf::T(L::kPlayerRightHand) * world);
        leftHand = LoadGenerated(dir + "leftHand.gltf").Placed(Xf::T(L::kPlayerLeftHand) * world);
        rightThigh = LoadGenerated(dir + "rightThighs.gltf").Placed(rThigh);
        leftThigh = LoadGenerated(dir + "leftThighs.gltf").Placed(lThigh);
        rightLeg = LoadGenerated(dir + "rightLeg.gltf")
                       .Placed(Xf::T(L::kPlayerRightLegFromThigh) * rThigh);
        leftLeg =
            LoadGenerated(dir + "leftLeg.gltf").Placed(Xf::T(L::kPlayerLeftLegFromThigh) * lThigh);
    }
};

struct EnemyAtRest {
    LoadedModel body, rightHand, leftHand, rightLeg, leftLeg;
    EnemyAtRest() {
        using L = RobotLayout;
        const std::string dir = "Data/enemy04/enemy04 ";
        const Xf world = Xf::T(0, 3, 0);
        body = LoadGenerated(dir + "body.gltf").Placed(world);
        rightHand = LoadGenerated(dir + "rightHand.gltf").Placed(Xf::T(L::kEnemyRightHand) * world);
        leftHand = LoadGenerated(dir + "leftHand.gltf").Placed(Xf::T(L::kEnemyLeftHand) * world);
        rightLeg = LoadGenerated(dir + "rightLeg.gltf").Placed(Xf::T(L::kEnemyRightLeg) * world);
        leftLeg = LoadGenerated(dir + "leftLeg.gltf").Placed(Xf::T(L::kEnemyLeftLeg) * world);
    }
};

constexpr float kMaxGap = 0.2f;

}  // namespace

TEST(PlayerRobot, EveryLimbTouchesWhatItHangsFromAtRest) {
    PlayerAtRest p;
    EXPECT_LT(MeshQueries::Gap(p.rightHand, p.body), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(p.leftHand, p.body), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(p.rightThigh, p.body), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(p.leftThigh, p.body), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(p.rightLeg, p.rightThigh), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(p.leftLeg, p.leftThigh), kMaxGap);
}

TEST(PlayerRobot, StandsOnItsFeetNearTheGroundWithTheRightLegOnTheRight) {
    PlayerAtRest p;
    EXPECT_NEAR(p.rightLeg.lo.y, 0.0f, 0.15f);
    EXPECT_NEAR(p.leftLeg.lo.y, 0.0f, 0.15f);
    // The game's right side is +x (facing +z in a left-handed world).
    EXPECT_GT((p.rightLeg.lo.x + p.rightLeg.hi.x) * 0.5f, 0.2f);
    EXPECT_LT((p.leftLeg.lo.x + p.leftLeg.hi.x) * 0.5f, -0.2f);
    EXPECT_GT(p.body.hi.y, 5.0f);
    EXPECT_LT(p.body.hi.y, 6.0f);
}

TEST(PlayerRobot, ThrustersSitOnTheBackAndWeaponGripsInTheRightFist) {
    using L = RobotLayout;
    LoadedModel body = LoadGenerated("Data/player04/player04_4_body.gltf");
    LoadedModel thruster = LoadGenerated("Data/thruster/thruster.gltf");
    EXPECT_LT(MeshQueries::Gap(thruster.Placed(Xf::T(L::kPlayerThrusterRight)), body), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(thruster.Placed(Xf::T(L::kPlayerThrusterLeft)), body), kMaxGap);
    // The mounts are behind the body's centre, where the backpack is.
    EXPECT_LT(body.lo.z, L::kPlayerThrusterRight.z);

    LoadedModel hand = LoadGenerated("Data/player04/player04_4_rightHand.gltf");
    EXPECT_LT(MeshQueries::DistanceToSurface(hand, L::kAxeGrip), 0.35f);
    EXPECT_LT(MeshQueries::DistanceToSurface(hand, L::kGunGrip), 0.35f);
}

TEST(EnemyRobot, EveryLimbAndShoulderGunTouchesTheBodyAtRest) {
    EnemyAtRest e;
    EXPECT_LT(MeshQueries::Gap(e.rightHand, e.body), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(e.leftHand, e.body), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(e.rightLeg, e.body), kMaxGap);
    EXPECT_LT(MeshQueries::Gap(e.leftLeg, e.body), kMaxGap);
    LoadedModel gun = LoadGenerated("Data/cannon/cannon.gltf");
    const Xf world = Xf::T(0, 3, 0);
    EXPECT_LT(MeshQueries::Gap(gun.Placed(Xf::T(RobotLayout::kEnemyGunRight) * world), e.body),
              kMaxGap);
    EXPECT_LT(MeshQueries::Gap(gun.Placed(Xf::T(RobotLayout::kEnemyGunLeft) * world), e.body),
              kMaxGap);
}

TEST(EnemyRobot, HeadStaysBelowTheGaugeAndTheAxeGripIsInTheFist) {
    EnemyAtRest e;
    // The HP gauge is drawn 4.5 above the body origin (height 3).
    EXPECT_LT(e.body.hi.y, 3.0f + 4.5f - 2.0f);
    EXPECT_NEAR(std::min(e.rightLeg.lo.y, e.leftLeg.lo.y), 0.0f, 0.3f);
    LoadedModel hand = LoadGenerated("Data/enemy04/enemy04 rightHand.gltf");
    EXPECT_LT(MeshQueries::DistanceToSurface(hand, RobotLayout::kEnemyAxeGrip), 0.35f);
}

TEST(TitleRobot, IsThePlayerAtTwiceTheSizeStandingOnTheOrigin) {
    PlayerAtRest p;
    LoadedModel title = LoadGenerated("Data/title/title_player.gltf");
    float battleHeight = p.body.hi.y - std::min(p.rightLeg.lo.y, p.leftLeg.lo.y);
    EXPECT_NEAR(title.hi.y - title.lo.y, 2.0f * battleHeight, 0.1f * battleHeight);
    EXPECT_NEAR(title.lo.y, 0.0f, 0.3f);
    // The title scene hangs its thrusters at (+-0.3, 7, -1): they must sit on the back.
    EXPECT_LT(MeshQueries::DistanceToSurface(title, {0.3f, 7.0f, -1.0f}), 0.3f);
    EXPECT_LT(MeshQueries::DistanceToSurface(title, {-0.3f, 7.0f, -1.0f}), 0.3f);
    // The close-up puts the model origin 9 below a camera 5 units away with a 60 degree
    // field of view, which sees model heights 6.1 to 11.9: the head must top out there.
    EXPECT_GT(title.hi.y, 9.0f);
    EXPECT_LT(title.hi.y, 11.8f);
}

// The assembled robot (pictures, title model) must be exactly the part files at rest.
TEST(PlayerRobot, AssembledModelIsThePartsAtRest) {
    std::string error;
    ASSERT_TRUE(GenerateAssembledRobots(GeneratedRoot() / "rest", error)) << error;
    LoadedModel assembled = LoadGenerated("rest/player_rest.gltf");
    ASSERT_TRUE(assembled.loaded);
    PlayerAtRest p;
    LoadedModel parts = p.body;
    for (const LoadedModel* m :
         {&p.rightHand, &p.leftHand, &p.rightThigh, &p.leftThigh, &p.rightLeg, &p.leftLeg}) {
        parts.Add(*m);
    }
    LoadedModel thruster = LoadGenerated("Data/thruster/thruster.gltf");
    const Xf world = Xf::T(RobotLayout::kPlayerBody);
    parts.Add(thruster.Placed(Xf::T(RobotLayout::kPlayerThrusterRight) * world));
    parts.Add(thruster.Placed(Xf::T(RobotLayout::kPlayerThrusterLeft) * world));
    EXPECT_EQ(assembled.TriangleCount(), parts.TriangleCount());
    for (auto [a, b] : {std::pair{assembled.lo, parts.lo}, std::pair{assembled.hi, parts.hi}}) {
        EXPECT_NEAR(a.x, b.x, 1e-3f);
        EXPECT_NEAR(a.y, b.y, 1e-3f);
        EXPECT_NEAR(a.z, b.z, 1e-3f);
    }
    EXPECT_TRUE(LoadGenerated("rest/enemy_rest.gltf").loaded);
}
