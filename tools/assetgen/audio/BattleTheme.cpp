#include "audio/Themes.h"

namespace {

struct Bar {
    int root;
    char quality;
};

// E minor, four sections of eight bars: an intro riff, a call, the main theme, a climax.
const Bar kChords[32] = {
    {40, 'm'}, {40, 'm'}, {36, 'M'}, {38, 'M'}, {40, 'm'}, {40, 'm'}, {36, 'M'}, {47, 'M'},
    {45, 'm'}, {36, 'M'}, {43, 'M'}, {38, 'M'}, {45, 'm'}, {36, 'M'}, {47, 'M'}, {47, '7'},
    {40, 'm'}, {36, 'M'}, {43, 'M'}, {38, 'M'}, {40, 'm'}, {36, 'M'}, {38, 'M'}, {47, 'M'},
    {36, 'M'}, {38, 'M'}, {40, 'm'}, {40, 'm'}, {36, 'M'}, {38, 'M'}, {47, 'M'}, {47, '7'},
};

}  // namespace

Song BattleTheme() {
    Song song;
    song.bpm = 148.0;
    song.bars = 32;
    Track lead{Instrument::Lead, 0.45f, 0.25f, {}};
    Track brass{Instrument::Brass, 0.3f, 0.25f, {}};
    Track pad{Instrument::Pad, 0.14f, 0.4f, {}};
    Track bass{Instrument::Bass, 0.6f, 0.0f, {}};
    Track pluck{Instrument::Pluck, 0.17f, 0.25f, {}};
    Track kick{Instrument::Kick, 0.8f, 0.0f, {}};
    Track snare{Instrument::Snare, 0.45f, 0.2f, {}};
    Track hat{Instrument::Hat, 0.17f, 0.0f, {}};
    Track openHat{Instrument::OpenHat, 0.12f, 0.1f, {}};
    Track crash{Instrument::Crash, 0.28f, 0.25f, {}};
    Track tom{Instrument::Tom, 0.5f, 0.15f, {}};

    double at = 32.0;  // the lead enters with the second section
    at = AddLine(
        lead, at,
        {{69, 0.75f}, {72, 0.75f}, {76, 0.5f},  {81, 1.5f},  {79, 0.5f},  {79, 0.75f}, {76, 0.75f},
         {72, 0.5f},  {76, 2},     {74, 0.75f}, {71, 0.75f}, {67, 0.5f},  {74, 1},     {76, 1},
         {78, 2},     {74, 1},     {78, 1},     {81, 0.75f}, {79, 0.75f}, {76, 0.5f},  {81, 1.5f},
         {83, 0.5f},  {84, 1.5f},  {83, 0.5f},  {79, 2},     {78, 0.75f}, {75, 0.75f}, {71, 0.5f},
         {78, 2},     {75, 1},     {78, 1},     {83, 2}},
        0.85f);
    at = AddLine(lead, at, {{76, 1.5f}, {71, 0.5f}, {76, 0.5f}, {79, 0.5f}, {78, 0.5f}, {76, 0.5f},
                            {72, 1.5f}, {76, 0.5f}, {79, 2},    {74, 1.5f}, {79, 0.5f}, {83, 2},
                            {81, 1},    {78, 1},    {74, 2},    {76, 1.5f}, {79, 0.5f}, {83, 1},
                            {81, 1},    {79, 1.5f}, {76, 0.5f}, {72, 2},    {74, 1},    {78, 1},
                            {81, 1},    {78, 1},    {75, 2},    {71, 2}},
                 0.85f);
    AddLine(lead, at, {{84, 1.5f}, {83, 0.5f}, {79, 1}, {76, 1}, {86, 1.5f}, {84, 0.5f}, {81, 1},
                       {78, 1},    {83, 2},    {79, 1}, {76, 1}, {88, 3},    {-1, 1},    {84, 1},
                       {83, 1},    {81, 1},    {79, 1}, {81, 1}, {79, 1},    {78, 1},    {74, 1},
                       {75, 1},    {78, 1},    {83, 1}, {87, 1}, {83, 2},    {-1, 2}},
            0.9f);

    for (int bar = 0; bar < song.bars; ++bar) {
        const double b = bar * 4.0;
        const Bar& c = kChords[bar];
        const int section = bar / 8;
        const float root = static_cast<float>(c.root);
        // Galloping bass: eighth, two sixteenths, with the octave on the off-beats.
        for (int beat = 0; beat < 4; ++beat) {
            const float octave = beat % 2 == 1 ? 12.0f : 0.0f;
            AddLine(bass, b + beat,
                    {{root - 12 + octave, 0.5f}, {root - 12, 0.25f}, {root - 12, 0.25f}}, 0.85f);
        }
        const std::vector<int> chord = Voicing(c.root, c.quality, 59);
        for (int tone : chord) {
            pad.notes.push_back({b, 4.0, static_cast<float>(tone), 0.5f});
            // Syncopated stabs: the intro riff and the climax hit hardest.
            const float v = section == 0 || section == 3 ? 0.8f : 0.55f;
            brass.notes.push_back({b, 0.5, static_cast<float>(tone), v});
            brass.notes.push_back({b + 1.5, 0.5, static_cast<float>(tone), v});
            brass.notes.push_back({b + 3.0, 0.75, static_cast<float>(tone), v});
        }
        const std::vector<int> arp = Voicing(c.root, c.quality, 64);
        for (int step = 0; step < 16; ++step) {
            static const int order[] = {0, 1, 2, 1, 0, 2, 1, 2};
            const int tone =
                arp[static_cast<size_t>(order[step % 8]) % arp.size()] + (step >= 8 ? 12 : 0);
            pluck.notes.push_back(
                {b + step * 0.25, 0.25, static_cast<float>(tone), step % 4 == 0 ? 0.75f : 0.5f});
        }
        const bool fill = bar % 8 == 7;
        AddPattern(kick, b, fill ? "x...x...x.x.x.x." : "x...x...x...x..x", 0, 0.95f);
        AddPattern(snare, b, fill ? "....x...x.xxxxxx" : "....x.......x...", 0, 0.85f);
        AddPattern(hat, b, "xoxoxoxoxoxoxoxo", 0, 0.6f);
        AddPattern(openHat, b, "..x...x...x...x.", 0, 0.5f);
        if (bar % 8 == 0) crash.notes.push_back({b, 1.0, 0, 0.85f});
        if (fill) {
            tom.notes.push_back({b + 2.0, 0.25, 57, 0.8f});
            tom.notes.push_back({b + 2.5, 0.25, 52, 0.8f});
            tom.notes.push_back({b + 3.0, 0.25, 47, 0.8f});
        }
    }
    song.tracks = {lead, brass, pad, bass, pluck, kick, snare, hat, openHat, crash, tom};
    return song;
}
