#include "sprite_blocks.glsl"

uniform sampler2D g_inputTex;  // t0

in vec2 vTexCoord;

out vec4 outColor;

void main() {
    vec4 t = texture(g_inputTex, vTexCoord);
    // Fully transparent texels are never written, whatever the colour multiplies them by.
    if (t.a <= 0.0) discard;
    outColor = t * g_color;
}
