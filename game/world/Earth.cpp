#include "game/world/Earth.h"

#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"

Earth::Earth()
    : placement(Matrix::CreateScale(40.0f) * Matrix::CreateRotationY(ToRadians(30.0f)) *
                Matrix::CreateTranslation(-600.0f, -100.0f, -700.0f)) {
    sharedModel = GetModel("Data/satellite/satellite.gltf");
}

void Earth::Draw() {
    ShaderManager::GetInstance().GetModelShader().SetWorld(placement);
    DrawModel(sharedModel, 1.0f);
}
