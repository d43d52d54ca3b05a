#pragma once

#include "engine/math/Matrix.h"
#include "engine/math/Vector2.h"
#include "engine/math/Vector3.h"
#include "engine/math/Vector4.h"

// CPU copies of the shaders' uniform blocks, byte for byte as the GPU reads them (std140:
// 16-byte registers, matrices as 16 floats row by row exactly as Matrix holds them).
// The sizes and offsets are checked against the GL driver's own report in the tests.

// cbCamera, binding 7 (model and effect shaders).
struct CameraConstants {
    Matrix g_mV;                          // 0
    Matrix g_mP;                          // 64
    Vector3 g_CamPos{0, 0, 0};            // 128
    int g_DistanceFogEnable = 0;          // 140
    Vector3 g_DistanceFogColor{1, 1, 1};  // 144
    float g_DistanceFogDensity = 0.001f;  // 156
};

struct PointLightConstants {
    Vector3 color{3, 3, 3};  // 0
    float radius = 1.0f;     // 12, world units
    Vector3 pos{0, 0, 0};    // 16
    float tmp4 = 0.0f;       // 28, not read by the shader
};

constexpr int kMaxPointLights = 100;

// cbLight, binding 8 (model shader).
struct LightConstants {
    Vector3 g_AmbientLight{0, 0, 0};  // 0
    float pad0 = 0;
    Vector3 g_DL_Dir{0, -1, 0};  // 16, the direction the light travels
    float pad1 = 0;
    Vector3 g_DL_Color{1, 1, 1};  // 32
    float pad2 = 0;
    PointLightConstants g_PL[kMaxPointLights];  // 48
    int g_PL_Num = 0;                           // 3248, lights in use
    int pad3[3] = {0, 0, 0};
};

// cbObject of the model shader, binding 0.
struct ObjectConstants {
    Matrix g_mW;                        // 0
    Vector2 g_UVOffset{0, 0};           // 64
    Vector2 g_UVTiling{1, 1};           // 72
    int g_LightEnable = 1;              // 80
    float g_AlphaTestThreshold = 0.0f;  // 84
    float pad[2] = {0, 0};
};

// cbMaterial of the model shader, binding 1 (only the first 36 bytes are read).
struct MaterialConstants {
    Vector4 BaseColor{1, 1, 1, 1};  // 0
    Vector3 Emissive{0, 0, 0};      // 16
    float Metallic = 0.0f;          // 28
    float Roughness = 1.0f;         // 32
    float pad[3] = {0, 0, 0};
};

// cbMaterialSet of the model shader's merged draws, binding 2: up to eight consecutive subsets
// of one mesh drawn in one call, told apart by vertex index (each subset's vertices follow
// the previous one's). Texture use flags are 1 (sample the bound texture) or 0 (read white,
// as the white default texture would).
struct MaterialSetEntry {
    Vector4 BaseColor{1, 1, 1, 1};      // 0
    Vector3 Emissive{0, 0, 0};          // 16
    float Metallic = 0.0f;              // 28
    float Roughness = 1.0f;             // 32
    float UseBase = 1.0f;               // 36
    float UseEmissive = 1.0f;           // 40
    float UseMetallicRoughness = 1.0f;  // 44
};
struct MaterialSetConstants {
    static constexpr int kMaxEntries = 8;
    MaterialSetEntry g_Set[kMaxEntries];     // 0, 48 bytes each
    int g_SetFirstVertex[kMaxEntries] = {};  // 384, the first vertex of each subset
    int g_SetCount = 0;                      // 416
    int pad[3] = {0, 0, 0};
};

// cbPerObject of the effect shader, binding 0.
struct EffectObjectConstants {
    Matrix g_mW;                        // 0
    Vector2 g_UVOffset{0, 0};           // 64
    Vector2 g_UVTiling{1, 1};           // 72
    float g_AlphaTestThreshold = 0.0f;  // 80
    float pad[3] = {0, 0, 0};
};

// cbSprite, binding 0 (sprite shader).
struct SpriteConstants {
    Matrix g_mTransform;          // 0
    Vector4 g_color{1, 1, 1, 1};  // 64
};

// cbProjection, binding 1 (sprite shader).
struct ProjectionConstants {
    Matrix g_mProj;  // 0
};

static_assert(sizeof(Matrix) == 64, "matrices go to the GPU as 16 floats");
static_assert(sizeof(CameraConstants) == 160);
static_assert(sizeof(LightConstants) == 3264);
static_assert(sizeof(ObjectConstants) == 96);
static_assert(sizeof(MaterialConstants) == 48);
static_assert(sizeof(MaterialSetEntry) == 48);
static_assert(sizeof(MaterialSetConstants) == 432);
static_assert(sizeof(EffectObjectConstants) == 96);
static_assert(sizeof(SpriteConstants) == 80);
static_assert(sizeof(ProjectionConstants) == 64);
