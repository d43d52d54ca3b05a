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
