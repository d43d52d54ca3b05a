#pragma once

#include <string>

#include "engine/audio/WavDecoder.h"

// The game names its sounds by WAV paths ("Data/sound/gun.wav"). Where the data holds Ogg
// Vorbis instead (the browser build's, a tenth of the size) the sound is the file of the same
// name with ".ogg"; the named file is read when it exists. Either is decoded by what it
// holds ("OggS" or RIFF/WAVE), not by its name. False (out empty) when neither file exists or
// the one found does not decode (WavDecoder, VorbisDecoder).
bool DecodeSoundFile(const std::string& path, PcmSound& out);
