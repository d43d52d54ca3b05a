#pragma once

#include "engine/graphics/ShaderManager.h"
#include "engine/math/Matrix.h"

// The camera and light of pictures of models in tests: looking from eye at the origin
// through the game's 60° lens, the battle's ambient light with the light from above; the
// model shader active and lit.
inline ModelShader& UseLitView(const Vector3& eye) {
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.SetView(Matrix::CreateLookAt(eye, {0, 0, 0}, {0, 1, 0}));
    shaders.SetProjMatrix(
        Matrix::CreatePerspectiveFieldOfView(ToRadians(60.0f), 1280.0f / 720.0f, 0.1f, 100));
    shaders.SetCameraPosition(eye);
    shaders.UploadCamera();
    shaders.SetAmbientLight({0.7f, 0.7f, 0.7f});
    shaders.UploadLights();
    ModelShader& model = shaders.GetModelShader();
    model.Activate();
    model.SetLightEnable(true);
    return model;
}
