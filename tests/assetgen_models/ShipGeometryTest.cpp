#include <gtest/gtest.h>

#include <cmath>

#include "LoadedModel.h"
#include "MeshQueries.h"

using modelgen::Normalize;
using modelgen::V3;
using modelgen::Xf;

namespace {

// Hull coordinates of the points the game derives from world positions through the ship
// placement S(5) x RotY(-pi/2) x T(0, 5, 200): world (x, y, z) is hull (
// (z - 200) / 5, (y - 5) / 5, -x / 5).
V3 HullPoint(const V3& world) {
    return {(world.z - 200) / 5, (world.y - 5) / 5, -world.x / 5};
}

const V3 kMainTurret = HullPoint({-10, 10, 200});
const V3 kSideCannon1 = HullPoint({15, 1, 189});
const V3 kSideCannon2 = HullPoint({15, 1, 212});
const V3 kEnemySpawn = HullPoint({-35, 3, 190});

// Main hull surface: the hit box without the bridge tower, whose box sits on the deck.
const LoadedModel& HitBox() {
    static const LoadedModel m = LoadGenerated("Data/spaceBattleShip/hitBox.gltf");
    return m;
}

const LoadedModel& Hull() {
    static const LoadedModel m = LoadGenerated("Data/spaceBattleShip/battleShip.gltf");
    return m;
}

}  // namespace

TEST(BattleShip, PlacementsDeriveToTheExpectedHullPoints) {
    EXPECT_NEAR(kMainTurret.x, 0.0f, 1e-5f);
    EXPECT_NEAR(kMainTurret.y, 1.0f, 1e-5f);
    EXPECT_NEAR(kMainTurret.z, 2.0f, 1e-5f);
    EXPECT_NEAR(kSideCannon1.x, -2.2f, 1e-5f);
    EXPECT_NEAR(kSideCannon2.x, 2.4f, 1e-5f);
    EXPECT_NEAR(kEnemySpawn.z, 7.0f, 1e-5f);
}

TEST(BattleShip, HitBoxFollowsTheVisibleHull) {
    const LoadedModel& hit = HitBox();
    const LoadedModel& hull = Hull();
    // Never larger than what is drawn, and covering nearly all of it along every axis.
    EXPECT_GE(hit.lo.x, hull.lo.x - 0.05f);
    EXPECT_GE(hit.lo.y, hull.lo.y - 0.05f);
    EXPECT_GE(hit.lo.z, hull.lo.z - 0.05f);
    EXPECT_LE(hit.hi.x, hull.hi.x + 0.05f);
    EXPECT_LE(hit.hi.y, hull.hi.y + 0.05f);
    EXPECT_LE(hit.hi.z, hull.hi.z + 0.05f);
    EXPECT_GT(hit.hi.x - hit.lo.x, 0.7f * (hull.hi.x - hull.lo.x));
    EXPECT_GT(hit.hi.y - hit.lo.y, 0.6f * (hull.hi.y - hull.lo.y));
    EXPECT_GT(hit.hi.z - hit.lo.z, 0.9f * (hull.hi.z - hull.lo.z));
    EXPECT_NEAR(hit.hi.z - hit.lo.z, 12.0f, 0.5f);
    EXPECT_GT(hit.hi.x - hit.lo.x, 4.8f);
    EXPECT_LT(hit.hi.x - hit.lo.x, 6.0f);
}

// Robots are pushed out along the reported normal only when it faces the ray, so every
// face of the hit box must point out of the hull.
TEST(BattleShip, HitBoxFacesPointOutwardFromEveryDirection) {
    const LoadedModel& hit = HitBox();
    V3 centre = (hit.lo + hit.hi) * 0.5f;
    int rays = 0;
    for (int i = 0; i < 24; ++i) {
        for (int j = 1; j < 12; ++j) {
            float a = 2 * modelgen::kPi * i / 24, b = modelgen::kPi * j / 12;
            V3 dir{std::sin(b) * std::cos(a), std::cos(b), std::sin(b) * std::sin(a)};
            V3 origin = centre - dir * 40.0f;
            auto hits = MeshQueries::RayHits(hit, origin, dir);
            ASSERT_FALSE(hits.empty());
            EXPECT_LT(modelgen::Dot(hits.front().faceNormal, dir), 0.0f) << i << "," << j;
            ++rays;
        }
    }
    EXPECT_EQ(rays, 24 * 11);
}

TEST(BattleShip, CannonPlacementsSitOnTheHullSurface) {
    for (const V3& p : {kMainTurret, kSideCannon1, kSideCannon2}) {
        EXPECT_LT(MeshQueries::DistanceToSurface(HitBox(), p), 0.5f)
            << p.x << "," << p.y << "," << p.z;
        EXPECT_LT(MeshQueries::DistanceToSurface(Hull(), p), 0.5f)
            << p.x << "," << p.y << "," << p.z;
    }
}

TEST(BattleShip, EnemiesSpawnJustOffTheBowOutsideTheHull) {
    EXPECT_FALSE(MeshQueries::Contains(HitBox(), kEnemySpawn));
    float d = MeshQueries::DistanceToSurface(HitBox(), kEnemySpawn);
    EXPECT_GT(d, 0.3f);
    EXPECT_LT(d, 3.0f);
    EXPECT_TRUE(MeshQueries::Contains(HitBox(), {0, 0, 0}));
}

// A cover must hide its barrel before it opens: the main barrel lies flat (pitched by
// -90 degrees) under the cover, the side barrels point along the cover's axis.
TEST(BattleShip, ClosedCoversHideTheirBarrels) {
    LoadedModel cover = LoadGenerated("Data/spaceBattleShip/cannonCover.gltf");
    LoadedModel main =
        LoadGenerated("Data/spaceBattleShip/cannon1.gltf").Placed(Xf::RotX(-modelgen::kPi / 2));
    LoadedModel side = LoadGenerated("Data/spaceBattleShip/cannon2.gltf");
    LoadedModel base = LoadGenerated("Data/spaceBattleShip/cannon.gltf");
    for (const LoadedModel* m : {&main, &side, &base}) {
        for (const V3& p : m->positions) {
            if (p.y < 0.0f) continue;  // below the deck or inside the hull
            auto up = MeshQueries::RayHits(cover, p, {0, 1, 0});
            EXPECT_FALSE(up.empty()) << p.x << "," << p.y << "," << p.z;
        }
    }
}

// Opening raises the main barrel to a pitch of -54 degrees; the missiles then leave at a
// pitch 80 degrees lower, up and towards -z. The muzzle must point the same way.
TEST(BattleShip, OpenedMainBarrelPointsWhereTheMissilesFly) {
    LoadedModel raised = LoadGenerated("Data/spaceBattleShip/cannon1.gltf")
                             .Placed(Xf::RotX(-54.0f * modelgen::kPi / 180));
    V3 muzzle{0, 0, 0};
    for (const V3& p : raised.positions) {
        if (modelgen::Length(p) > modelgen::Length(muzzle)) muzzle = p;
    }
    V3 missile = Xf::RotX(-134.0f * modelgen::kPi / 180).Dir({0, 0, 1});
    EXPECT_GT(modelgen::Dot(Normalize(muzzle), missile), 0.9f);
}
