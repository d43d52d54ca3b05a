#include "camera_block.glsl"
#include "model_blocks.glsl"
#include "light_block.glsl"

uniform sampler2D g_baseTex;      // t0
uniform sampler2D g_emissiveTex;  // t1
uniform sampler2D g_mrTex;        // t2: green roughness, blue metallic

in vec2 vTexCoord;
in vec3 vNormal;
in vec4 vColor;
in vec3 vWorldPos;
#if HK_MATERIAL_SET
flat in int vSetEntry;
#endif

out vec4 outColor;

const float PI = 3.14159265358979;

// Normalised Blinn-Phong with a 1/π Lambert diffuse; intensity scales both terms.
vec3 Shade(vec3 N, vec3 V, vec3 L, vec3 intensity, float s, vec3 diffuseColor,
           vec3 specularColor) {
    vec3 H = normalize(V + L);
    vec3 diffuse = clamp(dot(N, L), 0.0, 1.0) * (1.0 / PI) * intensity * diffuseColor;
    vec3 specular = pow(clamp(dot(N, H), 0.0, 1.0), s) * (s + 2.0) / (2.0 * PI) * intensity *
                    specularColor;
    return diffuse + specular;
}

void main() {
    vec4 baseTexel = texture(g_baseTex, vTexCoord);
#if HK_MATERIAL_SET
    SetEntry m = g_Set[vSetEntry];
    if (m.UseBase < 0.5) baseTexel = vec4(1.0);
#else
    MaterialData m = g_Material;
#endif
    vec4 base = baseTexel * m.BaseColor;
    vec4 albedo = base * vColor;
    if (g_AlphaTestThreshold >= albedo.a) discard;

    vec3 toEye = g_CamPos - vWorldPos;
    float d = length(toEye);
    float opacity = m.BaseColor.a;
    vec3 color;
    // The program is built twice, lit and unlit, and the CPU draws with the one that
    // matches g_LightEnable: a software rasteriser runs both sides of a branch on the
    // uniform, which made the unlit star sphere pay for the whole lighting model.
#if HK_LIGHTING
    {
        vec3 N = normalize(vNormal);
        // A camera exactly on the surface has no view direction; light it head-on.
        vec3 V = d > 0.0 ? toEye / d : N;
        vec4 mr = texture(g_mrTex, vTexCoord);
#if HK_MATERIAL_SET
        if (m.UseMetallicRoughness < 0.5) mr = vec4(1.0);
#endif
        float metallic = mr.b * m.Metallic;
        float smoothness = 1.0 - mr.g * m.Roughness;
        float s = exp2(13.0 * smoothness);
        vec3 diffuseColor = albedo.rgb * (1.0 - metallic);
        vec3 specularColor = mix(vec3(0.04), base.rgb * vColor.rgb, metallic);

        color = Shade(N, V, -g_DL_Dir, g_DL_Color, s, diffuseColor, specularColor) * opacity;
        int count = min(g_PL_Num, 100);
        for (int i = 0; i < count; ++i) {
            vec3 Lv = g_PL[i].pos - vWorldPos;
            float dist = length(Lv);
            if (dist < g_PL[i].radius) {
                float attenuation = clamp(1.0 - dist / g_PL[i].radius, 0.0, 1.0);
                color += Shade(N, V, Lv / dist, attenuation * g_PL[i].color, s, diffuseColor,
                               specularColor) * opacity;
            }
        }
        color += albedo.rgb * g_AmbientLight * opacity;
        vec3 emissiveTexel = texture(g_emissiveTex, vTexCoord).rgb;
#if HK_MATERIAL_SET
        if (m.UseEmissive < 0.5) emissiveTexel = vec3(1.0);
#endif
        color += emissiveTexel * m.Emissive * opacity;
    }
#else
    color = albedo.rgb * opacity;
#endif

    float f = min(1.0, exp(-d * g_DistanceFogDensity));
    if (g_DistanceFogEnable != 0) color = mix(g_DistanceFogColor, color, f);
    outColor = vec4(color, albedo.a);
}
