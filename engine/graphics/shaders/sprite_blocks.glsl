// cbSprite, binding 0: 80 bytes.
layout(std140) uniform cbSprite {
    mat4 g_mTransform;
    vec4 g_color;
};

// cbProjection, binding 1: 64 bytes. Pixels (origin at the viewport centre, y up) to clip.
layout(std140) uniform cbProjection {
    mat4 g_mProj;
};
