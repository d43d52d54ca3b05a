#include "audio/Themes.h"

namespace {

struct Bar {
    int root;
    char quality;
};

// A minor, slow: the melody falls and never quite resolves before the loop turns over.
const Bar kChords[16] = {
    {45, 'm'}, {41, 'M'}, {38, 'm'}, {40, 'M'}, {45, 'm'}, {41, 'M'}, {43, 'M'}, {40, 'M'},
    {41, 'M'}, {43, 'M'}, {45, 'm'}, {45, 'm'}, {38, 'm'}, {45, 'm'}, {40, 's'}, {40, 'M'},
};

}  // namespace

Song GameoverTheme() {
    Song song;
    song.bpm = 66.0;
    song.bars = 16;
    Track bell{Instrument::Bell, 0.42f, 0.5f, {}};
    Track lead{Instrument::Lead, 0.2f, 0.6f, {}};
    Track pad{Instrument::Pad, 0.32f, 0.6f, {}};
    Track bass{Instrument::Bass, 0.45f, 0.2f, {}};
    Track kick{Instrument::Kick, 0.55f, 0.3f, {}};
    Track tom{Instrument::Tom, 0.35f, 0.5f, {}};

    const std::vector<std::pair<float, float>> melody = {
        {76, 2}, {72, 1}, {71, 1}, {69, 3}, {72, 1}, {74, 2}, {72, 1}, {69, 1}, {68, 4}, {76, 2},
        {79, 1}, {77, 1}, {76, 2}, {72, 2}, {74, 2}, {71, 1}, {67, 1}, {71, 2}, {68, 2}, {72, 2},
        {69, 1}, {72, 1}, {74, 2}, {71, 2}, {72, 1}, {71, 1}, {69, 2}, {-1, 4}, {77, 2}, {76, 1},
        {74, 1}, {76, 2}, {72, 2}, {71, 2}, {74, 1}, {71, 1}, {68, 4}};
    AddLine(bell, 0.0, melody, 0.8f);
    // The second half doubles the melody an octave down on a soft lead.
    std::vector<std::pair<float, float>> low;
    for (const auto& [pitch, beats] : melody)
        low.push_back({pitch < 0 ? pitch : pitch - 12, beats});
    double at = 0.0;
    for (const auto& [pitch, beats] : low) {
        if (at >= 32.0 && pitch >= 0) lead.notes.push_back({at, beats * 0.95, pitch, 0.45f});
        at += beats;
    }

    for (int bar = 0; bar < song.bars; ++bar) {
        const double b = bar * 4.0;
        const Bar& c = kChords[bar];
        for (int tone : Voicing(c.root, c.quality, 55))
            pad.notes.push_back({b, 4.0, static_cast<float>(tone), 0.55f});
        bass.notes.push_back({b, 3.8, static_cast<float>(c.root - 12), 0.6f});
        // A slow heartbeat, and a distant drum every other bar.
        kick.notes.push_back({b, 0.25, 0, 0.6f});
        kick.notes.push_back({b + 0.75, 0.25, 0, 0.35f});
        if (bar % 2 == 1) tom.notes.push_back({b + 2.0, 0.5, 40, 0.6f});
    }
    song.tracks = {bell, lead, pad, bass, kick, tom};
    return song;
}
