#include "clipdepth.glsl"
#include "camera_block.glsl"
#include "effect_block.glsl"

layout(location = 0) in vec3 inPosition;
layout(location = 1) in vec2 inTexCoord;
layout(location = 3) in vec4 inColor;

out vec2 vTexCoord;
out vec4 vColor;

void main() {
    gl_Position = ToClipSpace(g_mP * (g_mV * (g_mW * vec4(inPosition, 1.0))));
    vTexCoord = inTexCoord * g_UVTiling + g_UVOffset;
    vColor = inColor;
}
