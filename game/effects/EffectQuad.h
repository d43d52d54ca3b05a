#pragma once

#include <array>
#include <memory>
#include <string>

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/EffectVertex.h"
#include "engine/math/Matrix.h"

class FwTexture;

// Texture coordinates of one sprite-sheet cell (or of the whole texture).
struct CellUV {
    float left = 0.0f;
    float top = 0.0f;
    float right = 1.0f;
    float bottom = 1.0f;
};

// The part every billboard effect starts with: the world matrix the quad is drawn at,
// the four vertices (top-left, top-right, bottom-left, bottom-right, drawn as a strip),
// the texture (owned by the texture cache) and the additive-blend switch (owned).
class EffectQuad {
public:
    // An empty path leaves the quad without a texture (it then draws nothing).
    explicit EffectQuad(const std::string& texturePath);
    EffectQuad(const EffectQuad&) = delete;
    EffectQuad& operator=(const EffectQuad&) = delete;

    // world = inverse of the current camera view with its translation replaced by
    // position, so the quad's plane faces the camera.
    void Billboard(const Vector3& position);
    void SetWorld(const Matrix& m) { world = m; }
    const Matrix& GetWorld() const { return world; }
    Vector3 GetPosition() const { return world.Translation(); }

    // Corners at (±halfWidth, ±halfHeight, 0), white with the given alpha.
    void SetRect(float halfWidth, float halfHeight, const CellUV& cell, float alpha);

    // Additive blending without depth writes, effect shader, 4 vertices as a strip at
    // the world matrix; the model shader is active again afterwards. A quad without a
    // texture draws nothing.
    void Draw();

    const std::array<EffectVertex, 4>& GetVertices() const { return vertices; }
    FwTexture* GetTexture() const { return texture; }
    // Pixel size of the loaded texture (0 when missing).
    int GetTextureWidth() const;
    int GetTextureHeight() const;

    // Cell of a sheet with square cells of cellPixels: column frame mod columns and row
    // frame div columns. A texture size of 0 gives an empty cell at the origin.
    static CellUV SheetCell(int frame, int cellPixels, int textureWidth, int textureHeight,
                            int columns = 8);

    // Draws a strip of 36-byte vertices through the effect shader at world with the given
    // texture, additive blending and no depth writes (held in the effect batch and sent with
    // its neighbours). Shared by every effect, trail, ribbon and the particles.
    static void DrawStrip(const EffectVertex* vertices, unsigned count, const Matrix& world,
                          FwTexture* texture, AdditiveBlend& blend);

    // Effect strips drawn since the counter was last reset (diagnostics, benchmark); the
    // batch sends them in fewer draw calls.
    static int GetDrawCount();
    static void ResetDrawCount();

private:
    Matrix world;
    std::array<EffectVertex, 4> vertices{};
    FwTexture* texture = nullptr;
    std::unique_ptr<AdditiveBlend> blend;
};
