#include "support/Loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "engine/audio/WavDecoder.h"

namespace {

struct StateDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

// Full scale and the float rounding of a limiter that holds the mix exactly at it
// (0.001 dB): a sample beyond this is one a fixed-point output would clip.
constexpr float kFullScale = 1.0001f;

double Decibels(double linear) {
    return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

}  // namespace

bool MeasureLoudness(const FloatPcmSound& sound, LoudnessFigures& out) {
    out = LoudnessFigures{};
    const std::size_t frames = sound.GetFrameCount();
    if (frames == 0 || sound.sampleRate <= 0) return false;
    const unsigned channels = static_cast<unsigned>(sound.channels);
    std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(channels, static_cast<unsigned long>(sound.sampleRate),
                     EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_S | EBUR128_MODE_M |
                         EBUR128_MODE_TRUE_PEAK | EBUR128_MODE_SAMPLE_PEAK));
    if (!state) return false;

    // Fed in 100-ms steps, so the loudest windows can be found as they pass.
    const std::size_t step = static_cast<std::size_t>(sound.sampleRate) / 10;
    const double minusInfinity = -std::numeric_limits<double>::infinity();
    out.maxMomentary = out.maxShortTerm = minusInfinity;
    for (std::size_t first = 0; first < frames; first += step) {
        const std::size_t count = std::min(step, frames - first);
        if (ebur128_add_frames_float(state.get(), sound.samples.data() + first * channels, count) !=
            EBUR128_SUCCESS) {
            return false;
        }
        const double at = static_cast<double>(first + count) / sound.sampleRate;
        double momentary = minusInfinity, shortTerm = minusInfinity;
        if (ebur128_loudness_momentary(state.get(), &momentary) == EBUR128_SUCCESS &&
            momentary > out.maxMomentary) {
            out.maxMomentary = momentary;
            out.maxMomentaryAt = at;
        }
        if (at >= 3.0 && ebur128_loudness_shortterm(state.get(), &shortTerm) == EBUR128_SUCCESS &&
            shortTerm > out.maxShortTerm) {
            out.maxShortTerm = shortTerm;
            out.maxShortTermAt = at;
        }
    }

    out.seconds = static_cast<double>(frames) / sound.sampleRate;
    if (ebur128_loudness_global(state.get(), &out.integrated) != EBUR128_SUCCESS ||
        ebur128_loudness_range(state.get(), &out.range) != EBUR128_SUCCESS) {
        return false;
    }
    double truePeak = 0.0, samplePeak = 0.0;
    for (unsigned c = 0; c < channels; ++c) {
        double peak = 0.0;
        if (ebur128_true_peak(state.get(), c, &peak) != EBUR128_SUCCESS) return false;
        truePeak = std::max(truePeak, peak);
        if (ebur128_sample_peak(state.get(), c, &peak) != EBUR128_SUCCESS) return false;
        samplePeak = std::max(samplePeak, peak);
    }
    out.truePeak = Decibels(truePeak);
    out.samplePeak = Decibels(samplePeak);
    out.overFullScale =
        static_cast<std::size_t>(std::count_if(sound.samples.begin(), sound.samples.end(),
                                               [](float v) { return std::fabs(v) > kFullScale; }));
    return true;
}

bool MeasureLoudnessFile(const std::string& path, LoudnessFigures& out) {
    FloatPcmSound sound;
    if (!WavDecoder::DecodeFile(path, sound)) {
        out = LoudnessFigures{};
        return false;
    }
    return MeasureLoudness(sound, out);
}
