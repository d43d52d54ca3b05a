#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/Instruments.h"
#include "audio/Sound.h"

// A tiny score format and its renderer. Positions and lengths are in beats.
struct Note {
    double beat = 0.0;
    double beats = 1.0;
    float pitch = 60.0f;  // MIDI note number
    float velocity = 0.8f;
};

struct Track {
    Instrument instrument = Instrument::Lead;
    float gain = 1.0f;
    float reverb = 0.2f;  // send to the shared hall
    std::vector<Note> notes;
};

struct Song {
    double bpm = 120.0;
    int bars = 16;
    int beatsPerBar = 4;
    std::vector<Track> tracks;

    double Beats() const { return static_cast<double>(bars * beatsPerBar); }
    double Seconds() const { return Beats() * 60.0 / bpm; }
};

// Renders one pass of the song as a seamless loop: notes that ring past the end, and the
// reverb tail, wrap around onto the start, so playing it repeatedly has no seam.
Sound RenderSong(const Song& song, uint64_t seed);

// Score-writing helpers.
// Tones of a chord from its root: quality 'M' major, 'm' minor, '7' dominant seventh,
// 's' suspended fourth.
std::vector<int> ChordTones(int root, char quality);
// The chord's tones moved into the octave [low, low + 12), for close-voiced pads.
std::vector<int> Voicing(int root, char quality, int low);
// Appends notes one after another from `beat`: pairs of (pitch, beats); a negative pitch
// is a rest. Returns the beat after the last note.
double AddLine(Track& track, double beat, const std::vector<std::pair<float, float>>& line,
               float velocity);
// A drum pattern over one bar in sixteenths: 'x' hit, 'o' soft hit, anything else rest.
void AddPattern(Track& track, double barStart, const std::string& pattern, float pitch,
                float velocity);
