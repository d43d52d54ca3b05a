#include "game/world/Mob.h"

#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"

namespace {
Matrix ShipPlacement(float x) {
    return Matrix::CreateScale(5.0f) * Matrix::CreateRotationY(kPi) *
           Matrix::CreateTranslation(x, 200.0f, 800.0f);
}
}  // namespace

Mob::Mob() : firstMatrix(ShipPlacement(100.0f)), secondMatrix(ShipPlacement(-100.0f)) {
    sharedModel = GetModel("Data/spaceBattleShip/battleShip.gltf");
}

void Mob::Update() {
    firstMatrix(3, 2) -= 0.05f;
    secondMatrix(3, 2) -= 0.05f;
}

void Mob::Draw() {
    ModelShader& shader = ShaderManager::GetInstance().GetModelShader();
    shader.SetWorld(firstMatrix);
    DrawModel(sharedModel, 1.0f);
    shader.SetWorld(secondMatrix);
    DrawModel(sharedModel, 1.0f);
}
