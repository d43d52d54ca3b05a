#include "audio/Sound.h"

#include <algorithm>
#include <cmath>

Sound::Sound(double seconds, int rate)
    : rate_(rate), samples_(static_cast<size_t>(std::llround(seconds * rate)), 0.0f) {}

float Sound::Peak() const {
    float peak = 0.0f;
    for (float s : samples_) peak = std::max(peak, std::fabs(s));
    return peak;
}

float Sound::Rms() const {
    if (samples_.empty()) return 0.0f;
    double sum = 0.0;
    for (float s : samples_) sum += static_cast<double>(s) * s;
    return static_cast<float>(std::sqrt(sum / static_cast<double>(samples_.size())));
}

void Sound::Mix(const Sound& src, long offset, float gain, bool wrap) {
    const long n = static_cast<long>(samples_.size());
    if (n == 0) return;
    for (size_t i = 0; i < src.Size(); ++i) {
        long t = offset + static_cast<long>(i);
        if (wrap) {
            t %= n;
            if (t < 0) t += n;
        } else if (t < 0 || t >= n) {
            continue;
        }
        samples_[static_cast<size_t>(t)] += src[i] * gain;
    }
}

void Sound::NormalisePeak(float dbfs) {
    const float peak = Peak();
    if (peak <= 0.0f) return;
    Scale(std::pow(10.0f, dbfs / 20.0f) / peak);
}

void Sound::Scale(float gain) {
    for (float& s : samples_) s *= gain;
}

void Sound::FadeEdges(double inSeconds, double outSeconds) {
    const size_t n = samples_.size();
    const size_t in = std::min(n, static_cast<size_t>(inSeconds * rate_));
    const size_t out = std::min(n, static_cast<size_t>(outSeconds * rate_));
    for (size_t i = 0; i < in; ++i) samples_[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (size_t i = 0; i < out; ++i) {
        samples_[n - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
    }
}
