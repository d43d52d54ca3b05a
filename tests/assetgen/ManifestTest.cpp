// The manifest against the files the generator writes: nothing missing, nothing extra, every
// name spelled exactly as the game opens it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "AssetGenerator.h"
#include "GeneratedTree.h"
#include "Manifest.h"
#include "models/ModelGenerator.h"
#include "text/GlyphAtlas.h"

namespace {

std::set<std::string> PathsOfKind(bool models) {
    std::set<std::string> out;
    for (const ManifestEntry& e : Manifest()) {
        if ((e.kind == AssetKind::Model) == models) out.insert(e.path);
    }
    return out;
}

}  // namespace

TEST(Manifest, ListsEveryFileOnceWithTheGameFileCounts) {
    std::set<std::string> unique;
    int images = 0, sounds = 0, models = 0, tables = 0, text = 0;
    for (const ManifestEntry& e : Manifest()) {
        EXPECT_TRUE(unique.insert(e.path).second) << "listed twice: " << e.path;
        EXPECT_EQ(e.path.rfind("Data/", 0), 0u) << e.path;
        if (e.kind == AssetKind::Image || e.kind == AssetKind::Bitmap) ++images;
        if (IsSound(e.kind)) ++sounds;
        if (e.kind == AssetKind::Model) ++models;
        if (e.kind == AssetKind::StoneTable) ++tables;
        if (e.kind == AssetKind::GlyphAtlas || e.kind == AssetKind::GlyphMetrics) ++text;
    }
    // The files the game's code names, plus the thruster's two exhaust ribbons and the
    // menus' glyph atlas with its metrics.
    EXPECT_EQ(unique.size(), 86u);
    EXPECT_EQ(images, 35);
    EXPECT_EQ(sounds, 15);
    EXPECT_EQ(models, 33);
    EXPECT_EQ(tables, 1);
    EXPECT_EQ(text, 2);
    // The enemy's parts keep the space in their names.
    EXPECT_NE(FindManifestEntry("Data/enemy04/enemy04 leftHand.gltf"), nullptr);
}

TEST(Manifest, RecipesCoverExactlyTheNonModelEntries) {
    std::set<std::string> made = {"Data/stone/stoneData.dat", kGlyphAtlasPath, kGlyphMetricsPath};
    for (const ImageRecipe& r : ImageRecipes()) EXPECT_TRUE(made.insert(r.path).second) << r.path;
    for (const SoundRecipe& r : SoundRecipes()) EXPECT_TRUE(made.insert(r.path).second) << r.path;
    EXPECT_EQ(made, PathsOfKind(false));
}

TEST(Manifest, ModelGeneratorAgreesWithTheModelEntries) {
    const std::vector<std::string> written = ModelFilePaths();
    if (written.empty()) GTEST_SKIP() << "the model generator writes no models yet";
    const std::set<std::string> models(written.begin(), written.end());
    EXPECT_EQ(models, PathsOfKind(true));
}

TEST(GeneratedTree, EveryManifestFileExistsWithItsExactName) {
    const std::filesystem::path& root = GeneratedRoot();
    const bool modelsReady = !ModelFilePaths().empty();
    for (const ManifestEntry& e : Manifest()) {
        if (e.kind == AssetKind::Model && !modelsReady) continue;
        EXPECT_TRUE(std::filesystem::is_regular_file(root / e.path)) << "missing: " << e.path;
    }
}

TEST(GeneratedTree, HoldsNoFileOutsideTheManifestExceptModelTextures) {
    const std::filesystem::path& root = GeneratedRoot();
    for (const auto& item : std::filesystem::recursive_directory_iterator(root / "Data")) {
        if (!item.is_regular_file()) continue;
        const std::string rel = std::filesystem::relative(item.path(), root).generic_string();
        const std::string ext = item.path().extension().string();
        // Models may bring their own textures and buffers beside the .gltf files.
        if (ext == ".png" && FindManifestEntry(rel) == nullptr) {
            const std::string folder = item.path().parent_path().filename().string();
            const bool besideModel =
                std::any_of(Manifest().begin(), Manifest().end(), [&](const ManifestEntry& e) {
                    return e.kind == AssetKind::Model &&
                           e.path.find("/" + folder + "/") != std::string::npos;
                });
            EXPECT_TRUE(besideModel) << "unexpected image " << rel;
            continue;
        }
        if (ext == ".wav" || ext == ".bmp" || ext == ".dat") {
            EXPECT_NE(FindManifestEntry(rel), nullptr) << "unexpected file " << rel;
        }
    }
}
