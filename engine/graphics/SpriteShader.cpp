#include "engine/graphics/SpriteShader.h"

#include <cstring>

#include "engine/graphics/EffectBatch.h"
#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"

namespace {

struct SpriteVertex {
    float x, y, z;
    float u, v;
};
static_assert(sizeof(SpriteVertex) == 20, "the sprite vertex layout is 20 bytes");

}  // namespace

bool SpriteShader::Initialize() {
    Release();
    const GraphicsDevice& device = GraphicsDevice::GetInstance();
    if (!program.Build("sprite.vert", "sprite.frag")) return false;
    program.BindBlock("cbSprite", 0);
    program.BindBlock("cbProjection", 1);
    program.BindSampler("g_inputTex", 0);
    pointSampler = device.CreateSamplerState(0, 1, 0, false);
    linearSampler = device.CreateSamplerState(1, 1, 0, false);
    depthOffState = device.CreateDepthStencilState(false, false);
    rasterizerState = device.CreateRasterizerState(CullMode::None, FillMode::Solid, true, false);
    if (!sprite.Create() || !projection.Create() || !pointSampler || !linearSampler) {
        Release();
        return false;
    }
    return true;
}

void SpriteShader::Release() {
    if (begun) End();
    deferred.clear();
    deferring = false;
    program.Release();
    sprite.Release();
    projection.Release();
    pointSampler.reset();
    linearSampler.reset();
    depthOffState.reset();
    rasterizerState.reset();
}

void SpriteShader::SetTransform(const Matrix& m) {
    sprite.data.g_mTransform = m;
    sprite.MarkDirty();
}

void SpriteShader::SetColour(const Color& colour) {
    sprite.data.g_color = colour.ToVector4();
    sprite.MarkDirty();
}

void SpriteShader::Begin(bool linearFilter, bool disableDepth) {
    if (begun) return;
    // Images go over whatever the 3D effects have drawn so far.
    EffectBatch::GetInstance().Flush();
    begun = true;
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    const Viewport& vp = device.GetViewport();
    const float w = vp.width > 0 ? vp.width : 1.0f;
    const float h = vp.height > 0 ? vp.height : 1.0f;
    projection.data.g_mProj = Matrix(2.0f / w, 0, 0, 0, 0, 2.0f / h, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    projection.MarkDirty();
    projection.Upload();

    savedDepthState = device.GetDepthStencilState();
    savedStencilRef = device.GetStencilRef();
    savedRasterizer = device.GetRasterizerState();
    savedSampler = device.GetSamplerState(0);
    linear = linearFilter;
    if (disableDepth) device.SetDepthStencilState(depthOffState.get(), 0);
    device.SetSamplerState(0, linearFilter ? linearSampler.get() : pointSampler.get());
    device.SetRasterizerState(rasterizerState.get());
    device.SetProgram(program.GetHandle());
    device.SetInputLayout(VertexLayout::Sprite);
    device.SetConstantBuffer(0, &sprite.buffer);
    device.SetConstantBuffer(1, &projection.buffer);
}

void SpriteShader::End() {
    if (!begun) return;
    begun = false;
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetDepthStencilState(&savedDepthState, savedStencilRef);
    device.SetRasterizerState(&savedRasterizer);
    device.SetSamplerState(0, savedSampler);
    savedSampler = nullptr;
}

void SpriteShader::DrawSprite(FwTexture* texture, int x, int y, int width, int height,
                              const SpriteRect* source, const Color* colour, const Vector2& pivot) {
    if (!texture) return;
    EffectBatch::GetInstance().Flush();
    const bool ownBatch = !begun;
    if (ownBatch) Begin(false, true);
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    if (colour) SetColour(*colour);

    float uLeft = 0.0f, uRight = 1.0f, vTop = 0.0f, vBottom = 1.0f;
    const TextureDesc& desc = texture->GetDesc();
    if (source && desc.width > 0 && desc.height > 0) {
        const float tw = static_cast<float>(desc.width);
        const float th = static_cast<float>(desc.height);
        uLeft = static_cast<float>(source->x) / tw;
        uRight = static_cast<float>(source->x + source->width) / tw;
        vTop = static_cast<float>(source->y) / th;
        vBottom = static_cast<float>(source->y + source->height) / th;
    }
    if (texture->IsBottomUp()) {
        // Rendered-into textures hold their top row at v = 1.
        vTop = 1.0f - vTop;
        vBottom = 1.0f - vBottom;
    }
    const float left = static_cast<float>(x) - static_cast<float>(width) * pivot.x;
    const float right = left + static_cast<float>(width);
    const float bottom = static_cast<float>(y) - static_cast<float>(height) * pivot.y;
    const float top = bottom + static_cast<float>(height);
    const SpriteVertex vertices[4] = {
        {left, bottom, 0.0f, uLeft, vBottom},
        {left, top, 0.0f, uLeft, vTop},
        {right, bottom, 0.0f, uRight, vBottom},
        {right, top, 0.0f, uRight, vTop},
    };
    if (deferring) {
        Deferred d;
        d.texture = texture;
        static_assert(sizeof(vertices) == sizeof(d.vertices));
        std::memcpy(d.vertices.data(), vertices, sizeof(vertices));
        d.transform = sprite.data.g_mTransform;
        d.color = sprite.data.g_color;
        d.linear = linear;
        d.blend = device.GetBlendState();
        d.depth = device.GetDepthStencilState();
        deferred.push_back(d);
    } else {
        Draw(texture, &vertices[0].x);
    }
    if (ownBatch) End();
}

void SpriteShader::FillRect(int x, int y, int width, int height, const Color& colour,
                            const Vector2& pivot) {
    // The device's 1 × 1 white texel, tinted: every pixel comes out exactly the colour.
    const std::shared_ptr<FwTexture> white = GraphicsDevice::GetInstance().GetWhiteTexture();
    DrawSprite(white.get(), x, y, width, height, nullptr, &colour, pivot);
}

void SpriteShader::Draw(FwTexture* texture, const float* vertices) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetShaderResource(0, texture);
    sprite.Upload();
    device.DrawVertices(PrimitiveTopology::TriangleStrip, 4, vertices, sizeof(SpriteVertex));
    device.SetShaderResource(0, nullptr);
}

void SpriteShader::DrawDeferred() {
    std::vector<Deferred> images;
    images.swap(deferred);
    if (images.empty()) return;
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    const FwBlendState blend = device.GetBlendState();
    const Matrix transform = sprite.data.g_mTransform;
    const Vector4 color = sprite.data.g_color;
    for (const Deferred& d : images) {
        device.SetBlendState(&d.blend);
        Begin(d.linear, false);
        device.SetDepthStencilState(&d.depth, 0);
        sprite.data.g_mTransform = d.transform;
        sprite.data.g_color = d.color;
        sprite.MarkDirty();
        Draw(d.texture, d.vertices.data());
        End();
    }
    device.SetBlendState(&blend);
    sprite.data.g_mTransform = transform;
    sprite.data.g_color = color;
    sprite.MarkDirty();
}
