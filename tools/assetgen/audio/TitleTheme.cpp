#include "audio/Themes.h"

namespace {

struct Bar {
    int root;  // MIDI root in the bass octave
    char quality;
};

// D major: a fanfare theme, a lyrical answer and a climbing climax that turns back home.
const Bar kChords[24] = {
    {50, 'M'}, {45, 'M'}, {47, 'm'}, {43, 'M'}, {50, 'M'}, {43, 'M'}, {45, 'M'}, {45, 's'},
    {47, 'm'}, {43, 'M'}, {50, 'M'}, {45, 'M'}, {47, 'm'}, {43, 'M'}, {40, 'm'}, {45, 'M'},
    {43, 'M'}, {45, 'M'}, {42, 'm'}, {47, 'm'}, {40, 'm'}, {43, 'M'}, {45, 'M'}, {45, '7'},
};

}  // namespace

Song TitleTheme() {
    Song song;
    song.bpm = 112.0;
    song.bars = 24;
    Track lead{Instrument::Lead, 0.5f, 0.3f, {}};
    Track brass{Instrument::Brass, 0.3f, 0.35f, {}};
    Track pad{Instrument::Pad, 0.22f, 0.5f, {}};
    Track bass{Instrument::Bass, 0.55f, 0.05f, {}};
    Track pluck{Instrument::Pluck, 0.16f, 0.3f, {}};
    Track kick{Instrument::Kick, 0.75f, 0.0f, {}};
    Track snare{Instrument::Snare, 0.4f, 0.25f, {}};
    Track hat{Instrument::Hat, 0.16f, 0.05f, {}};
    Track crash{Instrument::Crash, 0.28f, 0.3f, {}};
    Track tom{Instrument::Tom, 0.5f, 0.2f, {}};

    // Melody, eight bars per section.
    double at = 0.0;
    at = AddLine(lead, at, {{69, 1.5f}, {74, 0.5f}, {78, 2},    {76, 1.5f}, {73, 0.5f}, {69, 2},
                            {71, 1},    {74, 1},    {78, 1},    {76, 1},    {74, 3},    {71, 1},
                            {69, 1.5f}, {74, 0.5f}, {78, 1.5f}, {79, 0.5f}, {81, 2},    {79, 1},
                            {78, 1},    {76, 1.5f}, {78, 0.5f}, {76, 1},    {73, 1},    {69, 4}},
                 0.85f);
    at = AddLine(lead, at,
                 {{78, 2}, {74, 1}, {71, 1}, {79, 2}, {74, 2}, {78, 1.5f}, {76, 0.5f}, {74, 1},
                  {69, 1}, {73, 2}, {76, 2}, {74, 1}, {78, 1}, {83, 2},    {81, 1},    {79, 1},
                  {74, 2}, {76, 1}, {79, 1}, {83, 1}, {81, 1}, {81, 3},    {-1, 1}},
                 0.8f);
    AddLine(lead, at,
            {{83, 1.5f}, {81, 0.5f}, {79, 2},    {81, 1.5f}, {79, 0.5f}, {76, 2}, {78, 1}, {81, 1},
             {85, 2},    {83, 2},    {78, 2},    {79, 1.5f}, {78, 0.5f}, {76, 1}, {79, 1}, {83, 2},
             {86, 2},    {85, 1.5f}, {83, 0.5f}, {81, 1},    {76, 1},    {81, 2}, {-1, 2}},
            0.9f);

    for (int bar = 0; bar < song.bars; ++bar) {
        const double b = bar * 4.0;
        const Bar& c = kChords[bar];
        const int section = bar / 8;
        for (int tone : Voicing(c.root, c.quality, 57)) {
            pad.notes.push_back({b, 4.0, static_cast<float>(tone), 0.6f});
            // Brass stabs on the beat and the "and" of two, swelling on the last bar.
            if (section != 1) {
                brass.notes.push_back({b, 1.0, static_cast<float>(tone), 0.7f});
                brass.notes.push_back({b + 1.5, 0.5, static_cast<float>(tone), 0.6f});
                brass.notes.push_back({b + 2.0, 2.0, static_cast<float>(tone), 0.65f});
            }
        }
        // Bass: driving eighths, root and octave.
        AddLine(bass, b,
                {{static_cast<float>(c.root - 12), 0.5f},
                 {static_cast<float>(c.root - 12), 0.5f},
                 {static_cast<float>(c.root), 0.5f},
                 {static_cast<float>(c.root - 12), 0.5f},
                 {static_cast<float>(c.root - 12), 0.5f},
                 {static_cast<float>(c.root), 0.5f},
                 {static_cast<float>(c.root - 12), 0.5f},
                 {static_cast<float>(c.root + 7 - 12), 0.5f}},
                0.8f);
        // Arpeggios in the climax.
        if (section == 2) {
            const std::vector<int> tones = Voicing(c.root, c.quality, 69);
            for (int step = 0; step < 16; ++step) {
                const int tone =
                    tones[static_cast<size_t>(step) % tones.size()] + (step % 8 >= 4 ? 12 : 0);
                pluck.notes.push_back({b + step * 0.25, 0.25, static_cast<float>(tone), 0.6f});
            }
        }
        const bool fill = bar % 8 == 7;
        AddPattern(kick, b, fill ? "x.....x.x.x....." : "x.....x.x.......", 0, 0.9f);
        AddPattern(snare, b, fill ? "....x.....x.xxxx" : "....x.......x...", 0, 0.8f);
        AddPattern(hat, b, "x.o.x.o.x.o.x.o.", 0, 0.7f);
        if (bar % 8 == 0) crash.notes.push_back({b, 1.0, 0, 0.8f});
        if (fill) {
            // A falling tom run into the next section.
            AddLine(tom, b + 3.0, {{57, 0.25f}, {54, 0.25f}, {50, 0.25f}, {45, 0.25f}}, 0.7f);
        }
    }
    song.tracks = {lead, brass, pad, bass, pluck, kick, snare, hat, crash, tom};
    return song;
}
