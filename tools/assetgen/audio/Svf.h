#pragma once

// Two-pole state-variable filter (trapezoidal form), stable under per-sample cutoff sweeps,
// which is what the whooshes, the thruster roar and the synth voices need.
class Svf {
public:
    // cutoff in Hz (clamped below Nyquist), q > 0 (0.707 is flat, higher rings).
    void Set(float cutoff, float q, int rate);
    void Process(float in);
    void Reset() { ic1_ = ic2_ = low_ = band_ = high_ = 0.0f; }

    float Low() const { return low_; }
    float Band() const { return band_; }
    float High() const { return high_; }

private:
    float g_ = 0.0f, k_ = 1.414f, a1_ = 1.0f, a2_ = 0.0f, a3_ = 0.0f;
    float ic1_ = 0.0f, ic2_ = 0.0f;
    float low_ = 0.0f, band_ = 0.0f, high_ = 0.0f;
};
