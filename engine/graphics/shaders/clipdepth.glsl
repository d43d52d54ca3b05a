// The game's projections put clip-space depth in 0..w. Where clip control is on, GL takes
// that as it is; otherwise it expects -w..w and every vertex shader remaps through here.
// HK_NATIVE_CLIP_DEPTH is defined by the program builder from the device's choice.
vec4 ToClipSpace(vec4 p) {
#if HK_NATIVE_CLIP_DEPTH
    return p;
#else
    return vec4(p.xy, 2.0 * p.z - p.w, p.w);
#endif
}
