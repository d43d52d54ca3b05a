// The generator's building blocks: compositing, masks, lettering, signals and the noise source.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/Sequencer.h"
#include "audio/Sound.h"
#include "core/Canvas.h"
#include "core/FontSet.h"
#include "core/Rng.h"
#include "core/Shapes.h"
#include "images/Lettering.h"

TEST(Canvas, CompositesOverAndQuantisesClearPixelsToBlack) {
    Canvas c(2, 1, Rgba{0.0f, 0.0f, 1.0f, 1.0f});
    c.Blend(0, 0, Rgba{1.0f, 0.0f, 0.0f, 0.5f});
    EXPECT_FLOAT_EQ(c.At(0, 0).r, 0.5f);
    EXPECT_FLOAT_EQ(c.At(0, 0).b, 0.5f);
    EXPECT_FLOAT_EQ(c.At(0, 0).a, 1.0f);
    // Light added to a transparent pixel keeps its hue rather than greying toward black.
    Canvas glow(1, 1);
    glow.AddLight(0, 0, Rgba{0.2f, 0.6f, 1.0f, 1.0f}, 0.25f);
    EXPECT_NEAR(glow.At(0, 0).g / glow.At(0, 0).b, 0.6f, 1e-5f);
    EXPECT_FLOAT_EQ(glow.At(0, 0).a, 0.25f);
    // A texel with no coverage carries no colour, so filtering cannot drag a fringe in.
    Canvas clear(1, 1, Rgba{1.0f, 1.0f, 1.0f, 0.001f});
    const std::vector<uint8_t> bytes = clear.ToRgba8();
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(Shapes, SignedDistancesAreNegativeInsideAndMeasureTheEdge) {
    const std::vector<Point> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_FLOAT_EQ(SdPolygon(5, 5, square), -5.0f);
    EXPECT_FLOAT_EQ(SdPolygon(13, 5, square), 3.0f);
    // Winding does not matter.
    const std::vector<Point> reversed(square.rbegin(), square.rend());
    EXPECT_FLOAT_EQ(SdPolygon(5, 2, reversed), -2.0f);
    EXPECT_FLOAT_EQ(SdCapsule(5, 3, {0, 0}, {10, 0}, 1.0f), 2.0f);
    EXPECT_FLOAT_EQ(Coverage(0.0f), 0.5f);
}

TEST(Mask, GrowsAndBlursWithoutShiftingTheShape) {
    Mask dot(21, 21);
    dot.Set(10, 10, 1.0f);
    const Mask grown = dot.Dilated(3);
    EXPECT_FLOAT_EQ(grown.At(13, 10), 1.0f);
    EXPECT_FLOAT_EQ(grown.At(15, 10), 0.0f);
    const Mask soft = grown.Blurred(4);
    EXPECT_GT(soft.At(10, 10), soft.At(14, 10));
    // Symmetric blur: the halo is centred where the ink was.
    EXPECT_NEAR(soft.At(6, 10), soft.At(14, 10), 1e-5f);
    EXPECT_NEAR(soft.At(10, 6), soft.At(10, 14), 1e-5f);
}

TEST(Font, DecodesUtf8AndRendersTheJapaneseTitle) {
    EXPECT_EQ(DecodeUtf8("ほしかげ"), (std::vector<int>{0x307B, 0x3057, 0x304B, 0x3052}));
    EXPECT_EQ(DecodeUtf8("A\xE3\x81"), (std::vector<int>{'A', 0xFFFD}));  // cut short
    EXPECT_EQ(DecodeUtf8("\xFFZ"), (std::vector<int>{0xFFFD, 'Z'}));
    FontSet fonts;
    std::string error;
    ASSERT_TRUE(fonts.Load(error)) << error;
    // A face without kana would render blanks: every glyph must leave ink of its own.
    const InkBounds one = FindInk(fonts.japanese.Render("ほ", 40.0f));
    const InkBounds four = FindInk(fonts.japanese.Render("ほしかげ", 40.0f));
    EXPECT_GT(one.Width(), 20);
    EXPECT_GT(four.Width(), one.Width() * 3);
    EXPECT_GT(four.Height(), 25);
    // Squeezing keeps the height and narrows the line.
    const InkBounds squeezed = FindInk(fonts.latin.Render("ENERGY", 30.0f, 0.5f));
    const InkBounds natural = FindInk(fonts.latin.Render("ENERGY", 30.0f));
    EXPECT_NEAR(squeezed.Width(), natural.Width() / 2, 3);
    EXPECT_EQ(squeezed.Height(), natural.Height());
}

TEST(Sound, WrappedMixCarriesATailAroundToTheStart) {
    Sound loop(100.0 / Sound::kRate);
    Sound tail(10.0 / Sound::kRate);
    for (size_t i = 0; i < tail.Size(); ++i) tail[i] = 1.0f;
    loop.Mix(tail, 95, 0.5f, true);
    EXPECT_FLOAT_EQ(loop[99], 0.5f);
    EXPECT_FLOAT_EQ(loop[0], 0.5f);
    EXPECT_FLOAT_EQ(loop[4], 0.5f);
    EXPECT_FLOAT_EQ(loop[5], 0.0f);
    Sound once(100.0 / Sound::kRate);
    once.Mix(tail, 95, 0.5f, false);
    EXPECT_FLOAT_EQ(once[0], 0.0f);
    once.NormalisePeak(-6.0f);
    EXPECT_NEAR(once.Peak(), std::pow(10.0f, -6.0f / 20.0f), 1e-6f);
}

TEST(Sequencer, ANoteRingingPastTheEndOfTheLoopWrapsToItsStart) {
    Song song;
    song.bpm = 120.0;  // half a second per beat
    song.bars = 1;
    Track bass{Instrument::Bass, 1.0f, 0.0f, {}};
    bass.notes.push_back({3.5, 1.0, 40.0f, 1.0f});  // starts at 1.75 s, held to 2.25 s
    song.tracks = {bass};
    const Sound s = RenderSong(song, 1);
    ASSERT_EQ(s.Size(), static_cast<size_t>(2 * Sound::kRate));
    double early = 0, middle = 0;
    for (size_t i = 0; i < 4410; ++i) early += std::fabs(s[i]);
    for (size_t i = 40000; i < 44100; ++i) middle += std::fabs(s[i]);
    EXPECT_GT(early, 100.0);
    EXPECT_LT(middle, 1.0);
    EXPECT_EQ(Voicing(50, 'M', 57), (std::vector<int>{57, 62, 66}));
}

TEST(Rng, SequencesRepeatPerSeedAndStayInRange) {
    Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const float x = a.Uniform();
        EXPECT_EQ(x, b.Uniform());
        if (x != c.Uniform()) differs = true;
        EXPECT_GE(x, 0.0f);
        EXPECT_LT(x, 1.0f);
        const int k = a.Int(-2, 2);
        b.Int(-2, 2);
        EXPECT_GE(k, -2);
        EXPECT_LE(k, 2);
    }
    EXPECT_TRUE(differs);
}
