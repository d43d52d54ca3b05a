// cbLight, binding 8: 3264 bytes.
struct PointLight {
    vec3 color;
    float radius;
    vec3 pos;
    float tmp4;
};
layout(std140) uniform cbLight {
    vec3 g_AmbientLight;
    vec3 g_DL_Dir;  // the direction the light travels
    vec3 g_DL_Color;
    PointLight g_PL[100];
    int g_PL_Num;
    int cbLight_pad0;
    int cbLight_pad1;
    int cbLight_pad2;
};
