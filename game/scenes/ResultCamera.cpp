#include "game/scenes/ResultCamera.h"

#include "engine/graphics/ShaderManager.h"
#include "engine/math/Matrix.h"

void SetResultSceneCamera() {
    ShaderManager& shaders = ShaderManager::GetInstance();
    const Matrix view = Matrix::CreateLookAt({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    shaders.SetView(view);
    shaders.SetCameraPosition(view.Invert().Translation());
    // 60° vertical field of view, aspect 1280 / 720, near 0.01, far 2000, kept as the
    // rows themselves so the screens never depend on a recomputation.
    static const Matrix projection(0.9742786f, 0, 0, 0, 0, 1.7320508f, 0, 0, 0, 0, 1.000005f, 1, 0,
                                   0, -0.01000005f, 0);
    shaders.SetProjMatrix(projection);
    shaders.UploadCamera();
}
