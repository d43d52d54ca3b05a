#include "game/world/Sky.h"

#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"

Sky::Sky() : placement(Matrix::CreateScale(1000.0f)) {
    sharedModel = GetModel("Data/space/space.gltf");
}

void Sky::Draw() {
    ModelShader& shader = ShaderManager::GetInstance().GetModelShader();
    // The star sphere carries its own brightness; the sun would shade one side of it.
    shader.SetLightEnable(false);
    shader.SetWorld(placement);
    DrawModel(sharedModel, 1.0f);
    shader.SetLightEnable(true);
}
