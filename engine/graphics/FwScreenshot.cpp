#include "engine/graphics/FwScreenshot.h"

#include <stb/stb_image_write.h>

#include <cstring>

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GlApi.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/platform/Platform.h"

namespace {

// Size of what is currently drawn into: the bound colour target, else the depth target.
bool CurrentTargetSize(int& width, int& height) {
    const GraphicsDevice& device = GraphicsDevice::GetInstance();
    if (!device.IsInitialized()) return false;
    const FwTexture* target = device.GetRenderTarget();
    if (!target) target = device.GetDepthTarget();
    if (!target) return false;
    width = target->GetDesc().width;
    height = target->GetDesc().height;
    return width > 0 && height > 0;
}

// Reads a w × h framebuffer and turns its rows top first.
bool ReadFramebuffer(unsigned framebuffer, int w, int h, std::vector<uint8_t>& out, int& width,
                     int& height) {
    if (w <= 0 || h <= 0) return false;
    GraphicsDevice::GetInstance().FlushHeldDraws();
    std::vector<uint8_t> bottomUp(static_cast<size_t>(w) * h * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    out.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y)
        std::memcpy(&out[static_cast<size_t>(y) * row],
                    &bottomUp[static_cast<size_t>(h - 1 - y) * row], row);
    width = w;
    height = h;
    return true;
}

}  // namespace

bool FwReadPixels(std::vector<uint8_t>& out, int& width, int& height) {
    out.clear();
    width = height = 0;
    int w = 0, h = 0;
    if (!CurrentTargetSize(w, h) || !GraphicsDevice::GetInstance().GetRenderTarget()) return false;
    return ReadFramebuffer(GraphicsDevice::GetInstance().GetCurrentFramebuffer(), w, h, out, width,
                           height);
}

bool FwReadBackBuffer(std::vector<uint8_t>& out, int& width, int& height) {
    out.clear();
    width = height = 0;
    const GraphicsDevice& device = GraphicsDevice::GetInstance();
    if (!device.IsInitialized()) return false;
    return ReadFramebuffer(device.GetBackBufferFramebuffer(), device.GetWidth(), device.GetHeight(),
                           out, width, height);
}

bool FwReadWindow(std::vector<uint8_t>& out, int& width, int& height) {
    out.clear();
    width = height = 0;
    if (!GraphicsDevice::GetInstance().IsInitialized() || !HasPlatform()) return false;
    const PlatformPoint size = GetPlatform().GetClientSize();
    // What Present drew: the window's draw buffer (some surfaces default to reading the
    // other one).
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glReadBuffer(glapi::CurrentDrawBuffer());
    const bool read = ReadFramebuffer(0, size.x, size.y, out, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, GraphicsDevice::GetInstance().GetCurrentFramebuffer());
    return read;
}

bool FwSaveWindowScreenshot(const std::string& pngPath) {
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    if (pngPath.empty() || !FwReadWindow(pixels, w, h)) return false;
    return stbi_write_png(pngPath.c_str(), w, h, 4, pixels.data(), w * 4) != 0;
}

bool FwReadPixel(int x, int y, uint8_t rgba[4]) {
    int w = 0, h = 0;
    if (!rgba || !CurrentTargetSize(w, h) || !GraphicsDevice::GetInstance().GetRenderTarget() ||
        x < 0 || y < 0 || x >= w || y >= h)
        return false;
    GraphicsDevice::GetInstance().FlushHeldDraws();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GraphicsDevice::GetInstance().GetCurrentFramebuffer());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, h - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return true;
}

bool FwReadDepth(int x, int y, float& depth) {
    int w = 0, h = 0;
    if (!glapi::kCanReadDepth || !CurrentTargetSize(w, h) ||
        !GraphicsDevice::GetInstance().GetDepthTarget() || x < 0 || y < 0 || x >= w || y >= h)
        return false;
    GraphicsDevice::GetInstance().FlushHeldDraws();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GraphicsDevice::GetInstance().GetCurrentFramebuffer());
    glReadPixels(x, h - 1 - y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return true;
}

bool FwSaveScreenshot(const std::string& pngPath) {
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    if (pngPath.empty() || !FwReadBackBuffer(pixels, w, h)) return false;
    return stbi_write_png(pngPath.c_str(), w, h, 4, pixels.data(), w * 4) != 0;
}
