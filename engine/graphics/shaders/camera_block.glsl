// cbCamera, binding 7: 160 bytes. Matrices arrive row by row as the CPU holds them, so
// M * v computes the game's row-vector product v × M.
layout(std140) uniform cbCamera {
    mat4 g_mV;
    mat4 g_mP;
    vec3 g_CamPos;
    int g_DistanceFogEnable;
    vec3 g_DistanceFogColor;
    float g_DistanceFogDensity;
};
