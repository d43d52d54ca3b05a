#include "app/VolumeIndicator.h"

#include <algorithm>
#include <memory>

#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"

namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 720;
constexpr int kPanelWidth = 272;
constexpr int kPanelHeight = 44;
constexpr int kPanelTop = 20;
constexpr int kPanelLeft = (kScreenWidth - kPanelWidth) / 2;
constexpr int kBarWidth = 8;
constexpr int kBarPitch = 10;
constexpr int kBarsLeft = kPanelLeft + 52;
constexpr int kBarsBottom = kPanelTop + 34;  // first row below the bars
constexpr int kLowestBar = 6;                // pixels; each bar one taller than the last
constexpr int kSpeakerLeft = kPanelLeft + 12;
constexpr int kPanelMiddle = kPanelTop + kPanelHeight / 2;

const Color kPanel(0.0f, 0.0f, 0.0f, 0.6f);
const Color kLit(1.0f, 1.0f, 1.0f, 1.0f);
const Color kLitMuted(0.5f, 0.5f, 0.5f, 1.0f);
const Color kUnlit(0.25f, 0.25f, 0.25f, 1.0f);
const Color kSpeaker(1.0f, 1.0f, 1.0f, 1.0f);
const Color kCross(1.0f, 0.0f, 0.0f, 1.0f);

// Fills a rectangle given in picture pixels (top-left origin) with one colour.
void Fill(SpriteShader& sprites, FwTexture* white, const SpriteRect& r, Color colour,
          float opacity) {
    colour.a *= opacity;
    // The sprite space has its origin at the centre with +y up.
    const int x = r.x - kScreenWidth / 2;
    const int y = kScreenHeight / 2 - (r.y + r.height);
    sprites.DrawSprite(white, x, y, r.width, r.height, nullptr, &colour, Vector2(0.0f, 0.0f));
}

}  // namespace

SpriteRect VolumeIndicator::PanelRect() {
    return {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight};
}

SpriteRect VolumeIndicator::BarRect(int index) {
    const int height = kLowestBar + index;
    return {kBarsLeft + index * kBarPitch, kBarsBottom - height, kBarWidth, height};
}

SpriteRect VolumeIndicator::SpeakerRect() {
    return {kSpeakerLeft, kPanelMiddle - 6, 8, 12};
}

SpriteRect VolumeIndicator::CrossRect(int index) {
    // Two diagonals of six 2 × 2 squares beside the speaker's cone.
    const int step = index % 6;
    const int x = kSpeakerLeft + 22 + step * 2;
    const int y = index < 6 ? kPanelMiddle - 6 + step * 2 : kPanelMiddle + 4 - step * 2;
    return {x, y, 2, 2};
}

void VolumeIndicator::Draw(int percent, bool mute, float opacity) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    const std::shared_ptr<FwTexture> white = device.GetWhiteTexture();
    if (!white || opacity <= 0.0f) return;
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();

    // What the scenes may rely on from one pass to the next.
    FwTexture* target = device.GetRenderTarget();
    FwTexture* depth = device.GetDepthTarget();
    const Viewport viewport = device.GetViewport();
    const FwBlendState blend = device.GetBlendState();
    const SpriteConstants constants = sprites.GetConstants();

    device.SetBackBufferTarget();
    device.SetViewport({0.0f, 0.0f, static_cast<float>(kScreenWidth),
                        static_cast<float>(kScreenHeight), 0.0f, 1.0f});
    device.SetBlendState(nullptr);
    sprites.SetTransform(Matrix::Identity());
    sprites.Begin(false, true);

    Fill(sprites, white.get(), PanelRect(), kPanel, opacity);
    // The speaker: a square body and a cone widening to the right in three steps.
    Fill(sprites, white.get(), SpeakerRect(), kSpeaker, opacity);
    for (int step = 0; step < 3; ++step) {
        const int half = 8 + step * 2;
        Fill(sprites, white.get(), {kSpeakerLeft + 8 + step * 3, kPanelMiddle - half, 3, 2 * half},
             kSpeaker, opacity);
    }
    if (mute) {
        for (int i = 0; i < kCrossSquares; ++i) {
            Fill(sprites, white.get(), CrossRect(i), kCross, opacity);
        }
    }
    const int lit = LitBars(std::clamp(percent, 0, 100));
    for (int i = 0; i < kBars; ++i) {
        const Color& colour = i >= lit ? kUnlit : (mute ? kLitMuted : kLit);
        Fill(sprites, white.get(), BarRect(i), colour, opacity);
    }

    sprites.End();
    sprites.SetTransform(constants.g_mTransform);
    sprites.SetColour(Color(constants.g_color));
    device.SetBlendState(&blend);
    device.SetRenderTarget(target, depth);
    device.SetViewport(viewport);
}
