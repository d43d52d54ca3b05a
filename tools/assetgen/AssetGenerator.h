#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "audio/Sound.h"
#include "core/Canvas.h"
#include "core/FontSet.h"

// How each generated image and sound is made. Every recipe is a pure function of fixed
// seeds, so the files are byte-identical on every run.
struct ImageRecipe {
    std::string path;  // as in the manifest, e.g. "Data/tex/gauge.png"
    std::function<Canvas(const FontSet&)> make;
};

struct SoundRecipe {
    std::string path;
    std::function<Sound()> make;
    // Integrated loudness of the file (LUFS, EBU R128); its peak stays at or under -1 dBFS.
    double loudness = -23.0;
};

std::vector<ImageRecipe> ImageRecipes();
std::vector<SoundRecipe> SoundRecipes();

// How the sounds are stored: WAV as the manifest names them (the desktop builds), or Ogg
// Vorbis under the same names with ".ogg" for ".wav" (the browser build, where the download
// is what the player waits for; the game reads either, see engine/audio/SoundFile.h).
enum class SoundFormat { Wav, Vorbis };
std::filesystem::path SoundFilePath(const std::string& manifestPath, SoundFormat format);

// Writes every image, sound, the glyph atlas and the stone table below outRoot/Data (models are the
// model generator's). Returns false with the reason in error at the first file that fails. With
// `only` set, writes just the files whose path contains it (for quick iterations).
bool GenerateAssets(const std::filesystem::path& outRoot, std::string& error,
                    const std::string& only = {}, SoundFormat sounds = SoundFormat::Wav);

// One PNG with every generated image scaled into a labelled grid, for a person to review.
bool WriteContactSheet(const std::filesystem::path& outRoot, const std::filesystem::path& file,
                       std::string& error);
