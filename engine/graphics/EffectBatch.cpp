#include "engine/graphics/EffectBatch.h"

#include <algorithm>
#include <cmath>

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"

namespace {

// Source light added to what is there, in any order: the result of a set of such draws
// does not depend on their order (as long as none of them writes depth).
bool AddsLight(const FwBlendState& b) {
    return b.enable && b.srcBlend == BlendFactor::SrcAlpha && b.destBlend == BlendFactor::One &&
           b.blendOp == BlendOp::Add && b.srcBlendAlpha == BlendFactor::One &&
           b.destBlendAlpha == BlendFactor::InvSrcAlpha && b.blendOpAlpha == BlendOp::Add;
}

Vector3 Place(const Vector3& p, const Matrix& m) {
    const float x = p.x * m(0, 0) + p.y * m(1, 0) + p.z * m(2, 0) + m(3, 0);
    const float y = p.x * m(0, 1) + p.y * m(1, 1) + p.z * m(2, 1) + m(3, 1);
    const float z = p.x * m(0, 2) + p.y * m(1, 2) + p.z * m(2, 2) + m(3, 2);
    const float w = p.x * m(0, 3) + p.y * m(1, 3) + p.z * m(2, 3) + m(3, 3);
    if (w == 1.0f || w == 0.0f) return {x, y, z};
    return {x / w, y / w, z / w};
}

void FlushHook() {
    EffectBatch::GetInstance().Flush();
}

}  // namespace

bool ScreenArea::Overlaps(const ScreenArea& o) const {
    if (all || o.all) return true;
    return left <= o.right && o.left <= right && bottom <= o.top && o.bottom <= top;
}

void ScreenArea::Merge(const ScreenArea& o) {
    all = all || o.all;
    left = std::min(left, o.left);
    bottom = std::min(bottom, o.bottom);
    right = std::max(right, o.right);
    top = std::max(top, o.top);
}

ScreenArea ScreenArea::Everything() {
    ScreenArea a;
    a.left = a.bottom = -1.0f;
    a.right = a.top = 1.0f;
    a.all = true;
    return a;
}

ScreenArea ScreenArea::Of(const Vector3* points, int count, const Matrix& vp, float margin) {
    ScreenArea a;
    a.left = a.bottom = 1e30f;
    a.right = a.top = -1e30f;
    for (int i = 0; i < count; ++i) {
        const Vector3& p = points[i];
        const float w = p.x * vp(0, 3) + p.y * vp(1, 3) + p.z * vp(2, 3) + vp(3, 3);
        // At or behind the eye the projection wraps round: no bound is known.
        if (!(w > 1e-6f)) return Everything();
        const float x = (p.x * vp(0, 0) + p.y * vp(1, 0) + p.z * vp(2, 0) + vp(3, 0)) / w;
        const float y = (p.x * vp(0, 1) + p.y * vp(1, 1) + p.z * vp(2, 1) + vp(3, 1)) / w;
        if (!std::isfinite(x) || !std::isfinite(y)) return Everything();
        a.left = std::min(a.left, x);
        a.right = std::max(a.right, x);
        a.bottom = std::min(a.bottom, y);
        a.top = std::max(a.top, y);
    }
    a.left -= margin;
    a.bottom -= margin;
    a.right += margin;
    a.top += margin;
    return a;
}

EffectBatch& EffectBatch::GetInstance() {
    static EffectBatch instance;
    return instance;
}

void EffectBatch::SetEnabled(bool on) {
    Flush();
    enabled = on;
}

void EffectBatch::AddStrip(const EffectVertex* vertices, unsigned count, const Matrix& world,
                           const FwTexture* texture, const FwBlendState& blend,
                           const FwDepthStencilState& depth) {
    if (texture == nullptr || !texture->HasSRV() || vertices == nullptr || count < 3) return;
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    ShaderManager& shaders = ShaderManager::GetInstance();
    // Held strips are placed with the camera the getters describe; a camera set but not yet
    // sent to the GPU would not be the one drawn with.
    if (!enabled || flushing || !device.IsInitialized() || !shaders.IsCameraUploaded()) {
        Flush();
        DrawNow(vertices, count, world, texture, blend, depth);
        return;
    }
    device.SetFlushHook(FlushHook);

    scratch.resize(count);
    for (unsigned i = 0; i < count; ++i) scratch[i] = Place(vertices[i].position, world);
    const Viewport& viewport = device.GetViewport();
    // Two pixels of the smaller side: the rasteriser's rounding stays well inside.
    const float pixels = std::max(1.0f, std::min(viewport.width, viewport.height));
    const ScreenArea area =
        ScreenArea::Of(scratch.data(), static_cast<int>(count),
                       shaders.GetView() * shaders.GetProjMatrix(), 4.0f / pixels);
    const bool commutes = AddsLight(blend) && !depth.depthWrite;

    // Join the latest group with the same texture and states, provided the strip may move
    // past every group drawn after it.
    for (size_t i = groups.size(); i-- > 0;) {
        Group& g = groups[i];
        if (g.texture == texture && g.blend == blend && g.depth == depth) {
            Append(g, vertices, count);
            g.area.Merge(area);
            return;
        }
        if (!(commutes && g.commutes) && area.Overlaps(g.area)) break;
    }
    Group g;
    g.texture = texture;
    g.blend = blend;
    g.depth = depth;
    g.commutes = commutes;
    g.area = area;
    groups.push_back(std::move(g));
    Append(groups.back(), vertices, count);
}

void EffectBatch::Append(Group& group, const EffectVertex* vertices, unsigned count) {
    // The strip as a list: triangle i is vertices i, i+1, i+2. Nothing is culled, so the
    // winding a strip alternates does not matter.
    for (unsigned i = 0; i + 2 < count; ++i) {
        for (unsigned k = 0; k < 3; ++k) {
            EffectVertex v = vertices[i + k];
            v.position = scratch[i + k];
            group.vertices.push_back(v);
        }
    }
}

void EffectBatch::BeforeDraw(const ScreenArea& area) {
    if (groups.empty() || flushing) return;
    for (const Group& g : groups) {
        if (g.area.Overlaps(area)) {
            Flush();
            return;
        }
    }
}

void EffectBatch::Flush() {
    if (groups.empty() || flushing) return;
    flushing = true;
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    ShaderManager& shaders = ShaderManager::GetInstance();
    size_t total = 0;
    for (const Group& g : groups) total += g.vertices.size();
    const unsigned bytes = static_cast<unsigned>(total * sizeof(EffectVertex));
    if (device.IsInitialized() && bytes > 0) {
        if (!buffer.IsValid() || buffer.GetCapacity() < bytes ||
            bufferGeneration != GraphicsDevice::LiveGeneration()) {
            // Grows to twice the need so that a busier pass does not re-create it at once.
            buffer.Create(BindFlag::VertexBuffer, bytes * 2, BufferUsage::Dynamic, nullptr);
            bufferGeneration = GraphicsDevice::LiveGeneration();
        }
        std::vector<EffectVertex> all;
        all.reserve(total);
        for (const Group& g : groups) all.insert(all.end(), g.vertices.begin(), g.vertices.end());
        buffer.WriteData(all.data(), bytes);

        EffectShader& effect = shaders.GetEffectShader();
        effect.Activate();
        effect.SetWorld(Matrix::Identity());
        effect.Upload();
        device.SetPrimitiveTopology(PrimitiveTopology::TriangleList);
        device.SetVertexBuffer(&buffer, sizeof(EffectVertex), 0);
        unsigned first = 0;
        for (const Group& g : groups) {
            const unsigned n = static_cast<unsigned>(g.vertices.size());
            device.SetDepthStencilState(&g.depth, 0);
            device.SetBlendState(&g.blend);
            device.SetShaderResource(0, g.texture);
            device.Draw(n, first);
            first += n;
        }
        device.SetBlendState(nullptr);
        device.SetDepthStencilState(nullptr, 0);
        shaders.GetModelShader().Activate();
    }
    groups.clear();
    flushing = false;
}

void EffectBatch::Discard() {
    groups.clear();
    buffer.Release();
    bufferGeneration = 0;
}

void EffectBatch::DrawNow(const EffectVertex* vertices, unsigned count, const Matrix& world,
                          const FwTexture* texture, const FwBlendState& blend,
                          const FwDepthStencilState& depth) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    ShaderManager& shaders = ShaderManager::GetInstance();
    device.SetDepthStencilState(&depth, 0);
    device.SetBlendState(&blend);
    EffectShader& effect = shaders.GetEffectShader();
    effect.Activate();
    device.SetShaderResource(0, texture);
    effect.SetWorld(world);
    effect.Upload();
    device.DrawVertices(PrimitiveTopology::TriangleStrip, count, vertices, sizeof(EffectVertex));
    device.SetBlendState(nullptr);
    device.SetDepthStencilState(nullptr, 0);
    shaders.GetModelShader().Activate();
}
