#include "game/effects/EffectQuad.h"

#include <algorithm>

#include "engine/graphics/EffectBatch.h"
#include "engine/graphics/FwTexture.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"

namespace {
int drawCount = 0;  // effect draws since the last reset; diagnostics only
}

EffectQuad::EffectQuad(const std::string& texturePath)
    : texture(texturePath.empty() ? nullptr : ::GetTexture(texturePath)),
      blend(std::make_unique<AdditiveBlend>()) {}

void EffectQuad::Billboard(const Vector3& position) {
    world = ShaderManager::GetInstance().GetView().Invert();
    world.SetTranslation(position);
}

void EffectQuad::SetRect(float halfWidth, float halfHeight, const CellUV& cell, float alpha) {
    // Additive blending with a negative alpha would darken what lies behind a spent
    // effect, so the vertex alpha stops at 0.
    const Color white(1.0f, 1.0f, 1.0f, std::clamp(alpha, 0.0f, 1.0f));
    vertices[0] = {{-halfWidth, halfHeight, 0.0f}, {cell.left, cell.top}, white};
    vertices[1] = {{halfWidth, halfHeight, 0.0f}, {cell.right, cell.top}, white};
    vertices[2] = {{-halfWidth, -halfHeight, 0.0f}, {cell.left, cell.bottom}, white};
    vertices[3] = {{halfWidth, -halfHeight, 0.0f}, {cell.right, cell.bottom}, white};
}

void EffectQuad::Draw() {
    DrawStrip(vertices.data(), 4, world, texture, *blend);
}

int EffectQuad::GetTextureWidth() const {
    return texture ? texture->GetDesc().width : 0;
}

int EffectQuad::GetTextureHeight() const {
    return texture ? texture->GetDesc().height : 0;
}

CellUV EffectQuad::SheetCell(int frame, int cellPixels, int textureWidth, int textureHeight,
                             int columns) {
    if (textureWidth <= 0 || textureHeight <= 0 || columns <= 0) return {0, 0, 0, 0};
    const float uStep = static_cast<float>(cellPixels) / static_cast<float>(textureWidth);
    const float vStep = static_cast<float>(cellPixels) / static_cast<float>(textureHeight);
    CellUV cell;
    cell.left = static_cast<float>(frame % columns) * uStep;
    cell.top = static_cast<float>(frame / columns) * vStep;
    cell.right = cell.left + uStep;
    cell.bottom = cell.top + vStep;
    return cell;
}

void EffectQuad::DrawStrip(const EffectVertex* vertices, unsigned count, const Matrix& world,
                           FwTexture* texture, AdditiveBlend& blend) {
    if (texture == nullptr || !texture->HasSRV()) return;
    // Held back and merged with the effects around it (same picture, fewer draw calls).
    EffectBatch::GetInstance().AddStrip(vertices, count, world, texture, blend.GetBlendState(),
                                        blend.GetDepthState());
    ++drawCount;
}

int EffectQuad::GetDrawCount() {
    return drawCount;
}

void EffectQuad::ResetDrawCount() {
    drawCount = 0;
}
