#include <gtest/gtest.h>

#include <cmath>

#include "LoadedModel.h"
#include "MeshQueries.h"

using modelgen::Length;
using modelgen::V3;
using modelgen::Xf;

namespace {

constexpr float kDeg = modelgen::kPi / 180;

V3 Farthest(const LoadedModel& m, const V3& from) {
    V3 best = from;
    for (const V3& p : m.positions) {
        if (Length(p - from) > Length(best - from)) best = p;
    }
    return best;
}

float BoundingRadius(const LoadedModel& m) {
    float r = 0;
    for (const V3& p : m.positions) r = std::max(r, Length(p));
    return r;
}

}  // namespace

// Mounted by S(0.9, 1.2, 0.9) x RotZ(70) x RotY(90) in the hand, the axe must reach
// forward from the grip, and its handle must pass through the grip at its origin.
TEST(Weapons, AxesAreHeldAtTheGripAndReachForward) {
    const Xf mount = Xf::S(0.9f, 1.2f, 0.9f) * Xf::RotZ(70 * kDeg) * Xf::RotY(90 * kDeg);
    for (const char* path : {"Data/ax/ax.gltf", "Data/enemyAx/enemyAx.gltf"}) {
        SCOPED_TRACE(path);
        LoadedModel axe = LoadGenerated(path);
        EXPECT_LT(MeshQueries::DistanceToSurface(axe, {0, 0, 0}), 0.1f);
        LoadedModel held = axe.Placed(mount);
        EXPECT_GT(held.hi.z, 2.0f);
        EXPECT_GT(held.hi.z, -held.lo.z * 2.0f);
    }
}

TEST(Weapons, FlashAxeWrapsTheAxe) {
    LoadedModel axe = LoadGenerated("Data/ax/ax.gltf");
    LoadedModel flash = LoadGenerated("Data/ax/flashAx.gltf");
    EXPECT_LE(flash.lo.x, axe.lo.x);
    EXPECT_LE(flash.lo.z, axe.lo.z);
    EXPECT_GE(flash.hi.y, axe.hi.y);
    EXPECT_GE(flash.hi.z, axe.hi.z);
    ASSERT_EQ(flash.materials.size(), 1u);
    EXPECT_GT(flash.materials[0].emissiveFactor.x + flash.materials[0].emissiveFactor.y, 1.0f);
}

// The rail gun is mounted by S(0.7) x RotY(90): its muzzle must then point along +z,
// the way the bullets leave.
TEST(Weapons, MountedRailGunPointsForward) {
    LoadedModel gun =
        LoadGenerated("Data/gun01/gun01.gltf").Placed(Xf::S(0.7f) * Xf::RotY(90 * kDeg));
    EXPECT_GT(gun.hi.z, 1.5f);
    EXPECT_GT(gun.hi.z, -gun.lo.z * 2.0f);
    EXPECT_LT(MeshQueries::DistanceToSurface(gun, {0, 0, 0}), 0.15f);
}

TEST(Weapons, ShoulderCannonAndMissileFlyAlongPlusZ) {
    LoadedModel cannon = LoadGenerated("Data/cannon/cannon.gltf");
    EXPECT_GT(cannon.hi.z, 1.8f);
    EXPECT_GT(cannon.hi.z, -cannon.lo.z * 3.0f);
    LoadedModel missile = LoadGenerated("Data/Missile/Missile.gltf");
    V3 nose = Farthest(missile, {0, 0, -10});
    EXPECT_GT(nose.z, 0.5f);
    EXPECT_NEAR(nose.x, 0.0f, 0.05f);
    EXPECT_NEAR(nose.y, 0.0f, 0.05f);
    // Hit tests reach 2 units from its centre: the body must be shorter than that radius.
    EXPECT_LT(missile.hi.z - missile.lo.z, 2.5f);
}

TEST(World, StonesFillTheirCollisionRadiusAtScaleFive) {
    for (const char* path :
         {"Data/stone/stone.gltf", "Data/stone/stone2.gltf", "Data/stone/stone3.gltf"}) {
        float r = BoundingRadius(LoadGenerated(path)) * 5.0f;
        EXPECT_NEAR(r, 7.0f, 0.7f) << path;
    }
    float shard = BoundingRadius(LoadGenerated("Data/stone/fragment.gltf"));
    EXPECT_GT(shard, 0.1f);
    EXPECT_LT(shard, 0.6f);
}

TEST(World, SkyIsAUnitSphereFacingInward) {
    LoadedModel sky = LoadGenerated("Data/space/space.gltf");
    for (size_t i = 0; i < sky.positions.size(); ++i) {
        ASSERT_NEAR(Length(sky.positions[i]), 1.0f, 1e-4f);
        ASSERT_LT(modelgen::Dot(sky.normals[i], sky.positions[i]), 0.0f);
    }
    // Drawn unlit, only the base colour shows: it must carry the texture at full strength.
    ASSERT_EQ(sky.materials.size(), 1u);
    EXPECT_FALSE(sky.materials[0].baseColorTexture.empty());
    EXPECT_EQ(sky.materials[0].baseColorFactor.x, 1.0f);
}

TEST(World, PlanetStaysInsideTheSkyFromTheArena) {
    LoadedModel planet = LoadGenerated("Data/satellite/satellite.gltf");
    // Placed at S(40) x RotY(30) x T(-600, -100, -700); the sky has radius 1000.
    const Xf place = Xf::S(40) * Xf::RotY(30 * kDeg) * Xf::T(-600, -100, -700);
    LoadedModel world = planet.Placed(place);
    V3 centre = (world.lo + world.hi) * 0.5f;
    float radius = (world.hi.x - world.lo.x) * 0.5f;
    EXPECT_GT(radius, 80.0f);
    // Its outline, seen from the arena, lies nearer than the sky sphere (radius 1000),
    // with room for the player roaming a few hundred units.
    float d = Length(centre);
    EXPECT_LT(std::sqrt(d * d - radius * radius), 950.0f);
}
