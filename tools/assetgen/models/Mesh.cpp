#include "Mesh.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace modelgen {

uint32_t Mesh::Add(const Vertex& v) {
    vertices.push_back(v);
    return static_cast<uint32_t>(vertices.size() - 1);
}

void Mesh::Triangle(uint32_t a, uint32_t b, uint32_t c) {
    indices.insert(indices.end(), {a, b, c});
}

void Mesh::Quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    Triangle(a, b, c);
    Triangle(a, c, d);
}

void Mesh::Append(const Mesh& other, const Xf& xf) {
    uint32_t base = static_cast<uint32_t>(vertices.size());
    for (Vertex v : other.vertices) {
        v.pos = xf.Point(v.pos);
        v.normal = xf.Normal(v.normal);
        vertices.push_back(v);
    }
    bool flip = xf.Mirrors();
    for (size_t i = 0; i + 2 < other.indices.size(); i += 3) {
        uint32_t a = other.indices[i] + base, b = other.indices[i + 1] + base;
        uint32_t c = other.indices[i + 2] + base;
        if (flip) std::swap(b, c);
        Triangle(a, b, c);
    }
}

Mesh& Mesh::Transform(const Xf& xf) {
    Mesh copy;
    copy.Append(*this, xf);
    return *this = std::move(copy);
}

Mesh& Mesh::Deform(const std::function<V3(const V3&)>& f) {
    const float eps = 1e-3f;
    for (Vertex& v : vertices) {
        V3 p = f(v.pos);
        Xf jacobian;
        jacobian.r0 = (f(v.pos + V3{eps, 0, 0}) - p) / eps;
        jacobian.r1 = (f(v.pos + V3{0, eps, 0}) - p) / eps;
        jacobian.r2 = (f(v.pos + V3{0, 0, eps}) - p) / eps;
        v.normal = jacobian.Normal(v.normal);
        v.pos = p;
    }
    return *this;
}

Mesh& Mesh::Tint(const V3& color) {
    for (Vertex& v : vertices) v.color = v.color.Mul(color);
    return *this;
}

Mesh& Mesh::BoxUV(float scale, const V3& offset) {
    // The projection axis is chosen per triangle (from its face normal) so that texture
    // coordinates never jump inside a triangle; a vertex shared by triangles that project
    // along different axes is split. Jumps would make the sampler's footprint explode.
    Mesh out;
    std::map<std::pair<uint32_t, int>, uint32_t> split;
    for (size_t i = 0; i + 2 < indices.size(); i += 3) {
        const V3 &a = vertices[indices[i]].pos, &b = vertices[indices[i + 1]].pos;
        const V3& c = vertices[indices[i + 2]].pos;
        V3 n = Cross(b - a, c - a);
        if (Dot(n, n) < 1e-14f) continue;  // zero-area triangles draw nothing
        V3 m{std::fabs(n.x), std::fabs(n.y), std::fabs(n.z)};
        int axis = (m.x >= m.y && m.x >= m.z) ? 0 : (m.y >= m.z ? 1 : 2);
        uint32_t corner[3];
        for (int k = 0; k < 3; ++k) {
            uint32_t src = indices[i + k];
            auto [it, added] = split.try_emplace({src, axis}, 0);
            if (added) {
                Vertex v = vertices[src];
                V3 p = (v.pos + offset) * scale;
                v.u = axis == 0 ? p.z : p.x;
                v.v = axis == 1 ? p.z : -p.y;
                it->second = out.Add(v);
            }
            corner[k] = it->second;
        }
        out.Triangle(corner[0], corner[1], corner[2]);
    }
    return *this = std::move(out);
}

Mesh& Mesh::BakeShade(float amount) {
    for (Vertex& v : vertices) {
        float k = 1.0f + amount * (0.6f * v.normal.y + 0.25f * v.normal.z - 0.15f * v.normal.x);
        v.color = v.color * std::clamp(k, 0.0f, 1.6f);
        v.color = {std::min(v.color.x, 1.0f), std::min(v.color.y, 1.0f), std::min(v.color.z, 1.0f)};
    }
    return *this;
}

Mesh& Mesh::Facet() {
    Mesh flat;
    for (size_t i = 0; i + 2 < indices.size(); i += 3) {
        Vertex a = vertices[indices[i]], b = vertices[indices[i + 1]], c = vertices[indices[i + 2]];
        V3 n = Normalize(Cross(b.pos - a.pos, c.pos - a.pos));
        a.normal = b.normal = c.normal = n;
        flat.Triangle(flat.Add(a), flat.Add(b), flat.Add(c));
    }
    return *this = std::move(flat);
}

Mesh& Mesh::FlipNormals() {
    for (Vertex& v : vertices) v.normal = -v.normal;
    for (size_t i = 0; i + 2 < indices.size(); i += 3) std::swap(indices[i + 1], indices[i + 2]);
    return *this;
}

void Mesh::Bounds(V3& lo, V3& hi) const {
    lo = {1e30f, 1e30f, 1e30f};
    hi = {-1e30f, -1e30f, -1e30f};
    for (const Vertex& v : vertices) {
        lo = {std::min(lo.x, v.pos.x), std::min(lo.y, v.pos.y), std::min(lo.z, v.pos.z)};
        hi = {std::max(hi.x, v.pos.x), std::max(hi.y, v.pos.y), std::max(hi.z, v.pos.z)};
    }
}

}  // namespace modelgen
