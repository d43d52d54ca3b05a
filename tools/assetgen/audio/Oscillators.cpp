#include "audio/Oscillators.h"

#include <cmath>

namespace {

constexpr float kTwoPi = 6.28318530718f;

float PolyBlep(float t, float dt) {
    if (dt <= 0.0f) return 0.0f;
    if (t < dt) {
        const float x = t / dt;
        return x + x - x * x - 1.0f;
    }
    if (t > 1.0f - dt) {
        const float x = (t - 1.0f) / dt;
        return x * x + x + x + 1.0f;
    }
    return 0.0f;
}

float Wrap(float p) {
    return p - std::floor(p);
}

}  // namespace

float SineWave(float phase) {
    return std::sin(kTwoPi * phase);
}

float TriangleWave(float phase) {
    const float p = Wrap(phase);
    return p < 0.5f ? 4.0f * p - 1.0f : 3.0f - 4.0f * p;
}

float SawWave(float phase, float dt) {
    const float p = Wrap(phase);
    return 2.0f * p - 1.0f - PolyBlep(p, dt);
}

float SquareWave(float phase, float dt, float pulseWidth) {
    const float p = Wrap(phase);
    float v = p < pulseWidth ? 1.0f : -1.0f;
    v += PolyBlep(p, dt);
    v -= PolyBlep(Wrap(p - pulseWidth + 1.0f), dt);
    return v;
}

float NoteFrequency(float midiNote) {
    return 440.0f * std::pow(2.0f, (midiNote - 69.0f) / 12.0f);
}

float Adsr(float t, float attack, float decay, float sustain, float release, float hold) {
    if (t < 0.0f) return 0.0f;
    auto held = [&](float u) {
        if (u < attack) return u / attack;
        const float d = u - attack;
        return sustain + (1.0f - sustain) * std::exp(-d / std::max(decay, 1e-4f));
    };
    if (t < hold) return held(t);
    const float level = held(hold);
    const float r = t - hold;
    if (r >= release) return 0.0f;
    return level * (1.0f - r / release) * std::exp(-3.0f * r / release);
}

float Decay(float t, float attack, float tau) {
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

float SoftClip(float x) {
    return std::tanh(x);
}
