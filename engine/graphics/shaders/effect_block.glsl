// cbPerObject, binding 0: 96 bytes.
layout(std140) uniform cbPerObject {
    mat4 g_mW;
    vec2 g_UVOffset;
    vec2 g_UVTiling;
    float g_AlphaTestThreshold;
    float cbPerObject_pad0;
    float cbPerObject_pad1;
    float cbPerObject_pad2;
};
