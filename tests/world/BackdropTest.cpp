// Speed particles, background ships, the sky and the satellite.
#include <gtest/gtest.h>

#include <cstdlib>

#include "battle/ProbeScene.h"
#include "engine/graphics/ShaderManager.h"
#include "game/world/Earth.h"
#include "game/world/Mob.h"
#include "game/world/ParticleField.h"
#include "game/world/Sky.h"
#include "support/GameHarness.h"

namespace {

class Backdrop : public ::testing::Test {
protected:
    void TearDown() override { DropDevicelessCaches(); }
};

TEST_F(Backdrop, ParticleShowsBySpeedOverDistanceCappedAtOne) {
    srand(8);
    Particle particle{Vector3()};
    const Vector3 p = particle.GetPosition();
    particle.Update(p + Vector3(30.0f, 0.0f, 0.0f), 0.5f);
    EXPECT_FLOAT_EQ(particle.GetAlpha(), 0.5f);
    for (const auto& v : particle.GetVertices()) EXPECT_FLOAT_EQ(v.color.a, 0.5f);
    particle.Update(p + Vector3(0.0f, 0.0f, 10.0f), 1.0f);
    EXPECT_FLOAT_EQ(particle.GetAlpha(), 1.0f);
    particle.Update(p + Vector3(0.0f, 0.0f, 10.0f), 0.0f);
    EXPECT_FLOAT_EQ(particle.GetAlpha(), 0.0f);
    // A player exactly on the speck: fully visible, not a division by zero.
    particle.Update(p, 1.0f);
    EXPECT_FLOAT_EQ(particle.GetAlpha(), 1.0f);
    // The billboard keeps the speck where it is.
    EXPECT_TRUE(particle.GetPosition() == p);
}

TEST_F(Backdrop, ParticlesStartInABoxAroundThePlayerDrawnXThenYThenZ) {
    srand(77);
    const int dx = rand() % 160 - 80;
    const int dy = rand() % 20 - 10;
    const int dz = rand() % 160 - 80;
    srand(77);
    const Vector3 player(5.0f, 4.0f, -3.0f);
    Particle particle(player);
    EXPECT_FLOAT_EQ(particle.GetPosition().x, 5.0f + dx);
    EXPECT_FLOAT_EQ(particle.GetPosition().y, 4.0f + dy);
    EXPECT_FLOAT_EQ(particle.GetPosition().z, -3.0f + dz);
}

TEST_F(Backdrop, ParticleListStaysAtFiftyAroundAMovingPlayer) {
    ParticleField field{Vector3()};
    ASSERT_EQ(field.GetParticles().size(), 50u);
    // A standing player makes every speck invisible.
    field.Update(Vector3(), 0.0f);
    for (const auto& particle : field.GetParticles()) EXPECT_EQ(particle->GetAlpha(), 0.0f);
    Vector3 player;
    for (int pass = 0; pass < 300; ++pass) {
        player.x += 1.0f;
        field.Update(player, 1.0f);
        ASSERT_EQ(field.GetParticles().size(), 50u);
    }
    // 300 units on, every speck has been renewed within its box around the player (a new
    // one may stand up to sqrt(80² + 10² + 80²) away until the next check).
    for (const auto& particle : field.GetParticles())
        EXPECT_LE(Vector3::Distance(particle->GetPosition(), player), 114.0f);
}

TEST_F(Backdrop, BackgroundShipsReachZ750After1000Passes) {
    Mob mob;
    for (int i = 0; i < 1000; ++i) mob.Update();
    // 1000 single-precision steps of 0.05 from 800 drift by about a hundredth.
    EXPECT_NEAR(mob.GetFirstMatrix().Translation().z, 750.0f, 0.02f);
    EXPECT_NEAR(mob.GetSecondMatrix().Translation().z, 750.0f, 0.02f);
    EXPECT_FLOAT_EQ(mob.GetFirstMatrix().Translation().x, 100.0f);
    EXPECT_FLOAT_EQ(mob.GetSecondMatrix().Translation().x, -100.0f);
    // Turned about, scale 5: rows (−5, 0, 0), (0, 5, 0), (0, 0, −5).
    EXPECT_NEAR(mob.GetFirstMatrix()(0, 0), -5.0f, 1e-5f);
    EXPECT_NEAR(mob.GetFirstMatrix()(2, 2), -5.0f, 1e-5f);
    EXPECT_NEAR(mob.GetFirstMatrix()(0, 2), 0.0f, 1e-5f);
}

TEST_F(Backdrop, SatelliteSitsFarBelowAndBehindTurnedThirtyDegrees) {
    Earth earth;
    const Matrix& m = earth.GetPlacement();
    EXPECT_NEAR(m(0, 0), 40.0f * 0.8660254f, 1e-4f);
    EXPECT_NEAR(m(0, 2), 40.0f * -0.5f, 1e-4f);
    EXPECT_NEAR(m(2, 0), 40.0f * 0.5f, 1e-4f);
    EXPECT_TRUE(m.Translation() == Vector3(-600.0f, -100.0f, -700.0f));
    Sky sky;
    EXPECT_FLOAT_EQ(sky.GetPlacement()(1, 1), 1000.0f);
}

TEST(BackdropDrawing, SkyIsDrawnUnlitAndLightingIsOnAgainRightAfter) {
    GameHarness harness;
    std::unique_ptr<Sky> sky;
    bool litAfter = false;
    RunAndRelease(
        harness,
        [&] {
            auto* scene = new ProbeScene;
            scene->onDraw = [&] {
                if (!sky) sky = std::make_unique<Sky>();
                ModelShader& shader = ShaderManager::GetInstance().GetModelShader();
                shader.Activate();
                shader.SetLightEnable(true);
                sky->Draw();
                litAfter = shader.GetLightEnable();
            };
            scene->onDestroy = [&] { sky.reset(); };
            return scene;
        },
        2);
    EXPECT_TRUE(litAfter);
}

}  // namespace
