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

void main() {
    vec4 worldPos = g_mW * vec4(inPosition, 1.0);
    gl_Position = ToClipSpace(g_mP * (g_mV * worldPos));
    vTexCoord = inTexCoord * g_UVTiling + g_UVOffset;
    vNormal = normalize(mat3(g_mW) * inNormal);
    vColor = inColor;
    vWorldPos = worldPos.xyz;
}
