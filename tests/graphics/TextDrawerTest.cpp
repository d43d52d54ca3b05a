// Runtime text drawn from the generated glyph atlas: where the glyphs land, how wide a line
// measures, what stands in for characters the atlas lacks, and what a missing atlas does.
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "GraphicsFixture.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextDrawer.h"

namespace {

TextDrawer& Text() {
    return TextDrawer::GetInstance();
}
GraphicsDevice& Device() {
    return GraphicsDevice::GetInstance();
}
SpriteShader& Sprites() {
    return ShaderManager::GetInstance().GetSpriteShader();
}

std::string Generated(const char* relative) {
    const char* root = std::getenv("HOSHIKAGE_TEST_DATA");
    return (std::filesystem::path(root ? root : ".") / relative).string();
}

// The atlas as the file holds it, to compare drawn pixels with.
struct AtlasImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    int Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

AtlasImage ReadAtlas() {
    AtlasImage atlas;
    int channels = 0;
    const std::string path = Generated(TextDrawer::kAtlasPath);
    unsigned char* data = stbi_load(path.c_str(), &atlas.width, &atlas.height, &channels, 4);
    if (data != nullptr) {
        atlas.rgba.assign(data, data + static_cast<size_t>(atlas.width) * atlas.height * 4);
        stbi_image_free(data);
    }
    return atlas;
}

struct Picture {
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    const uint8_t* At(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
};

Picture ReadPicture() {
    Picture p;
    EXPECT_TRUE(FwReadPixels(p.rgba, p.width, p.height));
    return p;
}

// The half-open box of the pixels whose red, green or blue differs from black.
struct Ink {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Empty() const { return x1 <= x0; }
};

Ink FindInk(const Picture& p) {
    Ink ink{p.width, p.height, 0, 0};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* c = p.At(x, y);
            if (c[0] == 0 && c[1] == 0 && c[2] == 0) continue;
            ink.x0 = std::min(ink.x0, x);
            ink.y0 = std::min(ink.y0, y);
            ink.x1 = std::max(ink.x1, x + 1);
            ink.y1 = std::max(ink.y1, y + 1);
        }
    return ink;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

const Color kWhite(1, 1, 1, 1);

class TextTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        ASSERT_TRUE(
            Text().LoadFrom(Generated(TextDrawer::kMetricsPath), Generated(TextDrawer::kAtlasPath)))
            << "the generated atlas is missing: build the assets target";
    }
    void TearDown() override {
        Text().Release();
        GraphicsTest::TearDown();
    }
    // Draws one line on black and returns the picture.
    static Picture DrawnAlone(std::string_view text, int left, int top, TextSize size,
                              const Color& colour = kWhite) {
        Device().ClearBackBuffer(Color(0, 0, 0, 1));
        Text().Draw(text, left, top, size, colour);
        return ReadPicture();
    }
};

}  // namespace

// Each glyph's texels land 1:1 on the pixels Layout names: white on black, every pixel's
// level is the atlas texel's coverage, and nothing around the glyph is touched.
TEST_F(TextTest, GlyphsLandPixelExactWhereTheLayoutPutsThem) {
    const AtlasImage atlas = ReadAtlas();
    ASSERT_FALSE(atlas.rgba.empty());
    const int left = 101, top = 53;
    for (TextSize size : {TextSize::Body, TextSize::Heading}) {
        for (const char* text :
             {"A", "g", "W", "\xE3\x81\x82" /* あ */, "\xE2\x86\x92" /* → */, "\xC3\x85" /* Å */}) {
            SCOPED_TRACE(text);
            const Picture p = DrawnAlone(text, left, top, size);
            const std::vector<TextDrawer::PlacedGlyph> placed = Text().Layout(text, size);
            ASSERT_EQ(placed.size(), 1u);
            const Glyph& g = *placed[0].glyph;
            ASSERT_GT(g.width, 0);
            const int gx = left + placed[0].left, gy = top + placed[0].top;
            int wrong = 0, inked = 0;
            for (int y = gy - 4; y < gy + g.height + 4; ++y)
                for (int x = gx - 4; x < gx + g.width + 4; ++x) {
                    const bool inside = x >= gx && x < gx + g.width && y >= gy && y < gy + g.height;
                    const int expected = inside ? atlas.Alpha(g.x + x - gx, g.y + y - gy) : 0;
                    const int red = p.At(x, y)[0];
                    if (std::abs(red - expected) > 1) ++wrong;
                    if (red > 0) ++inked;
                }
            EXPECT_EQ(wrong, 0);
            EXPECT_GT(inked, 10);
            // Nothing else anywhere in the picture.
            const Ink ink = FindInk(p);
            EXPECT_GE(ink.x0, gx);
            EXPECT_GE(ink.y0, gy);
            EXPECT_LE(ink.x1, gx + g.width);
            EXPECT_LE(ink.y1, gy + g.height);
        }
    }
}

// The colour tints the white glyphs and their coverage blends them over what is there.
TEST_F(TextTest, ColourIsAlphaBlendedByCoverage) {
    const AtlasImage atlas = ReadAtlas();
    ASSERT_FALSE(atlas.rgba.empty());
    const Color grey(0.2f, 0.2f, 0.2f, 1.0f);
    const Color tint(1.0f, 0.6f, 0.0f, 0.8f);
    Device().ClearBackBuffer(grey);
    Text().Draw("H", 300, 200, TextSize::Heading, tint);
    const auto placed = Text().Layout("H", TextSize::Heading);
    ASSERT_EQ(placed.size(), 1u);
    const Glyph& g = *placed[0].glyph;
    int full = 0, partial = 0;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            const float k = atlas.Alpha(g.x + x, g.y + y) / 255.0f * tint.a;
            const auto pixel = Pixel(300 + placed[0].left + x, 200 + placed[0].top + y);
            const std::array<int, 4> expected = {
                ColorByte(tint.r * k + grey.r * (1 - k)), ColorByte(tint.g * k + grey.g * (1 - k)),
                ColorByte(tint.b * k + grey.b * (1 - k)), pixel[3]};
            ExpectPixelNear(pixel, expected, 2, "blended glyph texel");
            full += atlas.Alpha(g.x + x, g.y + y) == 255;
            partial += atlas.Alpha(g.x + x, g.y + y) % 255 != 0;
        }
    EXPECT_GT(full, 0);
    EXPECT_GT(partial, 0);  // the edges are smooth, not thresholded
}

// What Draw inks lies within the width Measure gives, from the left edge, and within the
// line's height; the ink reaches close to both ends.
TEST_F(TextTest, MeasureSpansTheInkDrawLaysDown) {
    const int left = 200, top = 300;
    for (TextSize size : {TextSize::Body, TextSize::Heading}) {
        const int line = Text().GetLineHeight(size);
        for (const char* text : {"Left Shift", "Options", "jump", "Enter",
                                 "\xC3\x80\xC3\x89\xC3\x8E\xC3\x95 \xC3\x97 "
                                 "\xC2\xB7 fjord",
                                 "\xE3\x83\x9D\xE3\x83\xBC\xE3\x82\xBA",              // ポーズ
                                 "\xE3\x81\xA4\xE3\x81\xA5\xE3\x81\x91\xE3\x82\x8B",  // つづける
                                 "\xE2\x86\x90 \xE2\x86\x91 \xE2\x86\x92 \xE2\x86\x93", "Wg|_"}) {
            SCOPED_TRACE(text);
            const int width = Text().Measure(text, size);
            const Ink ink = FindInk(DrawnAlone(text, left, top, size));
            ASSERT_FALSE(ink.Empty());
            EXPECT_GE(ink.x0, left);
            EXPECT_LE(ink.x0, left + 3);  // only the first glyph's side bearing before it
            EXPECT_LE(ink.x1, left + width);
            // Short of it by no more than the last glyph's side bearing.
            const auto placed = Text().Layout(text, size);
            EXPECT_GE(ink.x1, left + width - placed.back().glyph->advance / 2);
            EXPECT_GE(ink.y0, top);
            EXPECT_LE(ink.y1, top + line);
        }
    }
    // Blank characters still take room; more text is wider.
    EXPECT_GT(Text().Measure("    ", TextSize::Body), 0);
    EXPECT_GT(Text().Measure("Left Shift", TextSize::Body), Text().Measure("Left", TextSize::Body));
    EXPECT_GT(Text().Measure("Options", TextSize::Heading),
              Text().Measure("Options", TextSize::Body));
    EXPECT_EQ(Text().Measure("", TextSize::Body), 0);
}

TEST_F(TextTest, LinesAreAboutTheirNominalHeights) {
    EXPECT_NEAR(Text().GetLineHeight(TextSize::Body), 24, 2);
    EXPECT_NEAR(Text().GetLineHeight(TextSize::Heading), 40, 3);
}

// A byte that is not UTF-8 and a character the atlas lacks both show as '?', with its width.
TEST_F(TextTest, InvalidBytesAndMissingCharactersDrawAsQuestionMarks) {
    const std::string expected = "?x?y?";
    const Picture reference = DrawnAlone(expected, 400, 100, TextSize::Body);
    ASSERT_FALSE(FindInk(reference).Empty());
    for (const std::string& text : {
             std::string("\xFFx\xE3\x81y\x80"),                // bad bytes
             std::string("\xE6\xBC\xA2x\xF0\x9F\x98\x80y\n"),  // 漢, emoji, LF
             std::string("\xC3x\xF0\x9F\x98y\xE0"),            // cut short, also by the end
         }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Text().Measure(text, TextSize::Body), Text().Measure(expected, TextSize::Body));
        const Picture drawn = DrawnAlone(text, 400, 100, TextSize::Body);
        EXPECT_TRUE(drawn.rgba == reference.rgba);
    }
}

// Menus draw inside their own sprite batches, which may sample linearly and carry a transform
// and colour: the text is as exact there, and the batch finds its state as it left it.
TEST_F(TextTest, DrawInsideABatchIsExactAndLeavesTheBatchAsItWas) {
    const std::string text = "Volume \xE2\x86\x90 80 \xE2\x86\x92";
    const Picture alone = DrawnAlone(text, 321, 222, TextSize::Body);

    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    const auto additive = Device().CreateBlendState(2);
    Device().SetBlendState(additive.get());
    Sprites().Begin(true, true);
    const FwSamplerState* batchSampler = Device().GetSamplerState(0);
    const Matrix shift = Matrix::CreateTranslation(17, -9, 0);
    Sprites().SetTransform(shift);
    Sprites().SetColour(Color(0.1f, 0.2f, 0.3f, 0.4f));
    const SpriteConstants before = Sprites().GetConstants();
    Text().Draw(text, 321, 222, TextSize::Body, kWhite);
    EXPECT_TRUE(Sprites().IsBegun());
    EXPECT_EQ(Device().GetSamplerState(0), batchSampler);
    EXPECT_EQ(Device().GetBlendState(), *additive);
    EXPECT_TRUE(Sprites().GetConstants().g_mTransform == before.g_mTransform);
    EXPECT_TRUE(Sprites().GetConstants().g_color == before.g_color);
    Sprites().End();
    Device().SetBlendState(nullptr);
    EXPECT_TRUE(ReadPicture().rgba == alone.rgba);
}

// While the 3D pass defers sprites, text waits with them and then lands where it would have.
TEST_F(TextTest, DeferredTextLandsWhereImmediateTextDoes) {
    const Picture immediate = DrawnAlone("Pause", 600, 340, TextSize::Heading);
    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    Sprites().SetDeferring(true);
    Text().Draw("Pause", 600, 340, TextSize::Heading, kWhite);
    EXPECT_GT(Sprites().GetDeferredCount(), 0u);
    EXPECT_TRUE(FindInk(ReadPicture()).Empty());
    Sprites().SetDeferring(false);
    Sprites().DrawDeferred();
    EXPECT_TRUE(ReadPicture().rgba == immediate.rgba);
}

// The atlas texture belongs to one device; after the device is made anew, text still draws.
TEST_F(TextTest, TextDrawsAgainAfterTheDeviceIsRecreated) {
    const Picture first = DrawnAlone("Resume", 50, 50, TextSize::Body);
    ASSERT_FALSE(FindInk(first).Empty());
    Reinitialize(true);
    const Picture again = DrawnAlone("Resume", 50, 50, TextSize::Body);
    EXPECT_TRUE(again.rgba == first.rgba);
}

// A line reaching past the picture's edge shows the part inside; glyphs wholly outside
// cost no draw at all, however long the line or far its position.
TEST_F(TextTest, LinesPastThePictureEdgeShowWhatIsInside) {
    const int width = Text().Measure("Options", TextSize::Heading);
    const Ink whole = FindInk(DrawnAlone("Options", 0, 100, TextSize::Heading));
    const Ink cut = FindInk(DrawnAlone("Options", -width / 2, 100, TextSize::Heading));
    EXPECT_EQ(cut.x0, 0);
    EXPECT_EQ(cut.x1, whole.x1 - width / 2);
    EXPECT_EQ(cut.y0, whole.y0);

    Device().ResetDrawStats();
    const std::string longLine(100000, 'W');
    Text().Draw(longLine, 1200, 500, TextSize::Body, kWhite);
    const long drawn = Device().GetDrawStats().drawCalls;
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 10);
    Device().ResetDrawStats();
    Text().Draw(longLine, 2147483000, -2147483000, TextSize::Body, kWhite);
    Text().Draw("Options", 0, 720, TextSize::Body, kWhite);
    EXPECT_EQ(Device().GetDrawStats().drawCalls, 0);
}

// The rectangle covers exactly its pixels and blends by the colour's alpha.
TEST_F(TextTest, FillRectCoversExactlyItsPixelsAndBlends) {
    Device().ClearBackBuffer(Color(0, 0, 1, 1));
    Text().FillRect(10, 20, 30, 40, Color(1, 0, 0, 0.5f));
    const std::array<int, 4> half = {128, 0, 128, 255};
    const std::array<int, 4> blue = {0, 0, 255, 255};
    ExpectPixelNear(Pixel(10, 20), half, 1, "top-left pixel");
    ExpectPixelNear(Pixel(39, 59), half, 1, "bottom-right pixel");
    ExpectPixelNear(Pixel(25, 40), half, 1, "middle");
    ExpectPixelNear(Pixel(9, 20), blue, 0, "left of it");
    ExpectPixelNear(Pixel(40, 59), blue, 0, "right of it");
    ExpectPixelNear(Pixel(10, 19), blue, 0, "above it");
    ExpectPixelNear(Pixel(39, 60), blue, 0, "below it");
    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    Text().FillRect(1000, 700, 0, 10, kWhite);
    Text().FillRect(1000, 700, 10, -3, kWhite);
    EXPECT_TRUE(FindInk(ReadPicture()).Empty());

    // In the sprite space (centre origin, +y up), placed by its pivot like an image, and
    // moved by the sprite transform like one.
    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    Sprites().SetTransform(Matrix::Identity());
    Sprites().FillRect(-100, 50, 20, 10, Color(0, 1, 0, 1), Vector2(0.5f, 0.5f));
    Ink ink = FindInk(ReadPicture());
    EXPECT_EQ(ink.x0, 530);
    EXPECT_EQ(ink.x1, 550);
    EXPECT_EQ(ink.y0, 305);
    EXPECT_EQ(ink.y1, 315);
    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    Sprites().SetTransform(Matrix::CreateTranslation(100, -50, 0));
    Sprites().FillRect(0, 0, 4, 6, Color(0, 1, 0, 1), Vector2(0.0f, 1.0f));
    Sprites().SetTransform(Matrix::Identity());
    ink = FindInk(ReadPicture());
    EXPECT_EQ(ink.x0, 740);
    EXPECT_EQ(ink.x1, 744);
    EXPECT_EQ(ink.y0, 410);
    EXPECT_EQ(ink.y1, 416);
}

// A missing or refused file leaves the drawer empty: nothing drawn, nothing measured, one
// warning line.
TEST_F(TextTest, MissingOrBrokenFilesDrawAndMeasureNothing) {
    const std::string dir = TempDir();
    const std::string goodMetrics = Generated(TextDrawer::kMetricsPath);
    const std::string goodAtlas = Generated(TextDrawer::kAtlasPath);
    const std::string outside = dir + "/outside.txt";
    WriteFile(outside,
              "glyphs 1 512 640\nsize body 24 18 1\n0041 510 0 8 8 0 -8 9\n"
              "size heading 40 30 0\n");
    const std::string tiny = dir + "/tiny.png";
    const uint8_t px[16] = {255, 255, 255, 255, 255, 255, 255, 255,
                            255, 255, 255, 255, 255, 255, 255, 255};
    ASSERT_TRUE(stbi_write_png(tiny.c_str(), 2, 2, 4, px, 8));
    const struct {
        std::string metrics, atlas;
    } cases[] = {
        {dir + "/no-such-file.txt", goodAtlas},    // no metrics
        {goodMetrics, dir + "/no-such-file.png"},  // no atlas
        {outside, goodAtlas},                      // a glyph outside the atlas
        {goodMetrics, tiny},                       // an atlas of another size
        {goodMetrics, goodMetrics},                // not an image at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.metrics + " + " + c.atlas);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Text().LoadFrom(c.metrics, c.atlas));
        const std::string warning = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1) << warning;
        EXPECT_FALSE(Text().IsLoaded());
        EXPECT_EQ(Text().Measure("Options", TextSize::Body), 0);
        EXPECT_EQ(Text().GetLineHeight(TextSize::Heading), 0);
        const Picture p = DrawnAlone("Options", 100, 100, TextSize::Heading);
        EXPECT_TRUE(FindInk(p).Empty());
    }
}

// Without an explicit Load the first use reads the files the game runs with (the tests run
// in the build folder, beside the generated Data/).
TEST_F(TextTest, FirstUseLoadsTheGameFiles) {
    Text().Release();
    EXPECT_FALSE(Text().IsLoaded());
    EXPECT_GT(Text().Measure("Options", TextSize::Body), 0);
    EXPECT_TRUE(Text().IsLoaded());
    Text().Release();
    EXPECT_FALSE(FindInk(DrawnAlone("Options", 10, 10, TextSize::Body)).Empty());
}

// A picture for a person to look at: both sizes, Latin-1, arrows, kana, a key name, a panel.
TEST_F(TextTest, SampleLinesForAPersonToReview) {
    Device().ClearBackBuffer(Color(0.05f, 0.07f, 0.15f, 1));
    Text().FillRect(0, 0, 1280, 720, Color(0, 0, 0, 0.4f));
    Text().FillRect(320, 120, 680, 480, Color(0.1f, 0.12f, 0.2f, 0.9f));
    Text().FillRect(320, 120, 680, 2, Color(0.5f, 0.8f, 1.0f, 1.0f));
    const std::string heading =
        "Options  \xE3\x82\xAA\xE3\x83\x97\xE3\x82\xB7\xE3\x83\xA7\xE3\x83\xB3";
    Text().Draw(heading, 660 - Text().Measure(heading, TextSize::Heading) / 2, 140,
                TextSize::Heading, kWhite);
    const char* const lines[] = {
        "Boost: Left Shift",
        "Turn: \xE2\x86\x90 \xE2\x86\x91 \xE2\x86\x92 \xE2\x86\x93  (mouse \xC3\x97 1.5)",
        "Music volume \xC2\xB7 80 %",
        "\xE3\x81\xA4\xE3\x81\xA5\xE3\x81\x91\xE3\x82\x8B / \xE3\x82\xBF\xE3\x82\xA4\xE3\x83\x88"
        "\xE3\x83\xAB\xE3\x81\xB8",  // つづける / タイトルへ
        "\xC3\x80\xC3\xA9\xC3\xAE\xC3\xB5\xC3\xBC \xC3\x9F \xC2\xA9 \xC2\xBF? \xC2\xA5 \xC2\xB0",
        "Missing: \xE6\xBC\xA2 \xFF (as ?)",
        "The quick brown fox jumps over the lazy dog 0123456789",
    };
    int top = 210;
    for (const char* line : lines) {
        Text().Draw(line, 350, top, TextSize::Body, Color(0.9f, 0.95f, 1.0f, 1.0f));
        top += Text().GetLineHeight(TextSize::Body) + 8;
    }
    Text().FillRect(340, top + 10, 640, Text().GetLineHeight(TextSize::Heading) + 8,
                    Color(1.0f, 0.8f, 0.2f, 0.25f));
    Text().Draw("> \xE3\x83\x9D\xE3\x83\xBC\xE3\x82\xBA Resume", 350, top + 14, TextSize::Heading,
                Color(1.0f, 0.85f, 0.3f, 1.0f));
    const std::string path = TempDir() + "/text_sample.png";
    ASSERT_TRUE(FwSaveScreenshot(path));
    EXPECT_TRUE(std::filesystem::file_size(path) > 1000);
}
