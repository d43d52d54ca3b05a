#include "effect_block.glsl"

uniform sampler2D g_tex;  // t0

in vec2 vTexCoord;
in vec4 vColor;

out vec4 outColor;

void main() {
    vec4 t = texture(g_tex, vTexCoord) * vColor;
    if (g_AlphaTestThreshold >= t.a) discard;
    outColor = t;
}
