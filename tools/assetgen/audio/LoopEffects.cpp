// The looping effects. Every periodic part completes whole cycles in the loop, and filters
// run over the loop twice so their state at the end matches the state they start with.
#include <algorithm>
#include <cmath>

#include "audio/Oscillators.h"
#include "audio/SoundEffects.h"
#include "audio/Svf.h"
#include "core/Rng.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kRate = static_cast<double>(Sound::kRate);

// Loop-periodic noise through a filter: the first pass only warms the filter up.
template <typename Step>
void FilterCircular(Sound& s, const std::vector<float>& noise, Step step) {
    const size_t n = s.Size();
    for (size_t pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < n; ++i) {
            const float v = step(i, noise[i]);
            if (pass == 1) s[i] += v;
        }
    }
}

std::vector<float> Noise(size_t n, uint64_t seed) {
    Rng rng(seed);
    std::vector<float> out(n);
    for (float& v : out) v = rng.Signed();
    return out;
}

}  // namespace

Sound MakeChargeLoop() {
    // A Shepard glissando: octave-spaced partials rise by one octave per loop under a fixed
    // bell over log-frequency, so the pitch seems to climb for ever and the loop is seamless.
    // The base frequency makes every partial finish a whole number of cycles.
    constexpr double kSeconds = 2.0;
    Sound s(kSeconds);
    const double base = 160.0 * std::log(2.0) / kSeconds;  // about 55 Hz
    constexpr int kPartials = 7;
    for (size_t i = 0; i < s.Size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double u = t / kSeconds;
        double v = 0.0;
        for (int k = 0; k < kPartials; ++k) {
            const double octave = static_cast<double>(k) + u;
            // Phase of a partial gliding as base * 2^(k + t/T), integrated from 0.
            const double phase =
                base * std::pow(2.0, k) * kSeconds / std::log(2.0) * (std::pow(2.0, u) - 1.0);
            const double pos = octave / kPartials;  // 0..1 across the band
            const double weight = 0.5 - 0.5 * std::cos(kTwoPi * pos);
            v += weight * std::sin(kTwoPi * phase);
        }
        // A pulsing hum at a whole number of hertz, throbbing four times per loop.
        const double throb = 0.75 + 0.25 * std::cos(kTwoPi * 4.0 * u);
        v = v * 0.22 * throb + 0.25 * std::sin(kTwoPi * 111.0 * t) * throb;
        s[i] = static_cast<float>(v);
    }
    const std::vector<float> noise = Noise(s.Size(), 201);
    Svf crackle;
    crackle.Set(6000.0f, 0.8f, Sound::kRate);
    FilterCircular(s, noise, [&](size_t i, float n) {
        crackle.Process(n);
        const double u = static_cast<double>(i) / static_cast<double>(s.Size());
        return crackle.Band() * 0.08f * static_cast<float>(0.6 + 0.4 * std::cos(kTwoPi * 4.0 * u));
    });
    return s;
}

Sound MakeThrusterLoop() {
    constexpr double kSeconds = 2.0;
    Sound s(kSeconds);
    const std::vector<float> noise = Noise(s.Size(), 202);
    Svf roar, hiss;
    roar.Set(520.0f, 0.9f, Sound::kRate);
    hiss.Set(2600.0f, 0.7f, Sound::kRate);
    FilterCircular(s, noise, [&](size_t i, float n) {
        roar.Process(n);
        hiss.Process(n);
        const double u = static_cast<double>(i) / static_cast<double>(s.Size());
        // The flame flutters: three slow swells per loop.
        const double flutter = 0.85 + 0.15 * std::sin(kTwoPi * 3.0 * u);
        return static_cast<float>(flutter) * (roar.Low() * 1.2f + hiss.Band() * 0.18f);
    });
    for (size_t i = 0; i < s.Size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        s[i] += static_cast<float>(0.18 * std::sin(kTwoPi * 55.0 * t) +
                                   0.08 * std::sin(kTwoPi * 110.5 * t));
    }
    return s;
}

Sound MakeOverheatAlarm() {
    // Two short beeps per second, square-ish with soft edges, silent at the loop seam.
    Sound s(1.0);
    for (size_t i = 0; i < s.Size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double env = 0.0;
        for (double start : {0.05, 0.3}) {
            const double u = t - start;
            if (u > 0.0 && u < 0.16) env = std::min({1.0, u / 0.006, (0.16 - u) / 0.012});
        }
        if (env <= 0.0) continue;
        const double f = 1240.0;
        const double tone = std::sin(kTwoPi * f * t) + 0.3 * std::sin(kTwoPi * 3.0 * f * t) +
                            0.12 * std::sin(kTwoPi * 5.0 * f * t);
        s[i] = static_cast<float>(0.6 * env * tone);
    }
    return s;
}

Sound MakeDyingAlarm() {
    // A siren sweeping 600 -> 1100 -> 600 Hz twice a second. The sweep integrates to zero,
    // so the phase completes exactly 850 cycles per loop.
    Sound s(1.0);
    const double n = static_cast<double>(s.Size());
    for (size_t i = 0; i < s.Size(); ++i) {
        const double u = static_cast<double>(i) / n;
        const double phase =
            850.0 * u - 250.0 / (kTwoPi * 2.0) * (std::cos(kTwoPi * 2.0 * u) - 1.0);
        const double x = kTwoPi * phase;
        const double tone = std::sin(x) + 0.4 * std::sin(2.0 * x) + 0.2 * std::sin(3.0 * x);
        s[i] = static_cast<float>(0.5 * tone);
    }
    return s;
}
