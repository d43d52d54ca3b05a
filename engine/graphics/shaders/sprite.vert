#include "clipdepth.glsl"
#include "sprite_blocks.glsl"

layout(location = 0) in vec3 inPosition;
layout(location = 1) in vec2 inTexCoord;

out vec2 vTexCoord;

void main() {
    gl_Position = ToClipSpace(g_mProj * (g_mTransform * vec4(inPosition, 1.0)));
    vTexCoord = inTexCoord;
}
