// Placement of captions and the writers' failure paths.
#include <gtest/gtest.h>

#include <fstream>

#include "AssetGenerator.h"
#include "GeneratedTree.h"
#include "core/FontSet.h"
#include "core/ImageWriter.h"
#include "images/Lettering.h"

TEST(Lettering, CaptionInkIsCentredOnTheRequestedPoint) {
    Mask text(40, 20);
    for (int y = 5; y < 15; ++y)
        for (int x = 3; x < 23; ++x) text.Set(x, y, 1.0f);  // ink off-centre inside its mask
    Canvas canvas(100, 60);
    TextStyle style;
    PaintCaption(canvas, text, 50.0f, 30.0f, style);
    Mask painted(100, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) painted.Set(x, y, canvas.At(x, y).a);
    const InkBounds ink = FindInk(painted);
    EXPECT_EQ(ink.x0 + ink.x1, 100);
    EXPECT_EQ(ink.y0 + ink.y1, 60);
    PaintCaptionLeft(canvas, text, 5.0f, 30.0f, style);
    EXPECT_GT(canvas.At(5, 30).a, 0.9f);
    EXPECT_EQ(canvas.At(4, 30).a, 0.0f);
}

TEST(Lettering, ShearSlantsTheTopToTheRight) {
    Mask bar(4, 10);
    for (int y = 0; y < 10; ++y) bar.Set(0, y, 1.0f);
    const Mask slanted = Sheared(bar, 0.5f);
    EXPECT_EQ(slanted.Width(), 4 + 5);
    EXPECT_FLOAT_EQ(slanted.At(0, 9), 1.0f);  // the bottom row stays put
    EXPECT_EQ(FindInk(slanted).x1, 6);        // the top row moved 4.5 pixels
    EXPECT_GT(slanted.At(4, 0) + slanted.At(5, 0), 0.99f);
}

TEST(Lettering, TextTooWideForItsBoxIsRenderedAtTheLargestHeightThatFits) {
    FontSet fonts;
    std::string error;
    ASSERT_TRUE(fonts.Load(error)) << error;
    const Mask natural = fonts.latin.Render("GAME OVER", 46.0f, 1.0f, 2.0f);
    const InkBounds full = FindInk(natural);
    // Room to spare: the text is left as it is.
    const Mask roomy = RenderToFit(fonts.latin, "GAME OVER", 46.0f, 1.0f, 2.0f, full.Width() + 20,
                                   full.Height() + 20, 3);
    EXPECT_EQ(FindInk(roomy).Width(), full.Width());
    // A box 40 pixels narrower than the ink with its outline: smaller, inside, and only just.
    const int box = full.Width() + 6 - 40;
    const Mask fitted = RenderToFit(fonts.latin, "GAME OVER", 46.0f, 1.0f, 2.0f, box, 200, 3);
    const InkBounds ink = FindInk(fitted);
    EXPECT_LE(ink.Width() + 6, box);
    EXPECT_GT(ink.Width() + 6, box - 12);
    EXPECT_LT(ink.Height(), full.Height());
    // Slanted text is measured slanted.
    const Mask slanted =
        RenderToFit(fonts.latin, "GAME OVER", 46.0f, 1.0f, 2.0f, box, 200, 3, 0.3f);
    EXPECT_LE(FindInk(slanted).Width() + 6, box);
}

TEST(Writers, ReportFailureInsteadOfWritingNothingSilently) {
    const std::filesystem::path dir = ScratchFolder("writers");
    {
        std::ofstream blocker(dir / "file");
        blocker << "x";
    }
    std::string error;
    EXPECT_FALSE(WritePng(dir / "file" / "a.png", Canvas(2, 2), error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_TRUE(WritePng(dir / "new" / "deep" / "a.png", Canvas(2, 2), error)) << error;
}

TEST(Generator, OnlyFilterWritesJustTheMatchingFiles) {
    const std::filesystem::path dir = ScratchFolder("only");
    std::string error;
    ASSERT_TRUE(GenerateAssets(dir, error, "Data/tex/hpgauge")) << error;
    int files = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(dir))
        files += item.is_regular_file();
    EXPECT_EQ(files, 4);  // the frame and its three fills
    EXPECT_TRUE(std::filesystem::exists(dir / "Data/tex/hpgaugeR.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Data/stone/stoneData.dat"));
}
