#pragma once

#include "audio/Sound.h"

// Loudness of a mono sound by EBU R128 (libebur128): the integrated loudness in LUFS, as a
// listener hears the sound played at full volume in the middle of a stereo pair. Sounds
// shorter than one 400-ms measuring block are measured as if followed by silence. Minus
// infinity for silence.
double IntegratedLoudness(const Sound& sound);

// Scales the sound to the given integrated loudness, unless that would lift its peak over
// peakCeilingDbfs: then the peak sits at the ceiling and the sound stays quieter than asked.
void NormaliseLoudness(Sound& sound, double lufs, float peakCeilingDbfs);
