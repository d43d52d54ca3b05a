// cbObject, binding 0: 96 bytes.
layout(std140) uniform cbObject {
    mat4 g_mW;
    vec2 g_UVOffset;
    vec2 g_UVTiling;
    int g_LightEnable;
    float g_AlphaTestThreshold;
    vec2 cbObject_pad;
};

// cbMaterial, binding 1: 48 bytes (36 read).
struct MaterialData {
    vec4 BaseColor;
    vec3 Emissive;
    float Metallic;
    float Roughness;
};
layout(std140) uniform cbMaterial {
    MaterialData g_Material;
};

#if HK_MATERIAL_SET
// cbMaterialSet, binding 2: the materials of consecutive subsets drawn in one call, the
// first vertex of each (a subset's vertices follow the previous one's), and whether each
// samples its textures (a subset without one reads white, as the white default texture
// gives).
struct SetEntry {
    vec4 BaseColor;
    vec3 Emissive;
    float Metallic;
    float Roughness;
    float UseBase;
    float UseEmissive;
    float UseMetallicRoughness;
};
layout(std140) uniform cbMaterialSet {
    SetEntry g_Set[8];
    ivec4 g_SetFirstVertex[2];
    int g_SetCount;
};
#endif
