#include "audio/Svf.h"

#include <algorithm>
#include <cmath>

void Svf::Set(float cutoff, float q, int rate) {
    const float nyquistSafe = 0.49f * static_cast<float>(rate);
    const float fc = std::clamp(cutoff, 10.0f, nyquistSafe);
    g_ = std::tan(3.14159265f * fc / static_cast<float>(rate));
    k_ = 1.0f / std::max(q, 0.05f);
    a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
    a2_ = g_ * a1_;
    a3_ = g_ * a2_;
}

void Svf::Process(float in) {
    const float v3 = in - ic2_;
    const float v1 = a1_ * ic1_ + a2_ * v3;
    const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    low_ = v2;
    band_ = v1;
    high_ = in - k_ * v1 - v2;
}
