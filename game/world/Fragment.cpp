#include "game/world/Fragment.h"

#include <cstdlib>

#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"

Fragment::Fragment(const Matrix& stoneBase) {
    scale = rand() % 5 + 2;
    speed = static_cast<float>(rand() % 10 + 1) / 40.0f;
    const int pitch = rand() % 360;
    const int yaw = rand() % 360;
    const int roll = rand() % 360;
    spin.x = static_cast<float>((rand() % 3 - 1) * 3);
    spin.y = static_cast<float>((rand() % 3 - 1) * 3 + 1);
    spin.z = static_cast<float>((rand() % 3 - 1) * 3);

    fragmentMatrix = Matrix::CreateScale(static_cast<float>(scale)) *
                     Matrix::CreateTranslation(stoneBase.Translation());
    sharedModel = GetModel("Data/stone/fragment.gltf");
    const Matrix direction = Matrix::CreateFromYawPitchRoll(ToRadians(static_cast<float>(yaw)),
                                                            ToRadians(static_cast<float>(pitch)),
                                                            ToRadians(static_cast<float>(roll)));
    velocity = Vector3::TransformNormal({0.0f, 0.0f, 1.0f}, direction) * speed;
    fragmentMatrix.SetTranslation(fragmentMatrix.Translation() + velocity * 20.0f);
}

void Fragment::Step() {
    ++age;
    if (age > 180) {
        alpha -= 0.002f;
        if (alpha < 0.0f) dead = true;
    }
    fragmentMatrix.SetTranslation(fragmentMatrix.Translation() + velocity);
    // Pre-multiplied, so the chip spins about its own centre.
    fragmentMatrix =
        Matrix::CreateFromYawPitchRoll(ToRadians(spin.y), ToRadians(spin.x), ToRadians(spin.z)) *
        fragmentMatrix;
}

void Fragment::Draw() {
    ShaderManager::GetInstance().GetModelShader().SetWorld(fragmentMatrix);
    DrawModel(sharedModel, alpha);
}
