#pragma once

#include <cstdint>

#include "audio/Sound.h"

// The voices of the music. Each renders one note: `pitch` is a MIDI note number (drums
// ignore it or use it as a tuning), `hold` the seconds until release, `velocity` 0..1.
// The returned sound includes the release tail.
enum class Instrument {
    Lead,   // two detuned saws through a swelling filter, delayed vibrato
    Brass,  // three saws, slower attack: chord stabs and swells
    Pad,    // soft detuned saws, long attack and release
    Bass,   // saw plus square sub, plucky filter
    Pluck,  // narrow pulse with a fast filter decay: arpeggios
    Bell,   // two-operator FM bell: the sombre melody
    Kick,
    Snare,
    Hat,
    OpenHat,
    Crash,
    Tom,
};

Sound RenderVoice(Instrument instrument, float pitch, double hold, float velocity, uint64_t seed);
