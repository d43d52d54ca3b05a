#pragma once

#include <cstddef>
#include <vector>

// A mono float signal (nominal range -1..1) at a fixed sample rate: what the synthesiser
// builds and the WAV writer quantises.
class Sound {
public:
    static constexpr int kRate = 44100;

    Sound() = default;
    explicit Sound(double seconds, int rate = kRate);

    int Rate() const { return rate_; }
    size_t Size() const { return samples_.size(); }
    double Seconds() const { return static_cast<double>(samples_.size()) / rate_; }
    float& operator[](size_t i) { return samples_[i]; }
    float operator[](size_t i) const { return samples_[i]; }
    const std::vector<float>& Samples() const { return samples_; }

    float Peak() const;
    float Rms() const;

    // Adds src * gain starting at sample `offset`; with wrap the part past the end continues
    // at the start, which is how loops keep their tails (reverb, decays) seamless.
    void Mix(const Sound& src, long offset, float gain, bool wrap);
    // Scales so the peak sits at the given level in dBFS (e.g. -1).
    void NormalisePeak(float dbfs);
    // Multiplies every sample by gain.
    void Scale(float gain);
    // Linear fades at the ends, in seconds (one-shot effects start and end at silence).
    void FadeEdges(double inSeconds, double outSeconds);

private:
    int rate_ = kRate;
    std::vector<float> samples_;
};
