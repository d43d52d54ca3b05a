#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ModelMath.h"

namespace modelgen {

struct Vertex {
    V3 pos;
    V3 normal{0, 1, 0};
    float u = 0, v = 0;
    V3 color{1, 1, 1};
};

// Indexed triangle list in game coordinates (left-handed, y up). Winding rule of the
// whole generator: for a triangle (a, b, c), Cross(b - a, c - a) points out of the solid,
// which is what the game's ray query reports as the surface normal.
class Mesh {
public:
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;

    uint32_t Add(const Vertex& v);
    void Triangle(uint32_t a, uint32_t b, uint32_t c);
    // Quad a-b-c-d in order around its outward face (two triangles a-b-c, a-c-d).
    void Quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d);

    // Appends `other` moved by `xf`; a mirroring transform keeps outward windings.
    void Append(const Mesh& other, const Xf& xf = {});
    Mesh& Transform(const Xf& xf);
    // Moves every vertex through `f`; normals follow the local Jacobian of `f`.
    Mesh& Deform(const std::function<V3(const V3&)>& f);
    // Multiplies the vertex colours.
    Mesh& Tint(const V3& color);
    // Replaces the texture coordinates by a box projection: each vertex is projected
    // along the main axis of its normal, `scale` texture repeats per world unit.
    Mesh& BoxUV(float scale, const V3& offset = {});
    // Darkens downward-facing and lightens upward-facing vertices, a cheap stand-in for
    // sky light that gives shape under the game's mostly ambient lighting.
    Mesh& BakeShade(float amount);
    // Gives every triangle its own vertices with the face normal (a faceted look).
    Mesh& Facet();
    // Flips every normal (for surfaces seen from inside).
    Mesh& FlipNormals();

    size_t TriangleCount() const { return indices.size() / 3; }
    void Bounds(V3& lo, V3& hi) const;
};

}  // namespace modelgen
