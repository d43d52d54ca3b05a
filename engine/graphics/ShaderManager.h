#pragma once

#include "engine/graphics/ConstantBlock.h"
#include "engine/graphics/EffectShader.h"
#include "engine/graphics/ModelShader.h"
#include "engine/graphics/ShaderConstants.h"
#include "engine/graphics/SpriteShader.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

// The three shader programs and the two blocks they share: cbCamera (binding 7) and cbLight
// (binding 8). Initialize after the graphics device; Release before it.
//
// Defaults: view identity; projection left-handed perspective 60°, aspect = back-buffer
// width / height, near 0.01, far 1000; camera at the origin; fog off (colour 1,1,1, density
// 0.001); ambient 0; directional light travelling (0,-1,0) in white; no point lights.
class ShaderManager {
public:
    static ShaderManager& GetInstance();

    // Builds the shaders and the shared blocks. A shader that fails is left empty, its
    // driver log goes to stderr and the rest are still built; false when any shader or
    // the shared blocks failed (the game cannot draw then, so start-up fails).
    bool Initialize();
    void Release();

    ModelShader& GetModelShader() { return modelShader; }
    EffectShader& GetEffectShader() { return effectShader; }
    SpriteShader& GetSpriteShader() { return spriteShader; }

    // Camera (cbCamera). Setters mark the block dirty; UploadCamera sends it when dirty.
    void SetView(const Matrix& view);
    void SetProjMatrix(const Matrix& proj);
    void SetCameraPosition(const Vector3& position);
    // density per world unit; the surface keeps min(1, e^(-distance × density)).
    void SetDistanceFog(bool enable, const Vector3& color, float density);
    const Matrix& GetView() const { return camera.data.g_mV; }
    const Matrix& GetProjMatrix() const { return camera.data.g_mP; }
    const Vector3& GetCameraPosition() const { return camera.data.g_CamPos; }
    void UploadCamera();
    // True when the GPU's camera block holds what the getters return (nothing set since
    // the last upload).
    bool IsCameraUploaded() const { return !camera.dirty; }

    // Lights (cbLight). Setters mark the block dirty; UploadLights sends it when dirty.
    void SetAmbientLight(const Vector3& color);
    // direction = the way the light travels (not normalised here).
    void SetDirectionalLight(const Vector3& direction, const Vector3& color);
    // index 0..99; radius in world units. Ignored out of range.
    void SetPointLight(int index, const Vector3& color, float radius, const Vector3& position);
    // Number of point lights in use, clamped to 0..100.
    void SetPointLightCount(int count);
    void UploadLights();

    const CameraConstants& GetCameraConstants() const { return camera.data; }
    const LightConstants& GetLightConstants() const { return light.data; }

private:
    ShaderManager();
    void ResetDefaults();

    ModelShader modelShader;
    EffectShader effectShader;
    SpriteShader spriteShader;
    ConstantBlock<CameraConstants> camera;
    ConstantBlock<LightConstants> light;
};
