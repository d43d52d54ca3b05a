#include "clipdepth.glsl"
#include "camera_block.glsl"
#include "model_blocks.glsl"

layout(location = 0) in vec3 inPosition;
layout(location = 1) in vec2 inTexCoord;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec4 inColor;  // RGBA8, normalised

out vec2 vTexCoord;
out vec3 vNormal;
out vec4 vColor;
out vec3 vWorldPos;
#if HK_MATERIAL_SET
// The subset this vertex belongs to: the last whose first vertex it has reached. All three
// vertices of a triangle belong to its subset, so the fragment shader reads it flat.
flat out int vSetEntry;
#endif

void main() {
    vec4 worldPos = g_mW * vec4(inPosition, 1.0);
    gl_Position = ToClipSpace(g_mP * (g_mV * worldPos));
    vTexCoord = inTexCoord * g_UVTiling + g_UVOffset;
    vNormal = normalize(mat3(g_mW) * inNormal);
    vColor = inColor;
    vWorldPos = worldPos.xyz;
#if HK_MATERIAL_SET
    int entry = 0;
    for (int i = 1; i < 8; ++i) {
        if (i < g_SetCount && gl_VertexID >= g_SetFirstVertex[i / 4][i % 4]) entry = i;
    }
    vSetEntry = entry;
#endif
}
