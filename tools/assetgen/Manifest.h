#pragma once

#include <string>
#include <vector>

// Every file the game reads below Data/, with the facts it has to meet. The generator writes
// the entries from this list (models come from the model generator) and the tests check the
// written tree against it.
enum class AssetKind {
    Image,         // PNG, RGBA, exactly width x height
    Bitmap,        // BMP, exactly width x height
    Effect,        // one-shot sound: mono 16-bit PCM, 44.1 kHz
    Loop,          // looping sound effect: as Effect, and its end joins its start
    Music,         // looping music: 16-bit PCM, joins seamlessly
    StoneTable,    // 20 records of three little-endian floats
    Model,         // glTF, written by the model generator
    GlyphAtlas,    // PNG, RGBA, exactly width x height: the runtime text's glyphs
    GlyphMetrics,  // plain text: where each glyph of the atlas lies and how it is placed
};

struct ManifestEntry {
    std::string path;  // relative to the folder the game runs from, e.g. "Data/tex/black.png"
    AssetKind kind = AssetKind::Image;
    int width = 0;  // images
    int height = 0;
    double minSeconds = 0.0;  // sounds
    double maxSeconds = 0.0;
};

const std::vector<ManifestEntry>& Manifest();
// The entry for a path, or nullptr.
const ManifestEntry* FindManifestEntry(const std::string& path);
bool IsSound(AssetKind kind);
