#pragma once

// Band-limited waveforms of a phase in [0, 1). dt is the phase step per sample
// (frequency / rate); the polyBLEP correction keeps saws and squares free of aliasing hiss.
float SineWave(float phase);
float TriangleWave(float phase);
float SawWave(float phase, float dt);
float SquareWave(float phase, float dt, float pulseWidth = 0.5f);

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
float NoteFrequency(float midiNote);

// Envelope helpers, t in seconds.
// Attack-decay-sustain-release over a note held for `hold` seconds (release starts then).
float Adsr(float t, float attack, float decay, float sustain, float release, float hold);
// exp(-t / tau) after a linear attack of `attack` seconds (avoids clicks at the onset).
float Decay(float t, float attack, float tau);

// Soft saturation that keeps |x| < 1.
float SoftClip(float x);
