#pragma once

#include <cstddef>
#include <string>

struct FloatPcmSound;

// Loudness of a recording by EBU R128 / ITU-R BS.1770 (libebur128): what the loudness tool
// prints and the level tests compare. Levels are in LUFS, dB or dBFS; a silent recording
// has every level at minus infinity.
struct LoudnessFigures {
    double seconds = 0.0;
    double integrated = 0.0;  // LUFS, gated over the whole recording
    double range = 0.0;       // LU (loudness range)
    double truePeak = 0.0;    // dBTP, the higher of the channels
    double samplePeak = 0.0;  // dBFS
    // The loudest 400-ms (momentary) and 3-s (short-term) stretches, and where they end.
    double maxMomentary = 0.0;
    double maxMomentaryAt = 0.0;  // seconds into the recording
    double maxShortTerm = 0.0;
    double maxShortTermAt = 0.0;
    // Samples beyond full scale (by more than float rounding, 0.001 dB): each one would
    // clip on a fixed-point output.
    std::size_t overFullScale = 0;
};

// False when the sound is empty or libebur128 refuses its format.
bool MeasureLoudness(const FloatPcmSound& sound, LoudnessFigures& out);
// Decodes a WAV file (float files keep values beyond full scale) and measures it.
bool MeasureLoudnessFile(const std::string& path, LoudnessFigures& out);
