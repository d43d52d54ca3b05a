#include "audio/Loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

struct StateDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

}  // namespace

double IntegratedLoudness(const Sound& sound) {
    const double silence = -std::numeric_limits<double>::infinity();
    std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(1, static_cast<unsigned long>(sound.Rate()), EBUR128_MODE_I));
    if (!state || sound.Size() == 0) return silence;
    std::vector<float> samples = sound.Samples();
    samples.resize(std::max(samples.size(), static_cast<size_t>(sound.Rate()) * 2 / 5), 0.0f);
    double lufs = silence;
    if (ebur128_add_frames_float(state.get(), samples.data(), samples.size()) != EBUR128_SUCCESS ||
        ebur128_loudness_global(state.get(), &lufs) != EBUR128_SUCCESS) {
        return silence;
    }
    return lufs;
}

void NormaliseLoudness(Sound& sound, double lufs, float peakCeilingDbfs) {
    const double now = IntegratedLoudness(sound);
    const float peak = sound.Peak();
    if (!std::isfinite(now) || peak <= 0.0f) return;
    const double ceiling = std::pow(10.0, peakCeilingDbfs / 20.0) / peak;
    const double gain = std::min(std::pow(10.0, (lufs - now) / 20.0), ceiling);
    sound.Scale(static_cast<float>(gain));
}
