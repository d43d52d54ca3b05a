#include "AssetGenerator.h"

#include <stb/stb_image.h>

#include <algorithm>

#include "Manifest.h"
#include "audio/Loudness.h"
#include "audio/VorbisFile.h"
#include "audio/WavFile.h"
#include "core/ImageWriter.h"
#include "text/GlyphAtlas.h"
#include "world/StoneTable.h"

namespace {

bool WriteImage(const std::filesystem::path& outRoot, const ImageRecipe& recipe,
                const FontSet& fonts, std::string& error) {
    const ManifestEntry* entry = FindManifestEntry(recipe.path);
    if (entry == nullptr) {
        error = recipe.path + " is not in the manifest";
        return false;
    }
    const Canvas image = recipe.make(fonts);
    if (image.Width() != entry->width || image.Height() != entry->height) {
        error = recipe.path + " came out " + std::to_string(image.Width()) + "x" +
                std::to_string(image.Height());
        return false;
    }
    const std::filesystem::path file = outRoot / recipe.path;
    return entry->kind == AssetKind::Bitmap ? WriteBmp(file, image, error)
                                            : WritePng(file, image, error);
}

bool WriteSound(const std::filesystem::path& outRoot, const SoundRecipe& recipe, SoundFormat format,
                std::string& error) {
    if (FindManifestEntry(recipe.path) == nullptr) {
        error = recipe.path + " is not in the manifest";
        return false;
    }
    Sound sound = recipe.make();
    NormaliseLoudness(sound, recipe.loudness, -1.0f);
    const std::filesystem::path file = outRoot / SoundFilePath(recipe.path, format);
    return format == SoundFormat::Vorbis ? WriteVorbis(file, sound, kVorbisQuality, error)
                                         : WriteWav(file, sound, error);
}

}  // namespace

std::filesystem::path SoundFilePath(const std::string& manifestPath, SoundFormat format) {
    std::filesystem::path path = manifestPath;
    if (format == SoundFormat::Vorbis) path.replace_extension(".ogg");
    return path;
}

bool GenerateAssets(const std::filesystem::path& outRoot, std::string& error,
                    const std::string& only, SoundFormat sounds) {
    auto wanted = [&only](const std::string& path) { return path.find(only) != std::string::npos; };
    FontSet fonts;
    if (!fonts.Load(error)) return false;
    for (const ImageRecipe& recipe : ImageRecipes()) {
        if (!wanted(recipe.path)) continue;
        if (!WriteImage(outRoot, recipe, fonts, error)) return false;
    }
    for (const SoundRecipe& recipe : SoundRecipes()) {
        if (!wanted(recipe.path)) continue;
        if (!WriteSound(outRoot, recipe, sounds, error)) return false;
    }
    if ((wanted(kGlyphAtlasPath) || wanted(kGlyphMetricsPath)) &&
        !WriteGlyphAtlas(outRoot, fonts, error))
        return false;
    const std::string table = "Data/stone/stoneData.dat";
    return !wanted(table) || WriteStoneTable(outRoot / table, error);
}

bool WriteContactSheet(const std::filesystem::path& outRoot, const std::filesystem::path& file,
                       std::string& error) {
    FontSet fonts;
    if (!fonts.Load(error)) return false;
    constexpr int kCell = 300;
    constexpr int kLabel = 22;
    constexpr int kColumns = 6;
    std::vector<const ManifestEntry*> images;
    for (const ManifestEntry& e : Manifest()) {
        if (e.kind == AssetKind::Image || e.kind == AssetKind::Bitmap) images.push_back(&e);
    }
    const int rows = static_cast<int>((images.size() + kColumns - 1) / kColumns);
    Canvas sheet(kColumns * kCell, rows * (kCell + kLabel), {0.16f, 0.17f, 0.2f, 1.0f});
    for (size_t i = 0; i < images.size(); ++i) {
        const int cx = static_cast<int>(i % kColumns) * kCell;
        const int cy = static_cast<int>(i / kColumns) * (kCell + kLabel);
        // A checkerboard shows where the image is transparent.
        sheet.Paint(cx + 4, cy + 4, cx + kCell - 4, cy + kCell - 4, [](float x, float y) {
            const bool dark = (static_cast<int>(x) / 12 + static_cast<int>(y) / 12) % 2 == 0;
            return dark ? Rgba{0.09f, 0.09f, 0.11f, 1.0f} : Rgba{0.14f, 0.14f, 0.17f, 1.0f};
        });
        int w = 0, h = 0, comp = 0;
        const std::string path = (outRoot / images[i]->path).string();
        unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &comp, 4);
        if (pixels != nullptr) {
            Canvas image(w, h);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const unsigned char* p = pixels + (static_cast<size_t>(y) * w + x) * 4;
                    image.Ref(x, y) = {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
                }
            }
            stbi_image_free(pixels);
            const float scale =
                std::min(1.0f, static_cast<float>(kCell - 8) / static_cast<float>(std::max(w, h)));
            const int tw = std::max(1, static_cast<int>(static_cast<float>(w) * scale));
            const int th = std::max(1, static_cast<int>(static_cast<float>(h) * scale));
            sheet.Composite(image.Resized(tw, th), cx + (kCell - tw) / 2, cy + (kCell - th) / 2);
        }
        const std::string name =
            images[i]->path.substr(5) + "  " + std::to_string(w) + "x" + std::to_string(h);
        sheet.PaintMask(fonts.latin.Render(name, 15.0f), cx + 6, cy + kCell,
                        Rgba{0.9f, 0.9f, 0.9f, 1.0f});
    }
    return WritePng(file, sheet, error);
}
