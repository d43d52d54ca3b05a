// The enemy HP gauge: projected above the head, sized by closeness, coloured by ratio.
#include <gtest/gtest.h>

#include "enemy/InGame.h"
#include "engine/graphics/ShaderManager.h"
#include "game/enemy/EnemyHp.h"

namespace {

// A camera at the origin looking down +z with the game's projection (far plane 1000).
void LookDownZ() {
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.SetView(Matrix::CreateLookAt({0, 0, 0}, {0, 0, 1}, {0, 1, 0}));
    shaders.SetProjMatrix(
        Matrix::CreatePerspectiveFieldOfView(ToRadians(60.0f), 1280.0f / 720.0f, 0.1f, 1000.0f));
}

float ScaleX(const Matrix& m) {
    return m(0, 0);
}

}  // namespace

TEST(EnemyHpGauge, FullSizeWithinFiveUnitsAndHalfAtTen) {
    RunInGame([] {
        LookDownZ();
        EnemyHp gauge;
        const Matrix player = Matrix::CreateTranslation(0, 0, 50);
        gauge.Update(600, 600, Matrix::CreateTranslation(0, 0, 45), player);
        EXPECT_NEAR(ScaleX(gauge.GetFrameTransform()), 0.95f, 1e-5f);
        gauge.Update(600, 600, Matrix::CreateTranslation(0, 0, 48), player);
        EXPECT_NEAR(ScaleX(gauge.GetFrameTransform()), 0.95f, 1e-5f);
        gauge.Update(600, 600, Matrix::CreateTranslation(0, 0, 40), player);
        EXPECT_NEAR(ScaleX(gauge.GetFrameTransform()), 0.475f, 1e-5f);
        // Lifted by 20 pixels × closeness above the projected head.
        EXPECT_NEAR(gauge.GetFrameTransform()(3, 1), gauge.GetScreenPosition().y + 10.0f, 1e-3f);
    });
}

TEST(EnemyHpGauge, HeadPointIsProjectedToCentredPixels) {
    RunInGame([] {
        LookDownZ();
        EnemyHp gauge;
        // Straight ahead, 4.5 below the view axis: the head sits on the screen centre.
        gauge.Update(600, 600, Matrix::CreateTranslation(0, -4.5f, 100), Matrix());
        EXPECT_NEAR(gauge.GetScreenPosition().x, 0.0f, 1e-3f);
        EXPECT_NEAR(gauge.GetScreenPosition().y, 0.0f, 1e-3f);
        EXPECT_GT(gauge.GetScreenPosition().z, 0.0f);
        EXPECT_LT(gauge.GetScreenPosition().z, 1.0f);
        // To the right and above: positive x and y in sprite pixels (y up).
        gauge.Update(600, 600, Matrix::CreateTranslation(10, 5.5f, 100), Matrix());
        EXPECT_GT(gauge.GetScreenPosition().x, 0.0f);
        EXPECT_GT(gauge.GetScreenPosition().y, 0.0f);
    });
}

TEST(EnemyHpGauge, ColourAndFillFollowTheRatio) {
    RunInGame([] {
        LookDownZ();
        EnemyHp gauge;
        const Matrix enemy = Matrix::CreateTranslation(0, 0, 20);
        const Matrix player = Matrix::CreateTranslation(0, 0, 15);  // closeness 1
        gauge.Update(600, 600, enemy, player);
        EXPECT_EQ(gauge.GetFillIndex(), Hp::kGreen);
        gauge.Update(600, 301, enemy, player);
        EXPECT_EQ(gauge.GetFillIndex(), Hp::kGreen);
        gauge.Update(600, 300, enemy, player);
        EXPECT_EQ(gauge.GetFillIndex(), Hp::kYellow);
        EXPECT_NEAR(ScaleX(gauge.GetFillTransform()), 0.5f * 0.95f, 1e-5f);
        // Shifted left by the missing HP × 0.15 pixels.
        EXPECT_NEAR(gauge.GetFillTransform()(3, 0), gauge.GetFrameTransform()(3, 0) - 45.0f, 1e-3f);
        gauge.Update(600, 180, enemy, player);
        EXPECT_EQ(gauge.GetFillIndex(), Hp::kYellow);
        gauge.Update(600, 179, enemy, player);
        EXPECT_EQ(gauge.GetFillIndex(), Hp::kRed);
    });
}

TEST(EnemyHpGauge, HiddenBeyondTheFarPlaneAndBehindTheCamera) {
    RunInGame([] {
        LookDownZ();
        EnemyHp gauge;
        gauge.Update(600, 300, Matrix::CreateTranslation(0, 0, 500), Matrix());
        EXPECT_TRUE(gauge.IsVisible());
        gauge.Draw();
        gauge.Update(600, 300, Matrix::CreateTranslation(0, 0, 1200), Matrix());
        EXPECT_FALSE(gauge.IsVisible());
        gauge.Draw();  // draws nothing, and does not fail
        gauge.Update(600, 300, Matrix::CreateTranslation(0, 0, -30), Matrix());
        EXPECT_FALSE(gauge.IsVisible());
    });
}

TEST(EnemyHpGauge, ShownNearThePlayerOrOnceDamaged) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        EnemyWorld::PlaceEnemy(enemy, {0, 4, 30});
        w.Pass(enemy);
        EXPECT_FALSE(enemy.IsShowingGauge());
        EnemyWorld::PlaceEnemy(enemy, {0, 4, 19});
        w.Pass(enemy);
        EXPECT_TRUE(enemy.IsShowingGauge());
        EnemyWorld::PlaceEnemy(enemy, {0, 4, 60});
        enemy.SetPendingDamage(200);
        w.Pass(enemy);
        EXPECT_TRUE(enemy.IsShowingGauge());
    });
}
