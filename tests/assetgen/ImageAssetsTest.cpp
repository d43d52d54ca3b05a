// The generated images decoded the way the game decodes them (stb_image), checked against
// the sizes the sprites' source rectangles name and the layouts the effects' frame maths need.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstring>
#include <fstream>

#include "GeneratedTree.h"
#include "Manifest.h"

namespace {

struct Image {
    int width = 0;
    int height = 0;
    int channels = 0;  // as stored in the file
    std::vector<unsigned char> rgba;

    const unsigned char* At(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
    int Alpha(int x, int y) const { return At(x, y)[3]; }
    float Light(int x, int y) const {  // how much an additive draw adds there
        const unsigned char* p = At(x, y);
        return (p[0] + p[1] + p[2]) / 765.0f * (p[3] / 255.0f);
    }
    // Largest alpha in [x0, x1) x [y0, y1).
    int MaxAlpha(int x0, int y0, int x1, int y1) const {
        int best = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) best = std::max(best, Alpha(x, y));
        return best;
    }
    float MeanAlpha(int x0, int y0, int x1, int y1) const {
        double sum = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) sum += Alpha(x, y);
        return static_cast<float>(sum / ((x1 - x0) * (y1 - y0) * 255.0));
    }
    float SumLight(int x0, int y0, int x1, int y1) const {
        float sum = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) sum += Light(x, y);
        return sum;
    }
};

Image Load(const std::string& path) {
    Image img;
    const std::string file = (GeneratedRoot() / path).string();
    unsigned char* data = stbi_load(file.c_str(), &img.width, &img.height, &img.channels, 4);
    if (data == nullptr) return img;
    img.rgba.assign(data, data + static_cast<size_t>(img.width) * img.height * 4);
    stbi_image_free(data);
    return img;
}

}  // namespace

TEST(Images, EveryImageDecodesAtTheSizeItsSpritesExpect) {
    for (const ManifestEntry& e : Manifest()) {
        if (e.kind != AssetKind::Image && e.kind != AssetKind::Bitmap) continue;
        const Image img = Load(e.path);
        ASSERT_FALSE(img.rgba.empty()) << "cannot decode " << e.path;
        EXPECT_EQ(img.width, e.width) << e.path;
        EXPECT_EQ(img.height, e.height) << e.path;
        if (e.kind == AssetKind::Image) {
            EXPECT_EQ(img.channels, 4) << e.path << " should carry alpha";
        }
    }
}

TEST(Images, SlashRibbonBitmapIsATrueBmp) {
    std::ifstream in(GeneratedRoot() / "Data/effect/jet.bmp", std::ios::binary);
    char magic[2] = {};
    in.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "BM");
    const Image img = Load("Data/effect/jet.bmp");
    EXPECT_EQ(img.channels, 3);
    // Without alpha, the background must be black or the additive draw would show a box.
    EXPECT_LT(img.Light(img.width - 1, 0), 0.01f);
    EXPECT_GT(img.SumLight(0, 0, 32, img.height),
              img.SumLight(img.width - 32, 0, img.width, img.height) * 4.0f);
}

TEST(Images, FadeTextureIsOpaqueBlack) {
    const Image img = Load("Data/tex/black.png");
    for (size_t i = 0; i < img.rgba.size(); i += 4) {
        ASSERT_EQ(img.rgba[i] | img.rgba[i + 1] | img.rgba[i + 2], 0);
        ASSERT_EQ(img.rgba[i + 3], 255);
    }
}

TEST(Images, GlowsFadeToNothingAtTheirEdgesAndShineInTheMiddle) {
    // Drawn as whole quads with additive blending: any light on the border shows a square.
    for (const char* path :
         {"Data/effect/test.png", "Data/effect/rock.png", "Data/effect/energyBullet.png",
          "Data/effect/bull.png", "Data/effect/muzzle.png", "Data/effect/playerEffect.png",
          "Data/effect/enemyEffect.png", "Data/effect/flashAx.png", "Data/spaceBattleShip/maru.png",
          "Data/aim/aim.png"}) {
        const Image img = Load(path);
        ASSERT_FALSE(img.rgba.empty()) << path;
        const int w = img.width, h = img.height;
        EXPECT_LE(std::max({img.MaxAlpha(0, 0, w, 1), img.MaxAlpha(0, h - 1, w, h),
                            img.MaxAlpha(0, 0, 1, h), img.MaxAlpha(w - 1, 0, w, h)}),
                  3)
            << path;
        EXPECT_GT(img.MaxAlpha(0, 0, w, h), 200) << path;
    }
}

TEST(Images, ExplosionSheetDrawsEveryFrameTheEffectsReach) {
    const Image img = Load("Data/effect/expAnime.png");
    // Explosions run frames 0..64, rising flames 20..32, the smoke puff sits at column 0, row 4.
    for (int f = 0; f <= 64; ++f) {
        const int x0 = (f % 8) * 32, y0 = (f / 8) * 32;
        EXPECT_GT(img.MaxAlpha(x0, y0, x0 + 32, y0 + 32), 8) << "frame " << f << " is empty";
        // A clear rim around each cell keeps linear filtering from pulling in the neighbour.
        EXPECT_EQ(img.MaxAlpha(x0, y0, x0 + 32, y0 + 1), 0) << "frame " << f;
        EXPECT_EQ(img.MaxAlpha(x0, y0, x0 + 1, y0 + 32), 0) << "frame " << f;
    }
    // The explosion dies away: its last frame carries far less light than its fireball.
    EXPECT_GT(img.SumLight(0, 32, 32, 64), img.SumLight(0, 256, 32, 288) * 4.0f);
}

TEST(Images, HitFlashFrameFIsInColumnFOfEveryRow) {
    constexpr int kCell = 120;  // HitFlash::kCellPixels
    const Image img = Load("Data/effect/attack2.png");
    ASSERT_EQ(img.width, 8 * kCell);
    ASSERT_EQ(img.height, 8 * kCell);
    for (int f = 0; f < 8; ++f) {
        EXPECT_GT(img.MaxAlpha(f * kCell, f * kCell, f * kCell + kCell, f * kCell + kCell), 20)
            << "frame " << f;
        for (int row = 0; row < 8; ++row) {
            // Identical cells down the column, so the diagonal rule and the row-major rule agree.
            for (int y = 0; y < kCell; y += 7) {
                ASSERT_EQ(std::memcmp(img.At(f * kCell, row * kCell + y), img.At(f * kCell, y),
                                      kCell * 4),
                          0)
                    << "frame " << f << " row " << row;
            }
        }
    }
    EXPECT_GT(img.SumLight(0, 0, kCell, kCell), img.SumLight(7 * kCell, 0, 8 * kCell, kCell));
}

TEST(Images, BarFillsAreSolidInEveryCropTheGaugesUse) {
    struct Fill {
        const char* path;
        int channel;  // the dominant colour channel
    };
    for (const Fill& fill : {Fill{"Data/tex/hpgaugeG.png", 1}, Fill{"Data/tex/hpgaugeY.png", 0},
                             Fill{"Data/tex/hpgaugeR.png", 0}}) {
        const Image img = Load(fill.path);
        // 189 x 20 (player), 185 x 19 (enemy), 95 x 15 (overheated energy): all cut from the top
        // left.
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 189; ++x) ASSERT_EQ(img.Alpha(x, y), 255) << fill.path;
        const unsigned char* p = img.At(50, 8);
        EXPECT_GE(p[fill.channel], std::max({p[0], p[1], p[2]})) << fill.path;
    }
    const Image redFill = Load("Data/tex/hpgaugeR.png");
    const unsigned char* red = redFill.At(50, 8);
    EXPECT_GT(red[0], red[1] * 2);
    const Image yellowFill = Load("Data/tex/hpgaugeY.png");
    const unsigned char* yellow = yellowFill.At(50, 8);
    EXPECT_GT(yellow[1], yellow[2] * 2);
}

TEST(Images, GaugeFramesLeaveTheirWindowsClearForTheFill) {
    const Image hp = Load("Data/tex/hpgauge.png");
    EXPECT_LT(hp.MeanAlpha(10, 5, 180, 14), 0.3f);
    EXPECT_EQ(hp.MaxAlpha(0, 8, 2, 12), 255);  // but the rim is solid
    const Image frame = Load("Data/tex/gauge.png");
    EXPECT_LT(frame.MeanAlpha(10, 18, 90, 32), 0.3f);
    const Image fill = Load("Data/tex/ingauge.png");
    EXPECT_EQ(fill.MaxAlpha(0, 0, 100, 12), 0);
    EXPECT_EQ(fill.MeanAlpha(0, 18, 100, 32), 1.0f);
}

TEST(Images, TrailRibbonsAreBrightAtTheHeadAndGoneAtTheTail) {
    for (const char* path : {"Data/tex/bullet2.png", "Data/tex/bullet3.png"}) {
        const Image img = Load(path);
        EXPECT_GT(img.SumLight(0, 0, img.width, 12),
                  img.SumLight(0, img.height - 12, img.width, img.height) * 10.0f)
            << path;
        EXPECT_EQ(img.MaxAlpha(0, 0, 1, img.height), 0) << path << " has a hard side edge";
    }
    const Image slash = Load("Data/effect/jet2.png");
    EXPECT_GT(slash.SumLight(0, 0, 32, 64), slash.SumLight(224, 0, 256, 64) * 4.0f);
}

TEST(Images, ExhaustIsANarrowTongueThatFadesInAtTheNozzleAndOutBeforeTheTail) {
    for (const char* path : {"Data/thruster/exhaust.png", "Data/thruster/exhaust_hot.png"}) {
        const Image img = Load(path);
        ASSERT_EQ(img.width, 64) << path;
        const int mid = img.width / 2;
        // The ribbon shows v from 0 (the nozzle) to 0.8 (its oldest point): no hard line at
        // either end, and nothing at all in the part that is never drawn.
        EXPECT_LT(img.Light(mid, 0), 0.15f) << path;
        EXPECT_LT(img.SumLight(0, 100, img.width, 104), 0.05f) << path;
        EXPECT_EQ(img.MaxAlpha(0, 104, img.width, img.height), 0) << path;
        // Bright just behind the nozzle, falling away along the ribbon.
        EXPECT_GT(img.Light(mid, 12), 0.5f) << path;
        EXPECT_GT(img.SumLight(0, 4, img.width, 30), img.SumLight(0, 60, img.width, 86) * 2.5f)
            << path;
        // Narrow and soft across: a quarter of the way out there is little light and none at
        // the sides.
        EXPECT_LT(img.Light(mid - 16, 12), img.Light(mid, 12) * 0.05f) << path;
        EXPECT_EQ(img.MaxAlpha(0, 0, 2, img.height), 0) << path;
        EXPECT_EQ(img.MaxAlpha(img.width - 2, 0, img.width, img.height), 0) << path;
    }
}

TEST(Images, CaptionsKeepTheirInkWhereTheScreenShowsIt) {
    // STAGE CLEAR is drawn 3x at y = 265: its top 13 rows fall off the screen.
    const Image clear = Load("Data/tex/clear.png");
    EXPECT_EQ(clear.MaxAlpha(0, 0, clear.width, 13), 0);
    EXPECT_GT(clear.MeanAlpha(0, 13, clear.width, clear.height), 0.1f);
    // The title logo overlaps the banner's lower right corner; the banner keeps it clear.
    const Image banner = Load("Data/title/title5.png");
    EXPECT_EQ(banner.MaxAlpha(176, 78, 422, 101), 0);
    EXPECT_GT(banner.MeanAlpha(0, 0, 200, 50), 0.05f);
    for (const char* path : {"Data/title/click.png", "Data/title/title4.png",
                             "Data/tex/gameover.png", "Data/tex/overHeat.png"}) {
        const Image img = Load(path);
        EXPECT_GT(img.MeanAlpha(0, 0, img.width, img.height), 0.08f) << path << " is nearly empty";
    }
}

TEST(Images, CaptionLettersStayInsideTheirImageAndFrame) {
    // Drawn three times as large on the game-over screen: a letter stroke (its opaque outline)
    // near the image's edge shows as a letter cut off.
    const Image gameover = Load("Data/tex/gameover.png");
    ASSERT_GT(gameover.width, 0);
    EXPECT_LT(gameover.MaxAlpha(0, 0, 6, gameover.height), 250);
    EXPECT_LT(gameover.MaxAlpha(gameover.width - 6, 0, gameover.width, gameover.height), 250);
    EXPECT_LT(gameover.MaxAlpha(0, 0, gameover.width, 4), 250);
    EXPECT_LT(gameover.MaxAlpha(0, gameover.height - 4, gameover.width, gameover.height), 250);
    // The prompt's words stay between the chevrons that point at them (tips at x 76 and 716),
    // inside its rounded frame.
    const Image click = Load("Data/title/click.png");
    ASSERT_GT(click.width, 0);
    EXPECT_LT(click.MaxAlpha(77, 40, 88, 121), 250);
    EXPECT_LT(click.MaxAlpha(704, 40, 715, 121), 250);
    EXPECT_EQ(click.MaxAlpha(396, 56, 700, 105), 255) << "the words are missing";
}

TEST(Images, ResultPicturesAreOpaqueAndTheDefeatIsDarker) {
    const Image win = Load("Data/tex/clearPlayer2.png");
    const Image loss = Load("Data/tex/gameoverPlayer.png");
    EXPECT_EQ(win.MeanAlpha(0, 0, win.width, win.height), 1.0f);
    EXPECT_EQ(loss.MeanAlpha(0, 0, loss.width, loss.height), 1.0f);
    const float winLight =
        win.SumLight(0, 0, win.width, win.height) / static_cast<float>(win.width * win.height);
    const float lossLight =
        loss.SumLight(0, 0, loss.width, loss.height) / static_cast<float>(loss.width * loss.height);
    EXPECT_GT(winLight, lossLight * 1.5f);
    // The robot stands right of centre on the victory picture: that half holds more light.
    EXPECT_GT(win.SumLight(640, 0, 1280, 817), win.SumLight(0, 0, 640, 817));
}
