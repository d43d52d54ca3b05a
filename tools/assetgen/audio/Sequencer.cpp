#include "audio/Sequencer.h"

#include <algorithm>
#include <cmath>

namespace {

// A mono hall: four damped combs into two all-passes (Schroeder), run over the loop twice so
// its tail wraps seamlessly.
Sound Hall(const Sound& send) {
    static const int kComb[] = {1557, 1617, 1491, 1422};
    static const int kAllPass[] = {225, 556};
    const size_t n = send.Size();
    Sound wet(static_cast<double>(n) / Sound::kRate);
    std::vector<std::vector<float>> combs;
    std::vector<float> damp(4, 0.0f);
    for (int d : kComb) combs.emplace_back(static_cast<size_t>(d), 0.0f);
    std::vector<std::vector<float>> passes;
    for (int d : kAllPass) passes.emplace_back(static_cast<size_t>(d), 0.0f);
    std::vector<size_t> combPos(4, 0), passPos(2, 0);
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < n; ++i) {
            const float in = send[i] * 0.3f;
            float out = 0.0f;
            for (size_t c = 0; c < 4; ++c) {
                std::vector<float>& line = combs[c];
                const float y = line[combPos[c]];
                damp[c] = y * 0.6f + damp[c] * 0.4f;
                line[combPos[c]] = in + damp[c] * 0.82f;
                combPos[c] = (combPos[c] + 1) % line.size();
                out += y;
            }
            for (size_t a = 0; a < 2; ++a) {
                std::vector<float>& line = passes[a];
                const float buffered = line[passPos[a]];
                line[passPos[a]] = out + buffered * 0.5f;
                out = buffered - out;
                passPos[a] = (passPos[a] + 1) % line.size();
            }
            if (pass == 1) wet[i] = out;
        }
    }
    return wet;
}

}  // namespace

Sound RenderSong(const Song& song, uint64_t seed) {
    Sound dry(song.Seconds());
    Sound send(song.Seconds());
    const double samplesPerBeat = 60.0 / song.bpm * Sound::kRate;
    uint64_t voiceSeed = seed;
    for (const Track& track : song.tracks) {
        for (const Note& note : track.notes) {
            const Sound voice =
                RenderVoice(track.instrument, note.pitch, note.beats * 60.0 / song.bpm,
                            note.velocity, ++voiceSeed);
            const long offset = std::lround(note.beat * samplesPerBeat);
            dry.Mix(voice, offset, track.gain, true);
            if (track.reverb > 0.0f) send.Mix(voice, offset, track.gain * track.reverb, true);
        }
    }
    const Sound wet = Hall(send);
    Sound out(song.Seconds());
    for (size_t i = 0; i < out.Size(); ++i) out[i] = dry[i] + wet[i];
    // Gentle bus saturation glues the mix and tames stray peaks before normalising.
    const float peak = std::max(out.Peak(), 1e-6f);
    for (size_t i = 0; i < out.Size(); ++i) out[i] = std::tanh(out[i] / peak * 1.4f);
    return out;
}

std::vector<int> ChordTones(int root, char quality) {
    switch (quality) {
        case 'm':
            return {root, root + 3, root + 7};
        case '7':
            return {root, root + 4, root + 7, root + 10};
        case 's':
            return {root, root + 5, root + 7};
        default:
            return {root, root + 4, root + 7};
    }
}

std::vector<int> Voicing(int root, char quality, int low) {
    std::vector<int> tones = ChordTones(root, quality);
    for (int& t : tones) {
        while (t < low) t += 12;
        while (t >= low + 12) t -= 12;
    }
    std::sort(tones.begin(), tones.end());
    return tones;
}

double AddLine(Track& track, double beat, const std::vector<std::pair<float, float>>& line,
               float velocity) {
    for (const auto& [pitch, beats] : line) {
        if (pitch >= 0.0f) track.notes.push_back({beat, beats * 0.95, pitch, velocity});
        beat += beats;
    }
    return beat;
}

void AddPattern(Track& track, double barStart, const std::string& pattern, float pitch,
                float velocity) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != 'x' && pattern[i] != 'o') continue;
        const float v = pattern[i] == 'x' ? velocity : velocity * 0.55f;
        track.notes.push_back({barStart + static_cast<double>(i) * 0.25, 0.25, pitch, v});
    }
}
