#include "game/enemy/Cannon.h"

#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"

Cannon::Cannon(const Matrix& offset) : offset(offset) {
    sharedModel = GetModel("Data/cannon/cannon.gltf");
}

void Cannon::Draw() {
    ShaderManager::GetInstance().GetModelShader().SetWorld(world);
    DrawModel(sharedModel, 1.0f);
}

void Cannon::Attach(const Matrix& carrierWorld) {
    world = offset * carrierWorld;
    matrix = world;
}
