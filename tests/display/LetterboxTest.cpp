// The game's 1280 × 720 picture in windows of other sizes: where it goes (aspect kept,
// centred, black bars) and what the window finally shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/SceneBase.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/Letterbox.h"
#include "game/scenes/Title.h"
#include "support/GameHarness.h"

namespace {

TEST(Letterbox, FitsThePictureWithItsAspectKept) {
    struct Case {
        int w, h;
        LetterboxRect expected;
    };
    const Case cases[] = {
        {1280, 720, {0, 0, 1280, 720}},      // the game's own size: no scaling
        {1920, 1080, {0, 0, 1920, 1080}},    // same aspect, larger: no bars
        {3840, 2160, {0, 0, 3840, 2160}},    // 4K
        {1920, 1200, {0, 60, 1920, 1080}},   // 16:10, bars above and below
        {1024, 768, {0, 96, 1024, 576}},     // 4:3
        {2560, 1080, {320, 0, 1920, 1080}},  // ultra-wide, bars left and right
        {640, 720, {0, 180, 640, 360}},      // narrow and tall
        {1281, 720, {0, 0, 1280, 720}},      // one spare column: the bar on the right
        {1280, 721, {0, 0, 1280, 720}},      // one spare row: the bar at the bottom
        {320, 180, {0, 0, 320, 180}},        // the smallest window the platform allows
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitLetterbox(1280, 720, c.w, c.h), c.expected) << c.w << " x " << c.h;
    }
}

TEST(Letterbox, RoundsToTheNearestPixelAndNeverLeavesTheWindow) {
    // 1366 × 768 (a common laptop) is a shade wider than 16:9: the height limits, the
    // picture is 1365.33 columns, rounded to 1365, and one column of bar is left.
    EXPECT_EQ(FitLetterbox(1280, 720, 1366, 768), (LetterboxRect{0, 0, 1365, 768}));
    EXPECT_EQ(FitLetterbox(1280, 720, 1366, 800), (LetterboxRect{0, 16, 1366, 768}));
    // A degenerate window still gets a picture of at least one pixel.
    const LetterboxRect sliver = FitLetterbox(1280, 720, 2000, 1);
    EXPECT_EQ(sliver.height, 1);
    EXPECT_GE(sliver.width, 1);
    EXPECT_LE(sliver.x + sliver.width, 2000);
    for (int w = 100; w < 3000; w += 37) {
        for (int h = 100; h < 2000; h += 53) {
            const LetterboxRect r = FitLetterbox(1280, 720, w, h);
            ASSERT_TRUE(r.width == w || r.height == h) << w << " x " << h;
            ASSERT_GE(r.x, 0);
            ASSERT_GE(r.y, 0);
            ASSERT_LE(r.x + r.width, w);
            ASSERT_LE(r.y + r.height, h);
            // Centred: the two bars differ by at most one pixel.
            ASSERT_LE(std::abs((w - r.x - r.width) - r.x), 1);
            ASSERT_LE(std::abs((h - r.y - r.height) - r.y), 1);
            // Aspect within the rounding of one pixel.
            ASSERT_NEAR(static_cast<double>(r.width) / r.height, 16.0 / 9.0,
                        16.0 / 9.0 / std::min(r.width, r.height) + 1e-9);
        }
    }
    EXPECT_EQ(FitLetterbox(1280, 720, 0, 720), LetterboxRect{});
    EXPECT_EQ(FitLetterbox(0, 720, 1280, 720), LetterboxRect{});
}

// A picture that fills the back buffer with one colour.
class FlatPicture : public SceneBase {
public:
    void Draw() override { GraphicsDevice::GetInstance().ClearBackBuffer(Color(1, 1, 1, 1)); }
};

struct WindowPicture {
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;
    bool White(int x, int y) const {
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
        return p[0] > 250 && p[1] > 250 && p[2] > 250;
    }
    bool Black(int x, int y) const {
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
        return p[0] < 5 && p[1] < 5 && p[2] < 5;
    }
};

WindowPicture ShowIn(PlatformPoint window, const Application::SceneFactory& scene,
                     const std::string& shot = {}) {
    GameHarness harness;
    harness.Platform().SetWindowSize(window);
    WindowPicture picture;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        if (pass != 2) return;
        FwReadWindow(picture.pixels, picture.width, picture.height);
        if (!shot.empty()) FwSaveWindowScreenshot(shot);
    });
    harness.Run(scene, 2);
    return picture;
}

TEST(Present, ShowsThePictureInTheLetterboxOfEveryWindowSize) {
    const PlatformPoint windows[] = {{1280, 720},  {1920, 1080}, {1920, 1200}, {1024, 768},
                                     {2560, 1080}, {700, 700},   {1366, 768}};
    for (const PlatformPoint window : windows) {
        SCOPED_TRACE(std::to_string(window.x) + " x " + std::to_string(window.y));
        const WindowPicture picture = ShowIn(window, [] { return new FlatPicture; });
        ASSERT_EQ(picture.width, window.x);
        ASSERT_EQ(picture.height, window.y);
        const LetterboxRect r = FitLetterbox(1280, 720, window.x, window.y);
        // Along the middle row and column, exactly the rectangle's pixels are the picture
        // and every other pixel is bar.
        int whiteInRow = 0, whiteInColumn = 0;
        for (int x = 0; x < picture.width; ++x) {
            const bool inside = x >= r.x && x < r.x + r.width;
            if (inside ? picture.White(x, window.y / 2) : picture.Black(x, window.y / 2))
                whiteInRow += inside;
            else
                ADD_FAILURE() << "column " << x;
        }
        for (int y = 0; y < picture.height; ++y) {
            const bool inside = y >= r.y && y < r.y + r.height;
            if (inside ? picture.White(window.x / 2, y) : picture.Black(window.x / 2, y))
                whiteInColumn += inside;
            else
                ADD_FAILURE() << "row " << y;
        }
        EXPECT_EQ(whiteInRow, r.width);
        EXPECT_EQ(whiteInColumn, r.height);
    }
}

TEST(Present, ShowsTheGamePixelForPixelAtItsOwnSize) {
    // The window at full scale is an exact copy of the back buffer: the picture the game
    // fixes is unchanged by the scaling path.
    GameHarness harness;
    std::vector<uint8_t> back, shown;
    int bw = 0, bh = 0, sw = 0, sh = 0;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        if (pass != 40) return;
        FwReadBackBuffer(back, bw, bh);
        FwReadWindow(shown, sw, sh);
    });
    harness.Run([] { return new Title; }, 40);
    ASSERT_EQ(bw, 1280);
    ASSERT_EQ(sw, 1280);
    ASSERT_EQ(sh, 720);
    EXPECT_TRUE(back == shown);
}

TEST(Present, ScalesTheTitleIntoATallWindow) {
    // For a person to look at: the title in a 16:10 window, bars above and below.
    const char* data = std::getenv("HOSHIKAGE_TEST_DATA");
    const std::string dir = data ? data : std::filesystem::current_path().string();
    const WindowPicture picture = ShowIn(
        {1440, 900}, [] { return new Title; }, dir + "/title_in_1440x900.png");
    ASSERT_EQ(picture.width, 1440);
    // 1440 wide → 810 rows of picture, 45-row bars.
    for (int x = 0; x < 1440; x += 7) {
        EXPECT_TRUE(picture.Black(x, 0) && picture.Black(x, 44) && picture.Black(x, 855) &&
                    picture.Black(x, 899))
            << x;
    }
    int lit = 0;
    for (int y = 45; y < 855; y += 5)
        for (int x = 0; x < 1440; x += 5) lit += !picture.Black(x, y);
    EXPECT_GT(lit, 1000);
}

}  // namespace
